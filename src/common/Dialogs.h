// Every message box, question and file, folder or print dialog goes through this interface: the Qt
// implementation shows the real thing, tests answer from a script and check what was shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vanto {

enum class DialogIcon { Error, Warning, Information, Question };
enum class DialogButtons { Ok, OkCancel };
enum class DialogAnswer { Ok, Cancel };

struct FileDialogOptions {
    std::string title;
    std::string folder;            // initial folder (UTF-8), may be empty
    std::string fileName;          // proposed file name
    std::string filter;            // "テキストファイル|*.txt" style: description|pattern pairs
    std::string defaultExtension;  // without dot, added when the user types none
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with an icon; OK, or OK and Cancel. Anything but OK answers Cancel.
    virtual DialogAnswer Message(DialogIcon icon, const std::string& text, DialogButtons buttons) = 0;

    // File dialogs: the chosen full path (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> SaveFile(const FileDialogOptions& options) = 0;
    virtual std::optional<std::string> OpenFile(const FileDialogOptions& options) = 0;
    virtual std::vector<std::string> OpenFiles(const FileDialogOptions& options) = 0;

    // The shell's folder browser: the chosen folder, or nothing.
    virtual std::optional<std::string> BrowseFolder(const std::string& title) = 0;

    // Convenience for the common one-button messages.
    void Show(DialogIcon icon, const std::string& text) { Message(icon, text, DialogButtons::Ok); }
    bool Confirm(DialogIcon icon, const std::string& text) {
        return Message(icon, text, DialogButtons::OkCancel) == DialogAnswer::Ok;
    }
};

} // namespace vanto
