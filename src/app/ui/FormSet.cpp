#include "app/ui/FormSet.h"

#include "continuous/ui/ContinuousRecordForm.h"
#include "inspection/ui/InspectionReminderForm.h"
#include "monitor/ui/MonitorMenuForm.h"
#include "monitor/ui/RecordReadForm.h"
#include "print/ui/PrintItemDialog.h"
#include "print/ui/PrintSetupForm.h"
#include "reference/ui/ReferenceMenuForm.h"
#include "reference/ui/ReferenceReadForm.h"
#include "reference/ui/ReferenceWriteForm.h"
#include "register/ui/CustomerForm.h"
#include "register/ui/CustomerSearchDialog.h"
#include "register/ui/VehicleInfoForm.h"
#include "register/ui/VehicleUpdateForm.h"
#include "settings/ui/PhrasePicker.h"
#include "settings/ui/SettingsForm.h"
#include "tester/ui/WaitDialog.h"

namespace vanto {

namespace {
// The forms in creation order, with their class names.
std::vector<std::pair<std::string, QWidget*>>& Created() {
    static std::vector<std::pair<std::string, QWidget*>> forms;
    return forms;
}

template <typename Form, typename... Args> Form* Make(const char* name, Args&&... args) {
    auto* form = new Form(std::forward<Args>(args)...);
    Created().emplace_back(name, form);
    return form;
}
} // namespace

FormRegistry& Forms() {
    static FormRegistry registry;
    return registry;
}

MainForm* CreateAllForms(const StartupOptions& options) {
    FormRegistry& f = Forms();
    // The forms in the program's order.
    f.Main = Make<MainForm>("MainForm", options);
    const FormContext context = f.Main->Context();
    f.Wait = Make<WaitDialog>("WaitDialog", context, f.Main);
    f.Continuous = Make<ContinuousRecordForm>("ContinuousRecordForm", context);
    f.Phrases = Make<PhrasePicker>("PhrasePicker", context);
    f.RecordRead = Make<RecordReadForm>("RecordReadForm", context);
    f.CustomerSearch = Make<CustomerSearchDialog>("CustomerSearchDialog", context);
    f.Customer = Make<CustomerForm>("CustomerForm", context, f.CustomerSearch);
    f.PrintItems = Make<PrintItemDialog>("PrintItemDialog", context);
    f.ReferenceRead = Make<ReferenceReadForm>("ReferenceReadForm", context);
    f.ReferenceWrite = Make<ReferenceWriteForm>("ReferenceWriteForm", context);
    f.ReferenceMenu = Make<ReferenceMenuForm>("ReferenceMenuForm", context);
    f.Settings = Make<SettingsForm>("SettingsForm", context);
    f.MonitorMenu = Make<MonitorMenuForm>("MonitorMenuForm", context);
    f.PrintSetup = Make<PrintSetupForm>("PrintSetupForm", context, f.PrintItems);
    f.VehicleInfo = Make<VehicleInfoForm>("VehicleInfoForm", context, f.CustomerSearch);
    f.VehicleUpdate = Make<VehicleUpdateForm>("VehicleUpdateForm", context, f.CustomerSearch);
    f.InspectionReminder = Make<InspectionReminderForm>("InspectionReminderForm", context);

    // Who talks to whom, subsystem by subsystem.
    MainForm::Functions functions;

    // Monitor data and the register.
    functions.MonitorMenu = f.MonitorMenu;
    f.RecordRead->Connect(f.VehicleInfo, f.Wait, f.Main);
    f.Customer->Connect(f.MonitorMenu);
    f.MonitorMenu->Connect(f.Main, f.Customer, f.VehicleUpdate, f.VehicleInfo);
    f.VehicleInfo->Connect(f.VehicleUpdate, f.Wait, f.MonitorMenu, f.PrintSetup);
    f.VehicleUpdate->Connect(f.MonitorMenu);

    // Reference values.
    functions.ReferenceMenu = f.ReferenceMenu;
    f.ReferenceMenu->Connect(f.Main, f.ReferenceRead, f.ReferenceWrite, f.Wait);
    f.ReferenceRead->Connect(f.ReferenceMenu, f.Wait, f.Main);
    f.ReferenceWrite->Connect(f.ReferenceMenu, f.Wait);

    // Continuous records.
    functions.ContinuousRecord = f.Continuous;
    f.Continuous->Connect(f.Main, f.Wait);

    // Settings and the phrase picker.
    functions.Settings = f.Settings;
    f.Settings->Connect(f.Main);

    // Printing.
    f.PrintSetup->Connect(f.VehicleInfo, f.VehicleUpdate, f.Phrases);

    // Inspection reminders.
    functions.InspectionReminder = f.InspectionReminder;
    f.InspectionReminder->Connect(f.Main);

    f.Main->SetFunctions(functions);
    return f.Main;
}

std::vector<std::pair<std::string, QWidget*>> AllForms() {
    return Created();
}

void DestroyAllForms() {
    auto& forms = Created();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        delete it->second;
    }
    forms.clear();
    Forms() = FormRegistry{};
}

} // namespace vanto
