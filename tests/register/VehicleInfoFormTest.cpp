#include "support/RegisterForms.h"

#include "register/MonitorFiles.h"
#include "register/ui/VehicleInfoForm.h"

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

class VehicleInfoFormTest : public RegisterForms {
protected:
    VehicleInfoForm* OpenVehicleInfoForm() {
        OpenFromMonitorMenu("データ取込・印刷");
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

TEST_F(VehicleInfoFormTest, NoCustomersLeavesOnlyReturn) {
    Seed({});
    VehicleInfoForm* f = OpenVehicleInfoForm();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "データ取込・印刷");
    EXPECT_EQ(Items(f, "お客様名"), std::vector<std::string>{"データは登録されていません。"});
    for (const char* caption : {"データ取り込み", "データ削除", "印　　刷", "ファイル出力", "検　　索"}) {
        EXPECT_FALSE(Enabled(f, caption)) << caption;
    }
    Press(f, "戻　　る");
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().MonitorMenu->isVisible());
}

TEST_F(VehicleInfoFormTest, CustomerWithoutVehiclesDisablesTheVehicleButtons) {
    Seed({{"山田", {}}});
    Reg().WriteCustomerField("山田", "TEL", "03-1234-5678");
    VehicleInfoForm* f = OpenVehicleInfoForm();
    EXPECT_EQ(TextOf(f, "お客様名"), "山田");
    EXPECT_EQ(TextOf(f, "電話番号1"), "03");
    EXPECT_EQ(TextOf(f, "電話番号3"), "5678");
    EXPECT_EQ(TextOf(f, "郵便番号1"), "000");
    EXPECT_EQ(Named<QComboBox>(f, "車両番号")->count(), 0);
    for (const char* caption : {"データ取り込み", "データ削除", "印　　刷", "ファイル出力"}) {
        EXPECT_FALSE(Enabled(f, caption)) << caption;
    }
    EXPECT_TRUE(Enabled(f, "検　　索"));
}

TEST_F(VehicleInfoFormTest, ShowsTheCurrentVehicleWithItsRecords) {
    Seed({{"山田", {"A1", "B2"}}});
    Reg().WriteCustomerField("山田", "CAR_NO", "B2");
    Reg().WriteVehicleFields("山田", "B2", {{"MAKER", "日産"}, {"TYPE", "DBA-1"}, {"MILEAGE", "12000"}});
    Records("山田", "B2", {"モニタ記録１2026年1月1日1時1分1秒", "自己診断記録２2026年1月2日1時1分1秒"});
    VehicleInfoForm* f = OpenVehicleInfoForm();
    EXPECT_EQ(Items(f, "車両番号"), (std::vector<std::string>{"A1", "B2"}));
    EXPECT_EQ(TextOf(f, "車両番号"), "B2");
    EXPECT_EQ(TextOf(f, "管理番号"), "2");
    EXPECT_EQ(TextOf(f, "メーカー"), "日産");
    EXPECT_EQ(TextOf(f, "型式"), "DBA-1");
    EXPECT_EQ(TextOf(f, "型式", 1), "DBA-1");
    EXPECT_EQ(TextOf(f, "走行距離"), "12000");
    EXPECT_EQ(Named<QComboBox>(f, "データ①")->count(), 2);
    EXPECT_EQ(Named<QComboBox>(f, "データ①")->currentIndex(), 0);
    EXPECT_EQ(Named<QComboBox>(f, "データ②")->currentIndex(), 0);
    EXPECT_EQ(TextOf(f, "データ①の内容"), "モニタ記録１2026年1月1日1時1分1秒の値1\n2");
    EXPECT_EQ(TextOf(f, "データ②の内容"), TextOf(f, "データ①の内容"));
    // The update form is kept in step.
    EXPECT_EQ(Items(Forms().VehicleUpdate, "車両番号"), (std::vector<std::string>{"A1", "B2"}));
    EXPECT_EQ(Named<QComboBox>(Forms().VehicleUpdate, "車両番号")->currentIndex(), 1);
    EXPECT_EQ(Forms().VehicleUpdate->Selection().Vehicles.size(), 2u);

    Choose(f, "データ②", "自己診断記録２2026年1月2日1時1分1秒");
    EXPECT_EQ(TextOf(f, "データ②の内容"), "自己診断記録２2026年1月2日1時1分1秒の値1\n2");
}

