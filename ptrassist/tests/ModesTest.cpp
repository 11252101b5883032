// The modes that button actions start: their start and end messages and what they do meanwhile.
#include "core/Scrolling.h"
#include "tests/HookFixture.h"

#include <algorithm>

#include <ostream>
#include <string>

namespace ptrassist::testing {
namespace {

constexpr WindowId Host = 0x9000;
constexpr WindowId StepWindow = 0x9100;

class ModeTest : public HookTest {
protected:
    ModeTest() {
        settings.ButtonCount = 3;
        settings.HostWindow = Host;
        settings.StepWindow = StepWindow;
        settings.WheelEmulation = 1;
        settings.LinesPerNotch = 3;
        settings.TiltUsesVerticalSettings = 1;
        settings.AutoScrollVertical = 1;
        settings.AutoScrollHorizontal = 1;
        settings.VerticalSpeed = 5;
        settings.HorizontalSpeed = 3;
        sys.FocusWindow = window;
        sys.Foreground = frame;
        sys.UnderCursor = window;
    }

    bool Start(uint32_t code, Point at = {100, 100}) {
        settings.Actions[0] = code;
        return Hook(Event(Msg::MButtonDown, window, at));
    }

    bool Press(uint32_t message, WindowId on = 0, uintptr_t extra = 0) {
        return Hook(Event(message, on != 0 ? on : window, {100, 100}, extra));
    }

    bool Move(int32_t x, int32_t y) { return Hook(Event(Msg::MouseMove, window, {x, y})); }

    WindowId frame = sys.Add("Frame", 0, 0, {0, 0, 800, 600});
    WindowId window = sys.Add("Edit", Style::Child | Style::VScroll | Style::HScroll, frame);
};

struct NotifiedModeCase {
    uint32_t Code;
    uint32_t EndMessage; // a press that ends the mode
    bool EndSwallowed;
};

void PrintTo(const NotifiedModeCase& c, std::ostream* os) {
    *os << "mode " << c.Code << " ended by 0x" << std::hex << c.EndMessage;
}

class NotifiedModeTest : public HookTestWithParam<NotifiedModeCase> {};

TEST_P(NotifiedModeTest, StartPostsTheModeAndEndPostsTheEndAndRestoresFocusWhenNothingIsInFront) {
    const NotifiedModeCase& c = GetParam();
    settings.HostWindow = Host;
    settings.AutoScrollVertical = 1;
    settings.Actions[0] = c.Code;
    WindowId window = sys.Add("Edit");
    sys.FocusWindow = window;
    sys.Foreground = window;
    ASSERT_TRUE(Hook(Event(Msg::MButtonDown, window)));
    EXPECT_EQ(shared.Mode, c.Code);
    ASSERT_FALSE(sys.Calls.empty());
    EXPECT_EQ(sys.Calls.back(), Posted(Host, Notify::ModeStarted, c.Code));
    sys.Calls.clear();
    sys.Foreground = 0;
    EXPECT_EQ(Hook(Event(c.EndMessage, window)), c.EndSwallowed);
    EXPECT_EQ(shared.Mode, ModeIdle);
    Calls calls = sys.Calls;
    auto ended = std::find(calls.begin(), calls.end(), Posted(Host, Notify::ModeEnded));
    ASSERT_NE(ended, calls.end());
    ASSERT_NE(ended + 1, calls.end());
    EXPECT_EQ(*(ended + 1), FocusSet(window));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, NotifiedModeTest,
    ::testing::Values(NotifiedModeCase{56, Msg::RButtonDown, true}, NotifiedModeCase{60, Msg::NcLButtonDown, true},
                      NotifiedModeCase{61, Msg::MButtonDown, true}, NotifiedModeCase{62, Msg::MButtonDown, true},
                      NotifiedModeCase{100, Msg::MButtonDown, true}, NotifiedModeCase{100, Msg::LButtonDown, false}));

TEST_F(ModeTest, LeftLockHoldsTheLeftButtonUntilTheNextClick) {
    ASSERT_TRUE(Start(56));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::LeftDown, 0x10000), Posted(Host, Notify::ModeStarted, 56)}));
    EXPECT_FALSE(Press(Msg::MButtonUp));               // releases pass on
    EXPECT_FALSE(Press(Msg::LButtonDown, 0, 0x10000)); // our own press
    EXPECT_FALSE(Move(5, 5));
    EXPECT_FALSE(Press(Msg::XButtonDown));
    EXPECT_EQ(Take(), Calls{});
    EXPECT_TRUE(Press(Msg::NcLButtonDown));
    EXPECT_EQ(Take(), (Calls{Posted(Host, Notify::ModeEnded), Injected(MouseAction::LeftUp, 0x10000)}));
    EXPECT_EQ(shared.Mode, ModeIdle);
}

