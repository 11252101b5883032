#include "core/Modes.h"

#include "core/Classify.h"
#include "core/Input.h"
#include "core/Scrolling.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace ptrassist {

namespace {

void PostToHost(const HookContext& ctx, uint32_t message, WParam wParam = 0) {
    PostTo(ctx, ctx.Settings.HostWindow, message, wParam);
}

void SendToHost(const HookContext& ctx, uint32_t message) {
    SendTo(ctx, ctx.Settings.HostWindow, message);
}

void Begin(const HookContext& ctx, Mode mode) {
    ctx.Shared.Mode = mode;
    PostToHost(ctx, Notify::ModeStarted, mode);
}

void End(const HookContext& ctx, WindowId window) {
    ctx.Shared.Mode = ModeIdle;
    PostToHost(ctx, Notify::ModeEnded);
    if (ctx.Sys.ForegroundWindow() == 0) {
        ctx.Sys.SetFocus(window);
    }
}

void BringBack(const HookContext& ctx, WindowId window) {
    if (window != 0) {
        ctx.Sys.BringToFront(window);
    }
}

int32_t ToInt32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A threshold below 1 would scroll on every move, even one that does not move along that axis.
int32_t Threshold(int64_t value) {
    return ToInt32(std::max<int64_t>(value, 1));
}

void RecordTarget(const HookContext& ctx, WindowId window, const Classification& c) {
    ctx.Shared.Target = window;
    ctx.Shared.ScrollKind = c.Kind;
    ctx.Shared.VerticalBar = c.VerticalBar;
    ctx.Shared.HorizontalBar = c.HorizontalBar;
}

void RecordBounds(const HookContext& ctx) {
    SharedHookState& s = ctx.Shared;
    if (ctx.On(PlatformWin95) || ctx.On(PlatformNt4)) {
        ScreenArea screen = ctx.Sys.PrimaryScreen();
        s.BoundsLeft = 0;
        s.BoundsTop = 0;
        s.BoundsRight = ToInt32(int64_t{screen.Width} - 1);
        s.BoundsBottom = ToInt32(int64_t{screen.Height} - 1);
    } else {
        ScreenArea v = ctx.Sys.VirtualScreen();
        s.BoundsLeft = v.X;
        s.BoundsTop = v.Y;
        s.BoundsRight = ToInt32(int64_t{v.Width} - std::abs(int64_t{v.X}) - 1);
        s.BoundsBottom = ToInt32(int64_t{v.Height} - std::abs(int64_t{v.Y}) - 1);
    }
}

} // namespace

void StartLeftLock(const HookContext& ctx, WindowId /*window*/) {
    InjectButton(ctx, Button::Primary, false, InjectedClickMark);
    Begin(ctx, ModeLeftLock);
}

void StartKeyLock(const HookContext& ctx, WindowId window, bool shift) {
    (shift ? ctx.Shared.ShiftLatched : ctx.Shared.CtrlLatched) = 1;
    GiveFocus(ctx, window);
    ctx.Sys.InjectKey(shift ? Vk::Shift : Vk::Control, false);
    Begin(ctx, shift ? ModeShiftLock : ModeCtrlLock);
}

void StartHorizontalWheel(const HookContext& ctx) {
    Begin(ctx, ModeHorizontalWheel);
}

void StartAutoScroll(const HookContext& ctx, WindowId window, Point position) {
    SharedHookState& s = ctx.Shared;
    RecordTarget(ctx, window, Classify(ctx, window, position, Axis::Both));
    RecordBounds(ctx);
    int64_t vertical = ctx.Settings.VerticalSpeed;
    int64_t horizontal = ctx.Settings.HorizontalSpeed;
    s.VerticalThreshold = Threshold((11 - vertical) * 2);
    s.VerticalStep = ClampCount(vertical * 2);
    s.HorizontalThreshold = Threshold((6 - horizontal) * 2);
    s.HorizontalStep = ClampCount(horizontal * 2);
    s.AnchorX = s.LastX = position.X;
    s.AnchorY = s.LastY = position.Y;
    Begin(ctx, ModeAutoScroll);
}

