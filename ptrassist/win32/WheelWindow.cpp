// The hidden wheel-support window that programs of Windows 95 look for to learn that a wheel is there.
#include "core/Hooks.h"
#include "win32/Exports.h"
#include "win32/Library.h"

using namespace ptrassist;
using namespace ptrassist::win32;

namespace {

constexpr char WheelClassName[] = "MouseZ";
constexpr char WheelWindowTitle[] = "Magellan MSWHEEL";

} // namespace

extern "C" {

HWND WINAPI CreateWheelWindow(HINSTANCE instance, HWND parent) {
    if (HookState.PlatformKind != PlatformWin95) {
        return nullptr;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WheelWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WheelClassName;
    // A second call finds the class registered by the first.
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    return CreateWindowExA(0, WheelClassName, WheelWindowTitle, WS_POPUP, 0, 0, 0, 0, parent, nullptr, instance,
                           nullptr);
}

LRESULT CALLBACK WheelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Settings != nullptr) {
        if (std::optional<intptr_t> answer = WheelWindowAnswer(*Settings, Process, message)) {
            return *answer;
        }
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // extern "C"
