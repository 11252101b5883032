#include "print/ui/PrintSetupForm.h"

#include "common/ui/FormHelpers.h"
#include "print/PrintSetup.h"
#include "print/ui/PrintItemDialog.h"
#include "print/ui/QtCanvas.h"
#include "register/ui/VehicleInfoForm.h"
#include "register/ui/VehicleUpdateForm.h"
#include "settings/UserInfo.h"
#include "settings/ui/PhrasePicker.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

using namespace vanto;

namespace {

std::string Text(const QLineEdit* edit) {
    return S(edit->text());
}

} // namespace

PrintSetupForm::PrintSetupForm(const FormContext& context, PrintItemDialog* itemSelection)
    : context_(context), itemSelection_(itemSelection),
      previewRunner_([](QPrintPreviewDialog& dialog) { dialog.exec(); }) {
    setObjectName("print_set");
    setWindowTitle("印刷の設定");
    setFont(FixedFont(12));
    BuildLayout();
}

void PrintSetupForm::Connect(VehicleInfoForm* vehicleInfo, VehicleUpdateForm* update, PhrasePicker* picker) {
    vehicleInfo_ = vehicleInfo;
    update_ = update;
    picker_ = picker;
    for (QPushButton* phrase : {Button1, Button2, Button7}) {
        phrase->setEnabled(picker_ != nullptr);
    }
}

void PrintSetupForm::FormShow() {
    FillFields();
    Measure();
    CenterOnScreen(this);
}

void PrintSetupForm::FillFields() {
    Edit1->setText(DefaultPrintTitle);
    Memo1->clear();
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (edit != Edit1) {
            edit->clear();
        }
    }
    const VehicleInfoFields stored = vehicleInfo_ ? vehicleInfo_->Fields() : VehicleInfoFields{};
    Edit3->setText(Q(stored.Customer));
    Edit20->setText(Q(stored.Post1));
    Edit21->setText(Q(stored.Post2));
    Edit2->setText(Q(stored.Address));
    Edit4->setText(Q(stored.Tel1));
    Edit22->setText(Q(stored.Tel2));
    Edit23->setText(Q(stored.Tel3));
    Edit5->setText(Q(stored.Mobile1));
    Edit24->setText(Q(stored.Mobile2));
    Edit25->setText(Q(stored.Mobile3));

    SheetInput vehicle;
    SetSheetVehicle(vehicle, stored.VehicleNumber, stored.Vehicle);
    Edit6->setText(Q(vehicle.VehicleNumber));
    Edit7->setText(Q(vehicle.ChassisNumber));
    Edit8->setText(Q(vehicle.FirstRegistration));
    Edit9->setText(Q(vehicle.Mileage));
    Edit10->setText(Q(vehicle.NextInspection));
    Edit11->setText(Q(vehicle.VehicleName));
    Edit12->setText(Q(vehicle.Model));
    Edit13->setText(Q(vehicle.EngineType));

    const UserInfo shop = ReadUserInfoForPrint(context_.Paths().UserInfoFile);
    Edit14->setText(Q(shop.Name));
    Edit15->setText(Q(shop.Tel[0]));
    Edit28->setText(Q(shop.Tel[1]));
    Edit29->setText(Q(shop.Tel[2]));
    Edit16->setText(Q(shop.Fax[0]));
    Edit30->setText(Q(shop.Fax[1]));
    Edit31->setText(Q(shop.Fax[2]));
    Edit26->setText(Q(shop.Post[0]));
    Edit27->setText(Q(shop.Post[1]));
    Edit17->setText(Q(shop.Address));
    Edit18->setText(Q(shop.Mes1));
    Edit19->setText(Q(shop.Mes2));

    slots_.Fill(vehicleInfo_ ? vehicleInfo_->CurrentVehicleFolder().Dir() : std::string{}, stored.Records);
    ShowSlots();
}

void PrintSetupForm::ShowSlots() {
    const QStringList records = ToQStringList(slots_.Records());
    for (int k = 0; k < PrintSlotCount; ++k) {
        QComboBox* combo = SlotChoosers[static_cast<std::size_t>(k)];
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(records);
        combo->setCurrentIndex(slots_.RecordIndex(k));
        SlotButtons[static_cast<std::size_t>(k)]->setEnabled(!records.isEmpty());
        SlotLabels[static_cast<std::size_t>(k)]->setText(Q(slots_.CountLabel(k)));
    }
    const QSignalBlocker block(ComboBox5);
    ComboBox5->clear();
    ComboBox5->addItems(records);
    ComboBox5->setCurrentIndex(records.isEmpty() ? -1 : 0);
}

