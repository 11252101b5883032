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

class VehicleForm : public RegisterForms {
protected:
    void FillVehicle(VehicleUpdateForm* f, const char* number) {
        f->CarNo->setText(QString::fromUtf8(number));
        f->Maker->setText("トヨタ");
        f->CarName->setText("カローラ");
        f->Model->setText("平成30年4月");
        f->BodyNo->setText("ZRE-1");
        f->CarForm->setText("DBA");
        f->EngType->setText("2ZR");
        f->Comment->setText("点検済");
    }
};

TEST_F(VehicleForm, WithoutCustomersOnlyReturnWorks) {
    Seed({});
    VehicleUpdateForm* f = OpenVehicleForm();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "車両情報");
    EXPECT_EQ(Items(f->customerCombo_), (std::vector<std::string>{"データは登録されていません。"}));
    for (QPushButton* b : {f->confirmButton_, f->deleteButton_, f->searchButton_, f->newVehicleButton_}) {
        EXPECT_FALSE(b->isEnabled()) << T(b->objectName());
    }
    EXPECT_TRUE(f->backButton_->isEnabled());
    f->customerCombo_->setCurrentIndex(0);
    f->CustomerChosen(); // the placeholder is no customer
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"お客様の登録が有りません。"}));
    EXPECT_FALSE(f->newVehicleButton_->isEnabled());
    EXPECT_TRUE(fs::is_empty(folder / "お客様"));
}

TEST_F(VehicleForm, ShowsTheFirstCustomerWithHisCurrentVehicle) {
    Seed({{"山田", {"品川1", "品川2"}}, {"鈴木", {}}});
    Reg().WriteCustomerFields("山田", {{"TEL", "03-1234-5678"}, {"POST_NO", "140-0001"}, {"CAR_NO", "品川2"}});
    Reg().WriteVehicleField("山田", "品川2", "MAKER", "日産");
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(T(f->customerCombo_->currentText()), "山田");
    EXPECT_EQ(T(f->Phon2->text()), "1234");
    EXPECT_EQ(T(f->Zip2->text()), "0001");
    EXPECT_FALSE(f->Phon1->isEnabled());
    EXPECT_EQ(Items(f->vehicleCombo_), (std::vector<std::string>{"品川1", "品川2"}));
    EXPECT_EQ(f->folderTimeCombo_->count(), 2);
    EXPECT_EQ(T(f->folderTimeCombo_->itemText(1)), std::to_string(Reg().ListVehicles("山田")[1].Time));
    EXPECT_EQ(f->vehicleCombo_->currentIndex(), 1);
    EXPECT_EQ(T(f->CarNo->text()), "品川2");
    EXPECT_EQ(T(f->Number->text()), "2");
    EXPECT_EQ(T(f->Maker->text()), "日産");
    EXPECT_TRUE(f->vehicleCombo_->isEnabled());
    EXPECT_FALSE(f->CarNo->isEnabled());
    EXPECT_TRUE(f->deleteButton_->isEnabled());
    EXPECT_FALSE(f->SilentSavePending()); // showing never skips the update question
}

TEST_F(VehicleForm, RegisteringANewVehicleCreatesItsFilesAndMakesItCurrent) {
    Seed({{"山田", {"品川1"}}});
    Reg().WriteVehicleFields("山田", "品川1", {{"MILEAGE", "45000"}, {"NEXT_CHECK", "2027年4月"}});
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(T(f->Mileage->text()), "45000");
    f->newVehicleButton_->click();
    EXPECT_EQ(T(f->newVehicleButton_->text()), "登録取消");
    EXPECT_TRUE(f->hintLabel_->isVisible());
    EXPECT_EQ(T(f->Number->text()), "2");
    EXPECT_FALSE(f->vehicleCombo_->isEnabled());
    EXPECT_TRUE(f->CarNo->isEnabled());
    EXPECT_FALSE(f->deleteButton_->isEnabled());
    EXPECT_TRUE(f->Mileage->text().isEmpty()); // nothing of the vehicle shown before is carried over
    FillVehicle(f, "品川500あ1234");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->confirmButton_->click();
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
    EXPECT_EQ(Items(f->vehicleCombo_), (std::vector<std::string>{"品川1", "品川500あ1234"}));
    EXPECT_EQ(T(f->vehicleCombo_->currentText()), "品川500あ1234");
    EXPECT_EQ(T(f->Number->text()), "2");
    EXPECT_EQ(T(f->newVehicleButton_->text()), "車両新規登録");
    EXPECT_FALSE(f->hintLabel_->isVisible());
    EXPECT_TRUE(f->deleteButton_->isEnabled());
}

