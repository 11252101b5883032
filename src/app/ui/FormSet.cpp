#include "app/ui/FormSet.h"

#include "continuous/ui/Continuation_pro.h"
#include "monitor/ui/Getdatam.h"
#include "monitor/ui/Touroku.h"
#include "print/ui/Print_item_sel_pro.h"
#include "print/ui/Print_pro.h"
#include "reference/ui/Ref_sub_sel_pro.h"
#include "reference/ui/Refdataread.h"
#include "reference/ui/Refdatawrite.h"
#include "register/ui/Carinfo.h"
#include "register/ui/Carinfoupdate.h"
#include "register/ui/Customer.h"
#include "register/ui/Searchcustomer.h"
#include "settings/ui/Dictionary_sel.h"
#include "settings/ui/Seting_pro.h"
#include "tester/ui/Combusy.h"

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

TTestMainForm* CreateAllForms(const StartupOptions& options) {
    FormRegistry& f = Forms();
    // The forms in the program's order.
    f.MainForm = Make<TTestMainForm>("TTestMainForm", options);
    const FormContext context = f.MainForm->Context();
    f.ComWaitForm = Make<TComWaitForm>("TComWaitForm", context, f.MainForm);
    f.ContinuationForm = Make<Tcontinuation_form>("Tcontinuation_form", context);
    f.DictionarySelForm = Make<TDictionary_sel_form>("TDictionary_sel_form", context);
    f.GetDataForm = Make<TGetDataForm>("TGetDataForm", context);
    f.SearchCustomerForm = Make<TSearchCustomerForm>("TSearchCustomerForm", context);
    f.CustomerForm = Make<TCustomerForm>("TCustomerForm", context, f.SearchCustomerForm);
    f.PrintItemSel = Make<Tprint_item_sel>("Tprint_item_sel", context);
    f.RefDataReadForm = Make<TRefDataReadForm>("TRefDataReadForm", context);
    f.RefDataWriteForm = Make<TRefDataWriteForm>("TRefDataWriteForm", context);
    f.RefSubSel = Make<Tref_sub_sel>("Tref_sub_sel", context);
    f.SetingForm = Make<Tseting_form>("Tseting_form", context);
    f.TourokuForm = Make<TTourokuForm>("TTourokuForm", context);
    f.PrintSet = Make<Tprint_set>("Tprint_set", context, f.PrintItemSel);
    f.CarInfoForm = Make<TCarInfoForm>("TCarInfoForm", context, f.SearchCustomerForm);
    f.CarInfoUpdateForm = Make<TCarInfoUpdateForm>("TCarInfoUpdateForm", context, f.SearchCustomerForm);

    // Who talks to whom, subsystem by subsystem.
    TTestMainForm::Functions functions;

    // Monitor data and the register.
    functions.MonitorMenu = f.TourokuForm;
    f.GetDataForm->Connect(f.CarInfoForm, f.ComWaitForm, f.MainForm);
    f.CustomerForm->Connect(f.TourokuForm);
    f.TourokuForm->Connect(f.MainForm, f.CustomerForm, f.CarInfoUpdateForm, f.CarInfoForm);
    f.CarInfoForm->Connect(f.CarInfoUpdateForm, f.ComWaitForm, f.TourokuForm, f.PrintSet);
    f.CarInfoUpdateForm->Connect(f.TourokuForm);

    // Reference values.
    functions.ReferenceMenu = f.RefSubSel;
    f.RefSubSel->Connect(f.MainForm, f.RefDataReadForm, f.RefDataWriteForm, f.ComWaitForm);
    f.RefDataReadForm->Connect(f.RefSubSel, f.ComWaitForm, f.MainForm);
    f.RefDataWriteForm->Connect(f.RefSubSel, f.ComWaitForm);

    // Continuous records.
    functions.Continuation = f.ContinuationForm;
    f.ContinuationForm->Connect(f.MainForm, f.ComWaitForm);

    // Settings and the phrase picker.
    functions.Settings = f.SetingForm;
    f.SetingForm->Connect(f.MainForm);

    // Printing.
    f.PrintSet->Connect(f.CarInfoForm, f.CarInfoUpdateForm, f.DictionarySelForm);

    f.MainForm->SetFunctions(functions);
    return f.MainForm;
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
