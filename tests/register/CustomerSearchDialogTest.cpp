#include "support/RegisterForms.h"

using namespace vanto;
using namespace vanto::test;

namespace {

class SearchForm : public RegisterForms {};

std::vector<std::string> Rows(QListWidget* list) {
    std::vector<std::string> rows;
    for (int i = 0; i < list->count(); ++i) {
        rows.push_back(list->item(i)->text().toStdString());
    }
    return rows;
}

TEST_F(SearchForm, ShowsTheFullListWithHiddenLineAndVehicleColumns) {
    Seed({{"鈴木", {}}, {"山田", {"A", "B"}}});
    StartAndShow();
    CustomerSearchDialog* search = Forms().CustomerSearch;
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(T(search->windowTitle()), "お客様情報の検索");
    EXPECT_EQ(T(search->Label1->text()), "検索キーを入力して [検索] をクリックして下さい。");
    std::vector<std::string> shown, lines, vehicles;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        shown = Rows(s->ListBox1);
        lines = Rows(s->ListBox2);
        vehicles = Rows(s->ListBox3);
        EXPECT_FALSE(s->ListBox2->isVisible());
        EXPECT_FALSE(s->ListBox3->isVisible());
        s->Button3->click();
    });
    EXPECT_EQ(search->Run(true), QDialog::Rejected);
    EXPECT_EQ(shown, (std::vector<std::string>{"鈴木/", "山田/A", "山田/B"}));
    EXPECT_EQ(lines, (std::vector<std::string>{"0", "1", "1"}));
    EXPECT_EQ(vehicles, (std::vector<std::string>{"", "A", "B"}));
}

TEST_F(SearchForm, ChoosingWithoutASelectionShowsTheMessageAndStaysOpen) {
    Seed({{"鈴木", {}}, {"山田", {}}});
    StartAndShow();
    CustomerSearchDialog* search = Forms().CustomerSearch;
    bool stillOpen = false;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        s->Edit1->setText("山");
        s->Button1->click();
        s->Button2->click();
        stillOpen = s->isVisible();
        s->ListBox1->setCurrentRow(0);
        emit s->ListBox1->itemDoubleClicked(s->ListBox1->item(0));
    });
    EXPECT_EQ(search->Run(false), QDialog::Accepted);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "検索結果を選択して下さい。");
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Error);
    EXPECT_EQ(search->ResultLine(), 1);
    EXPECT_EQ(search->ResultVehicle(), "");
}

TEST_F(SearchForm, EveryOpeningStartsAfresh) {
    Seed({{"鈴木", {}}, {"山田", {}}});
    StartAndShow();
    CustomerSearchDialog* search = Forms().CustomerSearch;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        s->Edit1->setText("鈴");
        s->Button1->click();
        EXPECT_EQ(Rows(s->ListBox1), (std::vector<std::string>{"鈴木/"}));
        s->Button3->click();
    });
    search->exec();
    std::string key = "x";
    std::size_t rows = 0;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        key = T(s->Edit1->text());
        rows = static_cast<std::size_t>(s->ListBox1->count());
        s->Button3->click();
    });
    search->exec();
    EXPECT_EQ(key, "");
    EXPECT_EQ(rows, 2u);
    EXPECT_EQ(search->ResultLine(), -1);
}

} // namespace
