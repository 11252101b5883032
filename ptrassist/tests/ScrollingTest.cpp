// Scrolling by kind, the Ctrl/Shift rule, the wheel emulation and the auto-scroll exports.
#include "core/Scrolling.h"
#include "tests/HookFixture.h"

#include <ostream>
#include <string>

namespace ptrassist::testing {
namespace {

class ScrollingTest : public HookTest {
protected:
    ScrollingTest() {
        settings.WheelEmulation = 1;
        settings.LinesPerNotch = 3;
    }

    WindowId frame = sys.Add("Frame", 0, 0, {0, 0, 800, 600});
    WindowId scrolling = sys.Add("Edit", Style::Child | Style::VScroll | Style::HScroll, frame);
    WindowId plain = sys.Add("Static", Style::Child, frame);
};

TEST_F(ScrollingTest, OneNotchWithThreeLinesPostsThreeLineUpsAndOneEndScroll) {
    sys.UnderCursor = scrolling;
    EXPECT_TRUE(WheelEmulation(ctx, 120, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineUp, 3));
}

TEST_F(ScrollingTest, HalfANotchPostsOnlyTheEndScroll) {
    sys.UnderCursor = scrolling;
    EXPECT_TRUE(WheelEmulation(ctx, 60, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineUp, 0));
    EXPECT_TRUE(WheelEmulation(ctx, -60, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineDown, 0));
}

TEST_F(ScrollingTest, LargeTurnsAreCutTo273Requests) {
    sys.UnderCursor = scrolling;
    settings.LinesPerNotch = 100;
    EXPECT_TRUE(WheelEmulation(ctx, -360, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineDown, 273));
}

TEST_F(ScrollingTest, HugeOrNegativeLineSettingsNeitherOverflowNorFlood) {
    sys.UnderCursor = scrolling;
    settings.LinesPerNotch = 0x7FFFFFFF;
    EXPECT_TRUE(WheelEmulation(ctx, 840 - 120, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineUp, 273));
    settings.LinesPerNotch = -5;
    EXPECT_TRUE(WheelEmulation(ctx, 120, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineUp, 0));
}

TEST_F(ScrollingTest, PageModeSendsOnePageRequest) {
    sys.UnderCursor = scrolling;
    settings.PageMode = 1;
    EXPECT_TRUE(WheelEmulation(ctx, -240, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::PageDown, 1));
}

TEST_F(ScrollingTest, BarControlsGetTheirParentScrolledWithTheBarAsParameter) {
    WindowId pane = sys.Add("Pane", Style::Child, frame, {0, 0, 500, 500});
    WindowId bar = sys.Add("ScrollBar", Style::Child | Style::BarVertical, pane, {480, 0, 500, 500});
    sys.UnderCursor = pane;
    EXPECT_TRUE(WheelEmulation(ctx, 120, {10, 10}));
    EXPECT_EQ(Take(), ScrollRequests(pane, Msg::VScroll, ScrollCode::LineUp, 3, bar));
}

TEST_F(ScrollingTest, WindowsWithoutBarsGetOneWheelMessageWithTheWholeDelta) {
    sys.UnderCursor = plain;
    EXPECT_TRUE(WheelEmulation(ctx, -240, {-5, 7}));
    // Six lines down; the position keeps its sign in each half of lParam.
    EXPECT_EQ(Take(), Calls{Posted(plain, Msg::MouseWheel, 0xFD300000, 0x0007FFFB)});
}

TEST_F(ScrollingTest, WindowsWithoutBarsInPageModeGetAPageKeyPair) {
    sys.UnderCursor = plain;
    settings.PageMode = 1;
    EXPECT_TRUE(WheelEmulation(ctx, -120, {1, 1}));
    EXPECT_EQ(Take(), (Calls{Posted(plain, Msg::KeyDown, Vk::Next, 0x01510001),
                             Posted(plain, Msg::KeyUp, Vk::Next, 0xC1510001)}));
}

TEST_F(ScrollingTest, TheWordProcessorGetsWheelMessagesAtItsTopLevelWindow) {
    process.Kind = ProcessWinword;
    sys.UnderCursor = plain;
    EXPECT_TRUE(WheelEmulation(ctx, 120, {1, 2}));
    EXPECT_EQ(Take(), Calls{Posted(frame, Msg::MouseWheel, MakeLong(0, 360), MakeLong(1, 2))});
}

TEST_F(ScrollingTest, Windows95UsesTheRegisteredRollMessage) {
    shared.PlatformKind = PlatformWin95;
    process.RollMessage = 0xC123;
    sys.UnderCursor = plain;
    EXPECT_TRUE(WheelEmulation(ctx, -120, {1, 2}));
    EXPECT_EQ(Take(), Calls{Posted(plain, 0xC123, static_cast<uint64_t>(int64_t{-360}), MakeLong(1, 2))});
    process.RollMessage = 0; // never registered: nothing goes out
    EXPECT_TRUE(WheelEmulation(ctx, -120, {1, 2}));
    EXPECT_EQ(Take(), Calls{});
}

struct ModifierCase {
    bool Ctrl;
    bool Shift;
    bool CtrlLatched;
    bool ShiftLatched;
    uint32_t Flag;
};

void PrintTo(const ModifierCase& c, std::ostream* os) {
    *os << "ctrl " << c.Ctrl << " shift " << c.Shift << " latched " << c.CtrlLatched << c.ShiftLatched;
}

class CtrlShiftRuleTest : public HookTestWithParam<ModifierCase> {};

TEST_P(CtrlShiftRuleTest, AnyTurnSendsExactlyOneNotchWithTheKeyFlag) {
    const ModifierCase& c = GetParam();
    settings.WheelEmulation = 1;
    settings.LinesPerNotch = 3;
    sys.CtrlDown = c.Ctrl;
    sys.ShiftDown = c.Shift;
    shared.CtrlLatched = c.CtrlLatched;
    shared.ShiftLatched = c.ShiftLatched;
    WindowId window = sys.Add("Edit", Style::VScroll);
    sys.UnderCursor = window;
    EXPECT_TRUE(WheelEmulation(ctx, 480, {3, 4}));
    EXPECT_TRUE(WheelEmulation(ctx, -60, {3, 4}));
    EXPECT_EQ(Take(), (Calls{Posted(window, Msg::MouseWheel, MakeLong(c.Flag, 120), MakeLong(3, 4)),
                             Posted(window, Msg::MouseWheel, MakeLong(c.Flag, -120), MakeLong(3, 4))}));
}

INSTANTIATE_TEST_SUITE_P(Modifiers, CtrlShiftRuleTest,
                         ::testing::Values(ModifierCase{true, false, false, false, 8},
                                           ModifierCase{false, true, false, false, 4},
                                           ModifierCase{true, true, false, false, 8},
                                           ModifierCase{false, false, true, false, 8},
                                           ModifierCase{false, false, false, true, 4}));

TEST_F(ScrollingTest, CtrlRuleDoesNotApplyToWindowsThatDoNothing) {
    sys.CtrlDown = true;
    WindowId progman = sys.Add("Progman");
    WindowId icons = sys.Add("SysListView32", Style::Child, progman);
    sys.UnderCursor = icons;
    EXPECT_TRUE(WheelEmulation(ctx, 120, {1, 1}));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ScrollingTest, DesktopIconViewSwallowsTheWheel) {
    WindowId progman = sys.Add("Progman");
    WindowId defView = sys.Add("SHELLDLL_DefView", Style::Child, progman);
    WindowId icons = sys.Add("SysListView32", Style::Child | Style::VScroll, defView);
    sys.UnderCursor = icons;
    EXPECT_TRUE(WheelEmulation(ctx, 120, {1, 1}));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ScrollingTest, NoWindowUnderTheCursorLeavesTheEventAlone) {
    sys.UnderCursor = 0;
    EXPECT_FALSE(WheelEmulation(ctx, 120, {1, 1}));
    EXPECT_FALSE(WheelEmulation(ctx, 840, {1, 1}));
    EXPECT_EQ(Take(), Calls{});
}

TEST_F(ScrollingTest, EmulationOffLeavesTurnsButNotTilts) {
    settings.WheelEmulation = 0;
    settings.TiltLines = 2;
    sys.UnderCursor = scrolling;
    EXPECT_FALSE(WheelEmulation(ctx, 120, {1, 1}));
    EXPECT_EQ(Take(), Calls{});
    EXPECT_TRUE(WheelEmulation(ctx, 840, {1, 1}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::HScroll, ScrollCode::LineUp, 2));
    shared.PlatformKind = PlatformWin95; // Windows 95 has no wheel of its own: always emulated
    EXPECT_TRUE(WheelEmulation(ctx, 120, {1, 1}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineUp, 3));
}

struct TiltCase {
    uint16_t UsesVertical;
    int32_t Delta;
    uint32_t ExpectedCode;
    int ExpectedCount;
};

void PrintTo(const TiltCase& c, std::ostream* os) {
    *os << "vertical settings " << c.UsesVertical << " delta " << c.Delta;
}

class TiltSettingsTest : public HookTestWithParam<TiltCase> {};

TEST_P(TiltSettingsTest, TiltScrollsSidewaysWithItsLinesAndPageSettings) {
    const TiltCase& c = GetParam();
    settings.WheelEmulation = 1;
    settings.TiltUsesVerticalSettings = c.UsesVertical;
    settings.LinesPerNotch = 3;
    settings.PageMode = 0;
    settings.TiltLines = 5;
    settings.TiltPageMode = 1;
    WindowId window = sys.Add("Edit", Style::HScroll);
    sys.UnderCursor = window;
    EXPECT_TRUE(WheelEmulation(ctx, c.Delta, {1, 1}));
    EXPECT_EQ(sys.Calls, ScrollRequests(window, Msg::HScroll, c.ExpectedCode, c.ExpectedCount));
}

INSTANTIATE_TEST_SUITE_P(Settings, TiltSettingsTest,
                         ::testing::Values(TiltCase{1, 840, ScrollCode::LineUp, 3},
                                           TiltCase{1, -840, ScrollCode::LineDown, 3},
                                           TiltCase{0, 840, ScrollCode::PageUp, 1},
                                           TiltCase{2, -840, ScrollCode::PageDown, 1}));

TEST_F(ScrollingTest, TiltOverWindowsWithoutBarsPostsArrowKeys) {
    settings.TiltUsesVerticalSettings = 1;
    settings.LinesPerNotch = 2;
    sys.UnderCursor = plain;
    EXPECT_TRUE(WheelEmulation(ctx, -840, {1, 1}));
    EXPECT_EQ(Take(), KeyPairs(plain, Vk::Right, 2));
    settings.PageMode = 1; // a page is ten columns
    EXPECT_TRUE(WheelEmulation(ctx, 840, {1, 1}));
    EXPECT_EQ(Take(), KeyPairs(plain, Vk::Left, 10));
}

TEST_F(ScrollingTest, HugeTiltLinesAreCut) {
    settings.TiltLines = 0xFFFFFFFF;
    sys.UnderCursor = scrolling;
    EXPECT_TRUE(WheelEmulation(ctx, 840, {1, 1}));
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::HScroll, ScrollCode::LineUp, 273));
}

