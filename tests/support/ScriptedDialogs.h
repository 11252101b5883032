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

class ScriptedDialogs final : public Dialogs {
public:
    // Answers for questions (OK and Cancel), in order; a question without a queued answer fails the test.
    void QueueAnswer(DialogAnswer answer) { answers_.push_back(answer); }
    // Results for file and folder dialogs, in order; nothing queued means cancelled.
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    void QueueFiles(std::vector<std::string> paths) { fileLists_.push_back(std::move(paths)); }

    DialogAnswer Message(DialogIcon icon, const std::string& text, DialogButtons buttons) override;
    std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
    std::vector<std::string> OpenFiles(const FileDialogOptions& options) override;
    std::optional<std::string> BrowseFolder(const std::string& title) override;

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    std::vector<std::string> Texts() const;
    const std::vector<FileDialogOptions>& FileDialogs() const { return fileDialogs_; }
    void Clear();
    bool AllAnswersUsed() const { return answers_.empty() && files_.empty() && fileLists_.empty(); }

private:
    std::deque<DialogAnswer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::vector<std::string>> fileLists_;
    std::vector<ShownMessage> messages_;
    std::vector<FileDialogOptions> fileDialogs_;
};

} // namespace vanto::test
