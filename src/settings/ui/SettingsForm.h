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
    // Reloads the phrase list from the dictionary file the shared state names.
    void SetDictionaryList();
    // Exports or imports a data folder (a code of settings/DataBackup.h) to or from a folder the user picks.
    void WriteReadData(int code);

    // Handlers.
    void user_set_BTNClick(); // save the workshop's details
    void Button4Click();      // close
    void Button8Click();      // detailed section on or off
    void Dictionary_listClick();
    void Dictionary_add_BTNClick();
    void Dictionary_dell_BTNClick();
    void Button9Click(); // choose the dictionary file

    QGroupBox* GroupBox1 = nullptr; // 使用者情報
    QLineEdit* user_name = nullptr;
    QLineEdit* post1 = nullptr;
    QLineEdit* post2 = nullptr;
    QLineEdit* tel1 = nullptr;
    QLineEdit* tel2 = nullptr;
    QLineEdit* tel3 = nullptr;
    QLineEdit* fax1 = nullptr;
    QLineEdit* fax2 = nullptr;
    QLineEdit* fax3 = nullptr;
    QLineEdit* user_Address = nullptr;
    QLineEdit* user_mes1 = nullptr; // hidden: the sheet's message lines, saved back as loaded
    QLineEdit* user_mes2 = nullptr;
    QPushButton* user_set_BTN = nullptr;

    QGroupBox* GroupBox2 = nullptr; // the phrase dictionary, captioned with its file
    QListWidget* Dictionary_list = nullptr;
    QLineEdit* Dictionary_Edit = nullptr;
    QPushButton* Dictionary_add_BTN = nullptr;
    QPushButton* Dictionary_dell_BTN = nullptr;
    QPushButton* Button9 = nullptr;

    QPushButton* Button8 = nullptr;
    QPushButton* Button4 = nullptr;

    QWidget* DetailPanel = nullptr; // the detailed section
    QGroupBox* GroupBox3 = nullptr; // 基本情報
    QPushButton* Button3 = nullptr;
    QPushButton* Button5 = nullptr;
    QGroupBox* GroupBox4 = nullptr; // お客様情報
    QPushButton* Button6 = nullptr;
    QPushButton* Button7 = nullptr;

private:
    void LoadUserInfo();
    vanto::UserInfo TypedUserInfo() const;
    void ShowPhrases();
    void ApplyDetail(const vanto::DetailState& state);

    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    vanto::PhraseDictionary dictionary_;
    bool shownBefore_ = false;
};
