#include "core/Classify.h"

#include <algorithm>
#include <cstring>

namespace ptrassist {

ClassText::ClassText(Platform& sys, WindowId window, size_t limit) {
    if (window != 0) {
        limit = std::min(limit, sizeof text_);
        length_ = std::min(sys.ClassName(window, text_, limit), limit);
    }
}

bool ClassText::Is(std::string_view name) const {
    if (name.size() != length_) {
        return false;
    }
    if (std::memcmp(text_, name.data(), length_) == 0) {
        return true; // the usual case: the class is registered with the spelling we know
    }
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < length_; ++i) {
        if (lower(text_[i]) != lower(name[i])) {
            return false;
        }
    }
    return true;
}

bool IsDesktopIconView(Platform& sys, WindowId window, const ClassText& windowClass) {
    return windowClass.Is("SysListView32") && ClassText(sys, sys.RootAncestor(window)).Is("Progman");
}

namespace {

bool Contains(int32_t low, int32_t high, int32_t value) {
    return value >= low && value < high;
}

struct BarSearch {
    Platform& Sys;
    bool Vertical;
    Point Cursor;
    int Candidates = 0;
    WindowId Best = 0;
    Rect BestRect;

    // Vertical bars: the cursor's row decides first, then which right edge the cursor is nearer to.
    bool VerticalBetter(const Rect& later) const {
        bool inLater = Contains(later.Top, later.Bottom, Cursor.Y);
        bool inCurrent = Contains(BestRect.Top, BestRect.Bottom, Cursor.Y);
        if (!inLater) {
            return false;
        }
        if (!inCurrent) {
            return true;
        }
        if (Cursor.X >= BestRect.Right && Cursor.X < later.Right) {
            return true;
        }
        return Cursor.X < BestRect.Right && Cursor.X < later.Right && later.Right < BestRect.Right;
    }

    void Consider(WindowId child) {
        // Every window of the tree comes here: fetch no more of the name than tells the two bar classes apart.
        constexpr size_t enough = sizeof "HScrollBar";
        ClassText cls(Sys, child, enough);
        if (!cls.Is("ScrollBar") && !cls.Is("HScrollBar")) {
            return;
        }
        uint32_t style = Sys.Style(child);
        bool matches =
            Vertical ? (style & Style::BarVertical) != 0 : (style & (Style::BarVertical | Style::BarSizeBox)) == 0;
        if (!matches) {
            return;
        }
        ++Candidates;
        if (!Sys.IsVisible(child) || !Sys.IsEnabled(child)) {
            return;
        }
        Rect rect = Sys.WindowRect(child);
        bool take = Best == 0 || (Vertical ? VerticalBetter(rect) : Contains(rect.Left, rect.Right, Cursor.X));
        if (take) {
            Best = child;
            BestRect = rect;
        }
    }

    static bool Visit(WindowId child, void* context) {
        static_cast<BarSearch*>(context)->Consider(child);
        return true;
    }
};

} // namespace

WindowId FindBarControl(Platform& sys, WindowId window, Point cursor, bool vertical) {
    if (window == 0) {
        return 0;
    }
    BarSearch direct{sys, vertical, cursor, 0, 0, {}};
    sys.ForEachChild(window, false, &BarSearch::Visit, &direct);
    if (direct.Candidates > 0 || (sys.Style(window) & Style::Popup) != 0) {
        return direct.Best;
    }
    WindowId parent = sys.Parent(window);
    if (parent == 0) {
        return 0;
    }
    BarSearch wide{sys, vertical, cursor, 0, 0, {}};
    sys.ForEachChild(parent, true, &BarSearch::Visit, &wide);
    return wide.Best;
}

namespace {

bool IsAnyOf(const ClassText& cls, std::initializer_list<std::string_view> names) {
    return std::any_of(names.begin(), names.end(), [&](std::string_view name) { return cls.Is(name); });
}

// Rules that decide the whole kind from classes and styles; 0 when none applies.
uint32_t KindFromRules(const HookContext& ctx, WindowId window, const ClassText& cls) {
    Platform& sys = ctx.Sys;
    if (ctx.Process.Kind == ProcessExcel) {
        ClassText parentClass(sys, sys.Parent(window));
        if (IsAnyOf(cls, {"EXCEL@", "EXCELB"}) || IsAnyOf(parentClass, {"EXCEL@", "EXCELB"})) {
            return Kind::ArrowKeys;
        }
        if (IsAnyOf(cls, {"EXCELA", "EXCEL4"}) || parentClass.Is("EXCELA")) {
            return Kind::Nothing;
        }
    }
    if (IsDesktopIconView(sys, window, cls)) {
        return Kind::Nothing;
    }
    bool listLike = IsAnyOf(cls, {"SysListView32", "SysTreeView32", "MS_WINTOPIC", "ListBox"});
    uint32_t style = sys.Style(window);
    bool vertical = (style & Style::VScroll) != 0;
    bool horizontal = (style & Style::HScroll) != 0;
    if (vertical || horizontal || listLike) {
        uint32_t low = vertical ? Kind::VScrollMessages : Kind::VNothing;
        uint32_t high = horizontal ? Kind::HScrollMessages : Kind::HNothing;
        return (high << 16) | low;
    }
    if (cls.Is("TSCROLLBOX")) {
        return Kind::ScrollMessages;
    }
    return 0;
}

} // namespace

Classification Classify(const HookContext& ctx, WindowId window, Point cursor, Axis axis) {
    Platform& sys = ctx.Sys;
    ClassText cls(sys, window);
    Classification result;
    result.Kind = KindFromRules(ctx, window, cls);
    if (result.Kind != 0) {
        return result;
    }
    if (axis != Axis::Horizontal) {
        result.VerticalBar = FindBarControl(sys, window, cursor, true);
        if (result.VerticalBar != 0) {
            result.Kind |= Kind::VBar;
        } else if (ctx.On(PlatformWin98) && cls.Is("Internet Explorer_Server") &&
                   ClassText(sys, sys.Parent(window)).Is("SHELLDLL_DefView")) {
            result.Kind |= Kind::VKeys;
        } else {
            result.Kind |= Kind::VWheel;
        }
    }
    if (axis != Axis::Vertical) {
        result.HorizontalBar = FindBarControl(sys, window, cursor, false);
        if (result.HorizontalBar != 0) {
            result.Kind |= Kind::HBar << 16;
        } else if (ctx.Process.Kind != ProcessRundll32) {
            result.Kind |= Kind::HKeys << 16;
        }
    }
    return result;
}

} // namespace ptrassist
