// The reference-value menu: lists the tester's sets into the reading form (through the wait dialog's list job),
// opens the writing form, deletes every set in the tester, and returns to the main menu.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QWidget>

class QFrame;
class QPushButton;
class WaitDialog;
class ReferenceWriteForm;

class ReferenceMenuForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit ReferenceMenuForm(const vanto::FormContext& context);

    // The main menu it returns to, the reading form (shown by the list job, hidden after deleting all), the
    // writing form it opens and the wait dialog that runs the list job.
    void Connect(QWidget* mainMenu, QWidget* readForm, ReferenceWriteForm* writeForm, WaitDialog* wait);

    void FormShow() override;

private:
    void OpenReadForm();  // list the sets and open the reading form
    void OpenWriteForm(); // open the writing form
    void DeleteAllSets(); // delete every set in the tester
    void ReturnToMainMenu();

    QFrame* menuPanel_ = nullptr;
    QPushButton* readSetsButton_ = nullptr;
    QPushButton* writeSetsButton_ = nullptr;
    QPushButton* deleteAllButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    QWidget* readForm_ = nullptr;
    ReferenceWriteForm* writeForm_ = nullptr;
    WaitDialog* wait_ = nullptr;
};
