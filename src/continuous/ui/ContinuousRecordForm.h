// The continuous-record form: downloads the tester's continuous record into a table (the wait dialog's job),
// keeps the table as a CSV file, shows a kept file again, and charts the table.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"
#include "continuous/ContinuousTable.h"

#include <QWidget>

class QPushButton;
class WaitDialog;
class ContinuousChartWindow;

namespace vanto {
class ContinuousGridView;
class ContinuousTableModel;
} // namespace vanto

class ContinuousRecordForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit ContinuousRecordForm(const vanto::FormContext& context);

    // The main menu it returns to, and the wait dialog that runs the download (registered there).
    void Connect(QWidget* mainMenu, WaitDialog* wait);

    // The download, run by the wait dialog on the open link; it shows this form again at its end. Always false:
    // the wait dialog's common end closes the link.
    bool ContinuousJob();

    // Shows a table as an opened file is shown.
    void ShowTable(vanto::ContinuousTable table);
    // The table shown.
    const vanto::ContinuousTable& Table() const;

    void FormShow() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void DownloadRecord();
    void SaveCsv();
    void OpenCsv();
    void OpenChart();
    void ReturnToMainMenu();

    vanto::ContinuousGridView* recordTable_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QPushButton* saveCsvButton_ = nullptr;
    QPushButton* openCsvButton_ = nullptr;
    QPushButton* chartButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    ContinuousChartWindow* chartWindow_ = nullptr;
    vanto::FormContext context_;
    QWidget* mainMenu_ = nullptr;
    WaitDialog* wait_ = nullptr;
    vanto::ContinuousTableModel* model_ = nullptr;
};
