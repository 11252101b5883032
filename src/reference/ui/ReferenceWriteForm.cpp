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
    setObjectName("ReferenceWriteForm");
    setWindowTitle("パソコンよりテスターへ参考値書込み、表示");
    setFont(FixedFont(13));

    filePanel_ = new QFrame(this);
    filePanel_->setObjectName("filePanel");
    filePanel_->setFrameShape(QFrame::Panel);
    filePanel_->setFrameShadow(QFrame::Raised);

    auto* files = new QGroupBox("選択された参考値ファイル", filePanel_);
    fileList_ = new QListWidget(files);
    fileList_->setObjectName("fileList");
    fileList_->setAccessibleName(files->title());
    fileList_->setMinimumSize(640, 90);
    fileList_->setMaximumHeight(110);
    (new QVBoxLayout(files))->addWidget(fileList_);

    auto* info = new QGroupBox("参考値の車両情報", filePanel_);
    info->setObjectName("infoBox");
    auto* grid = new QGridLayout(info);
    const char* names[] = {"vehicleNameEdit", "typeCodeEdit", "engineTypeEdit",
                           "modelYearEdit",   "mileageEdit",  "commentEdit"};
    QLineEdit** fields[] = {&vehicleNameEdit_, &typeCodeEdit_, &engineTypeEdit_,
                            &modelYearEdit_,   &mileageEdit_,  &commentEdit_};
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

    auto* values = new QGroupBox(QString::fromUtf8(ValuesMemoCaption), filePanel_);
    valuesMemo_ = new QPlainTextEdit(values);
    valuesMemo_->setObjectName("valuesMemo");
    valuesMemo_->setAccessibleName(values->title());
    valuesMemo_->setReadOnly(true);
    valuesMemo_->setMinimumSize(260, 200);
    (new QVBoxLayout(values))->addWidget(valuesMemo_);

    chooseFilesButton_ = Button(filePanel_, "chooseFilesButton", "参考値の選択");
    writeButton_ = Button(filePanel_, "writeButton", "書き込み実行");
    backButton_ = Button(filePanel_, "backButton", "戻　る");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chooseFilesButton_);
    buttons->addWidget(writeButton_);
    buttons->addStretch();
    buttons->addWidget(backButton_);

    auto* middle = new QHBoxLayout;
    middle->addWidget(info);
    middle->addWidget(values, 1);
    auto* panelLayout = new QVBoxLayout(filePanel_);
    panelLayout->setContentsMargins(16, 16, 16, 16);
    panelLayout->setSpacing(12);
    panelLayout->addWidget(files);
    panelLayout->addLayout(middle);
    panelLayout->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(filePanel_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(fileList_, &QListWidget::currentRowChanged, this, &ReferenceWriteForm::FileChosen);
    connect(chooseFilesButton_, &QPushButton::clicked, this, &ReferenceWriteForm::ChooseFiles);
    connect(writeButton_, &QPushButton::clicked, this, &ReferenceWriteForm::WriteAllFiles);
    connect(backButton_, &QPushButton::clicked, this, &ReferenceWriteForm::GoBack);
    writeButton_->setEnabled(false);
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
    writeButton_->setEnabled(false);
    fileList_->clear();
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
    valuesMemo_->clear();
}

std::vector<std::string> ReferenceWriteForm::PickedFiles() const {
    std::vector<std::string> paths;
    for (int i = 0; i < fileList_->count(); ++i) {
        paths.push_back(S(fileList_->item(i)->text()));
    }
    return paths;
}

void ReferenceWriteForm::ChooseFiles() {
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
    writeButton_->setEnabled(false);
    ClearShown();
    {
        const QSignalBlocker quiet(fileList_);
        fileList_->clear();
        fileList_->addItems(ToQStringList(paths));
        fileList_->setCurrentRow(paths.empty() ? -1 : 0);
    }
    std::vector<std::string> broken;
    for (const auto& path : paths) {
        if (!IsValidReferenceFile(path)) {
            broken.push_back(path);
        }
    }
    if (!broken.empty()) {
        context_.Dialogs().Show(DialogIcon::Information, InvalidFilesText(broken));
        fileList_->clear();
        writeButton_->setEnabled(false);
        return;
    }
    if (!paths.empty()) {
        ShowFile(paths.front());
    }
}

void ReferenceWriteForm::FileChosen() {
    const int row = fileList_->currentRow();
    if (row >= 0) {
        ShowFile(S(fileList_->item(row)->text()));
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
    writeButton_->setEnabled(true);
    if (!view.ValueLines.empty()) {
        valuesMemo_->hide();
        valuesMemo_->setPlainText(ToQStringList(view.ValueLines).join('\n'));
        valuesMemo_->show();
    }
}

void ReferenceWriteForm::WriteAllFiles() {
    Dialogs& dialogs = context_.Dialogs();
    if (fileList_->count() == 0) {
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

void ReferenceWriteForm::GoBack() {
    BackToMenu();
}

void ReferenceWriteForm::BackToMenu() {
    hide();
    if (menu_) {
        menu_->show();
    }
}
