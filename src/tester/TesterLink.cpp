#include "tester/TesterLink.h"

#include "common/Dialogs.h"
#include "common/Paths.h"
#include "common/TextFile.h"
#include "tester/PollWatchdog.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace vanto {

namespace {

constexpr uint8_t Ready = 0x55;
const std::string HowToGoOnline = "\n\n <<<　操作方法　>>>\n"
                                  "    【メインメニュー画面】 ⇒ 【診断】 ⇒ 【自動車ﾒｰｶｰ選択画面】 ⇒ "
                                  "【メインメニュー】 ⇒ 【オンライン】";

std::string NoResponse(const char* where) {
    return std::string("ターゲットPCからのレスポンスがない") + where;
}

} // namespace

// How one exchange reports and bounds its poll phases: ordinary exchanges and the closing exchange differ.
struct TesterLink::Phase {
    const char* readyPollFailed;
    const char* announceFailed;
    const char* answerPollFailed;
    const char* goFailed;
    bool alwaysTimeOut; // the closing exchange gives up after a second even outside the handshake
    bool traced;
};

TesterLink::TesterLink(Dialogs& dialogs, std::string exeDir)
    : IoBuffer(TransferBufferSize), DataBuffer(TransferBufferSize), DirectoryCopy(TransferBufferSize),
      dialogs_(dialogs), exeDir_(std::move(exeDir)), traceFile_(exeDir_ + "LOG_OUT.BNY") {}

TesterLink::~TesterLink() {
    CloseHandles();
}

bool TesterLink::LibraryLoaded() {
    return library_.Load(exeDir_);
}

void TesterLink::Question(const std::string& text) {
    ++reported_;
    dialogs_.Message(DialogIcon::Question, text, DialogButtons::Ok);
}

void TesterLink::Sleep(int ms) const {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    if (PollHook) {
        PollHook();
    }
}

void TesterLink::CloseHandles() {
    if (OutPipe != 0 && OutPipe != -1) {
        UsbqkLibrary::ClosePipe(OutPipe);
    }
    if (InPipe != 0 && InPipe != -1) {
        UsbqkLibrary::ClosePipe(InPipe);
    }
    if (DeviceHandle != 0 && DeviceHandle != -1) {
        library_.Close(DeviceHandle);
    }
    OutPipe = InPipe = DeviceHandle = 0;
}

bool TesterLink::ProbeTester() {
    if (DeviceHandle != 0 && DeviceHandle != -1) {
        library_.Close(DeviceHandle);
    }
    DeviceHandle = 0;
    library_.Load(exeDir_);
    bool found = false;
    int32_t handle = -1;
    for (int attempt = 0; attempt < 3 && !found; ++attempt) {
        handle = library_.Open();
        found = handle != -1;
        if (!found) {
            Sleep(100);
        }
    }
    if (library_.Loaded()) {
        library_.Close(handle);
    }
    DeviceHandle = 0;
    return found;
}

int TesterLink::ConnectTester(const std::string& testerName) {
    if (ConnectHook) {
        ConnectHook();
    }
    std::fill(IoBuffer.begin(), IoBuffer.end(), 0);
    const std::string stars = "***************";
    if (!ProbeTester()) {
        ++reported_;
        dialogs_.Show(DialogIcon::Error, stars + testerName + "がUSBポートに接続されていません。" + stars +
                                             "\n\n診断機をUSBケーブルで接続して電源を入れて下さい。" + HowToGoOnline);
        return LinkFailed;
    }
    const unsigned reported = reported_;
    const int result = OpenLink();
    // An opening answer the program cannot use (refused or damaged) says nothing of its own: the tester is then
    // told to go online, as when it does not answer at all.
    const bool silent = result == LinkFailed && reported_ == reported;
    if (result == LinkTimedOut || result == LinkDownload || silent) {
        ++reported_;
    }
    if (result == LinkTimedOut || silent) {
        dialogs_.Show(DialogIcon::Error, stars + testerName + "が待機中になっていません。" + stars +
                                             "\n\n診断ソフトのオンラインを実行して下さい。" + HowToGoOnline);
    } else if (result == LinkDownload) {
        dialogs_.Show(DialogIcon::Error, stars + testerName + "がメインメニューのダウンロード(待機中)になっています。" +
                                             "**********\n\n診断ソフトのオンラインを実行して下さい。" + HowToGoOnline);
    }
    return result;
}

