#include "core/Input.h"

namespace ptrassist {

void PostTo(const HookContext& ctx, WindowId window, uint32_t message, WParam wParam, LParam lParam) {
    if (window != 0) {
        ctx.Sys.Post(window, message, wParam, lParam);
    }
}

void SendTo(const HookContext& ctx, WindowId window, uint32_t message, WParam wParam, LParam lParam) {
    if (window != 0) {
        ctx.Sys.Send(window, message, wParam, lParam);
    }
}

namespace {

// Scan codes of the keys that are posted; they are the same on every keyboard layout.
uint32_t ScanCode(uint8_t virtualKey) {
    switch (virtualKey) {
    case Vk::Prior:
        return 0x49;
    case Vk::Next:
        return 0x51;
    case Vk::Left:
        return 0x4B;
    case Vk::Up:
        return 0x48;
    case Vk::Right:
        return 0x4D;
    case Vk::Down:
        return 0x50;
    default:
        return 0;
    }
}

} // namespace

LParam KeyDownData(uint8_t virtualKey) {
    return static_cast<LParam>(static_cast<uintptr_t>(0x01000001u | (ScanCode(virtualKey) << 16)));
}

LParam KeyUpData(uint8_t virtualKey) {
    return static_cast<LParam>(static_cast<uintptr_t>(0xC1000001u | (ScanCode(virtualKey) << 16)));
}

void PostKeyPair(const HookContext& ctx, WindowId window, uint8_t virtualKey) {
    PostTo(ctx, window, Msg::KeyDown, virtualKey, KeyDownData(virtualKey));
    PostTo(ctx, window, Msg::KeyUp, virtualKey, KeyUpData(virtualKey));
}

void GiveFocus(const HookContext& ctx, WindowId window) {
    if (ctx.Sys.Focus() != window) {
        ctx.Sys.BringToFront(window);
        ctx.Sys.SetFocus(window);
    }
}

void PressKeyOn(const HookContext& ctx, WindowId window, uint8_t virtualKey) {
    GiveFocus(ctx, window);
    PressChord(ctx, {virtualKey});
}

void PressChord(const HookContext& ctx, std::initializer_list<uint8_t> keys) {
    for (uint8_t key : keys) {
        ctx.Sys.InjectKey(key, false);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        ctx.Sys.InjectKey(*--it, true);
    }
}

void CtrlShortcut(const HookContext& ctx, WindowId window, uint8_t virtualKey) {
    ctx.Sys.SetFocus(window);
    PressChord(ctx, {Vk::Control, virtualKey});
}

void WindowsShortcut(const HookContext& ctx, std::initializer_list<uint8_t> keys) {
    ctx.Sys.BringToFront(ctx.Sys.DesktopWindow());
    ctx.Sys.InjectKey(Vk::LWin, false);
    PressChord(ctx, keys);
    ctx.Sys.InjectKey(Vk::LWin, true);
}

void AltTab(const HookContext& ctx) {
    PressChord(ctx, {Vk::Menu, Vk::Tab});
}

void BrowserBackForward(const HookContext& ctx, WindowId window, bool forward) {
    if (ctx.On(PlatformWin2000)) {
        PostTo(ctx, window, Msg::AppCommand, window, forward ? 0x10020000 : 0x10010000);
        return;
    }
    ctx.Sys.SetFocus(ctx.Sys.RootAncestor(window));
    PressChord(ctx, {Vk::Menu, forward ? Vk::Right : Vk::Left});
}

void InjectButton(const HookContext& ctx, Button button, bool up, uintptr_t extraInfo) {
    if (button != Button::Middle && ctx.Sys.ButtonsSwapped()) {
        button = button == Button::Primary ? Button::Secondary : Button::Primary;
    }
    MouseAction action;
    switch (button) {
    case Button::Primary:
        action = up ? MouseAction::LeftUp : MouseAction::LeftDown;
        break;
    case Button::Secondary:
        action = up ? MouseAction::RightUp : MouseAction::RightDown;
        break;
    default:
        action = up ? MouseAction::MiddleUp : MouseAction::MiddleDown;
        break;
    }
    ctx.Sys.InjectMouse({action, 0, extraInfo, {}});
}

} // namespace ptrassist
