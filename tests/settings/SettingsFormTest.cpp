#include "settings/ui/SettingsForm.h"
#include "app/ui/FormSet.h"
#include "common/Paths.h"
#include "settings/ui/PhrasePicker.h"
#include "support/RegisterForms.h"

#include <QGroupBox>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <map>
#include <tuple>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

const std::string UserFile = "vantodesk_160.INI";

// A name longer than the 50 characters that may be typed.
std::string LongName() {
    std::string name;
    for (int i = 0; i < 11; ++i) {
        name += "山田自動車";
    }
    return name;
}
const std::string Stored = "[user]\r\nname=" + LongName() +
                           "\r\npost=140-0001\r\ntel=03-1234-5678\r\nfax=03-1234-5679\r\nAddress=東京都品川区\r\n"
                           "mes1=毎度ありがとうございます\r\nmes2=次回点検は半年後です\r\n";

// Everything below a folder: relative path and contents.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        tree[entry.path().lexically_relative(root).string()] = entry.is_regular_file() ? ReadBytes(entry.path()) : "";
    }
    return tree;
}

class SettingsFormTest : public AppFixture {
protected:
    SettingsForm* Open() {
        StartAndShow();
        main->setvantoBTN->click();
        ProcessEvents();
        return Forms().Settings;
    }
    // Data folders apart from the program's folder, and optionally a chosen dictionary file.
    void Configure(const std::string& phraseFile = {}) {
        std::string config = "[OWNER]\r\nDIR=" + Owner() + "\r\n[USERS]\r\nDIR=" + folder.Dir() + "users/\r\n";
        if (!phraseFile.empty()) {
            config += "[STR_DIC]\r\nFILE=" + phraseFile + "\r\n";
        }
        WriteBytes(folder / "VANTO_DATA.ini", Sjis(config));
    }
    std::string Owner() const { return folder.Dir() + "owner/"; }
    std::string File(const std::string& relative) const { return ReadBytes(folder / relative); }
    // The last message shown; a failure, not a crash, when none was.
    ShownMessage Last() const {
        EXPECT_FALSE(dialogs.Messages().empty());
        return dialogs.Messages().empty() ? ShownMessage{} : dialogs.Messages().back();
    }
};

std::array<QLineEdit*, 8> Numbers(SettingsForm* f) {
    return {f->post1, f->post2, f->tel1, f->tel2, f->tel3, f->fax1, f->fax2, f->fax3};
}

TEST_F(SettingsFormTest, ShowsTheStoredDetailsAndSavesThemBackUnchanged) {
    WriteBytes(folder / UserFile, Sjis(Stored));
    SettingsForm* f = Open();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "使用者情報及び文章登録");
    std::vector<std::string> shown;
    for (QLineEdit* e : Numbers(f)) {
        shown.push_back(T(e->text()));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"140", "0001", "03", "1234", "5678", "03", "1234", "5679"}));
    EXPECT_EQ(f->user_name->text().size(), 55); // longer than may be typed, shown whole
    EXPECT_FALSE(f->user_mes1->isVisible());
    f->tel3->setText("9999");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    f->user_set_BTN->click();
    f->tel3->setText("5678");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->user_set_BTN->click();
    EXPECT_EQ(File(UserFile), Sjis(Stored));
    ASSERT_EQ(dialogs.Messages().size(), 2u); // the two questions, no message after the save
    EXPECT_EQ(Last().text, "使用者情報を更新してよろしいですか？");
    EXPECT_EQ(Last().icon, DialogIcon::Question);
    EXPECT_EQ(Last().buttons, DialogButtons::OkCancel);

    f->user_name->setText("changed, not saved");
    f->Button4->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(main->isVisible());
    main->setvantoBTN->click();
    EXPECT_EQ(f->user_name->text().size(), 55);
}

TEST_F(SettingsFormTest, AMissingFileShowsEmptyFieldsAndTheFirstSaveCreatesIt) {
    SettingsForm* f = Open();
    for (QLineEdit* e : f->findChildren<QLineEdit*>()) {
        EXPECT_TRUE(e->text().isEmpty()) << T(e->objectName());
    }
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->user_set_BTN->click();
    EXPECT_EQ(File(UserFile), "[user]\r\nname=\r\npost=-\r\ntel=--\r\nfax=--\r\nAddress=\r\nmes1=\r\nmes2=\r\n");
}

