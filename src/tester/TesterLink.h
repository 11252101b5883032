// The link to the tester: finding and opening it, the flow-control handshake around every frame, the opening
// and closing exchanges, the command frames, the answer checks and the communication trace LOG_OUT.BNY.
//
// Everything runs on the calling (user-interface) thread; only the one-second watchdogs run beside it.
#pragma once

#include "tester/Frames.h"
#include "tester/UsbqkLibrary.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vanto {

class Dialogs;

// Result codes of the link operations.
enum LinkResult : int {
    LinkOk = 0,
    LinkFailed = -1,   // its message has already been shown
    LinkTimedOut = -2, // the tester did not react while polling
    LinkDownload = -3, // the tester answered from its download (waiting) mode
};

inline constexpr std::size_t TransferBufferSize = 66'560;
// A job's message when an exchange failed and the link said nothing itself (a refused or unusable answer).
inline constexpr const char* CommunicationFailedText = "正常な通信が出来ません！";

// What the wait dialog says while a tester job runs (followed by " k / n" for a job of n steps).
inline constexpr const char* WaitingText = "ただいま通信中です。しばらくお待ちください。";
inline constexpr int DefaultBufferSize = 0x2C00; // 11,264

class TesterLink {
public:
    TesterLink(Dialogs& dialogs, std::string exeDir);
    // Releases handles that are still open, without the closing exchange.
    ~TesterLink();
    TesterLink(const TesterLink&) = delete;
    TesterLink& operator=(const TesterLink&) = delete;

    // Link fields.
    int32_t DeviceHandle = 0;
    PipeHandle InPipe = 0;
    PipeHandle OutPipe = 0;
    uint8_t PipeInterface = 0;
    uint8_t Handshaking = 0;
    int32_t LinkOpen = 0;
    int32_t LinkUsed = 0;
    int LastResult = 0;
    int BufferSize = 0;
    uint32_t AppLog = 0;

    // Transfer buffers: the frame before sending and the answer after receiving; the payload of a
    // reference-value write and the last record directory.
    std::vector<uint8_t> IoBuffer;
    std::vector<uint8_t> DataBuffer;
    std::vector<uint8_t> DirectoryCopy;

    // Called between polls (so the wait dialog keeps repainting) and at the start of ConnectTester.
    std::function<void()> PollHook;
    std::function<void()> ConnectHook;

    bool ProbeTester();
    int ConnectTester(const std::string& testerName);
    int OpenLink();
    int SendCommand(int length);
    int ReceiveAnswer();
    void CloseLink();

    // Builds a command frame in IoBuffer; returns its length, 0 for an unknown command.
    int BuildCommand(int group, int selector, int first, int second);
    // 0 for a valid answer in IoBuffer, -1 otherwise.
    int CheckAnswer() const;
    // The answer's data length field.
    unsigned AnswerDataLength() const;
    // The answer's data, cut to what IoBuffer holds.
    std::string_view AnswerData() const;
    // IoBuffer up to its first zero byte.
    std::string_view IoText() const;

    // See FindNumber in tester/Frames.h.
    static int32_t FindNumber(int mode, std::string_view key, std::string_view text) {
        return vanto::FindNumber(mode, key, text);
    }
    // True when the answer in IoBuffer was refused with the status "A00".
    bool AnswerRefused() const { return IsRefusal(IoBuffer); }

    // How many failures the link has reported with a message of its own so far. A job compares it before and
    // after its exchanges: when the link already told the user, the job adds no second message.
    unsigned ReportedFailures() const { return reported_; }

    bool LibraryLoaded();
    const std::string& TraceFile() const { return traceFile_; }

private:
    struct Phase;
    int Send(int length, const Phase& phase);
    int Receive(const Phase& phase);
    void Question(const std::string& text);
    void Sleep(int ms) const;
    void Trace() const;
    void CloseHandles();
    void ReadCapabilities();

    Dialogs& dialogs_;
    unsigned reported_ = 0;
    std::string exeDir_;
    std::string traceFile_;
    UsbqkLibrary library_;
};

// Watches a job: whether the link reported a failure with a message of its own since the job began. A job that
// failed shows its own message only when the link has not: the user gets one message for one failure.
class LinkReportWatch {
public:
    explicit LinkReportWatch(const TesterLink& link) : link_(link), at_(link.ReportedFailures()) {}
    bool LinkReported() const { return link_.ReportedFailures() != at_; }

private:
    const TesterLink& link_;
    unsigned at_;
};

} // namespace vanto