TEST_F(ModeTest, LeftLockHoldsThePrimaryButtonWhenButtonsAreSwapped) {
    sys.Swapped = true;
    ASSERT_TRUE(Start(56));
    EXPECT_TRUE(Press(Msg::RButtonDown));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::RightDown, 0x10000), Posted(Host, Notify::ModeStarted, 56),
                             Posted(Host, Notify::ModeEnded), Injected(MouseAction::RightUp, 0x10000)}));
}

TEST_F(ModeTest, ShiftLockHoldsShiftAndSwallowsMiddleReleases) {
    sys.FocusWindow = 0;
    ASSERT_TRUE(Start(60));
    EXPECT_EQ(Take(),
              (Calls{Fronted(window), FocusSet(window), KeyDown(Vk::Shift), Posted(Host, Notify::ModeStarted, 60)}));
    EXPECT_EQ(shared.ShiftLatched, 1u);
    EXPECT_TRUE(Press(Msg::MButtonUp));
    EXPECT_FALSE(Press(Msg::LButtonUp));
    EXPECT_FALSE(Press(Msg::XButtonDown));
    EXPECT_EQ(Take(), Calls{});
    // Latched Shift makes the wheel send one notch with the Shift flag.
    EXPECT_TRUE(Hook(Wheel(window, 360, {1, 2})));
    EXPECT_EQ(Take(), Calls{Posted(window, Msg::MouseWheel, MakeLong(4, 120), MakeLong(1, 2))});
    EXPECT_TRUE(Press(Msg::RButtonDown));
    EXPECT_EQ(Take(), (Calls{KeyUp(Vk::Shift), Posted(Host, Notify::ModeEnded)}));
    EXPECT_EQ(shared.ShiftLatched, 0u);
}

TEST_F(ModeTest, CtrlLockLetsTheMiddleReleasePass) {
    ASSERT_TRUE(Start(61));
    EXPECT_EQ(Take(), (Calls{KeyDown(Vk::Control), Posted(Host, Notify::ModeStarted, 61)}));
    EXPECT_EQ(shared.CtrlLatched, 1u);
    EXPECT_FALSE(Press(Msg::MButtonUp));
    EXPECT_TRUE(Hook(Wheel(window, -120, {1, 2})));
    EXPECT_EQ(Take(), Calls{Posted(window, Msg::MouseWheel, MakeLong(8, -120), MakeLong(1, 2))});
    EXPECT_TRUE(Press(Msg::MButtonDown));
    EXPECT_EQ(Take(), (Calls{KeyUp(Vk::Control), Posted(Host, Notify::ModeEnded)}));
    EXPECT_EQ(shared.CtrlLatched, 0u);
}

