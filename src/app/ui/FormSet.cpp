#include "app/ui/FormSet.h"

#include "common/ui/Forms.h"
#include "monitor/ui/Getdatam.h"
#include "monitor/ui/Touroku.h"
#include "register/ui/Carinfo.h"
#include "register/ui/Carinfoupdate.h"
#include "register/ui/Customer.h"
#include "register/ui/Searchcustomer.h"
#include "tester/ui/Combusy.h"

namespace vanto {

namespace {
// The forms in creation order, with their class names.
std::vector<std::pair<std::string, QWidget*>>& Created() {
    static std::vector<std::pair<std::string, QWidget*>> forms;
    return forms;
}

template <typename Form> void Make(const char* name) { Created().emplace_back(name, new Form()); }
} // namespace

TTestMainForm* CreateAllForms(const StartupOptions& options) {
    auto* main = new TTestMainForm(options);
    Created().emplace_back("TTestMainForm", main);
    Make<TComWaitForm>("TComWaitForm");
    Make<TGetDataForm>("TGetDataForm");
    Make<TSearchCustomerForm>("TSearchCustomerForm");
    Make<TCustomerForm>("TCustomerForm");
    Make<TTourokuForm>("TTourokuForm");
    Make<TCarInfoForm>("TCarInfoForm");
    Make<TCarInfoUpdateForm>("TCarInfoUpdateForm");
    main->UpdateMenuButtons();
    return main;
}

std::vector<std::pair<std::string, QWidget*>> AllForms() { return Created(); }

void DestroyAllForms() {
    auto& forms = Created();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        delete it->second;
    }
    forms.clear();
    Forms() = FormRegistry{};
}

} // namespace vanto
