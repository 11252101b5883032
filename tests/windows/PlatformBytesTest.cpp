// A customer named with characters outside ASCII: the same list bytes, folder and file names on every platform
// (UTF-8 names here, UTF-16 names on Windows, CP932 in the files).
#include "register/CustomerSearch.h"
#include "support/TempFolder.h"

#include "common/Paths.h"
#include "register/Register.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace vanto;
using namespace vanto::test;
namespace fs = std::filesystem;

namespace {
std::vector<fs::path> Entries(const fs::path& folder) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

TEST(PlatformBytes, ACustomerOutsideAsciiHasTheSameListBytesAndNames) {
    TempFolder folder;
    fs::create_directories(folder / "お客様");
    const Register reg(folder.Dir() + "お客様", folder.Dir() + "VISITOR_M.DT", folder.Dir());
    const std::string customer = "髙橋①ｱ～"; // a NEC row character, half-width katakana, the full-width tilde
    const std::string vehicle = "品川500あ1234";
    ASSERT_TRUE(reg.CreateCustomerFolders(customer, vehicle));
    ASSERT_EQ(reg.RegisterCustomer(customer, vehicle), RegisterResult::Done);

    // 髙 is written with its IBM row code, as glibc writes it.
    EXPECT_EQ(ReadBytes(folder / "VISITOR_M.DT"), "\xFB\xFC\x8B\xB4\x87\x40\xB1\x81\x60\r\n");
    ASSERT_EQ(Entries(folder / "お客様"), std::vector<fs::path>{PathFromUtf8(customer)});
    EXPECT_EQ(Entries(folder / "お客様" / PathFromUtf8(customer)),
              (std::vector<fs::path>{PathFromUtf8(vehicle), PathFromUtf8(customer + ".DT")}));
#if defined(_WIN32)
    // The names on disk are the characters themselves, not their bytes in some code page.
    EXPECT_EQ(Entries(folder / "お客様")[0].native(), L"髙橋①ｱ～");
#endif
    EXPECT_EQ(ReadBytes(PathFromUtf8(reg.CustomerProfileFile(customer))),
              "[TEL]\r\nNUM=1\r\nDATA0=\r\n[HANDY]\r\nNUM=1\r\nDATA0=\r\n[POST_NO]\r\nNUM=1\r\nDATA0=000-0000\r\n"
              "[ADD]\r\nNUM=1\r\nDATA0=\r\n[CAR_NO]\r\nNUM=1\r\nDATA0=\x95\x69\x90\xEC\x35\x30\x30\x82\xA0\x31\x32"
              "\x33\x34\r\n");

    // And read back: the list, the vehicles and a search by a character of the name.
    EXPECT_EQ(reg.CustomerNames(), std::vector<std::string>{customer});
    const auto vehicles = reg.ListVehicles(customer);
    ASSERT_EQ(vehicles.size(), 1u);
    EXPECT_EQ(vehicles[0].Number, vehicle);
    const auto found = SearchCustomers(reg, "①", true);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Vehicle, vehicle);
}
