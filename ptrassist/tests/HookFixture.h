// The common ground of the hook tests: a fake window system, a settings block, the shared hook state as a fresh
// library has it (on Windows 2000 or later) and the process state.
#pragma once

#include "core/HookContext.h"
#include "core/Hooks.h"
#include "core/Input.h"
#include "tests/FakeWindows.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace ptrassist::testing {

using Calls = std::vector<Call>;

class HookFixture {
protected:
    HookFixture() { shared.PlatformKind = PlatformWin2000; }

    // Presses and releases as the mouse hook sees them; the extra information carries the button index.
    static MouseHookEvent Event(uint32_t message, WindowId window, Point at = {}, uintptr_t extraInfo = 0) {
        MouseHookEvent e;
        e.Message = message;
        e.Window = window;
        e.Position = at;
        e.ExtraInfo = extraInfo;
        return e;
    }

    // A wheel turn as the platform in the shared state delivers it: in the mouse data on Windows 2000 and later, as
    // a marked middle release on Windows 95, and in the extra information elsewhere.
    MouseHookEvent Wheel(WindowId window, int delta, Point at = {}) const {
        uintptr_t marked = (uintptr_t{WheelExtraMark} << 16) | static_cast<uint16_t>(delta);
        switch (shared.PlatformKind) {
        case PlatformWin2000: {
            MouseHookEvent e = Event(Msg::MouseWheel, window, at);
            e.MouseData = static_cast<uint32_t>(MakeLong(0, delta));
            return e;
        }
        case PlatformWin95:
            return Event(Msg::MButtonUp, window, at, marked);
        default:
            return Event(Msg::MouseWheel, window, at, marked);
        }
    }

    bool Hook(const MouseHookEvent& e) { return MouseHook(ctx, Hook::Action, e); }

    // Takes what was logged so far, so that a test can look at one step at a time.
    Calls Take() { return std::exchange(sys.Calls, {}); }

    FakeWindows sys;
    MouseSettingsBlock settings{};
    SharedHookState shared = InitialHookState();
    ProcessState process;
    HookContext ctx{sys, settings, shared, process};
};

class HookTest : public HookFixture, public ::testing::Test {};

template <typename T> class HookTestWithParam : public HookFixture, public ::testing::TestWithParam<T> {};

// The scroll requests a window gets: n requests of one code, then the end-scroll request.
inline Calls ScrollRequests(WindowId window, uint32_t message, uint32_t code, int n, int64_t bar = 0) {
    Calls calls(static_cast<size_t>(n), Posted(window, message, code, bar));
    calls.push_back(Posted(window, message, ScrollCode::EndScroll, bar));
    return calls;
}

inline Calls KeyPairs(WindowId window, uint8_t virtualKey, int n) {
    Calls calls;
    for (int i = 0; i < n; ++i) {
        calls.push_back(Posted(window, Msg::KeyDown, virtualKey, KeyDownData(virtualKey)));
        calls.push_back(Posted(window, Msg::KeyUp, virtualKey, KeyUpData(virtualKey)));
    }
    return calls;
}

} // namespace ptrassist::testing
