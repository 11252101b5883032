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
        Press(main, "プログラムの基本設定");
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

const char* const Numbers[] = {"郵便番号1", "郵便番号2", "電話番号1", "電話番号2",
                               "電話番号3", "ＦＡＸ1",   "ＦＡＸ2",   "ＦＡＸ3"};

TEST_F(SettingsFormTest, ShowsTheStoredDetailsAndSavesThemBackUnchanged) {
    WriteBytes(folder / UserFile, Sjis(Stored));
    SettingsForm* f = Open();
    ASSERT_TRUE(f && f->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(T(f->windowTitle()), "使用者情報及び文章登録");
    std::vector<std::string> shown;
    for (const char* name : Numbers) {
        shown.push_back(T(Named<QLineEdit>(f, name)->text()));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"140", "0001", "03", "1234", "5678", "03", "1234", "5679"}));
    QLineEdit* name = Named<QLineEdit>(f, "会 社 名");
    EXPECT_EQ(name->text().size(), 55); // longer than may be typed, shown whole
    EXPECT_FALSE(Named<QLineEdit>(f, "メッセージ1")->isVisible());
    Named<QLineEdit>(f, "電話番号3")->setText("9999");
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(f, "設　　定");
    Named<QLineEdit>(f, "電話番号3")->setText("5678");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "設　　定");
    EXPECT_EQ(File(UserFile), Sjis(Stored));
    ASSERT_EQ(dialogs.Messages().size(), 2u); // the two questions, no message after the save
    EXPECT_EQ(Last().text, "使用者情報を更新してよろしいですか？");
    EXPECT_EQ(Last().icon, DialogIcon::Question);
    EXPECT_EQ(Last().buttons, DialogButtons::OkCancel);

    name->setText("changed, not saved");
    Press(f, "閉じる");
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(main->isVisible());
    Press(main, "プログラムの基本設定");
    EXPECT_EQ(name->text().size(), 55);
}

TEST_F(SettingsFormTest, AMissingFileShowsEmptyFieldsAndTheFirstSaveCreatesIt) {
    SettingsForm* f = Open();
    for (QLineEdit* e : f->findChildren<QLineEdit*>()) {
        EXPECT_TRUE(e->text().isEmpty()) << T(e->accessibleName());
    }
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "設　　定");
    EXPECT_EQ(File(UserFile), "[user]\r\nname=\r\npost=-\r\ntel=--\r\nfax=--\r\nAddress=\r\nmes1=\r\nmes2=\r\n");
}

TEST_F(SettingsFormTest, NumberFieldsTakeDigitsOnlyAndTextFieldsWhatTheFilesCanStore) {
    Configure(folder.Dir() + "dic.txt");
    SettingsForm* f = Open();
    for (const char* name : Numbers) {
        Type(Named<QLineEdit>(f, name), QString::fromUtf8("03a-1 ２x9"));
        EXPECT_EQ(T(Named<QLineEdit>(f, name)->text()), "0319") << name;
    }
    for (const char* name : {"会 社 名", "住    所", "文書エディタ"}) {
        Type(Named<QLineEdit>(f, name), QString::fromUtf8("東京😀都-1"));
        EXPECT_EQ(T(Named<QLineEdit>(f, name)->text()), "東京都-1") << name;
    }
}

TEST_F(SettingsFormTest, TheSwitchGivesTheDetailedAndTheCompactForm) {
    SettingsForm* f = Open();
    // Whether the switch reads "詳細設定を終了" (else "詳細設定", pressed below), the backup shows, the height.
    auto state = [f] {
        return std::tuple(AllNamed<QPushButton>(f, "詳細設定を終了").size() == 1,
                          Named<QGroupBox>(f, "基本情報")->isVisible(), f->height());
    };
    EXPECT_EQ(state(), std::tuple(false, false, 590));
    Press(f, "詳細設定");
    EXPECT_EQ(state(), std::tuple(true, true, 730));
    for (const char* group : {"基本情報", "お客様情報"}) {
        QGroupBox* box = Named<QGroupBox>(f, group);
        EXPECT_TRUE(box->isVisible() && Named<QPushButton>(box, "書出し") && Named<QPushButton>(box, "読込み"))
            << group;
    }
    Press(f, "詳細設定を終了");
    EXPECT_EQ(state(), std::tuple(false, false, 590));
    // Later showings keep the section as it was left.
    Press(f, "詳細設定");
    Press(f, "閉じる");
    Press(main, "プログラムの基本設定");
    EXPECT_EQ(state(), std::tuple(true, true, 730));
}

