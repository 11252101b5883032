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
    setObjectName("PrintSetupForm");
    setWindowTitle("印刷の設定");
    setFont(FixedFont(12));
    BuildLayout();
}

void PrintSetupForm::Connect(VehicleInfoForm* vehicleInfo, VehicleUpdateForm* update, PhrasePicker* picker) {
    vehicleInfo_ = vehicleInfo;
    update_ = update;
    picker_ = picker;
    for (QPushButton* phrase : {message1PhraseButton_, message2PhraseButton_, judgementPhraseButton_}) {
        phrase->setEnabled(picker_ != nullptr);
    }
}

void PrintSetupForm::FormShow() {
    FillFields();
    Measure();
    CenterOnScreen(this);
}

void PrintSetupForm::FillFields() {
    titleEdit_->setText(DefaultPrintTitle);
    judgementMemo_->clear();
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        if (edit != titleEdit_) {
            edit->clear();
        }
    }
    const VehicleInfoFields stored = vehicleInfo_ ? vehicleInfo_->Fields() : VehicleInfoFields{};
    customerNameEdit_->setText(Q(stored.Customer));
    postCode1Edit_->setText(Q(stored.Post1));
    postCode2Edit_->setText(Q(stored.Post2));
    addressEdit_->setText(Q(stored.Address));
    phone1Edit_->setText(Q(stored.Tel1));
    phone2Edit_->setText(Q(stored.Tel2));
    phone3Edit_->setText(Q(stored.Tel3));
    mobile1Edit_->setText(Q(stored.Mobile1));
    mobile2Edit_->setText(Q(stored.Mobile2));
    mobile3Edit_->setText(Q(stored.Mobile3));

    SheetInput vehicle;
    SetSheetVehicle(vehicle, stored.VehicleNumber, stored.Vehicle);
    vehicleNumberEdit_->setText(Q(vehicle.VehicleNumber));
    bodyNumberEdit_->setText(Q(vehicle.ChassisNumber));
    firstRegistrationEdit_->setText(Q(vehicle.FirstRegistration));
    mileageEdit_->setText(Q(vehicle.Mileage));
    nextInspectionEdit_->setText(Q(vehicle.NextInspection));
    carNameEdit_->setText(Q(vehicle.VehicleName));
    typeEdit_->setText(Q(vehicle.Model));
    engineTypeEdit_->setText(Q(vehicle.EngineType));

    const UserInfo shop = ReadUserInfoForPrint(context_.Paths().UserInfoFile);
    workshopNameEdit_->setText(Q(shop.Name));
    workshopPhone1Edit_->setText(Q(shop.Tel[0]));
    workshopPhone2Edit_->setText(Q(shop.Tel[1]));
    workshopPhone3Edit_->setText(Q(shop.Tel[2]));
    workshopFax1Edit_->setText(Q(shop.Fax[0]));
    workshopFax2Edit_->setText(Q(shop.Fax[1]));
    workshopFax3Edit_->setText(Q(shop.Fax[2]));
    workshopPostCode1Edit_->setText(Q(shop.Post[0]));
    workshopPostCode2Edit_->setText(Q(shop.Post[1]));
    workshopAddressEdit_->setText(Q(shop.Address));
    message1Edit_->setText(Q(shop.Mes1));
    message2Edit_->setText(Q(shop.Mes2));

    slots_.Fill(vehicleInfo_ ? vehicleInfo_->CurrentVehicleFolder().Dir() : std::string{}, stored.Records);
    ShowSlots();
}

