#include "core/Actions.h"

#include "core/Classify.h"
#include "core/Input.h"
#include "core/Modes.h"

namespace ptrassist {

namespace {

constexpr char SystemPropertiesCommand[] = "rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0";
constexpr char ControlPanelCommand[] = "Control.exe";

// Codes 1 to 24: single keys pressed on the window.
uint8_t SingleKey(uint32_t code) {
    static constexpr uint8_t keys[] = {Vk::Escape, Vk::Back, Vk::Return, Vk::Space, Vk::Delete, Vk::Prior, Vk::Next,
                                       Vk::Tab,    Vk::Home, Vk::End,    Vk::Up,    Vk::Down,   Vk::Left,  Vk::Right};
    if (code >= 1 && code <= 10) {
        return static_cast<uint8_t>(Vk::F1 + code - 1);
    }
    return keys[code - 11];
}

void Close(const HookContext& ctx, WindowId window) {
    WindowId root = ctx.Sys.RootAncestor(window);
    if (IsDesktopIconView(ctx.Sys, window, ClassText(ctx.Sys, window))) {
        PostTo(ctx, root, Msg::Close);
    } else if (ctx.Sys.IsWindow(root)) {
        PostTo(ctx, root, Msg::SysCommand, SysCommand::Close);
    }
}

// Maximise or minimise the nearest window, from this one upwards, that offers it.
void SizeWindow(const HookContext& ctx, WindowId window, bool maximise) {
    uint32_t box = maximise ? Style::MaximizeBox : Style::MinimizeBox;
    for (WindowId w = window; w != 0; w = ctx.Sys.Parent(w)) {
        uint32_t style = ctx.Sys.Style(w);
        if ((style & box) == 0 || (style & Style::SysMenu) == 0 || ClassText(ctx.Sys, w).Is("SHELLDLL_DefView")) {
            continue;
        }
        if ((style & (maximise ? Style::Maximize : Style::Minimize)) == 0) {
            PostTo(ctx, w, Msg::SysCommand, maximise ? SysCommand::Maximize : SysCommand::Minimize);
        }
        return;
    }
}

void DoubleClick(const HookContext& ctx) {
    for (int i = 0; i < 2; ++i) {
        InjectButton(ctx, Button::Primary, false, InjectedClickMark);
        InjectButton(ctx, Button::Primary, true, InjectedClickMark);
    }
}

} // namespace

bool RunAction(const HookContext& ctx, uint32_t code, uint32_t index, const DispatchEvent& event) {
    WindowId w = event.Window;
    WindowId host = ctx.Settings.HostWindow;
    if (code >= 1 && code <= 24) {
        PressKeyOn(ctx, w, SingleKey(code));
        return true;
    }
    switch (code) {
    case 25:
        CtrlShortcut(ctx, w, 'Z');
        return true;
    case 26:
        CtrlShortcut(ctx, w, 'Y');
        return true;
    case 27:
        CtrlShortcut(ctx, w, 'X');
        return true;
    case 28:
        CtrlShortcut(ctx, w, 'C');
        return true;
    case 29:
        CtrlShortcut(ctx, w, 'V');
        return true;
    case 40:
        AltTab(ctx);
        return true;
    case 41:
        WindowsShortcut(ctx, {'E'});
        return true;
    case 42:
        WindowsShortcut(ctx, {Vk::Control, 'F'});
        return true;
    case 43:
        WindowsShortcut(ctx, {'F'});
        return true;
    case 44:
        WindowsShortcut(ctx, {Vk::F1});
        return true;
    case 46:
        WindowsShortcut(ctx, {'M'});
        return true;
    case 47:
        WindowsShortcut(ctx, {'R'});
        return true;
    case 48:
        WindowsShortcut(ctx, {});
        return true;
    case 49:
        ctx.Sys.RunCommand(SystemPropertiesCommand, ShowCommand::Show);
        return true;
    case 50:
        WindowsShortcut(ctx, {Vk::Shift, 'M'});
        return true;
    case 51:
        ctx.Sys.RunCommand(ControlPanelCommand, ShowCommand::ShowNormal);
        return true;
    case 52:
        Close(ctx, w);
        return true;
    case 53:
        DoubleClick(ctx);
        return true;
    case 54:
    case 55:
        SizeWindow(ctx, w, code == 54);
        return true;
    case 56:
        StartLeftLock(ctx, w);
        return true;
    case 60:
    case 61:
        StartKeyLock(ctx, w, code == 60);
        return true;
    case 62:
        StartHorizontalWheel(ctx);
        return true;
    case 70:
        PostTo(ctx, host, Notify::Action70);
        return true;
    case 71:
        PostTo(ctx, host, Notify::Action71);
        return true;
    case 72:
    case 73:
        BrowserBackForward(ctx, w, code == 73);
        return true;
    case 100:
        StartAutoScroll(ctx, w, event.Position);
        return true;
    case 101:
        return StartRemoteScroll(ctx, w);
    case 102:
        return StartStepForwarding(ctx);
    case 103:
        PostTo(ctx, host, Notify::Action103, index);
        return true;
    default:
        return false;
    }
}

} // namespace ptrassist
