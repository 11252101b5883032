// Removing, renaming and deleting: nothing outside the target may go, and nothing may be half done.
#include "register/Register.h"

#include "RegisterFixture.h"
#include "common/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {

class Customers : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(r / "VISITOR_M.DT", Sjis("鈴木\r\n山田\r\n佐藤\r\n"));
        for (const char* name : {"鈴木", "山田", "佐藤"}) {
            r.reg.CreateCustomerFolders(name, "");
            r.reg.RegisterCustomer(name, "");
        }
        r.reg.CreateVehicleFolder("山田", "品川1");
        r.reg.CreateVehicleFiles("山田", "品川1");
        WriteBytes(r / "お客様/山田/品川1/記録.MONDT", "1\r\n");
    }
    TempRegister r;
};

TEST_F(Customers, RenameKeepsThePositionTheVehiclesAndTheOtherLines) {
    WriteBytes(r / "VISITOR_M.DT", Sjis("鈴木\r\n山田\n佐藤"));
    EXPECT_EQ(r.reg.RenameCustomer(1, "山田", "山本"), RenameResult::Done);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n山本\r\n佐藤\r\n"));
    EXPECT_FALSE(fs::exists(r / "お客様/山田"));
    EXPECT_TRUE(fs::exists(r / "お客様/山本/山本.DT"));
    EXPECT_FALSE(fs::exists(r / "お客様/山本/山田.DT"));
    EXPECT_EQ(ReadBytes(r / "お客様/山本/品川1/記録.MONDT"), "1\r\n");
}

TEST_F(Customers, RenameOntoAnExistingFolderOrAStaleLineChangesNothing) {
    fs::create_directories(r / "お客様/山本"); // left over from an earlier customer
    EXPECT_EQ(r.reg.RenameCustomer(1, "山田", "山本"), RenameResult::TargetExists);
    EXPECT_EQ(r.reg.RenameCustomer(1, "鈴木", "高橋"), RenameResult::NotListed);
    EXPECT_EQ(r.reg.RenameCustomer(7, "山田", "高橋"), RenameResult::NotListed);
    EXPECT_EQ(r.reg.RenameCustomer(1, "山田", "山/本"), RenameResult::InvalidName);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n佐藤\r\n"));
    EXPECT_TRUE(fs::exists(r / "お客様/山田/山田.DT"));
}

TEST_F(Customers, RenameOfACustomerWithoutFolderChangesTheListOnly) {
    ForceRemoveDir(r.reg.CustomerFolder("佐藤"));
    EXPECT_EQ(r.reg.RenameCustomer(2, "佐藤", "伊藤"), RenameResult::Done);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n伊藤\r\n"));
}

TEST_F(Customers, DeleteBacksUpTheListAndRemovesTheFolder) {
    EXPECT_EQ(r.reg.DeleteCustomer(1, "山田"), DeleteResult::Done);
    EXPECT_EQ(ReadBytes(r / "exe/VISITOR_M_BK.DT"), Sjis("鈴木\r\n山田\r\n佐藤\r\n"));
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n佐藤\r\n"));
    EXPECT_FALSE(fs::exists(r / "お客様/山田"));
    EXPECT_EQ(r.reg.DeleteCustomer(0, "佐藤"), DeleteResult::NotListed);
    EXPECT_EQ(r.reg.DeleteCustomer(1, "佐藤"), DeleteResult::Done);
    EXPECT_EQ(ReadBytes(r / "exe/VISITOR_M_BK.DT"), Sjis("鈴木\r\n佐藤\r\n")); // one generation
}