// The sheet's real capacity on the page the printer offers: how many lines a record change chooses by default.
void PrintSetupForm::Measure() {
    const std::unique_ptr<QPrinter> printer = MakeSheetPrinter(nullptr);
    QtCanvas canvas(*printer, nullptr);
    SheetInput sheet = SheetFromFields();
    measure_ = ResultSheetLayout(canvas, sheet);
    slots_.SetLinesPerColumn(LinesPerColumn(measure_.V, measure_.LH));
}

SheetInput PrintSetupForm::SheetFromFields() const {
    SheetInput in;
    in.Title = Text(Edit1);
    in.IssueDate = context_.Clock().Now();
    in.ShopName = Text(Edit14);
    in.ShopPost = {Text(Edit26), Text(Edit27)};
    in.ShopAddress = Text(Edit17);
    in.ShopTel = {Text(Edit15), Text(Edit28), Text(Edit29)};
    in.ShopFax = {Text(Edit16), Text(Edit30), Text(Edit31)};
    in.ShopMessage1 = Text(Edit18);
    in.ShopMessage2 = Text(Edit19);
    in.CustomerName = Text(Edit3);
    in.CustomerPost = {Text(Edit20), Text(Edit21)};
    in.CustomerAddress = Text(Edit2);
    in.CustomerTel = {Text(Edit4), Text(Edit22), Text(Edit23)};
    in.CustomerMobile = {Text(Edit5), Text(Edit24), Text(Edit25)};
    in.VehicleNumber = Text(Edit6);
    in.ChassisNumber = Text(Edit7);
    in.FirstRegistration = Text(Edit8);
    in.Mileage = Text(Edit9);
    in.NextInspection = Text(Edit10);
    in.VehicleName = Text(Edit11);
    in.Model = Text(Edit12);
    in.EngineType = Text(Edit13);
    in.Judgement = JudgementLines(S(Memo1->toPlainText()));
    in.LinesPerColumn = slots_.LinesPerColumn();
    const ResolvedSlots resolved = slots_.Resolve();
    if (!resolved.Problem) {
        in.Slots = resolved.Slots;
    }
    return in;
}

bool PrintSetupForm::ResolveSlots(SheetInput& sheet) const {
    const ResolvedSlots resolved = slots_.Resolve();
    if (resolved.Problem) {
        context_.Dialogs().Show(DialogIcon::Error, UnreadableRecordMessage(resolved.Problem->RecordName));
        return false;
    }
    sheet.Slots = resolved.Slots;
    return true;
}

bool PrintSetupForm::ConfirmChangedVehicle(const SheetInput& sheet) {
    if (!vehicleInfo_) {
        return false;
    }
    const VehicleInfoFields stored = vehicleInfo_->Fields();
    if (!SheetVehicleChanged(sheet, stored.VehicleNumber, stored.Vehicle)) {
        return true;
    }
    const int choice = context_.Dialogs().Choose(DialogIcon::Information, VehicleChangedCaption, VehicleChangedText,
                                                 {SaveAndPrintCaption, PrintOnlyCaption, CancelCaption});
    if (choice == static_cast<int>(VehicleChangedChoice::PrintOnly)) {
        return true;
    }
    if (choice != static_cast<int>(VehicleChangedChoice::SaveAndPrint)) {
        return false;
    }
    // The vehicle form tells why a save failed; the sheet is not printed then.
    if (!update_ || !update_->SaveVehicleSilently(stored.VehicleNumber, VehicleToSave(sheet, stored.Vehicle))) {
        return false;
    }
    vehicleInfo_->TakePrintedMileage(sheet.Mileage, sheet.NextInspection);
    return true;
}

bool PrintSetupForm::PrintOn(const PrintTarget& target, const std::string& documentName,
                             const std::function<void(Canvas&)>& draw) {
    const std::unique_ptr<QPrinter> printer = MakeSheetPrinter(&target, documentName);
    if (!PrintPage(*printer, draw)) {
        context_.Dialogs().Show(DialogIcon::Error, PrintNotStartedText);
        return false;
    }
    return true;
}

bool PrintSetupForm::PrintSheetTo(const PrintTarget& target) {
    SheetInput sheet = SheetFromFields();
    if (!ResolveSlots(sheet)) {
        return false;
    }
    return PrintOn(target, PrintDocumentName(sheet.Title, sheet),
                   [&sheet](Canvas& canvas) { PrintResultSheet(canvas, sheet); });
}

