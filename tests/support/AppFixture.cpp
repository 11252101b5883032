#include "support/AppFixture.h"

#include "app/ui/FormSet.h"

namespace vanto::test {

void AppFixture::TearDown() {
    // A queued answer that no dialog took means the form did not ask what the test expected it to ask.
    EXPECT_TRUE(dialogs.AllAnswersUsed()) << "answers queued for dialogs that were never shown";
    DestroyAllForms();
    QCoreApplication::setApplicationName(QString::fromUtf8(EntryTitle));
    main = nullptr;
}

MainForm* AppFixture::Start() {
    QCoreApplication::setApplicationName(QString::fromUtf8(EntryTitle));
    main = CreateAllForms(StartupOptions{folder.Dir(), "vantodesk", &dialogs, &clock});
    return main;
}

MainForm* AppFixture::StartAndShow() {
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
