#include "tests/FakeWindows.h"

#include "core/Codes.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <strings.h>

namespace ptrassist::testing {

Call Posted(WindowId window, uint32_t message, uint64_t wParam, int64_t lParam) {
    Call c;
    c.What = Call::Kind::Post;
    c.Window = window;
    c.Message = message;
    c.WParam = wParam;
    c.LParam = lParam;
    return c;
}

Call Sent(WindowId window, uint32_t message, uint64_t wParam, int64_t lParam) {
    Call c = Posted(window, message, wParam, lParam);
    c.What = Call::Kind::Send;
    return c;
}

Call Injected(MouseAction action, uintptr_t extraInfo, int32_t data, Point position) {
    Call c;
    c.What = Call::Kind::Mouse;
    c.Mouse = {action, data, extraInfo, position};
    return c;
}

Call KeyDown(uint8_t virtualKey) {
    Call c;
    c.What = Call::Kind::Key;
    c.Key = virtualKey;
    return c;
}

Call KeyUp(uint8_t virtualKey) {
    Call c = KeyDown(virtualKey);
    c.Up = true;
    return c;
}

namespace {

Call WindowCall(Call::Kind kind, WindowId window) {
    Call c;
    c.What = kind;
    c.Window = window;
    return c;
}

const char* ActionName(MouseAction a) {
    switch (a) {
    case MouseAction::LeftDown:
        return "LeftDown";
    case MouseAction::LeftUp:
        return "LeftUp";
    case MouseAction::RightDown:
        return "RightDown";
    case MouseAction::RightUp:
        return "RightUp";
    case MouseAction::MiddleDown:
        return "MiddleDown";
    case MouseAction::MiddleUp:
        return "MiddleUp";
    case MouseAction::Wheel:
        return "Wheel";
    }
    return "?";
}

} // namespace

Call FocusSet(WindowId window) {
    return WindowCall(Call::Kind::SetFocus, window);
}
Call Fronted(WindowId window) {
    return WindowCall(Call::Kind::Front, window);
}
Call Captured(WindowId window) {
    return WindowCall(Call::Kind::Capture, window);
}
Call CaptureReleased() {
    return WindowCall(Call::Kind::ReleaseCapture, 0);
}

Call CursorSet(Point point) {
    Call c;
    c.What = Call::Kind::Cursor;
    c.Where = point;
    return c;
}

Call Ran(const std::string& commandLine, int showCommand) {
    Call c;
    c.What = Call::Kind::Run;
    c.Text = commandLine;
    c.Show = showCommand;
    return c;
}

void PrintTo(const Call& c, std::ostream* out) {
    std::ostream& o = *out;
    switch (c.What) {
    case Call::Kind::Post:
    case Call::Kind::Send:
        o << (c.What == Call::Kind::Post ? "Post(" : "Send(") << std::hex << "0x" << c.Window << ", msg 0x" << c.Message
          << ", wp 0x" << c.WParam << ", lp 0x" << c.LParam << std::dec << ")";
        break;
    case Call::Kind::Mouse:
        o << "Mouse(" << ActionName(c.Mouse.Action) << ", extra 0x" << std::hex << c.Mouse.ExtraInfo << std::dec
          << ", data " << c.Mouse.Data << ", at " << c.Mouse.Position.X << "," << c.Mouse.Position.Y << ")";
        break;
    case Call::Kind::Key:
        o << "Key(0x" << std::hex << int{c.Key} << std::dec << (c.Up ? " up)" : " down)");
        break;
    case Call::Kind::SetFocus:
        o << "SetFocus(0x" << std::hex << c.Window << std::dec << ")";
        break;
    case Call::Kind::Front:
        o << "BringToFront(0x" << std::hex << c.Window << std::dec << ")";
        break;
    case Call::Kind::Cursor:
        o << "SetCursorPos(" << c.Where.X << "," << c.Where.Y << ")";
        break;
    case Call::Kind::Capture:
        o << "SetCapture(0x" << std::hex << c.Window << std::dec << ")";
        break;
    case Call::Kind::ReleaseCapture:
        o << "ReleaseCapture()";
        break;
    case Call::Kind::Run:
        o << "Run(\"" << c.Text << "\", " << c.Show << ")";
        break;
    }
}

FakeWindows::FakeWindows() {
    Desktop = Add("#32769");
}

WindowId FakeWindows::Add(const std::string& className, uint32_t style, WindowId parent, Rect bounds) {
    WindowId id = FirstId + static_cast<WindowId>(windows_.size());
    windows_.push_back({id, parent, className, style, bounds, true, true, {}});
    if (parent != 0) {
        Window(parent).Children.push_back(id);
    }
    return id;
}

FakeWindow& FakeWindows::Window(WindowId id) {
    FakeWindow* w = Find(id);
    if (w == nullptr) {
        throw std::out_of_range("no such fake window");
    }
    return *w;
}

FakeWindow* FakeWindows::Find(WindowId id) {
    if (id < FirstId || id - FirstId >= windows_.size()) {
        return nullptr;
    }
    return &windows_[id - FirstId];
}

void FakeWindows::Log(Call call) {
    ++CallCount;
    if (Record) {
        Calls.push_back(std::move(call));
    }
}

WindowId FakeWindows::WindowFromPoint(Point) {
    return UnderCursor;
}

size_t FakeWindows::ClassName(WindowId window, char* buffer, size_t capacity) {
    FakeWindow* w = Find(window);
    if (w == nullptr) {
        return 0;
    }
    size_t n = std::min(capacity, w->Class.size());
    std::memcpy(buffer, w->Class.data(), n);
    return n;
}

uint32_t FakeWindows::Style(WindowId window) {
    FakeWindow* w = Find(window);
    return w != nullptr ? w->Style : 0;
}

WindowId FakeWindows::Parent(WindowId window) {
    FakeWindow* w = Find(window);
    return w != nullptr ? w->Parent : 0;
}

WindowId FakeWindows::RootAncestor(WindowId window) {
    FakeWindow* w = Find(window);
    while (w != nullptr && w->Parent != 0) {
        w = Find(w->Parent);
    }
    return w != nullptr ? w->Id : 0;
}

bool FakeWindows::IsWindow(WindowId window) {
    return Find(window) != nullptr;
}

bool FakeWindows::IsVisible(WindowId window) {
    for (FakeWindow* w = Find(window); w != nullptr; w = Find(w->Parent)) {
        if (!w->Visible) {
            return false;
        }
        if (w->Parent == 0) {
            return true;
        }
    }
    return false;
}

bool FakeWindows::IsEnabled(WindowId window) {
    FakeWindow* w = Find(window);
    return w != nullptr && w->Enabled;
}

Rect FakeWindows::WindowRect(WindowId window) {
    FakeWindow* w = Find(window);
    return w != nullptr ? w->Bounds : Rect{};
}

bool FakeWindows::Visit(WindowId parent, bool allDescendants, ChildVisitor visit, void* context) {
    FakeWindow* p = Find(parent);
    if (p == nullptr) {
        return true;
    }
    for (size_t i = 0; i < p->Children.size(); ++i) {
        WindowId child = p->Children[i];
        if (!visit(child, context)) {
            return false;
        }
        if (allDescendants && !Visit(child, true, visit, context)) {
            return false;
        }
    }
    return true;
}

void FakeWindows::ForEachChild(WindowId parent, bool allDescendants, ChildVisitor visit, void* context) {
    Visit(parent, allDescendants, visit, context);
}

WindowId FakeWindows::FindByClass(const char* className) {
    for (const FakeWindow& w : windows_) {
        if (w.Parent == 0 && strcasecmp(w.Class.c_str(), className) == 0) {
            return w.Id;
        }
    }
    return 0;
}

WindowId FakeWindows::DesktopWindow() {
    return Desktop;
}

void FakeWindows::Post(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
    Log(Posted(window, message, wParam, lParam));
}

void FakeWindows::Send(WindowId window, uint32_t message, WParam wParam, LParam lParam) {
    Log(Sent(window, message, wParam, lParam));
}

void FakeWindows::InjectMouse(const MouseInput& input) {
    Log(Injected(input.Action, input.ExtraInfo, input.Data, input.Position));
}

void FakeWindows::InjectKey(uint8_t virtualKey, bool up) {
    Log(up ? KeyUp(virtualKey) : KeyDown(virtualKey));
}

bool FakeWindows::IsKeyDown(uint8_t virtualKey) {
    return (virtualKey == Vk::Control && CtrlDown) || (virtualKey == Vk::Shift && ShiftDown);
}

bool FakeWindows::ButtonsSwapped() {
    return Swapped;
}

Point FakeWindows::CursorPos() {
    return Cursor;
}

void FakeWindows::SetCursorPos(Point point) {
    Cursor = point;
    Log(CursorSet(point));
}

void FakeWindows::SetCapture(WindowId window) {
    Log(Captured(window));
}

void FakeWindows::ReleaseCapture() {
    Log(CaptureReleased());
}

WindowId FakeWindows::Focus() {
    return FocusWindow;
}

void FakeWindows::SetFocus(WindowId window) {
    FocusWindow = window;
    Log(FocusSet(window));
}

WindowId FakeWindows::ForegroundWindow() {
    return Foreground;
}

void FakeWindows::BringToFront(WindowId window) {
    Foreground = RootAncestor(window);
    Log(Fronted(window));
}

ScreenArea FakeWindows::PrimaryScreen() {
    return Primary;
}

ScreenArea FakeWindows::VirtualScreen() {
    return Virtual;
}

void FakeWindows::RunCommand(const char* commandLine, int showCommand) {
    Log(Ran(commandLine, showCommand));
}

} // namespace ptrassist::testing