TEST_F(Customers, DeletingAnEmptyOrDotLineNeverRemovesTheRegister) {
    WriteBytes(r / "VISITOR_M.DT", Sjis("鈴木\r\n\r\n..\r\n."));
    EXPECT_EQ(r.reg.DeleteCustomer(1, ""), DeleteResult::Done);
    EXPECT_EQ(r.reg.DeleteCustomer(1, ".."), DeleteResult::Done);
    EXPECT_EQ(r.reg.DeleteCustomer(1, "."), DeleteResult::Done);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n"));
    EXPECT_TRUE(fs::exists(r / "お客様/山田/品川1/記録.MONDT"));
    EXPECT_TRUE(fs::exists(r / "VISITOR_M.DT"));
}

TEST_F(Customers, DeleteStopsWhenTheBackupCannotBeWritten) {
    fs::create_directories(r / "exe/VISITOR_M_BK.DT"); // a folder in the backup's place
    EXPECT_EQ(r.reg.DeleteCustomer(1, "山田"), DeleteResult::BackupNotSaved);
    EXPECT_EQ(ReadBytes(r / "VISITOR_M.DT"), Sjis("鈴木\r\n山田\r\n佐藤\r\n"));
    EXPECT_TRUE(fs::exists(r / "お客様/山田/山田.DT"));
}

class Vehicles : public ::testing::Test {
protected:
    void SetUp() override {
        r.reg.CreateCustomerFolders("山田", "");
        r.reg.RegisterCustomer("山田", "B");
        int seconds = 0;
        for (const char* v : {"A", "B", "C"}) {
            r.reg.CreateVehicleFolder("山田", v);
            r.reg.CreateVehicleFiles("山田", v);
        }
        for (const char* v : {"C", "A", "B"}) { // oldest first: C, A, B
            SetTime(r / ("お客様/山田/" + std::string(v)), seconds += 4);
        }
    }
    TempRegister r;
};

TEST_F(Vehicles, DeletingTheCurrentVehicleMakesTheOldestRemainingOneCurrent) {
    const VehicleDeletion result = r.reg.DeleteVehicle("山田", "B");
    EXPECT_TRUE(result.Removed);
    EXPECT_EQ(result.Current, "C");
    EXPECT_EQ(r.reg.ReadCustomer("山田").CarNo, "C");
    EXPECT_FALSE(fs::exists(r / "お客様/山田/B"));
}

TEST_F(Vehicles, DeletingAnotherVehicleKeepsTheCurrentOne) {
    const VehicleDeletion result = r.reg.DeleteVehicle("山田", "A");
    EXPECT_EQ(result.Current, "B");
    EXPECT_EQ(r.reg.ReadCustomer("山田").CarNo, "B");
}

TEST_F(Vehicles, DeletingTheLastVehicleLeavesNoCurrentVehicle) {
    r.reg.DeleteVehicle("山田", "A");
    r.reg.DeleteVehicle("山田", "C");
    const VehicleDeletion result = r.reg.DeleteVehicle("山田", "B");
    EXPECT_EQ(result.Current, "");
    EXPECT_TRUE(result.CurrentWritten);
    EXPECT_EQ(ReadBytes(r / "お客様/山田/山田.DT"),
              "[TEL]\r\nNUM=1\r\nDATA0=\r\n[HANDY]\r\nNUM=1\r\nDATA0=\r\n[POST_NO]\r\nNUM=1\r\nDATA0=000-0000\r\n"
              "[ADD]\r\nNUM=1\r\nDATA0=\r\n[CAR_NO]\r\nNUM=1\r\nDATA0=\r\n");
    EXPECT_TRUE(r.reg.ListVehicles("山田").empty());
}

TEST_F(Vehicles, AnEmptyVehicleNumberNeverRemovesTheCustomerFolder) {
    for (const char* v : {"", ".", ".."}) {
        const VehicleDeletion result = r.reg.DeleteVehicle("山田", v);
        EXPECT_FALSE(result.Removed) << v;
        EXPECT_EQ(result.Current, "B");
    }
    EXPECT_EQ(r.reg.ListVehicles("山田").size(), 3u);
    EXPECT_TRUE(fs::exists(r / "お客様/山田/山田.DT"));
}

} // namespace
