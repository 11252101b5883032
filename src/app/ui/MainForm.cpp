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
QPushButton* MenuButton(QWidget* parent, const char* name, const char* caption, int width, int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAccessibleName(button->text());
    button->setFixedSize(width, 57);
    button->setFont(ProportionalFont(fontPixels));
    return button;
}
} // namespace

MainForm::MainForm(const StartupOptions& options)
    : FormBase(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), dialogs_(options.dialogs),
      clock_(options.clock), exeFileName_(options.ExeFileName) {
    setObjectName("TestMainForm");
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

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    GeMonitorDataBTN = MenuButton(Panel1, "GeMonitorDataBTN", "テスターよりモニタデータ読み込み", 480, 27);
    ref_sub_BTN = MenuButton(Panel1, "ref_sub_BTN", "参  考  値  管  理", 480, 27);
    continuation_BTN = MenuButton(Panel1, "continuation_BTN", "連 続 記 録 の 読 出 し", 480, 27);
    setvantoBTN = MenuButton(Panel1, "setvantoBTN", "プログラムの基本設定", 480, 27);
    Button5 = MenuButton(Panel1, "Button5", "終　了", 177, 32);

    auto* grid = new QGridLayout(Panel1);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(10);
    grid->addWidget(GeMonitorDataBTN, 0, 0);
    grid->addWidget(Button5, 0, 1);
    grid->addWidget(ref_sub_BTN, 1, 0);
    grid->addWidget(continuation_BTN, 2, 0);
    grid->addWidget(setvantoBTN, 3, 0);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Panel1);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button5, &QPushButton::clicked, this, &QWidget::close);
    connect(GeMonitorDataBTN, &QPushButton::clicked, this, [this] {
        State.PendingJob = TesterJob::RecordDirectory;
        OpenFunction(functions_.MonitorMenu);
    });
    connect(ref_sub_BTN, &QPushButton::clicked, this, [this] { OpenFunction(functions_.ReferenceMenu); });
    connect(continuation_BTN, &QPushButton::clicked, this, [this] { OpenFunction(functions_.Continuation); });
    connect(setvantoBTN, &QPushButton::clicked, this, [this] { OpenFunction(functions_.Settings); });
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
    GeMonitorDataBTN->setEnabled(functions_.MonitorMenu != nullptr);
    ref_sub_BTN->setEnabled(functions_.ReferenceMenu != nullptr);
    continuation_BTN->setEnabled(functions_.Continuation != nullptr);
    setvantoBTN->setEnabled(functions_.Settings != nullptr);
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
