// The wait dialog and the transfer driver: a tester job runs whole inside the first tick of its timer.
#pragma once

#include "common/ui/FormBase.h"
#include "common/ui/FormContext.h"

#include <QDialog>

#include <functional>
#include <map>

class QLabel;
class QTimer;

class WaitDialog : public vanto::FormBase<QDialog> {
    Q_OBJECT
public:
    // `mainForm` is repainted when a connection starts, as the user sees it while the tester is probed.
    WaitDialog(const vanto::FormContext& context, QWidget* mainForm);
    ~WaitDialog() override;

    // A job runs on the open link and fills the form that presents its result. It returns true when it
    // leaves the link open for that form (the form closes it), false to end with the common end.
    using JobFunction = std::function<bool()>;
    // Gives the caller's form back to the user when the link was not opened.
    using HandBackFunction = std::function<void()>;
    // Forms that present a job's result register it here, with their hand-back.
    void RegisterJob(vanto::TesterJob job, JobFunction function, HandBackFunction handBack);

    // Starts the job: sets the pending job and starts the timer without showing the dialog (jobs 1 and 2).
    void StartJob(vanto::TesterJob job);
    // Starts the job by showing the dialog, which starts the timer (job 4); RunModal shows it modally (job 3)
    // and returns its result.
    void ShowForJob(vanto::TesterJob job);
    // Shows the dialog only to say that the tester is busy with work its caller does itself: no timer, no job.
    void ShowBusy();
    int RunModal(vanto::TesterJob job);

    // The result RunModal returns once the job ends (job 3: 1 when every value was written, 2 otherwise).
    void SetJobResult(int result);

    // Sets the label to the waiting text followed by " k / n" and repaints: the progress of a job of n steps.
    void ShowProgress(int done, int total);

    // True while the timer's tick that runs the pending job is still to come.
    bool PollPending() const;

    void FormShow() override;

private:
    // The timer's tick: runs the pending job, or hands back to the caller when the link is not open.
    void PollTick();
    // Hides the dialog, clears the pending job and closes the link.
    void CommonEnd();

    struct Registered {
        JobFunction run;
        HandBackFunction handBack;
    };
    bool RunJob(const Registered& job);

    QLabel* messageLabel_ = nullptr;
    QTimer* pollTimer_ = nullptr;
    vanto::FormContext context_;
    bool busyOnly_ = false;
    std::map<vanto::TesterJob, Registered> jobs_;
};