bool StartRemoteScroll(const HookContext& ctx, WindowId window) {
    WindowId remote = ctx.Settings.RemoteScrollWindow;
    if (remote == 0) {
        return false;
    }
    SharedHookState& s = ctx.Shared;
    Point cursor = ctx.Sys.CursorPos();
    s.AnchorX = cursor.X;
    s.AnchorY = cursor.Y;
    if (ctx.Process.Kind == ProcessNetscape6) {
        RecordTarget(ctx, window, {Kind::ArrowKeys, 0, 0});
    } else {
        RecordTarget(ctx, window, Classify(ctx, window, cursor, Axis::Both));
    }
    s.PreviousForeground = ctx.Sys.ForegroundWindow();
    s.Mode = ModeRemoteScroll;
    InjectButton(ctx, Button::Middle, true, 0);
    SendToHost(ctx, Notify::RemoteStart);
    ctx.Sys.BringToFront(remote);
    return true;
}

bool StartStepForwarding(const HookContext& ctx) {
    if (ctx.Settings.HostWindow == 0) {
        return false;
    }
    ctx.Shared.Mode = ModeStepForwarding;
    SendToHost(ctx, Notify::StepStart);
    return true;
}

bool ModeHasHandler(uint32_t mode) {
    switch (mode) {
    case ModeLeftLock:
    case ModeShiftLock:
    case ModeCtrlLock:
    case ModeHorizontalWheel:
    case ModeAutoScroll:
    case ModeRemoteScroll:
    case ModeStepForwarding:
        return true;
    default:
        return false;
    }
}

