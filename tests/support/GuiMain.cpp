// main() of the GUI tests: the program's application object on the offscreen platform, then every test.
#include "common/Dialogs.h"
#include "common/ui/Application.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    std::puts("Running main() of the GUI tests"); // the Wine runner tells a program that never started by this line
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    vanto::Application application(argc, argv);
    // An exception that escapes a handler fails the test that caused it (a test may show it with its own dialogs).
    vanto::SilentDialogs escaped(
        [](const std::string& text) { ADD_FAILURE() << "an exception escaped an event handler: " << text; });
    application.SetExceptionDialogs(&escaped);
    const int result = RUN_ALL_TESTS();
    application.SetExceptionDialogs(nullptr);
    return result;
}
