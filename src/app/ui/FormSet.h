// Creates the program's forms once, in the program's fixed order, gives each its context and the forms it talks
// to, and removes them at the end. The registry serves the program's entry, the screenshots and the tests; the
// forms themselves never look into it.
#pragma once

#include "app/ui/Vantomain.h"

#include <string>
#include <utility>
#include <vector>

class TComWaitForm;
class Tcontinuation_form;
class TDictionary_sel_form;
class TGetDataForm;
class TSearchCustomerForm;
class TCustomerForm;
class Tprint_item_sel;
class TRefDataReadForm;
class TRefDataWriteForm;
class Tref_sub_sel;
class Tseting_form;
class TTourokuForm;
class Tprint_set;
class TCarInfoForm;
class TCarInfoUpdateForm;

namespace vanto {

struct FormRegistry {
    TTestMainForm* MainForm = nullptr;
    TComWaitForm* ComWaitForm = nullptr;
    Tcontinuation_form* ContinuationForm = nullptr;
    TDictionary_sel_form* DictionarySelForm = nullptr;
    TGetDataForm* GetDataForm = nullptr;
    TSearchCustomerForm* SearchCustomerForm = nullptr;
    TCustomerForm* CustomerForm = nullptr;
    Tprint_item_sel* PrintItemSel = nullptr;
    TRefDataReadForm* RefDataReadForm = nullptr;
    TRefDataWriteForm* RefDataWriteForm = nullptr;
    Tref_sub_sel* RefSubSel = nullptr;
    Tseting_form* SetingForm = nullptr;
    TTourokuForm* TourokuForm = nullptr;
    Tprint_set* PrintSet = nullptr;
    TCarInfoForm* CarInfoForm = nullptr;
    TCarInfoUpdateForm* CarInfoUpdateForm = nullptr;
};

// The forms that exist (null for one that was not created).
FormRegistry& Forms();

// Creates every form; the main form first. Returns the main form (check its ConstructionError).
TTestMainForm* CreateAllForms(const StartupOptions& options);

// Every form that exists, with its class name, in creation order.
std::vector<std::pair<std::string, QWidget*>> AllForms();

// Deletes every form in reverse order and clears the registry.
void DestroyAllForms();

} // namespace vanto
