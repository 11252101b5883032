#include "support/HostTools.h"
#include "support/RegisterForms.h"

#include <QTest>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

const std::string DeleteQuestion =
    "車両情報　（車両番号　：　XXXXX）　を削除してよろしいですか？\n（削除すると元に戻せません）";

std::string DeleteQuestionFor(const std::string& number) {
    std::string text = DeleteQuestion;
    text.replace(text.find("XXXXX"), 5, number);
    return text;
}

const char* const Hint = "（車両情報を入力後 [車両情報確定] をクリックして確定して下さい。）";

class VehicleForm : public RegisterForms {
protected:
    void FillVehicle(VehicleUpdateForm* f, const char* number) {
        for (const auto& [field, value] : {std::pair{"新規車両番号", number},
                                           {"メーカー", "トヨタ"},
                                           {"車種名", "カローラ"},
                                           {"初年度登録年月", "平成30年4月"},
                                           {"車台番号", "ZRE-1"},
                                           {"型式", "DBA"},
                                           {"エンジン形式", "2ZR"},
                                           {"コメント", "点検済"}}) {
            Enter(f, field, QString::fromUtf8(value));
        }
    }
};

TEST_F(VehicleForm, WithoutCustomersOnlyReturnWorks) {
    Seed({});
    VehicleUpdateForm* f = OpenVehicleForm();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "車両情報");
    EXPECT_EQ(Items(f, "お客様名"), (std::vector<std::string>{"データは登録されていません。"}));
    for (const char* caption : {"車両情報確定", "車両削除", "検　　索", "車両新規登録"}) {
        EXPECT_FALSE(Enabled(f, caption)) << caption;
    }
    EXPECT_TRUE(Enabled(f, "戻　　る"));
    Choose(f, "お客様名", "データは登録されていません。"); // the placeholder is no customer
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"お客様の登録が有りません。"}));
    EXPECT_FALSE(Enabled(f, "車両新規登録"));
    EXPECT_TRUE(fs::is_empty(folder / "お客様"));
}

TEST_F(VehicleForm, ShowsTheFirstCustomerWithHisCurrentVehicle) {
    Seed({{"山田", {"品川1", "品川2"}}, {"鈴木", {}}});
    Reg().WriteCustomerFields("山田", {{"TEL", "03-1234-5678"}, {"POST_NO", "140-0001"}, {"CAR_NO", "品川2"}});
    Reg().WriteVehicleField("山田", "品川2", "MAKER", "日産");
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(TextOf(f, "お客様名"), "山田");
    EXPECT_EQ(TextOf(f, "電話番号2"), "1234");
    EXPECT_EQ(TextOf(f, "郵便番号2"), "0001");
    EXPECT_FALSE(Named<QLineEdit>(f, "電話番号1")->isEnabled());
    EXPECT_EQ(Items(f, "車両番号"), (std::vector<std::string>{"品川1", "品川2"}));
    ASSERT_EQ(f->Selection().Vehicles.size(), 2u);
    EXPECT_EQ(f->Selection().Vehicles[1].Time, Reg().ListVehicles("山田")[1].Time);
    EXPECT_EQ(Named<QComboBox>(f, "車両番号")->currentIndex(), 1);
    EXPECT_EQ(TextOf(f, "新規車両番号"), "品川2");
    EXPECT_EQ(TextOf(f, "管理番号"), "2");
    EXPECT_EQ(TextOf(f, "メーカー"), "日産");
    EXPECT_TRUE(Named<QComboBox>(f, "車両番号")->isEnabled());
    EXPECT_FALSE(Named<QLineEdit>(f, "新規車両番号")->isEnabled());
    EXPECT_TRUE(Enabled(f, "車両削除"));
    EXPECT_FALSE(f->SilentSavePending()); // showing never skips the update question
}

