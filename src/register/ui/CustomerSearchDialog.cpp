#include "register/ui/CustomerSearchDialog.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "register/CustomerSearch.h"
#include "register/ui/RegisterUi.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

CustomerSearchDialog::CustomerSearchDialog(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("CustomerSearchDialog");
    setWindowTitle("お客様情報の検索");
    setFont(FixedFont(13));
    setModal(true);

    keyLabel_ = MakeLabel(this, "検索キーを入力して [検索] をクリックして下さい。");
    keyLabel_->setObjectName("keyLabel");
    keyEdit_ = new QLineEdit(this);
    SetupEdit(keyEdit_, "keyEdit", "検索キー");
    keyEdit_->setMinimumWidth(300);
    searchButton_ = MakeButton(this, "searchButton", "検　索");
    searchButton_->setDefault(true); // Enter in the key field searches
    resultList_ = new QListWidget(this);
    resultList_->setObjectName("resultList");
    resultList_->setAccessibleName("検索結果");
    resultList_->setMinimumSize(460, 300);
    resultLineList_ = new QListWidget(this);
    resultLineList_->setObjectName("resultLineList");
    resultLineList_->hide();
    resultVehicleList_ = new QListWidget(this);
    resultVehicleList_->setObjectName("resultVehicleList");
    resultVehicleList_->hide();
    chooseButton_ = MakeButton(this, "chooseButton", "選　択");
    cancelButton_ = MakeButton(this, "cancelButton", "キャンセル");

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(keyEdit_, 1);
    keyRow->addWidget(searchButton_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(chooseButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(keyLabel_);
    layout->addLayout(keyRow);
    layout->addWidget(resultList_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(searchButton_, &QPushButton::clicked, this, &CustomerSearchDialog::Search);
    connect(chooseButton_, &QPushButton::clicked, this, &CustomerSearchDialog::ChooseResult);
    connect(resultList_, &QListWidget::itemDoubleClicked, this, &CustomerSearchDialog::ChooseResult);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

int CustomerSearchDialog::Run(bool includeVehicles) {
    includeVehicles_ = includeVehicles;
    return exec();
}

int CustomerSearchDialog::ResultLine() const {
    const int row = resultList_->currentRow();
    if (row < 0 || row >= resultLineList_->count()) {
        return -1;
    }
    bool ok = false;
    const int line = resultLineList_->item(row)->text().toInt(&ok);
    return ok ? line : -1;
}

std::string CustomerSearchDialog::ResultVehicle() const {
    const int row = resultList_->currentRow();
    return row >= 0 && row < resultVehicleList_->count() ? S(resultVehicleList_->item(row)->text()) : std::string();
}

void CustomerSearchDialog::FormShow() {
    adjustSize();
    CenterOnScreen(this);
    keyEdit_->clear();
    Fill("");
    keyEdit_->setFocus();
}

void CustomerSearchDialog::Fill(const std::string& key) {
    resultList_->clear();
    resultLineList_->clear();
    resultVehicleList_->clear();
    for (const SearchResult& result : SearchCustomers(RegisterOf(context_), key, includeVehicles_)) {
        resultList_->addItem(Q(result.Text));
        resultLineList_->addItem(QString::number(result.Line));
        resultVehicleList_->addItem(Q(result.Vehicle));
    }
    resultList_->setCurrentRow(-1);
}

void CustomerSearchDialog::Search() {
    Fill(S(keyEdit_->text()));
}

void CustomerSearchDialog::ChooseResult() {
    if (resultList_->currentRow() < 0 || resultList_->selectedItems().isEmpty()) {
        context_.Dialogs().Show(DialogIcon::Error, "検索結果を選択して下さい。");
        return;
    }
    accept();
}
