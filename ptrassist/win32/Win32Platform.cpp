#include "win32/Win32Platform.h"

#include "win32/Library.h"

#include <algorithm>
#include <cstring>

namespace ptrassist::win32 {

namespace {

// A sent notification must not freeze the hooked program when the controlling application hangs.
constexpr UINT SendTimeoutMs = 2000;
// Sibling walks stop here even if the window list changes under them.
constexpr int MaxSiblings = 65536;

struct Enumeration {
    ChildVisitor Visit;
    void* Context;
};

BOOL CALLBACK EnumThunk(HWND child, LPARAM lParam) {
    auto* e = reinterpret_cast<Enumeration*>(lParam);
    return e->Visit(ToId(child), e->Context) ? TRUE : FALSE;
}

bool IsExtendedKey(uint8_t vk) {
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LWIN:
    case VK_RWIN:
        return true;
    default:
        return false;
    }
}

DWORD MouseFlags(MouseAction action) {
    switch (action) {
    case MouseAction::LeftDown:
        return MOUSEEVENTF_LEFTDOWN;
    case MouseAction::LeftUp:
        return MOUSEEVENTF_LEFTUP;
    case MouseAction::RightDown:
        return MOUSEEVENTF_RIGHTDOWN;
    case MouseAction::RightUp:
        return MOUSEEVENTF_RIGHTUP;
    case MouseAction::MiddleDown:
        return MOUSEEVENTF_MIDDLEDOWN;
    case MouseAction::MiddleUp:
        return MOUSEEVENTF_MIDDLEUP;
    case MouseAction::Wheel:
        return MOUSEEVENTF_WHEEL;
    }
    return 0;
}

} // namespace

WindowId Win32Platform::WindowFromPoint(Point point) {
    return ToId(::WindowFromPoint(POINT{point.X, point.Y}));
}

size_t Win32Platform::ClassName(WindowId window, char* buffer, size_t capacity) {
    char name[257];
    int length = GetClassNameA(ToWindow(window), name, sizeof name);
    if (length <= 0) {
        return 0;
    }
    size_t n = std::min(static_cast<size_t>(length), capacity);
    std::memcpy(buffer, name, n);
    return n;
}

uint32_t Win32Platform::Style(WindowId window) {
    return static_cast<uint32_t>(GetWindowLongA(ToWindow(window), GWL_STYLE));
}

WindowId Win32Platform::Parent(WindowId window) {
    // Only child windows have a parent; for others the system would name the owner or the desktop.
    if ((Style(window) & WS_CHILD) == 0) {
        return 0;
    }
    return ToId(GetAncestor(ToWindow(window), GA_PARENT));
}

WindowId Win32Platform::RootAncestor(WindowId window) {
    return ToId(GetAncestor(ToWindow(window), GA_ROOT));
}

bool Win32Platform::IsWindow(WindowId window) {
    return window != 0 && ::IsWindow(ToWindow(window));
}

bool Win32Platform::IsVisible(WindowId window) {
    return IsWindowVisible(ToWindow(window));
}

bool Win32Platform::IsEnabled(WindowId window) {
    return IsWindowEnabled(ToWindow(window));
}

Rect Win32Platform::WindowRect(WindowId window) {
    RECT r{};
    if (!GetWindowRect(ToWindow(window), &r)) {
        return {};
    }
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Platform::ForEachChild(WindowId parent, bool allDescendants, ChildVisitor visit, void* context) {
    if (parent == 0) {
        return; // the system would enumerate every top-level window instead
    }
    if (allDescendants) {
        Enumeration e{visit, context};
        EnumChildWindows(ToWindow(parent), EnumThunk, reinterpret_cast<LPARAM>(&e));
        return;
    }
    HWND child = GetWindow(ToWindow(parent), GW_CHILD);
    for (int i = 0; child != nullptr && i < MaxSiblings; ++i) {
        if (!visit(ToId(child), context)) {
            return;
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

WindowId Win32Platform::FindByClass(const char* className) {
    return ToId(FindWindowA(className, nullptr));
}

WindowId Win32Platform::DesktopWindow() {
    return ToId(GetDesktopWindow());
}

void Win32Platform::Post(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
    PostMessageA(ToWindow(window), message, wParam, lParam);
}

void Win32Platform::Send(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(ToWindow(window), message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, SendTimeoutMs,
                        &result);
}

void Win32Platform::InjectMouse(const MouseInput& input) {
    INPUT event{};
    event.type = INPUT_MOUSE;
    // Without a move flag the position is not applied: the event happens where the cursor is.
    event.mi.dx = input.Position.X;
    event.mi.dy = input.Position.Y;
    event.mi.mouseData = static_cast<DWORD>(input.Data);
    event.mi.dwFlags = MouseFlags(input.Action);
    event.mi.dwExtraInfo = input.ExtraInfo;
    SendInput(1, &event, sizeof event);
}

void Win32Platform::InjectKey(uint8_t virtualKey, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtualKey;
    event.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    event.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    SendInput(1, &event, sizeof event);
}

bool Win32Platform::IsKeyDown(uint8_t virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool Win32Platform::ButtonsSwapped() {
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

Point Win32Platform::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void Win32Platform::SetCursorPos(Point point) {
    ::SetCursorPos(point.X, point.Y);
}

void Win32Platform::SetCapture(WindowId window) {
    ::SetCapture(ToWindow(window));
}

void Win32Platform::ReleaseCapture() {
    ::ReleaseCapture();
}

WindowId Win32Platform::Focus() {
    return ToId(GetFocus());
}

void Win32Platform::SetFocus(WindowId window) {
    ::SetFocus(ToWindow(window));
}

WindowId Win32Platform::ForegroundWindow() {
    return ToId(GetForegroundWindow());
}

void Win32Platform::BringToFront(WindowId window) {
    HWND root = GetAncestor(ToWindow(window), GA_ROOT);
    SetForegroundWindow(root != nullptr ? root : ToWindow(window));
}

ScreenArea Win32Platform::PrimaryScreen() {
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ScreenArea Win32Platform::VirtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void Win32Platform::RunCommand(const char* commandLine, int showCommand) {
    WinExec(commandLine, static_cast<UINT>(showCommand));
}

} // namespace ptrassist::win32
