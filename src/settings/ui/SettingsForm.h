// The settings form: the workshop's own details printed on every result sheet, the phrase dictionary, and in
// its detailed section the export and import of the two data folders.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "settings/DataBackup.h"
#include "settings/PhraseDictionary.h"
#include "settings/UserInfo.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class SettingsForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit SettingsForm(const vanto::FormContext& context);

    // The main menu it returns to.
    void Connect(QWidget* mainMenu) { mainMenu_ = mainMenu; }

    // Reloads the workshop's details and the phrase list; the first showing also leaves the form compact.
    void FormShow() override;

private:
    // Reloads the phrase list from the dictionary file the shared state names.
    void SetDictionaryList();
    // Exports or imports a data folder (a code of settings/DataBackup.h) to or from a folder the user picks.
    void WriteReadData(int code);

    void SaveWorkshopDetails();
    void CloseForm();
    void ToggleDetails(); // the detailed section on or off
    void PhraseChosen();
    void AddOrChangePhrase();
    void DeletePhrase();
    void ChooseDictionaryFile();

    void LoadUserInfo();
    vanto::UserInfo TypedUserInfo() const;
    void ShowPhrases();
    void ApplyDetail(const vanto::DetailState& state);

    QGroupBox* workshopBox_ = nullptr; // 使用者情報
    QLineEdit* workshopNameEdit_ = nullptr;
    QLineEdit* postCode1Edit_ = nullptr;
    QLineEdit* postCode2Edit_ = nullptr;
    QLineEdit* phone1Edit_ = nullptr;
    QLineEdit* phone2Edit_ = nullptr;
    QLineEdit* phone3Edit_ = nullptr;
    QLineEdit* fax1Edit_ = nullptr;
    QLineEdit* fax2Edit_ = nullptr;
    QLineEdit* fax3Edit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* message1Edit_ = nullptr; // hidden: the sheet's message lines, saved back as loaded
    QLineEdit* message2Edit_ = nullptr;
    QPushButton* saveWorkshopButton_ = nullptr;

    QGroupBox* dictionaryBox_ = nullptr; // the phrase dictionary, captioned with its file
    QListWidget* phraseList_ = nullptr;
    QLineEdit* phraseEdit_ = nullptr;
    QPushButton* addPhraseButton_ = nullptr;
    QPushButton* deletePhraseButton_ = nullptr;
    QPushButton* chooseDictionaryButton_ = nullptr;

    QPushButton* detailButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    QWidget* detailPanel_ = nullptr;         // the detailed section
    QGroupBox* workshopBackupBox_ = nullptr; // 基本情報
    QPushButton* workshopExportButton_ = nullptr;
    QPushButton* workshopImportButton_ = nullptr;
    QGroupBox* customerBackupBox_ = nullptr; // お客様情報
    QPushButton* customerExportButton_ = nullptr;
    QPushButton* customerImportButton_ = nullptr;

    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    vanto::PhraseDictionary dictionary_;
    bool shownBefore_ = false;
};
