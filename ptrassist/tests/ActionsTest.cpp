// Middle and extra button clicks: the action table, its key sequences and the dispatcher's rules around it.
#include "tests/HookFixture.h"

#include <string>

#include <ostream>
#include <string>

namespace ptrassist::testing {
namespace {

constexpr WindowId Host = 0x9000;

class ActionTest : public HookTest {
protected:
    ActionTest() {
        settings.ButtonCount = 5;
        settings.HostWindow = Host;
        sys.FocusWindow = window;
    }

    // A middle press of button index on the window.
    bool Click(uint32_t code, uint32_t index = 0, WindowId on = 0) {
        settings.Actions[index] = code;
        return Hook(Event(Msg::MButtonDown, on != 0 ? on : window, {30, 40}, index));
    }

    bool Release(WindowId on = 0) { return Hook(Event(Msg::MButtonUp, on != 0 ? on : window)); }

    WindowId frame = sys.Add("Frame", Style::SysMenu | Style::MaximizeBox | Style::MinimizeBox);
    WindowId window = sys.Add("Edit", Style::Child, frame);
};

struct KeyCase {
    uint32_t Code;
    uint8_t Key;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << "code " << c.Code;
}

class SingleKeyTest : public HookTestWithParam<KeyCase> {};

TEST_P(SingleKeyTest, PressesTheKeyOnTheWindowThatHasTheFocus) {
    WindowId window = sys.Add("Edit");
    sys.FocusWindow = window;
    settings.Actions[0] = GetParam().Code;
    EXPECT_TRUE(Hook(Event(Msg::MButtonDown, window)));
    EXPECT_EQ(sys.Calls, (Calls{KeyDown(GetParam().Key), KeyUp(GetParam().Key)}));
}

INSTANTIATE_TEST_SUITE_P(Keys, SingleKeyTest,
                         ::testing::Values(KeyCase{1, 0x70}, KeyCase{2, 0x71}, KeyCase{3, 0x72}, KeyCase{4, 0x73},
                                           KeyCase{5, 0x74}, KeyCase{6, 0x75}, KeyCase{7, 0x76}, KeyCase{8, 0x77},
                                           KeyCase{9, 0x78}, KeyCase{10, 0x79}, KeyCase{11, 0x1B}, KeyCase{12, 0x08},
                                           KeyCase{13, 0x0D}, KeyCase{14, 0x20}, KeyCase{15, 0x2E}, KeyCase{16, 0x21},
                                           KeyCase{17, 0x22}, KeyCase{18, 0x09}, KeyCase{19, 0x24}, KeyCase{20, 0x23},
                                           KeyCase{21, 0x26}, KeyCase{22, 0x28}, KeyCase{23, 0x25}, KeyCase{24, 0x27}));

TEST_F(ActionTest, SingleKeyOnAWindowWithoutFocusBringsItToTheFrontFirst) {
    sys.FocusWindow = 0;
    EXPECT_TRUE(Click(13));
    EXPECT_EQ(Take(), (Calls{Fronted(window), FocusSet(window), KeyDown(0x0D), KeyUp(0x0D)}));
}

struct SequenceCase {
    uint32_t Code;
    Calls (*Expected)(WindowId window, WindowId desktop);
};

void PrintTo(const SequenceCase& c, std::ostream* os) {
    *os << "code " << c.Code;
}

class ShortcutTest : public HookTestWithParam<SequenceCase> {};

TEST_P(ShortcutTest, SendsTheExactKeySequence) {
    WindowId window = sys.Add("Edit");
    settings.Actions[0] = GetParam().Code;
    EXPECT_TRUE(Hook(Event(Msg::MButtonDown, window)));
    EXPECT_EQ(sys.Calls, GetParam().Expected(window, sys.Desktop));
}

Calls Ctrl(WindowId w, uint8_t key) {
    return {FocusSet(w), KeyDown(Vk::Control), KeyDown(key), KeyUp(key), KeyUp(Vk::Control)};
}

Calls Win(WindowId desktop, std::initializer_list<uint8_t> keys) {
    Calls calls{Fronted(desktop), KeyDown(Vk::LWin)};
    for (uint8_t k : keys) {
        calls.push_back(KeyDown(k));
    }
    for (auto it = keys.end(); it != keys.begin();) {
        calls.push_back(KeyUp(*--it));
    }
    calls.push_back(KeyUp(Vk::LWin));
    return calls;
}

INSTANTIATE_TEST_SUITE_P(
    Shortcuts, ShortcutTest,
    ::testing::Values(
        SequenceCase{25, [](WindowId w, WindowId) { return Ctrl(w, 'Z'); }},
        SequenceCase{26, [](WindowId w, WindowId) { return Ctrl(w, 'Y'); }},
        SequenceCase{27, [](WindowId w, WindowId) { return Ctrl(w, 'X'); }},
        SequenceCase{28, [](WindowId w, WindowId) { return Ctrl(w, 'C'); }},
        SequenceCase{29, [](WindowId w, WindowId) { return Ctrl(w, 'V'); }},
        SequenceCase{40,
                     [](WindowId, WindowId) {
                         return Calls{KeyDown(Vk::Menu), KeyDown(Vk::Tab), KeyUp(Vk::Tab), KeyUp(Vk::Menu)};
                     }},
        SequenceCase{41, [](WindowId, WindowId d) { return Win(d, {'E'}); }},
        SequenceCase{42,
                     [](WindowId, WindowId d) {
                         return Calls{Fronted(d), KeyDown(Vk::LWin),  KeyDown(Vk::Control), KeyDown('F'),
                                      KeyUp('F'), KeyUp(Vk::Control), KeyUp(Vk::LWin)};
                     }},
        SequenceCase{43, [](WindowId, WindowId d) { return Win(d, {'F'}); }},
        SequenceCase{44, [](WindowId, WindowId d) { return Win(d, {0x70}); }},
        SequenceCase{46, [](WindowId, WindowId d) { return Win(d, {'M'}); }},
        SequenceCase{47, [](WindowId, WindowId d) { return Win(d, {'R'}); }},
        SequenceCase{48,
                     [](WindowId, WindowId d) {
                         return Calls{Fronted(d), KeyDown(Vk::LWin), KeyUp(Vk::LWin)};
                     }},
        SequenceCase{50,
                     [](WindowId, WindowId d) {
                         return Calls{Fronted(d), KeyDown(Vk::LWin), KeyDown(Vk::Shift), KeyDown('M'),
                                      KeyUp('M'), KeyUp(Vk::Shift),  KeyUp(Vk::LWin)};
                     }},
        SequenceCase{
            49,
            [](WindowId, WindowId) { return Calls{Ran("rundll32.exe shell32.dll,Control_RunDLL sysdm.cpl,,0", 5)}; }},
        SequenceCase{51, [](WindowId, WindowId) { return Calls{Ran("Control.exe", 1)}; }},
        SequenceCase{53, [](WindowId, WindowId) {
                         Calls one{Injected(MouseAction::LeftDown, 0x10000), Injected(MouseAction::LeftUp, 0x10000)};
                         Calls two = one;
                         two.insert(two.end(), one.begin(), one.end());
                         return two;
                     }}));

TEST_F(ActionTest, DoubleClickUsesThePrimaryButtonWhenButtonsAreSwapped) {
    sys.Swapped = true;
    EXPECT_TRUE(Click(53));
    EXPECT_EQ(Take(), (Calls{Injected(MouseAction::RightDown, 0x10000), Injected(MouseAction::RightUp, 0x10000),
                             Injected(MouseAction::RightDown, 0x10000), Injected(MouseAction::RightUp, 0x10000)}));
}

TEST_F(ActionTest, CloseAsksTheTopLevelWindowToClose) {
    EXPECT_TRUE(Click(52));
    EXPECT_EQ(Take(), Calls{Posted(frame, Msg::SysCommand, SysCommand::Close)});
}

TEST_F(ActionTest, CloseOnTheDesktopIconsClosesTheProgramManager) {
    WindowId progman = sys.Add("Progman");
    WindowId defView = sys.Add("SHELLDLL_DefView", Style::Child, progman);
    WindowId icons = sys.Add("SysListView32", Style::Child, defView);
    EXPECT_TRUE(Click(52, 0, icons));
    EXPECT_EQ(Take(), Calls{Posted(progman, Msg::Close)});
}

TEST_F(ActionTest, CloseOnAWindowThatIsGoneDoesNothing) {
    EXPECT_TRUE(Click(52, 0, 0x7777));
    EXPECT_EQ(Take(), Calls{});
}

struct SizeCase {
    uint32_t Code;
    uint32_t FrameStyle;
    Calls (*Expected)(WindowId frame);
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << "code " << c.Code << " style 0x" << std::hex << c.FrameStyle;
}

class SizeActionTest : public HookTestWithParam<SizeCase> {};

TEST_P(SizeActionTest, TheNearestWindowWithTheBoxAndASystemMenu) {
    const SizeCase& c = GetParam();
    WindowId frame = sys.Add("Frame", c.FrameStyle);
    // The folder view has the boxes but is never the one sized; the pane has a box but no system menu.
    WindowId view =
        sys.Add("SHELLDLL_DefView", Style::Child | Style::SysMenu | Style::MaximizeBox | Style::MinimizeBox, frame);
    WindowId pane = sys.Add("Pane", Style::Child | Style::MaximizeBox | Style::MinimizeBox, view);
    settings.Actions[0] = c.Code;
    EXPECT_TRUE(Hook(Event(Msg::MButtonDown, pane)));
    EXPECT_EQ(sys.Calls, c.Expected(frame));
}

constexpr uint32_t Boxes = Style::SysMenu | Style::MaximizeBox | Style::MinimizeBox;

INSTANTIATE_TEST_SUITE_P(
    Boxes, SizeActionTest,
    ::testing::Values(
        SizeCase{54, Boxes, [](WindowId f) { return Calls{Posted(f, Msg::SysCommand, SysCommand::Maximize)}; }},
        SizeCase{55, Boxes, [](WindowId f) { return Calls{Posted(f, Msg::SysCommand, SysCommand::Minimize)}; }},
        SizeCase{54, Boxes | Style::Maximize, [](WindowId) { return Calls{}; }},
        SizeCase{55, Boxes | Style::Minimize, [](WindowId) { return Calls{}; }},
        SizeCase{54, Style::SysMenu | Style::MinimizeBox, [](WindowId) { return Calls{}; }},
        SizeCase{55, Style::MinimizeBox, [](WindowId) { return Calls{}; }}));

TEST_F(ActionTest, NotificationsGoToTheHostWindow) {
    EXPECT_TRUE(Click(70));
    EXPECT_TRUE(Click(71));
    EXPECT_TRUE(Click(103, 2));
    EXPECT_EQ(Take(), (Calls{Posted(Host, Notify::Action70), Posted(Host, Notify::Action71),
                             Posted(Host, Notify::Action103, 2)}));
}

TEST_F(ActionTest, NotificationsWithoutAHostWindowAreNotPostedAnywhere) {
    settings.HostWindow = 0;
    EXPECT_TRUE(Click(70));
    EXPECT_TRUE(Click(103));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ActionTest, BrowserBackAndForward) {
    EXPECT_TRUE(Click(72));
    EXPECT_TRUE(Click(73));
    EXPECT_EQ(Take(), (Calls{Posted(window, Msg::AppCommand, window, 0x10010000),
                             Posted(window, Msg::AppCommand, window, 0x10020000)}));
    shared.PlatformKind = PlatformNt4;
    EXPECT_TRUE(Click(73));
    EXPECT_EQ(Take(),
              (Calls{FocusSet(frame), KeyDown(Vk::Menu), KeyDown(Vk::Right), KeyUp(Vk::Right), KeyUp(Vk::Menu)}));
}

struct IndexCase {
    uint16_t Buttons;
    uint32_t Index;
    uint32_t UsedIndex;
};

void PrintTo(const IndexCase& c, std::ostream* os) {
    *os << "buttons " << c.Buttons << " index " << c.Index;
}

class ButtonIndexTest : public HookTestWithParam<IndexCase> {};

TEST_P(ButtonIndexTest, IndicesBeyondTheButtonsUseTheWheelButtonsAction) {
    const IndexCase& c = GetParam();
    settings.ButtonCount = c.Buttons;
    settings.HostWindow = Host;
    for (uint32_t i = 0; i < 5; ++i) {
        settings.Actions[i] = 103; // reports the index it ran for
    }
    settings.Actions[0] = 70;
    EXPECT_TRUE(Hook(Event(Msg::MButtonDown, sys.Add("Edit"), {}, 0x12340000 | c.Index)));
    Call expected = c.UsedIndex == 0 ? Posted(Host, Notify::Action70) : Posted(Host, Notify::Action103, c.UsedIndex);
    EXPECT_EQ(sys.Calls, Calls{expected});
}

INSTANTIATE_TEST_SUITE_P(Indices, ButtonIndexTest,
                         ::testing::Values(IndexCase{5, 1, 1}, IndexCase{5, 2, 2}, IndexCase{4, 1, 1},
                                           IndexCase{4, 2, 0}, IndexCase{3, 1, 0}, IndexCase{0, 0, 0},
                                           IndexCase{0, 1, 0},
                                           // More buttons than the table has slots: still index 0.
                                           IndexCase{100, 5, 0}, IndexCase{0xFFFF, 0xFFFF, 0}, IndexCase{7, 4, 4}));

TEST_F(ActionTest, HandledClickSwallowsItsRelease) {
    EXPECT_TRUE(Click(13));
    EXPECT_TRUE(Release());
    EXPECT_TRUE(Hook(Event(Msg::NcMButtonUp, window)));
}

class PassingCodeTest : public HookTestWithParam<uint32_t> {};

TEST_P(PassingCodeTest, ClickAndReleasePassOn) {
    settings.ButtonCount = 3;
    WindowId window = sys.Add("Edit");
    shared.LastAction = 13; // an earlier handled click
    settings.Actions[0] = GetParam();
    EXPECT_FALSE(Hook(Event(Msg::MButtonDown, window)));
    EXPECT_FALSE(Hook(Event(Msg::MButtonUp, window)));
    EXPECT_EQ(sys.Calls, Calls{});
}

INSTANTIATE_TEST_SUITE_P(Codes, PassingCodeTest,
                         ::testing::Values(0u, 30u, 39u, 45u, 57u, 59u, 63u, 69u, 74u, 99u, 104u, 0xFFFFFFFFu));

TEST_F(ActionTest, AutoScrollWithBothDirectionsOffIsAnOrdinaryMiddleClick) {
    settings.AutoScrollVertical = 0;
    settings.AutoScrollHorizontal = 0;
    EXPECT_FALSE(Click(100));
    EXPECT_FALSE(Release());
    EXPECT_EQ(shared.Mode, ModeIdle);
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ActionTest, ModesThatCannotStartLetTheClickAndItsReleasePass) {
    settings.RemoteScrollWindow = 0;
    EXPECT_FALSE(Click(101));
    EXPECT_FALSE(Release());
    settings.HostWindow = 0;
    EXPECT_FALSE(Click(102));
    EXPECT_FALSE(Release());
    EXPECT_EQ(shared.Mode, ModeIdle);
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ActionTest, TaskbarAndStartMenuBarsKeepTheirMiddleClicks) {
    WindowId bar = sys.Add("BaseBar");
    shared.LastAction = 13;
    EXPECT_FALSE(Click(13, 0, bar));
    EXPECT_FALSE(Release(bar));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ActionTest, OnlyMiddlePressesRunActions) {
    settings.Actions[0] = 13;
    for (uint32_t message : {Msg::LButtonDown, Msg::RButtonDown, Msg::XButtonDown, Msg::MouseMove}) {
        EXPECT_FALSE(Hook(Event(message, window))) << message;
    }
    EXPECT_TRUE(Hook(Event(Msg::NcMButtonDown, window)));
    EXPECT_TRUE(Hook(Event(Msg::MButtonDblClk, window)));
    EXPECT_EQ(Take().size(), 4u);
}

TEST_F(ActionTest, UnknownModeValuesFallThroughToTheActionTable) {
    shared.Mode = 57;
    settings.ModifierFlags = Modifier::CtrlStepForwarding;
    sys.CtrlDown = true; // modifier clicks only start from idle
    EXPECT_TRUE(Click(14));
    EXPECT_EQ(Take(), (Calls{KeyDown(Vk::Space), KeyUp(Vk::Space)}));
}

struct ModifierClickCase {
    uint32_t Flags;
    bool Ctrl;
    bool Shift;
    uint32_t Platform;
    bool Handled;
    Calls (*Expected)(WindowId tray, WindowId desktop);
};

void PrintTo(const ModifierClickCase& c, std::ostream* os) {
    *os << "flags " << c.Flags << " ctrl " << c.Ctrl << " shift " << c.Shift << " platform " << c.Platform;
}

class ModifierClickTest : public HookTestWithParam<ModifierClickCase> {};

TEST_P(ModifierClickTest, CtrlAndShiftWithTheMiddleButton) {
    const ModifierClickCase& c = GetParam();
    WindowId tray = sys.Add("Shell_TrayWnd");
    WindowId window = sys.Add("Edit");
    shared.PlatformKind = c.Platform;
    settings.ModifierFlags = c.Flags;
    settings.HostWindow = Host;
    settings.RemoteScrollWindow = 0; // remote scroll cannot start
    settings.Actions[0] = 70;
    sys.CtrlDown = c.Ctrl;
    sys.ShiftDown = c.Shift;
    sys.FocusWindow = sys.Desktop;
    EXPECT_EQ(Hook(Event(Msg::MButtonDown, window)), c.Handled);
    EXPECT_EQ(sys.Calls, c.Expected(tray, sys.Desktop));
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ModifierClickTest,
    ::testing::Values(ModifierClickCase{7, true, true, PlatformWin2000, true,
                                        [](WindowId t, WindowId) { return Calls{Posted(t, Notify::TaskbarCommand)}; }},
                      ModifierClickCase{7, true, true, PlatformNt4, true,
                                        [](WindowId t, WindowId) { return Calls{Posted(t, Notify::TaskbarCommand)}; }},
                      ModifierClickCase{7, true, true, PlatformWin98, true,
                                        [](WindowId, WindowId) {
                                            return Calls{KeyDown(Vk::LWin), KeyUp(Vk::LWin)};
                                        }},
                      ModifierClickCase{7, true, false, PlatformWin2000, true,
                                        [](WindowId, WindowId) { return Calls{Sent(Host, Notify::StepStart)}; }},
                      ModifierClickCase{3, true, true, PlatformWin2000, true,
                                        [](WindowId, WindowId) { return Calls{Sent(Host, Notify::StepStart)}; }},
                      // Shift click for remote scroll, but there is no remote-scroll window: the click passes on.
                      ModifierClickCase{7, false, true, PlatformWin2000, false,
                                        [](WindowId, WindowId) { return Calls{}; }},
                      // Flags off: the action table decides.
                      ModifierClickCase{0, true, true, PlatformWin2000, true,
                                        [](WindowId, WindowId) { return Calls{Posted(Host, Notify::Action70)}; }}));

} // namespace
} // namespace ptrassist::testing
