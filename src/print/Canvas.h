// What the sheet layouts draw on: a printer page, or in tests a canvas with fixed metrics.
//
// Positions and lengths are device units of the printer's printable area (origin top left, y downwards); font sizes
// are points. Texts are UTF-8. The pen is black; rounded rectangles are outlines only (nothing is filled), so frames
// drawn over text never hide it.
#pragma once

#include <string>

namespace vanto {

// The sheet's font; where it is not installed the printer canvas takes IPAGothic, which has the same metrics.
inline constexpr const char* SheetFontFace = "ＭＳ ゴシック";
inline constexpr const char* SheetFallbackFontFace = "IPAGothic";

class Canvas {
public:
    virtual ~Canvas() = default;

    // Printable width and height (PW, PH).
    virtual int PageWidth() const = 0;
    virtual int PageHeight() const = 0;

    virtual void SetFontFace(const std::string& face) = 0;
    virtual void SetFontSize(int points) = 0;
    virtual void SetPenWidth(int width) = 0;

    // Width of the text in the current font; height of a line of it (an empty text has the height of a line too).
    virtual int TextWidth(const std::string& text) const = 0;
    virtual int TextHeight(const std::string& text) const = 0;

    // The text with its top-left corner at (x, y).
    virtual void TextAt(int x, int y, const std::string& text) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // The rectangle from (x1, y1) to (x2, y2) with corners rounded by an ellipse of the given width and height.
    virtual void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) = 0;
};

} // namespace vanto