TEST_F(SettingsFormTest, NumberFieldsTakeDigitsOnlyAndTextFieldsWhatTheFilesCanStore) {
    Configure(folder.Dir() + "dic.txt");
    SettingsForm* f = Open();
    for (QLineEdit* e : Numbers(f)) {
        Type(e, QString::fromUtf8("03a-1 ２x9"));
        EXPECT_EQ(T(e->text()), "0319") << T(e->objectName());
    }
    for (QLineEdit* e : {f->user_name, f->user_Address, f->Dictionary_Edit}) {
        Type(e, QString::fromUtf8("東京😀都-1"));
        EXPECT_EQ(T(e->text()), "東京都-1") << T(e->objectName());
    }
}

TEST_F(SettingsFormTest, TheSwitchGivesTheDetailedAndTheCompactForm) {
    SettingsForm* f = Open();
    auto state = [f] { return std::tuple(T(f->Button8->text()), f->GroupBox3->isVisible(), f->height()); };
    EXPECT_EQ(state(), std::tuple("詳細設定", false, 590));
    f->Button8->click();
    EXPECT_EQ(state(), std::tuple("詳細設定を終了", true, 730));
    EXPECT_TRUE(f->GroupBox4->isVisible());
    for (const auto& [group, out, in] :
         {std::tuple(f->GroupBox3, f->Button3, f->Button5), std::tuple(f->GroupBox4, f->Button6, f->Button7)}) {
        EXPECT_EQ(T(out->text()) + T(in->text()), "書出し読込み") << T(group->title());
    }
    f->Button8->click();
    EXPECT_EQ(state(), std::tuple("詳細設定", false, 590));
    // Later showings keep the section as it was left.
    f->Button8->click();
    f->Button4->click();
    main->setvantoBTN->click();
    EXPECT_EQ(state(), std::tuple("詳細設定を終了", true, 730));
}

TEST_F(SettingsFormTest, WithoutAChosenFileTheDictionaryCannotBeEditedUntilOneIsChosen) {
    WriteBytes(folder / "登録文書/文例.txt", Sjis("点検済み\r\n異常なし"));
    SettingsForm* f = Open();
    EXPECT_EQ(T(f->GroupBox2->title()), "**********文章登録をクリックして編集したいファイルを選択して下さい**********");
    for (QWidget* w :
         std::initializer_list<QWidget*>{f->Dictionary_add_BTN, f->Dictionary_dell_BTN, f->Dictionary_Edit}) {
        EXPECT_FALSE(w->isEnabled()) << T(w->objectName());
    }
    const std::string chosen = folder.Dir() + "登録文書/文例.txt";
    dialogs.QueueFile(chosen);
    f->Button9->click();
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].title, "　ファイル選択");
    EXPECT_EQ(dialogs.FileDialogs()[0].folder, folder.Dir() + "登録文書");
    EXPECT_EQ(File("VANTO_DATA.ini"), Sjis("[STR_DIC]\r\nFILE=" + chosen + "\r\n"));
    EXPECT_EQ(main->State.Paths.PhraseFile, chosen);
    EXPECT_EQ(T(f->GroupBox2->title()), chosen);
    EXPECT_EQ(f->Dictionary_list->count(), 2);
    EXPECT_TRUE(f->Dictionary_Edit->isEnabled() && f->Dictionary_add_BTN->isEnabled());
}

