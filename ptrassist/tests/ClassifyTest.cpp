// Which way a window scrolls: class rules, style rules and the search for separate scroll bar controls.
#include "core/Classify.h"
#include "tests/HookFixture.h"

#include <ostream>
#include <string>

namespace ptrassist::testing {
namespace {

constexpr uint32_t VerticalBarStyle = Style::Child | Style::BarVertical;
constexpr uint32_t HorizontalBarStyle = Style::Child;

class ClassifyTest : public HookTest {
protected:
    uint32_t KindOf(WindowId window, Axis axis = Axis::Both) { return Classify(ctx, window, {}, axis).Kind; }
};

struct ClassCase {
    ProcessKind Process;
    const char* WindowClass;
    const char* ParentClass;
    uint32_t Style;
    uint32_t Expected;
};

void PrintTo(const ClassCase& c, std::ostream* os) {
    *os << "process " << c.Process << " " << c.WindowClass << " in " << c.ParentClass << " style 0x" << std::hex
        << c.Style;
}

class ClassRuleTest : public HookTestWithParam<ClassCase> {};

TEST_P(ClassRuleTest, KindFromClassesAndStyles) {
    const ClassCase& c = GetParam();
    process.Kind = c.Process;
    WindowId parent = sys.Add(c.ParentClass);
    WindowId window = sys.Add(c.WindowClass, Style::Child | c.Style, parent);
    EXPECT_EQ(Classify(ctx, window, {}, Axis::Both).Kind, c.Expected) << c.WindowClass << " in " << c.ParentClass;
}

constexpr uint32_t V = Style::VScroll;
constexpr uint32_t H = Style::HScroll;

INSTANTIATE_TEST_SUITE_P(SpreadsheetClasses, ClassRuleTest,
                         ::testing::Values(ClassCase{ProcessExcel, "EXCEL7", "EXCEL@", 0, Kind::ArrowKeys},
                                           ClassCase{ProcessExcel, "EXCEL@", "XLDESK", V | H, Kind::ArrowKeys},
                                           ClassCase{ProcessExcel, "excelb", "XLDESK", 0, Kind::ArrowKeys},
                                           ClassCase{ProcessExcel, "EXCEL7", "EXCELB", 0, Kind::ArrowKeys},
                                           ClassCase{ProcessExcel, "EXCELA", "XLMAIN", V, Kind::Nothing},
                                           ClassCase{ProcessExcel, "EXCEL4", "XLMAIN", 0, Kind::Nothing},
                                           ClassCase{ProcessExcel, "EXCEL<", "excela", V, Kind::Nothing},
                                           // Not the spreadsheet process: its classes mean nothing special.
                                           ClassCase{ProcessOther, "EXCEL@", "XLDESK", V, 0x00010002},
                                           // The spreadsheet process, other classes: ordinary rules.
                                           ClassCase{ProcessExcel, "EXCEL<", "EXCEL4", V, 0x00010002}));

INSTANTIATE_TEST_SUITE_P(StyleRules, ClassRuleTest,
                         ::testing::Values(ClassCase{ProcessOther, "Edit", "Dialog", V, 0x00010002},
                                           ClassCase{ProcessOther, "Edit", "Dialog", H, 0x00020001},
                                           ClassCase{ProcessOther, "Edit", "Dialog", V | H, 0x00020002},
                                           ClassCase{ProcessOther, "SysListView32", "Dialog", 0, 0x00010001},
                                           ClassCase{ProcessOther, "SysTreeView32", "Dialog", V, 0x00010002},
                                           ClassCase{ProcessOther, "MS_WINTOPIC", "Dialog", H, 0x00020001},
                                           ClassCase{ProcessOther, "listbox", "Dialog", V | H, 0x00020002},
                                           ClassCase{ProcessOther, "TScrollBox", "TForm", 0, Kind::ScrollMessages},
                                           // No rule applies and there is no bar: wheel messages and arrow keys.
                                           ClassCase{ProcessOther, "Static", "Dialog", 0, 0x00080004},
                                           ClassCase{ProcessRundll32, "Static", "Dialog", 0, 0x00000004}));

TEST_F(ClassifyTest, DesktopIconViewDoesNothing) {
    WindowId progman = sys.Add("Progman");
    WindowId defView = sys.Add("SHELLDLL_DefView", Style::Child, progman);
    WindowId icons = sys.Add("SysListView32", Style::Child | Style::VScroll, defView);
    EXPECT_EQ(KindOf(icons), Kind::Nothing);
}

TEST_F(ClassifyTest, InternetExplorerViewInAFolderUsesKeysOnlyOnWindows98) {
    WindowId frame = sys.Add("CabinetWClass");
    WindowId defView = sys.Add("SHELLDLL_DefView", Style::Child, frame);
    WindowId browser = sys.Add("Internet Explorer_Server", Style::Child, defView);
    EXPECT_EQ(KindOf(browser, Axis::Vertical), Kind::VWheel);
    shared.PlatformKind = PlatformWin98;
    EXPECT_EQ(KindOf(browser, Axis::Vertical), Kind::VKeys);
}

TEST_F(ClassifyTest, AskingForOneAxisLeavesTheOtherHalfZero) {
    WindowId window = sys.Add("Static");
    EXPECT_EQ(KindOf(window, Axis::Vertical), Kind::VWheel);
    EXPECT_EQ(KindOf(window, Axis::Horizontal), Kind::HKeys << 16);
}

TEST_F(ClassifyTest, WindowZeroIsClassifiedWithoutTouchingAnyWindow) {
    Classification c = Classify(ctx, 0, {}, Axis::Both);
    EXPECT_EQ(c.Kind, 0x00080004u);
    EXPECT_EQ(c.VerticalBar, 0u);
    EXPECT_EQ(c.HorizontalBar, 0u);
}

TEST_F(ClassifyTest, UnknownClassesAndLongNamesAreSafe) {
    std::string longName(600, 'A');
    WindowId window = sys.Add(longName, Style::VScroll);
    EXPECT_EQ(KindOf(window), 0x00010002u);
    WindowId empty = sys.Add("");
    EXPECT_EQ(KindOf(empty), 0x00080004u);
}

// The bar controls that serve a window.
class BarSearchTest : public HookTest {
protected:
    WindowId frame = sys.Add("Frame", 0, 0, {0, 0, 800, 600});
    WindowId pane = sys.Add("Pane", Style::Child, frame, {0, 0, 700, 500});