int TesterLink::OpenLink() {
    LinkOpen = 0;
    CloseHandles();
    library_.Load(exeDir_);

    for (int attempt = 0; attempt < 3; ++attempt) {
        DeviceHandle = library_.Open();
        if (DeviceHandle != -1) {
            break;
        }
        Sleep(100);
    }
    if (DeviceHandle == -1) {
        Question("該当するUSBデバイスが見つからない！");
        DeviceHandle = 0;
        return LinkFailed;
    }
    // From here on a failure closes what was opened (without the closing exchange), so that a later
    // CloseLink finds nothing to do.
    auto fail = [this](int result) {
        Handshaking = 0;
        CloseHandles();
        LinkOpen = 0;
        return result;
    };
    auto openPipe = [this](int32_t direction) {
        PipeHandle pipe = -1;
        for (int attempt = 0; attempt < 3 && pipe == -1; ++attempt) {
            pipe = library_.OpenPipe(DeviceHandle, PipeInterface, direction);
            if (pipe == -1) {
                Sleep(100);
            }
        }
        return pipe;
    };
    InPipe = openPipe(1);
    if (InPipe == -1) {
        Question(NoResponse("(OpenPipe1)"));
        InPipe = 0;
        return fail(LinkFailed);
    }
    OutPipe = openPipe(0);
    if (OutPipe == -1) {
        Question(NoResponse("(OpenPipe0)"));
        OutPipe = 0;
        return fail(LinkFailed);
    }
    library_.ResetDevice(DeviceHandle);

    const int length = BuildCommand(GroupLink, 0, 0, 0);
    Handshaking = 1;
    LastResult = SendCommand(length);
    if (LastResult != LinkOk) {
        return fail(LastResult);
    }
    const int received = ReceiveAnswer();
    Handshaking = 0;
    if (received != LinkOk) {
        return fail(received);
    }
    LinkUsed = 1;
    LinkOpen = 1;
    if (CheckAnswer() != 0) {
        return fail(LinkFailed);
    }
    ReadCapabilities();
    return LinkOk;
}

void TesterLink::ReadCapabilities() {
    BufferSize = 0;
    AppLog = 0;
    BufferSize = DefaultBufferSize;
    const std::string_view text = IoText();
    bool tooLong = false;
    const std::string_view buff = CapabilityValue(text, "BUFF=", tooLong);
    // A size of zero (an empty or unreadable value) would make every later request empty: keep the default.
    if (text.find("BUFF=") != std::string_view::npos && !tooLong && HexValue(buff) != 0) {
        BufferSize = static_cast<int>(HexValue(buff));
    }
    AppLog = HexValue(CapabilityValue(text, "APP_LOG=", tooLong));
}

int TesterLink::SendCommand(int length) {
    static const Phase ordinary{"(7)", "(8)", "(9)", "(10)", false, true};
    return Send(length, ordinary);
}

int TesterLink::ReceiveAnswer() {
    static const Phase ordinary{"(7)", "(8)", "(9)", "(10)", false, true};
    return Receive(ordinary);
}