TEST_F(VehicleForm, RegisteringANewVehicleCreatesItsFilesAndMakesItCurrent) {
    Seed({{"山田", {"品川1"}}});
    Reg().WriteVehicleFields("山田", "品川1", {{"MILEAGE", "45000"}, {"NEXT_CHECK", "2027年4月"}});
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(TextOf(f, "走行距離"), "45000");
    Press(f, "車両新規登録");
    EXPECT_TRUE(f->NewVehicleMode());
    EXPECT_TRUE(Named<QLabel>(f, Hint)->isVisible());
    EXPECT_EQ(TextOf(f, "管理番号"), "2");
    EXPECT_FALSE(Named<QComboBox>(f, "車両番号")->isEnabled());
    EXPECT_TRUE(Named<QLineEdit>(f, "新規車両番号")->isEnabled());
    EXPECT_FALSE(Enabled(f, "車両削除"));
    EXPECT_TRUE(TextOf(f, "走行距離").empty()); // nothing of the vehicle shown before is carried over
    FillVehicle(f, "品川500あ1234");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "車両情報確定");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "車両番号:品川500あ1234の車両情報を <<新規登録>> します。");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Warning);
    EXPECT_EQ(File("お客様/山田/品川500あ1234/ﾓﾆﾀ.DT"), "");
    EXPECT_EQ(File("お客様/山田/品川500あ1234/品川500あ1234.DT"),
              Sjis("[MAKER]\r\nNUM=1\r\nDATA0=トヨタ\r\n[TYPE_CAR]\r\nNUM=1\r\nDATA0=カローラ\r\n[MODEL]\r\nNUM=1\r\n"
                   "DATA0=平成30年4月\r\n[ENGING_TYPE]\r\nNUM=1\r\nDATA0=2ZR\r\n[COMMENT]\r\nNUM=1\r\nDATA0=点検済\r\n"
                   "[BODY_NUMBER]\r\nDATA0=ZRE-1\r\n[TYPE]\r\nDATA0=DBA\r\n[MILEAGE]\r\nDATA0=\r\n[NEXT_CHECK]"
                   "\r\nDATA0=\r\n"));
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "品川500あ1234");
    EXPECT_EQ(Items(f, "車両番号"), (std::vector<std::string>{"品川1", "品川500あ1234"}));
    EXPECT_EQ(TextOf(f, "車両番号"), "品川500あ1234");
    EXPECT_EQ(TextOf(f, "管理番号"), "2");
    EXPECT_FALSE(f->NewVehicleMode());
    EXPECT_FALSE(Named<QLabel>(f, Hint)->isVisible());
    EXPECT_TRUE(Enabled(f, "車両削除"));
}

TEST_F(VehicleForm, ANumberListedForTheSameCustomerIsRefusedButNotForAnother) {
    Seed({{"山田", {"品川1"}}, {"鈴木", {}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    Press(f, "車両新規登録");
    FillVehicle(f, "品川1");
    Press(f, "車両情報確定");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"車両番号が重複しています。新規登録できません。"}));
    Enter(f, "新規車両番号", "");
    Press(f, "車両情報確定");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "車両番号を入力してください。");
    EXPECT_EQ(dialogs.Messages().back().icon, DialogIcon::Error);

    Choose(f, "お客様名", "鈴木");
    EXPECT_FALSE(f->NewVehicleMode()); // a customer change leaves new-vehicle mode
    Press(f, "車両新規登録");
    FillVehicle(f, "品川1");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "車両情報確定");
    EXPECT_TRUE(Exists("お客様/鈴木/品川1/品川1.DT"));
    EXPECT_EQ(Reg().ReadCustomer("鈴木").CarNo, "品川1");
}

