#include "app/ui/MainForm.h"

#include "common/Clock.h"
#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "tester/TesterLink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace vanto;

namespace {
QPushButton* MenuButton(QWidget* parent, const char* objectName, const char* caption, int width, int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(objectName);
    button->setAccessibleName(button->text());
    button->setFixedSize(width, 57);
    button->setFont(ProportionalFont(fontPixels));
    return button;
}
} // namespace

MainForm::MainForm(const StartupOptions& options)
    : FormBase(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), dialogs_(options.dialogs),
      clock_(options.clock), exeFileName_(options.ExeFileName) {
    setObjectName("MainForm");
    setFont(FixedFont(11));

    // Construction: the folder configuration and the data folders.
    WorkingPaths& paths = State.Paths;
    paths.ExeDir = options.ExeDir;
    Link = std::make_unique<TesterLink>(*dialogs_, paths.ExeDir);
    ReadFolderConfig(paths);
    ConstructionError = CreateDataFolders(paths);
    if (!ConstructionError) {
        MoveDocumentFolder(paths);
    }

    menuPanel_ = new QFrame(this);
    menuPanel_->setObjectName("menuPanel");
    menuPanel_->setFrameShape(QFrame::Panel);
    menuPanel_->setFrameShadow(QFrame::Raised);
    monitorDataButton_ = MenuButton(menuPanel_, "monitorDataButton", "テスターよりモニタデータ読み込み", 480, 27);
    referenceButton_ = MenuButton(menuPanel_, "referenceButton", "参  考  値  管  理", 480, 27);
    continuousRecordButton_ = MenuButton(menuPanel_, "continuousRecordButton", "連 続 記 録 の 読 出 し", 480, 27);
    settingsButton_ = MenuButton(menuPanel_, "settingsButton", "プログラムの基本設定", 480, 27);
    exitButton_ = MenuButton(menuPanel_, "exitButton", "終　了", 177, 32);
    inspectionReminderButton_ = MenuButton(menuPanel_, "inspectionReminderButton", "車検案内", 480, 27);

    auto* grid = new QGridLayout(menuPanel_);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(10);
    grid->addWidget(monitorDataButton_, 0, 0);
    grid->addWidget(exitButton_, 0, 1);
    grid->addWidget(referenceButton_, 1, 0);
    grid->addWidget(continuousRecordButton_, 2, 0);
    grid->addWidget(settingsButton_, 3, 0);
    // Below the four, so the exit button keeps its place at the top right.
    grid->addWidget(inspectionReminderButton_, 4, 0);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(menuPanel_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(monitorDataButton_, &QPushButton::clicked, this, [this] {
        State.PendingJob = TesterJob::RecordDirectory;
        OpenFunction(functions_.MonitorMenu);
    });
    connect(referenceButton_, &QPushButton::clicked, this, [this] { OpenFunction(functions_.ReferenceMenu); });
    connect(continuousRecordButton_, &QPushButton::clicked, this,
            [this] { OpenFunction(functions_.ContinuousRecord); });
    connect(settingsButton_, &QPushButton::clicked, this, [this] { OpenFunction(functions_.Settings); });
    connect(inspectionReminderButton_, &QPushButton::clicked, this,
            [this] { OpenFunction(functions_.InspectionReminder); });
    SetFunctions({});
    setWindowTitle(QCoreApplication::applicationName());
    adjustSize();
    CenterOnScreen(this);
}

MainForm::~MainForm() = default;

FormContext MainForm::Context() {
    return FormContext(State, *Link, *dialogs_, *clock_);
}

void MainForm::SetFunctions(const Functions& functions) {
    functions_ = functions;
    monitorDataButton_->setEnabled(functions_.MonitorMenu != nullptr);
    referenceButton_->setEnabled(functions_.ReferenceMenu != nullptr);
    continuousRecordButton_->setEnabled(functions_.ContinuousRecord != nullptr);
    settingsButton_->setEnabled(functions_.Settings != nullptr);
    inspectionReminderButton_->setEnabled(functions_.InspectionReminder != nullptr);
}

void MainForm::FormShow() {
    State.TesterName = "テスター";
    if (auto title = ModelTitle(State.Paths.ExeDir)) {
        QCoreApplication::setApplicationName(QString::fromStdString(*title));
    }
    setWindowTitle(QCoreApplication::applicationName());
    Link->PipeInterface = 0;
    ComposePaths(State.Paths, exeFileName_);
    CreateBootstrapFiles(State.Paths);
}

void MainForm::closeEvent(QCloseEvent* event) {
    // The link is closed once more at exit when a tester was ever reached (harmless when already closed).
    if (Link->LinkUsed == 1) {
        Link->CloseLink();
    }
    event->accept();
    QApplication::quit();
}

void MainForm::OpenFunction(QWidget* form) {
    if (!form) {
        return;
    }
    hide();
    form->show();
}
