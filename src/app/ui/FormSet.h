// Creates the program's forms once, in the program's fixed order, gives each its context and the forms it talks
// to, and removes them at the end. The registry serves the program's entry, the screenshots and the tests; the
// forms themselves never look into it.
#pragma once

#include "app/ui/MainForm.h"

#include <string>
#include <utility>
#include <vector>

class WaitDialog;
class ContinuousRecordForm;
class PhrasePicker;
class RecordReadForm;
class CustomerSearchDialog;
class CustomerForm;
class PrintItemDialog;
class ReferenceReadForm;
class ReferenceWriteForm;
class ReferenceMenuForm;
class SettingsForm;
class MonitorMenuForm;
class PrintSetupForm;
class VehicleInfoForm;
class VehicleUpdateForm;
class InspectionReminderForm;

namespace vanto {

struct FormRegistry {
    MainForm* Main = nullptr;
    WaitDialog* Wait = nullptr;
    ContinuousRecordForm* Continuous = nullptr;
    PhrasePicker* Phrases = nullptr;
    RecordReadForm* RecordRead = nullptr;
    CustomerSearchDialog* CustomerSearch = nullptr;
    CustomerForm* Customer = nullptr;
    PrintItemDialog* PrintItems = nullptr;
    ReferenceReadForm* ReferenceRead = nullptr;
    ReferenceWriteForm* ReferenceWrite = nullptr;
    ReferenceMenuForm* ReferenceMenu = nullptr;
    SettingsForm* Settings = nullptr;
    MonitorMenuForm* MonitorMenu = nullptr;
    PrintSetupForm* PrintSetup = nullptr;
    VehicleInfoForm* VehicleInfo = nullptr;
    VehicleUpdateForm* VehicleUpdate = nullptr;
    InspectionReminderForm* InspectionReminder = nullptr;
};

// The forms that exist (null for one that was not created).
FormRegistry& Forms();

// Creates every form; the main form first. Returns the main form (check its ConstructionError).
MainForm* CreateAllForms(const StartupOptions& options);

// Every form that exists, with its class name, in creation order.
std::vector<std::pair<std::string, QWidget*>> AllForms();

// Deletes every form in reverse order and clears the registry.
void DestroyAllForms();

} // namespace vanto
