// The main form: the home screen with its six buttons, and the owner of everything the forms share (working
// paths, tester name, pending job, the tester link), which it hands to every form as a FormContext.
#pragma once

#include "app/WorkingPaths.h"
#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

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

class MainForm : public vanto::FormBase<QWidget> {
    Q_OBJECT
public:
    explicit MainForm(const vanto::StartupOptions& options);
    ~MainForm() override;

    // Shared state; the paths are recomputed on every show.
    vanto::SharedState State;
    // The tester link with its handles, flags and transfer buffers.
    std::unique_ptr<vanto::TesterLink> Link;

    // The folder that could not be created at construction, if any: the program cannot run without it.
    std::optional<std::string> ConstructionError;

    // What every other form is given when it is made.
    vanto::FormContext Context();

    // The forms the five menu buttons open; a function whose form is missing keeps its button disabled.
    struct Functions {
        QWidget* MonitorMenu = nullptr;
        QWidget* ReferenceMenu = nullptr;
        QWidget* ContinuousRecord = nullptr;
        QWidget* Settings = nullptr;
        QWidget* InspectionReminder = nullptr;
    };
    void SetFunctions(const Functions& functions);

    // Runs the show steps: model title, paths, bootstrap files (and the legacy conversion once).
    void FormShow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OpenFunction(QWidget* form);

    QFrame* menuPanel_ = nullptr;
    QPushButton* monitorDataButton_ = nullptr;
    QPushButton* referenceButton_ = nullptr;
    QPushButton* continuousRecordButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* inspectionReminderButton_ = nullptr;

    vanto::Dialogs* dialogs_;
    vanto::Clock* clock_;
    std::string exeFileName_;
    Functions functions_;
};
