#include "register/Register.h"

#include "RegisterFixture.h"
#include "common/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

const std::string NewCustomerProfile =
    "[TEL]\r\nNUM=1\r\nDATA0=\r\n[HANDY]\r\nNUM=1\r\nDATA0=\r\n[POST_NO]\r\nNUM=1\r\n"
    "DATA0=000-0000\r\n[ADD]\r\nNUM=1\r\nDATA0=\r\n[CAR_NO]\r\nNUM=1\r\nDATA0=\r\n";
const std::string NewVehicleProfile =
    "[MAKER]\r\nNUM=1\r\nDATA0=\r\n[TYPE_CAR]\r\nNUM=1\r\nDATA0=\r\n[MODEL]\r\nNUM=1\r\n"
    "DATA0=\r\n[ENGING_TYPE]\r\nNUM=1\r\nDATA0=\r\n[COMMENT]\r\nNUM=1\r\nDATA0=\r\n";

TEST(RegisterPaths, CustomerAndVehicleFilesLieInTheirFolders) {
    TempRegister r;
    const std::string root = r.folder.Dir() + "お客様/";
    EXPECT_EQ(r.reg.CustomerFolder("山田"), root + "山田");
    EXPECT_EQ(r.reg.CustomerProfileFile("山田"), root + "山田/山田.DT");
    EXPECT_EQ(r.reg.VehicleFolder("山田", "品川500あ1234"), root + "山田/品川500あ1234");
    EXPECT_EQ(r.reg.VehicleProfileFile("山田", "品川500あ1234"), root + "山田/品川500あ1234/品川500あ1234.DT");
    const VehicleFolder x = r.reg.Vehicle("山田", "X");
    EXPECT_EQ(x.ProfileFile(), root + "山田/X/X.DT");
    EXPECT_EQ(x.MonitorIndexFile(), root + "山田/X/ﾓﾆﾀ.DT");
    EXPECT_EQ(x.MonitorIndexBackupFile(), root + "山田/X/ﾓﾆﾀ_BK.DT");
    EXPECT_EQ(x.RecordFile("モニタ記録１"), root + "山田/X/モニタ記録１.MONDT");
    EXPECT_EQ(r.reg.VisitorBackupFile(), r.folder.Dir() + "exe/VISITOR_M_BK.DT");
}

TEST(RegisterCustomer, ListsANewCustomerAndWritesTheFiveSections) {
    TempRegister r;
    WriteBytes(r / "VISITOR_M.DT", Sjis("鈴木\r\n"));
    ASSERT_TRUE(r.reg.CreateCustomerFolders("山田", "品川500あ1234"));
    EXPECT_EQ(r.reg.RegisterCustomer("山田", "品川500あ1234"), RegisterResult::Done);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n"));
    const std::string withVehicle =
        NewCustomerProfile.substr(0, NewCustomerProfile.size() - 2) + Sjis("品川500あ1234") + "\r\n";
    EXPECT_EQ(ReadBytes(r / "お客様/山田/山田.DT"), withVehicle);
    EXPECT_EQ(ReadBytes(r / "お客様/山田/品川500あ1234/品川500あ1234.DT"), NewVehicleProfile);
    EXPECT_EQ(ReadBytes(r / "お客様/山田/品川500あ1234/ﾓﾆﾀ.DT"), "");
}

TEST(RegisterCustomer, AListedNameStaysOnceAndItsFiveValuesAreReset) {
    TempRegister r;
    WriteBytes(r / "VISITOR_M.DT", Sjis("山田\r\n鈴木\r\n"));
    WriteBytes(
        r / "お客様/山田/山田.DT",
        Sjis("[TEL]\r\nNUM=1\r\nDATA0=03-1234-5678\r\n[POST_NO]\r\nNUM=1\r\nDATA0=123-4567\r\n[ADD]\r\nDATA0=東京\r\n"
             "[CAR_NO]\r\nNUM=2\r\nDATA0=A\r\nDATA1=B\r\n"));
    EXPECT_EQ(r.reg.RegisterCustomer("山田", ""), RegisterResult::Done);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("山田\r\n鈴木\r\n"));
    EXPECT_EQ(ReadBytes(r / "お客様/山田/山田.DT"),
              "[TEL]\r\nNUM=1\r\nDATA0=\r\n[POST_NO]\r\nNUM=1\r\nDATA0=000-0000\r\n[ADD]\r\nDATA0=\r\nNUM=1\r\n"
              "[CAR_NO]\r\nNUM=1\r\nDATA0=\r\nDATA1=B\r\n[HANDY]\r\nNUM=1\r\nDATA0=\r\n");
}

