#include "register/MonitorFiles.h"
#include "monitor/RecordDirectory.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using vanto::test::ReadBytes;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;
using Lines = std::vector<std::string>;

TEST(RecordTitle, ReadTimeWithoutLeadingZeros) {
    EXPECT_EQ(RecordTitle("自己診断記録２", {2027, 1, 2, 9, 5, 3}), "自己診断記録２2027年1月2日9時5分3秒");
    EXPECT_EQ(RecordTitle("モニタ記録１", {2026, 12, 6, 23, 59, 0}), "モニタ記録１2026年12月6日23時59分0秒");
}

TEST(MonitorIndex, AppendingTheSameTitleTwiceKeepsBothLinesAndOneFile) {
    TempFolder folder;
    const std::string vehicle = folder.Dir();
    const std::string title = "モニタ記録１2026年12月6日7時5分9秒";
    EXPECT_EQ(ReadMonitorIndex(vehicle), Lines{}); // a missing index is an empty list
    ASSERT_TRUE(AppendRecordTitle(vehicle, title));
    ASSERT_TRUE(WriteRecordFile(vehicle, title, "1,2"));
    ASSERT_TRUE(AppendRecordTitle(vehicle, title));
    ASSERT_TRUE(WriteRecordFile(vehicle, title, "3,4"));
    EXPECT_EQ(ReadBytes(folder / "ﾓﾆﾀ.DT"), Sjis(title + "\r\n" + title + "\r\n"));
    EXPECT_EQ(ReadBytes(folder / (title + ".MONDT")), "3\r\n4\r\n");
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 2);
}

TEST(RecordFile, ValuesSplitAtEveryCommaAsReceived) {
    EXPECT_EQ(RecordFileBytes("12,ABC,,3.5"), "12\r\nABC\r\n\r\n3.5\r\n");
    EXPECT_EQ(RecordFileBytes("a,"), "a\r\n\r\n");
    EXPECT_EQ(RecordFileBytes(""), "\r\n");
    // Shift-JIS values (second byte 0x5C) and bytes that are no character pass unchanged.
    const std::string raw = "\x83\x5C"
                            " 1.0,"
                            "\xFF\x81";
    EXPECT_EQ(RecordFileBytes(raw), "\x83\x5C"
                                    " 1.0\r\n"
                                    "\xFF\x81\r\n");

    TempFolder folder;
    ASSERT_TRUE(WriteRecordFile(folder.Dir(), "t", "12,ABC,,3.5"));
    EXPECT_EQ(ReadRecordLines(folder.Dir(), "t"), (Lines{"12", "ABC", "", "3.5"}));
    EXPECT_EQ(ReadRecordLines(folder.Dir(), "missing"), Lines{});
}

TEST(RecordFile, TitlesThatAreNoFileNamesAreRefused) {
    TempFolder folder;
    WriteBytes(folder / "secret.MONDT", "x\r\n");
    const std::string vehicle = folder.Dir() + "v/";
    std::filesystem::create_directories(folder / "v");
    EXPECT_FALSE(WriteRecordFile(vehicle, "../escaped", "1"));
    EXPECT_FALSE(std::filesystem::exists(folder / "escaped.MONDT"));
    EXPECT_EQ(ReadRecordLines(vehicle, "../secret"), Lines{});
    EXPECT_FALSE(IsRecordTitleUsable(""));
    EXPECT_TRUE(IsRecordTitleUsable("モニタ記録１2026年12月6日7時5分9秒"));
}

TEST(RecordDirectory, NamesAndLineToEntryMap) {
    const auto listing = ListRecordDirectory("EM0ED1AM3");
    EXPECT_EQ(listing.lines, (Lines{"モニタ記録１", "自己診断記録２", "作業サポート記録４"}));
    EXPECT_EQ(listing.entryOfLine, (std::vector<std::size_t>{0, 1, 2}));

    // Unknown pairs and digits add no line and do not shift the others.
    const auto mixed = ListRecordDirectory("XX0EA2EM7AD0EM");
    EXPECT_EQ(mixed.lines, (Lines{"アクティブ記録３", "自己診断記録１"}));
    EXPECT_EQ(mixed.entryOfLine, (std::vector<std::size_t>{1, 3}));
    EXPECT_TRUE(ListRecordDirectory("").lines.empty());
}

TEST(MonitorIndex, RemovingAnEntryKeepsTheOldIndexAsBackupAndTheRecordFile) {
    TempFolder folder;
    const VehicleFolder vehicle(folder.Dir() + "V");
    const auto dir = folder / "V";
    WriteBytes(dir / "ﾓﾆﾀ.DT", Sjis("記録A\r\n記録B\r\n記録C\r\n"));
    WriteBytes(dir / "記録B.MONDT", "1\r\n");
    EXPECT_EQ(ReadMonitorIndex(vehicle), (Lines{"記録A", "記録B", "記録C"}));
    ASSERT_TRUE(RemoveMonitorEntry(vehicle, 1));
    EXPECT_EQ(ReadBytes(dir / "ﾓﾆﾀ.DT"), Sjis("記録A\r\n記録C\r\n"));
    EXPECT_EQ(ReadBytes(dir / "ﾓﾆﾀ_BK.DT"), Sjis("記録A\r\n記録B\r\n記録C\r\n"));
    EXPECT_TRUE(std::filesystem::exists(dir / "記録B.MONDT"));
    ASSERT_TRUE(RemoveMonitorEntry(vehicle, 0));
    EXPECT_EQ(ReadBytes(dir / "ﾓﾆﾀ_BK.DT"), Sjis("記録A\r\n記録C\r\n"));
    EXPECT_FALSE(RemoveMonitorEntry(vehicle, 1)); // out of range: nothing written
    EXPECT_EQ(ReadBytes(dir / "ﾓﾆﾀ.DT"), Sjis("記録C\r\n"));
    const VehicleFolder empty(folder.Dir() + "W");
    EXPECT_TRUE(ReadMonitorIndex(empty).empty());
    EXPECT_FALSE(RemoveMonitorEntry(empty, 0));
}

// An index that exists but cannot be read (here a folder in its place) must never be replaced by one holding
// only the new title: the earlier titles would be lost.
TEST(MonitorIndex, AnUnreadableIndexStopsTheStoreAndChangesNothing) {
    TempFolder folder;
    const VehicleFolder vehicle(folder.Dir());
    std::filesystem::create_directories(folder / "ﾓﾆﾀ.DT");
    const std::string title = "モニタ記録１2026年12月6日7時5分9秒";
    EXPECT_EQ(StoreRecord(vehicle, title, "1,2"), StoreResult::IndexUnreadable);
    EXPECT_FALSE(AppendRecordTitle(vehicle, title));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "ﾓﾆﾀ.DT"));
    EXPECT_FALSE(std::filesystem::exists(folder / (title + ".MONDT")));

    // A missing index counts as empty: the record is stored and listed.
    TempFolder fresh;
    EXPECT_EQ(StoreRecord(VehicleFolder(fresh.Dir()), title, "1,2"), StoreResult::Done);
    EXPECT_EQ(ReadBytes(fresh / "ﾓﾆﾀ.DT"), Sjis(title + "\r\n"));
    EXPECT_EQ(ReadBytes(fresh / (title + ".MONDT")), "1\r\n2\r\n");
}
