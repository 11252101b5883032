// The sheet layouts' canvas on a printer: text, lines and frames drawn with QPainter at the printer's own
// resolution, in the sheet font ("ＭＳ ゴシック" where installed, else IPAGothic with the same metrics).
//
// A machine without any printer still measures, previews and prints the sheet: the page then comes from an A4
// PDF printer at 600 dpi. Texts in a PDF are real text, so the sheet can be searched.
#pragma once

#include "common/Dialogs.h"
#include "print/Canvas.h"

#include <QFont>

#include <functional>
#include <memory>
#include <string>

class QPainter;
class QPaintDevice;
class QPrinter;

namespace vanto {

// Resolution of the PDF printer used when there is no printer or the user prints to a file.
inline constexpr int PdfPrinterResolution = 600;

// The family drawn for a face: the face itself where installed; for the sheet font the IPA fallback.
QString InstalledFontFamily(const std::string& face);

class QtCanvas final : public Canvas {
public:
    // Measures on the device; draws through `painter` when one is given (a measuring pass draws nothing).
    QtCanvas(QPaintDevice& device, QPainter* painter);

    int PageWidth() const override;
    int PageHeight() const override;
    void SetFontFace(const std::string& face) override;
    void SetFontSize(int points) override;
    void SetPenWidth(int width) override;
    int TextWidth(const std::string& text) const override;
    int TextHeight(const std::string& text) const override;
    void TextAt(int x, int y, const std::string& text) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) override;

private:
    void ApplyFont();

    QPaintDevice& device_;
    QPainter* painter_;
    QFont font_;
    int penWidth_ = 1;
};

// What a PDF file names as its creator.
inline constexpr const char* PrintCreator = "vantodesk";

// The printer a print job or a measuring pass uses: the chosen printer, or a PDF file when the target names one,
// on the target's page; without a target the default printer, or the A4 PDF printer at 600 dpi when there is
// none. `documentName` names the job (and titles a PDF file).
std::unique_ptr<QPrinter> MakeSheetPrinter(const PrintTarget* target, const std::string& documentName = {});

// One page on the printer: begins the job, lets `draw` lay the page out on the canvas and ends the job. False
// when the job cannot begin (nothing is printed then).
bool PrintPage(QPrinter& printer, const std::function<void(Canvas&)>& draw);

// The same for a job of several pages: `draw` lays out each page (0-based) in turn.
bool PrintPages(QPrinter& printer, int pages, const std::function<void(Canvas&, int page)>& draw);

} // namespace vanto
