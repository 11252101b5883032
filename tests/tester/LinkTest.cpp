#include "tester/TesterLink.h"

#include "support/Emulator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

using namespace vanto;
using namespace vanto::test;

namespace {

const std::string HowTo = "\n\n <<<　操作方法　>>>\n    【メインメニュー画面】 ⇒ 【診断】 ⇒ 【自動車ﾒｰｶｰ選択画面】 ⇒ "
                          "【メインメニュー】 ⇒ 【オンライン】";
const std::string NotConnected = "***************テスターがUSBポートに接続されていません。***************\n\n"
                                 "診断機をUSBケーブルで接続して電源を入れて下さい。" +
                                 HowTo;
const std::string NotWaiting = "***************テスターが待機中になっていません。***************\n\n"
                               "診断ソフトのオンラインを実行して下さい。" +
                               HowTo;
const std::string Download = "***************テスターがメインメニューのダウンロード(待機中)になっています。"
                             "**********\n\n診断ソフトのオンラインを実行して下さい。" +
                             HowTo;

class Link : public ::testing::Test {
protected:
    void Use(const std::string& scenario) {
        emulator = std::make_unique<Emulator>(folder, scenario);
        link = std::make_unique<TesterLink>(dialogs, folder.Dir());
    }
    // Runs ConnectTester and returns its result; `elapsed` gets its duration.
    int Connect() {
        const auto start = std::chrono::steady_clock::now();
        const int result = link->ConnectTester("テスター");
        elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        return result;
    }
    int Exchange(int group, int selector, int first = 0, int second = 0) {
        const int sent = link->SendCommand(link->BuildCommand(group, selector, first, second));
        return sent != LinkOk ? sent : link->ReceiveAnswer();
    }
    void TearDown() override {
        link.reset();
        emulator.reset();
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<Emulator> emulator;
    std::unique_ptr<TesterLink> link;
    std::chrono::milliseconds elapsed{0};
};

TEST_F(Link, NoTesterShowsOnlyTheNotConnectedMessageAfterThreeAttempts) {
    Use(R"({"attached": false})");
    int pauses = 0; // one after each failed attempt
    link->PollHook = [&] { ++pauses; };
    EXPECT_EQ(Connect(), LinkFailed);
    EXPECT_EQ(pauses, 3);
    EXPECT_GE(elapsed.count(), 290);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Error);
    EXPECT_EQ(dialogs.Messages()[0].text, NotConnected);
    EXPECT_TRUE(emulator->Transcript().empty());
}

TEST_F(Link, MissingLibraryIsATesterThatIsNotAttached) {
    link = std::make_unique<TesterLink>(dialogs, folder.Dir());
    EXPECT_EQ(Connect(), LinkFailed);
    EXPECT_GE(elapsed.count(), 290);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{NotConnected});
}

TEST_F(Link, TesterNotOnlineGivesUpAfterASecondAndLeavesNothingOpen) {
    Use(R"({"online": false})");
    EXPECT_EQ(Connect(), LinkTimedOut);
    EXPECT_GE(elapsed.count(), 1000);
    ASSERT_EQ(dialogs.Texts(), std::vector<std::string>{NotWaiting});
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Error);
    EXPECT_EQ(link->DeviceHandle, 0);
    EXPECT_EQ(link->InPipe, 0);
    EXPECT_EQ(link->OutPipe, 0);
    // The caller's CloseLink finds nothing to close: no closing exchange, no further message.
    link->CloseLink();
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    for (const auto& line : emulator->Transcript()) {
        EXPECT_EQ(line.find("AB0000"), std::string::npos) << line;
    }
}

TEST_F(Link, DownloadModeIsReportedAndClosed) {
    Use(R"({"download_mode": true})");
    EXPECT_EQ(Connect(), LinkDownload);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{Download});
    EXPECT_EQ(link->LinkOpen, 0);
    EXPECT_EQ(link->DeviceHandle, 0);
}

TEST_F(Link, AnswerWithDownloadMarkAndApplicationVersionIsOrdinary) {
    Use(R"({"opening": {"status": "N000"}})");
    EXPECT_EQ(Connect(), LinkOk);
    EXPECT_NE(link->IoText().find("AAN000"), std::string::npos);
    EXPECT_EQ(link->LinkOpen, 1);
    EXPECT_EQ(link->LinkUsed, 1);
    EXPECT_TRUE(dialogs.Messages().empty());
}

struct CapabilityCase {
    const char* items;
    int bufferSize;
    uint32_t appLog;
};

class Capabilities : public Link, public ::testing::WithParamInterface<CapabilityCase> {};

