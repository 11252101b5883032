// The inspection reminder: whose next inspection falls in a period of months, read from every vehicle profile
// of the register each time the form is shown, with the dates that could not be read beside it; saved as CSV for
// postcard software and printed as a list. Writes nothing to the register.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "inspection/InspectionList.h"

#include <QWidget>

#include <vector>

class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;

namespace vanto {
class TextTableModel;
}

class InspectionReminderForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit InspectionReminderForm(const vanto::FormContext& context);
    ~InspectionReminderForm() override;

    // The main menu it returns to.
    void Connect(QWidget* mainMenu) { mainMenu_ = mainMenu; }

    // Reads the register again and lists the chosen period (next month on the first showing).
    void FormShow() override;

private:
    vanto::YearMonth FromMonth() const;
    vanto::YearMonth ToMonth() const;
    void ListPeriod();
    void ChangePeriod(QDateEdit* edited);
    void SaveCsv();
    void PrintList();
    void ReturnToMainMenu();

    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    std::vector<vanto::DatedVehicle> vehicles_;
    std::vector<vanto::DatedVehicle> due_;
    bool periodChosen_ = false;

    QDateEdit* fromMonthEdit_ = nullptr;
    QDateEdit* toMonthEdit_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QTableView* dueTable_ = nullptr;
    QTableView* unreadableTable_ = nullptr;
    QPushButton* csvButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    vanto::TextTableModel* dueModel_ = nullptr;
    vanto::TextTableModel* unreadableModel_ = nullptr;
};
