#include "inspection/ReminderSheet.h"

#include "print/Canvas.h"

#include <algorithm>
#include <numeric>

namespace vanto {
namespace {

constexpr int TitlePoints = 14;
constexpr int TablePoints = 9;
// Relative widths of the columns; the address takes the most.
constexpr std::array<int, DueColumnCount> ColumnShares{12, 8, 12, 12, 9, 7, 24, 9, 9};

struct Frame {
    int Left, Right, Top, Bottom;
    int TitleTop, HeaderTop, FirstRowTop, RowHeight, FooterTop;
};

// The areas of a page, from the canvas's page size and the fonts' line heights.
Frame PageFrame(Canvas& canvas) {
    Frame f{};
    const int margin = canvas.PageWidth() / 40;
    f.Left = margin;
    f.Right = canvas.PageWidth() - margin;
    f.Top = margin;
    f.Bottom = canvas.PageHeight() - margin;
    canvas.SetFontFace(SheetFontFace);
    canvas.SetFontSize(TitlePoints);
    f.TitleTop = f.Top;
    f.HeaderTop = f.TitleTop + canvas.TextHeight("") * 2;
    canvas.SetFontSize(TablePoints);
    const int line = canvas.TextHeight("");
    f.RowHeight = line * 3 / 2;
    f.FirstRowTop = f.HeaderTop + f.RowHeight;
    f.FooterTop = f.Bottom - line;
    return f;
}

int RowsPerPage(const Frame& f) {
    return std::max(1, (f.FooterTop - f.RowHeight / 2 - f.FirstRowTop) / f.RowHeight);
}

// The text cut, whole characters at a time, to the width (the current font).
std::string Fitted(Canvas& canvas, std::string text, int width) {
    while (!text.empty() && canvas.TextWidth(text) > width) {
        std::size_t end = text.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
        text.erase(end);
    }
    return text;
}

void DrawRow(Canvas& canvas, const Frame& f, int top, const std::array<std::string, DueColumnCount>& texts) {
    const int total = std::accumulate(ColumnShares.begin(), ColumnShares.end(), 0);
    const int pad = canvas.TextWidth("0") / 2;
    const int textTop = top + (f.RowHeight - canvas.TextHeight("")) / 2;
    int x = f.Left;
    int share = 0;
    for (std::size_t c = 0; c < DueColumnCount; ++c) {
        share += ColumnShares[c];
        const int next = f.Left + (f.Right - f.Left) * share / total;
        canvas.TextAt(x + pad, textTop, Fitted(canvas, texts[c], next - x - 2 * pad));
        x = next;
    }
    canvas.Line(f.Left, top + f.RowHeight, f.Right, top + f.RowHeight);
}

} // namespace

std::string ReminderTitle(YearMonth from, YearMonth to) {
    return "車検案内　" + PeriodText(from, to);
}

int ReminderPageCount(Canvas& canvas, std::size_t rows) {
    const auto perPage = static_cast<std::size_t>(RowsPerPage(PageFrame(canvas)));
    return static_cast<int>(std::max<std::size_t>(1, (rows + perPage - 1) / perPage));
}

void DrawReminderPage(Canvas& canvas, const ReminderSheet& sheet, int page, int pages) {
    const Frame f = PageFrame(canvas);
    canvas.SetPenWidth(std::max(1, canvas.PageWidth() / 2000));
    canvas.SetFontSize(TitlePoints);
    canvas.TextAt(f.Left, f.TitleTop, sheet.Title);

    canvas.SetFontSize(TablePoints);
    std::array<std::string, DueColumnCount> header;
    std::copy(DueColumnTitles.begin(), DueColumnTitles.end(), header.begin());
    canvas.Line(f.Left, f.HeaderTop, f.Right, f.HeaderTop);
    DrawRow(canvas, f, f.HeaderTop, header);

    const std::size_t perPage = static_cast<std::size_t>(RowsPerPage(f));
    const std::size_t first = static_cast<std::size_t>(page) * perPage;
    int top = f.FirstRowTop;
    for (std::size_t r = first; r < sheet.Rows.size() && r < first + perPage; ++r, top += f.RowHeight) {
        DrawRow(canvas, f, top, DueRowTexts(sheet.Rows[r]));
    }

    const std::string number = std::to_string(page + 1) + " / " + std::to_string(pages);
    canvas.TextAt((f.Left + f.Right - canvas.TextWidth(number)) / 2, f.FooterTop, number);
}

} // namespace vanto