TEST_F(VehicleInfoFormTest, MissingIndexAndRecordFilesReadAsEmpty) {
    Seed({{"山田", {"A1"}}});
    fs::remove(folder / "お客様/山田/A1/ﾓﾆﾀ.DT");
    VehicleInfoForm* f = OpenVehicleInfoForm();
    EXPECT_EQ(Named<QComboBox>(f, "データ①")->count(), 0);
    Records("山田", "A1", {"gone"});
    fs::remove(folder / "お客様/山田/A1/gone.MONDT");
    f->LoadVehicle();
    EXPECT_EQ(Named<QComboBox>(f, "データ①")->count(), 1);
    EXPECT_TRUE(TextOf(f, "データ①の内容").empty());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(VehicleInfoFormTest, ManagementNumberRevertsOutOfRangeAndSelectsByFolderTime) {
    Seed({{"山田", {"C3", "A1", "B2"}}}); // created in this order, so listed in this order
    VehicleInfoForm* f = OpenVehicleInfoForm();
    EXPECT_EQ(Items(f, "車両番号"), (std::vector<std::string>{"C3", "A1", "B2"}));
    ASSERT_EQ(TextOf(f, "車両番号"), "C3");
    for (const char* typed : {"0", "4", ""}) {
        TypeOver(f, "管理番号", typed);
        EXPECT_EQ(TextOf(f, "管理番号"), "1") << typed;
        EXPECT_EQ(TextOf(f, "車両番号"), "C3") << typed;
    }
    TypeOver(f, "管理番号", "2");
    EXPECT_EQ(TextOf(f, "車両番号"), "A1");
    EXPECT_EQ(f->CurrentVehicle(), "A1");
    // A typed vehicle number without profile reverts to the current vehicle.
    TypeOver(f, "車両番号", "ZZ");
    EXPECT_EQ(TextOf(f, "車両番号"), "A1");
    TypeOver(f, "車両番号", "B2");
    EXPECT_EQ(f->CurrentVehicle(), "B2");
    EXPECT_EQ(TextOf(f, "管理番号"), "3");
}

TEST_F(VehicleInfoFormTest, RemovingARecordKeepsABackupAndTheRecordFile) {
    Seed({{"山田", {"A1"}}});
    const std::vector<std::string> titles{"T1", "T2", "T3"};
    Records("山田", "A1", titles);
    VehicleInfoForm* f = OpenVehicleInfoForm();
    Named<QComboBox>(f, "データ①")->setCurrentIndex(1);
    Press(f, "データ削除");
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ_BK.DT"), "T1\r\nT2\r\nT3\r\n");
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ.DT"), "T1\r\nT3\r\n");
    EXPECT_TRUE(Exists("お客様/山田/A1/T2.MONDT"));
    EXPECT_EQ(Items(f, "データ①"), (std::vector<std::string>{"T1", "T3"}));
    EXPECT_FALSE(f->ReloadOnShow);

    Named<QComboBox>(f, "データ①")->setCurrentIndex(0);
    Press(f, "データ削除");
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ_BK.DT"), "T1\r\nT3\r\n");
    EXPECT_EQ(File("お客様/山田/A1/ﾓﾆﾀ.DT"), "T3\r\n");
    EXPECT_EQ(TextOf(f, "データ①の内容"), "T3の値1\n2");
}

TEST_F(VehicleInfoFormTest, ExportWritesTheLinesInShiftJis) {
    Seed({{"山田", {"品川500あ1234"}}});
    Reg().WriteVehicleFields("山田", "品川500あ1234", {{"BODY_NUMBER", "ZVW50-1"}, {"MAKER", "トヨタ"}});
    Records("山田", "品川500あ1234", {"R1"});
    VehicleInfoForm* f = OpenVehicleInfoForm();
    const std::string target = folder.Dir() + "export.txt";
    dialogs.QueueFile(target);
    Press(f, "ファイル出力");
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
TEST_F(VehicleInfoFormTest, NoCurrentVehicleSelectsNothing) {
    for (const std::string carNo : {"", "廃車"}) {
        Seed({{"山田", {"A1", "B2"}}});
        Reg().WriteCustomerField("山田", "CAR_NO", carNo);
        VehicleInfoForm* f = OpenVehicleInfoForm();
        EXPECT_EQ(Named<QComboBox>(f, "車両番号")->count(), 2);
        EXPECT_EQ(Named<QComboBox>(f, "車両番号")->currentIndex(), -1) << carNo;
        EXPECT_EQ(Named<QComboBox>(f, "管理番号")->currentIndex(), -1) << carNo;
        EXPECT_TRUE(TextOf(f, "管理番号").empty()) << carNo;
        EXPECT_EQ(Named<QComboBox>(Forms().VehicleUpdate, "車両番号")->currentIndex(), -1) << carNo;
        const std::string target = folder.Dir() + "export.txt";
        dialogs.QueueFile(target);
        Press(f, "ファイル出力");
        EXPECT_EQ(ReadBytes(PathFromUtf8(target)), Sjis("お　客　様　名：山田様\r\n\r\n車　両　番　号：\r\n"
                                                        "\r\nデータ：\r\n\r\nデータ：\r\n"))
            << carNo;
        TearDown();
    }
}

TEST_F(VehicleInfoFormTest, ExportThatCannotBeWrittenIsReported) {
    Seed({{"山田", {"A1"}}});
    VehicleInfoForm* f = OpenVehicleInfoForm();
    const std::string target = folder.Dir() + "missing/export.txt";
    dialogs.QueueFile(target);
    Press(f, "ファイル出力");
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"ファイル「" + target + "」を作成できませんでした。"});
    // A cancelled dialog writes nothing and says nothing.
    Press(f, "ファイル出力");
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

TEST_F(VehicleInfoFormTest, SearchChoosesCustomerAndVehicle) {
    Seed({{"山田", {"A1"}}, {"佐藤", {"S1", "S2"}}});
    VehicleInfoForm* f = OpenVehicleInfoForm();
    WhileSearchIsOpen([](CustomerSearchDialog* search) {
        EXPECT_TRUE(search->IncludesVehicles());
        ChooseResult(search, QString::fromUtf8("佐藤/S2"));
    });
    Press(f, "検　　索");
    EXPECT_EQ(TextOf(f, "お客様名"), "佐藤");
    EXPECT_EQ(f->CurrentVehicle(), "S2");
    EXPECT_EQ(TextOf(f, "管理番号"), "2");
    EXPECT_EQ(Named<QComboBox>(Forms().VehicleUpdate, "お客様名")->currentIndex(), 1);
}

} // namespace