TEST(RegisterCustomer, NamesCompareExactlyAndALastLineWithoutLineEndIsKept) {
    TempRegister r;
    WriteBytes(r / "VISITOR_M.DT", Sjis("山田 \r\n鈴木"));
    fs::create_directories(r / "お客様/山田");
    EXPECT_EQ(r.reg.RegisterCustomer("山田", ""), RegisterResult::Done);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("山田 \r\n鈴木\r\n山田\r\n"));
}

TEST(RegisterCustomer, RefusesWhatCannotBeAFolderAndWritesNothing) {
    TempRegister r;
    WriteBytes(r / "VISITOR_M.DT", "");
    EXPECT_EQ(r.reg.RegisterCustomer("", ""), RegisterResult::EmptyName);
    EXPECT_EQ(r.reg.RegisterCustomer("..", ""), RegisterResult::InvalidName);
    EXPECT_EQ(r.reg.RegisterCustomer("a/b", ""), RegisterResult::InvalidName);
    EXPECT_FALSE(r.reg.CreateCustomerFolders("", "x"));
    EXPECT_FALSE(r.reg.CreateCustomerFolders("a:b", ""));
    EXPECT_FALSE(r.reg.CreateVehicleFolder("山田", ""));
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), "");
    EXPECT_TRUE(fs::is_empty(r / "お客様"));
}

TEST(RegisterCustomer, AListThatCannotBeReadStopsEverything) {
    TempRegister r;
    fs::create_directories(r / "VISITOR_M.DT"); // a folder where the list should be
    EXPECT_EQ(r.reg.RegisterCustomer("山田", ""), RegisterResult::ListUnavailable);
    EXPECT_FALSE(fs::exists(r / "お客様/山田/山田.DT"));
    EXPECT_FALSE(r.reg.CustomerNames());
}

TEST(VehicleFiles, ANewVehicleHasAnEmptyIndexAndExactlyFiveSections) {
    TempRegister r;
    ASSERT_TRUE(r.reg.CreateCustomerFolders("山田", ""));
    ASSERT_TRUE(r.reg.CreateVehicleFolder("山田", "品川500あ1234"));
    WriteBytes(r / "お客様/山田/品川500あ1234/ﾓﾆﾀ.DT", Sjis("古い記録\r\n"));
    ASSERT_TRUE(r.reg.CreateVehicleFiles("山田", "品川500あ1234"));
    EXPECT_EQ(ReadBytes(r / "お客様/山田/品川500あ1234/ﾓﾆﾀ.DT"), "");
    EXPECT_EQ(ReadBytes(r / "お客様/山田/品川500あ1234/品川500あ1234.DT"), NewVehicleProfile);
    EXPECT_TRUE(r.reg.VehicleExists("山田", "品川500あ1234"));
    EXPECT_FALSE(r.reg.VehicleExists("山田", "品川"));
    EXPECT_FALSE(r.reg.VehicleExists("山田", ""));
}

TEST(VehicleFiles, AllNineSectionsAreWrittenAndReadBack) {
    TempRegister r;
    r.reg.CreateCustomerFolders("山田", "V.1");
    ASSERT_TRUE(r.reg.CreateVehicleFiles("山田", "V.1"));
    const VehicleProfile written{"トヨタ", "カローラ", "平成30年4月", "2ZR",      "点検済",
                                 "ZRE-1",  "DBA",      "45000",       "2027年4月"};
    ASSERT_TRUE(r.reg.WriteVehicleFields("山田", "V.1", VehicleSections(written)));
    EXPECT_EQ(ReadBytes(r / "お客様/山田/V.1/V.DT"),
              Sjis("[MAKER]\r\nNUM=1\r\nDATA0=トヨタ\r\n[TYPE_CAR]\r\nNUM=1\r\nDATA0=カローラ\r\n[MODEL]\r\nNUM=1\r\n"
                   "DATA0=平成30年4月\r\n[ENGING_TYPE]\r\nNUM=1\r\nDATA0=2ZR\r\n[COMMENT]\r\nNUM=1\r\nDATA0=点検済\r\n"
                   "[BODY_NUMBER]\r\nDATA0=ZRE-1\r\n[TYPE]\r\nDATA0=DBA\r\n[MILEAGE]\r\nDATA0=45000\r\n"
                   "[NEXT_CHECK]\r\nDATA0=2027年4月\r\n"));
    const VehicleProfile read = r.reg.ReadVehicle("山田", "V.1");
    EXPECT_EQ(VehicleSections(read), VehicleSections(written));
    EXPECT_TRUE(r.reg.VehicleExists("山田", "V.1"));
}

