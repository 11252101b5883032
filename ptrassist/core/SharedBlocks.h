// The two blocks every copy of the library shares: the settings the controlling application writes into the named
// mapping, and the hook state kept in the library's shared data section. Both layouts are fixed byte for byte, since
// the 32-bit and 64-bit libraries and the controlling application all read them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ptrassist {

#pragma pack(push, 1)

struct MouseSettingsBlock {
    uint16_t ButtonCount;              // above 3 enables the extra-button hook
    uint16_t TiltUsesVerticalSettings; // 1: tilt uses LinesPerNotch/PageMode
    uint32_t Nt4WheelHook;
    uint32_t WheelEmulation;
    uint32_t ReverseWheel;
    uint32_t ReverseTilt;
    uint8_t Reserved20[4];
    uint32_t PageMode;
    uint32_t TiltPageMode;
    int32_t LinesPerNotch;
    uint32_t TiltLines;
    uint32_t AutoScrollVertical;
    uint32_t AutoScrollHorizontal;
    uint32_t AutoScrollReversed;
    int32_t VerticalSpeed;
    int32_t HorizontalSpeed;
    uint8_t Reserved60[16];
    uint32_t Actions[5]; // action code per button index
    uint32_t ModifierFlags;
    uint32_t HostWindow;
    uint32_t Reserved104;
    uint32_t StepWindow;
    uint32_t RemoteScrollWindow;
    uint32_t TiltMode;
};

struct SharedHookState {
    uint32_t ScrollKind;
    uint32_t Target;
    uint32_t VerticalBar;
    uint32_t HorizontalBar;
    uint32_t PreviousForeground;
    uint8_t Unused20[4];
    int32_t AnchorX;
    int32_t AnchorY;
    int32_t LastX;
    int32_t LastY;
    int32_t BoundsLeft;
    int32_t BoundsTop;
    int32_t BoundsRight;
    int32_t BoundsBottom;
    int32_t VerticalThreshold;
    int32_t HorizontalThreshold;
    int32_t VerticalStep;
    int32_t HorizontalStep;
    uint32_t LastAction;
    uint32_t PlatformKind;
    uint32_t Mode;
    uint32_t CtrlLatched;
    uint32_t ShiftLatched;
    uint32_t MouseHook;
    uint32_t MessageFilterHook;
    uint32_t MenuLoopMark;
    uint32_t WheelHook;
    uint32_t ExtraButtonHook;
    int32_t SwitchTilts;
    int32_t BackTilts;
    int32_t ForwardTilts;
};

#pragma pack(pop)

static_assert(sizeof(MouseSettingsBlock) == 120);
static_assert(offsetof(MouseSettingsBlock, ButtonCount) == 0);
static_assert(offsetof(MouseSettingsBlock, TiltUsesVerticalSettings) == 2);
static_assert(offsetof(MouseSettingsBlock, Nt4WheelHook) == 4);
static_assert(offsetof(MouseSettingsBlock, WheelEmulation) == 8);
static_assert(offsetof(MouseSettingsBlock, ReverseWheel) == 12);
static_assert(offsetof(MouseSettingsBlock, ReverseTilt) == 16);
static_assert(offsetof(MouseSettingsBlock, Reserved20) == 20);
static_assert(offsetof(MouseSettingsBlock, PageMode) == 24);
static_assert(offsetof(MouseSettingsBlock, TiltPageMode) == 28);
static_assert(offsetof(MouseSettingsBlock, LinesPerNotch) == 32);
static_assert(offsetof(MouseSettingsBlock, TiltLines) == 36);
static_assert(offsetof(MouseSettingsBlock, AutoScrollVertical) == 40);
static_assert(offsetof(MouseSettingsBlock, AutoScrollHorizontal) == 44);
static_assert(offsetof(MouseSettingsBlock, AutoScrollReversed) == 48);
static_assert(offsetof(MouseSettingsBlock, VerticalSpeed) == 52);
static_assert(offsetof(MouseSettingsBlock, HorizontalSpeed) == 56);
static_assert(offsetof(MouseSettingsBlock, Reserved60) == 60);
static_assert(offsetof(MouseSettingsBlock, Actions) == 76);
static_assert(offsetof(MouseSettingsBlock, ModifierFlags) == 96);
static_assert(offsetof(MouseSettingsBlock, HostWindow) == 100);
static_assert(offsetof(MouseSettingsBlock, Reserved104) == 104);
static_assert(offsetof(MouseSettingsBlock, StepWindow) == 108);
static_assert(offsetof(MouseSettingsBlock, RemoteScrollWindow) == 112);
static_assert(offsetof(MouseSettingsBlock, TiltMode) == 116);

static_assert(sizeof(SharedHookState) == 124);
static_assert(offsetof(SharedHookState, ScrollKind) == 0);
static_assert(offsetof(SharedHookState, Target) == 4);
static_assert(offsetof(SharedHookState, VerticalBar) == 8);
static_assert(offsetof(SharedHookState, HorizontalBar) == 12);
static_assert(offsetof(SharedHookState, PreviousForeground) == 16);
static_assert(offsetof(SharedHookState, Unused20) == 20);
static_assert(offsetof(SharedHookState, AnchorX) == 24);
static_assert(offsetof(SharedHookState, AnchorY) == 28);
static_assert(offsetof(SharedHookState, LastX) == 32);
static_assert(offsetof(SharedHookState, LastY) == 36);
static_assert(offsetof(SharedHookState, BoundsLeft) == 40);
static_assert(offsetof(SharedHookState, BoundsTop) == 44);
static_assert(offsetof(SharedHookState, BoundsRight) == 48);
static_assert(offsetof(SharedHookState, BoundsBottom) == 52);
static_assert(offsetof(SharedHookState, VerticalThreshold) == 56);
static_assert(offsetof(SharedHookState, HorizontalThreshold) == 60);
static_assert(offsetof(SharedHookState, VerticalStep) == 64);
static_assert(offsetof(SharedHookState, HorizontalStep) == 68);
static_assert(offsetof(SharedHookState, LastAction) == 72);
static_assert(offsetof(SharedHookState, PlatformKind) == 76);
static_assert(offsetof(SharedHookState, Mode) == 80);
static_assert(offsetof(SharedHookState, CtrlLatched) == 84);
static_assert(offsetof(SharedHookState, ShiftLatched) == 88);
static_assert(offsetof(SharedHookState, MouseHook) == 92);
static_assert(offsetof(SharedHookState, MessageFilterHook) == 96);
static_assert(offsetof(SharedHookState, MenuLoopMark) == 100);
static_assert(offsetof(SharedHookState, WheelHook) == 104);
static_assert(offsetof(SharedHookState, ExtraButtonHook) == 108);
static_assert(offsetof(SharedHookState, SwitchTilts) == 112);
static_assert(offsetof(SharedHookState, BackTilts) == 116);
static_assert(offsetof(SharedHookState, ForwardTilts) == 120);

// The state a fresh library starts with: everything zero except the thresholds and steps of auto scroll.
constexpr SharedHookState InitialHookState() {
    SharedHookState state{};
    state.VerticalThreshold = 1;
    state.HorizontalThreshold = 1;
    state.VerticalStep = 1;
    state.HorizontalStep = 1;
    return state;
}

} // namespace ptrassist
