#include "core/Scrolling.h"

#include "core/Classify.h"
#include "core/Input.h"

namespace ptrassist {

int32_t ClampCount(int64_t count) {
    if (count < 0) {
        return 0;
    }
    return count > MaxScrollCount ? MaxScrollCount : static_cast<int32_t>(count);
}

namespace {

// The window that takes wheel messages: the top-level window in the word processor, which scrolls only there.
WindowId WheelReceiver(const HookContext& ctx, WindowId window) {
    return ctx.Process.Kind == ProcessWinword ? ctx.Sys.RootAncestor(window) : window;
}

void PostWheel(const HookContext& ctx, WindowId window, int32_t delta, uint32_t keyFlags, Point position) {
    LParam where = static_cast<LParam>(MakeLong(position.X, position.Y));
    if (ctx.On(PlatformWin95)) {
        if (ctx.Process.RollMessage == 0) {
            return; // not registered: nothing the program would understand
        }
        PostTo(ctx, window, ctx.Process.RollMessage, static_cast<WParam>(static_cast<LParam>(delta)), where);
    } else {
        PostTo(ctx, window, Msg::MouseWheel, MakeLong(static_cast<int32_t>(keyFlags), delta), where);
    }
}

void PostScrollMessages(const HookContext& ctx, WindowId window, uint32_t message, WindowId bar, int32_t count,
                        bool backwards, bool page) {
    LParam barParam = static_cast<LParam>(bar);
    if (page) {
        PostTo(ctx, window, message, backwards ? ScrollCode::PageUp : ScrollCode::PageDown, barParam);
    } else {
        for (int32_t i = 0; i < count; ++i) {
            PostTo(ctx, window, message, backwards ? ScrollCode::LineUp : ScrollCode::LineDown, barParam);
        }
    }
    PostTo(ctx, window, message, ScrollCode::EndScroll, barParam);
}

WindowId BarParent(const HookContext& ctx, const ScrollTarget& target) {
    WindowId parent = ctx.Sys.Parent(target.Bar);
    return parent != 0 ? parent : target.Window;
}

constexpr uint32_t KeyFlagShift = 0x4;
constexpr uint32_t KeyFlagCtrl = 0x8;

} // namespace

void ScrollVertical(const HookContext& ctx, const ScrollTarget& target, int64_t count, bool up, Point position) {
    int32_t lines = ClampCount(count);
    uint32_t code = target.Kind & 0xFFFF;
    if (code == Kind::VNothing) {
        return;
    }
    bool ctrl = ctx.Sys.IsKeyDown(Vk::Control) || ctx.Shared.CtrlLatched != 0;
    bool shift = ctx.Sys.IsKeyDown(Vk::Shift) || ctx.Shared.ShiftLatched != 0;
    if (ctrl || shift) {
        // Zooming and the like: exactly one notch, whatever the turn.
        PostWheel(ctx, WheelReceiver(ctx, target.Window), up ? WheelNotch : -WheelNotch,
                  ctrl ? KeyFlagCtrl : KeyFlagShift, position);
        return;
    }
    switch (code) {
    case Kind::VScrollMessages:
        PostScrollMessages(ctx, target.Window, Msg::VScroll, 0, lines, up, target.Page);
        break;
    case Kind::VBar:
        PostScrollMessages(ctx, BarParent(ctx, target), Msg::VScroll, target.Bar, lines, up, target.Page);
        break;
    case Kind::VWheel:
        if (target.Page) {
            PostKeyPair(ctx, target.Window, up ? Vk::Prior : Vk::Next);
        } else {
            PostWheel(ctx, WheelReceiver(ctx, target.Window), (up ? 1 : -1) * lines * WheelNotch, 0, position);
        }
        break;
    case Kind::VKeys:
        if (target.Page) {
            PostKeyPair(ctx, target.Window, up ? Vk::Prior : Vk::Next);
        } else {
            for (int32_t i = 0; i < lines; ++i) {
                PostKeyPair(ctx, target.Window, up ? Vk::Up : Vk::Down);
            }
        }
        break;
    default:
        break;
    }
}

void ScrollHorizontal(const HookContext& ctx, const ScrollTarget& target, int64_t count, bool left) {
    int32_t columns = ClampCount(count);
    switch (target.Kind >> 16) {
    case Kind::HScrollMessages:
        PostScrollMessages(ctx, target.Window, Msg::HScroll, 0, columns, left, target.Page);
        break;
    case Kind::HBar:
        PostScrollMessages(ctx, BarParent(ctx, target), Msg::HScroll, target.Bar, columns, left, target.Page);
        break;
    case Kind::HKeys: {
        constexpr int32_t pageColumns = 10;
        int32_t keys = target.Page ? pageColumns : columns;
        for (int32_t i = 0; i < keys; ++i) {
            PostKeyPair(ctx, target.Window, left ? Vk::Left : Vk::Right);
        }
        break;
    }
    default:
        break;
    }
}

bool WheelEmulation(const HookContext& ctx, int32_t delta, Point position) {
    const MouseSettingsBlock& s = ctx.Settings;
    bool tilt = delta == TiltDelta || delta == -TiltDelta;
    if (s.WheelEmulation == 0 && !ctx.On(PlatformWin95) && !tilt) {
        return false;
    }
    WindowId window = ctx.Sys.WindowFromPoint(position);
    if (window == 0) {
        return false;
    }
    if (tilt) {
        bool useVertical = s.TiltUsesVerticalSettings == 1;
        int64_t lines = useVertical ? static_cast<int64_t>(s.LinesPerNotch) : static_cast<int64_t>(s.TiltLines);
        bool page = (useVertical ? s.PageMode : s.TiltPageMode) != 0;
        Classification c = Classify(ctx, window, position, Axis::Horizontal);
        ScrollHorizontal(ctx, {window, c.Kind, c.HorizontalBar, page}, lines, delta > 0);
        return true;
    }
    Classification c = Classify(ctx, window, position, Axis::Vertical);
    int64_t notches = delta >= 1 ? delta / WheelNotch : delta / -WheelNotch;
    ScrollVertical(ctx, {window, c.Kind, c.VerticalBar, s.PageMode != 0}, notches * s.LinesPerNotch, delta >= 1,
                   position);
    return true;
}

namespace {

Point Anchor(const HookContext& ctx) {
    return {ctx.Shared.AnchorX, ctx.Shared.AnchorY};
}

ScrollTarget RecordedTarget(const HookContext& ctx, bool vertical) {
    const SharedHookState& s = ctx.Shared;
    return {s.Target, s.ScrollKind, vertical ? s.VerticalBar : s.HorizontalBar, false};
}

} // namespace

int32_t DoAutoUp(const HookContext& ctx, int32_t count) {
    ScrollVertical(ctx, RecordedTarget(ctx, true), count, true, Anchor(ctx));
    return 1;
}

int32_t DoAutoDown(const HookContext& ctx, int32_t count) {
    ScrollVertical(ctx, RecordedTarget(ctx, true), count, false, Anchor(ctx));
    return 1;
}

int32_t DoAutoLeft(const HookContext& ctx, int32_t count) {
    ScrollHorizontal(ctx, RecordedTarget(ctx, false), count, true);
    return 1;
}

int32_t DoAutoRight(const HookContext& ctx, int32_t count) {
    ScrollHorizontal(ctx, RecordedTarget(ctx, false), count, false);
    return 1;
}

} // namespace ptrassist
