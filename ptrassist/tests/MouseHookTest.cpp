// The mouse hook's reading of wheel deltas, tilts, the menu-loop rule, and the two low-level hooks.
#include "tests/HookFixture.h"

#include <ostream>
#include <string>

namespace ptrassist::testing {
namespace {

class MouseHookTest : public HookTest {
protected:
    MouseHookTest() {
        settings.WheelEmulation = 1;
        settings.LinesPerNotch = 3;
        settings.TiltUsesVerticalSettings = 1;
        sys.UnderCursor = target;
    }

    WindowId target = sys.Add("Edit", Style::VScroll | Style::HScroll);
};

TEST_F(MouseHookTest, WheelNotchOverAScrollingWindowIsSwallowedAndScrolls) {
    EXPECT_TRUE(Hook(Wheel(target, 120)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineUp, 3));
}

struct DeltaCase {
    int Delta;
    Calls (*Expected)(WindowId target);
};

void PrintTo(const DeltaCase& c, std::ostream* os) {
    *os << "delta " << c.Delta;
}

class Windows2000DeltaTest : public HookTestWithParam<DeltaCase> {};

TEST_P(Windows2000DeltaTest, DeltasFromTheMouseDataAreCutToTheTiltDelta) {
    settings.WheelEmulation = 1;
    settings.LinesPerNotch = 1;
    settings.TiltUsesVerticalSettings = 1;
    WindowId target = sys.Add("Edit", Style::VScroll | Style::HScroll);
    sys.UnderCursor = target;
    EXPECT_TRUE(Hook(Wheel(target, GetParam().Delta)));
    EXPECT_EQ(sys.Calls, GetParam().Expected(target));
}

INSTANTIATE_TEST_SUITE_P(
    Deltas, Windows2000DeltaTest,
    ::testing::Values(
        // Eight notches at once is no turn but a tilt to the left.
        DeltaCase{960, [](WindowId t) { return ScrollRequests(t, Msg::HScroll, ScrollCode::LineUp, 1); }},
        DeltaCase{-32768, [](WindowId t) { return ScrollRequests(t, Msg::HScroll, ScrollCode::LineDown, 1); }},
        DeltaCase{840, [](WindowId t) { return ScrollRequests(t, Msg::HScroll, ScrollCode::LineUp, 1); }},
        DeltaCase{720, [](WindowId t) { return ScrollRequests(t, Msg::VScroll, ScrollCode::LineUp, 6); }},
        DeltaCase{-839, [](WindowId t) { return ScrollRequests(t, Msg::VScroll, ScrollCode::LineDown, 6); }}));

TEST_F(MouseHookTest, WheelMessageWithoutADeltaIsLeftToTheProgram) {
    EXPECT_FALSE(Hook(Wheel(target, 0)));
    shared.PlatformKind = PlatformNt4; // no low-level wheel hook put the delta in the extra information
    MouseHookEvent unmarked = Event(Msg::MouseWheel, target);
    unmarked.MouseData = static_cast<uint32_t>(MakeLong(0, 120));
    EXPECT_FALSE(Hook(unmarked));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(MouseHookTest, Nt4ReadsTheDeltaFromTheExtraInformation) {
    shared.PlatformKind = PlatformNt4;
    MouseHookEvent e = Event(Msg::MouseWheel, target, {}, 0x40010000 + 0xFF88); // -120
    EXPECT_TRUE(Hook(e));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineDown, 3));
}

TEST_F(MouseHookTest, Windows95WheelArrivesAsAMarkedMiddleRelease) {
    shared.PlatformKind = PlatformWin95;
    shared.LastAction = 17; // would swallow an ordinary middle release
    EXPECT_TRUE(Hook(Event(Msg::MButtonUp, target, {}, 0x40010078)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineUp, 3));
    EXPECT_TRUE(Hook(Event(Msg::NcMButtonUp, target, {}, 0x4001FF88)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineDown, 3));
    // Without the mark it is a middle release like any other.
    shared.LastAction = 0;
    EXPECT_FALSE(Hook(Event(Msg::MButtonUp, target, {}, 0x00010078)));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(MouseHookTest, ReverseWheelTurnsTheDirection) {
    settings.ReverseWheel = 1;
    EXPECT_TRUE(Hook(Wheel(target, 120)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineDown, 3));
    EXPECT_TRUE(Hook(Wheel(target, 840))); // tilts keep their direction
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::HScroll, ScrollCode::LineUp, 3));
}

TEST_F(MouseHookTest, ReverseTiltTurnsOnlyTilts) {
    settings.ReverseTilt = 1;
    EXPECT_TRUE(Hook(Wheel(target, 840)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::HScroll, ScrollCode::LineDown, 3));
    EXPECT_TRUE(Hook(Wheel(target, 120)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineUp, 3));
}

