#include "common/TextFile.h"
#include "common/DashField.h"
#include "common/FileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace vanto;
using vanto::test::ReadBytes;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;

using Lines = std::vector<std::string>;

namespace {
unsigned long CurrentProcessId() {
#if defined(_WIN32)
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}
} // namespace

TEST(TextLines, SplitAcceptsCrLfLfAndMissingLastLineEnd) {
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(TextLines, SaveAndReadShiftJisLines) {
    TempFolder folder;
    const auto path = folder / "VISITOR_M.DT";
    ASSERT_TRUE(SaveSjisLines(path, {"山田", "ｶﾅ", "ソ"}));
    EXPECT_EQ(ReadBytes(path), Sjis("山田") + "\r\n" + Sjis("ｶﾅ") + "\r\n" + Sjis("ソ") + "\r\n");
    EXPECT_EQ(ReadSjisLines(path), (Lines{"山田", "ｶﾅ", "ソ"}));
    ASSERT_TRUE(AppendSjisLine(path, "鈴木"));
    EXPECT_EQ(ReadSjisLines(path)->back(), "鈴木");
    EXPECT_EQ(ReadSjisLines(folder / "missing"), std::nullopt);
}

TEST(TextLines, DamagedBytesAreKeptWhenALoadedListIsSavedAgain) {
    TempFolder folder;
    const auto path = folder / "list";
    const std::string damaged = "A\x81\r\n\xFF\xFE\r\n" + Sjis("山田") + "\r\n";
    WriteBytes(path, damaged);
    auto lines = ReadSjisLines(path);
    ASSERT_TRUE(lines);
    ASSERT_TRUE(SaveSjisLines(path, *lines));
    EXPECT_EQ(ReadBytes(path), damaged);
}

TEST(AtomicSave, FailureLeavesTheOldFile) {
    TempFolder folder;
    const auto path = folder / "list";
    WriteBytes(path, "old\r\n");
    EXPECT_FALSE(SaveSjisLines(path, {"new", "😀"}));
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_FALSE(WriteFileAtomic(folder / "missing" / "x", "data"));
    EXPECT_FALSE(WriteFileAtomic(folder.Path(), "a folder is no file"));
    EXPECT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(ReadBytes(path), "new");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

// Vehicles are ordered by their folders' times: replacing a file keeps its folder's time, a new file changes it.
TEST(AtomicSave, ReplacingAFileKeepsItsFolderTimeANewFileChangesIt) {
    TempFolder folder;
    WriteBytes(folder / "vehicle/V1.DT", "[MAKER]\r\nDATA0=\r\n");
    // A time two days back, given to the folder through a file (MinGW's library sets times on files only).
    WriteBytes(folder / "stamp", "");
    std::filesystem::last_write_time(folder / "stamp",
                                     std::filesystem::last_write_time(folder / "stamp") - std::chrono::hours(48));
    ASSERT_TRUE(CopyModificationTime(folder / "stamp", folder / "vehicle"));
    const auto before = std::filesystem::last_write_time(folder / "vehicle");

    ASSERT_TRUE(WriteFileAtomic(folder / "vehicle/V1.DT", "[MAKER]\r\nDATA0=x\r\n"));
    EXPECT_EQ(ReadBytes(folder / "vehicle/V1.DT"), "[MAKER]\r\nDATA0=x\r\n");
    EXPECT_EQ(std::filesystem::last_write_time(folder / "vehicle"), before);
    ASSERT_TRUE(WriteFileAtomic(folder / "vehicle/R1.MONDT", "1\r\n"));
    EXPECT_GT(std::filesystem::last_write_time(folder / "vehicle"), before);
}

TEST(DashField, Fields) {
    EXPECT_EQ(DashField("03-1234-5678", 1), "03");
    EXPECT_EQ(DashField("03-1234-5678", 2), "1234");
    EXPECT_EQ(DashField("03-1234-5678", 3), "5678");
    EXPECT_EQ(DashField("03-1234-5678", 4), "");
    EXPECT_EQ(DashField("abc", 1), "abc");
    EXPECT_EQ(DashField("123", 2), "");
    EXPECT_EQ(DashField("1-2", 3), "");
    EXPECT_EQ(DashField("--", 1), "");
    EXPECT_EQ(DashField("--", 3), "");
    EXPECT_EQ(DashField("-", 2), "");
    EXPECT_EQ(DashField("100-0001", 2), "0001");
}

// A save killed between writing its temporary and renaming it leaves the temporary; the next save of the file removes
// it when its writer is gone, and leaves a temporary of a running writer (this process) and other files alone.
TEST(AtomicSave, TheNextSaveRemovesWhatAKilledSaveLeft) {
    TempFolder folder;
    const auto target = folder / "list.DT";
    WriteBytes(folder / "list.DT.~999999999-3.tmp", "half");
    const std::string ours = "list.DT.~" + std::to_string(CurrentProcessId()) + "-9.tmp";
    WriteBytes(folder / ours, "busy");
    WriteBytes(folder / "other.DT.~999999999-1.tmp", "other");
    ASSERT_TRUE(WriteFileAtomic(target, "new"));
    EXPECT_FALSE(std::filesystem::exists(folder / "list.DT.~999999999-3.tmp"));
    EXPECT_TRUE(std::filesystem::exists(folder / ours));
    EXPECT_TRUE(std::filesystem::exists(folder / "other.DT.~999999999-1.tmp"));
    EXPECT_EQ(ReadBytes(target), "new");
}