TEST_F(SettingsFormTest, WithoutAChosenFileTheDictionaryCannotBeEditedUntilOneIsChosen) {
    WriteBytes(folder / "登録文書/文例.txt", Sjis("点検済み\r\n異常なし"));
    SettingsForm* f = Open();
    EXPECT_NE(Named<QGroupBox>(f, "**********文章登録をクリックして編集したいファイルを選択して下さい**********"),
              nullptr);
    for (const char* name : {"追加　変更", "削　　除", "文書エディタ"}) {
        EXPECT_FALSE(Named(f, name)->isEnabled()) << name;
    }
    const std::string chosen = folder.Dir() + "登録文書/文例.txt";
    dialogs.QueueFile(chosen);
    Press(f, "文章登録");
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].title, "　ファイル選択");
    EXPECT_EQ(dialogs.FileDialogs()[0].folder, folder.Dir() + "登録文書");
    EXPECT_EQ(File("VANTO_DATA.ini"), Sjis("[STR_DIC]\r\nFILE=" + chosen + "\r\n"));
    EXPECT_EQ(main->State.Paths.PhraseFile, chosen);
    EXPECT_NE(Named<QGroupBox>(f, chosen.c_str()), nullptr);
    EXPECT_EQ(Named<QListWidget>(f, "文章リスト")->count(), 2);
    EXPECT_TRUE(Named(f, "文書エディタ")->isEnabled() && Named(f, "追加　変更")->isEnabled());
}

