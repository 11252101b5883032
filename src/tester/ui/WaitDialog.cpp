#include "tester/ui/WaitDialog.h"

#include "common/ui/FormHelpers.h"
#include "tester/TesterLink.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using namespace vanto;

WaitDialog::WaitDialog(const FormContext& context, QWidget* mainForm)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("WaitDialog");
    setWindowTitle("通信中・・・");
    setFont(FixedFont(12));
    messageLabel_ = new QLabel(QString::fromUtf8(WaitingText), this);
    messageLabel_->setObjectName("messageLabel");
    messageLabel_->setAlignment(Qt::AlignCenter);
    messageLabel_->setFont(ProportionalFont(16));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(messageLabel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    pollTimer_ = new QTimer(this);
    pollTimer_->setObjectName("pollTimer");
    pollTimer_->setInterval(200);
    connect(pollTimer_, &QTimer::timeout, this, &WaitDialog::PollTick);

    TesterLink& link = context_.Link();
    // Between polls only this dialog is repainted (no user input is processed), a few times a second.
    auto sincePaint = std::make_shared<QElapsedTimer>();
    sincePaint->start();
    link.PollHook = [this, sincePaint] {
        if (isVisible() && sincePaint->elapsed() >= 50) {
            repaint();
            sincePaint->restart();
        }
    };
    link.ConnectHook = [this, mainForm] {
        if (mainForm) {
            mainForm->repaint();
        }
        setEnabled(true);
    };
}

WaitDialog::~WaitDialog() {
    context_.Link().PollHook = nullptr;
    context_.Link().ConnectHook = nullptr;
}

void WaitDialog::RegisterJob(TesterJob job, JobFunction function, HandBackFunction handBack) {
    jobs_[job] = {std::move(function), std::move(handBack)};
}

void WaitDialog::StartJob(TesterJob job) {
    context_.State().PendingJob = job;
    pollTimer_->start();
}

void WaitDialog::ShowForJob(TesterJob job) {
    context_.State().PendingJob = job;
    show();
}

void WaitDialog::ShowBusy() {
    busyOnly_ = true;
    show();
    busyOnly_ = false;
    repaint();
}

int WaitDialog::RunModal(TesterJob job) {
    context_.State().PendingJob = job;
    return exec();
}

void WaitDialog::SetJobResult(int result) {
    setResult(result);
}

void WaitDialog::ShowProgress(int done, int total) {
    messageLabel_->setText(QString::fromUtf8(WaitingText) + QString(" %1 / %2").arg(done).arg(total));
    repaint();
}

bool WaitDialog::PollPending() const {
    return pollTimer_->isActive();
}

void WaitDialog::FormShow() {
    CenterOnScreen(this);
    raise();
    activateWindow();
    if (!busyOnly_) {
        pollTimer_->start();
    }
}

void WaitDialog::PollTick() {
    pollTimer_->stop();
    messageLabel_->setText(QString::fromUtf8(WaitingText));
    const auto found = jobs_.find(context_.State().PendingJob);
    const Registered* job = found != jobs_.end() ? &found->second : nullptr;
    if (context_.Link().LinkOpen != 1) {
        if (job && job->handBack) {
            job->handBack();
        }
    } else if (job && job->run && RunJob(*job)) {
        return; // the form the job showed keeps the link and closes it
    }
    CommonEnd();
}

bool WaitDialog::RunJob(const Registered& job) {
    try {
        return job.run();
    } catch (...) {
        // A job that throws still ends, and its caller's form comes back; the exception then goes on to the
        // application, which shows it. Otherwise the dialog would stay up with the link open (modal for job 3).
        CommonEnd();
        if (job.handBack) {
            job.handBack();
        }
        throw;
    }
}

void WaitDialog::CommonEnd() {
    hide();
    context_.State().PendingJob = TesterJob::None;
    context_.Link().CloseLink();
}
