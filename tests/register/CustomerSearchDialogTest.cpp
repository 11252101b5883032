#include "support/RegisterForms.h"

using namespace vanto;
using namespace vanto::test;

namespace {

class SearchForm : public RegisterForms {};

std::vector<std::string> Rows(CustomerSearchDialog* search) {
    std::vector<std::string> rows;
    QListWidget* list = Named<QListWidget>(search, "検索結果");
    for (int i = 0; list && i < list->count(); ++i) {
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
    std::vector<std::string> shown, chosen;
    long lists = 0;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        EXPECT_NE(Named<QLabel>(s, "検索キーを入力して [検索] をクリックして下さい。"), nullptr);
        shown = Rows(s);
        for (int row = 0; row < 3; ++row) { // each row leads to its customer's line and its vehicle
            Named<QListWidget>(s, "検索結果")->setCurrentRow(row);
            chosen.push_back(std::to_string(s->ResultLine()) + "/" + s->ResultVehicle());
        }
        lists = std::ranges::count_if(s->findChildren<QListWidget*>(), [](auto* l) { return l->isVisible(); });
        Press(s, "キャンセル");
    });
    EXPECT_EQ(search->Run(true), QDialog::Rejected);
    EXPECT_EQ(shown, (std::vector<std::string>{"鈴木/", "山田/A", "山田/B"}));
    EXPECT_EQ(chosen, (std::vector<std::string>{"0/", "1/A", "1/B"}));
    EXPECT_EQ(lists, 1); // the line and vehicle columns stay hidden
}

TEST_F(SearchForm, ChoosingWithoutASelectionShowsTheMessageAndStaysOpen) {
    Seed({{"鈴木", {}}, {"山田", {}}});
    StartAndShow();
    CustomerSearchDialog* search = Forms().CustomerSearch;
    bool stillOpen = false;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        Enter(s, "検索キー", "山");
        Press(s, "検　索");
        Press(s, "選　択");
        stillOpen = s->isVisible();
        QListWidget* results = Named<QListWidget>(s, "検索結果");
        results->setCurrentRow(0);
        emit results->itemDoubleClicked(results->item(0));
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
        Enter(s, "検索キー", "鈴");
        Press(s, "検　索");
        EXPECT_EQ(Rows(s), (std::vector<std::string>{"鈴木/"}));
        Press(s, "キャンセル");
    });
    search->exec();
    std::string key = "x";
    std::size_t rows = 0;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        key = TextOf(s, "検索キー");
        rows = Rows(s).size();
        Press(s, "キャンセル");
    });
    search->exec();
    EXPECT_EQ(key, "");
    EXPECT_EQ(rows, 2u);
    EXPECT_EQ(search->ResultLine(), -1);
}

} // namespace
