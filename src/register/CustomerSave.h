// What the customer form's confirm does with a name: register a new customer, update the selected one, rename
// it, or refuse; with the question it asks first.
#pragma once

#include <string>
#include <vector>

namespace vanto {

// Fixed texts of the customer forms.
inline constexpr const char* EnterCustomerNameMessage = "お客様名を入力してください。";
inline constexpr const char* NoCustomersMessage = "お客様の登録が有りません。";
inline constexpr const char* DuplicateCustomerMessage =
    "同じお客様名が存在しています。\n違うお客様名を入力して下さい。";

enum class CustomerSaveKind {
    New,       // a new customer
    Update,    // the selected customer, name unchanged
    Rename,    // the selected customer under a name that is not listed
    Duplicate, // refused: the name belongs to another listed customer
    NoCustomer // refused silently: a rename without a selected customer
};

struct CustomerSaveDecision {
    CustomerSaveKind kind = CustomerSaveKind::New;
    std::string question; // asked before saving (OK and Cancel); empty for a refusal
};

// `list` is the customer list as stored, `selected` the selector's index (-1 for none) and `selectedName` its
// text. Names compare exactly (case and width matter).
CustomerSaveDecision DecideCustomerSave(bool newEntry, const std::vector<std::string>& list, const std::string& name,
                                        int selected, const std::string& selectedName);

} // namespace vanto
