#include "settings/ui/PhrasePicker.h"

#include "common/ui/FormHelpers.h"
#include "settings/PhraseDictionary.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

PhrasePicker::PhrasePicker(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      context_(context) {
    setObjectName("Dictionary_sel_form");
    setWindowTitle("登録文章読出し");
    setFont(FixedFont(13));
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setAccessibleName("登録文章");
    ListBox1->setMinimumSize(560, 320);
    Button1 = MakeButton(this, "Button1", "選　択");
    Button1->setMinimumWidth(120);
    Button2 = MakeButton(this, "Button2", "閉じる");
    Button2->setMinimumWidth(120);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &PhrasePicker::Button1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &PhrasePicker::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &PhrasePicker::Button2Click);
}

std::string PhrasePicker::Pick() {
    // Closing the window any other way is a close without a choice too.
    context_.State().SelectedPhrase.clear();
    exec();
    return context_.State().SelectedPhrase;
}

void PhrasePicker::FormShow() {
    ListBox1->clear();
    ListBox1->addItems(ToQStringList(LoadPhrases(context_.Paths().PhraseFile)));
    const bool any = ListBox1->count() > 0;
    Button1->setEnabled(any);
    if (any) {
        ListBox1->setCurrentRow(0);
    }
    adjustSize();
    CenterOnScreen(this);
    ListBox1->setFocus();
}

void PhrasePicker::Button1Click() {
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item || !item->isSelected()) {
        return;
    }
    context_.State().SelectedPhrase = S(item->text());
    accept();
}

void PhrasePicker::Button2Click() {
    context_.State().SelectedPhrase.clear();
    accept();
}
