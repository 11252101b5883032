#include "support/RegisterForms.h"

#include "register/MonitorFiles.h"
#include "register/ui/VehicleInfoForm.h"

#include <QPlainTextEdit>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

class CarInfoForm : public RegisterForms {
protected:
    VehicleInfoForm* OpenCarInfoForm() {
        StartAndShow();
        Press(main, "テスターよりモニタデータ読み込み");
        Press(Forms().MonitorMenu, "データ取込・印刷");
        return Forms().VehicleInfo;
    }
    // Gives a vehicle an index with records and their files.
    void Records(const std::string& customer, const std::string& vehicle, const std::vector<std::string>& titles) {
        const std::string folder = Reg().VehicleFolder(customer, vehicle) + "/";
        std::string index;
        for (const auto& title : titles) {
            index += title + "\r\n";
            WriteBytes(PathFromUtf8(folder + title + ".MONDT"), Sjis(title + "の値1\r\n2\r\n"));
        }
        WriteBytes(PathFromUtf8(folder + "ﾓﾆﾀ.DT"), Sjis(index));
    }
};

TEST_F(CarInfoForm, NoCustomersLeavesOnlyReturn) {
    Seed({});
    VehicleInfoForm* f = OpenCarInfoForm();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "データ取込・印刷");
    EXPECT_EQ(Items(f->customerCombo_), std::vector<std::string>{"データは登録されていません。"});
    for (QPushButton* b :
         {f->importButton_, f->removeRecordButton_, f->printButton_, f->exportButton_, f->searchButton_}) {
        EXPECT_FALSE(b->isEnabled()) << T(b->objectName());
    }
    EXPECT_TRUE(f->backButton_->isEnabled());
    f->backButton_->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().MonitorMenu->isVisible());
}

TEST_F(CarInfoForm, CustomerWithoutVehiclesDisablesTheVehicleButtons) {
    Seed({{"山田", {}}});
    Reg().WriteCustomerField("山田", "TEL", "03-1234-5678");
    VehicleInfoForm* f = OpenCarInfoForm();
    EXPECT_EQ(T(f->customerCombo_->currentText()), "山田");
    EXPECT_EQ(T(f->phone1Edit_->text()), "03");
    EXPECT_EQ(T(f->phone3Edit_->text()), "5678");
    EXPECT_EQ(T(f->postCode1Edit_->text()), "000");
    EXPECT_EQ(f->vehicleCombo_->count(), 0);
    for (QPushButton* b : {f->importButton_, f->removeRecordButton_, f->printButton_, f->exportButton_}) {
        EXPECT_FALSE(b->isEnabled()) << T(b->objectName());
    }
    EXPECT_TRUE(f->searchButton_->isEnabled());
}

TEST_F(CarInfoForm, ShowsTheCurrentVehicleWithItsRecords) {
    Seed({{"山田", {"A1", "B2"}}});
    Reg().WriteCustomerField("山田", "CAR_NO", "B2");
    Reg().WriteVehicleFields("山田", "B2", {{"MAKER", "日産"}, {"TYPE", "DBA-1"}, {"MILEAGE", "12000"}});
    Records("山田", "B2", {"モニタ記録１2026年1月1日1時1分1秒", "自己診断記録２2026年1月2日1時1分1秒"});
    VehicleInfoForm* f = OpenCarInfoForm();
    EXPECT_EQ(Items(f->vehicleCombo_), (std::vector<std::string>{"A1", "B2"}));
    EXPECT_EQ(T(f->vehicleCombo_->currentText()), "B2");
    EXPECT_EQ(T(f->managementNumberCombo_->currentText()), "2");
    EXPECT_EQ(T(f->makerEdit_->text()), "日産");
    EXPECT_EQ(T(f->typeEdit_->text()), "DBA-1");
    EXPECT_EQ(T(f->hiddenTypeEdit_->text()), "DBA-1");
    EXPECT_EQ(T(f->mileageEdit_->text()), "12000");
    EXPECT_EQ(f->firstRecordCombo_->count(), 2);
    EXPECT_EQ(f->firstRecordCombo_->currentIndex(), 0);
    EXPECT_EQ(f->secondRecordCombo_->currentIndex(), 0);
    EXPECT_EQ(T(f->firstRecordMemo_->toPlainText()), "モニタ記録１2026年1月1日1時1分1秒の値1\n2");
    EXPECT_EQ(f->secondRecordMemo_->toPlainText(), f->firstRecordMemo_->toPlainText());
    // The update form is kept in step.
    EXPECT_EQ(Items(Forms().VehicleUpdate->vehicleCombo_), (std::vector<std::string>{"A1", "B2"}));
    EXPECT_EQ(Forms().VehicleUpdate->vehicleCombo_->currentIndex(), 1);
    EXPECT_EQ(Forms().VehicleUpdate->folderTimeCombo_->count(), 2);

    f->secondRecordCombo_->setCurrentIndex(1);
    f->SecondRecordChosen();
    EXPECT_EQ(T(f->secondRecordMemo_->toPlainText()), "自己診断記録２2026年1月2日1時1分1秒の値1\n2");
}

