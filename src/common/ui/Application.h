// The application object, and the one place where an exception that escapes an event handler is caught: its
// message is shown as an error and the program goes on, as a desktop framework's default exception dialog does.
// Every handler runs inside an event, so this catches whatever a handler lets through (a file too large for
// memory, a fault in a form) instead of ending the program with the user's work.
#pragma once

#include <QApplication>

#include <string>

namespace vanto {

class Dialogs;

// Texts of the exception dialog for exceptions that carry no message a user can read.
inline constexpr const char* OutOfMemoryText = "メモリが足りないため、この操作を中止しました。";
inline constexpr const char* UnknownExceptionText = "予期しないエラーのため、この操作を中止しました。";

class Application final : public QApplication {
public:
    Application(int& argc, char** argv);

    // The running application, or nullptr when the QApplication is not one of these.
    static Application* Instance();

    // Where an escaped exception is shown; without dialogs it goes to the error stream. Returns the previous ones.
    Dialogs* SetExceptionDialogs(Dialogs* dialogs);

    bool notify(QObject* receiver, QEvent* event) override;

    // Inside a catch block: shows the exception being handled as notify() does. Program entry uses it for an
    // exception that escapes form creation or the loop, after which the program ends.
    void ShowCurrentException();

private:
    void ShowException(const std::string& text);

    Dialogs* dialogs_ = nullptr;
    bool showing_ = false;
};

} // namespace vanto
