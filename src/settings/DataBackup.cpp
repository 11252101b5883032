#include "settings/DataBackup.h"

#include "common/FileSystem.h"
#include "common/Paths.h"

#include <algorithm>
#include <atomic>
#include <system_error>

namespace vanto {
namespace fs = std::filesystem;

namespace {

constexpr const char* ChooseFolderTemplate = "[REPLACE2]場所を選択して【[REPLACE]】ボタンをクリックして下さい。";
constexpr const char* ResultTemplate = "[REP1]情報の[REP2]に[REP3]しました。";

bool IsExport(int code) {
    return (code & backup::Export) != 0;
}
bool IsImport(int code) {
    return (code & backup::Import) != 0;
}
bool IsWorkshop(int code) {
    return (code & backup::WorkshopData) != 0;
}

std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

// The folder absolute and normalised ("." and ".." taken out), without a trailing separator (a root stays a
// root), so that it has a name to rename and its part below the root stays below it.
fs::path FolderPath(const std::string& folder) {
    fs::path path = PathFromUtf8(folder);
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    if (!ec) {
        path = std::move(absolute);
    }
    path = path.lexically_normal();
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return path;
}

// The folder as the file system resolves it (links of the existing part followed), for comparing places.
fs::path Resolved(const fs::path& folder) {
    std::error_code ec;
    fs::path path = fs::weakly_canonical(folder, ec);
    if (ec) {
        path = fs::absolute(folder, ec).lexically_normal();
    }
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return path;
}

bool Overlap(const fs::path& a, const fs::path& b) {
    return PathWithin(a, b) || PathWithin(b, a);
}

// True when the backup folder is, contains or lies inside one of the folders a backup must leave alone.
bool TouchesProtected(const fs::path& backupFolder, const BackupFolders& folders) {
    const fs::path backup = Resolved(backupFolder);
    for (const std::string* folder : {&folders.OwnerDir, &folders.UsersDir, &folders.ExeDir}) {
        if (!folder->empty() && Overlap(Resolved(FolderPath(*folder)), backup)) {
            return true;
        }
    }
    return false;
}

// A name beside `path` that nothing has yet.
fs::path FreeSibling(const fs::path& path, const char* tag) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        fs::path candidate = path;
        candidate += tag + std::to_string(counter++);
        if (!EntryExists(candidate)) {
            return candidate;
        }
    }
}

bool CopyLink(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const fs::file_status existing = fs::symlink_status(to, ec);
    if (fs::is_directory(existing) || (fs::exists(existing) && !fs::remove(to, ec))) {
        return false;
    }
    fs::copy_symlink(from, to, ec);
    return !ec;
}

// Copies everything below `from` into the folder `to`; folders already there are merged into, files replaced.
// Stops at the first entry that cannot be copied.
bool CopyTree(const fs::path& from, const fs::path& to, const CopyFileFunction& copyFile) {
    std::error_code walk;
    for (fs::directory_iterator it(from, walk); !walk && it != fs::directory_iterator(); it.increment(walk)) {
        std::error_code ec;
        const fs::path target = to / it->path().filename();
        const fs::file_status status = it->symlink_status(ec);
        if (ec) {
            return false;
        }
        if (fs::is_symlink(status)) {
            if (!CopyLink(it->path(), target)) {
                return false;
            }
        } else if (fs::is_directory(status)) {
            fs::create_directory(target, ec);
            // Only a real folder is copied into: a link there could lead out of the target.
            if (!fs::is_directory(fs::symlink_status(target, ec)) || !CopyTree(it->path(), target, copyFile)) {
                return false;
            }
            CopyModificationTime(it->path(), target); // after its contents, which change it
        } else if (!fs::is_regular_file(status) || !copyFile(it->path(), target)) {
            return false; // a pipe, socket or device has no contents to back up
        }
    }
    return !walk;
}

// An import's copy: every entry of the backup it can, past any failure, noting those it could not copy.
class Restore {
public:
    Restore(const CopyFileFunction& copyFile, fs::path dataFolder, fs::path programFolder)
        : copyFile_(copyFile), dataFolder_(std::move(dataFolder)), programFolder_(std::move(programFolder)) {}

