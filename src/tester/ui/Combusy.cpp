#include "tester/ui/Combusy.h"

#include "app/ui/Vantomain.h"
#include "common/ui/FormHelpers.h"
#include "common/ui/Forms.h"
#include "tester/TesterLink.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

using namespace vanto;

namespace {
const char* const WaitText = "ただいま通信中です。しばらくお待ちください。";
}

TComWaitForm::TComWaitForm()
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("ComWaitForm");
    setWindowTitle("通信中・・・");
    setFont(FixedFont(12));
    Label1 = new QLabel(QString::fromUtf8(WaitText), this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(ProportionalFont(16));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(Label1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TComWaitForm::Timer1Timer);

    Forms().ComWaitForm = this;
    // The reference-value list is started from the menu, which hides the main form: give it back.
    RegisterJob(
        ReferenceListJob, nullptr, [] {
            Forms().MainForm->show();
            Forms().MainForm->setEnabled(true);
        });
    TesterLink& link = *Forms().MainForm->Link;
    // Between polls only this dialog is repainted (no user input is processed), a few times a second.
    auto sincePaint = std::make_shared<QElapsedTimer>();
    sincePaint->start();
    link.PollHook = [this, sincePaint] {
        if (isVisible() && sincePaint->elapsed() >= 50) {
            repaint();
            sincePaint->restart();
        }
    };
    link.ConnectHook = [this] {
        if (Forms().MainForm) {
            Forms().MainForm->repaint();
        }
        setEnabled(true);
    };
}

TComWaitForm::~TComWaitForm() {
    if (Forms().MainForm && Forms().MainForm->Link) {
        Forms().MainForm->Link->PollHook = nullptr;
        Forms().MainForm->Link->ConnectHook = nullptr;
    }
    if (Forms().ComWaitForm == this) {
        Forms().ComWaitForm = nullptr;
    }
}

void TComWaitForm::RegisterJob(int job, JobFunction function, HandBackFunction handBack) {
    jobs_[job] = {std::move(function), std::move(handBack)};
}

void TComWaitForm::StartTimer() { Timer1->start(); }

void TComWaitForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        CenterOnScreen(this);
        raise();
        activateWindow();
        Timer1->start();
    }
}

void TComWaitForm::Timer1Timer() {
    Timer1->stop();
    Label1->setText(QString::fromUtf8(WaitText));
    TTestMainForm* main = Forms().MainForm;
    const auto found = jobs_.find(main->PendingJob);
    const Registered* job = found != jobs_.end() ? &found->second : nullptr;
    if (main->Link->LinkOpen != 1) {
        if (job && job->handBack) {
            job->handBack();
        }
    } else if (job && job->run && job->run()) {
        return; // the form the job showed keeps the link and closes it
    }
    CommonEnd();
}

void TComWaitForm::CommonEnd() {
    hide();
    TTestMainForm* main = Forms().MainForm;
    main->PendingJob = NoJob;
    main->Link->CloseLink();
}
