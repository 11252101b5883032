// The record reading form: lists the records the tester holds (filled by the record-directory job on an open
// link), reads the chosen one and files it under the vehicle chosen in the vehicle information form.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QPushButton;
class VehicleInfoForm;
class WaitDialog;

class RecordReadForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit RecordReadForm(const vanto::FormContext& context);

    // The vehicle information form it reads for and returns to, and the wait dialog that runs its job (the
    // record directory is registered there).
    void Connect(VehicleInfoForm* vehicleInfo, WaitDialog* wait, QWidget* mainForm);

    void FormShow() override;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // The record-directory job, run by the wait dialog on the open link. True when this form was shown
    // (the link stays open until the form is hidden).
    bool RecordDirectoryJob();
    void ReadSelectedRecord();
    void GoBack();
    void ReturnToVehicleForm();
    bool SaveRecord(int line);
    std::string NoDataLine() const;

    QFrame* recordPanel_ = nullptr;
    QComboBox* recordCombo_ = nullptr;
    QPushButton* readButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    vanto::FormContext context_;
    VehicleInfoForm* vehicleInfo_ = nullptr;
    WaitDialog* wait_ = nullptr;
    QWidget* mainForm_ = nullptr;
    // For each list line, the 3-byte directory entry that the read command sends.
    std::vector<std::string> entryOfLine_;
};
