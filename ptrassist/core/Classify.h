// How a window is scrolled: its scroll kind (low word vertical, high word horizontal) and the separate scroll bar
// controls that serve it.
#pragma once

#include "core/HookContext.h"

#include <string_view>

namespace ptrassist {

// A window's class name, fetched once and compared without regard to case.
class ClassText {
public:
    // A limit shorter than the name cuts it; a cut name is longer than any name it is compared with below the limit.
    ClassText(Platform& sys, WindowId window, size_t limit = 256);
    bool Is(std::string_view name) const;
    std::string_view View() const { return {text_, length_}; }

private:
    char text_[256];
    size_t length_ = 0;
};

enum class Axis { Vertical, Horizontal, Both };

struct Classification {
    uint32_t Kind = 0; // the half of an axis that was not asked for stays 0
    WindowId VerticalBar = 0;
    WindowId HorizontalBar = 0;
};

Classification Classify(const HookContext& ctx, WindowId window, Point cursor, Axis axis);

// The visible, enabled scroll bar control of the given orientation that serves the window under the cursor, or 0.
WindowId FindBarControl(Platform& sys, WindowId window, Point cursor, bool vertical);

// The desktop's icon view: a list view inside the program manager's window.
bool IsDesktopIconView(Platform& sys, WindowId window, const ClassText& windowClass);

} // namespace ptrassist
