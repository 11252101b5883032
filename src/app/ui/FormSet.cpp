#include "app/ui/FormSet.h"

#include "common/ui/Forms.h"

namespace vanto {

TTestMainForm* CreateAllForms(const StartupOptions& options) {
    auto* main = new TTestMainForm(options);
    main->UpdateMenuButtons();
    return main;
}

std::vector<std::pair<std::string, QWidget*>> AllForms() {
    std::vector<std::pair<std::string, QWidget*>> forms;
    auto add = [&](const char* name, QWidget* form) {
        if (form) {
            forms.emplace_back(name, form);
        }
    };
    const FormRegistry& f = Forms();
    add("TTestMainForm", f.MainForm);
    return forms;
}

void DestroyAllForms() {
    delete Forms().MainForm;
    Forms() = FormRegistry{};
}

} // namespace vanto
