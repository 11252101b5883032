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
    setObjectName("SearchCustomerForm");
    setWindowTitle("お客様情報の検索");
    setFont(FixedFont(13));
    setModal(true);

    Label1 = MakeLabel(this, "検索キーを入力して [検索] をクリックして下さい。");
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(this);
    SetupEdit(Edit1, "Edit1", "検索キー");
    Edit1->setMinimumWidth(300);
    Button1 = MakeButton(this, "Button1", "検　索");
    Button1->setDefault(true); // Enter in the key field searches
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setAccessibleName("検索結果");
    ListBox1->setMinimumSize(460, 300);
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName("ListBox2");
    ListBox2->hide();
    ListBox3 = new QListWidget(this);
    ListBox3->setObjectName("ListBox3");
    ListBox3->hide();
    Button2 = MakeButton(this, "Button2", "選　択");
    Button3 = MakeButton(this, "Button3", "キャンセル");

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(Edit1, 1);
    keyRow->addWidget(Button1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addLayout(keyRow);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &CustomerSearchDialog::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &CustomerSearchDialog::Button2Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &CustomerSearchDialog::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
}

int CustomerSearchDialog::Run(bool includeVehicles) {
    includeVehicles_ = includeVehicles;
    return exec();
}

int CustomerSearchDialog::ResultLine() const {
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= ListBox2->count()) {
        return -1;
    }
    bool ok = false;
    const int line = ListBox2->item(row)->text().toInt(&ok);
    return ok ? line : -1;
}

std::string CustomerSearchDialog::ResultVehicle() const {
    const int row = ListBox1->currentRow();
    return row >= 0 && row < ListBox3->count() ? S(ListBox3->item(row)->text()) : std::string();
}

void CustomerSearchDialog::FormShow() {
    adjustSize();
    CenterOnScreen(this);
    Edit1->clear();
    Fill("");
    Edit1->setFocus();
}

void CustomerSearchDialog::Fill(const std::string& key) {
    ListBox1->clear();
    ListBox2->clear();
    ListBox3->clear();
    for (const SearchResult& result : SearchCustomers(RegisterOf(context_), key, includeVehicles_)) {
        ListBox1->addItem(Q(result.Text));
        ListBox2->addItem(QString::number(result.Line));
        ListBox3->addItem(Q(result.Vehicle));
    }
    ListBox1->setCurrentRow(-1);
}

void CustomerSearchDialog::Button1Click() {
    Fill(S(Edit1->text()));
}

void CustomerSearchDialog::Button2Click() {
    if (ListBox1->currentRow() < 0 || ListBox1->selectedItems().isEmpty()) {
        context_.Dialogs().Show(DialogIcon::Error, "検索結果を選択して下さい。");
        return;
    }
    accept();
}
