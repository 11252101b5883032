// The print setup form: shows the customer, vehicle and workshop as the result sheet will print them, lets the
// user adjust the workshop block, mileage, next inspection date, title and overall judgement for this one print,
// chooses the lines of the four item slots, and previews and prints the sheet (to a printer or a PDF file).
#pragma once

#include "common/Dialogs.h"
#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "print/PrintSlots.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrintPreviewDialog;
class QPushButton;
class VehicleInfoForm;
class VehicleUpdateForm;
class PhrasePicker;
class PrintItemDialog;

class PrintSetupForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    PrintSetupForm(const vanto::FormContext& context, PrintItemDialog* itemSelection);

    // The vehicle information form it prints from and returns to, the vehicle update form that stores a changed
    // vehicle, and the phrase picker (null while it is not available: its buttons stay off).
    void Connect(VehicleInfoForm* vehicleInfo, VehicleUpdateForm* update, PhrasePicker* picker);

    // How the preview dialog is run; by default modally. Tests look at the dialog instead of clicking it.
    using PreviewRunner = std::function<void(QPrintPreviewDialog&)>;
    void SetPreviewRunner(PreviewRunner runner) { previewRunner_ = std::move(runner); }

    // The slots as chosen (the form shows this model).
    const vanto::PrintSlots& Slots() const { return slots_; }

    // The result sheet and the data print of the chosen record written to a PDF file, as printing does; false
    // when a record cannot be read or the file cannot be written (the user is told).
    bool PrintSheetTo(const vanto::PrintTarget& target);
    bool PrintDataTo(const vanto::PrintTarget& target);

    void FormShow() override;

private:
    void PrintSheet();
    void PreviewSheet();
    void CloseForm();
    void PrintData();
    void ResetTitle();
    void ChooseJudgementPhrase(); // from a phrase file the user picks
    void ChooseMessagePhrase(QLineEdit* message);
    void ChooseSlotItems(int slot); // the slot's "印刷項目設定"
    void SlotChosen(int slot);      // a record chosen in the slot's list

    void BuildLayout();
    void FillFields();
    // The sheet as it would print now: the fields, the judgement and the slots' chosen lines (nothing for a
    // slot whose record cannot be read).
    vanto::SheetInput SheetFromFields() const;
    void ShowSlots();
    void Measure();
    // The slots' lines for printing; false (the user told which record) when one cannot be read.
    bool ResolveSlots(vanto::SheetInput& sheet) const;
    // The stored vehicle differs from the printed one: ask, and save when asked to. False: print nothing.
    bool ConfirmChangedVehicle(const vanto::SheetInput& sheet);
    bool PrintOn(const vanto::PrintTarget& target, const std::string& documentName,
                 const std::function<void(vanto::Canvas&)>& draw);

    // Customer.
    QLineEdit *customerNameEdit_ = nullptr, *phone1Edit_ = nullptr, *phone2Edit_ = nullptr, *phone3Edit_ = nullptr,
              *mobile1Edit_ = nullptr, *mobile2Edit_ = nullptr, *mobile3Edit_ = nullptr, *postCode1Edit_ = nullptr,
              *postCode2Edit_ = nullptr, *addressEdit_ = nullptr;
    // Vehicle.
    QLineEdit *vehicleNumberEdit_ = nullptr, *bodyNumberEdit_ = nullptr, *firstRegistrationEdit_ = nullptr,
              *mileageEdit_ = nullptr, *nextInspectionEdit_ = nullptr, *carNameEdit_ = nullptr, *typeEdit_ = nullptr,
              *engineTypeEdit_ = nullptr;
    // Workshop.
    QLineEdit *workshopNameEdit_ = nullptr, *workshopPhone1Edit_ = nullptr, *workshopPhone2Edit_ = nullptr,
              *workshopPhone3Edit_ = nullptr, *workshopFax1Edit_ = nullptr, *workshopFax2Edit_ = nullptr,
              *workshopFax3Edit_ = nullptr, *workshopPostCode1Edit_ = nullptr, *workshopPostCode2Edit_ = nullptr,
              *workshopAddressEdit_ = nullptr, *message1Edit_ = nullptr, *message2Edit_ = nullptr;
    QPushButton *message1PhraseButton_ = nullptr, *message2PhraseButton_ = nullptr;
    // Print settings.
    QLineEdit* titleEdit_ = nullptr;
    QPushButton* resetTitleButton_ = nullptr;
    std::array<QComboBox*, vanto::PrintSlotCount> slotCombos_{};    // the record of each slot
    std::array<QPushButton*, vanto::PrintSlotCount> slotButtons_{}; // its lines chosen in the item dialog
    std::array<QLabel*, vanto::PrintSlotCount> slotLabels_{};       // how many lines it prints
    QPlainTextEdit* judgementMemo_ = nullptr;
    QPushButton* judgementPhraseButton_ = nullptr;
    // Bottom row.
    QPushButton *printButton_ = nullptr, *previewButton_ = nullptr, *closeButton_ = nullptr,
                *dataPrintButton_ = nullptr;
    QComboBox* dataPrintCombo_ = nullptr;

    vanto::FormContext context_;
    PrintItemDialog* itemSelection_;
    VehicleInfoForm* vehicleInfo_ = nullptr;
    VehicleUpdateForm* update_ = nullptr;
    PhrasePicker* picker_ = nullptr;
    PreviewRunner previewRunner_;
    vanto::PrintSlots slots_;
    vanto::SheetMeasure measure_;
    bool phraseFileChosenBefore_ = false;
};
