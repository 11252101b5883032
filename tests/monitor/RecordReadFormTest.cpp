#include "support/RegisterForms.h"

#include "monitor/ui/RecordReadForm.h"
#include "register/ui/VehicleInfoForm.h"
#include "support/Emulator.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QTest>

#include <filesystem>
#include <memory>
#include <set>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

std::string Frame(const std::string& body) {
    unsigned sum = 0;
    for (unsigned char c : body) {
        sum += c;
    }
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", sum % 256);
    return "\x02" + body + digits + "\r\n";
}

const std::string Title = "モニタ記録２2026年12月6日7時5分9秒";
const std::string VehicleDir = "お客様/山田/品川500あ1234/";

class ReadingRecords : public RegisterForms {
protected:
    // Opens the vehicle form from the main menu and presses data import; returns the record reading form once
    // the record directory has filled it.
    RecordReadForm* Import(const std::string& scenario) {
        emulator = std::make_unique<Emulator>(folder, scenario);
        Seed({{"山田", {"品川500あ1234"}}});
        StartAndShow();
        main->monitorDataButton_->click();
        Forms().MonitorMenu->vehicleInfoButton_->click();
        ProcessEvents();
        vehicleForm = Forms().VehicleInfo;
        Press(vehicleForm, "データ取り込み");
        EXPECT_TRUE(QTest::qWaitFor([] { return Forms().RecordRead->isVisible(); }, 10000));
        return Forms().RecordRead;
    }
    void TearDown() override {
        RegisterForms::TearDown();
        emulator.reset();
    }
    std::vector<std::string> Lines(RecordReadForm* form) const { return Items(form->recordCombo_); }
    std::vector<std::string> FramesFromPc() const { return emulator->FramesFromPc(); }
    std::set<std::string> VehicleFiles() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder / VehicleDir)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

    std::unique_ptr<Emulator> emulator;
    VehicleInfoForm* vehicleForm = nullptr;
};

const char* ThreeRecords = R"({"records": [{"entry": "EM0", "values": ["12", "ABC"]},
                                           {"entry": "ED1", "values": ["P0101"]},
                                           {"entry": "AM3", "values": ["x"]}]})";

TEST_F(ReadingRecords, DirectoryListsTheRecordNames) {
    RecordReadForm* f = Import(ThreeRecords);
    ASSERT_TRUE(f->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "モニタデータ読み込み選択");
    EXPECT_EQ(Lines(f), (std::vector<std::string>{"モニタ記録１", "自己診断記録２", "作業サポート記録４"}));
    EXPECT_EQ(f->recordCombo_->currentIndex(), 0);
    EXPECT_TRUE(f->readButton_->isEnabled());
    EXPECT_FALSE(vehicleForm->isVisible());
    EXPECT_FALSE(Enabled(vehicleForm, "戻　　る"));
    EXPECT_EQ(main->Link->LinkOpen, 0);     // consumed by the job
    EXPECT_NE(main->Link->DeviceHandle, 0); // but open for this form
}

TEST_F(ReadingRecords, EmptyDirectoryDisablesTheReadButton) {
    RecordReadForm* f = Import(R"({"records": []})");
    ASSERT_TRUE(f->isVisible());
    EXPECT_EQ(Lines(f), std::vector<std::string>{"テスターにデータが有りません。"});
    EXPECT_FALSE(f->readButton_->isEnabled());
    f->backButton_->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(vehicleForm->isVisible());
    EXPECT_TRUE(Enabled(vehicleForm, "戻　　る"));
    EXPECT_EQ(main->Link->DeviceHandle, 0); // hiding the form closed the link
}

TEST_F(ReadingRecords, SecondLineReadsItsOwnEntryAndFilesTheRecord) {
    RecordReadForm* f = Import(R"({"records": [{"entry": "EM0", "values": ["1"]},
                                             {"entry": "EM1", "data": {"hex": "31 32 2C 83 5C 2C 2C 33 2E 35"}}]})");
    f->recordCombo_->setCurrentIndex(1);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->readButton_->click();
    ASSERT_EQ(dialogs.Texts(), std::vector<std::string>{"データの登録を行います、よろしいですか？"});
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Question);
    EXPECT_EQ(FramesFromPc().at(2), Frame("DA0003EM1"));
    EXPECT_EQ(File(VehicleDir + "ﾓﾆﾀ.DT"), Sjis(Title + "\r\n"));
    // The values exactly as the tester sent them, one per line.
    EXPECT_EQ(File(VehicleDir + Title + ".MONDT"), "12\r\n\x83\x5C\r\n\r\n3.5\r\n");
}

