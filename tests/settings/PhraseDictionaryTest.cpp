#include "settings/PhraseDictionary.h"

#include "common/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

struct EditCase {
    const char* name;
    std::string before; // UTF-8 dictionary text
    std::function<PhraseResult(PhraseDictionary&)> edit;
    Lines after; // the list and the file's lines afterwards
};

class PhraseEdit : public ::testing::TestWithParam<EditCase> {};

// Every change leaves the file in CR LF and the list as it stood in the backup in the program's folder.
TEST_P(PhraseEdit, SavesTheFileAndThePreviousListAsBackup) {
    const EditCase& c = GetParam();
    TempFolder folder;
    WriteBytes(folder / "登録文書/定型文.txt", Sjis(c.before));
    fs::create_directories(folder / "exe");
    PhraseDictionary dictionary(folder.Dir() + "登録文書/定型文.txt", folder.Dir() + "exe/");
    dictionary.Load();
    const Lines before = dictionary.Phrases();
    ASSERT_EQ(c.edit(dictionary), PhraseResult::Done);
    EXPECT_EQ(dictionary.Phrases(), c.after);
    EXPECT_EQ(ReadBytes(folder / "登録文書/定型文.txt"), Sjis(JoinLines(c.after)));
    EXPECT_EQ(ReadBytes(folder / "exe/str_dic_bk.txt"), Sjis(JoinLines(before)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PhraseEdit,
    ::testing::Values(
        EditCase{"AddToTwoLines", "良\r\n否\r\n", [](auto& d) { return d.Add("済"); }, {"良", "否", "済"}},
        EditCase{
            "ChangeKeepsPlace", "一\r\n二\r\n三\r\n", [](auto& d) { return d.Change(1, "弐"); }, {"一", "弐", "三"}},
        EditCase{"ChangeToEmpty", "一\r\n二\r\n", [](auto& d) { return d.Change(0, ""); }, {"", "二"}},
        EditCase{"Delete", "一\r\n二\r\n三\r\n", [](auto& d) { return d.Delete(0); }, {"二", "三"}},
        EditCase{"LfAndNoLastLineEnd", "一\n\n二\r\n三", [](auto& d) { return d.Delete(1); }, {"一", "二", "三"}},
        EditCase{"AddToEmptyFile", "", [](auto& d) { return d.Add("初"); }, {"初"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PhraseRefusal, NothingIsWrittenAndTheListStays) {
    TempFolder folder;
    WriteBytes(folder / "d.txt", Sjis("一\r\n"));
    PhraseDictionary dictionary(folder.Dir() + "d.txt", folder.Dir());
    dictionary.Load();
    EXPECT_EQ(dictionary.Add(""), PhraseResult::EmptyText);
    EXPECT_EQ(dictionary.Add("🚗"), PhraseResult::NotStorable);
    EXPECT_EQ(dictionary.Change(0, "a\r\nb"), PhraseResult::NotStorable);
    EXPECT_EQ(dictionary.Change(1, "x"), PhraseResult::NoEntry);
    EXPECT_EQ(dictionary.Delete(-1), PhraseResult::NoEntry);
    EXPECT_FALSE(fs::exists(folder / "str_dic_bk.txt"));
    fs::create_directories(folder / "str_dic_bk.txt"); // the backup cannot be written
    EXPECT_EQ(dictionary.Add("二"), PhraseResult::BackupNotSaved);
    EXPECT_EQ(dictionary.Phrases(), Lines{"一"});
    EXPECT_EQ(ReadBytes(folder / "d.txt"), Sjis("一\r\n"));

    PhraseDictionary unwritable(folder.Dir() + "missing/d.txt", folder.Dir() + "exe/");
    fs::create_directories(folder / "exe");
    EXPECT_EQ(unwritable.Add("二"), PhraseResult::NotSaved);
    EXPECT_TRUE(unwritable.Phrases().empty());
    EXPECT_EQ(PhraseMessage(PhraseResult::NotSaved), "登録文章を保存できませんでした。登録文章は変更していません。");
}

TEST(PhraseFile, WithoutAChosenFileNothingCanBeEditedAndThePromptShows) {
    TempFolder folder;
    for (const std::string& file : {std::string(), folder.Dir()}) {
        PhraseDictionary dictionary(file, folder.Dir());
        dictionary.Load();
        EXPECT_FALSE(dictionary.HasFile());
        EXPECT_EQ(dictionary.Caption(), "**********文章登録をクリックして編集したいファイルを選択して下さい**********");
        EXPECT_EQ(dictionary.Add("x"), PhraseResult::NoFile);
        EXPECT_TRUE(LoadPhrases(file).empty());
    }
    EXPECT_TRUE(LoadPhrases(folder.Dir() + "missing.txt").empty());
    EXPECT_EQ(PhraseDictionary(folder.Dir() + "a.txt", folder.Dir()).Caption(), folder.Dir() + "a.txt");
}

TEST(PhraseFile, QuestionTexts) {
    EXPECT_EQ(DeletePhraseQuestion("要点検"), "登録文章を削除してよろしいですか？\n要点検");
    EXPECT_EQ(AddPhraseQuestion("交換済"), "登録文章を新規登録してよろしいですか？\n「交換済」");
    EXPECT_EQ(ChangePhraseQuestion("二", "弐"), "登録文章を変更してよろしいですか？\n「二」 を\n「弐」 に変更します。");
}

TEST(PhraseFile, TheOpenDialogStartsInTheDocumentsFolderOrAtTheFile) {
    const FileDialogOptions none = PhraseFileDialogOptions("", "/o/", "登録文書");
    EXPECT_EQ(std::tie(none.title, none.filter, none.defaultExtension, none.folder, none.fileName),
              std::make_tuple("　ファイル選択", "ファイル(*.txt)|*.txt", "txt", "/o/登録文書", ""));
    const FileDialogOptions chosen = PhraseFileDialogOptions("/d/定型文.txt", "/o/", "登録文書");
    EXPECT_EQ(std::tie(chosen.folder, chosen.fileName), std::make_tuple("/d", "定型文.txt"));
}

TEST(PhraseFile, TheChoiceIsRecordedWholeInTheFolderConfiguration) {
    TempFolder folder;
    WriteBytes(folder / "VANTO_DATA.ini", "[OWNER]\r\nDIR=/o/\r\n[STR_DIC]\r\nFILE=/old.txt\r\n[USERS]\r\nDIR=/u/\r\n");
    const std::string longPath = "/データ/" + std::string(300, 'x') + "/定型文.txt"; // over 260 bytes
    ASSERT_TRUE(WritePhraseFileSetting(folder.Dir(), longPath));
    EXPECT_EQ(ReadBytes(folder / "VANTO_DATA.ini"),
              "[OWNER]\r\nDIR=/o/\r\n[STR_DIC]\r\nFILE=" + Sjis(longPath) + "\r\n[USERS]\r\nDIR=/u/\r\n");
    EXPECT_EQ(ReadPhraseFileSetting(folder.Dir()), longPath);
    EXPECT_FALSE(WritePhraseFileSetting(folder.Dir(), "/定型文é.txt")); // the file cannot store it: refused whole

    TempFolder fresh;
    ASSERT_TRUE(WritePhraseFileSetting(fresh.Dir(), "/a.txt"));
    EXPECT_EQ(ReadBytes(fresh / "VANTO_DATA.ini"), "[STR_DIC]\r\nFILE=/a.txt\r\n");
    EXPECT_FALSE(WritePhraseFileSetting(fresh.Dir(), "/a\n[OWNER]"));
    EXPECT_EQ(PhraseFileNotRecordedMessage(), "例外処理:VANTO_DATA.ini に選択したファイルを記録できませんでした。");
}

} // namespace