TEST_F(VehicleForm, ANumberListedForTheSameCustomerIsRefusedButNotForAnother) {
    Seed({{"山田", {"品川1"}}, {"鈴木", {}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    f->newVehicleButton_->click();
    FillVehicle(f, "品川1");
    f->confirmButton_->click();
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"車両番号が重複しています。新規登録できません。"}));
    f->CarNo->clear();
    f->confirmButton_->click();
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "車両番号を入力してください。");
    EXPECT_EQ(dialogs.Messages().back().icon, DialogIcon::Error);

    f->customerCombo_->setCurrentIndex(1);
    f->CustomerChosen();
    EXPECT_EQ(T(f->newVehicleButton_->text()), "車両新規登録"); // a customer change leaves new-vehicle mode
    f->newVehicleButton_->click();
    FillVehicle(f, "品川1");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->confirmButton_->click();
    EXPECT_TRUE(Exists("お客様/鈴木/品川1/品川1.DT"));
    EXPECT_EQ(Reg().ReadCustomer("鈴木").CarNo, "品川1");
}

class RefusedVehicleNumbers : public VehicleForm, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedVehicleNumbers, AreRefusedWithAMessageAndNothingIsWritten) {
    Seed({{"山田", {}}});
    const std::string profile = File("お客様/山田/山田.DT");
    VehicleUpdateForm* f = OpenVehicleForm();
    f->newVehicleButton_->click();
    FillVehicle(f, GetParam());
    f->confirmButton_->click();
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
    f->newVehicleButton_->click();
    FillVehicle(f, "品川2"); // a link, not listed as a vehicle
    f->confirmButton_->click();
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"車両番号が重複しています。新規登録できません。"}));
    EXPECT_EQ(File("elsewhere/ﾓﾆﾀ.DT"), Sjis("記録\r\n"));
    EXPECT_EQ(f->vehicleCombo_->count(), 0);
}

