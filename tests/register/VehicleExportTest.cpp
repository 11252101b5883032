#include "register/VehicleExport.h"

#include <gtest/gtest.h>

using namespace vanto;
using Lines = std::vector<std::string>;

namespace {

VehicleExportData Minimal() {
    VehicleExportData data;
    data.Customer = "山田";
    data.VehicleNumber = "品川500あ1234";
    data.First.Title = "モニタ記録１2026年12月6日7時5分9秒";
    data.First.Lines = {"12", "", "3.5"};
    data.Second.Title = "自己診断記録２2026年12月6日7時6分0秒";
    data.Second.Lines = {"P0101"};
    return data;
}

TEST(VehicleExport, WithoutTelephoneMobileAndAddress) {
    EXPECT_EQ(VehicleExportLines(Minimal()), (Lines{
                                                 "お　客　様　名：山田様",
                                                 "",
                                                 "車　両　番　号：品川500あ1234",
                                                 "",
                                                 "データ：モニタ記録１2026年12月6日7時5分9秒",
                                                 "　　　12",
                                                 "　　　",
                                                 "　　　3.5",
                                                 "",
                                                 "データ：自己診断記録２2026年12月6日7時6分0秒",
                                                 "　　　P0101",
                                             }));
}

TEST(VehicleExport, EveryLineWhenEverythingIsSet) {
    VehicleExportData data = Minimal();
    data.Tel1 = "03";
    data.Tel2 = "1234";
    data.Tel3 = "5678";
    data.Mobile1 = "090";
    data.Address = "東京都";
    data.Maker = "トヨタ";
    data.TypeCar = "プリウス";
    data.Model = "H27/12";
    data.BodyNumber = "ZVW50-1234567";
    data.Type = "DAA-ZVW50";
    data.EngineType = "2ZR";
    data.Comment = "点検";
    data.First.Title = NoDataPlaceholder;
    data.Second.Lines.clear();
    EXPECT_EQ(VehicleExportLines(data), (Lines{
                                            "お　客　様　名：山田様",
                                            "電　話　番　号：03-1234-5678",
                                            "携　帯　番　号：090--",
                                            "住　　　　　所：東京都",
                                            "",
                                            "車　両　番　号：品川500あ1234",
                                            "メ　ー　カ　ー：トヨタ",
                                            "車　　　　　種：プリウス",
                                            "初年度登録年月：H27/12",
                                            "車　台　番　号：ZVW50-1234567",
                                            "型　　　　　式：DAA-ZVW50",
                                            "エンジン　形式：2ZR",
                                            "コメント：点検",
                                            "",
                                            "データ：自己診断記録２2026年12月6日7時6分0秒",
                                        }));
}

TEST(VehicleExport, ChassisNumberAndTypeLinesExactlyWhenSet) {
    VehicleExportData data = Minimal();
    data.BodyNumber = "X1";
    Lines lines = VehicleExportLines(data);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "車　台　番　号：X1"), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.starts_with("型　"); }), 0);
    data.BodyNumber.clear();
    data.Type = "T1";
    lines = VehicleExportLines(data);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.starts_with("車　台"); }), 0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "型　　　　　式：T1"), 1);
}

TEST(VehicleExport, FileName) {
    EXPECT_EQ(VehicleExportFileName("山田", "26年12月6日7時5分9秒"), "山田様-26年12月6日7時5分9秒");
}

} // namespace