TEST_F(ModeTest, HorizontalWheelTurnsTheWheelIntoTilts) {
    ASSERT_TRUE(Start(62));
    Take();
    EXPECT_TRUE(Hook(Wheel(window, 120)));
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::HScroll, ScrollCode::LineUp, 3));
    EXPECT_TRUE(Hook(Wheel(window, -240)));
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::HScroll, ScrollCode::LineDown, 3));
    EXPECT_FALSE(Press(Msg::LButtonDown));
    EXPECT_TRUE(Press(Msg::MButtonDown));
    EXPECT_EQ(Take(), Calls{Posted(Host, Notify::ModeEnded)});
}

class AutoScrollTest : public ModeTest {
protected:
    AutoScrollTest() { sys.Virtual = {-1280, -100, 2304, 868}; }
};

TEST_F(AutoScrollTest, StartRecordsTargetBoundsThresholdsAndAnchor) {
    ASSERT_TRUE(Start(100, {200, 300}));
    EXPECT_EQ(Take(), Calls{Posted(Host, Notify::ModeStarted, 100)});
    EXPECT_EQ(shared.Target, window);
    EXPECT_EQ(shared.ScrollKind, Kind::ScrollMessages);
    EXPECT_EQ(shared.VerticalThreshold, 12);
    EXPECT_EQ(shared.VerticalStep, 10);
    EXPECT_EQ(shared.HorizontalThreshold, 6);
    EXPECT_EQ(shared.HorizontalStep, 6);
    EXPECT_EQ(shared.BoundsLeft, -1280);
    EXPECT_EQ(shared.BoundsTop, -100);
    EXPECT_EQ(shared.BoundsRight, 1023);
    EXPECT_EQ(shared.BoundsBottom, 767);
    EXPECT_EQ(shared.AnchorX, 200);
    EXPECT_EQ(shared.AnchorY, 300);
    EXPECT_EQ(shared.LastX, 200);
    EXPECT_EQ(shared.LastY, 300);
}

TEST_F(AutoScrollTest, Windows95AndNt4UseThePrimaryScreen) {
    for (uint32_t platform : {PlatformWin95, PlatformNt4}) {
        shared.PlatformKind = platform;
        shared.Mode = ModeIdle;
        sys.Primary = {0, 0, 640, 480};
        ASSERT_TRUE(Start(100));
        EXPECT_EQ(shared.BoundsLeft, 0);
        EXPECT_EQ(shared.BoundsTop, 0);
        EXPECT_EQ(shared.BoundsRight, 639);
        EXPECT_EQ(shared.BoundsBottom, 479);
    }
}

TEST_F(AutoScrollTest, SpeedFiveScrollsTenAfterTwelvePixels) {
    settings.AutoScrollHorizontal = 0;
    ASSERT_TRUE(Start(100, {200, 300}));
    Take();
    EXPECT_FALSE(Move(200, 311));
    EXPECT_EQ(Take(), Calls{});
    EXPECT_FALSE(Move(200, 312));
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::VScroll, ScrollCode::LineDown, 10));
    EXPECT_EQ(shared.LastY, 312);
    EXPECT_FALSE(Move(200, 300));
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::VScroll, ScrollCode::LineUp, 10));
    EXPECT_FALSE(Move(250, 300)); // horizontal not allowed
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(AutoScrollTest, HorizontalMovesAndReversal) {
    settings.AutoScrollVertical = 0;
    settings.AutoScrollReversed = 1;
    ASSERT_TRUE(Start(100, {200, 300}));
    Take();
    EXPECT_FALSE(Move(206, 400));
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::HScroll, ScrollCode::LineUp, 6));
    EXPECT_EQ(shared.LastX, 206);
    EXPECT_EQ(shared.LastY, 300);
    EXPECT_FALSE(Move(201, 400));
    EXPECT_EQ(Take(), Calls{});
    EXPECT_FALSE(Move(200, 400));
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::HScroll, ScrollCode::LineDown, 6));
}

