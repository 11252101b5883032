#include "print/SheetLayout.h"

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vanto;
using vanto::test::RecordingCanvas;
using Calls = std::vector<std::string>;

namespace {

SheetInput Vehicle() {
    SheetInput in;
    in.IssueDate = {2026, 12, 6, 7, 5, 9};
    in.ShopName = "ベクトル自動車整備工場";
    in.ShopPost = {"140", "0013"};
    in.ShopAddress = "東京都品川区南大井三丁目１２番５号";
    in.ShopTel = {"03", "3761", "1234"};
    in.ShopFax = {"03", "3761", "1235"};
    in.ShopMessage1 = "車検・点検・修理はお任せ下さい";
    in.CustomerName = "山田 太郎";
    in.CustomerPost = {"100", "0001"};
    in.CustomerAddress = "東京都千代田区千代田一丁目１番";
    in.CustomerTel = {"03", "1111", "2222"};
    in.CustomerMobile = {"090", "1234", "5678"};
    in.VehicleNumber = "品川300さ5678";
    in.FirstRegistration = "平成30年4月";
    in.Mileage = "45210";
    in.NextInspection = "2027年5月31日";
    in.VehicleName = "プリウス";
    in.ChassisNumber = "ZVW50-1234567";
    in.Model = "DAA-ZVW50";
    in.EngineType = "2ZR";
    in.Judgement = {"ブレーキパッド残量少", "次回点検時に交換を推奨"};
    in.Slots[0] = {"モニタ記録１2026年12月6日7時5分9秒", {"エンジン回転数 750rpm", "水温 88℃", "車速 0km/h"}};
    in.Slots[1] = {"自己診断記録２2026年12月6日7時6分0秒", {"P0420 触媒効率低下", "P0171 リーン"}};
    in.Slots[2] = {"アクティブ記録３2026年12月6日7時7分2秒", {"燃料ポンプ 作動", "ファン 作動"}};
    return in;
}

bool Has(const RecordingCanvas& canvas, const std::string& call) {
    return std::find(canvas.Calls.begin(), canvas.Calls.end(), call) != canvas.Calls.end();
}

} // namespace

TEST(ResultSheet, WholeSheetOfOneVehicleAfterItsMeasuringPass) {
    SheetInput in = Vehicle();
    RecordingCanvas measuring;
    const SheetMeasure measure = ResultSheetLayout(measuring, in);
    EXPECT_EQ(measure.V, 4556);
    EXPECT_EQ(measure.LH, 96);
    in.LinesPerColumn = LinesPerColumn(measure.V, measure.LH);
    EXPECT_EQ(in.LinesPerColumn, 41);

    RecordingCanvas canvas;
    ResultSheetLayout(canvas, in);
    const Calls expected{
        "face ＭＳ ゴシック",
        "pen 18",
        "font 22",
        "text 1400 45 点検・診断・結果表",
        "font 12",
        "text 3570 55 発行日 2026年12月6日",
        "font 18",
        "text 2400 336 ベクトル自動車整備工場",
        "font 12",
        "text 2400 532 〒 140-0013",
        "text 2400 660 東京都品川区南大井三丁目１２番５号",
        "text 2400 788 TEL 03-3761-1234  FAX 03-3761-1235",
        "text 2400 956 車検・点検・修理はお任せ下さい",
        "text 50 336 〒 100-0001",
        "text 50 464 東京都千代田区千代田一丁目１番",
        "text 50 592 TEL 03-1111-2222  携帯 090-1234-5678",
        "text 50 720 山田 太郎 様",
        "pen 12",
        "frame 20 1087 4780 1531 120 120",
        "pen 4",
        "line 20 1193 4780 1193",
        "pen 12",
        "line 20 1299 4780 1299",
        "pen 4",
        "line 20 1405 4780 1405",
        "pen 12",
        "line 1210 1087 1210 1531",
        "line 2400 1087 2400 1531",
        "line 3590 1087 3590 1531",
        "text 375 1092 車両番号",
        "text 1385 1092 初年度登録年月",
        "text 2755 1092 走行距離",
        "text 3885 1092 次回車検日",
        "text 225 1198 品川300さ5678",
        "text 1475 1198 平成30年4月",
        "text 2725 1198 45210ｋｍ",
        "text 3795 1198 2027年5月31日",
        "text 435 1304 車種名",
        "text 1565 1304 車体番号",
        "text 2875 1304 型式",
        "text 3825 1304 エンジン形式",
        "text 375 1410 プリウス",
        "text 1415 1410 ZVW50-1234567",
        "text 2725 1410 DAA-ZVW50",
        "text 4095 1410 2ZR",
        "frame 20 6147 4780 6800 120 120",
        "text 50 6152 総合判定",
        "text 580 6158 ブレーキパッド残量少",
        "text 580 6254 次回点検時に交換を推奨",
        "font 11",
        "frame 20 1561 4780 6127 120 120",
        "line 2400 1561 2400 6117",
        "text 100 1567 モニタ記録１2026年12月6日7時5分9秒",
        "line 20 1661 2400 1661",
        "text 140 1667 エンジン回転数 750rpm",
        "text 140 1767 水温 88℃",
        "text 140 1867 車速 0km/h",
        "line 20 1967 2400 1967",
        "text 100 1982 アクティブ記録３2026年12月6日7時7分2秒",
        "line 20 2085 2400 2085",
        "text 140 2097 燃料ポンプ 作動",
        "text 140 2197 ファン 作動",
        "text 2480 1567 自己診断記録２2026年12月6日7時6分0秒",
        "line 2400 1661 4780 1661",
        "text 2520 1667 P0420 触媒効率低下",
        "text 2520 1767 P0171 リーン",
    };
    EXPECT_EQ(canvas.Calls, expected);
}

