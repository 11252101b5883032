// The reading form: the reference value sets in the tester (filled by the wait dialog's list job), reading one
// set into DATA.WK with its description shown for correction, saving it as a reference value file, and deleting
// one set in the tester.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "reference/ReferenceFiles.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class WaitDialog;

class ReferenceReadForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit ReferenceReadForm(const vanto::FormContext& context);

    // The menu it returns to, the wait dialog that runs the list job (registered there) and the main form the
    // job gives back when the link was not opened.
    void Connect(QWidget* menu, WaitDialog* wait, QWidget* mainForm);

    // The list job, run by the wait dialog on the open link: lists the sets and shows this form, which closes
    // the link. Always true: the link is this form's to close.
    bool ReferenceListJob();
    // Shows the form with the tester's sets (names as the tester's bytes, in its order).
    void ShowSets(const std::vector<std::string>& names);

    void FormShow() override;

private:
    void SetChosen();
    void ReadSelectedSet();   // read the selected set
    void SaveAsFile();        // save it as a reference value file
    void DeleteSelectedSet(); // delete the selected set in the tester
    void GoBack();            // back to the menu

    QFrame* setPanel_ = nullptr;
    QComboBox* setCombo_ = nullptr;
    QLineEdit* vehicleNameEdit_ = nullptr;
    QLineEdit* typeCodeEdit_ = nullptr;
    QLineEdit* engineTypeEdit_ = nullptr;
    QLineEdit* modelYearEdit_ = nullptr;
    QLineEdit* mileageEdit_ = nullptr;
    QLineEdit* commentEdit_ = nullptr;
    QPushButton* readButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* backButton_ = nullptr;

    bool listFailed_ = false; // showing after a failed listing: no "no sets" message
    std::array<QLineEdit*, 6> Edits() const {
        return {vehicleNameEdit_, typeCodeEdit_, engineTypeEdit_, modelYearEdit_, mileageEdit_, commentEdit_};
    }
    void ClearEdits();
    void BackToMenu();

    vanto::FormContext context_;
    QWidget* menu_ = nullptr;
    WaitDialog* wait_ = nullptr;
    QWidget* mainForm_ = nullptr;
    bool valuesRead_ = false;        // a set read whole since the form was shown: only then may it be saved
    vanto::ReferenceInfo shownInfo_; // the description in the edits, as the tester's bytes
};
