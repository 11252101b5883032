#include "app/WorkingPaths.h"

#include "common/Paths.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using vanto::test::ReadBytes;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

struct MarkerCase {
    std::vector<std::string> markers;
    std::optional<std::string> title;
};

class ModelMarkers : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(ModelMarkers, FirstMarkerInTableOrderChoosesTheTitle) {
    TempFolder folder;
    for (const auto& marker : GetParam().markers) {
        WriteBytes(folder / marker, "");
    }
    EXPECT_EQ(ModelTitle(folder.Dir()), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Combinations, ModelMarkers,
    ::testing::Values(MarkerCase{{}, std::nullopt}, MarkerCase{{"Osprey.ini", "Heron3.ini"}, "PC-Lumen"},
                      MarkerCase{{"Egret.ini", "Osprey.ini"}, "PC-Lumen"}, MarkerCase{{"Heron3.ini"}, "Vanto君"},
                      MarkerCase{{"Heron2.ini", "Egret.ini"}, "Vanto君"}, MarkerCase{{"Egret.ini"}, "Vanto"},
                      MarkerCase{{"osprey.txt"}, std::nullopt}));

WorkingPaths Configured(const TempFolder& folder) {
    WorkingPaths paths;
    paths.ExeDir = folder.Dir();
    ReadFolderConfig(paths);
    return paths;
}

TEST(FolderConfig, WithoutConfigurationEverythingLivesBesideTheProgram) {
    TempFolder folder;
    WorkingPaths paths = Configured(folder);
    EXPECT_EQ(paths.OwnerDir, folder.Dir());
    EXPECT_EQ(paths.UsersDir, folder.Dir());
    EXPECT_EQ(paths.PhraseFile, folder.Dir());
    EXPECT_EQ(paths.DocumentFolder, "登録文書");
    ComposePaths(paths, "vantodesk");
    EXPECT_EQ(paths.UserInfoFile, folder.Dir() + "vantodesk_160.INI");
    EXPECT_EQ(paths.CustomerRoot, folder.Dir() + "お客様/");
    EXPECT_EQ(paths.VisitorFile, folder.Dir() + "VISITOR_M.DT");
    EXPECT_EQ(paths.DictionaryFile, folder.Dir() + "str_dic.txt");
    ComposePaths(paths, "vantodesk.exe");
    EXPECT_EQ(paths.UserInfoFile, folder.Dir() + "vantodesk_160.INI");
}

TEST(FolderConfig, ConfiguredFoldersGetASeparatorAndEmptyValuesFallBack) {
    TempFolder folder;
    const std::string owner = folder.Dir() + "データ/owner";
    WriteBytes(folder / "VANTO_DATA.ini", Sjis("[OWNER]\r\nDIR=" + owner +
                                               "\r\n[USERS]\r\nDIR=\r\n[STR_DIC]\r\n"
                                               "FILE=/srv/phrases.txt\r\n"));
    const WorkingPaths paths = Configured(folder);
    EXPECT_EQ(paths.OwnerDir, owner + "/");
    EXPECT_EQ(paths.UsersDir, folder.Dir());
    EXPECT_EQ(paths.PhraseFile, "/srv/phrases.txt");

    WriteBytes(folder / "VANTO_DATA.ini", "[USERS]\r\nDIR=" + folder.Dir() + "users/\r\n");
    const WorkingPaths partial = Configured(folder);
    EXPECT_EQ(partial.OwnerDir, folder.Dir());
    EXPECT_EQ(partial.UsersDir, folder.Dir() + "users/");
    EXPECT_EQ(partial.PhraseFile, folder.Dir());
}

TEST(FolderConfig, DataFoldersAreCreatedOrTheFailingOneIsNamed) {
    TempFolder folder;
    WorkingPaths paths;
    paths.ExeDir = folder.Dir();
    paths.OwnerDir = folder.Dir() + "a/b/owner/";
    paths.UsersDir = folder.Dir() + "users/";
    EXPECT_EQ(CreateDataFolders(paths), std::nullopt);
    EXPECT_TRUE(fs::is_directory(folder / "a/b/owner"));
    EXPECT_TRUE(fs::is_directory(folder / "users"));

    WriteBytes(folder / "file", "");
    paths.UsersDir = folder.Dir() + "file/users/";
    EXPECT_EQ(CreateDataFolders(paths), folder.Dir() + "file/users/");
}

TEST(FolderConfig, RegisteredDocumentsMoveToTheOwnerFolder) {
    TempFolder folder;
    WorkingPaths paths = Configured(folder);
    paths.OwnerDir = folder.Dir() + "owner/";
    fs::create_directories(folder / "owner");
    WriteBytes(folder / "登録文書/見積.txt", "x");
    MoveDocumentFolder(paths);
    EXPECT_FALSE(fs::exists(folder / "登録文書"));
    EXPECT_EQ(ReadBytes(folder / "owner/登録文書/見積.txt"), "x");

    // A file of that name stays where it is.
    TempFolder other;
    WorkingPaths otherPaths = Configured(other);
    otherPaths.OwnerDir = other.Dir() + "owner/";
    fs::create_directories(other / "owner");
    WriteBytes(other / "登録文書", "file");
    MoveDocumentFolder(otherPaths);
    EXPECT_EQ(ReadBytes(other / "登録文書"), "file");
    EXPECT_FALSE(fs::exists(other / "owner/登録文書"));
}

TEST(Bootstrap, FreshInstallGetsEmptyDictionaryCustomerListAndRoot) {
    TempFolder folder;
    WorkingPaths paths = Configured(folder);
    ComposePaths(paths, "vantodesk");
    EXPECT_EQ(CreateBootstrapFiles(paths), BootstrapOutcome::CreatedEmpty);
    EXPECT_EQ(ReadBytes(folder / "str_dic.txt"), "");
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), "");
    EXPECT_TRUE(fs::is_directory(folder / "お客様"));

    WriteBytes(folder / "str_dic.txt", "kept\r\n");
    WriteBytes(folder / "mon_gest.HR3OR", Sjis("{山田},{},{},{},{M},{},{},{},{},\r\n"));
    EXPECT_EQ(CreateBootstrapFiles(paths), BootstrapOutcome::ListPresent);
    EXPECT_EQ(ReadBytes(folder / "str_dic.txt"), "kept\r\n");
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), "");
}

TEST(Bootstrap, MissingListWithLegacyDatabaseIsConverted) {
    TempFolder folder;
    WorkingPaths paths = Configured(folder);
    ComposePaths(paths, "vantodesk");
    WriteBytes(folder / "mon_gest.HR3OR", Sjis("{山田},{},{},{},{M},{},{},{},{},\r\n"));
    EXPECT_EQ(CreateBootstrapFiles(paths), BootstrapOutcome::Converted);
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), Sjis("山田\r\n"));
    EXPECT_TRUE(fs::is_directory(folder / "お客様/山田/未登録1"));
}

} // namespace
