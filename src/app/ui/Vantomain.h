// The main form: the home screen with its five buttons, and the owner of everything the forms share
// (working paths, the tester link, the pending job, the dialogs and the clock).
#pragma once

#include "app/WorkingPaths.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QPushButton;
class QFrame;

namespace vanto {
class Dialogs;
class Clock;
class TesterLink;

struct StartupOptions {
    std::string ExeDir;      // the program's folder, with a trailing separator
    std::string ExeFileName; // the program's file name
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
};
} // namespace vanto

class TTestMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TTestMainForm(const vanto::StartupOptions& options);
    ~TTestMainForm() override;

    // Shared state. Paths are recomputed on every show.
    vanto::WorkingPaths Paths;
    std::string TesterName;
    int PendingJob = 0;
    // The tester link with its handles, flags and transfer buffers.
    std::unique_ptr<vanto::TesterLink> Link;

    // The folder that could not be created at construction, if any: the program cannot run without it.
    std::optional<std::string> ConstructionError;

    vanto::Dialogs& Dialogs() const { return *dialogs_; }
    const vanto::Clock& Clock() const { return *clock_; }

    // Runs the show steps: model title, paths, bootstrap files (and the legacy conversion once).
    void FormShow();

    // Enables the menu buttons whose forms exist.
    void UpdateMenuButtons();

    QFrame* Panel1 = nullptr;
    QPushButton* GeMonitorDataBTN = nullptr;
    QPushButton* ref_sub_BTN = nullptr;
    QPushButton* continuation_BTN = nullptr;
    QPushButton* setvantoBTN = nullptr;
    QPushButton* Button5 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenFunction(QWidget* form);

    vanto::Dialogs* dialogs_;
    vanto::Clock* clock_;
    std::string exeFileName_;
};