class RefusedVehicleNumbers : public VehicleForm, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedVehicleNumbers, AreRefusedWithAMessageAndNothingIsWritten) {
    Seed({{"山田", {}}});
    const std::string profile = File("お客様/山田/山田.DT");
    VehicleUpdateForm* f = OpenVehicleForm();
    Press(f, "車両新規登録");
    FillVehicle(f, GetParam());
    Press(f, "車両情報確定");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Error);
    EXPECT_EQ(dialogs.Messages()[0].text, FolderNameMessage(*CheckFolderName(GetParam()), "車両番号"));
    EXPECT_EQ(File("お客様/山田/山田.DT"), profile);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "お客様/山田"), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, RefusedVehicleNumbers,
                         ::testing::Values("品\\川", "品/川", "品:川", "品*川", "品?川", "品\"川", "品<川", "品>川",
                                           "品|川", ".", "..", "品川 ", "品川.", ".品川", "品川😀"));

TEST_F(VehicleForm, AnExistingFolderOfTheSameNameIsNeverTakenOver) {
    Seed({{"山田", {}}});
    WriteBytes(folder / "elsewhere/ﾓﾆﾀ.DT", Sjis("記録\r\n"));
    MakeLink(folder / "elsewhere", folder / "お客様/山田/品川2");
    VehicleUpdateForm* f = OpenVehicleForm();
    Press(f, "車両新規登録");
    FillVehicle(f, "品川2"); // a link, not listed as a vehicle
    Press(f, "車両情報確定");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"車両番号が重複しています。新規登録できません。"}));
    EXPECT_EQ(File("elsewhere/ﾓﾆﾀ.DT"), Sjis("記録\r\n"));
    EXPECT_EQ(Named<QComboBox>(f, "車両番号")->count(), 0);
}

TEST_F(VehicleForm, UpdatingAVehicleMakesItCurrentAndSilentSaveAsksNothing) {
    Seed({{"山田", {"品川1", "品川2"}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(TextOf(f, "新規車両番号"), "品川1");
    Choose(f, "車両番号", "品川2");
    EXPECT_EQ(TextOf(f, "新規車両番号"), "品川2");
    EXPECT_EQ(TextOf(f, "管理番号"), "2");
    Enter(f, "メーカー", "日産");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "車両情報確定");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "車両番号：品川2の車両情報を <<更新>> します。");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Warning);
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "品川2");
    EXPECT_EQ(Reg().ReadVehicle("山田", "品川2").Maker, "日産");

    VehicleProfile printed = Reg().ReadVehicle("山田", "品川2");
    printed.Mileage = "50000";
    EXPECT_TRUE(f->SaveVehicleSilently("品川2", printed));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_FALSE(f->SilentSavePending());
    EXPECT_EQ(Reg().ReadVehicle("山田", "品川2").Mileage, "50000");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(f, "車両情報確定"); // the next confirm asks again
    EXPECT_EQ(dialogs.Messages().size(), 2u);
}

TEST_F(VehicleForm, UpdateNeedsAListedAndSelectedVehicle) {
    Seed({{"山田", {}}, {"鈴木", {"品川1"}}});
    Reg().WriteCustomerField("鈴木", "CAR_NO", "");
    VehicleUpdateForm* f = OpenVehicleForm();
    Press(f, "車両情報確定");
    Choose(f, "お客様名", "鈴木");
    Press(f, "車両情報確定");
    Press(f, "車両削除");
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{
                  "車両が登録されていない為、更新できません。\n\n[車両新規登録]をクリックして車両情報を入力後、"
                  "[車両情報確定]をクリックして登録処理を行って下さい。",
                  "車両が選択されていない為、更新できません。\n\n車両番号選択後、変更する項目を修正して"
                  "[車両情報確定]をクリックして更新処理を行って下さい。",
                  "車両情報が存在しない為、削除が実行できません。"}));
    EXPECT_TRUE(Exists("お客様/鈴木/品川1/品川1.DT")); // no vehicle chosen: nothing removed
    EXPECT_TRUE(Exists("お客様/鈴木/鈴木.DT"));
}

