#include "print/PrintSetup.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vanto;
using vanto::test::RecordingCanvas;

namespace {

const VehicleProfile Stored{"日産",     "ノート",  "令和2年10月", "HR12",         "定期点検",
                            "E13-0002", "6AA-E13", "45210",       "2027年5月31日"};

SheetInput Printed() {
    SheetInput in;
    SetSheetVehicle(in, "品川300さ5678", Stored);
    return in;
}

} // namespace

TEST(PrintSetup, SheetShowsTheStoredVehicleInItsOwnFields) {
    const SheetInput in = Printed();
    EXPECT_EQ(in.VehicleNumber, "品川300さ5678");
    EXPECT_EQ(in.FirstRegistration, "令和2年10月");
    EXPECT_EQ(in.Mileage, "45210");
    EXPECT_EQ(in.NextInspection, "2027年5月31日");
    EXPECT_EQ(in.VehicleName, "ノート");
    EXPECT_EQ(in.ChassisNumber, "E13-0002");
    EXPECT_EQ(in.Model, "6AA-E13");
    EXPECT_EQ(in.EngineType, "HR12");
}

TEST(PrintSetup, AnyOfTheEightPrintedVehicleFieldsCountsAsAChange) {
    EXPECT_FALSE(SheetVehicleChanged(Printed(), "品川300さ5678", Stored));
    const std::vector<std::string SheetInput::*> fields{
        &SheetInput::VehicleNumber, &SheetInput::FirstRegistration, &SheetInput::Mileage, &SheetInput::NextInspection,
        &SheetInput::VehicleName,   &SheetInput::ChassisNumber,     &SheetInput::Model,   &SheetInput::EngineType};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        SheetInput in = Printed();
        in.*fields[i] += "1";
        EXPECT_TRUE(SheetVehicleChanged(in, "品川300さ5678", Stored)) << i;
    }
    // Fields the sheet does not print are not compared.
    SheetInput in = Printed();
    in.Title = "点検結果";
    in.ShopName = "別の工場";
    EXPECT_FALSE(SheetVehicleChanged(in, "品川300さ5678", Stored));
}

TEST(PrintSetup, SavedVehicleTakesThePrintedMileageAndKeepsMakerAndComment) {
    SheetInput in = Printed();
    in.Mileage = "46000";
    in.NextInspection = "2029年5月31日";
    VehicleProfile expected = Stored;
    expected.Mileage = "46000";
    expected.NextCheck = "2029年5月31日";
    const VehicleProfile saved = VehicleToSave(in, Stored);
    EXPECT_EQ(VehicleSections(saved), VehicleSections(expected));
}

TEST(PrintSetup, JudgementLinesOfTheMemo) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"", {}},     {"良好", {"良好"}}, {"良好\n", {"良好"}}, {"a\n\nb", {"a", "", "b"}}, {"a\r\nb\r\n", {"a", "b"}},
        {"\n", {""}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(JudgementLines(text), lines) << text;
    }
}

// A judgement that grew after the form measured the page shrinks the item columns on the printed sheet.
TEST(PrintSetup, PrintedSheetMeasuresItsColumnsOnThePageItPrints) {
    SheetInput in = Printed();
    in.Judgement.assign(10, "要整備");
    in.LinesPerColumn = 41; // as measured with an empty judgement
    in.Slots[0].RecordName = "モニタ記録１";
    for (int i = 0; i < 100; ++i) {
        in.Slots[0].Lines.push_back("値" + std::to_string(i));
    }
    RecordingCanvas measuring;
    const SheetMeasure expected = ResultSheetLayout(measuring, in);
    const int capacity = LinesPerColumn(expected.V, expected.LH);
    ASSERT_LT(capacity, 41);

    RecordingCanvas canvas;
    const SheetMeasure measure = PrintResultSheet(canvas, in);
    EXPECT_EQ(measure.V, expected.V);
    EXPECT_EQ(static_cast<int>(canvas.Starting("text 140 ").size()), capacity);
    EXPECT_TRUE(canvas.Starting("text 140 ").back().ends_with(" 値" + std::to_string(capacity - 1)));
    // The measuring pass draws nothing: every drawing call belongs to the one printed sheet.
    EXPECT_EQ(canvas.Starting("frame ").size(), 3u);
}