TEST(ResultSheet, JudgementBoxGrowsUpwardsAndTheItemAreaShrinks) {
    struct Case {
        std::size_t lines;
        const char* box;
        const char* itemFrame;
        int v;
        int linesPerColumn;
    };
    for (const Case& c : {Case{0, "frame 20 6147 4780 6800 120 120", "frame 20 1561 4780 6127 120 120", 4556, 41},
                          Case{10, "frame 20 5715 4780 6800 120 120", "frame 20 1561 4780 5695 120 120", 4124, 37}}) {
        SheetInput in = Vehicle();
        in.Judgement.assign(c.lines, "良好");
        RecordingCanvas canvas;
        const SheetMeasure measure = ResultSheetLayout(canvas, in);
        EXPECT_TRUE(Has(canvas, c.box)) << c.lines;
        EXPECT_TRUE(Has(canvas, c.itemFrame)) << c.lines;
        EXPECT_EQ(measure.V, c.v);
        EXPECT_EQ(LinesPerColumn(measure.V, measure.LH), c.linesPerColumn);
        const Calls lines = canvas.Starting("text 580 ");
        ASSERT_EQ(lines.size(), c.lines);
        if (c.lines == 10) {
            EXPECT_EQ(lines.back(), "text 580 6590 良好"); // Yj + 11 + 9 TH
        }
    }
}

TEST(ResultSheet, NamesShrinkToFitHalfThePageButNeverBelowTheirMinimum) {
    struct Case {
        std::string shop;
        std::string customer;
        int shopSize;
        int customerSize;
    };
    const auto repeat = [](const char* ch, int n) {
        std::string text;
        while (n-- > 0) {
            text += ch;
        }
        return text;
    };
    for (const Case& c : {Case{repeat("整", 13), repeat("山", 17), 18, 12},  // fit as they are
                          Case{repeat("整", 15), repeat("山", 20), 15, 11},  // 2250 and 2365 of 2380 units
                          Case{repeat("整", 30), repeat("山", 40), 9, 7}}) { // never fit: the minimum
        SheetInput in = Vehicle();
        in.ShopName = c.shop;
        in.CustomerName = c.customer;
        RecordingCanvas canvas;
        ResultSheetLayout(canvas, in);
        EXPECT_EQ(canvas.SizeOf(c.shop), c.shopSize);
        EXPECT_EQ(canvas.SizeOf(c.customer + " 様"), c.customerSize);
    }
}

TEST(ResultSheet, PhoneLinesWithoutPhoneAndMileageCell) {
    SheetInput in = Vehicle();
    in.ShopTel = {"", "3761", "1234"}; // an empty first part counts as no phone
    in.CustomerTel = {};
    in.CustomerMobile = {};
    in.Mileage = "12345";
    RecordingCanvas canvas;
    ResultSheetLayout(canvas, in);
    EXPECT_TRUE(Has(canvas, "text 2400 788 FAX 03-3761-1235"));
    EXPECT_TRUE(canvas.Starting("text 50 592").empty());
    EXPECT_TRUE(Has(canvas, "text 50 720 山田 太郎 様")); // the empty line still takes its height
    EXPECT_TRUE(Has(canvas, "text 2725 1198 12345ｋｍ"));

    in.Mileage = "";
    RecordingCanvas empty;
    ResultSheetLayout(empty, in);
    const auto secondRow = [](const RecordingCanvas& c) {
        return std::count_if(c.Calls.begin(), c.Calls.end(),
                             [](const std::string& call) { return call.find(" 1198 ") != std::string::npos; });
    };
    EXPECT_EQ(secondRow(canvas), 4);
    EXPECT_EQ(secondRow(empty), 3); // no text at all in the mileage cell
}

