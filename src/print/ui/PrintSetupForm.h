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
class QFrame;
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
    // The sheet as it would print now: the fields, the judgement and the slots' chosen lines (nothing for a
    // slot whose record cannot be read).
    vanto::SheetInput SheetFromFields() const;

    // The result sheet and the data print of the chosen record written to a PDF file, as printing does; false
    // when a record cannot be read or the file cannot be written (the user is told).
    bool PrintSheetTo(const vanto::PrintTarget& target);
    bool PrintDataTo(const vanto::PrintTarget& target);

    void FormShow() override;
    void print_startClick();
    void preview_btnClick();
    void close_btnClick();
    void data_print_btnClick();
    void Button8Click(); // reset the title
    void Button7Click(); // judgement phrase from a phrase file
    void MessagePhraseClick(QLineEdit* message);
    void SlotButtonClick(int slot);   // Button3 to Button6
    void SlotChooserChange(int slot); // ComboBox1 to ComboBox4

    QFrame* Panel1 = nullptr;
    // Customer.
    QLineEdit *Edit3 = nullptr, *Edit4 = nullptr, *Edit22 = nullptr, *Edit23 = nullptr, *Edit5 = nullptr,
              *Edit24 = nullptr, *Edit25 = nullptr, *Edit20 = nullptr, *Edit21 = nullptr, *Edit2 = nullptr;
    // Vehicle.
    QLineEdit *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr,
              *Edit11 = nullptr, *Edit12 = nullptr, *Edit13 = nullptr;
    // Workshop.
    QLineEdit *Edit14 = nullptr, *Edit15 = nullptr, *Edit28 = nullptr, *Edit29 = nullptr, *Edit16 = nullptr,
              *Edit30 = nullptr, *Edit31 = nullptr, *Edit26 = nullptr, *Edit27 = nullptr, *Edit17 = nullptr,
              *Edit18 = nullptr, *Edit19 = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr;
    // Print settings.
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button8 = nullptr;
    std::array<QComboBox*, vanto::PrintSlotCount> SlotChoosers{};  // ComboBox1 to ComboBox4
    std::array<QPushButton*, vanto::PrintSlotCount> SlotButtons{}; // Button3 to Button6
    std::array<QLabel*, vanto::PrintSlotCount> SlotLabels{};       // Label21 to Label24
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button7 = nullptr;
    // Bottom row.
    QPushButton *print_start = nullptr, *preview_btn = nullptr, *close_btn = nullptr, *data_print_btn = nullptr;
    QComboBox* ComboBox5 = nullptr;

private:
    void BuildLayout();
    void FillFields();
    void ShowSlots();
    void Measure();
    // The slots' lines for printing; false (the user told which record) when one cannot be read.
    bool ResolveSlots(vanto::SheetInput& sheet) const;
    // The stored vehicle differs from the printed one: ask, and save when asked to. False: print nothing.
    bool ConfirmChangedVehicle(const vanto::SheetInput& sheet);
    bool PrintOn(const vanto::PrintTarget& target, const std::string& documentName,
                 const std::function<void(vanto::Canvas&)>& draw);

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
