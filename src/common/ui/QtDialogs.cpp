#include "common/ui/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace vanto {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

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
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace

DialogAnswer QtDialogs::Message(DialogIcon icon, const std::string& text, DialogButtons buttons) {
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case DialogIcon::Error:
        qtIcon = QMessageBox::Critical;
        break;
    case DialogIcon::Warning:
        qtIcon = QMessageBox::Warning;
        break;
    case DialogIcon::Information:
        qtIcon = QMessageBox::Information;
        break;
    case DialogIcon::Question:
        qtIcon = QMessageBox::Question;
        break;
    }
    QMessageBox box(qtIcon, QCoreApplication::applicationName(), Q(text),
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
    const QStringList files = RunFileDialog(options, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
    return files.isEmpty() ? std::nullopt : std::optional<std::string>(files.first().toStdString());
}

std::vector<std::string> QtDialogs::OpenFiles(const FileDialogOptions& options) {
    std::vector<std::string> chosen;
    for (const QString& file : RunFileDialog(options, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles)) {
        chosen.push_back(file.toStdString());
    }
    return chosen;
}

std::optional<std::string> QtDialogs::BrowseFolder(const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(QApplication::activeWindow(), Q(title));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder.toStdString();
}

} // namespace vanto