TEST_F(CarInfoForm, MissingIndexAndRecordFilesReadAsEmpty) {
    Seed({{"山田", {"A1"}}});
    fs::remove(folder / "お客様/山田/A1/ﾓﾆﾀ.DT");
    VehicleInfoForm* f = OpenCarInfoForm();
    EXPECT_EQ(f->firstRecordCombo_->count(), 0);
    Records("山田", "A1", {"gone"});
    fs::remove(folder / "お客様/山田/A1/gone.MONDT");
    f->LoadVehicle();
    EXPECT_EQ(f->firstRecordCombo_->count(), 1);
    EXPECT_TRUE(f->firstRecordMemo_->toPlainText().isEmpty());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(CarInfoForm, ManagementNumberRevertsOutOfRangeAndSelectsByFolderTime) {
    Seed({{"山田", {"C3", "A1", "B2"}}}); // created in this order, so listed in this order
    VehicleInfoForm* f = OpenCarInfoForm();
    EXPECT_EQ(Items(f->vehicleCombo_), (std::vector<std::string>{"C3", "A1", "B2"}));
    ASSERT_EQ(T(f->vehicleCombo_->currentText()), "C3");
    for (const char* typed : {"0", "4", ""}) {
        f->managementNumberCombo_->setEditText(typed);
        f->ManagementNumberChosen();
        EXPECT_EQ(T(f->managementNumberCombo_->currentText()), "1") << typed;
        EXPECT_EQ(T(f->vehicleCombo_->currentText()), "C3") << typed;
    }
    f->managementNumberCombo_->setEditText("2");
    f->ManagementNumberChosen();
    EXPECT_EQ(T(f->vehicleCombo_->currentText()), "A1");
    EXPECT_EQ(f->CurrentVehicle(), "A1");
    // A typed vehicle number without profile reverts to the current vehicle.
    f->vehicleCombo_->setEditText("ZZ");
    f->VehicleChosen();
    EXPECT_EQ(T(f->vehicleCombo_->currentText()), "A1");
    f->vehicleCombo_->setEditText("B2");
    f->VehicleChosen();
    EXPECT_EQ(f->CurrentVehicle(), "B2");
    EXPECT_EQ(T(f->managementNumberCombo_->currentText()), "3");
}

TEST_F(CarInfoForm, RemovingARecordKeepsABackupAndTheRecordFile) {
    Seed({{"山田", {"A1"}}});
    const std::vector<std::string> titles{"T1", "T2", "T3"};
    Records("山田", "A1", titles);
    VehicleInfoForm* f = OpenCarInfoForm();
    f->firstRecordCombo_->setCurrentIndex(1);
    f->removeRecordButton_->click();
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ_BK.DT"), "T1\r\nT2\r\nT3\r\n");
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ.DT"), "T1\r\nT3\r\n");
    EXPECT_TRUE(Exists("お客様/山田/A1/T2.MONDT"));
    EXPECT_EQ(Items(f->firstRecordCombo_), (std::vector<std::string>{"T1", "T3"}));
    EXPECT_FALSE(f->ReloadOnShow);

    f->firstRecordCombo_->setCurrentIndex(0);
    f->removeRecordButton_->click();
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ_BK.DT"), "T1\r\nT3\r\n");
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ.DT"), "T3\r\n");
    EXPECT_EQ(T(f->firstRecordMemo_->toPlainText()), "T3の値1\n2");
}

TEST_F(CarInfoForm, ExportWritesTheLinesInShiftJis) {
    Seed({{"山田", {"品川500あ1234"}}});
    Reg().WriteVehicleFields("山田", "品川500あ1234", {{"BODY_NUMBER", "ZVW50-1"}, {"MAKER", "トヨタ"}});
    Records("山田", "品川500あ1234", {"R1"});
    VehicleInfoForm* f = OpenCarInfoForm();
    const std::string target = folder.Dir() + "export.txt";
    dialogs.QueueFile(target);
    f->exportButton_->click();
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].fileName, "山田様-26年12月6日7時5分9秒");
    EXPECT_EQ(dialogs.FileDialogs()[0].defaultExtension, "txt");
    EXPECT_EQ(dialogs.FileDialogs()[0].filter, "テキストファイル|*.txt");
    EXPECT_EQ(ReadBytes(PathFromUtf8(target)), Sjis("お　客　様　名：山田様\r\n\r\n車　両　番　号：品川500あ1234\r\n"
                                                    "メ　ー　カ　ー：トヨタ\r\n車　台　番　号：ZVW50-1\r\n"
                                                    "\r\nデータ：R1\r\n　　　R1の値1\r\n　　　2\r\n"
                                                    "\r\nデータ：R1\r\n　　　R1の値1\r\n　　　2\r\n"));
}