namespace {

bool LeftLock(const HookContext& ctx, const DispatchEvent& e) {
    Pressed p = PressOf(e);
    if (p == Pressed::Left && HighWord(e.ExtraInfo) == 1) {
        return false; // our own press that holds the button
    }
    if (!IsButtonPress(p)) {
        return false;
    }
    End(ctx, e.Window);
    InjectButton(ctx, Button::Primary, true, InjectedClickMark);
    return true;
}

bool KeyLock(const HookContext& ctx, const DispatchEvent& e, bool shift) {
    if (shift && IsMiddleRelease(e)) {
        return true;
    }
    if (!IsButtonPress(PressOf(e))) {
        return false;
    }
    (shift ? ctx.Shared.ShiftLatched : ctx.Shared.CtrlLatched) = 0;
    ctx.Sys.InjectKey(shift ? Vk::Shift : Vk::Control, true);
    End(ctx, e.Window);
    return true;
}

bool HorizontalWheel(const HookContext& ctx, DispatchEvent& e) {
    if (e.Wheel) {
        e.Delta = e.Delta < 1 ? -TiltDelta : TiltDelta;
        return false;
    }
    if (PressOf(e) == Pressed::Middle) {
        End(ctx, e.Window);
        return true;
    }
    return false;
}

void AutoScrollMove(const HookContext& ctx, const DispatchEvent& e) {
    SharedHookState& s = ctx.Shared;
    const MouseSettingsBlock& settings = ctx.Settings;
    int64_t dx = int64_t{e.Position.X} - s.LastX;
    int64_t dy = int64_t{e.Position.Y} - s.LastY;
    if (settings.AutoScrollReversed != 0) {
        dx = -dx;
        dy = -dy;
    }
    int64_t horizontalThreshold = std::max(s.HorizontalThreshold, 1);
    int64_t verticalThreshold = std::max(s.VerticalThreshold, 1);
    if (settings.AutoScrollHorizontal != 0) {
        if (dx >= horizontalThreshold) {
            DoAutoRight(ctx, s.HorizontalStep);
            s.LastX = e.Position.X;
        } else if (dx <= -horizontalThreshold) {
            DoAutoLeft(ctx, s.HorizontalStep);
            s.LastX = e.Position.X;
        }
    }
    if (settings.AutoScrollVertical != 0) {
        if (dy >= verticalThreshold) {
            DoAutoDown(ctx, s.VerticalStep);
            s.LastY = e.Position.Y;
        } else if (dy <= -verticalThreshold) {
            DoAutoUp(ctx, s.VerticalStep);
            s.LastY = e.Position.Y;
        }
    }
}

bool AutoScroll(const HookContext& ctx, const DispatchEvent& e) {
    SharedHookState& s = ctx.Shared;
    Pressed p = PressOf(e);
    if (IsButtonPress(p)) {
        End(ctx, e.Window);
        if (p != Pressed::Middle) {
            return false;
        }
        ctx.Sys.SetCursorPos({s.AnchorX, s.AnchorY});
        return true;
    }
    if (!IsMove(e)) {
        return false;
    }
    const Point& at = e.Position;
    if (at.X >= s.BoundsRight || at.X <= s.BoundsLeft || at.Y >= s.BoundsBottom || at.Y <= s.BoundsTop) {
        // At the screen's edge the cursor goes back to the anchor so that the user can keep moving.
        ctx.Sys.SetCursorPos({s.AnchorX, s.AnchorY});
        s.LastX = s.AnchorX;
        s.LastY = s.AnchorY;
        return true;
    }
    AutoScrollMove(ctx, e);
    return false;
}

void EndRemoteScroll(const HookContext& ctx) {
    SendToHost(ctx, Notify::RemoteEnd);
    ctx.Shared.Mode = ModeIdle;
}

bool RemoteScroll(const HookContext& ctx, const DispatchEvent& e) {
    SharedHookState& s = ctx.Shared;
    WindowId remote = ctx.Settings.RemoteScrollWindow;
    if (e.Window != remote) {
        EndRemoteScroll(ctx);
        BringBack(ctx, s.PreviousForeground);
        return true;
    }
    if (e.Wheel) {
        if (!ctx.On(PlatformWin95)) {
            InjectButton(ctx, Button::Middle, true, 0);
        }
        EndRemoteScroll(ctx);
        BringBack(ctx, s.PreviousForeground);
        return true;
    }
    if (IsMiddleRelease(e)) {
        InjectButton(ctx, Button::Middle, false, RemotePressMark);
        ctx.Sys.SetCapture(remote);
        return true;
    }
    if (PressOf(e) == Pressed::None) {
        return false;
    }
    if (HighWord(e.ExtraInfo) == HighWord(RemotePressMark)) {
        return true;
    }
    InjectButton(ctx, Button::Middle, true, 0);
    EndRemoteScroll(ctx);
    ctx.Sys.ReleaseCapture();
    BringBack(ctx, s.PreviousForeground);
    return true;
}

bool StepForwarding(const HookContext& ctx, const DispatchEvent& e) {
    const MouseSettingsBlock& settings = ctx.Settings;
    if (e.Wheel) {
        SendTo(ctx, settings.StepWindow, Notify::Step, 0, e.Delta);
        return true;
    }
    Pressed p = PressOf(e);
    if (p == Pressed::None) {
        return false;
    }
    if ((settings.ModifierFlags & Modifier::ClicksSendSteps) != 0 && (p == Pressed::Left || p == Pressed::Right)) {
        SendTo(ctx, settings.StepWindow, Notify::Step, 0, p == Pressed::Left ? -WheelNotch : WheelNotch);
        return true;
    }
    SendToHost(ctx, Notify::StepEnd);
    ctx.Shared.Mode = ModeIdle;
    return true;
}

} // namespace

bool HandleMode(const HookContext& ctx, DispatchEvent& event) {
    switch (ctx.Shared.Mode) {
    case ModeLeftLock:
        return LeftLock(ctx, event);
    case ModeShiftLock:
        return KeyLock(ctx, event, true);
    case ModeCtrlLock:
        return KeyLock(ctx, event, false);
    case ModeHorizontalWheel:
        return HorizontalWheel(ctx, event);
    case ModeAutoScroll:
        return AutoScroll(ctx, event);
    case ModeRemoteScroll:
        return RemoteScroll(ctx, event);
    case ModeStepForwarding:
        return StepForwarding(ctx, event);
    default:
        return false;
    }
}

} // namespace ptrassist
