// The action table of the middle and extra buttons.
#pragma once

#include "core/Events.h"
#include "core/HookContext.h"

namespace ptrassist {

// Carries out action code for the click of button index on the event's window. Answers whether the click was taken;
// codes without an action, and modes that cannot start, let it pass on.
bool RunAction(const HookContext& ctx, uint32_t code, uint32_t index, const DispatchEvent& event);

} // namespace ptrassist
