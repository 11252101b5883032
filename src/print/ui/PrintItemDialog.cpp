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
    setObjectName("print_item_sel");
    setWindowTitle("印刷項目の選択");
    setFont(FixedFont(12));
    setModal(true);

    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName("CheckListBox1");
    CheckListBox1->setAccessibleName("印刷項目");
    CheckListBox1->setMinimumSize(520, 360);
    CheckListBox1->setFont(FixedFont(13));
    Button4 = MakeButton(this, "Button4", "全解除");
    Button3 = MakeButton(this, "Button3", "全選択");
    Button1 = MakeButton(this, "Button1", "完　了");
    Button2 = MakeButton(this, "Button2", "キャンセル");
    for (QPushButton* button : {Button4, Button3, Button1, Button2}) {
        button->setMinimumWidth(110);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button4);
    buttons->addWidget(Button3);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CheckListBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button4, &QPushButton::clicked, this, &PrintItemDialog::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &PrintItemDialog::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintItemDialog::Load(const ItemChoice& choice) {
    CheckListBox1->clear();
    for (std::size_t i = 0; i < choice.Lines.size(); ++i) {
        auto* item = new QListWidgetItem(Q(choice.Lines[i]), CheckListBox1);
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
    checked.reserve(static_cast<std::size_t>(CheckListBox1->count()));
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        checked.push_back(CheckListBox1->item(i)->checkState() == Qt::Checked);
    }
    return checked;
}

void PrintItemDialog::FormShow() {
    CenterOnScreen(this);
}

void PrintItemDialog::SetAll(bool checked) {
    for (int i = 0; i < CheckListBox1->count(); ++i) {
        CheckListBox1->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void PrintItemDialog::Button4Click() {
    SetAll(false);
}

void PrintItemDialog::Button3Click() {
    SetAll(true);
}
