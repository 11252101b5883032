#include "core/Dispatcher.h"

#include "core/Actions.h"
#include "core/Classify.h"
#include "core/Input.h"
#include "core/Modes.h"

namespace ptrassist {

namespace {

constexpr uint32_t ActionSlots = sizeof(MouseSettingsBlock::Actions) / sizeof(MouseSettingsBlock::Actions[0]);

// Modifier clicks of the idle state; answers whether one of them took the middle press.
bool ModifierClick(const HookContext& ctx, const DispatchEvent& e, bool& handled) {
    uint32_t flags = ctx.Settings.ModifierFlags;
    bool ctrl = ctx.Sys.IsKeyDown(Vk::Control);
    bool shift = ctx.Sys.IsKeyDown(Vk::Shift);
    if ((flags & Modifier::CtrlShiftWindowsKey) != 0 && ctrl && shift) {
        if (ctx.OnNt()) {
            PostTo(ctx, ctx.Sys.FindByClass("Shell_TrayWnd"), Notify::TaskbarCommand);
        } else {
            PressKeyOn(ctx, ctx.Sys.DesktopWindow(), Vk::LWin);
        }
        handled = true;
        return true;
    }
    if ((flags & Modifier::CtrlStepForwarding) != 0 && ctrl) {
        handled = StartStepForwarding(ctx);
        return true;
    }
    if ((flags & Modifier::ShiftRemoteScroll) != 0 && shift) {
        handled = StartRemoteScroll(ctx, e.Window);
        return true;
    }
    return false;
}

uint32_t ButtonIndex(const HookContext& ctx, uintptr_t extraInfo) {
    int64_t index = LowWord(extraInfo);
    // Indices beyond the mouse's buttons, or beyond the table, mean the wheel button itself.
    if (index > int64_t{ctx.Settings.ButtonCount} - 3 || index >= ActionSlots) {
        return 0;
    }
    return static_cast<uint32_t>(index);
}

bool PassesOn(const HookContext& ctx, uint32_t code) {
    if (code == Action::AutoScroll) {
        return ctx.Settings.AutoScrollVertical == 0 && ctx.Settings.AutoScrollHorizontal == 0;
    }
    return code >= Action::FirstUnknown;
}

} // namespace

bool Dispatch(const HookContext& ctx, DispatchEvent& event) {
    Pressed pressed = PressOf(event);
    bool middleRelease = IsMiddleRelease(event);
    if ((pressed == Pressed::Middle || middleRelease) && ClassText(ctx.Sys, event.Window).Is("BaseBar")) {
        return false;
    }
    uint32_t mode = ctx.Shared.Mode;
    if (mode != ModeIdle && ModeHasHandler(mode)) {
        return HandleMode(ctx, event);
    }
    if (mode == ModeIdle && pressed == Pressed::Middle) {
        bool handled = false;
        if (ModifierClick(ctx, event, handled)) {
            if (!handled) {
                ctx.Shared.LastAction = Action::PassOn;
            }
            return handled;
        }
    }
    if (middleRelease) {
        uint32_t last = ctx.Shared.LastAction;
        return last != Action::None && last != Action::PassOn;
    }
    if (pressed != Pressed::Middle) {
        return false;
    }
    uint32_t index = ButtonIndex(ctx, event.ExtraInfo);
    uint32_t code = ctx.Settings.Actions[index];
    bool handled = !PassesOn(ctx, code) && RunAction(ctx, code, index, event);
    // A click that passes on keeps its release, so the program sees both halves.
    ctx.Shared.LastAction = handled || code == Action::None ? code : Action::PassOn;
    return handled;
}

} // namespace ptrassist
