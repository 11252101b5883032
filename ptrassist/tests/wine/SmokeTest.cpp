// Smoke test of the built DLL on Windows (run under Wine): loads ptrassist.dll from this program's folder, finds
// every export by its undecorated name, checks version and map size, sees the settings block shared with a second
// process, and calls the mouse hook for a wheel notch over a real window with a vertical scroll bar style.
// With "--child" it is that second process.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using GetPointerFn = LPVOID(WINAPI*)();
using GetDwordFn = DWORD(WINAPI*)();
using InstallHookFn = HHOOK(WINAPI*)(int);
using AutoFn = int(WINAPI*)(int);
using CreateWheelWindowFn = HWND(WINAPI*)(HINSTANCE, HWND);

const char* const ExportNames[] = {
    "GetMapFilePointer", "GetDLLVersion",     "GetDLLMapSize",      "InstallHook",       "MouseProc",
    "SyMsgHookProc",     "LowLevelMouseProc", "LowLevelMouseProc5", "CreateWheelWindow", "WheelWndProc",
    "DoAutoUp",          "DoAutoDown",        "DoAutoLeft",         "DoAutoRight",
};

// Offsets in the settings block.
constexpr size_t WheelEmulationAt = 8;
constexpr size_t PageModeAt = 24;
constexpr size_t LinesPerNotchAt = 32;
constexpr size_t ReservedAt = 60; // 16 bytes the controlling application does not use
constexpr size_t ReplyAt = 104;   // a reserved dword
constexpr char Marker[17] = "shared-block-ok!";
constexpr DWORD Reply = 0xC0FFEE;

int failures = 0;
int passes = 0;

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what);
    std::fflush(stdout);
    (ok ? passes : failures)++;
}

struct Path {
    char Text[MAX_PATH + 32] = {};
};

Path OwnPath() {
    Path path;
    GetModuleFileNameA(nullptr, path.Text, MAX_PATH);
    return path;
}

HMODULE LoadLibraryBesideMe() {
    Path path = OwnPath();
    char* slash = std::strrchr(path.Text, '\\');
    char* folderEnd = slash != nullptr ? slash + 1 : path.Text;
    std::strcpy(folderEnd, "ptrassist.dll");
    return LoadLibraryA(path.Text);
}

template <typename T> void Put(unsigned char* block, size_t offset, T value) {
    std::memcpy(block + offset, &value, sizeof value);
}

template <typename T> T Get(const unsigned char* block, size_t offset) {
    T value;
    std::memcpy(&value, block + offset, sizeof value);
    return value;
}

// The second process: sees what the first wrote and answers through the same block.
int Child() {
    HMODULE dll = LoadLibraryBesideMe();
    if (dll == nullptr) {
        return 3;
    }
    auto getPointer = reinterpret_cast<GetPointerFn>(reinterpret_cast<void*>(GetProcAddress(dll, "GetMapFilePointer")));
    auto* block = getPointer != nullptr ? static_cast<unsigned char*>(getPointer()) : nullptr;
    if (block == nullptr || std::memcmp(block + ReservedAt, Marker, 16) != 0) {
        return 2;
    }
    Put<DWORD>(block, ReplyAt, Reply);
    return 0;
}

// The second process with a hook handle: InstallHook there must find the hook the first process set.
int HookChild(const char* expected) {
    HMODULE dll = LoadLibraryBesideMe();
    auto install = dll != nullptr
                       ? reinterpret_cast<InstallHookFn>(reinterpret_cast<void*>(GetProcAddress(dll, "InstallHook")))
                       : nullptr;
    if (install == nullptr) {
        return 3;
    }
    char found[32];
    std::snprintf(found, sizeof found, "%llu",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(install(1))));
    return std::strcmp(found, expected) == 0 ? 0 : 2;
}

bool RunChild(const char* arguments) {
    char command[MAX_PATH + 96];
    std::snprintf(command, sizeof command, "\"%s\" %s", OwnPath().Text, arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("child exit code %lu\n", static_cast<unsigned long>(code));
    return code == 0;
}

struct ScrollRequest {
    WPARAM Code;
    LPARAM Bar;
};

std::vector<ScrollRequest> requests;
int wheelMessages = 0;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) {
        requests.push_back({wParam, lParam});
        return 0;
    }
    if (message == WM_MOUSEWHEEL) {
        ++wheelMessages; // the system's own handling would scroll by its own line setting
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Pump(DWORD milliseconds) {
    DWORD until = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

HWND CreateTarget() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PtrAssistSmokeTarget";
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "PtrAssistSmokeTarget", "ptrassist smoke",
                                  WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        SetForegroundWindow(window);
        Pump(300);
    }
    return window;
}

bool LineUpsAndOneEnd(size_t lineUps) {
    if (requests.size() != lineUps + 1) {
        std::printf("got %zu scroll requests\n", requests.size());
        return false;
    }
    for (size_t i = 0; i <= lineUps; ++i) {
        WPARAM expected = i < lineUps ? SB_LINEUP : SB_ENDSCROLL;
        if (requests[i].Code != expected || requests[i].Bar != 0) {
            std::printf("request %zu: code %lu bar %ld\n", i, static_cast<unsigned long>(requests[i].Code),
                        static_cast<long>(requests[i].Bar));
            return false;
        }
    }
    return true;
}

