// The real dialogs: Qt message boxes and file dialogs.
#pragma once

#include "common/Dialogs.h"

namespace vanto {

class QtDialogs final : public Dialogs {
public:
    DialogAnswer Message(DialogIcon icon, const std::string& text, DialogButtons buttons) override;
    std::optional<std::string> SaveFile(const FileDialogOptions& options) override;
    std::optional<std::string> OpenFile(const FileDialogOptions& options) override;
    std::vector<std::string> OpenFiles(const FileDialogOptions& options) override;
    std::optional<std::string> BrowseFolder(const FolderDialogOptions& options) override;
    int Choose(DialogIcon icon, const std::string& caption, const std::string& text,
               const std::vector<std::string>& buttons) override;
    std::optional<PrintTarget> Print(const PrintDialogOptions& options) override;
};

} // namespace vanto
