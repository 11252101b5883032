// An exception that escapes an event handler is shown as an error with its message, and the program goes on.
#include "common/ui/Application.h"

#include "support/ScriptedDialogs.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

using namespace vanto;
using namespace vanto::test;

namespace {

struct EscapeCase {
    const char* name;
    bool fromTimer; // else from a click
    std::function<void()> raise;
    std::string text;
};
void PrintTo(const EscapeCase& c, std::ostream* os) {
    *os << c.name;
}

class EscapedException : public ::testing::TestWithParam<EscapeCase> {
protected:
    void SetUp() override { previous_ = Application::Instance()->SetExceptionDialogs(&dialogs); }
    void TearDown() override { Application::Instance()->SetExceptionDialogs(previous_); }

    ScriptedDialogs dialogs;

private:
    Dialogs* previous_ = nullptr;
};

TEST_P(EscapedException, IsShownAndLaterEventsAreHandled) {
    const EscapeCase& c = GetParam();
    QPushButton button("実行");
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        if (++clicks == 1 && !c.fromTimer) {
            c.raise();
        }
    });
    // The button releases itself from a timer, so the exception leaves its click handler inside an event as a
    // user's click does. (A made-up mouse event would too, but the Qt frames it leaves through do not free that
    // event's points, which the leak check then reports.)
    if (c.fromTimer) {
        QTimer::singleShot(0, c.raise);
    } else {
        button.animateClick();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.Messages().empty(); }, 5000));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].icon, DialogIcon::Error);
    EXPECT_EQ(dialogs.Messages()[0].text, c.text);
    EXPECT_EQ(dialogs.Messages()[0].buttons, DialogButtons::Ok);

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, c.fromTimer ? 1 : 2);
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return fired; }, 5000));
    EXPECT_EQ(dialogs.Messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, EscapedException,
    ::testing::Values(
        EscapeCase{"MessageFromAClick", false, [] { throw std::runtime_error("ファイルが壊れています"); },
                   "ファイルが壊れています"},
        EscapeCase{"MessageFromATimer", true, [] { throw std::length_error("vector::reserve"); }, "vector::reserve"},
        EscapeCase{"OutOfMemory", false, [] { throw std::bad_alloc(); },
                   "メモリが足りないため、この操作を中止しました。"},
        EscapeCase{"NoMessage", true, [] { throw 42; }, "予期しないエラーのため、この操作を中止しました。"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