TEST(CustomerFields, EmptyPartsAreStoredAsTheyAre) {
    TempRegister r;
    r.reg.CreateCustomerFolders("山田", "");
    ASSERT_EQ(r.reg.RegisterCustomer("山田", ""), RegisterResult::Done);
    ASSERT_TRUE(r.reg.WriteCustomerFields(
        "山田", {{"TEL", "--"}, {"HANDY", "090-1-2"}, {"POST_NO", "-"}, {"ADD", "東京都"}, {"CAR_NO", ""}}));
    const CustomerProfile read = r.reg.ReadCustomer("山田");
    EXPECT_EQ(read.Tel, "--");
    EXPECT_EQ(read.Handy, "090-1-2");
    EXPECT_EQ(read.PostNo, "-");
    EXPECT_EQ(read.Address, "東京都");
    EXPECT_FALSE(r.reg.WriteCustomerField("", "TEL", "1"));
    EXPECT_FALSE(r.reg.WriteCustomerField("山田", "ADD", "😀")); // not storable: the file stays
    EXPECT_EQ(r.reg.ReadCustomer("山田").Address, "東京都");
    EXPECT_EQ(r.reg.ReadCustomer("居ない").Tel, "");
}

TEST(ListVehicles, UsesTheFolderTimeAsALocalDosTime) {
    TempRegister r;
    fs::create_directories(r / "お客様/山田/A");
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 6;
    local.tm_hour = 7;
    local.tm_min = 5;
    local.tm_sec = 9;
    local.tm_isdst = -1;
    const auto system = std::chrono::system_clock::from_time_t(std::mktime(&local));
    fs::last_write_time(r / "お客様/山田/A", std::chrono::file_clock::from_sys(system));
    const auto list = r.reg.ListVehicles("山田");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Time, PackDosDateTime(2026, 12, 6, 7, 5, 9));
}

std::vector<std::string> Numbers(const std::vector<VehicleEntry>& list) {
    std::vector<std::string> numbers;
    for (const auto& v : list) {
        numbers.push_back(v.Number);
    }
    return numbers;
}

TEST(ListVehicles, OldestFirstAndAChangedVehicleMovesToTheEnd) {
    TempRegister r;
    for (const char* name : {"B", "C", "A"}) {
        fs::create_directories(r / ("お客様/山田/" + std::string(name)));
    }
    SetTime(r / "お客様/山田/A", 0);
    SetTime(r / "お客様/山田/B", 2);
    SetTime(r / "お客様/山田/C", 4);
    EXPECT_EQ(Numbers(r.reg.ListVehicles("山田")), (std::vector<std::string>{"A", "B", "C"}));

    WriteBytes(r / "お客様/山田/A/モニタ記録１.MONDT", "1\r\n"); // a new record touches the folder
    EXPECT_EQ(Numbers(r.reg.ListVehicles("山田")), (std::vector<std::string>{"B", "C", "A"}));
}

TEST(ListVehicles, EqualTimesKeepNameOrderAndOnlyPlainFoldersCount) {
    TempRegister r;
    for (const char* name : {"C", "A", "B", ".hidden"}) {
        fs::create_directories(r / ("お客様/山田/" + std::string(name)));
        SetTime(r / ("お客様/山田/" + std::string(name)), 10);
    }
    SetTime(r / "お客様/山田/A", 11); // the same two-second step as 10
    WriteBytes(r / "お客様/山田/山田.DT", "");
    fs::create_directory_symlink(r / "お客様/山田/A", r / "お客様/山田/Link");
    EXPECT_EQ(Numbers(r.reg.ListVehicles("山田")), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(r.reg.ListVehicles("居ない").empty());
    EXPECT_TRUE(r.reg.ListVehicles("").empty());
}

} // namespace
