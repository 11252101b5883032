#include "register/ui/RegisterUi.h"

#include "common/DashField.h"
#include "common/ui/FormContext.h"
#include "common/ui/FormHelpers.h"
#include "register/VehicleExport.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSizePolicy>

namespace vanto {

namespace {
constexpr int PlaceholderRole = Qt::UserRole + 1;
}

Register RegisterOf(const FormContext& context) {
    const WorkingPaths& paths = context.Paths();
    return Register(paths.CustomerRoot, paths.VisitorFile, paths.ExeDir);
}

void LoadCustomerSelector(QComboBox* combo, const Register& reg) {
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(ToQStringList(reg.CustomerNames().value_or(std::vector<std::string>())));
    combo->setCurrentIndex(-1);
}

void ShowNoCustomersEntry(QComboBox* combo) {
    combo->clear();
    combo->addItem(QString::fromUtf8(NoDataPlaceholder));
    combo->setItemData(0, true, PlaceholderRole);
    combo->setCurrentIndex(0);
}

bool HasCustomers(const QComboBox* combo) {
    return combo->count() > 0 && !combo->itemData(0, PlaceholderRole).toBool();
}

void ShowContact(const CustomerProfile& profile, const ContactFields& fields) {
    for (int part = 0; part < 3; ++part) {
        fields.Tel[part]->setText(Q(DashField(profile.Tel, part + 1)));
        fields.Mobile[part]->setText(Q(DashField(profile.Handy, part + 1)));
    }
    for (int part = 0; part < 2; ++part) {
        fields.Post[part]->setText(Q(DashField(profile.PostNo, part + 1)));
    }
    fields.Address->setText(Q(profile.Address));
}

} // namespace vanto