TEST_F(MouseHookTest, TiltModeOneSwitchesProgramsOnTheSeventhTilt) {
    settings.TiltMode = 1;
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Hook(Wheel(target, i % 2 == 0 ? 840 : -840))) << i;
    }
    EXPECT_EQ(Take(), Calls{});
    EXPECT_TRUE(Hook(Wheel(target, 840)));
    EXPECT_EQ(Take(), (Calls{KeyDown(Vk::Menu), KeyDown(Vk::Tab), KeyUp(Vk::Tab), KeyUp(Vk::Menu)}));
    EXPECT_EQ(shared.SwitchTilts, 0);
    EXPECT_TRUE(Hook(Wheel(target, 840)));
    EXPECT_EQ(shared.SwitchTilts, 1);
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(MouseHookTest, TiltModeOneLeavesWheelTurnsToTheEmulation) {
    settings.TiltMode = 1;
    EXPECT_TRUE(Hook(Wheel(target, 120)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineUp, 3));
    EXPECT_EQ(shared.SwitchTilts, 0);
}

struct BrowserTiltCase {
    uint32_t Platform;
    int Delta;
    Calls (*Expected)(WindowId target);
};

void PrintTo(const BrowserTiltCase& c, std::ostream* os) {
    *os << "platform " << c.Platform << " delta " << c.Delta;
}

class TiltModeTwoTest : public HookTestWithParam<BrowserTiltCase> {};

TEST_P(TiltModeTwoTest, SeventhTiltOfADirectionGoesBackOrForward) {
    const BrowserTiltCase& c = GetParam();
    shared.PlatformKind = c.Platform;
    settings.TiltMode = 2;
    WindowId frame = sys.Add("Browser");
    WindowId view = sys.Add("View", Style::Child, frame);
    sys.FocusWindow = view;
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Hook(Wheel(view, c.Delta)));
        EXPECT_TRUE(Hook(Wheel(view, -c.Delta))); // the other direction counts on its own
    }
    EXPECT_EQ(Take(), Calls{});
    EXPECT_TRUE(Hook(Wheel(view, c.Delta)));
    EXPECT_EQ(sys.Calls, c.Expected(view));
}

INSTANTIATE_TEST_SUITE_P(
    Directions, TiltModeTwoTest,
    ::testing::Values(
        BrowserTiltCase{PlatformWin2000, 840,
                        [](WindowId v) { return Calls{Posted(v, Msg::AppCommand, v, 0x10010000)}; }},
        BrowserTiltCase{PlatformWin2000, -840,
                        [](WindowId v) { return Calls{Posted(v, Msg::AppCommand, v, 0x10020000)}; }},
        BrowserTiltCase{
            PlatformNt4, 840,
            [](WindowId v) {
                return Calls{FocusSet(v - 1), KeyDown(Vk::Menu), KeyDown(Vk::Left), KeyUp(Vk::Left), KeyUp(Vk::Menu)};
            }},
        BrowserTiltCase{
            PlatformWin98, -840, [](WindowId v) {
                return Calls{FocusSet(v - 1), KeyDown(Vk::Menu), KeyDown(Vk::Right), KeyUp(Vk::Right), KeyUp(Vk::Menu)};
            }}));

TEST_F(MouseHookTest, WhileAMenuIsOpenInputIsLeftAlone) {
    MessageFilterHook(shared, Hook::MenuFilter, Msg::MouseMove);
    settings.Actions[0] = 13; // Enter on middle click
    EXPECT_FALSE(Hook(Wheel(target, 120)));
    EXPECT_FALSE(Hook(Event(Msg::MButtonDown, target)));
    EXPECT_EQ(Take(), Calls{});
    MessageFilterHook(shared, Hook::MenuFilter, Msg::MenuSelect);
    EXPECT_TRUE(Hook(Wheel(target, 120)));
}

TEST_F(MouseHookTest, OnlyActionCodesOtherThanNoRemoveAreHandled) {
    EXPECT_FALSE(MouseHook(ctx, -1, Wheel(target, 120)));
    EXPECT_FALSE(MouseHook(ctx, Hook::NoRemove, Wheel(target, 120)));
    EXPECT_EQ(Take(), Calls{});
    EXPECT_TRUE(MouseHook(ctx, 1, Wheel(target, 120)));
}

TEST_F(MouseHookTest, OtherEventsPassOnUntouched) {
    for (uint32_t message : {Msg::MouseMove, Msg::LButtonDown, Msg::LButtonUp, Msg::RButtonDown, Msg::MButtonUp,
                             Msg::XButtonDown, 0x020Eu /* horizontal wheel */}) {
        EXPECT_FALSE(Hook(Event(message, target))) << message;
    }
    EXPECT_FALSE(Hook(Event(Msg::LButtonDown, 0)));
    EXPECT_EQ(Take(), Calls{});
}