TEST_F(VehicleForm, DeletingTheCurrentVehicleMakesTheOldestRemainingOneCurrent) {
    Seed({{"山田", {"A", "B", "C"}}});
    Reg().WriteCustomerField("山田", "CAR_NO", "B");
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(TextOf(f, "新規車両番号"), "B");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "車両削除");
    ASSERT_EQ(dialogs.Texts(), (std::vector<std::string>{DeleteQuestionFor("B")}));
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Warning);
    EXPECT_FALSE(Exists("お客様/山田/B"));
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "A");
    EXPECT_EQ(Items(f, "車両番号"), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(TextOf(f, "新規車両番号"), "A");
    EXPECT_EQ(TextOf(f, "管理番号"), "1");

    Choose(f, "車両番号", "C");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "車両削除"); // C is not the stored current vehicle
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "A");
    EXPECT_EQ(TextOf(f, "新規車両番号"), "A");
}

TEST_F(VehicleForm, DeletingTheLastVehicleClearsTheCurrentVehicleAndTheForm) {
    Seed({{"山田", {"A"}}});
    Reg().WriteVehicleField("山田", "A", "MAKER", "日産");
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(TextOf(f, "メーカー"), "日産");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "車両削除");
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "");
    EXPECT_EQ(Named<QComboBox>(f, "車両番号")->count(), 0);
    for (const char* field : {"新規車両番号", "メーカー", "郵便番号1", "管理番号", "走行距離"}) {
        EXPECT_EQ(TextOf(f, field), "") << field;
    }
}

TEST_F(VehicleForm, CancelAtEveryQuestionWritesNothing) {
    Seed({{"山田", {"A"}}});
    const std::string customer = File("お客様/山田/山田.DT");
    const std::string vehicle = File("お客様/山田/A/A.DT");
    VehicleUpdateForm* f = OpenVehicleForm();
    Enter(f, "メーカー", "日産");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(f, "車両情報確定");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(f, "車両削除");
    Press(f, "車両新規登録");
    FillVehicle(f, "B");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(f, "車両情報確定");
    EXPECT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(File("お客様/山田/山田.DT"), customer);
    EXPECT_EQ(File("お客様/山田/A/A.DT"), vehicle);
    EXPECT_FALSE(Exists("お客様/山田/B"));
}

TEST_F(VehicleForm, ATypedNumberWithoutProfileRevertsTheSelector) {
    Seed({{"山田", {"A", "B"}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    QLineEdit* typed = Named<QComboBox>(f, "車両番号")->lineEdit();
    typed->setFocus();
    typed->selectAll();
    Type(typed, "Z");
    EXPECT_EQ(TextOf(f, "車両番号"), "A");
    typed->selectAll();
    Type(typed, "B");
    EXPECT_EQ(TextOf(f, "新規車両番号"), "B");
    EXPECT_EQ(f->CurrentVehicle(), "B");
}

TEST_F(VehicleForm, SearchChoosesCustomerAndVehicle) {
    Seed({{"鈴木", {}}, {"山田", {"A", "B"}}});
    Reg().WriteVehicleField("山田", "B", "MAKER", "日産");
    VehicleUpdateForm* f = OpenVehicleForm();
    bool vehicles = false;
    WhileSearchIsOpen([&](CustomerSearchDialog* search) {
        vehicles = search->IncludesVehicles();
        Enter(search, "検索キー", "日産");
        Press(search, "検　索");
        ChooseResult(search, "山田/B");
    });
    Press(f, "検　　索");
    EXPECT_TRUE(vehicles);
    EXPECT_EQ(TextOf(f, "お客様名"), "山田");
    EXPECT_EQ(TextOf(f, "新規車両番号"), "B");
    EXPECT_EQ(TextOf(f, "メーカー"), "日産");
}

TEST_F(VehicleForm, ReturnLeavesNewVehicleMode) {
    Seed({{"山田", {}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    Press(f, "車両新規登録");
    Press(f, "戻　　る");
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().MonitorMenu->isVisible());
    EXPECT_FALSE(f->NewVehicleMode());
}

} // namespace