TEST_F(ReadingRecords, UnknownEntriesDoNotShiftTheLines) {
    RecordReadForm* f = Import(R"({"records": [{"entry": "XX0", "values": ["no"]},
                                             {"entry": "EA2", "values": ["yes"]}]})");
    EXPECT_EQ(Lines(f), std::vector<std::string>{"アクティブ記録３"});
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->readButton_->click();
    EXPECT_EQ(FramesFromPc().at(2), Frame("DA0003EA2"));
}

TEST_F(ReadingRecords, CancelChangesNothingAndKeepsTheFormAndLinkOpen) {
    RecordReadForm* f = Import(ThreeRecords);
    const auto before = VehicleFiles();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    f->readButton_->click();
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(VehicleFiles(), before);
    EXPECT_EQ(File(VehicleDir + "ﾓﾆﾀ.DT"), "");
    EXPECT_NE(main->Link->DeviceHandle, 0);
    for (const auto& frame : FramesFromPc()) {
        EXPECT_FALSE(frame.starts_with("\x02"
                                       "AB"))
            << "the link was closed";
    }
}

TEST_F(ReadingRecords, ReceiveFailureWritesNothing) {
    RecordReadForm* f =
        Import(std::string(R"({"records": [{"entry": "EM0", "values": ["1"]}], "faults": {"rules": [)") +
               R"({"command": "DA", "action": "error"}]}})");
    const auto before = VehicleFiles();
    f->readButton_->click();
    // A refused answer: the link says nothing, so the form says the communication failed, once.
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"正常な通信が出来ません！"});
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(vehicleForm->isVisible());
    EXPECT_TRUE(Enabled(vehicleForm, "戻　　る"));
    EXPECT_EQ(VehicleFiles(), before);
    EXPECT_EQ(File(VehicleDir + "ﾓﾆﾀ.DT"), "");
}

TEST_F(ReadingRecords, WholePathFromTheMainMenuToTheRecordFile) {
    RecordReadForm* f = Import(R"({"records": [{"entry": "ED0", "values": ["old"]},
                                             {"entry": "EM1", "values": ["12", "ABC", "", "3.5"]}]})");
    WriteBytes(folder / (VehicleDir + "ﾓﾆﾀ.DT"), Sjis("前の記録\r\n"));
    f->recordCombo_->setCurrentIndex(1);
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->readButton_->click();

    // Frame by frame: opening, directory, read, closing (on hiding the form).
    EXPECT_EQ(FramesFromPc(),
              (std::vector<std::string>{Frame("AA0000"), Frame("CB0000"), Frame("DA0003EM1"), Frame("AB0000")}));
    const auto transcript = emulator->Transcript();
    ASSERT_EQ(transcript.size(), 8u);
    for (std::size_t i = 1; i < 8; i += 2) {
        EXPECT_TRUE(transcript[i].starts_with("TS> \\x02" + transcript[i - 1].substr(8, 2) + "0000")) << transcript[i];
    }
    EXPECT_EQ(File(VehicleDir + Title + ".MONDT"), "12\r\nABC\r\n\r\n3.5\r\n");
    EXPECT_EQ(File(VehicleDir + "ﾓﾆﾀ.DT"), Sjis("前の記録\r\n" + Title + "\r\n"));

    // Back in the vehicle form, the new record is listed last.
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(vehicleForm->isVisible());
    EXPECT_TRUE(vehicleForm->isEnabled());
    EXPECT_TRUE(Enabled(vehicleForm, "戻　　る"));
    EXPECT_FALSE(vehicleForm->ReloadOnShow);
    EXPECT_EQ(Items(vehicleForm, "データ①"), (std::vector<std::string>{"前の記録", Title}));
    EXPECT_EQ(main->Link->DeviceHandle, 0);
}

TEST_F(ReadingRecords, NoTesterGivesTheVehicleFormBack) {
    emulator = std::make_unique<Emulator>(folder, R"({"attached": false})");
    Seed({{"山田", {"品川500あ1234"}}});
    StartAndShow();
    main->monitorDataButton_->click();
    Forms().MonitorMenu->vehicleInfoButton_->click();
    Press(Forms().VehicleInfo, "データ取り込み");
    EXPECT_TRUE(QTest::qWaitFor([&] { return main->State.PendingJob == TesterJob::None; }, 10000));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(Forms().VehicleInfo->isVisible());
    EXPECT_TRUE(Forms().VehicleInfo->isEnabled());
    EXPECT_FALSE(Forms().RecordRead->isVisible());
    EXPECT_EQ(main->State.PendingJob, TesterJob::None);
}

} // namespace
