// One mouse event as the button and mode dispatcher sees it.
#pragma once

#include "core/Codes.h"
#include "core/Platform.h"

namespace ptrassist {

struct DispatchEvent {
    uint32_t Message = 0;
    WindowId Window = 0;
    uint32_t HitTest = 0;
    Point Position;
    uintptr_t ExtraInfo = 0;
    bool Wheel = false; // the hook found a wheel delta in this event; it is then no button event
    int32_t Delta = 0;
};

enum class Pressed { None, Left, Right, Middle, Extra };

// Presses in the client or non-client area; a double click is a press too.
constexpr Pressed PressOf(const DispatchEvent& e) {
    if (e.Wheel) {
        return Pressed::None;
    }
    switch (e.Message) {
    case Msg::LButtonDown:
    case Msg::LButtonDblClk:
    case Msg::NcLButtonDown:
    case Msg::NcLButtonDblClk:
        return Pressed::Left;
    case Msg::RButtonDown:
    case Msg::RButtonDblClk:
    case Msg::NcRButtonDown:
    case Msg::NcRButtonDblClk:
        return Pressed::Right;
    case Msg::MButtonDown:
    case Msg::MButtonDblClk:
    case Msg::NcMButtonDown:
    case Msg::NcMButtonDblClk:
        return Pressed::Middle;
    case Msg::XButtonDown:
    case Msg::XButtonDblClk:
    case Msg::NcXButtonDown:
    case Msg::NcXButtonDblClk:
        return Pressed::Extra;
    default:
        return Pressed::None;
    }
}

constexpr bool IsButtonPress(Pressed p) {
    return p == Pressed::Left || p == Pressed::Right || p == Pressed::Middle;
}

constexpr bool IsMiddleRelease(const DispatchEvent& e) {
    return !e.Wheel && (e.Message == Msg::MButtonUp || e.Message == Msg::NcMButtonUp);
}

constexpr bool IsMove(const DispatchEvent& e) {
    return !e.Wheel && (e.Message == Msg::MouseMove || e.Message == Msg::NcMouseMove);
}

} // namespace ptrassist
