// What the register's forms share: the register of the running program, the customer selector and the
// customer's contact fields.
#pragma once

#include "common/ui/FormHelpers.h"
#include "register/Register.h"

#include <QString>

#include <string>

class QComboBox;
class QLineEdit;

namespace vanto {
class FormContext;

// The caption of a new-entry toggle while new-entry mode is on.
inline constexpr const char* CancelEntryText = "登録取消";

// The register below the program's current working paths.
Register RegisterOf(const FormContext& context);

// Fills a customer selector with the lines of the customer list, leaving no entry selected (a missing list
// leaves it empty).
void LoadCustomerSelector(QComboBox* combo, const Register& reg);

// The entry a customer selector shows when the register has no customer: "データは登録されていません。",
// marked so that it is never taken for a customer.
void ShowNoCustomersEntry(QComboBox* combo);
// False when the selector is empty or only shows the no-customers entry.
bool HasCustomers(const QComboBox* combo);

// The entry or display fields of a customer's contact data.
struct ContactFields {
    QLineEdit* Tel[3];
    QLineEdit* Mobile[3];
    QLineEdit* Post[2];
    QLineEdit* Address;
};
// Shows a customer profile's telephone, mobile and postal parts (split at "-") and address in the fields.
void ShowContact(const CustomerProfile& profile, const ContactFields& fields);

} // namespace vanto
