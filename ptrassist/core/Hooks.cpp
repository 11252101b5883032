#include "core/Hooks.h"

#include "core/Dispatcher.h"
#include "core/Input.h"
#include "core/Scrolling.h"

namespace ptrassist {

namespace {

// Fills in the wheel delta of the event. Answers false for a wheel message whose delta cannot be read: it carries
// no turn the hook could act on, so the program gets it as it is.
bool FindDelta(const HookContext& ctx, const MouseHookEvent& e, DispatchEvent& d) {
    bool middleRelease = e.Message == Msg::MButtonUp || e.Message == Msg::NcMButtonUp;
    if (ctx.On(PlatformWin95) && middleRelease && HighWord(e.ExtraInfo) == WheelExtraMark) {
        d.Wheel = true;
        d.Delta = static_cast<int16_t>(LowWord(e.ExtraInfo));
        return true;
    }
    if (e.Message != Msg::MouseWheel) {
        return true;
    }
    int32_t delta;
    if (ctx.On(PlatformWin2000)) {
        delta = static_cast<int16_t>(HighWord(e.MouseData));
        delta = delta > TiltDelta ? TiltDelta : (delta < -TiltDelta ? -TiltDelta : delta);
    } else {
        delta = static_cast<int16_t>(LowWord(e.ExtraInfo));
    }
    if (delta == 0) {
        return false;
    }
    d.Wheel = true;
    d.Delta = delta;
    return true;
}

// Tilts repeat while the wheel is held over; six are counted, the seventh acts.
bool CountTilt(int32_t& counter) {
    if (counter >= TiltsBeforeAction) {
        counter = 0;
        return true;
    }
    ++counter;
    return false;
}

// Tilt modes 1 and 2 take every tilt; answers false when the tilt scrolls instead.
bool TiltAction(const HookContext& ctx, const DispatchEvent& d) {
    SharedHookState& s = ctx.Shared;
    switch (ctx.Settings.TiltMode) {
    case 1:
        if (CountTilt(s.SwitchTilts)) {
            AltTab(ctx);
        }
        return true;
    case 2: {
        bool back = d.Delta > 0;
        if (CountTilt(back ? s.BackTilts : s.ForwardTilts)) {
            BrowserBackForward(ctx, d.Window, !back);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace

bool MouseHook(const HookContext& ctx, int code, const MouseHookEvent& event) {
    if (code < 0 || code == Hook::NoRemove || ctx.Shared.MenuLoopMark != 0) {
        return false;
    }
    DispatchEvent d{event.Message, event.Window, event.HitTest, event.Position, event.ExtraInfo, false, 0};
    if (!FindDelta(ctx, event, d)) {
        return false;
    }
    if (d.Wheel) {
        if (d.Delta == TiltDelta || d.Delta == -TiltDelta) {
            if (TiltAction(ctx, d)) {
                return true;
            }
            if (ctx.Settings.ReverseTilt != 0) {
                d.Delta = -d.Delta;
            }
        } else if (ctx.Settings.ReverseWheel != 0) {
            d.Delta = -d.Delta;
        }
    }
    if (Dispatch(ctx, d)) {
        return true;
    }
    return d.Wheel && WheelEmulation(ctx, d.Delta, d.Position);
}

void MessageFilterHook(SharedHookState& shared, int code, uint32_t message) {
    if (code == Hook::MenuFilter) {
        shared.MenuLoopMark = message != Msg::MenuSelect ? 1 : 0;
    }
}

bool LowLevelWheelHook(const HookContext& ctx, int code, uint32_t message, const LowLevelEvent& event) {
    if (code != Hook::Action || message != Msg::MouseWheel || event.ExtraInfo > 0xFFFF) {
        return false;
    }
    int16_t delta = static_cast<int16_t>(HighWord(event.MouseData));
    uintptr_t extra = (uintptr_t{WheelExtraMark} << 16) + static_cast<uint16_t>(delta);
    ctx.Sys.InjectMouse({MouseAction::Wheel, delta, extra, event.Position});
    return true;
}

bool LowLevelExtraButtonHook(const HookContext& ctx, int code, uint32_t message, const LowLevelEvent& event) {
    if (code != Hook::Action || (event.Flags & Hook::LowLevelInjected) != 0) {
        return false;
    }
    if (message == Msg::XButtonDown) {
        uint32_t button = HighWord(event.MouseData);
        if (button != XButton1 && button != XButton2) {
            return false;
        }
        InjectButton(ctx, Button::Middle, false, button);
        return true;
    }
    if (message == Msg::XButtonUp) {
        InjectButton(ctx, Button::Middle, true, 0);
        return true;
    }
    return false;
}

std::optional<intptr_t> WheelWindowAnswer(const MouseSettingsBlock& settings, const ProcessState& process,
                                          uint32_t message) {
    if (message == 0) {
        return std::nullopt;
    }
    if (message == process.WheelSupportMessage) {
        return 1;
    }
    if (message == process.ScrollLinesMessage) {
        return settings.PageMode != 0 ? -1 : 1;
    }
    return std::nullopt;
}

} // namespace ptrassist
