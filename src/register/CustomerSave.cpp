#include "register/CustomerSave.h"

#include <algorithm>

namespace vanto {

CustomerSaveDecision DecideCustomerSave(bool newEntry, const std::vector<std::string>& list, const std::string& name,
                                        int selected, const std::string& selectedName) {
    const auto equal = std::find(list.begin(), list.end(), name);
    const int equalLine = equal == list.end() ? -1 : static_cast<int>(equal - list.begin());
    if (newEntry) {
        if (equalLine >= 0) {
            return {CustomerSaveKind::Duplicate, {}};
        }
        return {CustomerSaveKind::New, name + "様の <<新規登録>> を行います、よろしいですか？"};
    }
    if (equalLine >= 0) {
        if (equalLine != selected) {
            return {CustomerSaveKind::Duplicate, {}};
        }
        return {CustomerSaveKind::Update, name + "様の <<更新>> を行います、よろしいですか？"};
    }
    if (selected < 0) {
        return {CustomerSaveKind::NoCustomer, {}};
    }
    return {CustomerSaveKind::Rename,
            name + "様（[旧]" + selectedName + "様）の <<更新>> を行います、よろしいですか？"};
}

} // namespace vanto