TEST_F(VehicleForm, UpdatingAVehicleMakesItCurrentAndSilentSaveAsksNothing) {
    Seed({{"山田", {"品川1", "品川2"}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(T(f->CarNo->text()), "品川1");
    f->vehicleCombo_->setCurrentIndex(1);
    f->VehicleChosen();
    EXPECT_EQ(T(f->CarNo->text()), "品川2");
    EXPECT_EQ(T(f->Number->text()), "2");
    f->Maker->setText("日産");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->confirmButton_->click();
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
    f->ConfirmVehicle(); // the next confirm asks again
    EXPECT_EQ(dialogs.Messages().size(), 2u);
}

TEST_F(VehicleForm, UpdateNeedsAListedAndSelectedVehicle) {
    Seed({{"山田", {}}, {"鈴木", {"品川1"}}});
    Reg().WriteCustomerField("鈴木", "CAR_NO", "");
    VehicleUpdateForm* f = OpenVehicleForm();
    f->confirmButton_->click();
    f->customerCombo_->setCurrentIndex(1);
    f->CustomerChosen();
    f->confirmButton_->click();
    f->deleteButton_->click();
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
    EXPECT_EQ(T(f->CarNo->text()), "B");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->deleteButton_->click();
    ASSERT_EQ(dialogs.Texts(), (std::vector<std::string>{DeleteQuestionFor("B")}));
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Warning);
    EXPECT_FALSE(Exists("お客様/山田/B"));
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "A");
    EXPECT_EQ(Items(f->vehicleCombo_), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(T(f->CarNo->text()), "A");
    EXPECT_EQ(T(f->Number->text()), "1");

    f->vehicleCombo_->setCurrentIndex(1);
    f->VehicleChosen();
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->deleteButton_->click(); // C is not the stored current vehicle
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "A");
    EXPECT_EQ(T(f->CarNo->text()), "A");
}

TEST_F(VehicleForm, DeletingTheLastVehicleClearsTheCurrentVehicleAndTheForm) {
    Seed({{"山田", {"A"}}});
    Reg().WriteVehicleField("山田", "A", "MAKER", "日産");
    VehicleUpdateForm* f = OpenVehicleForm();
    EXPECT_EQ(T(f->Maker->text()), "日産");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->deleteButton_->click();
    EXPECT_EQ(Reg().ReadCustomer("山田").CarNo, "");
    EXPECT_EQ(f->vehicleCombo_->count(), 0);
    for (QLineEdit* e : {f->CarNo, f->Maker, f->Zip1, f->Number, f->Mileage}) {
        EXPECT_TRUE(e->text().isEmpty()) << T(e->objectName());
    }
}

TEST_F(VehicleForm, CancelAtEveryQuestionWritesNothing) {
    Seed({{"山田", {"A"}}});
    const std::string customer = File("お客様/山田/山田.DT");
    const std::string vehicle = File("お客様/山田/A/A.DT");
    VehicleUpdateForm* f = OpenVehicleForm();
    f->Maker->setText("日産");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    f->confirmButton_->click();
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    f->deleteButton_->click();
    f->newVehicleButton_->click();
    FillVehicle(f, "B");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    f->confirmButton_->click();
    EXPECT_EQ(dialogs.Messages().size(), 3u);
    EXPECT_EQ(File("お客様/山田/山田.DT"), customer);
    EXPECT_EQ(File("お客様/山田/A/A.DT"), vehicle);
    EXPECT_FALSE(Exists("お客様/山田/B"));
}

TEST_F(VehicleForm, ATypedNumberWithoutProfileRevertsTheSelector) {
    Seed({{"山田", {"A", "B"}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    f->vehicleCombo_->setFocus();
    f->vehicleCombo_->lineEdit()->selectAll();
    Type(f->vehicleCombo_->lineEdit(), "Z");
    EXPECT_EQ(T(f->vehicleCombo_->currentText()), "A");
    f->vehicleCombo_->lineEdit()->selectAll();
    Type(f->vehicleCombo_->lineEdit(), "B");
    EXPECT_EQ(T(f->CarNo->text()), "B");
    EXPECT_EQ(f->CurrentVehicle(), "B");
}

TEST_F(VehicleForm, SearchChoosesCustomerAndVehicle) {
    Seed({{"鈴木", {}}, {"山田", {"A", "B"}}});
    Reg().WriteVehicleField("山田", "B", "MAKER", "日産");
    VehicleUpdateForm* f = OpenVehicleForm();
    bool vehicles = false;
    WhileSearchIsOpen([&](CustomerSearchDialog* search) {
        vehicles = search->IncludesVehicles();
        search->keyEdit_->setText("日産");
        search->searchButton_->click();
        ChooseResult(search, "山田/B");
    });
    f->searchButton_->click();
    EXPECT_TRUE(vehicles);
    EXPECT_EQ(T(f->customerCombo_->currentText()), "山田");
    EXPECT_EQ(T(f->CarNo->text()), "B");
    EXPECT_EQ(T(f->Maker->text()), "日産");
}

TEST_F(VehicleForm, ReturnLeavesNewVehicleMode) {
    Seed({{"山田", {}}});
    VehicleUpdateForm* f = OpenVehicleForm();
    f->newVehicleButton_->click();
    f->backButton_->click();
    ProcessEvents();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().MonitorMenu->isVisible());
    EXPECT_FALSE(f->NewVehicleMode());
}

} // namespace
