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
    ASSERT_TRUE(main->monitorDataButton_->isEnabled());
    main->monitorDataButton_->click();
    ProcessEvents();
    MonitorMenuForm* menu = Forms().MonitorMenu;
    ASSERT_TRUE(menu && menu->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(main->State.PendingJob, TesterJob::RecordDirectory);
    EXPECT_EQ(menu->windowTitle().toStdString(), "テスターよりモニタデータ読み込み");
    EXPECT_GE(menu->height(), 250);
    for (const auto& [name, caption] :
         {std::pair{"Button1", "お客様情報登録"}, std::pair{"Button2", "車 両 情 報 登録"},
          std::pair{"Button3", "データ取込・印刷"}, std::pair{"modoru_BTN", "戻　る"}}) {
        EXPECT_EQ(Find<QPushButton>(menu, name)->text().toStdString(), caption);
    }
    EXPECT_EQ(menu->vehicleInfoButton_->isEnabled(), Forms().VehicleInfo != nullptr);

    menu->backButton_->click();
    ProcessEvents();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MonitorMenu, AnEmptyCustomerListGivesEmptySelectors) {
    StartAndShow();
    main->monitorDataButton_->click();
    Forms().MonitorMenu->customerButton_->click();
    ProcessEvents();
    EXPECT_TRUE(Forms().Customer->isVisible());
    EXPECT_FALSE(Forms().MonitorMenu->isVisible());
    EXPECT_EQ(Named<QComboBox>(Forms().Customer, "お客様")->count(), 0);
    Press(Forms().Customer, "戻　　る");
    Forms().MonitorMenu->vehicleButton_->click();
    ProcessEvents();
    EXPECT_TRUE(Forms().VehicleUpdate->isVisible());
    EXPECT_EQ(Named<QComboBox>(Forms().VehicleUpdate, "お客様名")->count(), 1); // only the empty-register placeholder
    EXPECT_FALSE(Forms().VehicleUpdate->HasCustomers());
}

TEST_F(MonitorMenu, TheTargetFormsGetTheCustomerListAfresh) {
    WriteBytes(folder / "VISITOR_M.DT", Sjis("鈴木\r\n山田\r\n"));
    StartAndShow();
    main->monitorDataButton_->click();
    Forms().MonitorMenu->vehicleButton_->click();
    ProcessEvents();
    VehicleUpdateForm* vehicles = Forms().VehicleUpdate;
    EXPECT_EQ(Named<QComboBox>(vehicles, "お客様名")->count(), 2);
    EXPECT_EQ(Named<QComboBox>(vehicles, "お客様名")->currentIndex(), 0);
    EXPECT_TRUE(vehicles->ReloadOnShow);
    Press(vehicles, "戻　　る");
    WriteBytes(folder / "VISITOR_M.DT", Sjis("鈴木\r\n山田\r\n佐藤\r\n"));
    Forms().MonitorMenu->customerButton_->click();
    ProcessEvents();
    EXPECT_EQ(Named<QComboBox>(Forms().Customer, "お客様")->count(), 3);
    EXPECT_EQ(Named<QComboBox>(Forms().Customer, "お客様")->currentIndex(), 0);
}

} // namespace
