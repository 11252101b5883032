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
    setObjectName("PhrasePicker");
    setWindowTitle("登録文章読出し");
    setFont(FixedFont(13));
    setModal(true);

    phraseList_ = new QListWidget(this);
    phraseList_->setObjectName("phraseList");
    phraseList_->setAccessibleName("登録文章");
    phraseList_->setMinimumSize(560, 320);
    chooseButton_ = MakeButton(this, "chooseButton", "選　択");
    chooseButton_->setMinimumWidth(120);
    closeButton_ = MakeButton(this, "closeButton", "閉じる");
    closeButton_->setMinimumWidth(120);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(chooseButton_);
    buttons->addWidget(closeButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addWidget(phraseList_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(chooseButton_, &QPushButton::clicked, this, &PhrasePicker::ChooseSelectedPhrase);
    connect(phraseList_, &QListWidget::itemDoubleClicked, this, &PhrasePicker::ChooseSelectedPhrase);
    connect(closeButton_, &QPushButton::clicked, this, &PhrasePicker::CloseWithoutChoice);
}

std::string PhrasePicker::Pick() {
    // Closing the window any other way is a close without a choice too.
    context_.State().SelectedPhrase.clear();
    exec();
    return context_.State().SelectedPhrase;
}

void PhrasePicker::FormShow() {
    phraseList_->clear();
    phraseList_->addItems(ToQStringList(LoadPhrases(context_.Paths().PhraseFile)));
    const bool any = phraseList_->count() > 0;
    chooseButton_->setEnabled(any);
    if (any) {
        phraseList_->setCurrentRow(0);
    }
    adjustSize();
    CenterOnScreen(this);
    phraseList_->setFocus();
}

void PhrasePicker::ChooseSelectedPhrase() {
    QListWidgetItem* item = phraseList_->currentItem();
    if (!item || !item->isSelected()) {
        return;
    }
    context_.State().SelectedPhrase = S(item->text());
    accept();
}

void PhrasePicker::CloseWithoutChoice() {
    context_.State().SelectedPhrase.clear();
    accept();
}
