// The phrase dictionary: ready-made phrases, one per line of a CP932 text file with CR LF, that the settings
// form edits and the phrase picker offers. Before every change the list as it stood goes to the backup file in
// the program's folder, so the last change can always be undone by hand.
#pragma once

#include "common/Dialogs.h"

#include <optional>
#include <string>
#include <vector>

namespace vanto {

inline constexpr const char* PhraseBackupFileName = "str_dic_bk.txt";
// Caption of the dictionary group while no file is chosen.
inline constexpr const char* PhrasePromptCaption =
    "**********文章登録をクリックして編集したいファイルを選択して下さい**********";
inline constexpr const char* PhraseConfigSection = "STR_DIC";
inline constexpr const char* PhraseConfigKey = "FILE";
inline constexpr const char* ExceptionPrefix = "例外処理:";
inline constexpr const char* PhraseNotStorableText = "登録文章に保存できない文字が含まれています。";
inline constexpr const char* PhraseBackupNotSavedText =
    "登録文章のバックアップを保存できませんでした。登録文章は変更していません。";
inline constexpr const char* PhraseNotSavedText = "登録文章を保存できませんでした。登録文章は変更していません。";

// The confirmation questions (OK and Cancel).
std::string DeletePhraseQuestion(const std::string& phrase);
std::string AddPhraseQuestion(const std::string& phrase);
std::string ChangePhraseQuestion(const std::string& oldPhrase, const std::string& newPhrase);

// True when the text names a file to edit: not empty and not a folder (without a folder configuration the
// phrase file setting holds the program's folder, which names no file).
bool IsPhraseFileChosen(const std::string& phraseFile);

// The phrases of a file, one per line (CR LF, LF and a last line without line end are read); a file that
// cannot be read gives no phrases. What the picker shows.
std::vector<std::string> LoadPhrases(const std::string& phraseFile);

enum class PhraseResult {
    Done,
    NoFile,         // no dictionary file chosen
    NoEntry,        // no phrase at that position
    EmptyText,      // an addition needs a text
    NotStorable,    // the text holds a character the file cannot store, or a line break
    BackupNotSaved, // nothing changed
    NotSaved,       // nothing changed (the backup holds the list as it still is)
};

// The message for a failed change (empty when nothing is to be said: Done, NoFile, NoEntry, EmptyText).
std::string PhraseMessage(PhraseResult result);

// The list the settings form edits. Positions are the list's rows (0 is the first line).
class PhraseDictionary {
public:
    PhraseDictionary(std::string phraseFile, const std::string& exeDir);

    const std::string& File() const { return file_; }
    const std::string& BackupFile() const { return backupFile_; }
    bool HasFile() const { return IsPhraseFileChosen(file_); }
    // The group caption: the file's path, or the prompt when no file is chosen.
    std::string Caption() const;
    const std::vector<std::string>& Phrases() const { return phrases_; }

    // Reloads the list from the file (empty without a chosen file or when it cannot be read).
    void Load();

    // Each saves the backup, changes the list and saves the file; on failure the list stays as it was.
    PhraseResult Add(const std::string& text);
    PhraseResult Change(int row, const std::string& text); // an empty text gives an empty line
    PhraseResult Delete(int row);

private:
    PhraseResult Save(std::vector<std::string> changed);

    std::string file_;
    std::string backupFile_;
    std::vector<std::string> phrases_;
};

// The open dialog of "文章登録": without a chosen file it starts in the registered-documents folder, otherwise at
// the current file with its name preset.
FileDialogOptions PhraseFileDialogOptions(const std::string& phraseFile, const std::string& ownerDir,
                                          const std::string& documentFolder);

// The phrase file setting of VANTO_DATA.ini in the program's folder, kept whole as a native path (the file
// name bytes of the platform: UTF-8 here, CP932 on Windows). Nothing when the file or the key is missing.
std::optional<std::string> ReadPhraseFileSetting(const std::string& exeDir);
// False when VANTO_DATA.ini cannot be written (it is then as it was).
bool WritePhraseFileSetting(const std::string& exeDir, const std::string& phraseFile);
// The error shown when the choice cannot be recorded.
std::string PhraseFileNotRecordedMessage();

} // namespace vanto