// Qt selects the first entry by itself when items go into an empty list; a customer whose current vehicle is
// empty or names no listed vehicle must show no vehicle at all, here and in the vehicle update form.
TEST_F(CarInfoForm, NoCurrentVehicleSelectsNothing) {
    for (const std::string carNo : {"", "廃車"}) {
        Seed({{"山田", {"A1", "B2"}}});
        Reg().WriteCustomerField("山田", "CAR_NO", carNo);
        VehicleInfoForm* f = OpenCarInfoForm();
        EXPECT_EQ(f->vehicleCombo_->count(), 2);
        EXPECT_EQ(f->vehicleCombo_->currentIndex(), -1) << carNo;
        EXPECT_EQ(f->managementNumberCombo_->currentIndex(), -1) << carNo;
        EXPECT_TRUE(f->managementNumberCombo_->currentText().isEmpty()) << carNo;
        EXPECT_EQ(Forms().VehicleUpdate->vehicleCombo_->currentIndex(), -1) << carNo;
        const std::string target = folder.Dir() + "export.txt";
        dialogs.QueueFile(target);
        f->exportButton_->click();
        EXPECT_EQ(ReadBytes(PathFromUtf8(target)), Sjis("お　客　様　名：山田様\r\n\r\n車　両　番　号：\r\n"
                                                        "\r\nデータ：\r\n\r\nデータ：\r\n"))
            << carNo;
        TearDown();
    }
}

TEST_F(CarInfoForm, ExportThatCannotBeWrittenIsReported) {
    Seed({{"山田", {"A1"}}});
    VehicleInfoForm* f = OpenCarInfoForm();
    const std::string target = folder.Dir() + "missing/export.txt";
    dialogs.QueueFile(target);
    f->exportButton_->click();
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"ファイル「" + target + "」を作成できませんでした。"});
    // A cancelled dialog writes nothing and says nothing.
    f->exportButton_->click();
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(CarInfoForm, SearchChoosesCustomerAndVehicle) {
    Seed({{"山田", {"A1"}}, {"佐藤", {"S1", "S2"}}});
    VehicleInfoForm* f = OpenCarInfoForm();
    WhileSearchIsOpen([](CustomerSearchDialog* search) {
        EXPECT_TRUE(search->IncludesVehicles());
        ChooseResult(search, QString::fromUtf8("佐藤/S2"));
    });
    f->searchButton_->click();
    EXPECT_EQ(T(f->customerCombo_->currentText()), "佐藤");
    EXPECT_EQ(f->CurrentVehicle(), "S2");
    EXPECT_EQ(T(f->managementNumberCombo_->currentText()), "2");
    EXPECT_EQ(Forms().VehicleUpdate->customerCombo_->currentIndex(), 1);
}

} // namespace
