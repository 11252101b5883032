// The exported functions: the settings block, the version, the hooks and the auto-scroll calls. The hook procedures
// unpack their arguments for the hook logic and pass on to the next hook whatever it does not take.
#include "win32/Exports.h"

#include "core/Environment.h"
#include "core/Hooks.h"
#include "core/Scrolling.h"
#include "win32/Library.h"

using namespace ptrassist;
using namespace ptrassist::win32;

namespace {

LRESULT PassOn(uint32_t hook, int code, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(ToHook(hook), code, wParam, lParam);
}

// Sets one hook unless its handle is already there; answers the handle it has now (0 when setting failed).
uint32_t EnsureHook(uint32_t handle, int kind, HOOKPROC procedure, HHOOK& last) {
    if (handle == 0) {
        handle = ToId(SetWindowsHookExA(kind, procedure, Instance, 0));
    }
    if (handle != 0) {
        last = ToHook(handle);
    }
    return handle;
}

uint32_t RemoveHook(uint32_t handle) {
    if (handle != 0) {
        UnhookWindowsHookEx(ToHook(handle));
    }
    return 0;
}

bool ReadLowLevel(LPARAM lParam, LowLevelEvent& event) {
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    if (info == nullptr || Settings == nullptr) {
        return false;
    }
    event.Position = {info->pt.x, info->pt.y};
    event.MouseData = info->mouseData;
    event.Flags = info->flags;
    event.ExtraInfo = info->dwExtraInfo;
    return true;
}

} // namespace

extern "C" {

LPVOID WINAPI GetMapFilePointer() {
    return Settings;
}

DWORD WINAPI GetDLLVersion() {
    return LibraryVersion;
}

DWORD WINAPI GetDLLMapSize() {
    return SettingsBlockSize;
}

HHOOK WINAPI InstallHook(int flag) {
    SharedHookState& s = HookState;
    HHOOK last = nullptr;
    if (flag == 0) {
        s.MouseHook = RemoveHook(s.MouseHook);
        s.MessageFilterHook = RemoveHook(s.MessageFilterHook);
        s.WheelHook = RemoveHook(s.WheelHook);
        s.ExtraButtonHook = RemoveHook(s.ExtraButtonHook);
        return nullptr;
    }
    if (Settings == nullptr) {
        return nullptr;
    }
    uint32_t wanted = HooksWanted(*Settings, s.PlatformKind);
    if ((wanted & HookMouse) != 0) {
        s.MouseHook = EnsureHook(s.MouseHook, WH_MOUSE, MouseProc, last);
    }
    if ((wanted & HookMessageFilter) != 0) {
        s.MessageFilterHook = EnsureHook(s.MessageFilterHook, WH_SYSMSGFILTER, SyMsgHookProc, last);
    }
    if ((wanted & HookWheel) != 0) {
        s.WheelHook = EnsureHook(s.WheelHook, WH_MOUSE_LL, LowLevelMouseProc, last);
    }
    if ((wanted & HookExtraButtons) != 0) {
        s.ExtraButtonHook = EnsureHook(s.ExtraButtonHook, WH_MOUSE_LL, LowLevelMouseProc5, last);
    }
    return last;
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (code >= 0 && info != nullptr && Settings != nullptr) {
        MouseHookEvent event;
        event.Message = static_cast<uint32_t>(wParam);
        event.Window = ToId(info->hwnd);
        event.Position = {info->pt.x, info->pt.y};
        event.HitTest = info->wHitTestCode;
        event.ExtraInfo = info->dwExtraInfo;
        // Only Windows 2000 and later pass the extended record that carries the wheel delta.
        if (wParam == WM_MOUSEWHEEL && HookState.PlatformKind == PlatformWin2000) {
            event.MouseData = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam)->mouseData;
        }
        if (MouseHook(Context(), code, event)) {
            return 1;
        }
    }
    return PassOn(HookState.MouseHook, code, wParam, lParam);
}

LRESULT CALLBACK SyMsgHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && message != nullptr) {
        MessageFilterHook(HookState, code, message->message);
    }
    return PassOn(HookState.MessageFilterHook, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
    LowLevelEvent event;
    if (ReadLowLevel(lParam, event) && LowLevelWheelHook(Context(), code, static_cast<uint32_t>(wParam), event)) {
        return 1;
    }
    return PassOn(HookState.WheelHook, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelMouseProc5(int code, WPARAM wParam, LPARAM lParam) {
    LowLevelEvent event;
    if (ReadLowLevel(lParam, event) && LowLevelExtraButtonHook(Context(), code, static_cast<uint32_t>(wParam), event)) {
        return 1;
    }
    return PassOn(HookState.ExtraButtonHook, code, wParam, lParam);
}

int WINAPI DoAutoUp(int count) {
    return Settings != nullptr ? ptrassist::DoAutoUp(Context(), count) : 1;
}

int WINAPI DoAutoDown(int count) {
    return Settings != nullptr ? ptrassist::DoAutoDown(Context(), count) : 1;
}

int WINAPI DoAutoLeft(int count) {
    return Settings != nullptr ? ptrassist::DoAutoLeft(Context(), count) : 1;
}

int WINAPI DoAutoRight(int count) {
    return Settings != nullptr ? ptrassist::DoAutoRight(Context(), count) : 1;
}

} // extern "C"