TEST_F(SettingsFormTest, PhrasesAreAddedChangedAndDeletedWithTheirQuestionsAndBackup) {
    const std::string dic = folder.Dir() + "dic.txt";
    Configure(dic);
    WriteBytes(folder / "dic.txt", Sjis("点検済み\r\n異常なし\r\n"));
    SettingsForm* f = Open();
    f->Dictionary_add_BTN->click(); // empty edit, nothing selected: nothing asked
    EXPECT_TRUE(dialogs.Messages().empty());

    f->Dictionary_Edit->setText("オイル交換");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->Dictionary_add_BTN->click();
    EXPECT_EQ(Last().text, "登録文章を新規登録してよろしいですか？\n「オイル交換」");
    EXPECT_EQ(File("dic.txt"), Sjis("点検済み\r\n異常なし\r\nオイル交換\r\n"));
    EXPECT_EQ(File("str_dic_bk.txt"), Sjis("点検済み\r\n異常なし\r\n"));
    EXPECT_TRUE(f->Dictionary_Edit->text().isEmpty());

    f->Dictionary_list->setCurrentRow(1);
    EXPECT_EQ(T(f->Dictionary_Edit->text()), "異常なし");
    f->Dictionary_Edit->setText("異常あり");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->Dictionary_add_BTN->click();
    EXPECT_EQ(Last().text, "登録文章を変更してよろしいですか？\n「異常なし」 を\n「異常あり」 に変更します。");
    EXPECT_EQ(File("dic.txt"), Sjis("点検済み\r\n異常あり\r\nオイル交換\r\n"));
    EXPECT_EQ(File("str_dic_bk.txt"), Sjis("点検済み\r\n異常なし\r\nオイル交換\r\n"));
    EXPECT_EQ(f->Dictionary_list->currentRow(), -1);
    EXPECT_EQ(T(f->Dictionary_Edit->text()), "異常あり");

    f->Dictionary_list->setCurrentRow(0);
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    f->Dictionary_dell_BTN->click();
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->Dictionary_dell_BTN->click();
    EXPECT_EQ(Last().text, "登録文章を削除してよろしいですか？\n点検済み");
    EXPECT_EQ(File("dic.txt"), Sjis("異常あり\r\nオイル交換\r\n"));
    EXPECT_EQ(f->Dictionary_list->count(), 2);
    EXPECT_TRUE(f->Dictionary_Edit->text().isEmpty());
}

TEST_F(SettingsFormTest, ClickingTheSelectedPhraseAgainPutsItsTextBack) {
    Configure(folder.Dir() + "dic.txt");
    WriteBytes(folder / "dic.txt", Sjis("点検済み\r\n異常なし\r\n"));
    SettingsForm* f = Open();
    QListWidget* list = f->Dictionary_list;
    const QPoint second = list->visualItemRect(list->item(1)).center();
    for (const char* typed : {"", "異常あり"}) {
        f->Dictionary_Edit->clear();
        Type(f->Dictionary_Edit, typed);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        EXPECT_EQ(T(f->Dictionary_Edit->text()), "異常なし") << typed;
        EXPECT_EQ(list->currentRow(), 1);
    }
}

TEST_F(SettingsFormTest, FailedSavesAreReportedAndChangeNothing) {
    Configure(folder.Dir() + "dic.txt");
    WriteBytes(folder / "dic.txt", Sjis("点検済み\r\n"));
    fs::create_directories(folder / "owner" / UserFile); // a folder where the file should be
    fs::create_directories(folder / "str_dic_bk.txt");   // the backup cannot be written
    SettingsForm* f = Open();
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->user_set_BTN->click();
    EXPECT_EQ(Last().text, "使用者情報を保存できませんでした。");
    EXPECT_EQ(Last().icon, DialogIcon::Error);
    f->Dictionary_Edit->setText("異常なし");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    f->Dictionary_add_BTN->click();
    EXPECT_EQ(Last().text, "登録文章のバックアップを保存できませんでした。登録文章は変更していません。");
    EXPECT_EQ(File("dic.txt"), Sjis("点検済み\r\n"));
    EXPECT_EQ(f->Dictionary_list->count(), 1);
}

// Runs `inside` once the modal picker is open, and picks.
std::string PickWith(std::function<void(PhrasePicker*)> inside) {
    QTimer::singleShot(0, [inside] { inside(Forms().Phrases); });
    return Forms().Phrases->Pick();
}

TEST_F(SettingsFormTest, ThePickerOffersThePhraseFileAndHandsBackTheChoice) {
    WriteBytes(folder / "dic.txt", Sjis("点検済み\r\n異常なし"));
    StartAndShow();
    main->State.Paths.PhraseFile = folder.Dir() + "dic.txt"; // as the print setup points it
    const std::string chosen = PickWith([](PhrasePicker* p) {
        EXPECT_EQ(T(p->windowTitle()), "登録文章読出し");
        EXPECT_EQ(p->ListBox1->count(), 2);
        EXPECT_EQ(p->ListBox1->currentRow(), 0);
        EXPECT_TRUE(p->Button1->isEnabled());
        p->ListBox1->setCurrentRow(1);
        p->Button1->click();
    });
    EXPECT_EQ(chosen, "異常なし");
    EXPECT_EQ(main->State.SelectedPhrase, "異常なし");
    EXPECT_EQ(PickWith([](PhrasePicker* p) { p->Button2->click(); }), "");
    EXPECT_EQ(main->State.SelectedPhrase, "");

    main->State.Paths.PhraseFile = folder.Dir(); // no file chosen
    PickWith([](PhrasePicker* p) {
        EXPECT_EQ(p->ListBox1->count(), 0);
        EXPECT_FALSE(p->Button1->isEnabled());
        p->Button2->click();
    });
}

