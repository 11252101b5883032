// Backup and restore of the two data folders (workshop data and customer data), from the detailed section of
// the settings form. A backup of a data folder lives in the picked folder under the data folder's own path
// without its root, so picking the same folder finds it again.
#pragma once

#include "common/Dialogs.h"

#include <filesystem>
#include <functional>
#include <string>

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

// The picked folder followed by the data folder's path without its root ("/" here, "X:\" on Windows), with a
// trailing separator.
std::string BackupFolder(const std::string& pickedFolder, const std::string& dataFolder);

// "基本情報の書出しに成功しました。" and the like.
std::string BackupResultMessage(int code, bool success);
inline constexpr const char* BackupOverlapText =
    "選択した場所はデータのフォルダと重なるため使えません。別の場所を選択して下さい。";

enum class BackupOutcome {
    Done,
    Failed,  // something could not be copied (an export keeps the previous backup whole)
    Refused, // the backup folder and the data folder overlap: nothing touched
};

struct BackupResult {
    BackupOutcome Outcome;
    std::string Message; // what the form shows
    DialogIcon Icon;
};

// Copies one file. The default copies into a temporary file beside the target and renames it over the target,
// so a failed copy never leaves half a file where a whole one was; the modification time is kept.
using CopyFileFunction = std::function<bool(const std::filesystem::path& from, const std::filesystem::path& to)>;
bool CopyDataFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Exports the data folder into its backup folder below the picked folder, or imports it from there.
// Export: a complete new copy replaces the previous backup only when it is whole. Import: copies every file
// and folder of the backup over the data folder; files only in the data folder stay. Symbolic links are copied
// as links, never followed.
BackupResult WriteReadData(const std::string& dataFolder, int code, const std::string& pickedFolder,
                           const CopyFileFunction& copyFile = CopyDataFile);

} // namespace vanto
