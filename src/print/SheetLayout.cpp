#include "print/SheetLayout.h"

#include <algorithm>

namespace vanto {
namespace {

constexpr int Corner = 120; // corner ellipse of every frame

// The canvas with the font size and pen width in force, so that a size or width is set only when it changes.
class Page {
public:
    explicit Page(Canvas& canvas) : Width(canvas.PageWidth()), Height(canvas.PageHeight()), c_(canvas) {
        // Every layout starts from the sheet font and an 18-unit pen.
        c_.SetFontFace(SheetFontFace);
        Pen(18);
    }

    void Font(int size) {
        if (size != size_) {
            c_.SetFontSize(size);
            size_ = size;
        }
    }
    void Pen(int width) {
        if (width != pen_) {
            c_.SetPenWidth(width);
            pen_ = width;
        }
    }
    int TW(const std::string& text) const { return c_.TextWidth(text); }
    int TH(const std::string& text) const { return c_.TextHeight(text); }

    // Empty texts draw nothing; the cursors still move by their height.
    void Text(int x, int y, const std::string& text) {
        if (!text.empty()) {
            c_.TextAt(x, y, text);
        }
    }
    void Line(int x1, int y1, int x2, int y2) { c_.Line(x1, y1, x2, y2); }
    void Frame(int x1, int y1, int x2, int y2) { c_.RoundRect(x1, y1, x2, y2, Corner, Corner); }

    // Sets the font at `size` and lowers it point by point until the text is no wider than half the page less 20,
    // but never below `minimum`: a text that does not fit even then is drawn at the minimum and may overrun.
    void FitHalf(const std::string& text, int size, int minimum) {
        Font(size);
        while (size > minimum && TW(text) > Width / 2 - 20) {
            Font(--size);
        }
    }

    const int Width;
    const int Height;

private:
    Canvas& c_;
    int size_ = -1;
    int pen_ = -1;
};

std::string PostLine(const std::array<std::string, 2>& post) {
    return "〒 " + post[0] + "-" + post[1];
}

// "TEL a-b-c  " when there is a phone, then `otherLabel` and the other number when it has a first part.
std::string PhoneLine(const std::array<std::string, 3>& tel, const std::string& otherLabel,
                      const std::array<std::string, 3>& other) {
    std::string line;
    if (!tel[0].empty()) {
        line = "TEL " + tel[0] + "-" + tel[1] + "-" + tel[2] + "  ";
    }
    if (!other[0].empty()) {
        line += otherLabel + other[0] + "-" + other[1] + "-" + other[2];
    }
    return line;
}

void DrawIssueDate(Page& page, const LocalDateTime& date) {
    page.Font(12);
    const std::string text = IssueDateText(date);
    page.Text(page.Width - page.TW(text) - 30, 55, text);
}

// Drawn on the right half from the column cursor r; returns the cursor below the block.
int DrawWorkshop(Page& page, const SheetInput& in, int r) {
    const int x = page.Width / 2;
    page.FitHalf(in.ShopName, 18, 9);
    page.Text(x, r + 10, in.ShopName);
    r += page.TH(in.ShopName) + 52;

    page.Font(12);
    const std::string post = PostLine(in.ShopPost);
    page.Text(x, r + 10, post);
    r += page.TH(post) + 32;

    page.FitHalf(in.ShopAddress, 12, 7);
    page.Text(x, r + 10, in.ShopAddress);
    r += page.TH(post) + 32; // the postal line's height, in the address's font

    page.Font(12);
    const std::string phone = PhoneLine(in.ShopTel, "FAX ", in.ShopFax);
    page.Text(x, r + 10, phone);
    r += page.TH(phone) + 62;

    if (!in.ShopMessage1.empty()) {
        page.FitHalf(in.ShopMessage1, 12, 7);
        page.Text(x, r + 20, in.ShopMessage1);
        r += page.TH(in.ShopMessage1) + 25;
    }
    if (!in.ShopMessage2.empty()) {
        page.FitHalf(in.ShopMessage2, 12, 7);
        page.Text(x, r + 10, in.ShopMessage2);
        r += page.TH(in.ShopMessage2) + 62;
    }
    return r;
}

// Drawn on the left half from the column cursor l; returns the cursor below the block.
int DrawCustomer(Page& page, const SheetInput& in, int l) {
    const int x = 50;
    page.Font(12);
    const std::string post = PostLine(in.CustomerPost);
    page.Text(x, l + 10, post);
    l += page.TH(post) + 32;

    page.FitHalf(in.CustomerAddress, 12, 7);
    page.Text(x, l + 10, in.CustomerAddress);
    l += page.TH(in.CustomerAddress) + 32;

    page.Font(12);
    const std::string phone = PhoneLine(in.CustomerTel, "携帯 ", in.CustomerMobile);
    page.Text(x, l + 10, phone);
    l += page.TH(phone) + 32;

    const std::string name = in.CustomerName + CustomerHonorific;
    page.FitHalf(name, 12, 7);
    page.Text(x, l + 10, name);
    l += page.TH(name) + 32;
    return l;
}

// The four-column table from top t; returns the height of its rows' text (H).
int DrawVehicleTable(Page& page, const SheetInput& in, int t) {
    page.Font(12);
    const int h = page.TH("車両番号");
    const int q = (page.Width - 40) / 4;
    const int bottom = t + 4 * h + 60;
    const int right = page.Width - 20;
    page.Pen(12);
    page.Frame(20, t, right, bottom);
    page.Pen(4);
    page.Line(20, t + h + 10, right, t + h + 10);
    page.Pen(12);
    page.Line(20, t + 2 * h + 20, right, t + 2 * h + 20);
    page.Pen(4);
    page.Line(20, t + 3 * h + 30, right, t + 3 * h + 30);
    page.Pen(12);
    for (int c = 1; c <= 3; ++c) {
        page.Line(c * q + 20, t, c * q + 20, bottom);
    }
    const std::string mileage = in.Mileage.empty() ? std::string{} : in.Mileage + "ｋｍ";
    const std::array<std::array<std::string, 4>, 4> rows{{
        {"車両番号", "初年度登録年月", "走行距離", "次回車検日"},
        {in.VehicleNumber, in.FirstRegistration, mileage, in.NextInspection},
        {"車種名", "車体番号", "型式", "エンジン形式"},
        {in.VehicleName, in.ChassisNumber, in.Model, in.EngineType},
    }};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const std::string& text = rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            page.Text(q / 2 - page.TW(text) / 2 + c * q + 20, t + 5 + r * (h + 10), text);
        }
    }
    return h;
}