    // False when the backup folder itself could not be read.
    bool Tree(const fs::path& from, const fs::path& to, const fs::path& relative = {}) {
        std::error_code walk;
        for (fs::directory_iterator it(from, walk); !walk && it != fs::directory_iterator(); it.increment(walk)) {
            const fs::path name = it->path().filename();
            const fs::path entry = relative / name;
            const fs::path target = to / name;
            std::error_code ec;
            const fs::file_status status = it->symlink_status(ec);
            if (!ec && fs::is_directory(status)) {
                fs::create_directory(target, ec);
                // Only a real folder is copied into: a link there could lead out of the data folder.
                if (!fs::is_directory(fs::symlink_status(target, ec))) {
                    NotRestored(entry, true);
                    continue;
                }
                Tree(it->path(), target, entry);
                CopyModificationTime(it->path(), target); // after its contents, which change it
                continue;
            }
            if (!ec && IsProgramFile(entry)) {
                continue;
            }
            const bool copied =
                !ec && (fs::is_symlink(status) ? CopyLink(it->path(), target)
                                               : fs::is_regular_file(status) && copyFile_(it->path(), target));
            if (!copied) {
                NotRestored(entry, false);
            }
        }
        if (walk && !relative.empty()) {
            NotRestored(relative, true); // what follows the failure in this folder is unknown
        }
        return !walk || !relative.empty();
    }

    std::vector<std::string> TakeNotRestored() { return std::move(notRestored_); }

private:
    // A file of the program where the import would write it (the data folder may be the program's folder).
    bool IsProgramFile(const fs::path& entry) const {
        return IsProgramFileName(entry.filename()) && PathWithin(programFolder_, dataFolder_ / entry);
    }
    void NotRestored(const fs::path& entry, bool folder) {
        const std::string name = PathToUtf8(entry);
        notRestored_.push_back(folder ? WithTrailingSeparator(name) : name);
    }

    const CopyFileFunction& copyFile_;
    fs::path dataFolder_;
    fs::path programFolder_;
    std::vector<std::string> notRestored_;
};

// Removes a folder (or whatever stands at the path) that this operation owns: its read-only files are made
// writable first, because a backup copies them read-only and would otherwise stay half removed. Links are
// removed, never followed.
void RemoveOwn(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(path, ec))) {
        fs::remove(path, ec);
        return;
    }
    for (fs::recursive_directory_iterator it(path, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        std::error_code perms;
        if (it->is_regular_file(perms) && !it->is_symlink(perms)) {
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, perms);
        }
    }
    ForceRemoveDir(PathToUtf8(path));
}

bool Export(const fs::path& data, const fs::path& backupFolder, const CopyFileFunction& copyFile) {
    if (!FolderExists(data)) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(backupFolder.parent_path(), ec);
    // The new copy is made beside the old backup and takes its place only when it is complete.
    const fs::path fresh = FreeSibling(backupFolder, ".~new");
    if (!fs::create_directory(fresh, ec)) {
        return false;
    }
    if (!CopyTree(data, fresh, copyFile)) {
        RemoveOwn(fresh);
        return false;
    }
    const bool hadOld = EntryExists(backupFolder);
    const fs::path old = hadOld ? FreeSibling(backupFolder, ".~old") : fs::path();
    if (hadOld) {
        fs::rename(backupFolder, old, ec);
        if (ec) {
            RemoveOwn(fresh);
            return false;
        }
    }
    fs::rename(fresh, backupFolder, ec);
    if (ec) {
        std::error_code back;
        if (hadOld) {
            fs::rename(old, backupFolder, back);
        }
        RemoveOwn(fresh);
        return false;
    }
    if (hadOld) {
        RemoveOwn(old); // the new backup is in place; a remainder here does not make it less complete
    }
    return true;
}

// False when nothing could be restored; `notRestored` names what could not.
bool Import(const fs::path& backupFolder, const fs::path& data, const fs::path& programFolder,
            const CopyFileFunction& copyFile, std::vector<std::string>& notRestored) {
    std::error_code ec;
    if (!FolderExists(backupFolder)) {
        return false;
    }
    fs::create_directories(data, ec);
    if (!FolderExists(data)) {
        return false;
    }
    Restore restore(copyFile, Resolved(data), programFolder);
    const bool read = restore.Tree(backupFolder, data);
    notRestored = restore.TakeNotRestored();
    return read;
}

} // namespace

DetailState ToggleDetail(const std::string& caption) {
    if (caption == DetailShowCaption) {
        return {DetailHideCaption, true, DetailedFormHeight};
    }
    return {DetailShowCaption, false, CompactFormHeight};
}

std::string ChooseFolderInstruction(int code) {
    const char* action = IsExport(code) ? "書き出す" : IsImport(code) ? "読み込む" : "保存";
    return ReplaceFirst(ReplaceFirst(ChooseFolderTemplate, "[REPLACE]", ChooseFolderAcceptCaption), "[REPLACE2]",
                        action);
}

std::string DataFolderOf(int code, const std::string& ownerDir, const std::string& usersDir) {
    return IsWorkshop(code) ? ownerDir : usersDir;
}

