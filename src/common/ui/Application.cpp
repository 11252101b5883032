#include "common/ui/Application.h"

#include "common/Dialogs.h"

#include <cstdio>
#include <exception>
#include <new>

namespace vanto {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application* Application::Instance() {
    return dynamic_cast<Application*>(QCoreApplication::instance());
}

Dialogs* Application::SetExceptionDialogs(Dialogs* dialogs) {
    Dialogs* previous = dialogs_;
    dialogs_ = dialogs;
    return previous;
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
    }
    return false;
}

void Application::ShowCurrentException() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        ShowException(OutOfMemoryText);
    } catch (const std::exception& exception) {
        const std::string text = exception.what();
        ShowException(text.empty() ? UnknownExceptionText : text);
    } catch (...) {
        ShowException(UnknownExceptionText);
    }
}

void Application::ShowException(const std::string& text) {
    // A handler that throws again while the message is up (a paint event, say) must not stack one message on the
    // next: that one goes to the error stream.
    if (!dialogs_ || showing_) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    showing_ = true;
    try {
        dialogs_->Show(DialogIcon::Error, text);
    } catch (...) {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    showing_ = false;
}

} // namespace vanto
