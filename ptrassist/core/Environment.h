// What a process finds out when it loads the library: the Windows it runs on, what kind of program it is, and which
// hooks the controlling application asks for.
#pragma once

#include "core/Codes.h"
#include "core/SharedBlocks.h"

#include <optional>
#include <string_view>

namespace ptrassist {

struct VersionInfo {
    bool Nt = false; // NT platform; otherwise the 9x line
    uint32_t Major = 0;
    uint32_t Minor = 0;
};

// An unreadable version counts as Windows 95.
PlatformKind PlatformKindFromVersion(const std::optional<VersionInfo>& version);

// From the executable's path: the base name without folder and extension, compared upper-cased.
ProcessKind ProcessKindFromPath(std::string_view path);

enum HookBits : uint32_t {
    HookMouse = 0x1,
    HookMessageFilter = 0x2,
    HookWheel = 0x4,        // low-level wheel hook of NT 4
    HookExtraButtons = 0x8, // low-level extra-button hook of Windows 2000 and later
};

// The hooks InstallHook sets on this platform with these settings.
uint32_t HooksWanted(const MouseSettingsBlock& settings, uint32_t platformKind);

} // namespace ptrassist