FolderDialogOptions ChooseFolderFor(int code, const std::string& ownerDir, const std::string& usersDir) {
    return {ChooseFolderTitle, ChooseFolderInstruction(code), ChooseFolderAcceptCaption,
            DataFolderOf(code, ownerDir, usersDir)};
}

bool ReloadsSettings(int code) {
    return code == backup::WorkshopImport;
}

std::string NotRestoredMessage(int code, const std::vector<std::string>& notRestored) {
    std::string text = BackupResultMessage(code, false) + "\n\n" + NotRestoredHeading;
    const std::size_t listed = std::min(notRestored.size(), NotRestoredListed);
    for (std::size_t i = 0; i < listed; ++i) {
        text += "\n" + notRestored[i];
    }
    if (notRestored.size() > listed) {
        text += "\nほか " + std::to_string(notRestored.size() - listed) + " ファイル";
    }
    return text;
}

bool IsProgramFileName(const fs::path& name) {
    std::string text = PathToUtf8(name);
    for (char& c : text) {
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (text.ends_with(".exe") || text.ends_with(".dll") || text.ends_with(".so")) {
        return true;
    }
    // A versioned library: "libname.so.6" or "libname.so.6.4.2".
    const std::size_t so = text.rfind(".so.");
    if (so != std::string::npos && text.find_first_not_of("0123456789.", so + 4) == std::string::npos) {
        return true;
    }
    static const fs::path running = PathFromUtf8(ExecutableFileName());
    return SameFileName(name, running);
}

std::optional<BackupResult> RefusalBeforeChoosing(const BackupFolders& folders, int code) {
    const std::string dataFolder = DataFolderOf(code, folders.OwnerDir, folders.UsersDir);
    if (!dataFolder.empty() && FolderPath(dataFolder).relative_path().empty()) {
        return BackupResult{BackupOutcome::Refused, BackupRootDataText, DialogIcon::Warning};
    }
    return std::nullopt;
}

std::string BackupFolder(const std::string& pickedFolder, const std::string& dataFolder) {
    return WithTrailingSeparator(PathToUtf8(FolderPath(pickedFolder) / FolderPath(dataFolder).relative_path()));
}

std::string BackupResultMessage(int code, bool success) {
    std::string text = ReplaceFirst(ResultTemplate, "[REP1]", IsWorkshop(code) ? "基本" : "お客様");
    text = ReplaceFirst(text, "[REP2]", IsExport(code) ? "書出し" : "読込み");
    return ReplaceFirst(text, "[REP3]", success ? "成功" : "失敗");
}

bool CopyDataFile(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    const fs::path temporary = FreeSibling(to, ".~copy");
    if (!fs::copy_file(from, temporary, ec)) {
        fs::remove(temporary, ec);
        return false;
    }
    CopyModificationTime(from, temporary);
    fs::rename(temporary, to, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

BackupResult WriteReadData(const BackupFolders& folders, int code, const std::string& pickedFolder,
                           const CopyFileFunction& copyFile) {
    if (auto refused = RefusalBeforeChoosing(folders, code)) {
        return *refused;
    }
    const std::string dataFolder = DataFolderOf(code, folders.OwnerDir, folders.UsersDir);
    const bool valid =
        IsExport(code) != IsImport(code) && !dataFolder.empty() && PathFromUtf8(pickedFolder).is_absolute();
    const fs::path data = FolderPath(dataFolder);
    const fs::path backupFolder = FolderPath(BackupFolder(pickedFolder, dataFolder));
    // The data folder is one of the protected folders. An import refuses the same places: no backup of ours can
    // lie there, and reading one there would copy a data or program folder into the data folder.
    if (valid && TouchesProtected(backupFolder, folders)) {
        return {BackupOutcome::Refused, BackupOverlapText, DialogIcon::Warning};
    }
    if (valid && IsImport(code)) {
        const fs::path programFolder = folders.ExeDir.empty() ? fs::path() : Resolved(FolderPath(folders.ExeDir));
        std::vector<std::string> notRestored;
        const bool read = Import(backupFolder, data, programFolder, copyFile, notRestored);
        if (!notRestored.empty()) {
            std::sort(notRestored.begin(), notRestored.end()); // folders are read in no particular order
            return {BackupOutcome::Failed, NotRestoredMessage(code, notRestored), DialogIcon::Warning};
        }
        return {read ? BackupOutcome::Done : BackupOutcome::Failed, BackupResultMessage(code, read),
                DialogIcon::Question};
    }
    const bool copied = valid && Export(data, backupFolder, copyFile);
    return {copied ? BackupOutcome::Done : BackupOutcome::Failed, BackupResultMessage(code, copied),
            DialogIcon::Question};
}

} // namespace vanto