TEST(ResultSheet, BottomSlotOnlyBelowAHalfEmptyColumn) {
    struct Case {
        int slot1Lines;
        int slot3Lines;
        std::size_t leftLines; // lines printed in the left column, titles not counted
        bool slot3Printed;
    };
    // linesPerColumn 10: slot 3 needs the column's count (titles included) below 5.
    for (const Case& c : {Case{12, 3, 10, false}, Case{4, 3, 4, false}, Case{3, 12, 3 + 6, true}}) {
        SheetInput in = Vehicle();
        in.LinesPerColumn = 10;
        in.Slots[0].Lines.assign(static_cast<std::size_t>(c.slot1Lines), "一");
        in.Slots[2].Lines.assign(static_cast<std::size_t>(c.slot3Lines), "三");
        RecordingCanvas canvas;
        ResultSheetLayout(canvas, in);
        EXPECT_EQ(canvas.Starting("text 140 ").size(), c.leftLines) << c.slot1Lines;
        EXPECT_EQ(canvas.SizeOf(in.Slots[2].RecordName) != 0, c.slot3Printed) << c.slot1Lines;
    }
}

TEST(ResultSheet, BottomSlotAloneStartsAtTheTopWithoutSeparatingRule) {
    SheetInput in = Vehicle();
    in.Slots[0].Lines.clear();
    in.Slots[1].Lines.clear();
    RecordingCanvas canvas;
    ResultSheetLayout(canvas, in);
    EXPECT_EQ(canvas.Starting("text 100 "), Calls{"text 100 1567 アクティブ記録３2026年12月6日7時7分2秒"});
    EXPECT_EQ(canvas.Starting("line 20 "), (Calls{"line 20 1193 4780 1193", "line 20 1299 4780 1299",
                                                  "line 20 1405 4780 1405", "line 20 1670 2400 1670"}));
    EXPECT_EQ(canvas.Starting("text 140 ").front(), "text 140 1682 燃料ポンプ 作動");
}

TEST(ResultSheet, EmptyInputAndAPageTooSmallForOneLine) {
    SheetInput in;
    in.Slots[0] = {"モニタ記録１", {"a", "b"}};
    in.Slots[2] = {"自己診断記録２", {"c"}};
    RecordingCanvas tiny(200, 300);
    const SheetMeasure measure = ResultSheetLayout(tiny, in);
    in.LinesPerColumn = LinesPerColumn(measure.V, measure.LH);
    EXPECT_LT(in.LinesPerColumn, 0);
    RecordingCanvas again(200, 300);
    ResultSheetLayout(again, in);
    EXPECT_TRUE(Has(again, "text 100 1446 モニタ記録１")); // the title still, no line and no bottom slot
    EXPECT_TRUE(again.Starting("text 140 ").empty());
    EXPECT_EQ(again.SizeOf("自己診断記録２"), 0);
    EXPECT_TRUE(Has(again, "text 50 720  様"));
}

TEST(DataPrint, StopsAtTheEndOfTheThirdColumn) {
    SheetInput in = Vehicle();
    in.DataPrint.RecordName = "モニタ記録１2026年12月6日7時5分9秒";
    for (int i = 0; i < 200; ++i) {
        in.DataPrint.Lines.push_back("L" + std::to_string(i));
    }
    RecordingCanvas canvas;
    EXPECT_EQ(DataPrintLayout(canvas, in), 186); // 62 lines a column
    ASSERT_GE(canvas.Calls.size(), 12u);
    const Calls head(canvas.Calls.begin(), canvas.Calls.begin() + 12);
    EXPECT_EQ(head,
              (Calls{"face ＭＳ ゴシック", "pen 18", "font 20", "text 1690 45 データ表示印刷", "font 12",
                     "text 3570 55 発行日 2026年12月6日",
                     "text 20 212 ベクトル自動車整備工場  TEL 03-3761-1234  FAX 03-3761-1235",
                     "text 20 320 〒 140-0013 東京都品川区南大井三丁目１２番５号", "frame 20 428 4780 6780 120 120",
                     "font 11", "text 1455 448 モニタ記録１2026年12月6日7時5分9秒", "text 60 548 L0"}));
    EXPECT_TRUE(Has(canvas, "text 60 6648 L61"));
    EXPECT_TRUE(Has(canvas, "text 1646 548 L62"));
    EXPECT_EQ(canvas.Calls.back(), "text 3232 6648 L185");

    RecordingCanvas tiny(100, 100);
    EXPECT_EQ(DataPrintLayout(tiny, in), 2); // one line in each of the next two columns, then the page ends
}