class SettingsBackup : public SettingsFormTest {
protected:
    void SetUp() override {
        Configure();
        WriteBytes(folder / "owner" / UserFile, Sjis("[user]\r\nname=山田\r\n"));
        WriteBytes(folder / "owner/登録文書/文例.txt", Sjis("点検済み\r\n"));
        WriteBytes(folder / "users/VISITOR_M.DT", Sjis("鈴木\r\n"));
    }
    TempFolder elsewhere; // outside the program's folder, where no backup may lie
    const std::string picked = elsewhere.Dir() + "pick";
};

TEST_F(SettingsBackup, ExportThenImportRestoresTheDataAndReloadsTheForm) {
    SettingsForm* f = Open();
    f->Button8->click();
    dialogs.QueueFile(picked);
    f->Button3->click();
    ASSERT_EQ(dialogs.FolderDialogs().size(), 1u);
    const FolderDialogOptions& browser = dialogs.FolderDialogs()[0];
    EXPECT_EQ(browser.title, "保存場所選択ﾀﾞｲｱﾛｸﾞ");
    EXPECT_EQ(browser.instruction, "書き出す場所を選択して【決　　定】ボタンをクリックして下さい。");
    EXPECT_EQ(browser.acceptCaption, "決　　定");
    EXPECT_EQ(browser.initialFolder, Owner());
    EXPECT_EQ(Last().text, "基本情報の書出しに成功しました。");
    EXPECT_EQ(Last().buttons, DialogButtons::Ok);

    WriteBytes(folder / "owner" / UserFile, Sjis("[user]\r\nname=鈴木\r\n"));
    fs::remove_all(folder / "owner/登録文書");
    f->Button4->click();
    main->setvantoBTN->click();
    EXPECT_EQ(T(f->user_name->text()), "鈴木");
    dialogs.QueueFile(picked);
    f->Button5->click();
    ASSERT_FALSE(dialogs.FolderDialogs().empty());
    EXPECT_EQ(dialogs.FolderDialogs().back().instruction,
              "読み込む場所を選択して【決　　定】ボタンをクリックして下さい。");
    EXPECT_EQ(Last().text, "基本情報の読込みに成功しました。");
    EXPECT_EQ(T(f->user_name->text()), "山田");
    EXPECT_EQ(File("owner/登録文書/文例.txt"), Sjis("点検済み\r\n"));

    dialogs.QueueFile(picked);
    f->Button6->click();
    ASSERT_FALSE(dialogs.FolderDialogs().empty());
    EXPECT_EQ(dialogs.FolderDialogs().back().initialFolder, folder.Dir() + "users/");
    EXPECT_EQ(Last().text, "お客様情報の書出しに成功しました。");
    WriteBytes(folder / "users/VISITOR_M.DT", "");
    dialogs.QueueFile(picked);
    f->Button7->click();
    EXPECT_EQ(Last().text, "お客様情報の読込みに成功しました。");
    EXPECT_EQ(File("users/VISITOR_M.DT"), Sjis("鈴木\r\n"));
}

TEST_F(SettingsBackup, CancelSaysNothingAndOverlappingFoldersAreRefused) {
    SettingsForm* f = Open();
    f->Button8->click();
    const auto before = Tree(folder.Path());
    f->Button3->click(); // the browser is cancelled
    EXPECT_TRUE(dialogs.Messages().empty());
    // The data folder, inside it, the root above it (of its drive on Windows), and the program's folder, in which
    // the backup would lie.
    const std::string root = PathToUtf8(folder.Path().root_path());
    for (const std::string& place : {Owner(), Owner() + "登録文書", root, folder.Dir()}) {
        for (QPushButton* button : {f->Button3, f->Button5}) {
            dialogs.QueueFile(place);
            button->click();
            EXPECT_EQ(Last().text, "選択した場所はデータのフォルダと重なるため使えません。別の場所を選択して下さい。")
                << place;
            EXPECT_EQ(Last().icon, DialogIcon::Warning);
        }
    }
    EXPECT_EQ(Tree(folder.Path()), before);
}

} // namespace
