// Backup and restore of the two data folders (workshop data and customer data), from the detailed section of
// the settings form. A backup of a data folder lives in the picked folder under the data folder's own path
// without its root, so picking the same folder finds it again.
#pragma once

#include "common/Dialogs.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vanto {

// Operation codes: one data kind combined with one direction.
namespace backup {
inline constexpr int WorkshopData = 1;
inline constexpr int CustomerData = 2;
inline constexpr int Export = 4;
inline constexpr int Import = 8;
inline constexpr int WorkshopExport = WorkshopData | Export; // 5
inline constexpr int WorkshopImport = WorkshopData | Import; // 9
inline constexpr int CustomerExport = CustomerData | Export; // 6
inline constexpr int CustomerImport = CustomerData | Import; // 10
} // namespace backup

// The detailed-settings switch: its two captions and the form heights it gives.
inline constexpr const char* DetailShowCaption = "詳細設定";
inline constexpr const char* DetailHideCaption = "詳細設定を終了";
inline constexpr int CompactFormHeight = 590;
inline constexpr int DetailedFormHeight = 730;

struct DetailState {
    std::string Caption; // the switch's caption afterwards
    bool Visible;        // the backup groups
    int Height;          // the form's height
};

// The state after pressing the switch whose caption is `caption`.
DetailState ToggleDetail(const std::string& caption);

// The folder browser of an operation.
inline constexpr const char* ChooseFolderTitle = "保存場所選択ﾀﾞｲｱﾛｸﾞ";
inline constexpr const char* ChooseFolderAcceptCaption = "決　　定";

// "書き出す場所を選択して【決　　定】ボタンをクリックして下さい。" for an export, "読み込む…" for an import.
std::string ChooseFolderInstruction(int code);
// The data folder of the operation: ownerDir for workshop data, usersDir for customer data.
std::string DataFolderOf(int code, const std::string& ownerDir, const std::string& usersDir);
// The folder browser of an operation: its title, instruction, accept caption and the data folder preselected.
FolderDialogOptions ChooseFolderFor(int code, const std::string& ownerDir, const std::string& usersDir);
// True when the settings form must be reloaded afterwards (the workshop data import brings user information).
bool ReloadsSettings(int code);

// The folders a backup or restore must never overwrite or remove: the two data folders and the program's folder
// (texts as the working paths hold them).
struct BackupFolders {
    std::string OwnerDir;
    std::string UsersDir;
    std::string ExeDir;
};

// The picked folder followed by the data folder's path without its root ("/" here, "X:\" on Windows), with a
// trailing separator. The data folder is made absolute and normalised first, so ".." never leads out of it.
std::string BackupFolder(const std::string& pickedFolder, const std::string& dataFolder);

// "基本情報の書出しに成功しました。" and the like.
std::string BackupResultMessage(int code, bool success);
inline constexpr const char* BackupOverlapText =
    "選択した場所はデータのフォルダと重なるため使えません。別の場所を選択して下さい。";
// A data folder at a drive's or the file system's root would have its backup at the picked folder itself.
inline constexpr const char* BackupRootDataText =
    "データのフォルダがドライブの最上位にあるため、書出しと読込みはできません。";
inline constexpr const char* NotRestoredHeading = "次のファイルは復元できませんでした";
// At most this many paths are named; a line "ほか N ファイル" counts the rest, so the box fits on the screen.
inline constexpr std::size_t NotRestoredListed = 20;

enum class BackupOutcome {
    Done,
    Failed,  // something could not be copied (an export keeps the previous backup whole)
    Refused, // the places overlap, or the data folder is a root: nothing touched
};

struct BackupResult {
    BackupOutcome Outcome;
    std::string Message; // what the form shows
    DialogIcon Icon;
};

// The result message followed by the heading and the entries of the backup that could not be restored, one per
// line: paths relative to the backup folder, a folder that could not be made or read ending with a separator.
std::string NotRestoredMessage(int code, const std::vector<std::string>& notRestored);

// True for a file name of the program itself: an executable or a library (.exe, .dll, .so, .so.N, letter case
// ignored) or the running program's own file name. A restore never writes such a file inside the program's
// folder or below it (its plug-in folders): the running program holds them, and a backup's copies are of
// whatever version was installed when it was made.
bool IsProgramFileName(const std::filesystem::path& name);

// The refusal that needs no picked folder: a data folder at a root. Nothing when the operation may go on.
std::optional<BackupResult> RefusalBeforeChoosing(const BackupFolders& folders, int code);

// Copies one file. The default copies into a temporary file beside the target and renames it over the target,
// so a failed copy never leaves half a file where a whole one was; the modification time is kept.
using CopyFileFunction = std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)>;
bool CopyDataFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Exports the operation's data folder into its backup folder below the picked folder, or imports it from there.
// Refused, touching nothing, when the backup folder is, contains or lies inside any of the three folders, or the
// data folder is a root (compared after normalising, component by component, without letter case on Windows).
// Export: a complete new copy replaces the previous backup only when it is whole. Import: copies every file and
// folder of the backup over the data folder it can, going on past failures, and names those it could not; files
// only in the data folder stay, and the program's own files are left alone (IsProgramFileName). Symbolic links are
// copied as links, never followed.
BackupResult WriteReadData(const BackupFolders& folders, int code, const std::string& pickedFolder,
                           const CopyFileFunction& copyFile = CopyDataFile);

} // namespace vanto