TEST_F(AutoScrollTest, AtTheScreenEdgeTheCursorGoesBackToTheAnchor) {
    ASSERT_TRUE(Start(100, {200, 300}));
    Take();
    EXPECT_FALSE(Move(230, 300));
    Take();
    for (Point edge : {Point{1023, 300}, Point{-1280, 300}, Point{200, -100}, Point{200, 767}}) {
        EXPECT_TRUE(Move(edge.X, edge.Y));
        EXPECT_EQ(Take(), Calls{CursorSet({200, 300})});
        EXPECT_EQ(shared.LastX, 200);
        EXPECT_EQ(shared.LastY, 300);
    }
}

TEST_F(AutoScrollTest, MiddlePressEndsAndPutsTheCursorBack) {
    ASSERT_TRUE(Start(100, {200, 300}));
    Take();
    EXPECT_TRUE(Press(Msg::NcMButtonDown));
    EXPECT_EQ(Take(), (Calls{Posted(Host, Notify::ModeEnded), CursorSet({200, 300})}));
}

TEST_F(AutoScrollTest, OutOfRangeSpeedsNeverScrollOnStillMovesNorFlood) {
    settings.VerticalSpeed = 40;
    settings.HorizontalSpeed = -0x7FFFFFFF;
    ASSERT_TRUE(Start(100, {200, 300}));
    EXPECT_EQ(shared.VerticalThreshold, 1);
    EXPECT_EQ(shared.VerticalStep, 80);
    EXPECT_EQ(shared.HorizontalThreshold, 0x7FFFFFFF);
    EXPECT_EQ(shared.HorizontalStep, 0);
    Take();
    EXPECT_FALSE(Move(200, 300));
    EXPECT_EQ(Take(), Calls{});
    settings.VerticalSpeed = 0x7FFFFFFF;
    shared.Mode = ModeIdle;
    ASSERT_TRUE(Start(100, {200, 300}));
    EXPECT_EQ(shared.VerticalStep, 273);
}

class RemoteScrollTest : public ModeTest {
protected:
    RemoteScrollTest() {
        settings.RemoteScrollWindow = remote;
        sys.Cursor = {55, 66};
    }

    WindowId remote = sys.Add("RemotePad");
};

TEST_F(RemoteScrollTest, StartRecordsTheTargetAndBringsTheRemoteWindowForward) {
    ASSERT_TRUE(Start(101, {1, 1}));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::MiddleUp, 0), Sent(Host, Notify::RemoteStart), Fronted(remote)}));
    EXPECT_EQ(shared.Mode, ModeRemoteScroll);
    EXPECT_EQ(shared.Target, window);
    EXPECT_EQ(shared.ScrollKind, Kind::ScrollMessages);
    EXPECT_EQ(shared.PreviousForeground, frame);
    EXPECT_EQ(shared.AnchorX, 55);
    EXPECT_EQ(shared.AnchorY, 66);
    // The controlling application scrolls the target through the exports meanwhile.
    EXPECT_EQ(DoAutoDown(ctx, 2), 1);
    EXPECT_EQ(Take(), ScrollRequests(window, Msg::VScroll, ScrollCode::LineDown, 2));
}

TEST_F(RemoteScrollTest, ShiftClickStartsItToo) {
    settings.ModifierFlags = Modifier::ShiftRemoteScroll;
    sys.ShiftDown = true;
    ASSERT_TRUE(Start(13));
    EXPECT_EQ(shared.Mode, ModeRemoteScroll);
}

TEST_F(RemoteScrollTest, NetscapeTargetsScrollWithArrowKeys) {
    process.Kind = ProcessNetscape6;
    ASSERT_TRUE(Start(101));
    EXPECT_EQ(shared.ScrollKind, Kind::ArrowKeys);
}

