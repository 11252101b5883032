#include "settings/PhraseDictionary.h"

#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/ProfileFile.h"
#include "common/Sjis.h"
#include "common/TextFile.h"
#include "common/WorkingPaths.h"

#include <filesystem>
#include <utility>

namespace vanto {
namespace fs = std::filesystem;

namespace {

constexpr const char* FileDialogTitle = "　ファイル選択";
constexpr const char* FileDialogFilter = "ファイル(*.txt)|*.txt";
constexpr const char* FileDialogExtension = "txt";

bool IsStorable(const std::string& text) {
    return IsSjisText(text) && text.find_first_of("\r\n") == std::string::npos;
}

ProfileFile FolderConfig(const std::string& exeDir) {
    return ProfileFile(PathFromUtf8(WithTrailingSeparator(exeDir) + FolderConfigFileName));
}

} // namespace

std::string DeletePhraseQuestion(const std::string& phrase) {
    return "登録文章を削除してよろしいですか？\n" + phrase;
}

std::string AddPhraseQuestion(const std::string& phrase) {
    return "登録文章を新規登録してよろしいですか？\n「" + phrase + "」";
}

std::string ChangePhraseQuestion(const std::string& oldPhrase, const std::string& newPhrase) {
    return "登録文章を変更してよろしいですか？\n「" + oldPhrase + "」 を\n「" + newPhrase + "」 に変更します。";
}

bool IsPhraseFileChosen(const std::string& phraseFile) {
    if (phraseFile.empty() || WithTrailingSeparator(phraseFile) == phraseFile) {
        return false;
    }
    return !FolderExists(PathFromUtf8(phraseFile));
}

std::vector<std::string> LoadPhrases(const std::string& phraseFile) {
    if (!IsPhraseFileChosen(phraseFile)) {
        return {};
    }
    return ReadSjisLines(PathFromUtf8(phraseFile)).value_or(std::vector<std::string>{});
}

std::string PhraseMessage(PhraseResult result) {
    switch (result) {
    case PhraseResult::NotStorable:
        return PhraseNotStorableText;
    case PhraseResult::BackupNotSaved:
        return PhraseBackupNotSavedText;
    case PhraseResult::NotSaved:
        return PhraseNotSavedText;
    default:
        return {};
    }
}

PhraseDictionary::PhraseDictionary(std::string phraseFile, const std::string& exeDir)
    : file_(std::move(phraseFile)), backupFile_(WithTrailingSeparator(exeDir) + PhraseBackupFileName) {}

std::string PhraseDictionary::Caption() const {
    return HasFile() ? file_ : PhrasePromptCaption;
}

void PhraseDictionary::Load() {
    phrases_ = LoadPhrases(file_);
}

PhraseResult PhraseDictionary::Add(const std::string& text) {
    if (!HasFile()) {
        return PhraseResult::NoFile;
    }
    if (text.empty()) {
        return PhraseResult::EmptyText;
    }
    if (!IsStorable(text)) {
        return PhraseResult::NotStorable;
    }
    std::vector<std::string> changed = phrases_;
    changed.push_back(text);
    return Save(std::move(changed));
}

PhraseResult PhraseDictionary::Change(int row, const std::string& text) {
    if (!HasFile()) {
        return PhraseResult::NoFile;
    }
    if (row < 0 || static_cast<std::size_t>(row) >= phrases_.size()) {
        return PhraseResult::NoEntry;
    }
    if (!IsStorable(text)) {
        return PhraseResult::NotStorable;
    }
    std::vector<std::string> changed = phrases_;
    changed[static_cast<std::size_t>(row)] = text;
    return Save(std::move(changed));
}

PhraseResult PhraseDictionary::Delete(int row) {
    if (!HasFile()) {
        return PhraseResult::NoFile;
    }
    if (row < 0 || static_cast<std::size_t>(row) >= phrases_.size()) {
        return PhraseResult::NoEntry;
    }
    std::vector<std::string> changed = phrases_;
    changed.erase(changed.begin() + row);
    return Save(std::move(changed));
}

PhraseResult PhraseDictionary::Save(std::vector<std::string> changed) {
    if (!SaveSjisLines(PathFromUtf8(backupFile_), phrases_)) {
        return PhraseResult::BackupNotSaved;
    }
    if (!SaveSjisLines(PathFromUtf8(file_), changed)) {
        return PhraseResult::NotSaved;
    }
    phrases_ = std::move(changed);
    return PhraseResult::Done;
}

FileDialogOptions PhraseFileDialogOptions(const std::string& phraseFile, const std::string& ownerDir,
                                          const std::string& documentFolder) {
    FileDialogOptions options;
    options.title = FileDialogTitle;
    options.filter = FileDialogFilter;
    options.defaultExtension = FileDialogExtension;
    if (IsPhraseFileChosen(phraseFile)) {
        const fs::path path = PathFromUtf8(phraseFile);
        options.folder = PathToUtf8(path.parent_path());
        options.fileName = PathToUtf8(path.filename());
    } else {
        options.folder = WithTrailingSeparator(ownerDir) + documentFolder;
    }
    // A workshop may start a dictionary of its own by typing a new name.
    options.mustExist = false;
    return options;
}

// VANTO_DATA.ini is Shift-JIS like every file of the program: a path it cannot store is refused, never cut.
std::optional<std::string> ReadPhraseFileSetting(const std::string& exeDir) {
    const ProfileFile config = FolderConfig(exeDir);
    auto value = config.ReadBytes(PhraseConfigSection, PhraseConfigKey);
    return value ? std::optional<std::string>(DecodeSjis(*value)) : std::nullopt;
}

bool WritePhraseFileSetting(const std::string& exeDir, const std::string& phraseFile) {
    if (phraseFile.find_first_of("\r\n") != std::string::npos) {
        return false; // would end the key's line
    }
    ProfileFile config = FolderConfig(exeDir);
    return config.WriteString(PhraseConfigSection, PhraseConfigKey, phraseFile);
}

std::string PhraseFileNotRecordedMessage() {
    return std::string(ExceptionPrefix) + FolderConfigFileName + " に選択したファイルを記録できませんでした。";
}

} // namespace vanto
