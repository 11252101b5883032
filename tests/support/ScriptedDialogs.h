// Dialogs for tests: records every dialog shown and answers from a queue.
#pragma once

#include "common/Dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vanto::test {

struct ShownMessage {
    DialogIcon icon;
    std::string text;
    DialogButtons buttons;
};

struct ShownChoice {
    DialogIcon icon;
    std::string caption;
    std::string text;
    std::vector<std::string> buttons;
};

class ScriptedDialogs final : public Dialogs {
public:
    // Answers for questions (OK and Cancel), in order; a question without a queued answer fails the test.
    void QueueAnswer(DialogAnswer answer) { answers_.push_back(answer); }
    // Results for file and folder dialogs, in order; nothing queued means cancelled.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    void QueueFiles(std::vector<std::string> paths) { fileLists_.push_back(std::move(paths)); }
    // The button index a choice box answers (-1: closed); a choice without a queued answer fails the test.
    void QueueChoice(int button) { choices_.push_back(button); }
    // The print dialog's result; nothing queued means cancelled.
    void QueuePrint(std::optional<PrintTarget> target) { prints_.push_back(std::move(target)); }

    DialogAnswer Message(DialogIcon icon, const std::string& text, DialogButtons buttons) override;
    std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
    std::vector<std::string> OpenFiles(const FileDialogOptions& options) override;
    std::optional<std::string> BrowseFolder(const FolderDialogOptions& options) override;
    int Choose(DialogIcon icon, const std::string& caption, const std::string& text,
               const std::vector<std::string>& buttons) override;
    std::optional<PrintTarget> Print(const PrintDialogOptions& options) override;

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    std::vector<std::string> Texts() const;
    const std::vector<FileDialogOptions>& FileDialogs() const { return fileDialogs_; }
    const std::vector<FolderDialogOptions>& FolderDialogs() const { return folderDialogs_; }
    const std::vector<ShownChoice>& Choices() const { return shownChoices_; }
    const std::vector<PrintDialogOptions>& PrintDialogs() const { return printDialogs_; }
    void Clear();
    bool AllAnswersUsed() const {
        return answers_.empty() && files_.empty() && fileLists_.empty() && choices_.empty() && prints_.empty();
    }

private:
    std::optional<std::string> NextFile();

    std::deque<DialogAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::vector<std::string>> fileLists_;
    std::deque<int> choices_;
    std::deque<std::optional<PrintTarget>> prints_;
    std::vector<ShownMessage> messages_;
    std::vector<FileDialogOptions> fileDialogs_;
    std::vector<FolderDialogOptions> folderDialogs_;
    std::vector<ShownChoice> shownChoices_;
    std::vector<PrintDialogOptions> printDialogs_;
};

} // namespace vanto::test