// The overall judgement box at the foot of the page, at least six lines high; returns its top (Yj).
int DrawJudgement(Page& page, const std::vector<std::string>& judgement) {
    page.Pen(12);
    page.Font(12);
    const int wj = page.TW(JudgementHeading);
    const int hj = page.TH(JudgementHeading);
    const int n = std::max(static_cast<int>(judgement.size()), 6);
    const int top = page.Height - (hj + 12) * n - 5;
    page.Frame(20, top, page.Width - 20, page.Height);
    page.Text(50, top + 5, JudgementHeading);
    for (int i = 0; i < n; ++i) {
        const std::string line = i < static_cast<int>(judgement.size()) ? judgement[static_cast<std::size_t>(i)] : "";
        page.Text(wj + 100, top + 11 + i * page.TH(line), line);
    }
    return top;
}

// One column of the item area: its cursor and the lines it holds so far, slot titles counted.
struct Column {
    int Left; // rules run from Left to Right
    int Right;
    int TitleX; // slot titles
    int LineX;  // record lines
    int Y;
    int Count = 0;
};

void DrawSlotLines(Page& page, const SlotPrint& slot, Column& col, int linesPerColumn) {
    for (const std::string& line : slot.Lines) {
        if (col.Count > linesPerColumn) {
            break;
        }
        page.Text(col.LineX, col.Y + 6, line);
        col.Y += page.TH(line) + 12;
        ++col.Count;
    }
}

void DrawTopSlot(Page& page, const SlotPrint& slot, Column& col, int linesPerColumn) {
    if (slot.Lines.empty()) {
        return;
    }
    page.Font(11);
    const int ht = page.TH(slot.RecordName);
    page.Text(col.TitleX, col.Y + 6, slot.RecordName);
    page.Line(col.Left, col.Y + ht + 12, col.Right, col.Y + ht + 12);
    ++col.Count;
    col.Y += ht + 12;
    DrawSlotLines(page, slot, col, linesPerColumn);
}

