#include "support/RegisterForms.h"

#include <QTest>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

const std::string Duplicate = "同じお客様名が存在しています。\n違うお客様名を入力して下さい。";
const char* const Hint = "（入力後 [お客様情報確定] をクリックして下さい。）";
// The entry fields in the order of the form, and the telephone and postal parts among them.
const char* const Fields[] = {"お客様名",  "郵便番号1", "郵便番号2", "電話番号1", "電話番号2",
                              "電話番号3", "携帯電話1", "携帯電話2", "携帯電話3", "住所"};
const char* const DigitFields[] = {"郵便番号1", "郵便番号2", "電話番号1", "電話番号2",
                                   "電話番号3", "携帯電話1", "携帯電話2", "携帯電話3"};

class CustomerFormTest : public RegisterForms {
protected:
    void Fill(CustomerForm* f, const std::vector<const char*>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            Enter(f, Fields[i], QString::fromUtf8(values[i]));
        }
    }
};

TEST_F(CustomerFormTest, ComponentsCarryTheirNamesAndLabels) {
    Seed({});
    CustomerForm* f = OpenCustomerForm();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "お客様情報");
    EXPECT_FALSE(Forms().MonitorMenu->isVisible());
    for (const char* label : Fields) {
        EXPECT_NE(Named<QLineEdit>(f, label), nullptr);
    }
    for (const char* caption : {"お客様情報新規登録", "お客様情報削除", "検　　索", "お客様情報確定", "戻　　る"}) {
        EXPECT_NE(Named<QPushButton>(f, caption), nullptr);
    }
}

TEST_F(CustomerFormTest, TelephoneAndPostalPartsTakeDigitsOnly) {
    Seed({});
    CustomerForm* f = OpenCustomerForm();
    for (const char* field : DigitFields) {
        QLineEdit* e = Named<QLineEdit>(f, field);
        e->clear();
        Type(e, QString::fromUtf8("03a-1 ２x9"));
        EXPECT_EQ(T(e->text()), "0319") << field;
    }
    Type(Named<QLineEdit>(f, "お客様名"), QString::fromUtf8("Yamada 山田"));
    EXPECT_EQ(TextOf(f, "お客様名"), "Yamada 山田");
    Enter(f, "住所", "");
    Type(Named<QLineEdit>(f, "住所"), QString::fromUtf8("東京😀都"));
    EXPECT_EQ(TextOf(f, "住所"), "東京都"); // characters Shift-JIS cannot store are refused as typed
}

TEST_F(CustomerFormTest, AnEmptyListAllowsOnlyNewEntry) {
    Seed({});
    CustomerForm* f = OpenCustomerForm();
    EXPECT_EQ(Named<QComboBox>(f, "お客様")->count(), 0);
    EXPECT_FALSE(Enabled(f, "お客様情報削除"));
    EXPECT_FALSE(Enabled(f, "お客様情報確定"));
    EXPECT_TRUE(Enabled(f, "お客様情報新規登録"));
    Press(f, "お客様情報新規登録");
    EXPECT_TRUE(Enabled(f, "お客様情報確定"));
    // Re-opened in new-entry mode the form stays ready for the entry; out of it, an empty list allows no confirm.
    Press(f, "戻　　る");
    Press(Forms().MonitorMenu, "お客様情報登録");
    EXPECT_TRUE(f->NewEntryMode());
    EXPECT_TRUE(Enabled(f, "お客様情報確定"));
    Press(f, "登録取消");
    EXPECT_FALSE(Enabled(f, "お客様情報確定"));
    EXPECT_FALSE(Enabled(f, "お客様情報削除"));
}

