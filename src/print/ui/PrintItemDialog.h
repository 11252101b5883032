// The item selection dialog: the lines of one stored record with check boxes; the print setup shows it modally
// to choose which lines of a slot's record the sheet prints.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "print/PrintSlots.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

class PrintItemDialog : public vanto::FormBase<QDialog> {
    Q_OBJECT
public:
    explicit PrintItemDialog(const vanto::FormContext& context);

    // Lists the record's lines with the slot's chosen lines checked.
    void Load(const vanto::ItemChoice& choice);
    // Loads the lines and shows the dialog modally: the checks on "完　了", nothing on "キャンセル".
    std::optional<std::vector<bool>> Choose(const vanto::ItemChoice& choice);
    // The check of every listed line, in list order.
    std::vector<bool> Checks() const;

    void FormShow() override;

private:
    void ClearAllChecks();
    void CheckAllLines();
    void SetAll(bool checked);

    QListWidget* itemList_ = nullptr;
    QPushButton* clearAllButton_ = nullptr;
    QPushButton* checkAllButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
