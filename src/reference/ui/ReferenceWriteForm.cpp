#include "reference/ui/ReferenceWriteForm.h"

#include "common/Dialogs.h"
#include "common/ui/FormHelpers.h"
#include "reference/ReferenceFiles.h"
#include "reference/ReferenceJobs.h"
#include "reference/ReferenceTexts.h"
#include "tester/TesterLink.h"
#include "tester/ui/WaitDialog.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>
#include <QVBoxLayout>

using namespace vanto;

namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    QPushButton* button = MakeButton(parent, name, caption, 16);
    button->setMinimumSize(150, 40);
    return button;
}

enum JobResult : int { AllWritten = 1, Stopped = 2 };

} // namespace

ReferenceWriteForm::ReferenceWriteForm(const FormContext& context)
    : FormBase(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), context_(context) {
    setObjectName("RefDataWriteForm");
    setWindowTitle("パソコンよりテスターへ参考値書込み、表示");
    setFont(FixedFont(13));

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    auto* files = new QGroupBox("選択された参考値ファイル", Panel1);
    ListBox1 = new QListWidget(files);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setAccessibleName(files->title());
    ListBox1->setMinimumSize(640, 90);
    ListBox1->setMaximumHeight(110);
    (new QVBoxLayout(files))->addWidget(ListBox1);

    auto* info = new QGroupBox("参考値の車両情報", Panel1);
    info->setObjectName("GroupBox1");
    auto* grid = new QGridLayout(info);
    const char* names[] = {"Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10"};
    QLineEdit** fields[] = {&Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10};
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        auto* edit = new QLineEdit(info);
        const QString caption = QString::fromUtf8(InfoFieldCaptions[i]);
        SetupEdit(edit, names[i], caption);
        // Read only, not disabled: a long comment can still be scrolled and copied.
        edit->setReadOnly(true);
        edit->setMinimumWidth(i == InfoFieldCount - 1 ? 400 : i == 4 ? 120 : 260);
        grid->addWidget(new QLabel(caption, info), static_cast<int>(i), 0);
        grid->addWidget(edit, static_cast<int>(i), 1, Qt::AlignLeft);
        *fields[i] = edit;
    }
    grid->setRowStretch(static_cast<int>(InfoFieldCount), 1);

    auto* values = new QGroupBox(QString::fromUtf8(ValuesMemoCaption), Panel1);
    Memo1 = new QPlainTextEdit(values);
    Memo1->setObjectName("Memo1");
    Memo1->setAccessibleName(values->title());
    Memo1->setReadOnly(true);
    Memo1->setMinimumSize(260, 200);
    (new QVBoxLayout(values))->addWidget(Memo1);

    Button3 = Button(Panel1, "Button3", "参考値の選択");
    Button1 = Button(Panel1, "Button1", "書き込み実行");
    Button2 = Button(Panel1, "Button2", "戻　る");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button3);
    buttons->addWidget(Button1);
    buttons->addStretch();
    buttons->addWidget(Button2);

    auto* middle = new QHBoxLayout;
    middle->addWidget(info);
    middle->addWidget(values, 1);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(16, 16, 16, 16);
    panelLayout->setSpacing(12);
    panelLayout->addWidget(files);
    panelLayout->addLayout(middle);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Panel1);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &ReferenceWriteForm::ListBox1Click);
    connect(Button3, &QPushButton::clicked, this, &ReferenceWriteForm::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &ReferenceWriteForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &ReferenceWriteForm::Button2Click);
    Button1->setEnabled(false);
}

void ReferenceWriteForm::Connect(QWidget* menu, WaitDialog* wait) {
    menu_ = menu;
    wait_ = wait;
    if (wait_) {
        wait_->RegisterJob(
            TesterJob::ReferenceWrite, [this] { return ReferenceWriteJob(); }, nullptr);
    }
}

void ReferenceWriteForm::ShowFromMenu() {
    Button1->setEnabled(false);
    ListBox1->clear();
    ClearShown();
    show();
}

void ReferenceWriteForm::FormShow() {
    adjustSize();
    CenterOnScreen(this);
}

void ReferenceWriteForm::ClearShown() {
    for (QLineEdit* edit : Edits()) {
        edit->clear();
    }
    Memo1->clear();
}

