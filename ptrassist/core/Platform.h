// What the hook logic needs from the window system. The Windows layer implements it with the user interface calls;
// the tests implement it with a fake window tree that records every message and every injected input.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ptrassist {

// A window as the shared blocks store it: the 32 significant bits of the handle, 0 for none.
using WindowId = uint32_t;
using WParam = uintptr_t;
using LParam = intptr_t;

struct Point {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are exclusive, as the window system has them.
struct Rect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct ScreenArea {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

enum class MouseAction : uint8_t { LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp, Wheel };

struct MouseInput {
    MouseAction Action = MouseAction::LeftDown;
    int32_t Data = 0; // wheel delta
    uintptr_t ExtraInfo = 0;
    Point Position; // passed with the event; the system uses the cursor position for clicks and wheel turns
    friend bool operator==(const MouseInput&, const MouseInput&) = default;
};

// Called once per child window; answers false to stop the enumeration.
using ChildVisitor = bool (*)(WindowId child, void* context);

class Platform {
public:
    virtual ~Platform() = default;

    // Window queries. Every query accepts window 0 and answers as for a window that does not exist.
    virtual WindowId WindowFromPoint(Point point) = 0;
    // Copies the class name (not terminated) into buffer and answers its length; 0 when there is none.
    virtual size_t ClassName(WindowId window, char* buffer, size_t capacity) = 0;
    virtual uint32_t Style(WindowId window) = 0;
    // The parent of a child window; 0 for a top-level window.
    virtual WindowId Parent(WindowId window) = 0;
    virtual WindowId RootAncestor(WindowId window) = 0;
    virtual bool IsWindow(WindowId window) = 0;
    virtual bool IsVisible(WindowId window) = 0;
    virtual bool IsEnabled(WindowId window) = 0;
    virtual Rect WindowRect(WindowId window) = 0;
    // Direct children only, or every descendant (each parent before its children).
    virtual void ForEachChild(WindowId parent, bool allDescendants, ChildVisitor visit, void* context) = 0;
    virtual WindowId FindByClass(const char* className) = 0;
    virtual WindowId DesktopWindow() = 0;

    // Messages. The core never addresses window 0.
    virtual void Post(WindowId window, uint32_t message, WParam wParam, LParam lParam) = 0;
    virtual void Send(WindowId window, uint32_t message, WParam wParam, LParam lParam) = 0;

    // Input.
    virtual void InjectMouse(const MouseInput& input) = 0;
    virtual void InjectKey(uint8_t virtualKey, bool up) = 0;
    virtual bool IsKeyDown(uint8_t virtualKey) = 0;
    virtual bool ButtonsSwapped() = 0;

    // Cursor, capture, focus and the window in front.
    virtual Point CursorPos() = 0;
    virtual void SetCursorPos(Point point) = 0;
    virtual void SetCapture(WindowId window) = 0;
    virtual void ReleaseCapture() = 0;
    virtual WindowId Focus() = 0;
    virtual void SetFocus(WindowId window) = 0;
    virtual WindowId ForegroundWindow() = 0;
    virtual void BringToFront(WindowId window) = 0;

    // Screens and programs.
    virtual ScreenArea PrimaryScreen() = 0;
    virtual ScreenArea VirtualScreen() = 0;
    virtual void RunCommand(const char* commandLine, int showCommand) = 0;
};

} // namespace ptrassist
