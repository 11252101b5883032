// The hook procedures' decisions: what the mouse hook, the message filter hook, the two low-level hooks and the
// wheel-support window do with what they receive. The Windows layer only unpacks the arguments and passes on what
// these do not take.
#pragma once

#include "core/HookContext.h"

#include <optional>

namespace ptrassist {

struct MouseHookEvent {
    uint32_t Message = 0;
    WindowId Window = 0;
    Point Position;
    uint32_t HitTest = 0;
    uintptr_t ExtraInfo = 0;
    uint32_t MouseData = 0; // only read for wheel messages on Windows 2000 and later
};

// Answers true when the event is taken and must not reach the program.
bool MouseHook(const HookContext& ctx, int code, const MouseHookEvent& event);

// Notes whether a menu loop is running, so that the mouse hook leaves input alone meanwhile.
void MessageFilterHook(SharedHookState& shared, int code, uint32_t message);

struct LowLevelEvent {
    Point Position;
    uint32_t MouseData = 0;
    uint32_t Flags = 0;
    uintptr_t ExtraInfo = 0;
};

// NT 4: wheel turns come back carrying their delta in the extra information, where the mouse hook can read it.
bool LowLevelWheelHook(const HookContext& ctx, int code, uint32_t message, const LowLevelEvent& event);

// Windows 2000 and later: extra buttons come back as middle clicks whose extra information names the button.
bool LowLevelExtraButtonHook(const HookContext& ctx, int code, uint32_t message, const LowLevelEvent& event);

// The wheel-support window's answer to a registered wheel-support message; nothing for other messages.
std::optional<intptr_t> WheelWindowAnswer(const MouseSettingsBlock& settings, const ProcessState& process,
                                          uint32_t message);

} // namespace ptrassist