TEST_F(ScrollingTest, TiltInTheInstallerHostDoesNothingWithoutABar) {
    process.Kind = ProcessRundll32;
    settings.TiltLines = 2;
    sys.UnderCursor = plain;
    EXPECT_TRUE(WheelEmulation(ctx, 840, {1, 1}));
    EXPECT_EQ(Take(), Calls{});
}

struct KindCase {
    uint32_t Kind;
    bool Page;
    bool Up;
    Calls (*Expected)(WindowId window, WindowId barParent, WindowId bar);
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << "kind 0x" << std::hex << c.Kind << std::dec << (c.Page ? " page" : "") << (c.Up ? " up" : " down");
}

class ScrollByKindTest : public HookTestWithParam<KindCase> {};

TEST_P(ScrollByKindTest, VerticalScrollOfTwoUnits) {
    const KindCase& c = GetParam();
    WindowId barParent = sys.Add("Pane");
    WindowId window = sys.Add("Target", Style::Child, barParent);
    WindowId bar = sys.Add("ScrollBar", Style::Child | Style::BarVertical, barParent);
    ScrollVertical(ctx, {window, c.Kind, bar, c.Page}, 2, c.Up, {5, 6});
    EXPECT_EQ(sys.Calls, c.Expected(window, barParent, bar));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ScrollByKindTest,
    ::testing::Values(
        KindCase{Kind::VNothing, false, true, [](WindowId, WindowId, WindowId) { return Calls{}; }},
        KindCase{
            Kind::VScrollMessages, false, false,
            [](WindowId w, WindowId, WindowId) { return ScrollRequests(w, Msg::VScroll, ScrollCode::LineDown, 2); }},
        KindCase{
            Kind::VBar, true, true,
            [](WindowId, WindowId p, WindowId b) { return ScrollRequests(p, Msg::VScroll, ScrollCode::PageUp, 1, b); }},
        KindCase{Kind::VWheel, false, true,
                 [](WindowId w, WindowId, WindowId) {
                     return Calls{Posted(w, Msg::MouseWheel, MakeLong(0, 240), MakeLong(5, 6))};
                 }},
        KindCase{Kind::VKeys, false, false, [](WindowId w, WindowId, WindowId) { return KeyPairs(w, Vk::Down, 2); }},
        KindCase{Kind::VKeys, true, true, [](WindowId w, WindowId, WindowId) { return KeyPairs(w, Vk::Prior, 1); }},
        KindCase{0x0003, false, true, [](WindowId, WindowId, WindowId) { return Calls{}; }},
        KindCase{0, false, true, [](WindowId, WindowId, WindowId) { return Calls{}; }}));

