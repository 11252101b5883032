// From the main menu to the inspection reminder, as a user goes: the form lists next month, a chosen period, the
// dates it could not read, the CSV and a printed list as a PDF that holds a listed customer.
#include "support/HostTools.h"
#include "support/RegisterForms.h"

#include <QAbstractItemModel>
#include <QDateEdit>
#include <QTableView>

#include <cstdio>

namespace vanto::test {
namespace {

class InspectionReminder : public RegisterForms {
protected:
    static QStringList Column(QWidget* form, const char* table, int column) {
        QTableView* view = Named<QTableView>(form, table);
        QStringList texts;
        for (int row = 0; view && row < view->model()->rowCount(); ++row) {
            texts << view->model()->index(row, column).data().toString();
        }
        return texts;
    }
};

TEST_F(InspectionReminder, ListsAPeriodSavesTheCsvAndPrintsTheList) {
    Seed({{"山田 太郎", {"品川300さ5678", "品川500あ1234"}}, {"佐藤 花子", {"練馬500か1111"}}});
    const Register reg = Reg();
    reg.WriteCustomerFields("山田 太郎", {{"POST_NO", "100-0001"}, {"ADD", "東京都千代田区1-1"}});
    reg.WriteVehicleField("山田 太郎", "品川300さ5678", "NEXT_CHECK", "R9.5.31");
    reg.WriteVehicleField("山田 太郎", "品川500あ1234", "NEXT_CHECK", "来年");
    reg.WriteVehicleField("佐藤 花子", "練馬500か1111", "NEXT_CHECK", "2027年1月15日");
    StartAndShow();

    Press(main, "車検案内");
    QWidget* form = WaitForWindow("車検案内");
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(main->isVisible());
    // The clock stands in December 2026: next month is listed.
    EXPECT_EQ(Column(form, "車検案内", 2), QStringList{"佐藤 花子"});
    EXPECT_EQ(Column(form, "読み取れない次回車検日", 2), QStringList{"来年"});

    Named<QDateEdit>(form, "終了月")->setDate(QDate(2027, 6, 1));
    EXPECT_EQ(Column(form, "車検案内", 1), (QStringList{"2027-01-15", "2027-05-31"}));
    EXPECT_EQ(Named<QLabel>(form, "件数")->text(), "2件");
    Named<QDateEdit>(form, "開始月")->setDate(QDate(2027, 5, 1));
    EXPECT_EQ(Column(form, "車検案内", 2), QStringList{"山田 太郎"});

    dialogs.QueueFile((folder / "due.csv").string());
    Press(form, "CSV出力");
    EXPECT_EQ(File("due.csv"), Sjis("次回車検日,読取日,お客様名,車両番号,車種名,〒,住所,TEL,携帯\r\n"
                                    "R9.5.31,2027-05-31,山田 太郎,品川300さ5678,,100-0001,東京都千代田区1-1,,\r\n"));
    ASSERT_EQ(dialogs.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.FileDialogs()[0].fileName, "車検案内_2027年5月～2027年6月.csv");

    PrintTarget target;
    target.outputFile = (folder / "list.pdf").string();
    dialogs.QueuePrint(target);
    Press(form, "印刷");
    const std::string text = HostToolOutput("pdftotext", {"-enc", "UTF-8", folder / "list.pdf", "-"});
    for (const char* expected : {"車検案内", "2027年5月", "2027年6月", "山田 太郎", "品川300さ5678", "1 / 1"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    // Landscape A4: "Page size: 841.89 x 595.276 pts (A4)".
    const std::string info = HostToolOutput("pdfinfo", {folder / "list.pdf"});
    double width = 0;
    double height = 0;
    const auto size = info.find("Page size:");
    ASSERT_NE(size, std::string::npos) << info;
    ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2) << info;
    EXPECT_NEAR(width, 841.9, 1);
    EXPECT_NEAR(height, 595.3, 1);

    // A period never ends before it begins.
    Named<QDateEdit>(form, "開始月")->setDate(QDate(2027, 8, 1));
    EXPECT_EQ(Named<QDateEdit>(form, "終了月")->date(), QDate(2027, 8, 1));
    EXPECT_EQ(Named<QLabel>(form, "件数")->text(), "0件");

    Press(form, "閉じる");
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(dialogs.Messages().empty());
}

} // namespace
} // namespace vanto::test
