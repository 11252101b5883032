#include "core/Environment.h"

namespace ptrassist {

PlatformKind PlatformKindFromVersion(const std::optional<VersionInfo>& version) {
    if (!version) {
        return PlatformWin95;
    }
    if (version->Nt) {
        return version->Major > 4 ? PlatformWin2000 : PlatformNt4;
    }
    return version->Minor == 0 ? PlatformWin95 : PlatformWin98;
}

namespace {

bool EqualsUpper(std::string_view text, std::string_view upper) {
    if (text.size() != upper.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (c != upper[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

ProcessKind ProcessKindFromPath(std::string_view path) {
    size_t slash = path.find_last_of("\\/:");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    struct Known {
        std::string_view Name;
        ProcessKind Kind;
    };
    static constexpr Known known[] = {
        {"WINWORD", ProcessWinword},
        {"EXCEL", ProcessExcel},
        {"NETSCP6", ProcessNetscape6},
        {"RUNDLL32", ProcessRundll32},
    };
    for (const Known& k : known) {
        if (EqualsUpper(name, k.Name)) {
            return k.Kind;
        }
    }
    return ProcessOther;
}

uint32_t HooksWanted(const MouseSettingsBlock& settings, uint32_t platformKind) {
    uint32_t hooks = HookMouse;
    if (platformKind != PlatformWin95) {
        hooks |= HookMessageFilter;
    }
    if (settings.Nt4WheelHook != 0 && platformKind == PlatformNt4) {
        hooks |= HookWheel;
    }
    if (settings.ButtonCount > 3 && platformKind == PlatformWin2000) {
        hooks |= HookExtraButtons;
    }
    return hooks;
}

} // namespace ptrassist