TEST_F(RemoteScrollTest, ReleaseOnTheRemoteWindowCapturesWithItsOwnPress) {
    ASSERT_TRUE(Start(101));
    Take();
    EXPECT_TRUE(Press(Msg::MButtonUp, remote));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::MiddleDown, 0x40000), Captured(remote)}));
    EXPECT_TRUE(Press(Msg::MButtonDown, remote, 0x40000));
    EXPECT_FALSE(Press(Msg::MouseMove, remote));
    EXPECT_EQ(Take(), Calls{});
    EXPECT_EQ(shared.Mode, ModeRemoteScroll);
    EXPECT_TRUE(Press(Msg::LButtonDown, remote));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::MiddleUp, 0), Sent(Host, Notify::RemoteEnd), CaptureReleased(),
                             Fronted(frame)}));
    EXPECT_EQ(shared.Mode, ModeIdle);
}

TEST_F(RemoteScrollTest, AnEventOnAnotherWindowEndsIt) {
    ASSERT_TRUE(Start(101));
    Take();
    EXPECT_TRUE(Move(3, 3));
    EXPECT_EQ(Take(), (Calls{Sent(Host, Notify::RemoteEnd), Fronted(frame)}));
    EXPECT_EQ(shared.Mode, ModeIdle);
}

TEST_F(RemoteScrollTest, TheWheelOnTheRemoteWindowEndsIt) {
    ASSERT_TRUE(Start(101));
    Take();
    EXPECT_TRUE(Hook(Wheel(remote, 120)));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::MiddleUp, 0), Sent(Host, Notify::RemoteEnd), Fronted(frame)}));
    shared.PlatformKind = PlatformWin95;
    ASSERT_TRUE(Start(101));
    Take();
    EXPECT_TRUE(Hook(Wheel(remote, 120)));
    EXPECT_EQ(Take(), (Calls{Sent(Host, Notify::RemoteEnd), Fronted(frame)}));
}

TEST_F(RemoteScrollTest, NothingInFrontBeforeMeansNothingToRestore) {
    sys.Foreground = 0;
    ASSERT_TRUE(Start(101));
    Take();
    EXPECT_TRUE(Move(3, 3));
    EXPECT_EQ(Take(), Calls{Sent(Host, Notify::RemoteEnd)});
}

TEST_F(ModeTest, StepForwardingSendsWheelStepsToTheStepWindow) {
    settings.ReverseWheel = 1;
    ASSERT_TRUE(Start(102));
    EXPECT_EQ(Take(), Calls{Sent(Host, Notify::StepStart)});
    EXPECT_TRUE(Hook(Wheel(window, 240)));
    EXPECT_FALSE(Press(Msg::MButtonUp));
    EXPECT_FALSE(Move(1, 1));
    EXPECT_EQ(Take(), Calls{Sent(StepWindow, Notify::Step, 0, -240)});
    EXPECT_TRUE(Press(Msg::LButtonDown));
    EXPECT_EQ(Take(), Calls{Sent(Host, Notify::StepEnd)});
    EXPECT_EQ(shared.Mode, ModeIdle);
}

TEST_F(ModeTest, StepForwardingWithClicksAsSteps) {
    settings.ModifierFlags = Modifier::ClicksSendSteps;
    ASSERT_TRUE(Start(102));
    Take();
    EXPECT_TRUE(Press(Msg::LButtonDown));
    EXPECT_TRUE(Press(Msg::NcRButtonDown));
    EXPECT_EQ(Take(), (Calls{Sent(StepWindow, Notify::Step, 0, -120), Sent(StepWindow, Notify::Step, 0, 120)}));
    EXPECT_TRUE(Press(Msg::XButtonDown));
    EXPECT_EQ(Take(), Calls{Sent(Host, Notify::StepEnd)});
}

TEST_F(ModeTest, OnlyOneModeAtATime) {
    ASSERT_TRUE(Start(62));
    settings.Actions[0] = 56;
    EXPECT_TRUE(Press(Msg::MButtonDown)); // ends horizontal wheel; starts nothing
    EXPECT_EQ(shared.Mode, ModeIdle);
}

} // namespace
} // namespace ptrassist::testing
