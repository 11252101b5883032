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

std::optional<std::string> ScriptedDialogs::NextFile() {
    if (files_.empty()) {
        return std::nullopt;
    }
    auto path = files_.front();
    files_.pop_front();
    return path;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    return NextFile();
}

std::optional<std::string> ScriptedDialogs::OpenFile(const FileDialogOptions& options) {
    return SaveFile(options);
}

std::vector<std::string> ScriptedDialogs::OpenFiles(const FileDialogOptions& options) {
    fileDialogs_.push_back(options);
    if (fileLists_.empty()) {
        return {};
    }
    auto paths = fileLists_.front();
    fileLists_.pop_front();
    return paths;
}

std::optional<std::string> ScriptedDialogs::BrowseFolder(const FolderDialogOptions& options) {
    folderDialogs_.push_back(options);
    return NextFile();
}

int ScriptedDialogs::Choose(DialogIcon icon, const std::string& caption, const std::string& text,
                            const std::vector<std::string>& buttons) {
    shownChoices_.push_back({icon, caption, text, buttons});
    if (choices_.empty()) {
        ADD_FAILURE() << "unexpected choice: " << text;
        return -1;
    }
    const int choice = choices_.front();
    choices_.pop_front();
    return choice;
}

std::optional<PrintTarget> ScriptedDialogs::Print(const PrintDialogOptions& options) {
    printDialogs_.push_back(options);
    if (prints_.empty()) {
        return std::nullopt;
    }
    auto target = prints_.front();
    prints_.pop_front();
    return target;
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
    folderDialogs_.clear();
    shownChoices_.clear();
    printDialogs_.clear();
}

} // namespace vanto::test
