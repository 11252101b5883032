// A whole program for GUI tests: a fresh program folder, the forms created in their order, scripted dialogs
// and a fixed clock.
#pragma once

#include "app/ui/MainForm.h"
#include "support/FixedClock.h"
#include "support/ScriptedDialogs.h"
#include "support/TempFolder.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace vanto::test {

class AppFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Creates the forms with the temp folder as the program's folder; files the test prepared there are seen.
    MainForm* Start();
    // Creates and shows the main form (runs the show handler).
    MainForm* StartAndShow();

    TempFolder folder;
    ScriptedDialogs dialogs;
    FixedClock clock;
    MainForm* main = nullptr;
};

} // namespace vanto::test