TEST_F(ScrollingTest, KeyDataCarriesTheScanCodes) {
    EXPECT_EQ(KeyDownData(Vk::Up), 0x01480001);
    EXPECT_EQ(KeyUpData(Vk::Up), 0xC1480001);
    EXPECT_EQ(KeyDownData(Vk::Left), 0x014B0001);
    EXPECT_EQ(KeyUpData(Vk::Right), 0xC14D0001);
    EXPECT_EQ(KeyDownData(Vk::Prior), 0x01490001);
    EXPECT_EQ(KeyUpData(Vk::Down), 0xC1500001);
}

TEST_F(ScrollingTest, HorizontalBarWithoutParentScrollsTheTarget) {
    WindowId bar = sys.Add("ScrollBar"); // a stale bar that has become top-level
    ScrollHorizontal(ctx, {plain, Kind::HBar << 16, bar, false}, 1, false);
    EXPECT_EQ(Take(), ScrollRequests(plain, Msg::HScroll, ScrollCode::LineDown, 1, bar));
}

class AutoExportTest : public ScrollingTest {};

TEST_F(AutoExportTest, ActOnTheRecordedTargetAtTheAnchorWithoutPageMode) {
    WindowId pane = sys.Add("Pane", Style::Child, frame);
    WindowId vBar = sys.Add("ScrollBar", Style::Child | Style::BarVertical, pane);
    WindowId hBar = sys.Add("ScrollBar", Style::Child, pane);
    settings.PageMode = 1;
    shared.Target = pane;
    shared.ScrollKind = 0x00040008;
    shared.VerticalBar = vBar;
    shared.HorizontalBar = hBar;
    EXPECT_EQ(DoAutoUp(ctx, 2), 1);
    EXPECT_EQ(Take(), ScrollRequests(pane, Msg::VScroll, ScrollCode::LineUp, 2, vBar));
    EXPECT_EQ(DoAutoDown(ctx, 1), 1);
    EXPECT_EQ(Take(), ScrollRequests(pane, Msg::VScroll, ScrollCode::LineDown, 1, vBar));
    EXPECT_EQ(DoAutoLeft(ctx, 3), 1);
    EXPECT_EQ(Take(), ScrollRequests(pane, Msg::HScroll, ScrollCode::LineUp, 3, hBar));
    EXPECT_EQ(DoAutoRight(ctx, 1), 1);
    EXPECT_EQ(Take(), ScrollRequests(pane, Msg::HScroll, ScrollCode::LineDown, 1, hBar));
}

