// The due list over a small register (the period's both ends, the sort, the unreadable dates, customers without
// profile or list line) and the CSV's exact bytes.
#include "inspection/InspectionList.h"
#include "register/Register.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

using test::Sjis;
using test::WriteBytes;

class DueList : public testing::Test {
protected:
    Register Reg() const { return Register(folder.Dir() + "お客様/", folder.Dir() + "VISITOR_M.DT", folder.Dir()); }
    void Customer(const std::string& name, const std::string& profile) {
        WriteBytes(folder / ("お客様/" + name + "/" + name + ".DT"), Sjis(profile));
    }
    void Vehicle(const std::string& customer, const std::string& vehicle, const std::string& nextCheck,
                 const std::string& model = "") {
        WriteBytes(folder / ("お客様/" + customer + "/" + vehicle + "/" + vehicle + ".DT"),
                   Sjis("[TYPE_CAR]\r\nNUM=1\r\nDATA0=" + model + "\r\n[NEXT_CHECK]\r\nDATA0=" + nextCheck + "\r\n"));
    }
    static std::vector<std::string> Rows(const std::vector<DatedVehicle>& vehicles) {
        std::vector<std::string> rows;
        for (const DatedVehicle& vehicle : vehicles) {
            std::string row;
            for (const std::string& text : DueRowTexts(vehicle)) {
                row += text + "|";
            }
            rows.push_back(row);
        }
        return rows;
    }
    test::TempFolder folder;
};

TEST_F(DueList, ListsTheVehiclesOfThePeriodSortedAndNamesTheUnreadableOnes) {
    WriteBytes(folder / "VISITOR_M.DT", Sjis("山田\r\n佐藤\r\n鈴木\r\n山田\r\n"));
    Customer("山田", "[TEL]\r\nDATA0=03-1234-5678\r\n[HANDY]\r\nDATA0=--\r\n[POST_NO]\r\nDATA0=100-0001\r\n"
                     "[ADD]\r\nDATA0=東京都千代田区1-1\r\n");
    Vehicle("山田", "品川1", "R9.5.31", "カローラ");
    Vehicle("山田", "品川2", "2027年6月", "ノート");
    Vehicle("山田", "品川3", "");
    Vehicle("山田", "品川4", "2027/4/30");
    Customer("佐藤", "[TEL]\r\nDATA0=--\r\n[HANDY]\r\nDATA0=090-1111-2222\r\n[POST_NO]\r\nDATA0=000-0000\r\n");
    Vehicle("佐藤", "練馬1", "２０２７／５／３１");
    Vehicle("佐藤", "練馬2", "2027/7/1");
    Vehicle("佐藤", "練馬3", "未定");
    Vehicle("佐藤", "練馬4", "2027/6/30");
    Vehicle("鈴木", "足立1", "2027年5月"); // listed customer without a profile
    Vehicle("高橋", "横浜1", "2027/5/15"); // a folder without a list line

    const auto vehicles = ReadInspectionDates(Reg());
    EXPECT_EQ(Rows(DueInPeriod(vehicles, {2027, 5}, {2027, 6})),
              (std::vector<std::string>{
                  "2027年5月|2027-05|鈴木|足立1||||||",
                  "２０２７／５／３１|2027-05-31|佐藤|練馬1|||||090-1111-2222|",
                  "R9.5.31|2027-05-31|山田|品川1|カローラ|100-0001|東京都千代田区1-1|03-1234-5678||",
                  "2027年6月|2027-06|山田|品川2|ノート|100-0001|東京都千代田区1-1|03-1234-5678||",
                  "2027/6/30|2027-06-30|佐藤|練馬4|||||090-1111-2222|",
              }));
    EXPECT_EQ(Rows(DueInPeriod(vehicles, {2027, 4}, {2027, 4})).size(), 1u);
    EXPECT_EQ(Rows(DueInPeriod(vehicles, {2027, 7}, {2027, 12})).size(), 1u);
    EXPECT_TRUE(DueInPeriod(vehicles, {2027, 6}, {2027, 5}).empty());
    EXPECT_EQ(Rows(UnreadableDates(vehicles)), (std::vector<std::string>{"未定||佐藤|練馬3|||||090-1111-2222|"}));
}

TEST_F(DueList, AMissingCustomerListGivesNothing) {
    Vehicle("山田", "品川1", "R9.5.31");
    EXPECT_TRUE(ReadInspectionDates(Reg()).empty());
}

TEST(DueCsv, IsShiftJisWithCrLfAHeaderAndQuotedFieldsWhereNeeded) {
    test::TempFolder folder;
    DatedVehicle plain{"山田",     "品川1",    "R9.5.31",           InspectionDate{2027, 5, 31},
                       "カローラ", "100-0001", "東京都千代田区1-1", "03-1234-5678",
                       ""};
    DatedVehicle quoted{"佐藤", "練馬1",        "2027年6月", InspectionDate{2027, 6, 0}, "", "", "横浜市, \"港\"ビル",
                        "",     "090-1111-2222"};
    ASSERT_TRUE(SaveDueCsv(folder / "due.csv", {plain, quoted}));
    EXPECT_EQ(test::ReadBytes(folder / "due.csv"),
              Sjis("次回車検日,読取日,お客様名,車両番号,車種名,〒,住所,TEL,携帯\r\n"
                   "R9.5.31,2027-05-31,山田,品川1,カローラ,100-0001,東京都千代田区1-1,03-1234-5678,\r\n"
                   "2027年6月,2027-06,佐藤,練馬1,,,\"横浜市, \"\"港\"\"ビル\",,090-1111-2222\r\n"));
    EXPECT_FALSE(SaveDueCsv(folder / "missing/due.csv", {plain}));
}

} // namespace
} // namespace vanto
