// The fixed texts of the reference-value functions: messages, dialog titles and filters, captions. Written once
// here; the forms and the tests use these names.
#pragma once

#include "tester/TesterLink.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace vanto {

// File dialogs of the reference value files.
inline constexpr const char* ReferenceFileExtension = "DTKJ2";
inline constexpr const char* ReferenceFileFilter = "参考値ファイル2(*.DTKJ2)|*.DTKJ2";
inline constexpr const char* ReferenceSaveDialogTitle = "参考値ファイル名指定";
inline constexpr const char* ReferenceSaveFileName = "*.*"; // the save dialog's file name each time it opens
inline constexpr const char* ReferenceOpenDialogTitle = "参考値ファイル選択";

// Captions of the six description fields, and the length limits of the reading form's edits (characters).
inline constexpr std::array<const char*, 6> InfoFieldCaptions{"車  種  名", "車輌形式",    "エンジン形式",
                                                              "年  　式",   "走 行 距 離", "コメント"};
inline constexpr std::array<int, 6> InfoEditMaxLength{18, 18, 18, 18, 8, 128};

// Reference-value menu.
inline constexpr const char* ReferenceMenuCaption = "参考値の管理";
std::string DeleteAllQuestionText(const std::string& testerName);
std::string AllDeletedText(const std::string& testerName);

// The running tester application cannot give (read) or take (write) reference values.
std::string ReadCapabilityText();
std::string WriteCapabilityText();

// Reading form.
std::string ReadFormCaption(const std::string& testerName);
std::string NoReferenceSetsText(const std::string& testerName);
std::string NotReadText(const std::string& testerName);
inline constexpr const char* NoFileNameText = "ファイル名がありません";
inline constexpr const char* OverwriteQuestionText = "既に同じファイル名が存在します、上書きしてよろしいですか？";
std::string DeleteQuestionText(const std::string& testerName);
std::string DeletedText(const std::string& testerName);
// Our own: the chosen file could not be written (it is as it was), or DATA.WK could not take a read set.
std::string SaveFailedText(const std::string& path);
inline constexpr const char* WorkFileFailedText =
    "作業ファイル DATA.WK に書き込めませんでした。\n読み込んだ参考値は保存できません。";

// Writing form and its job.
inline constexpr const char* ValuesMemoCaption = "参考値変換値";
// The message for the picked files that fail the validity rule, each path on its own line.
std::string InvalidFilesText(const std::vector<std::string>& paths);
inline constexpr const char* NoFilePickedText = "ファイルが選択されていません。！";
inline constexpr const char* FileUnreadableText = "ファイルの読み込みが出来ません！";
inline constexpr const char* NoAnswerText = "正常な通信が出来ません！";
inline constexpr const char* AreaFullText = "参考値エリアが一杯か、又は書き込み中にエラーが発生しました。";
std::string WriteCompleteText(const std::string& testerName);
// The wait dialog's label while file k (counted from 0) of n is written.
inline constexpr const char* ReferenceWaitText = WaitingText;
std::string WriteProgressLabel(std::size_t k, std::size_t n);

} // namespace vanto
