#include "tester/ui/WaitDialog.h"

#include "app/ui/FormSet.h"
#include "app/ui/MainForm.h"
#include "common/ui/Application.h"
#include "support/AppFixture.h"
#include "support/Emulator.h"
#include "tester/TesterLink.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

#include <fstream>
#include <memory>
#include <stdexcept>

using namespace vanto;
using namespace vanto::test;

namespace {

bool EmulatorMapped() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("libuusbqk") != std::string::npos) {
            return true;
        }
    }
    return false;
}

class TransferDriver : public AppFixture {
protected:
    void Begin(const std::string& scenario = "{}") {
        emulator = std::make_unique<Emulator>(folder, scenario);
        StartAndShow();
        wait = Forms().Wait;
        ASSERT_NE(wait, nullptr);
    }
    void TearDown() override {
        AppFixture::TearDown();
        emulator.reset();
    }
    bool TranscriptHasClose() const {
        for (const auto& line : emulator->Transcript()) {
            if (line.starts_with("PC> \\x02AB0000")) {
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<Emulator> emulator;
    WaitDialog* wait = nullptr;
};

TEST_F(TransferDriver, DialogAsCreated) {
    Begin();
    EXPECT_EQ(wait->windowTitle().toStdString(), "通信中・・・");
    EXPECT_NE(Named<QLabel>(wait, "ただいま通信中です。しばらくお待ちください。"), nullptr);
    EXPECT_FALSE(wait->PollPending());
}

TEST_F(TransferDriver, ListJobWithoutOpenLinkGivesTheMainFormBack) {
    Begin();
    main->hide();
    main->setEnabled(false);
    wait->StartJob(TesterJob::ReferenceList);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wait->PollPending(); }, 10000));
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(main->State.PendingJob, TesterJob::None);
    EXPECT_FALSE(wait->isVisible());
    EXPECT_TRUE(emulator->Transcript().empty());
}

TEST_F(TransferDriver, RegisteredHandBackRunsInsteadOfTheJobWhenTheLinkIsNotOpen) {
    Begin();
    int ran = 0;
    int handedBack = 0;
    qint64 handedBackAfter = 0;
    QElapsedTimer sinceStart;
    wait->RegisterJob(
        TesterJob::Continuous, [&] { return ++ran, false; },
        [&] { ++handedBack, handedBackAfter = sinceStart.elapsed(); });
    sinceStart.start();
    wait->StartJob(TesterJob::Continuous);
    EXPECT_TRUE(QTest::qWaitFor([&] { return handedBack > 0; }, 10000));
    // On the tick of the dialog's 200 ms timer (a coarse timer may come up to 5% early).
    EXPECT_GE(handedBackAfter, 190);
    EXPECT_EQ(ran, 0);
    EXPECT_EQ(handedBack, 1);
    EXPECT_EQ(main->State.PendingJob, TesterJob::None);
}

TEST_F(TransferDriver, JobOnTheOpenLinkEndsWithTheCommonEnd) {
    Begin(R"({"records": [{"entry": "EM0", "values": ["1"]}]})");
    std::string directory;
    wait->RegisterJob(
        TesterJob::Continuous,
        [&] {
            TesterLink& link = *main->Link;
            link.SendCommand(link.BuildCommand(GroupLink, 5, 0, 0));
            link.ReceiveAnswer();
            directory = std::string(link.AnswerData());
            return false;
        },
        nullptr);
    ASSERT_EQ(main->Link->ConnectTester(main->State.TesterName), LinkOk);
    wait->ShowForJob(TesterJob::Continuous);
    // The dialog's 200 ms timer runs the job.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !directory.empty() && !wait->isVisible(); }, 10000));
    EXPECT_EQ(directory, "EM0");
    EXPECT_EQ(main->State.PendingJob, TesterJob::None);
    EXPECT_EQ(main->Link->LinkOpen, 0);
    EXPECT_TRUE(TranscriptHasClose());
}

TEST_F(TransferDriver, JobThatThrowsEndsAndGivesItsFormBackBeforeTheMessage) {
    Begin();
    bool handedBack = false;
    wait->RegisterJob(
        TesterJob::Continuous, [&]() -> bool { throw std::runtime_error("表が大きすぎます"); },
        [&] { handedBack = !wait->isVisible(); });
    ASSERT_EQ(main->Link->ConnectTester(main->State.TesterName), LinkOk);
    Dialogs* previous = Application::Instance()->SetExceptionDialogs(&dialogs);
    wait->ShowForJob(TesterJob::Continuous);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.Messages().empty(); }, 10000));
    Application::Instance()->SetExceptionDialogs(previous);
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"表が大きすぎます"});
    EXPECT_TRUE(handedBack);
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(main->State.PendingJob, TesterJob::None);
    EXPECT_EQ(main->Link->LinkOpen, 0);
    EXPECT_TRUE(TranscriptHasClose());
}

TEST_F(TransferDriver, JobThatKeepsTheLinkSkipsTheCommonEnd) {
    Begin();
    bool ran = false;
    wait->RegisterJob(
        TesterJob::Continuous, [&] { return ran = true; }, nullptr);
    ASSERT_EQ(main->Link->ConnectTester(main->State.TesterName), LinkOk);
    wait->StartJob(TesterJob::Continuous);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 10000));
    EXPECT_EQ(main->Link->LinkOpen, 1);
    EXPECT_NE(main->Link->DeviceHandle, 0);
    EXPECT_FALSE(TranscriptHasClose());
}

TEST_F(TransferDriver, QuittingWithoutTesterContactCallsNothingInTheLibrary) {
    Begin();
    Press(main, "終　了");
    EXPECT_FALSE(EmulatorMapped());
    EXPECT_TRUE(emulator->Transcript().empty());
}

TEST_F(TransferDriver, QuittingAfterAJobClosesTheLinkOnceMore) {
    Begin();
    ASSERT_EQ(main->Link->ConnectTester(main->State.TesterName), LinkOk);
    main->Link->CloseLink();
    const auto framesBefore = emulator->Transcript().size();
    Press(main, "終　了");
    // Already closed: the exit's CloseLink finds nothing to do.
    EXPECT_EQ(emulator->Transcript().size(), framesBefore);
}

TEST_F(TransferDriver, QuittingWithTheLinkStillOpenClosesIt) {
    Begin();
    ASSERT_EQ(main->Link->ConnectTester(main->State.TesterName), LinkOk);
    EXPECT_FALSE(TranscriptHasClose());
    Press(main, "終　了");
    EXPECT_TRUE(TranscriptHasClose());
    EXPECT_EQ(main->Link->DeviceHandle, 0);
}

} // namespace
