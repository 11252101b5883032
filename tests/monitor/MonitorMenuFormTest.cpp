#include "monitor/ui/MonitorMenuForm.h"

#include "app/ui/FormSet.h"
#include "register/ui/CustomerForm.h"
#include "register/ui/VehicleUpdateForm.h"
#include "support/AppFixture.h"

#include <QComboBox>
#include <QPushButton>

using namespace vanto;
using namespace vanto::test;

namespace {

class MonitorMenu : public AppFixture {};

TEST_F(MonitorMenu, OpensFromTheMainMenuWithItsCaptionAndButtons) {
    StartAndShow();
    Press(main, "テスターよりモニタデータ読み込み");
    MonitorMenuForm* menu = Forms().MonitorMenu;
    ASSERT_TRUE(menu && menu->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(main->State.PendingJob, TesterJob::RecordDirectory);
    EXPECT_EQ(menu->windowTitle().toStdString(), "テスターよりモニタデータ読み込み");
    EXPECT_GE(menu->height(), 250);
    for (const char* caption : {"お客様情報登録", "車 両 情 報 登録", "データ取込・印刷", "戻　る"}) {
        EXPECT_NE(Named<QPushButton>(menu, caption), nullptr);
    }
    EXPECT_EQ(Named<QPushButton>(menu, "データ取込・印刷")->isEnabled(), Forms().VehicleInfo != nullptr);

    Press(menu, "戻　る");
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MonitorMenu, AnEmptyCustomerListGivesEmptySelectors) {
    StartAndShow();
    Press(main, "テスターよりモニタデータ読み込み");
    Press(Forms().MonitorMenu, "お客様情報登録");
    EXPECT_TRUE(Forms().Customer->isVisible());
    EXPECT_FALSE(Forms().MonitorMenu->isVisible());
    EXPECT_EQ(Named<QComboBox>(Forms().Customer, "お客様")->count(), 0);
    Press(Forms().Customer, "戻　　る");
    Press(Forms().MonitorMenu, "車 両 情 報 登録");
    EXPECT_TRUE(Forms().VehicleUpdate->isVisible());
    EXPECT_EQ(Named<QComboBox>(Forms().VehicleUpdate, "お客様名")->count(), 1); // only the empty-register placeholder
    EXPECT_FALSE(Forms().VehicleUpdate->HasCustomers());
}

TEST_F(MonitorMenu, TheTargetFormsGetTheCustomerListAfresh) {
    WriteBytes(folder / "VISITOR_M.DT", Sjis("鈴木\r\n山田\r\n"));
    StartAndShow();
    Press(main, "テスターよりモニタデータ読み込み");
    Press(Forms().MonitorMenu, "車 両 情 報 登録");
    VehicleUpdateForm* vehicles = Forms().VehicleUpdate;
    EXPECT_EQ(Named<QComboBox>(vehicles, "お客様名")->count(), 2);
    EXPECT_EQ(Named<QComboBox>(vehicles, "お客様名")->currentIndex(), 0);
    EXPECT_TRUE(vehicles->ReloadOnShow);
    Press(vehicles, "戻　　る");
    WriteBytes(folder / "VISITOR_M.DT", Sjis("鈴木\r\n山田\r\n佐藤\r\n"));
    Press(Forms().MonitorMenu, "お客様情報登録");
    const QComboBox* customers = Named<QComboBox>(Forms().Customer, "お客様");
    EXPECT_EQ(customers->count(), 3);
    EXPECT_EQ(customers->currentIndex(), 0);
}

} // namespace