void PrintSetupForm::ShowSlots() {
    const QStringList records = ToQStringList(slots_.Records());
    for (int k = 0; k < PrintSlotCount; ++k) {
        QComboBox* combo = slotCombos_[static_cast<std::size_t>(k)];
        const QSignalBlocker block(combo);
        combo->clear();
        combo->addItems(records);
        combo->setCurrentIndex(slots_.RecordIndex(k));
        slotButtons_[static_cast<std::size_t>(k)]->setEnabled(!records.isEmpty());
        slotLabels_[static_cast<std::size_t>(k)]->setText(Q(slots_.CountLabel(k)));
    }
    const QSignalBlocker block(dataPrintCombo_);
    dataPrintCombo_->clear();
    dataPrintCombo_->addItems(records);
    dataPrintCombo_->setCurrentIndex(records.isEmpty() ? -1 : 0);
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
    in.Title = Text(titleEdit_);
    in.IssueDate = context_.Clock().Now();
    in.ShopName = Text(workshopNameEdit_);
    in.ShopPost = {Text(workshopPostCode1Edit_), Text(workshopPostCode2Edit_)};
    in.ShopAddress = Text(workshopAddressEdit_);
    in.ShopTel = {Text(workshopPhone1Edit_), Text(workshopPhone2Edit_), Text(workshopPhone3Edit_)};
    in.ShopFax = {Text(workshopFax1Edit_), Text(workshopFax2Edit_), Text(workshopFax3Edit_)};
    in.ShopMessage1 = Text(message1Edit_);
    in.ShopMessage2 = Text(message2Edit_);
    in.CustomerName = Text(customerNameEdit_);
    in.CustomerPost = {Text(postCode1Edit_), Text(postCode2Edit_)};
    in.CustomerAddress = Text(addressEdit_);
    in.CustomerTel = {Text(phone1Edit_), Text(phone2Edit_), Text(phone3Edit_)};
    in.CustomerMobile = {Text(mobile1Edit_), Text(mobile2Edit_), Text(mobile3Edit_)};
    in.VehicleNumber = Text(vehicleNumberEdit_);
    in.ChassisNumber = Text(bodyNumberEdit_);
    in.FirstRegistration = Text(firstRegistrationEdit_);
    in.Mileage = Text(mileageEdit_);
    in.NextInspection = Text(nextInspectionEdit_);
    in.VehicleName = Text(carNameEdit_);
    in.Model = Text(typeEdit_);
    in.EngineType = Text(engineTypeEdit_);
    in.Judgement = JudgementLines(S(judgementMemo_->toPlainText()));
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
    const int record = dataPrintCombo_->currentIndex();
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

void PrintSetupForm::PrintSheet() {
    SheetInput sheet = SheetFromFields();
    if (!ResolveSlots(sheet) || !ConfirmChangedVehicle(sheet)) {
        return;
    }
    if (const auto target = context_.Dialogs().Print(PrintDialogOptions{})) {
        PrintOn(*target, PrintDocumentName(sheet.Title, sheet),
                [&sheet](Canvas& canvas) { PrintResultSheet(canvas, sheet); });
    }
}

void PrintSetupForm::PreviewSheet() {
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

void PrintSetupForm::PrintData() {
    if (slots_.Records().empty()) {
        return;
    }
    if (const auto target = context_.Dialogs().Print(PrintDialogOptions{})) {
        PrintDataTo(*target);
    }
}

void PrintSetupForm::CloseForm() {
    hide();
    if (vehicleInfo_) {
        vehicleInfo_->ReturnFromPrinting();
    }
}

void PrintSetupForm::ResetTitle() {
    titleEdit_->setText(DefaultPrintTitle);
}

void PrintSetupForm::ChooseJudgementPhrase() {
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
            judgementMemo_->appendPlainText(Q(phrase));
        }
    }
    paths.PhraseFile = remembered;
}

void PrintSetupForm::ChooseMessagePhrase(QLineEdit* message) {
    if (!picker_) {
        return;
    }
    const std::string phrase = picker_->Pick();
    if (!phrase.empty()) {
        message->setText(Q(phrase));
    }
}

void PrintSetupForm::ChooseSlotItems(int slot) {
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
    slotLabels_[static_cast<std::size_t>(slot)]->setText(Q(slots_.CountLabel(slot)));
}

void PrintSetupForm::SlotChosen(int slot) {
    const int record = slotCombos_[static_cast<std::size_t>(slot)]->currentIndex();
    if (slots_.ChangeRecord(slot, record) == RecordChange::Unreadable && record >= 0) {
        context_.Dialogs().Show(DialogIcon::Error, UnreadableRecordMessage(slots_.RecordName(slot)));
    }
    slotLabels_[static_cast<std::size_t>(slot)]->setText(Q(slots_.CountLabel(slot)));
}
