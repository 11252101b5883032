// The printed due list on a canvas with fixed metrics: how many rows a page takes, which rows the last page
// holds, the page number at the foot, and texts cut to their column.
#include "inspection/ReminderSheet.h"
#include "print/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace vanto {
namespace {

TEST(ReminderSheet, PagesHoldThirtySevenRowsAndTheLastPageTheRest) {
    test::RecordingCanvas canvas(6800, 4800); // A4 lying
    EXPECT_EQ(ReminderPageCount(canvas, 0), 1);
    EXPECT_EQ(ReminderPageCount(canvas, 37), 1);
    EXPECT_EQ(ReminderPageCount(canvas, 38), 2);

    ReminderSheet sheet{ReminderTitle({2027, 5}, {2027, 7}), {}};
    for (int i = 0; i < 80; ++i) {
        DatedVehicle row;
        row.Customer = "客" + std::to_string(i);
        row.Address = "東京都千代田区丸の内一丁目九番一号東京駅";
        sheet.Rows.push_back(row);
    }
    ASSERT_EQ(ReminderPageCount(canvas, sheet.Rows.size()), 3);
    DrawReminderPage(canvas, sheet, 2, 3);

    const auto texts = canvas.Starting("text");
    EXPECT_EQ(texts.front(), "text 170 170 車検案内　2027年5月～2027年7月");
    EXPECT_EQ(texts.back(), "text 3287 4558 3 / 3");
    std::vector<std::string> customers;
    for (const std::string& text : texts) {
        if (text.find(" 客") != std::string::npos) {
            customers.push_back(text.substr(text.rfind(' ') + 1));
        }
    }
    EXPECT_EQ(customers, (std::vector<std::string>{"客74", "客75", "客76", "客77", "客78", "客79"}));
    // The address column is 1,520 units wide: sixteen characters of 90 fit beside its margins.
    EXPECT_EQ(canvas.Starting("text 3992 ").at(1), "text 3992 520 東京都千代田区丸の内一丁目九番一");
}

} // namespace
} // namespace vanto