std::vector<std::string> ReferenceWriteForm::PickedFiles() const {
    std::vector<std::string> paths;
    for (int i = 0; i < ListBox1->count(); ++i) {
        paths.push_back(S(ListBox1->item(i)->text()));
    }
    return paths;
}

void ReferenceWriteForm::Button3Click() {
    FileDialogOptions options;
    options.title = ReferenceOpenDialogTitle;
    options.folder = context_.Paths().OwnerDir;
    options.filter = ReferenceFileFilter;
    options.defaultExtension = ReferenceFileExtension;
    const std::vector<std::string> paths = context_.Dialogs().OpenFiles(options);
    if (!paths.empty()) {
        PickFiles(paths);
    }
}

// A new pick starts from nothing shown and writing off: the write button follows the files of this pick.
void ReferenceWriteForm::PickFiles(const std::vector<std::string>& paths) {
    Button1->setEnabled(false);
    ClearShown();
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(ToQStringList(paths));
        ListBox1->setCurrentRow(paths.empty() ? -1 : 0);
    }
    std::vector<std::string> broken;
    for (const auto& path : paths) {
        if (!IsValidReferenceFile(path)) {
            broken.push_back(path);
        }
    }
    if (!broken.empty()) {
        context_.Dialogs().Show(DialogIcon::Information, InvalidFilesText(broken));
        ListBox1->clear();
        Button1->setEnabled(false);
        return;
    }
    if (!paths.empty()) {
        ShowFile(paths.front());
    }
}

void ReferenceWriteForm::ListBox1Click() {
    const int row = ListBox1->currentRow();
    if (row >= 0) {
        ShowFile(S(ListBox1->item(row)->text()));
    }
}

// A file without a description shows nothing (not the description of the file shown before) and leaves the
// write button as it was.
void ReferenceWriteForm::ShowFile(const std::string& path) {
    const ReferenceFileView view = ReadReferenceFile(path);
    ClearShown();
    if (!view.HasInfo) {
        return;
    }
    const auto texts = view.Info.ToUtf8();
    for (std::size_t i = 0; i < InfoFieldCount; ++i) {
        Edits()[i]->setText(Q(texts[i]));
    }
    Button1->setEnabled(true);
    if (!view.ValueLines.empty()) {
        Memo1->hide();
        Memo1->setPlainText(ToQStringList(view.ValueLines).join('\n'));
        Memo1->show();
    }
}

void ReferenceWriteForm::Button1Click() {
    Dialogs& dialogs = context_.Dialogs();
    if (ListBox1->count() == 0) {
        dialogs.Show(DialogIcon::Information, NoFilePickedText);
        BackToMenu();
        return;
    }
    TesterLink& link = context_.Link();
    if (link.ConnectTester(context_.TesterName()) == LinkOk) {
        if (!SupportsReferenceValues(link)) {
            dialogs.Show(DialogIcon::Information, WriteCapabilityText());
        } else if (wait_) {
            hide();
            if (wait_->RunModal(TesterJob::ReferenceWrite) == AllWritten) {
                // The tester stores the last set before it takes the next command.
                QThread::msleep(1000);
                dialogs.Show(DialogIcon::Information, WriteCompleteText(context_.TesterName()));
            }
            wait_->hide();
        }
    }
    BackToMenu();
    link.CloseLink();
}

bool ReferenceWriteForm::ReferenceWriteJob() {
    const LinkReportWatch watch(context_.Link());
    const ReferenceWrite run =
        WriteReferenceFiles(context_.Link(), PickedFiles(), [this](std::size_t k, std::size_t n) {
            wait_->ShowProgress(static_cast<int>(k), static_cast<int>(n));
        });
    // One message per failure: the link's when it already told the user (an unplugged tester), else the job's.
    if (run.Stop != WriteStop::AllWritten && !watch.LinkReported()) {
        context_.Dialogs().Show(DialogIcon::Information, WriteStopText(run.Stop));
    }
    wait_->SetJobResult(run.Stop == WriteStop::AllWritten ? AllWritten : Stopped);
    return false;
}

void ReferenceWriteForm::Button2Click() {
    BackToMenu();
}

void ReferenceWriteForm::BackToMenu() {
    hide();
    if (menu_) {
        menu_->show();
    }
}
