// The modes some button actions start, and what each does with the events that arrive while it is active. Only one
// mode is active in the whole system, since the mode lives in the shared hook state.
#pragma once

#include "core/Events.h"
#include "core/HookContext.h"

namespace ptrassist {

void StartLeftLock(const HookContext& ctx, WindowId window);
void StartKeyLock(const HookContext& ctx, WindowId window, bool shift);
void StartHorizontalWheel(const HookContext& ctx);
void StartAutoScroll(const HookContext& ctx, WindowId window, Point position);
// These two need their window in the settings; without it they start nothing and answer false.
bool StartRemoteScroll(const HookContext& ctx, WindowId window);
bool StartStepForwarding(const HookContext& ctx);

bool ModeHasHandler(uint32_t mode);

// Answers whether the active mode took (swallows) the event. The horizontal wheel mode may change the event's delta.
bool HandleMode(const HookContext& ctx, DispatchEvent& event);

} // namespace ptrassist
