// A fake window system for the hook logic: a tree of windows with classes, styles and rectangles, the key and cursor
// state a test sets, and a log of everything the logic did to the system in the order it did it.
#pragma once

#include "core/Platform.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ptrassist::testing {

struct Call {
    enum class Kind { Post, Send, Mouse, Key, SetFocus, Front, Cursor, Capture, ReleaseCapture, Run };
    Kind What = Kind::Post;
    WindowId Window = 0;
    uint32_t Message = 0;
    uint64_t WParam = 0;
    int64_t LParam = 0;
    MouseInput Mouse;
    uint8_t Key = 0;
    bool Up = false;
    Point Where;
    std::string Text;
    int Show = 0;
    friend bool operator==(const Call&, const Call&) = default;
};

Call Posted(WindowId window, uint32_t message, uint64_t wParam = 0, int64_t lParam = 0);
Call Sent(WindowId window, uint32_t message, uint64_t wParam = 0, int64_t lParam = 0);
Call Injected(MouseAction action, uintptr_t extraInfo = 0, int32_t data = 0, Point position = {});
Call KeyDown(uint8_t virtualKey);
Call KeyUp(uint8_t virtualKey);
Call FocusSet(WindowId window);
Call Fronted(WindowId window);
Call CursorSet(Point point);
Call Captured(WindowId window);
Call CaptureReleased();
Call Ran(const std::string& commandLine, int showCommand);

void PrintTo(const Call& call, std::ostream* out);

struct FakeWindow {
    WindowId Id = 0;
    WindowId Parent = 0;
    std::string Class;
    uint32_t Style = 0;
    Rect Bounds;
    bool Visible = true;
    bool Enabled = true;
    std::vector<WindowId> Children;
};

class FakeWindows : public Platform {
public:
    FakeWindows();

    WindowId Add(const std::string& className, uint32_t style = 0, WindowId parent = 0, Rect bounds = {});
    FakeWindow& Window(WindowId id);

    // State the test sets.
    WindowId UnderCursor = 0;
    bool CtrlDown = false;
    bool ShiftDown = false;
    bool Swapped = false;
    Point Cursor;
    WindowId FocusWindow = 0;
    WindowId Foreground = 0;
    ScreenArea Primary{0, 0, 1024, 768};
    ScreenArea Virtual{0, 0, 1024, 768};
    WindowId Desktop = 0;

    // What the logic did; with Record off only counted (for the benchmark).
    std::vector<Call> Calls;
    bool Record = true;
    size_t CallCount = 0;

    WindowId WindowFromPoint(Point point) override;
    size_t ClassName(WindowId window, char* buffer, size_t capacity) override;
    uint32_t Style(WindowId window) override;
    WindowId Parent(WindowId window) override;
    WindowId RootAncestor(WindowId window) override;
    bool IsWindow(WindowId window) override;
    bool IsVisible(WindowId window) override;
    bool IsEnabled(WindowId window) override;
    Rect WindowRect(WindowId window) override;
    void ForEachChild(WindowId parent, bool allDescendants, ChildVisitor visit, void* context) override;
    WindowId FindByClass(const char* className) override;
    WindowId DesktopWindow() override;
    void Post(WindowId window, uint32_t message, WParam wParam, LParam lParam) override;
    void Send(WindowId window, uint32_t message, WParam wParam, LParam lParam) override;
    void InjectMouse(const MouseInput& input) override;
    void InjectKey(uint8_t virtualKey, bool up) override;
    bool IsKeyDown(uint8_t virtualKey) override;
    bool ButtonsSwapped() override;
    Point CursorPos() override;
    void SetCursorPos(Point point) override;
    void SetCapture(WindowId window) override;
    void ReleaseCapture() override;
    WindowId Focus() override;
    void SetFocus(WindowId window) override;
    WindowId ForegroundWindow() override;
    void BringToFront(WindowId window) override;
    ScreenArea PrimaryScreen() override;
    ScreenArea VirtualScreen() override;
    void RunCommand(const char* commandLine, int showCommand) override;

private:
    static constexpr WindowId FirstId = 0x100;
    FakeWindow* Find(WindowId id);
    void Log(Call call);
    bool Visit(WindowId parent, bool allDescendants, ChildVisitor visit, void* context);
    std::vector<FakeWindow> windows_;
};

} // namespace ptrassist::testing
