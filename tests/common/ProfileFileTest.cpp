#include "common/ProfileFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using vanto::test::ReadBytes;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;

namespace {

// Writes one value into a file holding `before` and returns the file's bytes afterwards.
std::string AfterWrite(const std::string& before, const std::string& section, const std::string& key,
                       const std::string& value) {
    TempFolder folder;
    const auto path = folder / "p.ini";
    if (!before.empty()) {
        WriteBytes(path, before);
    }
    ProfileFile profile(path);
    EXPECT_TRUE(profile.WriteBytes(section, key, value));
    return ReadBytes(path);
}

struct WriteCase {
    const char* name;
    std::string before;
    std::string section, key, value;
    std::string after;
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ExactBytes) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(AfterWrite(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileWrite,
    ::testing::Values(
        WriteCase{"NewFile", "", "TEL", "DATA0", "03-1234", "[TEL]\r\nDATA0=03-1234\r\n"},
        WriteCase{"NewKeyAfterLastNonBlankLine", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"NewKeyInEmptySection", "[A]\r\n\r\n[B]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n\r\n[B]\r\n"},
        WriteCase{"NewKeyAtEndWithoutLineEnd", "[A]\r\nx=1", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n"},
        WriteCase{"NewSectionAfterFileWithoutLineEnd", "[A]\r\nx=1", "B", "y", "2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        // A lone CR ends the last line as CR LF does: nothing is added before the new section.
        WriteCase{"NewSectionAfterALoneCr", "[A]\r\nx=1\r", "B", "y", "2", "[A]\r\nx=1\r[B]\r\ny=2\r\n"},
        WriteCase{"NewSectionAfterLineEnd", "[A]\r\nx=1\r\n\r\n", "B", "y", "2", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"OverwriteKeepsEverythingElse", "; note\n[A]\r\n\r\n Key = old value \r\n;x\rz=1\n", "a", "KEY",
                  "new", "; note\n[A]\r\n\r\n Key =new\r\n;x\rz=1\n"},
        WriteCase{"FirstDuplicateIsWritten", "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n", "A", "k", "9",
                  "[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n"},
        WriteCase{"LeadingBlanksDropped", "", "S", "k", " \t x ", "[S]\r\nk=x \r\n"},
        WriteCase{"EmbeddedLineFeedWrittenRaw", "", "DATA", "DATA", "abc\n", "[DATA]\r\nDATA=abc\n\r\n"},
        WriteCase{"KeyBeforeFirstHeaderIsNoKeyOfTheSection", "k=1\r\n[A]\r\n", "A", "k", "2", "k=1\r\n[A]\r\nk=2\r\n"},
        WriteCase{"ShiftJisBytesKept", "[ADD]\r\nDATA0=x\r\n", "ADD", "DATA0", "\x83\x5C\x95\x5C",
                  "[ADD]\r\nDATA0=\x83\x5C\x95\x5C\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileRead, TrimmingQuotesAndDefaults) {
    TempFolder folder;
    const auto path = folder / "p.ini";
    WriteBytes(path, "top=1\r\n  [ Sec ]  \r\n Name \t=  \"a b\"  \r\nq='x'\r\none=\"\r\nmixed='a\"\r\n"
                     "empty=\r\nnoequals\r\n[Sec]\r\nName=second\r\n[cr]\rk=v\r");
    const ProfileFile profile(path);
    EXPECT_EQ(profile.ReadBytes("sec", "name"), "a b");
    EXPECT_EQ(profile.ReadBytes("SEC", "Q"), "x");
    EXPECT_EQ(profile.ReadBytes("Sec", "one"), "\"");
    EXPECT_EQ(profile.ReadBytes("Sec", "mixed"), "'a\"");
    EXPECT_EQ(profile.ReadBytes("Sec", "empty", "default"), "");
    EXPECT_EQ(profile.ReadBytes("Sec", "noequals", "default"), "default");
    EXPECT_EQ(profile.ReadBytes("Sec", "top", "default"), "default");
    EXPECT_EQ(profile.ReadBytes("Missing", "k", "default"), "default");
    EXPECT_EQ(profile.ReadBytes("cr", "k"), "v");
    EXPECT_EQ(ProfileFile(folder / "none.ini").ReadBytes("Sec", "Name", "d"), "d");
}

TEST(ProfileRead, DoubleByteNamesCompareExactly) {
    // 0x83 0x41 and 0x83 0x61 differ only in a second byte that looks like "A" and "a".
    const std::string content = "[\x83\x41]\r\nk=1\r\n";
    EXPECT_EQ(ProfileLookup(content, "\x83\x41", "K"), "1");
    EXPECT_EQ(ProfileLookup(content, "\x83\x61", "k"), std::nullopt);
    // A second byte 0x5D looks like "]": the name ends at the last "]".
    EXPECT_EQ(ProfileLookup("[A\x81\x5D]\r\nk=2\r\n", "A\x81\x5D", "k"), "2");
}

TEST(ProfileRead, ValueWithLineFeedReadsUpToTheLineFeed) {
    EXPECT_EQ(ProfileLookup("[DATA]\r\nDATA=abc\n\r\n", "DATA", "DATA"), "abc");
}

TEST(ProfileWriteFile, UnchangedWriteLeavesTheFileUntouched) {
    TempFolder folder;
    const auto path = folder / "p.ini";
    WriteBytes(path, "[A]\r\nk=v\r\n");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(path, old);
    ProfileFile profile(path);
    EXPECT_TRUE(profile.WriteBytes("a", "K", "v"));
    EXPECT_EQ(std::filesystem::last_write_time(path), old);
    EXPECT_EQ(ReadBytes(path), "[A]\r\nk=v\r\n");
}

TEST(ProfileWriteFile, ReplacesAtomicallyAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const auto path = folder / "p.ini";
    ProfileFile profile(path);
    EXPECT_TRUE(profile.WriteBytes("A", "k", "1"));
    EXPECT_TRUE(profile.WriteBytes("A", "k", "2"));
    EXPECT_EQ(profile.ReadBytes("A", "k"), "2");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ProfileWriteFile, FailureIsReportedAndWritesNothing) {
    TempFolder folder;
    ProfileFile missingFolder(folder / "no" / "p.ini");
    EXPECT_FALSE(missingFolder.WriteBytes("A", "k", "1"));
    EXPECT_FALSE(std::filesystem::exists(folder / "no"));

    const auto path = folder / "p.ini";
    WriteBytes(path, "[A]\r\nk=1\r\n");
    ProfileFile profile(path);
    EXPECT_FALSE(profile.WriteString("A", "k", "😀")); // Shift-JIS cannot store it
    EXPECT_EQ(ReadBytes(path), "[A]\r\nk=1\r\n");
}

TEST(ProfileWriteFile, Utf8LayerConverts) {
    TempFolder folder;
    const auto path = folder / "山田.DT";
    ProfileFile profile(path);
    EXPECT_TRUE(profile.WriteString("ADD", "DATA0", "東京都"));
    EXPECT_EQ(ReadBytes(path), "[ADD]\r\nDATA0=" + Sjis("東京都") + "\r\n");
    EXPECT_EQ(ProfileFile(path).ReadString("ADD", "DATA0"), "東京都");
    EXPECT_EQ(ProfileFile(path).ReadString("TEL", "DATA0", "none"), "none");
}

} // namespace
