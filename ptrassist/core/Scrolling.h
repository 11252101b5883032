// Scrolling a window by the means its scroll kind names, and the wheel emulation built on it.
#pragma once

#include "core/HookContext.h"

namespace ptrassist {

// Counts are cut to 0 .. MaxScrollCount: the hook never floods a window, whatever the settings say.
int32_t ClampCount(int64_t count);

struct ScrollTarget {
    WindowId Window = 0;
    uint32_t Kind = 0;
    WindowId Bar = 0; // the vertical or the horizontal bar, as the direction needs
    bool Page = false;
};

void ScrollVertical(const HookContext& ctx, const ScrollTarget& target, int64_t count, bool up, Point position);
void ScrollHorizontal(const HookContext& ctx, const ScrollTarget& target, int64_t count, bool left);

// One wheel turn or tilt with the signed delta the hook found, at a screen position. Answers whether the event was
// taken (and so is swallowed).
bool WheelEmulation(const HookContext& ctx, int32_t delta, Point position);

// Scrolls the target that auto scroll or remote scroll recorded, at its anchor, without page mode. Answers 1.
int32_t DoAutoUp(const HookContext& ctx, int32_t count);
int32_t DoAutoDown(const HookContext& ctx, int32_t count);
int32_t DoAutoLeft(const HookContext& ctx, int32_t count);
int32_t DoAutoRight(const HookContext& ctx, int32_t count);

} // namespace ptrassist
