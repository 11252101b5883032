// The program's working folders: where the data lives (VANTO_DATA.ini), the paths every form uses, the
// tester-model marker files and the files a fresh install starts with.
#pragma once

#include "common/WorkingPaths.h"

#include <optional>
#include <string>

namespace vanto {

inline constexpr const char* DocumentFolderName = "登録文書";
inline constexpr const char* CustomerFolderName = "お客様";
inline constexpr const char* VisitorFileName = "VISITOR_M.DT";
inline constexpr const char* DictionaryFileName = "str_dic.txt";
inline constexpr const char* LegacyDatabaseName = "mon_gest.HR3OR";
inline constexpr const char* EntryTitle = "診断機よりデータの読み込み";

// Reads VANTO_DATA.ini in the program's folder into OwnerDir, UsersDir and PhraseFile. Without the file, or
// for a key that is missing or empty, the value is the program's folder; folder values get a trailing
// separator.
void ReadFolderConfig(WorkingPaths& paths);

// Creates OwnerDir and UsersDir with their missing parents. Returns the folder that could not be created.
std::optional<std::string> CreateDataFolders(const WorkingPaths& paths);

// Moves the registered-documents folder from the program's folder to OwnerDir; a missing folder, a file of
// that name or a failing move is left alone.
void MoveDocumentFolder(const WorkingPaths& paths);

// The application title chosen by the first tester-model marker file in the program's folder, if any.
std::optional<std::string> ModelTitle(const std::string& exeDir);

// Composes UserInfoFile, CustomerRoot, VisitorFile and DictionaryFile from the folders and the program's file
// name (its extension replaced by "_160.INI").
void ComposePaths(WorkingPaths& paths, const std::string& exeFileName);

enum class BootstrapOutcome { ListPresent, CreatedEmpty, Converted, Skipped };

// Creates a missing phrase dictionary (empty), and a missing customer list: converted from the legacy
// database when there is one, otherwise empty, in both cases with the customer root folder. A file that cannot
// be created is skipped; the next start tries again.
BootstrapOutcome CreateBootstrapFiles(const WorkingPaths& paths);

} // namespace vanto
