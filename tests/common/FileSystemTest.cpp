// Files and folders on disk: removal never reaches outside the folder it removes, folder times pack as the
// register compares them.
#include "common/FileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

TEST(ForceRemoveDir, RemovesTheWholeTree) {
    TempFolder folder;
    WriteBytes(folder / "t/a/b/c.txt", "1");
    WriteBytes(folder / "t/d.txt", "2");
    fs::create_directories(folder / "t/empty");
    EXPECT_TRUE(ForceRemoveDir(folder.Dir() + "t/"));
    EXPECT_FALSE(fs::exists(folder / "t"));
    EXPECT_FALSE(ForceRemoveDir(folder.Dir() + "t")); // already gone
}

TEST(ForceRemoveDir, RemovesLinksButNeverWhatTheyPointAt) {
    TempFolder folder;
    WriteBytes(folder / "outside/keep.txt", "keep");
    WriteBytes(folder / "t/file.txt", "x");
    fs::create_directory_symlink(folder / "outside", folder / "t/dirlink");
    fs::create_symlink(folder / "outside/keep.txt", folder / "t/filelink");
    fs::create_directory_symlink(folder / "outside", folder / "toplink");
    EXPECT_TRUE(ForceRemoveDir(folder.Dir() + "t"));
    EXPECT_FALSE(fs::exists(folder / "t"));
    EXPECT_TRUE(ForceRemoveDir(folder.Dir() + "toplink/"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "toplink")));
    EXPECT_EQ(ReadBytes(folder / "outside/keep.txt"), "keep");
}

TEST(ForceRemoveDir, AReadOnlyFileStopsTheRemovalThereAndKeepsEverythingAfterIt) {
    TempFolder folder;
    WriteBytes(folder / "t/a.txt", "a");
    WriteBytes(folder / "t/m/inner.txt", "i");
    WriteBytes(folder / "t/m/ro.txt", "r");
    WriteBytes(folder / "t/m/z.txt", "z");
    WriteBytes(folder / "t/z.txt", "z");
    fs::permissions(folder / "t/m/ro.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(ForceRemoveDir(folder.Dir() + "t"));
    EXPECT_FALSE(fs::exists(folder / "t/a.txt"));
    EXPECT_FALSE(fs::exists(folder / "t/m/inner.txt"));
    EXPECT_TRUE(fs::exists(folder / "t/m/ro.txt"));
    EXPECT_TRUE(fs::exists(folder / "t/m/z.txt"));
    EXPECT_TRUE(fs::exists(folder / "t/z.txt"));
}

TEST(DosTime, PacksLocalDateAndTimeWithTwoSecondSteps) {
    EXPECT_EQ(PackDosDateTime(2026, 12, 6, 7, 5, 9),
              (((46u << 9) | (12u << 5) | 6u) << 16) | (7u << 11) | (5u << 5) | 4u);
    EXPECT_EQ(PackDosDateTime(2026, 12, 6, 7, 5, 8), PackDosDateTime(2026, 12, 6, 7, 5, 9));
    EXPECT_LT(PackDosDateTime(2026, 12, 6, 7, 5, 9), PackDosDateTime(2026, 12, 6, 7, 5, 10));
    EXPECT_EQ(PackDosDateTime(1970, 1, 1, 0, 0, 0), PackDosDateTime(1980, 1, 1, 0, 0, 0));
}

} // namespace
