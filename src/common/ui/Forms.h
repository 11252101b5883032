// The forms of the program, created once at start in a fixed order and kept until it ends. Forms reach each
// other through these references (a form that has not been created is null).
#pragma once

namespace vanto {
class Dialogs;
class Clock;
} // namespace vanto

class TTestMainForm;
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

FormRegistry& Forms();

} // namespace vanto