TEST_F(CustomerFormTest, NewEntryAppendsSelectsAndWritesTheProfile) {
    Seed({{"鈴木", {}}});
    CustomerForm* f = OpenCustomerForm();
    EXPECT_EQ(TextOf(f, "お客様名"), "鈴木"); // the first customer is loaded on showing
    Press(f, "お客様情報新規登録");
    EXPECT_NE(Named<QPushButton>(f, "登録取消"), nullptr);
    EXPECT_TRUE(f->NewEntryMode());
    EXPECT_FALSE(Named<QComboBox>(f, "お客様")->isEnabled());
    EXPECT_FALSE(Enabled(f, "お客様情報削除"));
    EXPECT_FALSE(Enabled(f, "検　　索"));
    EXPECT_TRUE(Enabled(f, "お客様情報確定"));
    EXPECT_TRUE(Named<QLabel>(f, Hint)->isVisible());
    EXPECT_TRUE(TextOf(f, "お客様名").empty());

    Fill(f, {"山田", "140", "0001", "03", "1234", "5678", "090", "1111", "2222", "東京都品川区"});
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "山田様の <<新規登録>> を行います、よろしいですか？");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Question);
    EXPECT_EQ(dialogs.Messages()[0].buttons, DialogButtons::OkCancel);
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n"));
    EXPECT_EQ(
        File("お客様/山田/山田.DT"),
        Sjis("[TEL]\r\nNUM=1\r\nDATA0=03-1234-5678\r\n[HANDY]\r\nNUM=1\r\nDATA0=090-1111-2222\r\n[POST_NO]\r\n"
             "NUM=1\r\nDATA0=140-0001\r\n[ADD]\r\nNUM=1\r\nDATA0=東京都品川区\r\n[CAR_NO]\r\nNUM=1\r\nDATA0=\r\n"));
    EXPECT_NE(Named<QPushButton>(f, "お客様情報新規登録"), nullptr);
    EXPECT_FALSE(Named<QLabel>(f, Hint)->isVisible());
    EXPECT_EQ(Named<QComboBox>(f, "お客様")->currentIndex(), 1);
    EXPECT_EQ(TextOf(f, "お客様"), "山田");
    EXPECT_EQ(TextOf(f, "電話番号3"), "5678");
    EXPECT_TRUE(Enabled(f, "お客様情報削除"));
}

TEST_F(CustomerFormTest, EmptyPartsAreStoredAsHyphensAndLoadBackEmpty) {
    Seed({{"鈴木", {}}});
    CustomerForm* f = OpenCustomerForm();
    Press(f, "お客様情報新規登録");
    Fill(f, {"山田"});
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    EXPECT_EQ(File("お客様/山田/山田.DT"),
              "[TEL]\r\nNUM=1\r\nDATA0=--\r\n[HANDY]\r\nNUM=1\r\nDATA0=--\r\n[POST_NO]\r\nNUM=1\r\nDATA0=-\r\n"
              "[ADD]\r\nNUM=1\r\nDATA0=\r\n[CAR_NO]\r\nNUM=1\r\nDATA0=\r\n");
    for (const char* field : DigitFields) {
        EXPECT_EQ(TextOf(f, field), "") << field;
    }
}

TEST_F(CustomerFormTest, UpdateWithTheSameNameRewritesTheFiveSectionsAndKeepsTheVehicle) {
    Seed({{"鈴木", {}}, {"山田", {"品川1"}}});
    CustomerForm* f = OpenCustomerForm();
    Choose(f, "お客様", "山田");
    Enter(f, "住所", "大阪府");
    Enter(f, "電話番号1", "06");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"山田様の <<更新>> を行います、よろしいですか？"}));
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n"));
    EXPECT_EQ(
        File("お客様/山田/山田.DT"),
        Sjis("[TEL]\r\nNUM=1\r\nDATA0=06--\r\n[HANDY]\r\nNUM=1\r\nDATA0=--\r\n[POST_NO]\r\nNUM=1\r\nDATA0=000-0000\r\n"
             "[ADD]\r\nNUM=1\r\nDATA0=大阪府\r\n[CAR_NO]\r\nNUM=1\r\nDATA0=品川1\r\n"));
    EXPECT_EQ(TextOf(f, "郵便番号1"), "000");
}

TEST_F(CustomerFormTest, RenameKeepsThePositionAndTheVehicles) {
    Seed({{"鈴木", {}}, {"山田", {"品川1"}}, {"佐藤", {}}});
    CustomerForm* f = OpenCustomerForm();
    Choose(f, "お客様", "山田");
    Enter(f, "お客様名", "山本");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    EXPECT_EQ(dialogs.Texts(),
              (std::vector<std::string>{"山本様（[旧]山田様）の <<更新>> を行います、よろしいですか？"}));
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n山本\r\n佐藤\r\n"));
    EXPECT_FALSE(Exists("お客様/山田"));
    EXPECT_FALSE(Exists("お客様/山本/山田.DT"));
    EXPECT_TRUE(Exists("お客様/山本/品川1/品川1.DT"));
    EXPECT_EQ(Reg().ReadCustomer("山本").CarNo, "品川1");
    EXPECT_EQ(Named<QComboBox>(f, "お客様")->currentIndex(), 1);
    EXPECT_EQ(TextOf(f, "お客様"), "山本");
}

TEST_F(CustomerFormTest, RenameOntoALeftoverFolderIsRefused) {
    Seed({{"山田", {}}});
    fs::create_directories(folder / "お客様/山本");
    CustomerForm* f = OpenCustomerForm();
    Enter(f, "お客様名", "山本");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "「山本」のお客様フォルダが既に存在するため、お客様名を変更できません。");
    EXPECT_EQ(dialogs.Messages().back().icon, DialogIcon::Error);
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("山田\r\n"));
    EXPECT_TRUE(Exists("お客様/山田/山田.DT"));
}

