#include "common/ui/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>

namespace vanto {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// "テキストファイル|*.txt|すべて|*.*" becomes the Qt filter "テキストファイル (*.txt);;すべて (*.*)".
QString QtFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    }
    return filters.join(";;");
}

QString StartPath(const FileDialogOptions& options) {
    QString path = Q(options.folder);
    if (!options.fileName.empty()) {
        path = path.isEmpty() ? Q(options.fileName) : path + "/" + Q(options.fileName);
    }
    return path;
}

// Runs a file dialog; the chosen files, empty when cancelled.
QStringList RunFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode acceptMode,
                          QFileDialog::FileMode fileMode) {
    QFileDialog dialog(QApplication::activeWindow(), Q(options.title), StartPath(options), QtFilter(options.filter));
    dialog.setDefaultSuffix(Q(options.defaultExtension));
    // The forms ask about an existing file themselves (or replace it, as the program always did): the dialog does
    // not ask a second time.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QMessageBox::Icon QtIcon(DialogIcon icon) {
    switch (icon) {
    case DialogIcon::Error:
        return QMessageBox::Critical;
    case DialogIcon::Warning:
        return QMessageBox::Warning;
    case DialogIcon::Information:
        return QMessageBox::Information;
    case DialogIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::Information;
}

} // namespace

DialogAnswer QtDialogs::Message(DialogIcon icon, const std::string& text, DialogButtons buttons) {
    QMessageBox box(QtIcon(icon), QCoreApplication::applicationName(), Q(text),
                    buttons == DialogButtons::Ok ? QMessageBox::Ok : (QMessageBox::Ok | QMessageBox::Cancel),
                    QApplication::activeWindow());
    box.setObjectName("MessageDialog");
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) {
        cancel->setText("キャンセル");
    }
    return box.exec() == QMessageBox::Ok ? DialogAnswer::Ok : DialogAnswer::Cancel;
}

std::optional<std::string> QtDialogs::SaveFile(const FileDialogOptions& options) {
    const QStringList files = RunFileDialog(options, QFileDialog::AcceptSave, QFileDialog::AnyFile);
    return files.isEmpty() ? std::nullopt : std::optional<std::string>(files.first().toStdString());
}

std::optional<std::string> QtDialogs::OpenFile(const FileDialogOptions& options) {
    const QStringList files = RunFileDialog(options, QFileDialog::AcceptOpen,
                                            options.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    return files.isEmpty() ? std::nullopt : std::optional<std::string>(files.first().toStdString());
}

std::vector<std::string> QtDialogs::OpenFiles(const FileDialogOptions& options) {
    std::vector<std::string> chosen;
    for (const QString& file : RunFileDialog(options, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles)) {
        chosen.push_back(file.toStdString());
    }
    return chosen;
}

std::optional<std::string> QtDialogs::BrowseFolder(const FolderDialogOptions& options) {
    QFileDialog dialog(QApplication::activeWindow(), Q(options.title), Q(options.initialFolder));
    dialog.setObjectName("FolderDialog");
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the instruction and the accept caption need Qt's own
    if (!options.acceptCaption.empty()) {
        dialog.setLabelText(QFileDialog::Accept, Q(options.acceptCaption));
    }
    if (!options.instruction.empty()) {
        dialog.setLabelText(QFileDialog::LookIn, Q(options.instruction));
    }
    if (!options.initialFolder.empty()) {
        dialog.selectFile(Q(options.initialFolder));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first().toStdString();
}

int QtDialogs::Choose(DialogIcon icon, const std::string& caption, const std::string& text,
                      const std::vector<std::string>& buttons) {
    QMessageBox box(QtIcon(icon), Q(caption), Q(text), QMessageBox::NoButton, QApplication::activeWindow());
    box.setObjectName("ChoiceDialog");
    std::vector<QAbstractButton*> added;
    for (const std::string& label : buttons) {
        added.push_back(box.addButton(Q(label), QMessageBox::ActionRole));
    }
    box.exec();
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (box.clickedButton() == added[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<PrintTarget> QtDialogs::Print(const PrintDialogOptions& options) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(options.minPage, options.maxPage);
    dialog.setFromTo(options.fromPage, options.toPage);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    PrintTarget target;
    target.printerName = printer.printerName().toStdString();
    target.outputFile = printer.outputFileName().toStdString();
    target.copies = printer.copyCount();
    // The paper and orientation chosen in the dialog travel with the target; the job's printer takes them.
    const QPageLayout layout = printer.pageLayout();
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    PageSetup page;
    page.paperWidthMm = paper.width();
    page.paperHeightMm = paper.height();
    page.orientation =
        layout.orientation() == QPageLayout::Landscape ? PageOrientation::Landscape : PageOrientation::Portrait;
    page.marginLeftMm = margins.left();
    page.marginTopMm = margins.top();
    page.marginRightMm = margins.right();
    page.marginBottomMm = margins.bottom();
    target.page = page;
    return target;
}

} // namespace vanto