TEST_P(Capabilities, FromTheOpeningAnswer) {
    Use(std::string(R"({"opening": {"items": )") + GetParam().items + "}}");
    ASSERT_EQ(Connect(), LinkOk);
    EXPECT_EQ(link->BufferSize, GetParam().bufferSize);
    EXPECT_EQ(link->AppLog, GetParam().appLog);
}

INSTANTIATE_TEST_SUITE_P(
    BuffAndAppLog, Capabilities,
    ::testing::Values(CapabilityCase{R"({"APP_V": "1.00"})", 11264, 0u},
                      CapabilityCase{R"({"APP_V": "1.00", "BUFF": "12345678", "APP_LOG": "80000001"})", 11264,
                                     0x80000001u},
                      CapabilityCase{R"({"APP_V": "1.00", "BUFF": "1000", "APP_LOG": "7FFFFFFF"})", 4096, 0x7FFFFFFFu},
                      CapabilityCase{R"({"APP_V": "1.00", "BUFF": "2C00", "APP_LOG": "80000000"})", 11264, 0x80000000u},
                      // A size of zero would make every later request empty: the default stays.
                      CapabilityCase{R"({"APP_V": "1.00", "BUFF": "", "APP_LOG": ""})", 11264, 0u},
                      CapabilityCase{R"({"APP_V": "1.00", "BUFF": "0"})", 11264, 0u}));

struct RejectCase {
    const char* name;
    const char* rule;
};

class Rejected : public Link, public ::testing::WithParamInterface<RejectCase> {};

TEST_P(Rejected, AnswerFailsTheChecksWithoutMessage) {
    Use(std::string(R"({"records": [{"entry": "EM0", "values": ["1", "2"]}], "faults": {"rules": [)") +
        GetParam().rule + "]}}");
    ASSERT_EQ(Connect(), LinkOk);
    EXPECT_EQ(Exchange(GroupLink, 5), LinkFailed);
    EXPECT_TRUE(dialogs.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Rejected,
    ::testing::Values(RejectCase{"ByteFFAtOffset1", R"({"command": "CB", "action": "byte_ff", "offset": 1})"},
                      RejectCase{"ByteFFAtLastDataByte",
                                 R"({"command": "CB", "action": "byte_ff", "offset": "last_data"})"},
                      RejectCase{"StatusA00", R"({"command": "CB", "action": "error", "status": "A00F"})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Link, UnpluggingDuringAReadIsReported) {
    Use(R"({"faults": {"rules": [{"command": "CB", "action": "unplug_in_read"}]}})");
    ASSERT_EQ(Connect(), LinkOk);
    EXPECT_EQ(Exchange(GroupLink, 5), LinkFailed);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "ターゲットデバイスが外されました!");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Question);
    // Closing a tester that has gone adds no second message and releases the handles.
    link->CloseLink();
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(link->DeviceHandle, 0);
    EXPECT_EQ(link->InPipe, 0);
}

TEST_F(Link, TraceHoldsEveryTracedFrameInOrderButNeverTheClosingExchange) {
    Use(R"({"records": [{"entry": "EM0", "values": ["12", "ABC"]}]})");
    ASSERT_EQ(Connect(), LinkOk);
    ASSERT_EQ(Exchange(GroupLink, 5), LinkOk);
    link->CloseLink();
    EXPECT_EQ(link->LinkOpen, 0);
    EXPECT_EQ(link->DeviceHandle, 0);

    const auto frames = emulator->Frames();
    ASSERT_EQ(frames.size(), 6u); // AA, its answer, CB, its answer, AB, its answer
    EXPECT_EQ(frames[4], std::string("\x02"
                                     "AB0000"
                                     "43\r\n"));
    std::string expected;
    for (std::size_t i = 0; i < 4; ++i) {
        expected += frames[i].substr(0, frames[i].find('\0'));
    }
    EXPECT_EQ(ReadBytes(folder / "LOG_OUT.BNY"), expected);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(Link, FailedOpeningAnswerClosesWhatWasOpened) {
    Use(R"({"opening": {"status": "A00F"}})");
    EXPECT_EQ(Connect(), LinkFailed);
    EXPECT_EQ(link->DeviceHandle, 0);
    EXPECT_EQ(link->InPipe, 0);
    EXPECT_EQ(link->OutPipe, 0);
    link->CloseLink();
    // A refused opening says nothing by itself: the user is told to put the tester online, once.
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{NotWaiting});
    EXPECT_EQ(link->ReportedFailures(), 1u);
    EXPECT_EQ(emulator->Transcript().size(), 2u); // only the opening exchange
}

TEST_F(Link, CloseLinkWithoutHandlesSendsNothing) {
    Use("{}");
    link->CloseLink();
    EXPECT_TRUE(emulator->Transcript().empty());
    EXPECT_TRUE(dialogs.Messages().empty());
}

} // namespace
