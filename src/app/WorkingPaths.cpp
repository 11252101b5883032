#include "app/WorkingPaths.h"

#include "app/LegacyImport.h"
#include "common/FileSystem.h"
#include "common/Paths.h"
#include "common/ProfileFile.h"

#include <array>
#include <fstream>
#include <system_error>
#include <utility>

namespace vanto {
namespace fs = std::filesystem;

namespace {
bool CanRead(const std::string& file) {
    std::ifstream in(PathFromUtf8(file), std::ios::binary);
    return static_cast<bool>(in) && !FolderExists(PathFromUtf8(file));
}

bool CreateEmptyFile(const std::string& file) {
    std::ofstream out(PathFromUtf8(file), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out);
}
} // namespace

void ReadFolderConfig(WorkingPaths& paths) {
    paths.DocumentFolder = DocumentFolderName;
    const std::string configFile = paths.ExeDir + FolderConfigFileName;
    if (!CanRead(configFile)) {
        paths.OwnerDir = paths.UsersDir = paths.PhraseFile = paths.ExeDir;
        return;
    }
    const ProfileFile config(PathFromUtf8(configFile));
    auto valueOrExeDir = [&](const char* section, const char* key) {
        std::string value = config.ReadString(section, key);
        return value.empty() ? paths.ExeDir : value;
    };
    paths.OwnerDir = WithTrailingSeparator(valueOrExeDir("OWNER", "DIR"));
    paths.UsersDir = WithTrailingSeparator(valueOrExeDir("USERS", "DIR"));
    paths.PhraseFile = valueOrExeDir("STR_DIC", "FILE");
}

std::optional<std::string> CreateDataFolders(const WorkingPaths& paths) {
    for (const std::string* folder : {&paths.OwnerDir, &paths.UsersDir}) {
        std::error_code ec;
        fs::create_directories(PathFromUtf8(*folder), ec);
        if (!FolderExists(PathFromUtf8(*folder))) {
            return *folder;
        }
    }
    return std::nullopt;
}

void MoveDocumentFolder(const WorkingPaths& paths) {
    const fs::path source = PathFromUtf8(paths.ExeDir + paths.DocumentFolder);
    const fs::path target = PathFromUtf8(paths.OwnerDir + paths.DocumentFolder);
    std::error_code ec;
    if (!FolderExists(source) || fs::equivalent(source.parent_path(), target.parent_path(), ec)) {
        return;
    }
    fs::rename(source, target, ec);
}

std::optional<std::string> ModelTitle(const std::string& exeDir) {
    static const std::array<std::pair<const char*, const char*>, 4> markers{{
        {"Osprey.ini", "PC-Lumen"},
        {"Heron3.ini", "Vanto君"},
        {"Heron2.ini", "Vanto君"},
        {"Egret.ini", "Vanto"},
    }};
    for (const auto& [file, title] : markers) {
        std::error_code ec;
        if (fs::exists(PathFromUtf8(exeDir + file), ec)) {
            return std::string(title);
        }
    }
    return std::nullopt;
}

void ComposePaths(WorkingPaths& paths, const std::string& exeFileName) {
    const std::string stem = PathToUtf8(PathFromUtf8(exeFileName).stem());
    paths.UserInfoFile = paths.OwnerDir + stem + "_160.INI";
    paths.CustomerRoot = paths.UsersDir + CustomerFolderName + std::string(FolderSeparator);
    paths.VisitorFile = paths.UsersDir + VisitorFileName;
    paths.DictionaryFile = paths.OwnerDir + DictionaryFileName;
}

BootstrapOutcome CreateBootstrapFiles(const WorkingPaths& paths) {
    if (!CanRead(paths.DictionaryFile)) {
        CreateEmptyFile(paths.DictionaryFile);
    }
    if (CanRead(paths.VisitorFile)) {
        return BootstrapOutcome::ListPresent;
    }
    const bool legacy = CanRead(paths.ExeDir + LegacyDatabaseName);
    if (!CreateEmptyFile(paths.VisitorFile)) {
        return BootstrapOutcome::Skipped;
    }
    std::error_code ec;
    fs::create_directories(PathFromUtf8(paths.UsersDir + CustomerFolderName), ec);
    if (!legacy) {
        return BootstrapOutcome::CreatedEmpty;
    }
    LegacyImport(paths);
    return BootstrapOutcome::Converted;
}

} // namespace vanto
