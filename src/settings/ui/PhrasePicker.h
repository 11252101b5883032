// The phrase picker: offers the phrases of the dictionary file the shared state names and lets the user choose
// one. Other forms run it modally through Pick.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QDialog>

#include <string>

class QListWidget;
class QPushButton;

class PhrasePicker : public vanto::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit PhrasePicker(const vanto::FormContext& context);

    // Shows the picker modally on the phrase file the context's PhraseFile names (SharedState::Paths), and
    // returns the chosen phrase, "" when closed without a choice; the same text is left in
    // SharedState::SelectedPhrase. Callers may point PhraseFile at another file before and restore it after.
    std::string Pick();

    void FormShow() override;

private:
    void ChooseSelectedPhrase();
    void CloseWithoutChoice();

    QListWidget* phraseList_ = nullptr;
    QPushButton* chooseButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    vanto::FormContext context_;
};
