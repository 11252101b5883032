#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace vanto::test {

DialogAnswer ScriptedDialogs::Message(DialogIcon icon, const std::string& text, DialogButtons buttons) {
    messages_.push_back({icon, text, buttons});
    if (buttons == DialogButtons::Ok) {
        return DialogAnswer::Ok;
    }
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return DialogAnswer::Cancel;
    }
    const DialogAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    if (files_.empty()) {
        return std::nullopt;
    }
    auto path = files_.front();
    files_.pop_front();
    return path;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogOptions& options) { return SaveFile(options); }

std::vector<std::string> ScriptedDialogs::OpenFiles(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    if (fileLists_.empty()) {
        return {};
    }
    auto paths = fileLists_.front();
    fileLists_.pop_front();
    return paths;
}

std::optional<std::string> ScriptedDialogs::BrowseFolder(const std::string& title) {
    FileDialogOptions options;
    options.title = title;
    return SaveFile(options);
}

std::vector<std::string> ScriptedDialogs::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages_) {
        texts.push_back(m.text);
    }
    return texts;
}

void ScriptedDialogs::Clear() {
    messages_.clear();
    fileDialogs_.clear();
}

} // namespace vanto::test