// Left out when the top slot has used half the column or more.
void DrawBottomSlot(Page& page, const SlotPrint& slot, Column& col, int linesPerColumn) {
    if (slot.Lines.empty() || !(linesPerColumn / 2 > col.Count)) {
        return;
    }
    page.Font(11);
    const int ht = page.TH(slot.RecordName);
    if (col.Count > 0) {
        page.Line(col.Left, col.Y + 6, col.Right, col.Y + 6);
        col.Y += 15;
    }
    page.Text(col.TitleX, col.Y + 6, slot.RecordName);
    col.Y += 15;
    page.Line(col.Left, col.Y + ht + 6, col.Right, col.Y + ht + 6);
    ++col.Count;
    col.Y += ht + 12;
    DrawSlotLines(page, slot, col, linesPerColumn);
}

} // namespace

std::string IssueDateText(const LocalDateTime& date) {
    return "発行日 " + std::to_string(date.year) + "年" + std::to_string(date.month) + "月" + std::to_string(date.day) +
           "日";
}

int LinesPerColumn(int v, int lh) {
    return lh + 14 > 0 ? v / (lh + 14) : 0;
}

SheetMeasure ResultSheetLayout(Canvas& canvas, const SheetInput& in) {
    Page page(canvas);
    const int half = page.Width / 2;

    page.Font(22);
    page.Text(half - page.TW(in.Title) / 2 - 10, 45, in.Title);
    const int start = page.TH(in.Title) + 150;
    DrawIssueDate(page, in.IssueDate);

    const int r = DrawWorkshop(page, in, start);
    const int l = DrawCustomer(page, in, start);

    const int t = std::max(l, r) + 30;
    const int h = DrawVehicleTable(page, in, t);
    const int yj = DrawJudgement(page, in.Judgement);

    const int a = t + 4 * h + 90;
    SheetMeasure measure;
    measure.LH = page.TH(" ");
    measure.V = (yj - 30) - a;
    page.Font(11);
    page.Pen(12);
    page.Frame(20, a, page.Width - 20, yj - 20);
    page.Line(half, a, half, yj - 30);

    Column left{20, half, 100, 140, a};
    Column right{half, page.Width - 20, half + 80, half + 120, a};
    const int lines = in.LinesPerColumn;
    DrawTopSlot(page, in.Slots[0], left, lines);
    DrawBottomSlot(page, in.Slots[2], left, lines);
    DrawTopSlot(page, in.Slots[1], right, lines);
    DrawBottomSlot(page, in.Slots[3], right, lines);
    return measure;
}

int DataPrintLayout(Canvas& canvas, const SheetInput& in) {
    Page page(canvas);
    page.Font(20);
    page.Text(page.Width / 2 - page.TW(DataPrintTitle) / 2 - 10, 45, DataPrintTitle);
    int y = page.TH(DataPrintTitle) + 52;
    DrawIssueDate(page, in.IssueDate);

    page.Font(12);
    const std::string shop = in.ShopName + "  " + PhoneLine(in.ShopTel, "FAX ", in.ShopFax);
    page.Text(20, y, shop);
    y += page.TH(shop) + 12;
    const std::string address = PostLine(in.ShopPost) + " " + in.ShopAddress;
    page.Text(20, y, address);
    y += page.TH(address) + 12;

    page.Pen(18);
    page.Frame(20, y, page.Width - 20, page.Height - 20);
    y += 20;

    page.Font(11);
    const std::string& name = in.DataPrint.RecordName;
    page.Text(page.Width / 2 - page.TW(name) / 2 - 10, y, name);
    int previous = page.TH(name);
    y += previous + 12;
    const int top = y;
    const int columnWidth = (page.Width - 40) / 3;
    int column = 0;
    int printed = 0;
    for (const std::string& line : in.DataPrint.Lines) {
        if (y + previous + 12 > page.Height - 20) {
            if (++column == 3) {
                break;
            }
            y = top;
        }
        page.Text(columnWidth * column + 60, y, line);
        previous = page.TH(line);
        y += previous + 12;
        ++printed;
    }
    return printed;
}

} // namespace vanto
