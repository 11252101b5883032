// Messages, key strokes and clicks as the hook sends them.
#pragma once

#include "core/HookContext.h"

#include <initializer_list>

namespace ptrassist {

// Window 0 is never addressed: posting to it would land in the hooked thread's own queue.
void PostTo(const HookContext& ctx, WindowId window, uint32_t message, WParam wParam = 0, LParam lParam = 0);
void SendTo(const HookContext& ctx, WindowId window, uint32_t message, WParam wParam = 0, LParam lParam = 0);

// A message parameter made of two 16-bit halves, as the window system packs them.
constexpr uintptr_t MakeLong(int32_t low, int32_t high) {
    return (static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16) | static_cast<uint16_t>(low);
}
constexpr uint16_t HighWord(uintptr_t value) {
    return static_cast<uint16_t>(value >> 16);
}
constexpr uint16_t LowWord(uintptr_t value) {
    return static_cast<uint16_t>(value);
}

// WM_KEYDOWN and WM_KEYUP posted to the window, with the key's scan code in the key data.
void PostKeyPair(const HookContext& ctx, WindowId window, uint8_t virtualKey);
LParam KeyDownData(uint8_t virtualKey);
LParam KeyUpData(uint8_t virtualKey);

// Gives the window the focus, bringing it to the front first, unless it has the focus already.
void GiveFocus(const HookContext& ctx, WindowId window);

// A key pressed and released on the window through the keyboard-event interface.
void PressKeyOn(const HookContext& ctx, WindowId window, uint8_t virtualKey);

// Keys pressed in order and released in reverse order.
void PressChord(const HookContext& ctx, std::initializer_list<uint8_t> keys);

void CtrlShortcut(const HookContext& ctx, WindowId window, uint8_t virtualKey);
// The desktop comes to the front, then the left Windows key with the other keys.
void WindowsShortcut(const HookContext& ctx, std::initializer_list<uint8_t> keys);
void AltTab(const HookContext& ctx);
void BrowserBackForward(const HookContext& ctx, WindowId window, bool forward);

enum class Button { Primary, Secondary, Middle };

// Injected click halves; the primary button is the right one when the buttons are swapped.
void InjectButton(const HookContext& ctx, Button button, bool up, uintptr_t extraInfo);

} // namespace ptrassist
