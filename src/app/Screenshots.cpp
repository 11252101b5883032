// Writes a PNG of every form, rendered offscreen, into the folder given on the command line:
//   vantodesk-screenshots OUTDIR
#include "app/ui/FormSet.h"
#include "common/Clock.h"
#include "common/Dialogs.h"
#include "common/Paths.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {
// Dialogs that answer nothing: the screenshots must never block.
class SilentDialogs final : public vanto::Dialogs {
public:
    vanto::DialogAnswer Message(vanto::DialogIcon, const std::string&, vanto::DialogButtons) override {
        return vanto::DialogAnswer::Cancel;
    }
    std::optional<std::string> SaveFile(const vanto::FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> OpenFile(const vanto::FileDialogOptions&) override { return std::nullopt; }
    std::vector<std::string> OpenFiles(const vanto::FileDialogOptions&) override { return {}; }
    std::optional<std::string> BrowseFolder(const std::string&) override { return std::nullopt; }
};
} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QString::fromUtf8(vanto::EntryTitle));
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    QTemporaryDir dataDir;
    SilentDialogs dialogs;
    vanto::SystemClock clock;
    const vanto::StartupOptions options{vanto::WithTrailingSeparator(dataDir.path().toStdString()), "vantodesk",
                                        &dialogs, &clock};
    vanto::CreateAllForms(options);

    int written = 0;
    for (const auto& [name, form] : vanto::AllForms()) {
        form->show();
        QApplication::processEvents();
        const QString file = outDir + "/" + QString::fromStdString(name) + ".png";
        if (form->grab().save(file)) {
            std::printf("%s\n", file.toLocal8Bit().constData());
            ++written;
        }
        form->hide();
    }
    vanto::DestroyAllForms();
    return written > 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