TEST_F(SettingsFormTest, PhrasesAreAddedChangedAndDeletedWithTheirQuestionsAndBackup) {
    const std::string dic = folder.Dir() + "dic.txt";
    Configure(dic);
    WriteBytes(folder / "dic.txt", Sjis("点検済み\r\n異常なし\r\n"));
    SettingsForm* f = Open();
    QListWidget* list = Named<QListWidget>(f, "文章リスト");
    QLineEdit* edit = Named<QLineEdit>(f, "文書エディタ");
    Press(f, "追加　変更"); // empty edit, nothing selected: nothing asked
    EXPECT_TRUE(dialogs.Messages().empty());

    edit->setText("オイル交換");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "追加　変更");
    EXPECT_EQ(Last().text, "登録文章を新規登録してよろしいですか？\n「オイル交換」");
    EXPECT_EQ(File("dic.txt"), Sjis("点検済み\r\n異常なし\r\nオイル交換\r\n"));
    EXPECT_EQ(File("str_dic_bk.txt"), Sjis("点検済み\r\n異常なし\r\n"));
    EXPECT_TRUE(edit->text().isEmpty());

    list->setCurrentRow(1);
    EXPECT_EQ(T(edit->text()), "異常なし");
    edit->setText("異常あり");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "追加　変更");
    EXPECT_EQ(Last().text, "登録文章を変更してよろしいですか？\n「異常なし」 を\n「異常あり」 に変更します。");
    EXPECT_EQ(File("dic.txt"), Sjis("点検済み\r\n異常あり\r\nオイル交換\r\n"));
    EXPECT_EQ(File("str_dic_bk.txt"), Sjis("点検済み\r\n異常なし\r\nオイル交換\r\n"));
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(T(edit->text()), "異常あり");

    list->setCurrentRow(0);
    dialogs.QueueAnswer(DialogAnswer::Cancel);
    Press(f, "削　　除");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "削　　除");
    EXPECT_EQ(Last().text, "登録文章を削除してよろしいですか？\n点検済み");
    EXPECT_EQ(File("dic.txt"), Sjis("異常あり\r\nオイル交換\r\n"));
    EXPECT_EQ(list->count(), 2);
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(SettingsFormTest, ClickingTheSelectedPhraseAgainPutsItsTextBack) {
    Configure(folder.Dir() + "dic.txt");
    WriteBytes(folder / "dic.txt", Sjis("点検済み\r\n異常なし\r\n"));
    SettingsForm* f = Open();
    QListWidget* list = Named<QListWidget>(f, "文章リスト");
    QLineEdit* edit = Named<QLineEdit>(f, "文書エディタ");
    const QPoint second = list->visualItemRect(list->item(1)).center();
    for (const char* typed : {"", "異常あり"}) {
        edit->clear();
        Type(edit, typed);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        EXPECT_EQ(T(edit->text()), "異常なし") << typed;
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
    Press(f, "設　　定");
    EXPECT_EQ(Last().text, "使用者情報を保存できませんでした。");
    EXPECT_EQ(Last().icon, DialogIcon::Error);
    Named<QLineEdit>(f, "文書エディタ")->setText("異常なし");
    dialogs.QueueAnswer(DialogAnswer::Ok);
    Press(f, "追加　変更");
    EXPECT_EQ(Last().text, "登録文章のバックアップを保存できませんでした。登録文章は変更していません。");
    EXPECT_EQ(File("dic.txt"), Sjis("点検済み\r\n"));
    EXPECT_EQ(Named<QListWidget>(f, "文章リスト")->count(), 1);
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
        QListWidget* list = Named<QListWidget>(p, "登録文章");
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 0);
        list->setCurrentRow(1);
        Press(p, "選　択");
    });
    EXPECT_EQ(chosen, "異常なし");
    EXPECT_EQ(main->State.SelectedPhrase, "異常なし");
    EXPECT_EQ(PickWith([](PhrasePicker* p) { Press(p, "閉じる"); }), "");
    EXPECT_EQ(main->State.SelectedPhrase, "");

    main->State.Paths.PhraseFile = folder.Dir(); // no file chosen
    PickWith([](PhrasePicker* p) {
        EXPECT_EQ(Named<QListWidget>(p, "登録文章")->count(), 0);
        EXPECT_FALSE(Named(p, "選　択")->isEnabled());
        Press(p, "閉じる");
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
    Press(f, "詳細設定");
    QGroupBox* workshop = Named<QGroupBox>(f, "基本情報");
    dialogs.QueueFile(picked);
    Press(workshop, "書出し");
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
    Press(f, "閉じる");
    Press(main, "プログラムの基本設定");
    QLineEdit* name = Named<QLineEdit>(f, "会 社 名");
    EXPECT_EQ(T(name->text()), "鈴木");
    dialogs.QueueFile(picked);
    Press(workshop, "読込み");
    ASSERT_FALSE(dialogs.FolderDialogs().empty());
    EXPECT_EQ(dialogs.FolderDialogs().back().instruction,
              "読み込む場所を選択して【決　　定】ボタンをクリックして下さい。");
    EXPECT_EQ(Last().text, "基本情報の読込みに成功しました。");
    EXPECT_EQ(T(name->text()), "山田");
    EXPECT_EQ(File("owner/登録文書/文例.txt"), Sjis("点検済み\r\n"));

    dialogs.QueueFile(picked);
    Press(Named<QGroupBox>(f, "お客様情報"), "書出し");
    ASSERT_FALSE(dialogs.FolderDialogs().empty());
    EXPECT_EQ(dialogs.FolderDialogs().back().initialFolder, folder.Dir() + "users/");
    EXPECT_EQ(Last().text, "お客様情報の書出しに成功しました。");
    WriteBytes(folder / "users/VISITOR_M.DT", "");
    dialogs.QueueFile(picked);
    Press(Named<QGroupBox>(f, "お客様情報"), "読込み");
    EXPECT_EQ(Last().text, "お客様情報の読込みに成功しました。");
    EXPECT_EQ(File("users/VISITOR_M.DT"), Sjis("鈴木\r\n"));
}

TEST_F(SettingsBackup, CancelSaysNothingAndOverlappingFoldersAreRefused) {
    SettingsForm* f = Open();
    Press(f, "詳細設定");
    QGroupBox* workshop = Named<QGroupBox>(f, "基本情報");
    const auto before = Tree(folder.Path());
    Press(workshop, "書出し"); // the browser is cancelled
    EXPECT_TRUE(dialogs.Messages().empty());
    // The data folder, inside it, the root above it (of its drive on Windows), and the program's folder, in which
    // the backup would lie.
    const std::string root = PathToUtf8(folder.Path().root_path());
    for (const std::string& place : {Owner(), Owner() + "登録文書", root, folder.Dir()}) {
        for (const char* button : {"書出し", "読込み"}) {
            dialogs.QueueFile(place);
            Press(workshop, button);
            EXPECT_EQ(Last().text, "選択した場所はデータのフォルダと重なるため使えません。別の場所を選択して下さい。")
                << place;
            EXPECT_EQ(Last().icon, DialogIcon::Warning);
        }
    }
    EXPECT_EQ(Tree(folder.Path()), before);
}

} // namespace
