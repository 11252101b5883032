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

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAccessibleName(button->text());
    button->setFont(ProportionalFont(fontPixels));
    button->setMinimumHeight(32);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* text) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QLabel* MakeHintLabel(QWidget* parent, const char* text) {
    QLabel* hint = MakeLabel(parent, text);
    hint->setObjectName("HintLabel");
    hint->setStyleSheet("color: red;");
    QSizePolicy keepPlace = hint->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keepPlace);
    hint->hide();
    return hint;
}

QLineEdit* MakeDisplayField(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = new QLineEdit(parent);
    SetupEdit(edit, name, accessibleName);
    SetEnabledLook(edit, false);
    return edit;
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

QHBoxLayout* DashRow(std::initializer_list<QLineEdit*> fields) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    bool first = true;
    for (QLineEdit* field : fields) {
        if (!first) {
            row->addWidget(new QLabel("-", field->parentWidget()));
        }
        row->addWidget(field);
        first = false;
    }
    row->addStretch();
    return row;
}

} // namespace vanto