// The hooks installed for real: the hook state is shared with another process, and a wheel turn injected over
// the window goes through the system's mouse hook.
void InstalledHook(HMODULE dll, unsigned char* block, HWND window, POINT at) {
    auto install = reinterpret_cast<InstallHookFn>(reinterpret_cast<void*>(GetProcAddress(dll, "InstallHook")));
    HHOOK hook = install(1);
    Check(hook != nullptr, "InstallHook(1) sets the hooks");
    char arguments[48];
    std::snprintf(arguments, sizeof arguments, "--hook %llu",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(hook)));
    Check(RunChild(arguments), "a second process finds the hooks in the shared hook state");

    SetForegroundWindow(window);
    SetCursorPos(at.x, at.y);
    Pump(200);
    // Two lines, not the system's three: only the hook can have scrolled.
    Put<LONG>(block, LinesPerNotchAt, 2);
    requests.clear();
    wheelMessages = 0;
    INPUT wheel{};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = WHEEL_DELTA;
    SendInput(1, &wheel, sizeof wheel);
    Pump(500);
    Check(LineUpsAndOneEnd(2) && wheelMessages == 0,
          "an injected wheel notch is taken by the hook and reaches the window as two line-ups and an end");
    Check(install(0) == nullptr, "InstallHook(0) removes the hooks");
}

void WheelOverRealWindow(HMODULE dll, unsigned char* block) {
    auto mouseProc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "MouseProc")));
    Put<DWORD>(block, WheelEmulationAt, 1);
    Put<DWORD>(block, PageModeAt, 0);
    Put<LONG>(block, LinesPerNotchAt, 3);

    HWND window = CreateTarget();
    Check(window != nullptr, "a window with a vertical scroll bar style is created");
    if (window == nullptr || mouseProc == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    POINT at{(client.right - client.left) / 2, (client.bottom - client.top) / 2};
    ClientToScreen(window, &at);
    Check(WindowFromPoint(at) == window, "the window is the one under the point");

    MOUSEHOOKSTRUCTEX event{};
    event.pt = at;
    event.hwnd = window;
    event.wHitTestCode = HTCLIENT;
    event.dwExtraInfo = 0;
    event.mouseData = static_cast<DWORD>(WHEEL_DELTA) << 16; // one notch up
    requests.clear();
    LRESULT swallowed = mouseProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&event));
    Pump(300);
    Check(swallowed != 0, "MouseProc takes the wheel notch");
    Check(LineUpsAndOneEnd(3), "the window receives three line-up requests and one end-scroll request");

    // Not a wheel: passes on and posts nothing.
    requests.clear();
    event.mouseData = 0;
    LRESULT passed = mouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&event));
    Pump(100);
    Check(passed == 0 && requests.empty(), "MouseProc passes a mouse move on untouched");
    // A hook code below zero is never looked at, even with no record.
    Check(mouseProc(-1, WM_MOUSEWHEEL, 0) == 0, "MouseProc passes on a negative hook code");
    Check(mouseProc(HC_ACTION, WM_MOUSEWHEEL, 0) == 0, "MouseProc passes on a missing record");
    InstalledHook(dll, block, window, at);
    DestroyWindow(window);
}

int Parent() {
    HMODULE dll = LoadLibraryBesideMe();
    Check(dll != nullptr, "ptrassist.dll loads");
    if (dll == nullptr) {
        return 1;
    }
    for (const char* name : ExportNames) {
        char what[96];
        std::snprintf(what, sizeof what, "export %s is found by its undecorated name", name);
        Check(GetProcAddress(dll, name) != nullptr, what);
    }
    auto proc = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(dll, name)); };
    auto version = reinterpret_cast<GetDwordFn>(proc("GetDLLVersion"));
    auto mapSize = reinterpret_cast<GetDwordFn>(proc("GetDLLMapSize"));
    auto getPointer = reinterpret_cast<GetPointerFn>(proc("GetMapFilePointer"));
    auto autoUp = reinterpret_cast<AutoFn>(proc("DoAutoUp"));
    auto createWheelWindow = reinterpret_cast<CreateWheelWindowFn>(proc("CreateWheelWindow"));
    if (version == nullptr || mapSize == nullptr || getPointer == nullptr || autoUp == nullptr ||
        createWheelWindow == nullptr) {
        return 1;
    }
    Check(version() == 0x08000000, "GetDLLVersion answers 0x08000000");
    Check(mapSize() == 120, "GetDLLMapSize answers 120");
    auto* block = static_cast<unsigned char*>(getPointer());
    Check(block != nullptr, "GetMapFilePointer answers the settings block");
    if (block == nullptr) {
        return 1;
    }

    std::memcpy(block + ReservedAt, Marker, 16);
    Put<DWORD>(block, ReplyAt, 0);
    Check(RunChild("--child") && Get<DWORD>(block, ReplyAt) == Reply, "a second process shares the settings block");

    Check(autoUp(3) == 1, "DoAutoUp answers 1 with no target recorded");
    Check(createWheelWindow(GetModuleHandleA(nullptr), nullptr) == nullptr,
          "CreateWheelWindow makes no window outside Windows 95");
    WheelOverRealWindow(dll, block);
    std::memset(block, 0, 120);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
        return Child();
    }
    if (argc > 2 && std::strcmp(argv[1], "--hook") == 0) {
        return HookChild(argv[2]);
    }
    Parent();
    std::printf("smoke test: %d checks passed, %d failed\n", passes, failures);
    return failures == 0 && passes > 0 ? 0 : 1;
}
