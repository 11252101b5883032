// The library's state in this process and in the section shared by every process that loads it.
#pragma once

#include "core/HookContext.h"

#include <windows.h>

namespace ptrassist::win32 {

// Window and hook handles keep 32 significant bits; widening sign-extends them, as the system does.
inline HWND ToWindow(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(id)));
}
inline WindowId ToId(HWND window) {
    return static_cast<WindowId>(reinterpret_cast<uintptr_t>(window));
}
inline HHOOK ToHook(uint32_t id) {
    return reinterpret_cast<HHOOK>(static_cast<intptr_t>(static_cast<int32_t>(id)));
}
inline uint32_t ToId(HHOOK hook) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hook));
}

extern SharedHookState HookState; // shared by all processes
extern HINSTANCE Instance;
extern MouseSettingsBlock* Settings; // this process's view of the named block; null until loaded
extern ProcessState Process;

// The context of one hook call; only valid while Settings is set.
HookContext Context();

} // namespace ptrassist::win32
