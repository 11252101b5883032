// The wait dialog and the transfer driver: a tester job runs whole inside the first tick of its timer.
#pragma once

#include <QDialog>

#include <functional>
#include <map>

class QLabel;
class QTimer;

class TComWaitForm : public QDialog {
    Q_OBJECT
public:
    TComWaitForm();
    ~TComWaitForm() override;

    // The job numbers of PendingJob.
    enum Job { NoJob = 0, RecordDirectoryJob = 1, ReferenceListJob = 2, ReferenceWriteJob = 3, ContinuousJob = 4 };

    // A job runs on the open link and fills the form that presents its result. It returns true when it
    // leaves the link open for that form (the form closes it), false to end with the common end.
    using JobFunction = std::function<bool()>;
    // Gives the caller's form back to the user when the link was not opened.
    using HandBackFunction = std::function<void()>;
    // Forms that present a job's result register it here, with their hand-back.
    void RegisterJob(int job, JobFunction function, HandBackFunction handBack);

    // Starts the timer without showing the dialog (jobs 1 and 2).
    void StartTimer();

    // The timer's tick: runs the pending job, or hands back to the caller when the link is not open.
    void Timer1Timer();
    // Hides the dialog, clears the pending job and closes the link.
    void CommonEnd();

    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Registered {
        JobFunction run;
        HandBackFunction handBack;
    };
    std::map<int, Registered> jobs_;
};