bool PrintSetupForm::PrintDataTo(const PrintTarget& target) {
    const int record = ComboBox5->currentIndex();
    const auto data = slots_.DataPrint(record);
    if (!data) {
        if (record >= 0) {
            context_.Dialogs().Show(DialogIcon::Error,
                                    UnreadableRecordMessage(slots_.Records()[static_cast<std::size_t>(record)]));
        }
        return false;
    }
    SheetInput sheet = SheetFromFields();
    sheet.DataPrint = *data;
    return PrintOn(target, PrintDocumentName(DataPrintTitle, sheet),
                   [&sheet](Canvas& canvas) { DataPrintLayout(canvas, sheet); });
}

void PrintSetupForm::print_startClick() {
    SheetInput sheet = SheetFromFields();
    if (!ResolveSlots(sheet) || !ConfirmChangedVehicle(sheet)) {
        return;
    }
    if (const auto target = context_.Dialogs().Print(PrintDialogOptions{})) {
        PrintOn(*target, PrintDocumentName(sheet.Title, sheet),
                [&sheet](Canvas& canvas) { PrintResultSheet(canvas, sheet); });
    }
}

void PrintSetupForm::preview_btnClick() {
    SheetInput sheet = SheetFromFields();
    if (!ResolveSlots(sheet)) {
        return;
    }
    const std::unique_ptr<QPrinter> printer = MakeSheetPrinter(nullptr, PrintDocumentName(sheet.Title, sheet));
    QPrintPreviewDialog dialog(printer.get(), this);
    dialog.setObjectName("PrintPreviewDialog");
    dialog.setWindowTitle("印刷プレビュー");
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&sheet](QPrinter* page) {
        PrintPage(*page, [&sheet](Canvas& canvas) { PrintResultSheet(canvas, sheet); });
    });
    previewRunner_(dialog);
}

void PrintSetupForm::data_print_btnClick() {
    if (slots_.Records().empty()) {
        return;
    }
    if (const auto target = context_.Dialogs().Print(PrintDialogOptions{})) {
        PrintDataTo(*target);
    }
}

void PrintSetupForm::close_btnClick() {
    hide();
    if (vehicleInfo_) {
        vehicleInfo_->ReturnFromPrinting();
    }
}

void PrintSetupForm::Button8Click() {
    Edit1->setText(DefaultPrintTitle);
}

void PrintSetupForm::Button7Click() {
    if (!picker_) {
        return;
    }
    WorkingPaths& paths = context_.State().Paths;
    const std::string remembered = paths.PhraseFile;
    FileDialogOptions options;
    options.title = paths.DocumentFolder + "　ファイル選択";
    options.defaultExtension = "txt";
    options.filter = paths.DocumentFolder + "ファイル(*.txt)|*.txt";
    if (!phraseFileChosenBefore_) {
        options.folder = paths.OwnerDir + paths.DocumentFolder;
    }
    const auto file = context_.Dialogs().OpenFile(options);
    phraseFileChosenBefore_ = true;
    if (file) {
        // The picker loads the file PhraseFile names; the dictionary setting itself stays as it was.
        paths.PhraseFile = *file;
        const std::string phrase = picker_->Pick();
        if (!phrase.empty()) {
            Memo1->appendPlainText(Q(phrase));
        }
    }
    paths.PhraseFile = remembered;
}

void PrintSetupForm::MessagePhraseClick(QLineEdit* message) {
    if (!picker_) {
        return;
    }
    const std::string phrase = picker_->Pick();
    if (!phrase.empty()) {
        message->setText(Q(phrase));
    }
}

void PrintSetupForm::SlotButtonClick(int slot) {
    const auto choice = slots_.OpenChoice(slot);
    if (!choice) {
        if (slots_.RecordIndex(slot) >= 0) {
            context_.Dialogs().Show(DialogIcon::Error, UnreadableRecordMessage(slots_.RecordName(slot)));
        }
        return;
    }
    const auto checks = itemSelection_->Choose(*choice);
    if (!checks) {
        return;
    }
    if (slots_.ApplyChoice(slot, *checks).Cut) {
        context_.Dialogs().Show(DialogIcon::Information, SlotLinesCutText);
    }
    SlotLabels[static_cast<std::size_t>(slot)]->setText(Q(slots_.CountLabel(slot)));
}

void PrintSetupForm::SlotChooserChange(int slot) {
    const int record = SlotChoosers[static_cast<std::size_t>(slot)]->currentIndex();
    if (slots_.ChangeRecord(slot, record) == RecordChange::Unreadable && record >= 0) {
        context_.Dialogs().Show(DialogIcon::Error, UnreadableRecordMessage(slots_.RecordName(slot)));
    }
    SlotLabels[static_cast<std::size_t>(slot)]->setText(Q(slots_.CountLabel(slot)));
}
