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
    std::string folder;           // initial folder (UTF-8), may be empty
    std::string fileName;         // proposed file name
    std::string filter;           // "テキストファイル|*.txt" style: description|pattern pairs
    std::string defaultExtension; // without dot, added when the user types none
    bool mustExist = true;        // OpenFile: only existing files; false also takes a new name
};

// The folder browser: its window title, the instruction above the folder tree, the accept button's caption and
// the folder selected when it opens.
struct FolderDialogOptions {
    std::string title;
    std::string instruction;
    std::string acceptCaption;
    std::string initialFolder;
};

// The print dialog: the page range it offers.
struct PrintDialogOptions {
    int minPage = 1;
    int maxPage = 1;
    int fromPage = 1;
    int toPage = 1;
};

enum class PageOrientation { Portrait, Landscape };

// The page the print dialog set up: the paper's size standing upright, how it lies, and the margins kept free
// of print (left, top, right, bottom as the page lies), all in millimetres.
struct PageSetup {
    double paperWidthMm = 210;
    double paperHeightMm = 297;
    PageOrientation orientation = PageOrientation::Portrait;
    double marginLeftMm = 0;
    double marginTopMm = 0;
    double marginRightMm = 0;
    double marginBottomMm = 0;
};

// Where the user chose to print: a printer by name, or a PDF file (outputFile not empty), and on what page
// (nothing: the printer's own default page, A4 upright for a PDF file).
struct PrintTarget {
    std::string printerName;
    std::string outputFile;
    int copies = 1;
    std::optional<PageSetup> page;
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

    // The folder browser: the chosen folder, or nothing.
    virtual std::optional<std::string> BrowseFolder(const FolderDialogOptions& options) = 0;

    // A message whose buttons carry the caller's captions, titled `caption`: the index of the button pressed,
    // -1 when the box was closed without one.
    virtual int Choose(DialogIcon icon, const std::string& caption, const std::string& text,
                       const std::vector<std::string>& buttons) = 0;

    // The print dialog: the printer or PDF file chosen, or nothing when cancelled.
    virtual std::optional<PrintTarget> Print(const PrintDialogOptions& options) = 0;

    // Convenience for the common one-button messages.
    void Show(DialogIcon icon, const std::string& text) { Message(icon, text, DialogButtons::Ok); }
    bool Confirm(DialogIcon icon, const std::string& text) {
        return Message(icon, text, DialogButtons::OkCancel) == DialogAnswer::Ok;
    }
};

// Dialogs that show nothing and answer Cancel: for programs without a user (screenshots, benchmarks). A message
// is handed to `report` when one is given.
class SilentDialogs final : public Dialogs {
public:
    explicit SilentDialogs(void (*report)(const std::string& text) = nullptr) : report_(report) {}
    DialogAnswer Message(DialogIcon, const std::string& text, DialogButtons) override {
        if (report_) {
            report_(text);
        }
        return DialogAnswer::Cancel;
    }
    std::optional<std::string> SaveFile(const FileDialogOptions&) override { return std::nullopt; }
    std::optional<std::string> OpenFile(const FileDialogOptions&) override { return std::nullopt; }
    std::vector<std::string> OpenFiles(const FileDialogOptions&) override { return {}; }
    std::optional<std::string> BrowseFolder(const FolderDialogOptions&) override { return std::nullopt; }
    int Choose(DialogIcon, const std::string&, const std::string&, const std::vector<std::string>&) override {
        return -1;
    }
    std::optional<PrintTarget> Print(const PrintDialogOptions&) override { return std::nullopt; }

private:
    void (*report_)(const std::string& text);
};

} // namespace vanto
