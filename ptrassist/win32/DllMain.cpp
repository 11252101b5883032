// Loading and unloading the library in a process: the platform kind (once for all processes), the process kind,
// the wheel-support messages of Windows 95 and the view of the named settings block.
#include "core/Environment.h"
#include "win32/Library.h"
#include "win32/Win32Platform.h"

#include <optional>

namespace ptrassist::win32 {

// One copy for every process that loads the library; a fresh library starts with the initial state.
__attribute__((section(".shared"), shared, aligned(8))) constinit SharedHookState HookState = InitialHookState();

HINSTANCE Instance = nullptr;
MouseSettingsBlock* Settings = nullptr;
ProcessState Process;

namespace {

constinit Win32Platform Platform;
HANDLE Mapping = nullptr;

std::optional<VersionInfo> ReadVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) {
        return std::nullopt;
    }
#pragma GCC diagnostic pop
    return VersionInfo{info.dwPlatformId == VER_PLATFORM_WIN32_NT, info.dwMajorVersion, info.dwMinorVersion};
}

ProcessKind OwnProcessKind() {
    char path[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length > MAX_PATH) {
        return ProcessOther;
    }
    return ProcessKindFromPath({path, length});
}

bool Attach(HINSTANCE instance) {
    DisableThreadLibraryCalls(instance);
    Instance = instance;
    if (HookState.PlatformKind == PlatformUnknown) {
        HookState.PlatformKind = PlatformKindFromVersion(ReadVersion());
    }
    if (HookState.PlatformKind == PlatformWin95) {
        Process.RollMessage = RegisterWindowMessageA("MSWHEEL_ROLLMSG");
        Process.WheelSupportMessage = RegisterWindowMessageA("MSH_WHEELSUPPORT_MSG");
        Process.ScrollLinesMessage = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
    }
    Process.Kind = OwnProcessKind();
    Mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, SettingsBlockSize, SettingsMappingName);
    if (Mapping == nullptr) {
        return false;
    }
    void* view = MapViewOfFile(Mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, SettingsBlockSize);
    if (view == nullptr) {
        CloseHandle(Mapping);
        Mapping = nullptr;
        return false;
    }
    Settings = static_cast<MouseSettingsBlock*>(view);
    return true;
}

void Detach() {
    Instance = nullptr;
    if (Settings != nullptr) {
        UnmapViewOfFile(Settings);
        Settings = nullptr;
    }
    if (Mapping != nullptr) {
        CloseHandle(Mapping);
        Mapping = nullptr;
    }
}

} // namespace

HookContext Context() {
    return {Platform, *Settings, HookState, Process};
}

} // namespace ptrassist::win32

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return ptrassist::win32::Attach(instance) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        ptrassist::win32::Detach();
        break;
    default:
        break;
    }
    return TRUE;
}