class LowLevelHookTest : public HookTest {};

TEST_F(LowLevelHookTest, Nt4WheelIsReinjectedWithItsDeltaInTheExtraInformation) {
    LowLevelEvent e{{15, -20}, static_cast<uint32_t>(MakeLong(0, -120)), 0, 0};
    EXPECT_TRUE(LowLevelWheelHook(ctx, Hook::Action, Msg::MouseWheel, e));
    EXPECT_EQ(Take(), Calls{Injected(MouseAction::Wheel, 0x4001FF88, -120, {15, -20})});
    e.MouseData = static_cast<uint32_t>(MakeLong(0, 240));
    e.ExtraInfo = 0xFFFF;
    EXPECT_TRUE(LowLevelWheelHook(ctx, Hook::Action, Msg::MouseWheel, e));
    EXPECT_EQ(Take(), Calls{Injected(MouseAction::Wheel, 0x400100F0, 240, {15, -20})});
}

TEST_F(LowLevelHookTest, Nt4WheelHookPassesOnItsOwnEventsAndEverythingElse) {
    LowLevelEvent e{{0, 0}, static_cast<uint32_t>(MakeLong(0, 120)), 0, 0x40010078};
    EXPECT_FALSE(LowLevelWheelHook(ctx, Hook::Action, Msg::MouseWheel, e));
    e.ExtraInfo = 0;
    EXPECT_FALSE(LowLevelWheelHook(ctx, Hook::Action, Msg::MButtonDown, e));
    EXPECT_FALSE(LowLevelWheelHook(ctx, -1, Msg::MouseWheel, e));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(LowLevelHookTest, WheelReinjectedOnNt4IsReadBackByTheMouseHook) {
    shared.PlatformKind = PlatformNt4;
    settings.WheelEmulation = 1;
    settings.LinesPerNotch = 1;
    WindowId target = sys.Add("Edit", Style::VScroll);
    sys.UnderCursor = target;
    LowLevelEvent e{{0, 0}, static_cast<uint32_t>(MakeLong(0, 240)), 0, 0};
    ASSERT_TRUE(LowLevelWheelHook(ctx, Hook::Action, Msg::MouseWheel, e));
    uintptr_t extra = Take().at(0).Mouse.ExtraInfo;
    EXPECT_TRUE(Hook(Event(Msg::MouseWheel, target, {}, extra)));
    EXPECT_EQ(Take(), ScrollRequests(target, Msg::VScroll, ScrollCode::LineUp, 2));
}

struct ExtraButtonCase {
    uint32_t Message;
    uint32_t Button;
    uint32_t Flags;
    Calls Expected;
};

void PrintTo(const ExtraButtonCase& c, std::ostream* os) {
    *os << "message 0x" << std::hex << c.Message << std::dec << " button " << c.Button << " flags " << c.Flags;
}

class ExtraButtonHookTest : public HookTestWithParam<ExtraButtonCase> {};

TEST_P(ExtraButtonHookTest, ExtraButtonsBecomeMiddleClicksNamingTheButton) {
    const ExtraButtonCase& c = GetParam();
    sys.Swapped = true; // the middle button is never swapped
    LowLevelEvent e{{0, 0}, static_cast<uint32_t>(MakeLong(0, static_cast<int32_t>(c.Button))), c.Flags, 0};
    EXPECT_EQ(LowLevelExtraButtonHook(ctx, Hook::Action, c.Message, e), !c.Expected.empty());
    EXPECT_EQ(sys.Calls, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ExtraButtonHookTest,
    ::testing::Values(ExtraButtonCase{Msg::XButtonDown, 1, 0, {Injected(MouseAction::MiddleDown, 1)}},
                      ExtraButtonCase{Msg::XButtonDown, 2, 0, {Injected(MouseAction::MiddleDown, 2)}},
                      ExtraButtonCase{Msg::XButtonUp, 1, 0, {Injected(MouseAction::MiddleUp, 0)}},
                      ExtraButtonCase{Msg::XButtonUp, 2, 0, {Injected(MouseAction::MiddleUp, 0)}},
                      ExtraButtonCase{Msg::XButtonDown, 3, 0, {}},
                      ExtraButtonCase{Msg::XButtonDown, 1, Hook::LowLevelInjected, {}},
                      ExtraButtonCase{Msg::XButtonUp, 1, Hook::LowLevelInjected, {}},
                      ExtraButtonCase{Msg::MButtonDown, 0, 0, {}}));

} // namespace
} // namespace ptrassist::testing
