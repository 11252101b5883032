// The window system as the hook logic sees it, on the user interface calls of Windows.
#pragma once

#include "core/Platform.h"

namespace ptrassist::win32 {

class Win32Platform final : public Platform {
public:
    constexpr Win32Platform() = default;

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
};

} // namespace ptrassist::win32
