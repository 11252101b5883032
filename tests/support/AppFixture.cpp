#include "support/AppFixture.h"

#include "app/ui/FormSet.h"
#include "common/ui/Forms.h"

namespace vanto::test {

void AppFixture::TearDown() {
    DestroyAllForms();
    QCoreApplication::setApplicationName(QString::fromUtf8(EntryTitle));
    main = nullptr;
}

TTestMainForm* AppFixture::Start() {
    QCoreApplication::setApplicationName(QString::fromUtf8(EntryTitle));
    main = CreateAllForms(StartupOptions{folder.Dir(), "vantodesk", &dialogs, &clock});
    return main;
}

TTestMainForm* AppFixture::StartAndShow() {
    Start();
    main->show();
    ProcessEvents();
    return main;
}

void ProcessEvents() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

} // namespace vanto::test
