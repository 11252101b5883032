#include "print/PrintSlots.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using vanto::test::Sjis;
using vanto::test::TempFolder;
using vanto::test::WriteBytes;
using Indices = std::vector<int>;
using Lines = std::vector<std::string>;

namespace {

const std::string Monitor = "モニタ記録１2026年12月6日7時5分9秒";
const std::string Diagnosis = "自己診断記録２2026年12月6日7時6分0秒";
const std::string Missing = "作業サポート記録４2026年12月6日7時8分0秒";

// A record file of `count` lines "L0", "L1", ...
void WriteRecord(const TempFolder& folder, const std::string& title, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += "L" + std::to_string(i) + "\r\n";
    }
    WriteBytes(folder / (title + ".MONDT"), Sjis(bytes));
}

Indices Range(int count) {
    Indices lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(i);
    }
    return lines;
}

class PrintSlotsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteRecord(folder, Monitor, 20);
        WriteRecord(folder, Diagnosis, 4);
        slots.Fill(folder.Dir(), {Monitor, Diagnosis, Missing});
    }
    TempFolder folder;
    PrintSlots slots;
};

} // namespace

TEST_F(PrintSlotsTest, FormShowChoosesTheFirstFifteenLinesOfTheFirstRecordInEverySlot) {
    for (int k = 0; k < PrintSlotCount; ++k) {
        EXPECT_EQ(slots.RecordName(k), Monitor);
        EXPECT_EQ(slots.ChosenLines(k), Range(15));
        EXPECT_EQ(slots.CountLabel(k), "選択印刷項目数 15");
    }
    EXPECT_EQ(slots.LinesPerColumn(), 15);
    const auto data = slots.DataPrint(1);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->RecordName, Diagnosis);
    EXPECT_EQ(data->Lines, (Lines{"L0", "L1", "L2", "L3"}));
    EXPECT_FALSE(slots.DataPrint(2));
}

TEST_F(PrintSlotsTest, RecordChangeChoosesLinesPerColumnAndReselectingKeepsTheChoice) {
    slots.SetLinesPerColumn(7);
    EXPECT_EQ(slots.ChangeRecord(1, 1), RecordChange::Chosen);
    EXPECT_EQ(slots.ChosenLines(1), Range(4)); // a shorter record gives all its lines
    EXPECT_EQ(slots.ChangeRecord(1, 0), RecordChange::Chosen);
    EXPECT_EQ(slots.ChosenLines(1), Range(7));

    slots.ApplyChoice(1, {false, true, false, true});
    EXPECT_EQ(slots.ChangeRecord(1, 0), RecordChange::Kept);
    EXPECT_EQ(slots.ChosenLines(1), (Indices{1, 3}));
    // Another chooser moved to the index slot 1 shows still takes its new record's lines.
    EXPECT_EQ(slots.ChangeRecord(2, 1), RecordChange::Chosen);
    EXPECT_EQ(slots.Count(2), 4);

    slots.SetLinesPerColumn(-2); // a page too small for one line
    EXPECT_EQ(slots.ChangeRecord(3, 1), RecordChange::Chosen);
    EXPECT_EQ(slots.CountLabel(3), "選択印刷項目数 0");
}

TEST_F(PrintSlotsTest, DialogShowsTheChosenLinesAndOkRebuildsTheSlot) {
    slots.ApplyChoice(0, {false, false, true, false, true});
    const auto choice = slots.OpenChoice(0);
    ASSERT_TRUE(choice);
    ASSERT_EQ(choice->Lines.size(), 20u);
    EXPECT_EQ(choice->Lines[4], "L4");
    std::vector<bool> expected(20, false);
    expected[2] = expected[4] = true;
    EXPECT_EQ(choice->Checked, expected);

    // "全解除" then OK.
    const ChoiceResult none = slots.ApplyChoice(0, std::vector<bool>(20, false));
    EXPECT_EQ(none.Count, 0);
    EXPECT_EQ(slots.CountLabel(0), "選択印刷項目数 0");
}

TEST_F(PrintSlotsTest, MoreThan639CheckedLinesAreCut) {
    const ChoiceResult all = slots.ApplyChoice(0, std::vector<bool>(700, true));
    EXPECT_EQ(all.Count, 639);
    EXPECT_TRUE(all.Cut);
    EXPECT_EQ(slots.ChosenLines(0), Range(639));
    EXPECT_FALSE(slots.ApplyChoice(0, std::vector<bool>(639, true)).Cut);
    EXPECT_EQ(DefaultChoice(1000, 700).size(), 639u);
}

TEST_F(PrintSlotsTest, MissingRecordKeepsTheSlotAndIsNamedBeforePrinting) {
    EXPECT_EQ(slots.ChangeRecord(2, 2), RecordChange::Unreadable);
    EXPECT_EQ(slots.RecordName(2), Missing);
    EXPECT_EQ(slots.Count(2), 15); // the previous choice stays
    EXPECT_FALSE(slots.OpenChoice(2));

    ResolvedSlots resolved = slots.Resolve();
    ASSERT_TRUE(resolved.Problem);
    EXPECT_EQ(resolved.Problem->Slot, 2);
    EXPECT_EQ(resolved.Problem->RecordName, Missing);
    EXPECT_EQ(UnreadableRecordMessage(Missing), "データ「" + Missing + "」が読み込めない為、印刷できません。\n\n" +
                                                    "データが削除されていないか、印刷項目の選択を確認して下さい。");

    // A record that became shorter than a chosen line is refused too; a slot with nothing chosen is not read.
    slots.ApplyChoice(2, {});
    WriteRecord(folder, Monitor, 10);
    resolved = slots.Resolve();
    ASSERT_TRUE(resolved.Problem);
    EXPECT_EQ(resolved.Problem->Slot, 0);

    WriteRecord(folder, Monitor, 15);
    slots.ApplyChoice(1, {true, false, true});
    resolved = slots.Resolve();
    EXPECT_FALSE(resolved.Problem);
    EXPECT_EQ(resolved.Slots[1].RecordName, Monitor);
    EXPECT_EQ(resolved.Slots[1].Lines, (Lines{"L0", "L2"}));
    EXPECT_EQ(resolved.Slots[2].Lines, Lines{});
}

TEST(PrintSlots, VehicleWithoutRecordsOrWithItsRecordMissingGivesEmptySlots) {
    TempFolder folder;
    PrintSlots slots;
    slots.Fill(folder.Dir(), {});
    for (int k = 0; k < PrintSlotCount; ++k) {
        EXPECT_EQ(slots.RecordIndex(k), -1);
        EXPECT_EQ(slots.CountLabel(k), "選択印刷項目数 0");
        EXPECT_FALSE(slots.OpenChoice(k));
    }
    EXPECT_EQ(slots.ChangeRecord(0, 0), RecordChange::Unreadable);
    EXPECT_FALSE(slots.Resolve().Problem);
    EXPECT_FALSE(slots.DataPrint(0));

    slots.Fill(folder.Dir(), {Missing});
    EXPECT_EQ(slots.RecordName(0), Missing);
    EXPECT_EQ(slots.Count(0), 0);
    EXPECT_FALSE(slots.Resolve().Problem);
}
