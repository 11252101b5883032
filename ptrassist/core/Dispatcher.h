// The button and mode dispatcher: decides for every mouse event whether a mode or a button action takes it.
#pragma once

#include "core/Events.h"
#include "core/HookContext.h"

namespace ptrassist {

// Answers whether the event was taken (and is swallowed). The event's delta may change (horizontal wheel mode).
bool Dispatch(const HookContext& ctx, DispatchEvent& event);

} // namespace ptrassist