    WindowId Bar(WindowId parent, bool vertical, Rect r, const char* cls = "ScrollBar") {
        return sys.Add(cls, vertical ? VerticalBarStyle : HorizontalBarStyle, parent, r);
    }
};

TEST_F(BarSearchTest, DirectChildBarIsFoundWithItsOrientation) {
    WindowId v = Bar(pane, true, {680, 0, 700, 480});
    WindowId h = Bar(pane, false, {0, 480, 680, 500}, "HScrollBar");
    Classification c = Classify(ctx, pane, {10, 10}, Axis::Both);
    EXPECT_EQ(c.Kind, 0x00040008u);
    EXPECT_EQ(c.VerticalBar, v);
    EXPECT_EQ(c.HorizontalBar, h);
}

TEST_F(BarSearchTest, SizeBoxesAndOtherClassesAreNoHorizontalBars) {
    sys.Add("ScrollBar", Style::Child | Style::BarSizeBox, pane, {680, 480, 700, 500});
    sys.Add("Button", Style::Child, pane, {0, 0, 10, 10});
    EXPECT_EQ(FindBarControl(sys, pane, {1, 1}, false), 0u);
}

TEST_F(BarSearchTest, WithoutBarChildrenTheParentsWholeTreeIsSearched) {
    WindowId sibling = sys.Add("Panel", Style::Child, frame);
    WindowId nested = Bar(sibling, true, {700, 0, 720, 500});
    EXPECT_EQ(FindBarControl(sys, pane, {10, 10}, true), nested);
}

TEST_F(BarSearchTest, PopupsAreNotSearchedBeyondTheirChildren) {
    WindowId popup = sys.Add("Popup", Style::Popup | Style::Child, frame);
    Bar(frame, true, {700, 0, 720, 500});
    EXPECT_EQ(FindBarControl(sys, popup, {10, 10}, true), 0u);
}

TEST_F(BarSearchTest, TopLevelWindowsAreNotSearchedBeyondTheirChildren) {
    WindowId other = sys.Add("Other");
    Bar(other, true, {700, 0, 720, 500});
    EXPECT_EQ(FindBarControl(sys, frame, {10, 10}, true), 0u);
}

TEST_F(BarSearchTest, HiddenOrDisabledBarsStopTheSearchWithoutAnAnswer) {
    WindowId hidden = Bar(pane, true, {680, 0, 700, 480});
    sys.Window(hidden).Visible = false;
    Bar(frame, true, {700, 0, 720, 500}); // would be found by the wider search
    EXPECT_EQ(FindBarControl(sys, pane, {10, 10}, true), 0u);
    sys.Window(hidden).Visible = true;
    sys.Window(hidden).Enabled = false;
    EXPECT_EQ(FindBarControl(sys, pane, {10, 10}, true), 0u);
}

TEST_F(BarSearchTest, BarInsideAHiddenParentIsNotVisible) {
    WindowId sibling = sys.Add("Panel", Style::Child, frame);
    sys.Window(sibling).Visible = false;
    Bar(sibling, true, {700, 0, 720, 500});
    EXPECT_EQ(FindBarControl(sys, pane, {10, 10}, true), 0u);
}

TEST_F(BarSearchTest, HorizontalBarUnderTheCursorsColumnWins) {
    WindowId left = Bar(pane, false, {0, 480, 300, 500});
    WindowId right = Bar(pane, false, {300, 480, 600, 500});
    WindowId far = Bar(pane, false, {600, 480, 680, 500});
    EXPECT_EQ(FindBarControl(sys, pane, {100, 10}, false), left);
    EXPECT_EQ(FindBarControl(sys, pane, {300, 10}, false), right);
    EXPECT_EQ(FindBarControl(sys, pane, {650, 10}, false), far);
    EXPECT_EQ(FindBarControl(sys, pane, {690, 10}, false), left); // in none: the first
}

struct VerticalCase {
    Rect First;
    Rect Later;
    Point Cursor;
    bool LaterWins;
};

void PrintTo(const VerticalCase& c, std::ostream* os) {
    *os << "cursor " << c.Cursor.X << "," << c.Cursor.Y << (c.LaterWins ? " later" : " first");
}

class VerticalBarChoiceTest : public HookTestWithParam<VerticalCase> {};

TEST_P(VerticalBarChoiceTest, CursorRowThenNearestRightEdge) {
    const VerticalCase& c = GetParam();
    WindowId window = sys.Add("Pane");
    WindowId first = sys.Add("ScrollBar", VerticalBarStyle, window, c.First);
    WindowId later = sys.Add("ScrollBar", VerticalBarStyle, window, c.Later);
    EXPECT_EQ(FindBarControl(sys, window, c.Cursor, true), c.LaterWins ? later : first);
}

INSTANTIATE_TEST_SUITE_P(Rules, VerticalBarChoiceTest,
                         ::testing::Values(
                             // Cursor's row in the later bar only.
                             VerticalCase{{300, 0, 320, 200}, {600, 200, 620, 400}, {100, 250}, true},
                             // In the first bar's row only.
                             VerticalCase{{300, 0, 320, 200}, {600, 200, 620, 400}, {100, 50}, false},
                             // In neither row: the first stays.
                             VerticalCase{{300, 0, 320, 200}, {600, 200, 620, 400}, {100, 450}, false},
                             // In both rows, cursor between the two right edges: the later one, right of the cursor.
                             VerticalCase{{300, 0, 320, 400}, {600, 0, 620, 400}, {400, 100}, true},
                             VerticalCase{{300, 0, 320, 400}, {600, 0, 620, 400}, {320, 100}, true},
                             // In both rows, left of both right edges: the nearer right edge.
                             VerticalCase{{600, 0, 620, 400}, {300, 0, 320, 400}, {100, 100}, true},
                             VerticalCase{{300, 0, 320, 400}, {600, 0, 620, 400}, {100, 100}, false},
                             // In both rows, right of both: the first stays.
                             VerticalCase{{300, 0, 320, 400}, {600, 0, 620, 400}, {700, 100}, false}));

} // namespace
} // namespace ptrassist::testing
