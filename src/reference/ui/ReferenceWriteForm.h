// The writing form: picks reference value files, shows the description and values of one of them, and writes
// every picked file into the tester in one run (the wait dialog's write job, shown modally).
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QFrame;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class WaitDialog;

class ReferenceWriteForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit ReferenceWriteForm(const vanto::FormContext& context);

    // The menu it returns to and the wait dialog that runs the write job (registered there).
    void Connect(QWidget* menu, WaitDialog* wait);

    // Opening from the menu: nothing picked, nothing shown, writing off.
    void ShowFromMenu();
    // Takes the files the user picked (full paths, in the dialog's order): every one must pass the validity
    // rule, else none is kept; the first is shown.
    void PickFiles(const std::vector<std::string>& paths);

    // The write job, run by the wait dialog on the open link; the dialog's result is 1 when every file was
    // written, 2 otherwise.
    bool ReferenceWriteJob();

    void FormShow() override;

private:
    void FileChosen();
    void ChooseFiles();   // pick files
    void WriteAllFiles(); // write them all
    void GoBack();        // back to the menu

    QFrame* filePanel_ = nullptr;
    QListWidget* fileList_ = nullptr;
    QLineEdit* vehicleNameEdit_ = nullptr;
    QLineEdit* typeCodeEdit_ = nullptr;
    QLineEdit* engineTypeEdit_ = nullptr;
    QLineEdit* modelYearEdit_ = nullptr;
    QLineEdit* mileageEdit_ = nullptr;
    QLineEdit* commentEdit_ = nullptr;
    QPlainTextEdit* valuesMemo_ = nullptr;
    QPushButton* chooseFilesButton_ = nullptr;
    QPushButton* writeButton_ = nullptr;
    QPushButton* backButton_ = nullptr;

    std::array<QLineEdit*, 6> Edits() const {
        return {vehicleNameEdit_, typeCodeEdit_, engineTypeEdit_, modelYearEdit_, mileageEdit_, commentEdit_};
    }
    std::vector<std::string> PickedFiles() const;
    void ShowFile(const std::string& path);
    void ClearShown();
    void BackToMenu();

    vanto::FormContext context_;
    QWidget* menu_ = nullptr;
    WaitDialog* wait_ = nullptr;
};
