// Numbers the library works with: its own notifications, modes and action codes, and the handful of window-system
// values it needs. The core sees no system header, so the system values are written out here; the Windows layer
// checks every one of them against the real headers at compile time.
#pragma once

#include <cstdint>

namespace ptrassist {

inline constexpr uint32_t LibraryVersion = 0x08000000;
inline constexpr uint32_t SettingsBlockSize = 120;
inline constexpr char SettingsMappingName[] = "KVX_PTRASSIST";

// Which Windows the library runs on; the first process to load the library decides it for all.
enum PlatformKind : uint32_t {
    PlatformUnknown = 0,
    PlatformWin95 = 1,
    PlatformWin98 = 2,   // 98 or Me
    PlatformNt4 = 3,     // NT 4 or an earlier NT
    PlatformWin2000 = 4, // 2000 or later
};

enum ProcessKind : uint32_t {
    ProcessOther = 0,
    ProcessWinword = 1,
    ProcessExcel = 3,
    ProcessNetscape6 = 4,
    ProcessRundll32 = 5,
};

enum Mode : uint32_t {
    ModeIdle = 0,
    ModeLeftLock = 56,
    ModeShiftLock = 60,
    ModeCtrlLock = 61,
    ModeHorizontalWheel = 62,
    ModeAutoScroll = 100,
    ModeRemoteScroll = 101,
    ModeStepForwarding = 102,
};

// Notifications to the controlling application.
namespace Notify {
inline constexpr uint32_t ModeStarted = 2126;
inline constexpr uint32_t ModeEnded = 2127;
inline constexpr uint32_t StepStart = 2128;
inline constexpr uint32_t StepEnd = 2129;
inline constexpr uint32_t Step = 2130;
inline constexpr uint32_t RemoteStart = 2131;
inline constexpr uint32_t RemoteEnd = 2132;
inline constexpr uint32_t Action70 = 2133;
inline constexpr uint32_t Action103 = 2134;
inline constexpr uint32_t Action71 = 2135;
inline constexpr uint32_t TaskbarCommand = 1284; // posted to the taskbar for Ctrl+Shift+middle on NT
} // namespace Notify

// Scroll kinds: the low word says how to scroll vertically, the high word horizontally.
namespace Kind {
inline constexpr uint32_t VNothing = 1;
inline constexpr uint32_t VScrollMessages = 2;
inline constexpr uint32_t VWheel = 4;
inline constexpr uint32_t VBar = 8;
inline constexpr uint32_t VKeys = 16;
inline constexpr uint32_t HNothing = 0x0001;
inline constexpr uint32_t HScrollMessages = 0x0002;
inline constexpr uint32_t HBar = 0x0004;
inline constexpr uint32_t HKeys = 0x0008;
inline constexpr uint32_t Nothing = 0x00010001;
inline constexpr uint32_t ArrowKeys = 0x00080010;
inline constexpr uint32_t ScrollMessages = 0x00020002;
} // namespace Kind

// Action codes of the button table that the hook itself treats specially.
namespace Action {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t PassOn = 45; // what a click that passes on is remembered as
inline constexpr uint32_t AutoScroll = 100;
inline constexpr uint32_t FirstUnknown = 104;
} // namespace Action

// Modifier flags (settings offset 96).
namespace Modifier {
inline constexpr uint32_t CtrlStepForwarding = 0x1;
inline constexpr uint32_t ShiftRemoteScroll = 0x2;
inline constexpr uint32_t CtrlShiftWindowsKey = 0x4;
inline constexpr uint32_t ClicksSendSteps = 0x10000;
} // namespace Modifier

inline constexpr int32_t WheelNotch = 120;
inline constexpr int32_t TiltDelta = 840;
inline constexpr int32_t MaxScrollCount = 273; // 273 notches of 120 still fit a 16-bit wheel delta
inline constexpr int32_t TiltsBeforeAction = 6;

inline constexpr uintptr_t InjectedClickMark = 0x10000; // our clicks: 1 in the high word
inline constexpr uintptr_t RemotePressMark = 0x40000;   // remote scroll's own press: 4 in the high word
inline constexpr uint32_t WheelExtraMark = 0x4001;      // high word of a wheel delta carried in extra information

// Window-system values.
namespace Msg {
inline constexpr uint32_t Close = 0x0010;
inline constexpr uint32_t KeyDown = 0x0100;
inline constexpr uint32_t KeyUp = 0x0101;
inline constexpr uint32_t SysCommand = 0x0112;
inline constexpr uint32_t HScroll = 0x0114;
inline constexpr uint32_t VScroll = 0x0115;
inline constexpr uint32_t MenuSelect = 0x011F;
inline constexpr uint32_t AppCommand = 0x0319;
inline constexpr uint32_t NcMouseMove = 0x00A0;
inline constexpr uint32_t NcLButtonDown = 0x00A1;
inline constexpr uint32_t NcLButtonDblClk = 0x00A3;
inline constexpr uint32_t NcRButtonDown = 0x00A4;
inline constexpr uint32_t NcRButtonDblClk = 0x00A6;
inline constexpr uint32_t NcMButtonDown = 0x00A7;
inline constexpr uint32_t NcMButtonUp = 0x00A8;
inline constexpr uint32_t NcMButtonDblClk = 0x00A9;
inline constexpr uint32_t NcXButtonDown = 0x00AB;
inline constexpr uint32_t NcXButtonDblClk = 0x00AD;
inline constexpr uint32_t MouseMove = 0x0200;
inline constexpr uint32_t LButtonDown = 0x0201;
inline constexpr uint32_t LButtonUp = 0x0202;
inline constexpr uint32_t LButtonDblClk = 0x0203;
inline constexpr uint32_t RButtonDown = 0x0204;
inline constexpr uint32_t RButtonUp = 0x0205;
inline constexpr uint32_t RButtonDblClk = 0x0206;
inline constexpr uint32_t MButtonDown = 0x0207;
inline constexpr uint32_t MButtonUp = 0x0208;
inline constexpr uint32_t MButtonDblClk = 0x0209;
inline constexpr uint32_t MouseWheel = 0x020A;
inline constexpr uint32_t XButtonDown = 0x020B;
inline constexpr uint32_t XButtonUp = 0x020C;
inline constexpr uint32_t XButtonDblClk = 0x020D;
} // namespace Msg

namespace Style {
inline constexpr uint32_t Popup = 0x80000000;
inline constexpr uint32_t Child = 0x40000000;
inline constexpr uint32_t Minimize = 0x20000000;
inline constexpr uint32_t Maximize = 0x01000000;
inline constexpr uint32_t VScroll = 0x00200000;
inline constexpr uint32_t HScroll = 0x00100000;
inline constexpr uint32_t SysMenu = 0x00080000;
inline constexpr uint32_t MinimizeBox = 0x00020000;
inline constexpr uint32_t MaximizeBox = 0x00010000;
inline constexpr uint32_t BarVertical = 0x0001; // scroll bar control: vertical
inline constexpr uint32_t BarSizeBox = 0x0008;  // scroll bar control: size box
} // namespace Style

namespace ScrollCode {
inline constexpr uint32_t LineUp = 0;
inline constexpr uint32_t LineDown = 1;
inline constexpr uint32_t PageUp = 2;
inline constexpr uint32_t PageDown = 3;
inline constexpr uint32_t EndScroll = 8;
} // namespace ScrollCode

namespace SysCommand {
inline constexpr uint32_t Minimize = 0xF020;
inline constexpr uint32_t Maximize = 0xF030;
inline constexpr uint32_t Close = 0xF060;
} // namespace SysCommand

namespace Hook {
inline constexpr int Action = 0;
inline constexpr int NoRemove = 3;
inline constexpr int MenuFilter = 2; // message filter code of a menu loop
inline constexpr uint32_t LowLevelInjected = 0x1;
} // namespace Hook

inline constexpr uint32_t XButton1 = 1;
inline constexpr uint32_t XButton2 = 2;

namespace Vk {
inline constexpr uint8_t Back = 0x08;
inline constexpr uint8_t Tab = 0x09;
inline constexpr uint8_t Return = 0x0D;
inline constexpr uint8_t Shift = 0x10;
inline constexpr uint8_t Control = 0x11;
inline constexpr uint8_t Menu = 0x12; // Alt
inline constexpr uint8_t Escape = 0x1B;
inline constexpr uint8_t Space = 0x20;
inline constexpr uint8_t Prior = 0x21; // Page Up
inline constexpr uint8_t Next = 0x22;  // Page Down
inline constexpr uint8_t End = 0x23;
inline constexpr uint8_t Home = 0x24;
inline constexpr uint8_t Left = 0x25;
inline constexpr uint8_t Up = 0x26;
inline constexpr uint8_t Right = 0x27;
inline constexpr uint8_t Down = 0x28;
inline constexpr uint8_t Delete = 0x2E;
inline constexpr uint8_t LWin = 0x5B;
inline constexpr uint8_t F1 = 0x70;
} // namespace Vk

namespace ShowCommand {
inline constexpr int ShowNormal = 1;
inline constexpr int Show = 5;
} // namespace ShowCommand

} // namespace ptrassist
