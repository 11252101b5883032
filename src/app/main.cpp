// Program entry: the application with its title, the forms in their fixed order, the message loop.
#include "app/WorkingPaths.h"
#include "app/ui/FormSet.h"
#include "common/Clock.h"
#include "common/Paths.h"
#include "common/ui/Application.h"
#include "common/ui/FormHelpers.h"
#include "common/ui/QtDialogs.h"

int main(int argc, char* argv[]) {
    vanto::QtDialogs dialogs; // outlives the application, which shows an escaped exception with it
    vanto::Application application(argc, argv);
    application.SetExceptionDialogs(&dialogs);
    QCoreApplication::setApplicationName(QString::fromUtf8(vanto::EntryTitle));

    vanto::AddShippedFontsWhereMissing(vanto::ExecutableFolder());

    vanto::SystemClock clock;
    const vanto::StartupOptions options{vanto::ExecutableFolder(), vanto::ExecutableFileName(), &dialogs, &clock};
    // An exception that escapes form creation or the loop itself is shown, and the program ends.
    try {
        MainForm* main = vanto::CreateAllForms(options);
        if (main->ConstructionError) {
            dialogs.Show(vanto::DialogIcon::Error,
                         "データフォルダ「" + *main->ConstructionError +
                             "」を作成できません。\n設定ファイル VANTO_DATA.ini を確認して下さい。");
            vanto::DestroyAllForms();
            return 1;
        }
        main->show();
        const int result = vanto::Application::exec();
        vanto::DestroyAllForms();
        return result;
    } catch (...) {
        application.ShowCurrentException();
        return 1;
    }
}
