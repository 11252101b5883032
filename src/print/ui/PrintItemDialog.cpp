#include "print/ui/PrintItemDialog.h"

#include "common/ui/FormHelpers.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

PrintItemDialog::PrintItemDialog(const FormContext&)
    : FormBase(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint) {
    setObjectName("PrintItemDialog");
    setWindowTitle("印刷項目の選択");
    setFont(FixedFont(12));
    setModal(true);

    itemList_ = new QListWidget(this);
    itemList_->setObjectName("itemList");
    itemList_->setAccessibleName("印刷項目");
    itemList_->setMinimumSize(520, 360);
    itemList_->setFont(FixedFont(13));
    clearAllButton_ = MakeButton(this, "clearAllButton", "全解除");
    checkAllButton_ = MakeButton(this, "checkAllButton", "全選択");
    doneButton_ = MakeButton(this, "doneButton", "完　了");
    cancelButton_ = MakeButton(this, "cancelButton", "キャンセル");
    for (QPushButton* button : {clearAllButton_, checkAllButton_, doneButton_, cancelButton_}) {
        button->setMinimumWidth(110);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clearAllButton_);
    buttons->addWidget(checkAllButton_);
    buttons->addStretch();
    buttons->addWidget(doneButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(itemList_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(clearAllButton_, &QPushButton::clicked, this, &PrintItemDialog::ClearAllChecks);
    connect(checkAllButton_, &QPushButton::clicked, this, &PrintItemDialog::CheckAllLines);
    connect(doneButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintItemDialog::Load(const ItemChoice& choice) {
    itemList_->clear();
    for (std::size_t i = 0; i < choice.Lines.size(); ++i) {
        auto* item = new QListWidgetItem(Q(choice.Lines[i]), itemList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(i < choice.Checked.size() && choice.Checked[i] ? Qt::Checked : Qt::Unchecked);
    }
}

std::optional<std::vector<bool>> PrintItemDialog::Choose(const ItemChoice& choice) {
    Load(choice);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return Checks();
}

std::vector<bool> PrintItemDialog::Checks() const {
    std::vector<bool> checked;
    checked.reserve(static_cast<std::size_t>(itemList_->count()));
    for (int i = 0; i < itemList_->count(); ++i) {
        checked.push_back(itemList_->item(i)->checkState() == Qt::Checked);
    }
    return checked;
}

void PrintItemDialog::FormShow() {
    CenterOnScreen(this);
}

void PrintItemDialog::SetAll(bool checked) {
    for (int i = 0; i < itemList_->count(); ++i) {
        itemList_->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void PrintItemDialog::ClearAllChecks() {
    SetAll(false);
}

void PrintItemDialog::CheckAllLines() {
    SetAll(true);
}
