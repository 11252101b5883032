// Everything one hook call works with: the window system, the settings block, the state shared by all processes
// and what this process found out about itself when the library was loaded.
#pragma once

#include "core/Codes.h"
#include "core/Platform.h"
#include "core/SharedBlocks.h"

namespace ptrassist {

struct ProcessState {
    ProcessKind Kind = ProcessOther;
    // Registered window messages of the wheel-support protocol; registered on Windows 95 only, 0 elsewhere.
    uint32_t RollMessage = 0;
    uint32_t WheelSupportMessage = 0;
    uint32_t ScrollLinesMessage = 0;
};

struct HookContext {
    Platform& Sys;
    const MouseSettingsBlock& Settings;
    SharedHookState& Shared;
    const ProcessState& Process;

    bool On(PlatformKind kind) const { return Shared.PlatformKind == kind; }
    bool OnNt() const { return Shared.PlatformKind == PlatformNt4 || Shared.PlatformKind == PlatformWin2000; }
};

} // namespace ptrassist