TEST_F(CustomerFormTest, DuplicateNamesAreRefusedExactly) {
    Seed({{"鈴木", {}}, {"山田", {}}});
    const std::string list = File("VISITOR_M.DT");
    CustomerForm* f = OpenCustomerForm();
    Enter(f, "お客様名", "山田"); // the selected customer is 鈴木
    Press(f, "お客様情報確定");
    Press(f, "お客様情報新規登録");
    Enter(f, "お客様名", "鈴木");
    Press(f, "お客様情報確定");
    ASSERT_EQ(dialogs.Texts(), (std::vector<std::string>{Duplicate, Duplicate}));
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Information);
    EXPECT_EQ(File("VISITOR_M.DT"), list);

    Enter(f, "お客様名", "鈴木　"); // an ideographic space makes another name
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    EXPECT_EQ(File("VISITOR_M.DT"), list + Sjis("鈴木　\r\n"));
}

TEST_F(CustomerFormTest, AnEmptyNameAsksForOne) {
    Seed({{"鈴木", {}}});
    CustomerForm* f = OpenCustomerForm();
    Press(f, "お客様情報新規登録");
    Press(f, "お客様情報確定");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "お客様名を入力してください。");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Information);
}

class RefusedCustomerNames : public CustomerFormTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedCustomerNames, AreRefusedWithAMessageAndNothingIsWritten) {
    Seed({{"鈴木", {}}});
    CustomerForm* f = OpenCustomerForm();
    Press(f, "お客様情報新規登録");
    Enter(f, "お客様名", QString::fromUtf8(GetParam()));
    Press(f, "お客様情報確定");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Error);
    EXPECT_EQ(dialogs.Messages()[0].text, FolderNameMessage(*CheckFolderName(GetParam()), "お客様名"));
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "お客様"), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, RefusedCustomerNames,
                         ::testing::Values("山\\田", "山/田", "山:田", "山*田", "山?田", "山\"田", "山<田", "山>田",
                                           "山|田", ".", "..", "山田 ", " 山田", "山田.", "山田😀"));

TEST_F(CustomerFormTest, CancelAtEveryQuestionWritesNothing) {
    Seed({{"鈴木", {}}, {"山田", {"品川1"}}});
    const std::string list = File("VISITOR_M.DT");
    const std::string profile = File("お客様/山田/山田.DT");
    CustomerForm* f = OpenCustomerForm();
    Choose(f, "お客様", "山田");
    Enter(f, "住所", "変更");
    dialogs.QueueAnswer(DialogAnswer::Cancel); // update
    Press(f, "お客様情報確定");
    Enter(f, "お客様名", "山本");
    dialogs.QueueAnswer(DialogAnswer::Cancel); // rename
    Press(f, "お客様情報確定");
    dialogs.QueueAnswer(DialogAnswer::Cancel); // delete
    Press(f, "お客様情報削除");
    Press(f, "お客様情報新規登録");
    Enter(f, "お客様名", "佐藤");
    dialogs.QueueAnswer(DialogAnswer::Cancel); // new entry
    Press(f, "お客様情報確定");
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"山田様の <<更新>> を行います、よろしいですか？",
                                                         "山本様（[旧]山田様）の <<更新>> を行います、よろしいですか？",
                                                         "山田 様の削除を行います、よろしいですか？",
                                                         "佐藤様の <<新規登録>> を行います、よろしいですか？"}));
    EXPECT_EQ(File("VISITOR_M.DT"), list);
    EXPECT_EQ(File("お客様/山田/山田.DT"), profile);
    EXPECT_FALSE(Exists("VISITOR_M_BK.DT"));
    EXPECT_FALSE(Exists("お客様/佐藤"));
    EXPECT_FALSE(Exists("お客様/山本"));
}

TEST_F(CustomerFormTest, DeleteBacksUpTheListAndRemovesEverythingOfTheCustomer) {
    Seed({{"鈴木", {}}, {"山田", {"品川1"}}});
    CustomerForm* f = OpenCustomerForm();
    Choose(f, "お客様", "山田");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報削除");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Question);
    EXPECT_EQ(File("VISITOR_M_BK.DT"), Sjis("鈴木\r\n山田\r\n"));
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n"));
    EXPECT_FALSE(Exists("お客様/山田"));
    EXPECT_EQ(Items(f, "お客様"), (std::vector<std::string>{"鈴木"}));
    EXPECT_EQ(Named<QComboBox>(f, "お客様")->currentIndex(), 0);
    EXPECT_EQ(TextOf(f, "お客様名"), "鈴木");

    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報削除"); // the last customer
    EXPECT_EQ(File("VISITOR_M.DT"), "");
    EXPECT_EQ(Named<QComboBox>(f, "お客様")->count(), 0);
    EXPECT_TRUE(TextOf(f, "お客様名").empty());
    EXPECT_FALSE(Enabled(f, "お客様情報削除"));
    EXPECT_FALSE(Enabled(f, "お客様情報確定"));
}

