#include "print/ui/QtCanvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

namespace vanto {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A PDF page keeps the unprintable border of a usual office printer, so the sheet sits on it as it would on paper.
constexpr double PdfMarginMillimetres = 4.2;

// The paper as the dialog chose it; a known size (A4, Letter, ...) keeps its name.
QPageSize PaperSize(const PageSetup& page) {
    return QPageSize(QSizeF(page.paperWidthMm, page.paperHeightMm), QPageSize::Millimeter, QString(),
                     QPageSize::FuzzyMatch);
}

QPageLayout::Orientation QtOrientation(const PageSetup& page) {
    return page.orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// A PDF file takes the chosen paper and orientation (A4 upright without a choice), with the sheet's border.
void MakePdfPrinter(QPrinter& printer, const std::string& file, const std::optional<PageSetup>& page) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Q(file));
    printer.setResolution(PdfPrinterResolution);
    printer.setPageLayout(QPageLayout(
        page ? PaperSize(*page) : QPageSize(QPageSize::A4), page ? QtOrientation(*page) : QPageLayout::Portrait,
        QMarginsF(PdfMarginMillimetres, PdfMarginMillimetres, PdfMarginMillimetres, PdfMarginMillimetres),
        QPageLayout::Millimeter));
}

// A printer takes the page as its dialog set it up. Margins the printer refuses leave its own.
void SetPrinterPage(QPrinter& printer, const PageSetup& page) {
    printer.setPageSize(PaperSize(page));
    printer.setPageOrientation(QtOrientation(page));
    printer.setPageMargins(QMarginsF(page.marginLeftMm, page.marginTopMm, page.marginRightMm, page.marginBottomMm),
                           QPageLayout::Millimeter);
}

} // namespace

QString InstalledFontFamily(const std::string& face) {
    const QString family = Q(face);
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(family) || face != SheetFontFace) {
        return family;
    }
    return Q(SheetFallbackFontFace);
}

QtCanvas::QtCanvas(QPaintDevice& device, QPainter* painter) : device_(device), painter_(painter) {
    font_.setFamily(InstalledFontFamily(SheetFontFace));
    font_.setPointSize(12);
    // Each glyph keeps its own advance, as the printer's text output measures it.
    font_.setKerning(false);
    font_.setHintingPreference(QFont::PreferNoHinting);
    if (painter_) {
        painter_->setBrush(Qt::NoBrush);
        painter_->setRenderHint(QPainter::Antialiasing, true);
        SetPenWidth(penWidth_);
        ApplyFont();
    }
}

int QtCanvas::PageWidth() const {
    return device_.width();
}

int QtCanvas::PageHeight() const {
    return device_.height();
}

void QtCanvas::ApplyFont() {
    if (painter_) {
        painter_->setFont(font_);
    }
}

void QtCanvas::SetFontFace(const std::string& face) {
    font_.setFamily(InstalledFontFamily(face));
    ApplyFont();
}

void QtCanvas::SetFontSize(int points) {
    font_.setPointSize(points > 0 ? points : 1);
    ApplyFont();
}

void QtCanvas::SetPenWidth(int width) {
    penWidth_ = width;
    if (painter_) {
        QPen pen(Qt::black);
        pen.setWidth(width);
        pen.setJoinStyle(Qt::RoundJoin);
        painter_->setPen(pen);
    }
}

int QtCanvas::TextWidth(const std::string& text) const {
    return QFontMetrics(font_, &device_).horizontalAdvance(Q(text));
}

int QtCanvas::TextHeight(const std::string&) const {
    return QFontMetrics(font_, &device_).height();
}

void QtCanvas::TextAt(int x, int y, const std::string& text) {
    if (painter_) {
        // The layouts place a text by its top-left corner; Qt draws from the baseline.
        painter_->drawText(x, y + QFontMetrics(font_, &device_).ascent(), Q(text));
    }
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) {
    if (painter_) {
        painter_->drawLine(x1, y1, x2, y2);
    }
}

void QtCanvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight) {
    if (painter_) {
        painter_->drawRoundedRect(QRectF(x1, y1, x2 - x1, y2 - y1), ellipseWidth / 2.0, ellipseHeight / 2.0,
                                  Qt::AbsoluteSize);
    }
}

std::unique_ptr<QPrinter> MakeSheetPrinter(const PrintTarget* target, const std::string& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The job's name in the printer queue, and a PDF file's title and creator.
    printer->setDocName(Q(documentName));
    printer->setCreator(Q(PrintCreator));
    if (target) {
        if (!target->outputFile.empty()) {
            MakePdfPrinter(*printer, target->outputFile, target->page);
        } else {
            printer->setPrinterName(Q(target->printerName));
            if (target->page) {
                SetPrinterPage(*printer, *target->page);
            }
        }
        printer->setCopyCount(target->copies > 0 ? target->copies : 1);
        return printer;
    }
    const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
    if (standard.isNull()) {
        MakePdfPrinter(*printer, {}, std::nullopt);
    } else {
        printer->setPrinterName(standard.printerName());
    }
    return printer;
}

bool PrintPage(QPrinter& printer, const std::function<void(Canvas&)>& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QtCanvas canvas(printer, &painter);
    draw(canvas);
    return painter.end();
}

bool PrintPages(QPrinter& printer, int pages, const std::function<void(Canvas&, int page)>& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        // Each page starts from the canvas's first state (font and pen).
        QtCanvas canvas(printer, &painter);
        draw(canvas, page);
    }
    return painter.end();
}

} // namespace vanto