TEST_F(AutoExportTest, WheelKindUsesTheAnchorAsPosition) {
    shared.Target = plain;
    shared.ScrollKind = 0x00080004;
    shared.AnchorX = 40;
    shared.AnchorY = 50;
    EXPECT_EQ(DoAutoDown(ctx, 2), 1);
    EXPECT_EQ(Take(), Calls{Posted(plain, Msg::MouseWheel, MakeLong(0, -240), MakeLong(40, 50))});
}

TEST_F(AutoExportTest, WithoutARecordedTargetNothingIsPostedAndCountsAreCut) {
    EXPECT_EQ(DoAutoUp(ctx, 5), 1);
    EXPECT_EQ(DoAutoLeft(ctx, -5), 1);
    EXPECT_EQ(Take(), Calls{});
    shared.Target = scrolling;
    shared.ScrollKind = Kind::ScrollMessages;
    EXPECT_EQ(DoAutoRight(ctx, 1 << 30), 1);
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::HScroll, ScrollCode::LineDown, 273));
    EXPECT_EQ(DoAutoUp(ctx, -1), 1);
    EXPECT_EQ(Take(), ScrollRequests(scrolling, Msg::VScroll, ScrollCode::LineUp, 0));
}

} // namespace
} // namespace ptrassist::testing