TEST_F(CustomerFormTest, SavesThatFailAreReportedAndChangeNothing) {
    Seed({{"鈴木", {}}, {"山田", {}}});
    fs::create_directories(folder / "VISITOR_M_BK.DT"); // the backup cannot be written
    CustomerForm* f = OpenCustomerForm();
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報削除");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "お客様リストのバックアップを保存できません。\n削除は行われませんでした。");
    EXPECT_EQ(dialogs.Messages().back().icon, DialogIcon::Error);
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n"));
    EXPECT_TRUE(Exists("お客様/鈴木/鈴木.DT"));

    fs::remove(folder / "お客様/山田/山田.DT");
    fs::create_directories(folder / "お客様/山田/山田.DT"); // the profile cannot be written
    Choose(f, "お客様", "山田");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "山田様のお客様情報ファイルを保存できません。");
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n"));
}

// A value the profile cannot take (set past the input filter) makes the profile write fail: the stored contact data
// must stay whole, and the form must keep what was typed so nothing is lost.
TEST_F(CustomerFormTest, AFailedProfileWriteKeepsTheStoredDataAndWhatWasTyped) {
    Seed({{"山田", {}}});
    Reg().WriteCustomerFields("山田", {{"TEL", "03-1111-2222"}, {"ADD", "東京都"}});
    const std::string stored = File("お客様/山田/山田.DT");
    CustomerForm* f = OpenCustomerForm();
    Enter(f, "電話番号1", "09");
    Enter(f, "住所", QString::fromUtf8("大阪😀"));
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "山田様のお客様情報ファイルを保存できません。");
    EXPECT_EQ(File("お客様/山田/山田.DT"), stored);
    EXPECT_EQ(TextOf(f, "電話番号1"), "09");
    EXPECT_EQ(TextOf(f, "住所"), "大阪😀");

    Press(f, "お客様情報新規登録");
    Fill(f, {"佐藤"});
    Enter(f, "住所", QString::fromUtf8("😀"));
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "お客様情報確定");
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Texts().back(), "佐藤様のお客様情報ファイルを保存できません。");
    EXPECT_TRUE(f->NewEntryMode());
    EXPECT_EQ(TextOf(f, "お客様名"), "佐藤");
    EXPECT_EQ(File("VISITOR_M.DT"), Sjis("山田\r\n")); // never listed without its data
}

TEST_F(CustomerFormTest, SearchSelectsTheChosenCustomerAndIsOffInNewEntryMode) {
    Seed({{"鈴木", {}}, {"山田", {"品川1"}}, {"佐藤", {}}});
    CustomerForm* f = OpenCustomerForm();
    bool vehicles = true;
    WhileSearchIsOpen([&](CustomerSearchDialog* search) {
        vehicles = search->IncludesVehicles();
        ChooseResult(search, "佐藤/");
    });
    Press(f, "検　　索");
    EXPECT_FALSE(vehicles);
    EXPECT_EQ(Named<QComboBox>(f, "お客様")->currentIndex(), 2);
    EXPECT_EQ(TextOf(f, "お客様名"), "佐藤");

    Press(f, "お客様情報新規登録");
    EXPECT_FALSE(Enabled(f, "検　　索"));
    Press(f, "登録取消");
    EXPECT_TRUE(Enabled(f, "検　　索"));
    EXPECT_EQ(TextOf(f, "お客様名"), "佐藤"); // leaving new entry loads the selection again
}

TEST_F(CustomerFormTest, ReturnGoesBackToTheMenuAndTheModeIsKept) {
    Seed({{"鈴木", {}}});
    CustomerForm* f = OpenCustomerForm();
    Press(f, "お客様情報新規登録");
    Press(f, "戻　　る");
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(Forms().MonitorMenu->isVisible());
    Press(Forms().MonitorMenu, "お客様情報登録");
    EXPECT_TRUE(f->NewEntryMode());
    EXPECT_TRUE(TextOf(f, "お客様名").empty());
    EXPECT_FALSE(Enabled(f, "お客様情報削除"));
    EXPECT_TRUE(Enabled(f, "お客様情報確定"));
}

} // namespace
