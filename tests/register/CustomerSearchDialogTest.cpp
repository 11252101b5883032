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
    EXPECT_EQ(T(search->keyLabel_->text()), "検索キーを入力して [検索] をクリックして下さい。");
    std::vector<std::string> shown, lines, vehicles;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        shown = Rows(s->resultList_);
        lines = Rows(s->resultLineList_);
        vehicles = Rows(s->resultVehicleList_);
        EXPECT_FALSE(s->resultLineList_->isVisible());
        EXPECT_FALSE(s->resultVehicleList_->isVisible());
        s->cancelButton_->click();
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
        s->keyEdit_->setText("山");
        s->searchButton_->click();
        s->chooseButton_->click();
        stillOpen = s->isVisible();
        s->resultList_->setCurrentRow(0);
        emit s->resultList_->itemDoubleClicked(s->resultList_->item(0));
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
        s->keyEdit_->setText("鈴");
        s->searchButton_->click();
        EXPECT_EQ(Rows(s->resultList_), (std::vector<std::string>{"鈴木/"}));
        s->cancelButton_->click();
    });
    search->exec();
    std::string key = "x";
    std::size_t rows = 0;
    WhileSearchIsOpen([&](CustomerSearchDialog* s) {
        key = T(s->keyEdit_->text());
        rows = static_cast<std::size_t>(s->resultList_->count());
        s->cancelButton_->click();
    });
    search->exec();
    EXPECT_EQ(key, "");
    EXPECT_EQ(rows, 2u);
    EXPECT_EQ(search->ResultLine(), -1);
}

} // namespace