int TesterLink::Send(int length, const Phase& phase) {
    length = std::clamp(length, 0, static_cast<int>(TransferBufferSize));
    int result = LinkOk;
    {
        PollWatchdog watch;
        for (;;) {
            uint8_t ready = 0;
            if (!library_.VendorRequest(DeviceHandle, 1, USBQK_REQ_READY_TO_RECEIVE, 0, 1, &ready)) {
                watch.Stop();
                Question(NoResponse(phase.readyPollFailed));
                result = LinkFailed;
                break;
            }
            if (ready == Ready) {
                break;
            }
            if ((phase.alwaysTimeOut || Handshaking == 1) && watch.TimedOut()) {
                result = LinkTimedOut;
                break;
            }
            Sleep(1);
        }
    }
    if (result == LinkOk) {
        uint8_t announce[3] = {0, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length & 0xFF)};
        if (!library_.VendorRequest(DeviceHandle, 0, USBQK_REQ_OUT, 0, 3, announce)) {
            Question(NoResponse(phase.announceFailed));
            result = LinkFailed;
        } else if (UsbqkLibrary::WritePipe(OutPipe, IoBuffer.data(), static_cast<std::size_t>(length)) != length) {
            result = LinkFailed;
        }
    }
    if (phase.traced) {
        Trace();
    }
    return result;
}

int TesterLink::Receive(const Phase& phase) {
    uint8_t poll[3] = {0, 0, 0};
    {
        PollWatchdog watch;
        for (;;) {
            if (!library_.VendorRequest(DeviceHandle, 1, USBQK_REQ_ANSWER_READY, 0, 3, poll)) {
                watch.Stop();
                Question(NoResponse(phase.answerPollFailed));
                return LinkFailed;
            }
            if (poll[0] == Ready) {
                break;
            }
            if ((phase.alwaysTimeOut || Handshaking == 1) && watch.TimedOut()) {
                return LinkTimedOut;
            }
            Sleep(1);
        }
    }
    const std::size_t length = poll[1] + 256u * poll[2];
    uint8_t go[3] = {1, 0, 0};
    if (!library_.VendorRequest(DeviceHandle, 0, USBQK_REQ_OUT, 0, 3, go)) {
        Question(NoResponse(phase.goFailed));
        return LinkFailed;
    }
    std::fill(IoBuffer.begin(), IoBuffer.end(), 0);
    // One read; fewer bytes than announced are accepted. The last byte of the buffer stays zero.
    const long read = UsbqkLibrary::ReadPipe(InPipe, IoBuffer.data(), std::min(length, IoBuffer.size() - 1));
    if (read <= 0) {
        if (library_.Check(DeviceHandle) != 0) {
            Question("ターゲットデバイスが外されました!");
        }
        return LinkFailed;
    }
    if (phase.traced) {
        Trace();
    }
    return CheckReceivedFrame(IoBuffer);
}

int TesterLink::CheckAnswer() const {
    return CheckAnswerFrame(IoBuffer);
}

unsigned TesterLink::AnswerDataLength() const {
    return vanto::AnswerDataLength(IoBuffer);
}

std::string_view TesterLink::AnswerData() const {
    return vanto::AnswerData(IoBuffer);
}

std::string_view TesterLink::IoText() const {
    return ZeroTerminatedText(IoBuffer);
}

void TesterLink::Trace() const {
    AppendFileBytes(PathFromUtf8(traceFile_), IoText());
}

void TesterLink::CloseLink() {
    if (OutPipe == 0 && InPipe == 0 && DeviceHandle == 0) {
        return;
    }
    static const Phase closing{"(3)", "(4)", "(5)", "(6)", true, false};
    // A tester that was unplugged (already reported) cannot take the closing exchange: polling it would
    // only add a second, misleading message.
    if (DeviceHandle == 0 || library_.Check(DeviceHandle) == 0) {
        const int length = BuildCommand(GroupLink, 255, 0, 0);
        if (Send(length, closing) == LinkOk) {
            Receive(closing);
        }
    }
    CloseHandles();
    LinkOpen = 0;
}

int TesterLink::BuildCommand(int group, int selector, int first, int second) {
    const std::string_view payload(reinterpret_cast<const char*>(DataBuffer.data()), DataBuffer.size());
    return BuildCommandFrame(IoBuffer, group, selector, first, second, payload);
}

} // namespace vanto
