#include "reference/ReferenceFiles.h"

#include "common/Paths.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using vanto::test::ReadBytes;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;
using Lines = std::vector<std::string>;

namespace {

std::string Pad(std::string bytes, std::size_t width) {
    bytes.resize(width, ' ');
    return bytes;
}

// The record of the description used below, field by field.
const std::string Record = Pad(Sjis("ミニバン"), 20) + Pad("DBA-XY12", 20) + Pad("MR20", 20) + Pad(Sjis("2019年"), 20) +
                           Pad("45210", 8) + Pad(Sjis("テスト用"), 128);
const ReferenceInfo Info{{Sjis("ミニバン"), "DBA-XY12", "MR20", Sjis("2019年"), "45210", Sjis("テスト用")}};

} // namespace

struct ValidityCase {
    const char* name;
    std::string content;
    bool valid;
};

class Validity : public ::testing::TestWithParam<ValidityCase> {};

TEST_P(Validity, OfAPickedFile) {
    TempFolder folder;
    WriteBytes(folder / "a.DTKJ2", GetParam().content);
    EXPECT_EQ(IsValidReferenceFile(PathToUtf8(folder / "a.DTKJ2")), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceFile, Validity,
    ::testing::Values(ValidityCase{"Digits", "[DATA]\r\nDATA=0123456789\r\n", true},
                      ValidityCase{"LettersAToE", "[INFO]\r\nDATA=x\r\n[DATA]\nDATA=ABCDE000\n", true},
                      ValidityCase{"LetterF", "[DATA]\r\nDATA=0123456F\r\n", false},
                      ValidityCase{"LowerCase", "[DATA]\r\nDATA=a1234567\r\n", false},
                      ValidityCase{"ShortHeader", "[DATA]\r\nDATA=0123456\r\n", false},
                      ValidityCase{"EmptyLineBelowHeader", "[DATA]\r\n\r\nDATA=01234567\r\n", false},
                      ValidityCase{"OtherKeyBelowHeader", "[DATA]\r\nX=1\r\nDATA=01234567\r\n", false},
                      ValidityCase{"LowerCaseHeader", "[data]\r\nDATA=01234567\r\n", false},
                      ValidityCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

struct SectionLineCase {
    const char* name;
    std::string content;
    std::optional<std::string> value; // of [DATA] / "DATA="
};

class SectionLine : public ::testing::TestWithParam<SectionLineCase> {};

TEST_P(SectionLine, FindsTheKeyDirectlyBelowItsHeader) {
    EXPECT_EQ(FindSectionLine(GetParam().content, "[DATA]", "DATA="), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    ReadSectionLine, SectionLine,
    ::testing::Values(SectionLineCase{"CrLfReadsAsLf", "[DATA]\r\nDATA=12 34\r\n", "12 34\n"},
                      SectionLineCase{"EmptyLineAfterValue", "[VALUE]\r\nDATA=a\n\r\n[DATA]\r\nDATA=b\n\r\n", "b\n"},
                      SectionLineCase{"SecondPairAfterABrokenOne", "[DATA]\r\n\r\n[DATA]\r\nDATA=2\r\n", "2\n"},
                      SectionLineCase{"ZeroByteEndsTheText", std::string("[DATA]\nDATA=ab\0cd\n", 18), "ab"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadSectionLine, LongLinesComeInPiecesOfTheLineBuffer) {
    // The key line is cut after 66,559 bytes; its rest is read as lines of its own, never past the data.
    const std::string value(70'000, '7');
    const auto found = FindSectionLine("[DATA]\r\nDATA=" + value + "\r\n", "[DATA]", "DATA=");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, value.substr(0, LineBufferSize - 1 - 5));
    // A piece that begins with a header counts as a header line.
    const std::string filler(LineBufferSize - 1, 'x');
    EXPECT_EQ(FindSectionLine(filler + "[DATA]\nDATA=9\n", "[DATA]", "DATA="), "9\n");
    EXPECT_EQ(FindSectionLine("[DATA]\n" + filler + "DATA=9\n", "[DATA]", "DATA="), std::nullopt);
}

TEST(ReferenceInfoRecord, FieldsAtTheirOffsetsPaddedWithSpaces) {
    EXPECT_EQ(Info.Record(), Record);
    EXPECT_EQ(ReferenceInfo::FromRecord(Record), Info);
    EXPECT_EQ(ReferenceInfo::FromReferenceData("21A03B00" + Record + "IDL=0750,"), Info);
    EXPECT_EQ(Info.ToUtf8()[0], "ミニバン");
    EXPECT_EQ(ReferenceInfo::FromUtf8(Info.ToUtf8()), Info);
}

struct CutCase {
    const char* name;
    std::string vehicle;  // CP932 bytes given for the vehicle name
    std::string expected; // the record's first 20 bytes
};

class FieldCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(FieldCut, NeverSplitsADoubleByteCharacterNorTouchesTheNextField) {
    ReferenceInfo info;
    info.Fields[0] = GetParam().vehicle;
    info.Fields[1] = "TYPE";
    const std::string record = info.Record();
    ASSERT_EQ(record.size(), ReferenceInfoSize);
    EXPECT_EQ(record.substr(0, 20), GetParam().expected);
    EXPECT_EQ(record.substr(20, 20), Pad("TYPE", 20));
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceInfoRecord, FieldCut,
    ::testing::Values(
        CutCase{"LongAsciiCutAt20", "ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST"},
        CutCase{"TenKanjiFitExactly", Sjis("あいうえおかきくけこさ"), Sjis("あいうえおかきくけこ")},
        CutCase{"KanjiAcrossTheEndLeftOut", "A" + Sjis("あいうえおかきくけこ"), "A" + Sjis("あいうえおかきくけ") + " "},
        CutCase{"HalfWidthKanaAreSingleBytes", Sjis("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅ"), Sjis("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄ")},
        CutCase{"LineEndsBecomeSpaces", "A\r\nB", Pad("A  B", 20)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReferenceInfoRecord, SpacesOnlyAndMissingBytesReadAsEmpty) {
    const ReferenceInfo blank = ReferenceInfo::FromRecord(std::string(ReferenceInfoSize, ' '));
    EXPECT_EQ(blank, ReferenceInfo{});
    // A description text shorter than 224 bytes: the missing bytes count as spaces.
    const ReferenceInfo shortData = ReferenceInfo::FromReferenceData("21A03B00" + Pad("CAR", 30));
    EXPECT_EQ(shortData[InfoField::VehicleName], "CAR");
    EXPECT_EQ(shortData[InfoField::VehicleType], "");
    EXPECT_EQ(shortData[InfoField::Comment], "");
}

TEST(ReferenceValuesList, EveryPieceFollowedByACommaIsALine) {
    EXPECT_EQ(ListReferenceValues("12,34,56,\n"), (Lines{"12", "34", "56"}));
    EXPECT_EQ(ListReferenceValues("a,,b"), (Lines{"a", ""}));
    EXPECT_EQ(ListReferenceValues("\n"), Lines{});
    EXPECT_EQ(ListReferenceValues(Sjis("冷却水温 86℃,表示,")), (Lines{"冷却水温 86℃", "表示"}));
}

TEST(ReferenceList, AFullNameFillsItsSlotAndACutSlotEndsAtTheData) {
    // Two-slot lists and zero slots are checked against the emulated tester.
    EXPECT_EQ(ReferenceListEntries(std::string(ReferenceListSlot, 'N') + "M"),
              (Lines{std::string(ReferenceListSlot, 'N'), "M"}));
}

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(WriteWorkFile(folder.Dir(), WorkPass::Data, "21A03B00" + Pad("OLD", 216) + "IDL=0750,"));
        ASSERT_TRUE(WriteWorkFile(folder.Dir(), WorkPass::Value, Sjis("アイドル回転数 750rpm,冷却水温 86℃,")));
    }
    std::string Path() const { return PathToUtf8(folder / "set.DTKJ2"); }

    TempFolder folder;
};

TEST_F(SaveFile, NewFileHasThreeSectionsWithAnEmptyLineAfterEachText) {
    EXPECT_EQ(ReadBytes(folder / "DATA.WK"), "[DATA]\r\nDATA=21A03B00" + Pad("OLD", 216) + "IDL=0750,\r\n" +
                                                 "[VALUE]\r\nDATA=" + Sjis("アイドル回転数 750rpm,冷却水温 86℃,") +
                                                 "\r\n");
    ASSERT_EQ(SaveReferenceFile(folder.Dir(), Path(), Info), SaveResult::Saved);
    const std::string expected = "[INFO]\r\nDATA=" + Record + "\r\n[DATA]\r\nDATA=21A03B00" + Record +
                                 "IDL=0750,\n\r\n[VALUE]\r\nDATA=" + Sjis("アイドル回転数 750rpm,冷却水温 86℃,") +
                                 "\n\r\n";
    EXPECT_EQ(ReadBytes(folder / "set.DTKJ2"), expected);
    EXPECT_TRUE(IsValidReferenceFile(Path()));

    const ReferenceFileView view = ReadReferenceFile(Path());
    EXPECT_TRUE(view.HasInfo);
    EXPECT_EQ(view.Info, Info);
    EXPECT_EQ(view.ValueLines, (Lines{"アイドル回転数 750rpm", "冷却水温 86℃"}));
}

TEST_F(SaveFile, OverAnExistingFileOnlyTheThreeValuesChange) {
    const std::string before = "; workshop note\r\n[INFO]\r\nDATA=x\r\nMEMO=keep\r\n[DATA]\r\nDATA=00000000old\n\r\n"
                               "[VALUE]\r\nDATA=9,\n\r\n[OTHER]\r\nK=v\r\n";
    WriteBytes(folder / "set.DTKJ2", before);
    ASSERT_EQ(SaveReferenceFile(folder.Dir(), Path(), Info), SaveResult::Saved);
    // Each key's value is replaced up to its line end; the empty line the old text left stays as it was.
    EXPECT_EQ(ReadBytes(folder / "set.DTKJ2"),
              "; workshop note\r\n[INFO]\r\nDATA=" + Record + "\r\nMEMO=keep\r\n[DATA]\r\nDATA=21A03B00" + Record +
                  "IDL=0750,\n\n\r\n[VALUE]\r\nDATA=" + Sjis("アイドル回転数 750rpm,冷却水温 86℃,") +
                  "\n\n\r\n[OTHER]\r\nK=v\r\n");
}

TEST_F(SaveFile, ShortDescriptionIsPaddedToTheWholeRecord) {
    ASSERT_TRUE(WriteWorkFile(folder.Dir(), WorkPass::Data, "21A03B00XY"));
    ASSERT_EQ(SaveReferenceFile(folder.Dir(), Path(), Info), SaveResult::Saved);
    EXPECT_EQ(ReadSectionLine(Path(), "[DATA]", "DATA="), "21A03B00" + Record + "\n");
}

TEST_F(SaveFile, EmptyVehicleNameStillShowsEveryFieldInPlace) {
    ReferenceInfo info = Info;
    info.Fields[0].clear();
    ASSERT_EQ(SaveReferenceFile(folder.Dir(), Path(), info), SaveResult::Saved);
    // The INFO value lost its leading blanks; the fields come from the record behind the header.
    EXPECT_EQ(ReadReferenceFile(Path()).Info, info);
}

TEST_F(SaveFile, FailuresLeaveEverythingAsItWas) {
    EXPECT_EQ(SaveReferenceFile(folder.Dir(), PathToUtf8(folder / "missing" / "set.DTKJ2"), Info),
              SaveResult::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
    std::filesystem::create_directory(folder / "dir.DTKJ2");
    EXPECT_EQ(SaveReferenceFile(folder.Dir(), PathToUtf8(folder / "dir.DTKJ2"), Info), SaveResult::WriteFailed);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "dir.DTKJ2"));
    EXPECT_EQ(SaveReferenceFile(folder.Dir(), "", Info), SaveResult::WriteFailed);

    TempFolder empty; // no DATA.WK
    EXPECT_EQ(SaveReferenceFile(empty.Dir(), PathToUtf8(empty / "set.DTKJ2"), Info), SaveResult::NoWorkData);
    EXPECT_FALSE(std::filesystem::exists(empty / "set.DTKJ2"));
}

TEST(ReferenceFileView, FileWithoutInfoShowsNothing) {
    TempFolder folder;
    WriteBytes(folder / "a.DTKJ2", "[DATA]\r\nDATA=01234567\n\r\n[VALUE]\r\nDATA=1,2,\n\r\n");
    const ReferenceFileView view = ReadReferenceFile(PathToUtf8(folder / "a.DTKJ2"));
    EXPECT_FALSE(view.HasInfo);
    EXPECT_TRUE(view.ValueLines.empty());
    EXPECT_FALSE(ReadReferenceFile(PathToUtf8(folder / "none.DTKJ2")).HasInfo);
}
