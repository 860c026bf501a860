// Printing a text: one print job per copy (all copies in one document when
// printed to a file), each drawn line by line in the report's fixed-pitch face
// so that the columns stay where the result window shows them.
#include "ui/base/printing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include <algorithm>

#include "ui/base/fonts.h"
#include "ui/base/message_box.h"

namespace orvalt {

namespace {

constexpr double kLeftShiftMm = 20.0; // the printout starts this far inside the printable area
constexpr double kMmPerInch = 25.4;
constexpr double kSmallestHeaderPoints = 5.0; // a header smaller than this is not printed

const QString kPrintCancelled = QStringLiteral("印字はキャンセルされました。");

// Lines of `text`; a line ends at CR LF, a lone CR or a lone LF. A terminator
// at the very end closes the last line and does not start an empty one.
QStringList SplitLines(const QString& text) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.push_back(line);
            line.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
        } else {
            line.push_back(c);
        }
    }
    if (!line.isEmpty()) lines.push_back(line);
    return lines;
}

// The longest leading part of `line` whose drawn width stays within `width`
// device units. Whole characters (surrogate pairs kept together) only.
QString CutToWidth(const QString& line, const QFontMetricsF& metrics, double width) {
    if (metrics.horizontalAdvance(line) <= width) return line;
    qsizetype end = 0;
    while (end < line.size()) {
        qsizetype next = end + 1;
        if (line.at(end).isHighSurrogate() && next < line.size() && line.at(next).isLowSurrogate())
            ++next;
        if (metrics.horizontalAdvance(line.left(next)) > width) break;
        end = next;
    }
    return line.left(end);
}

} // namespace

namespace {

// The text cut into pages of the printable area of `printer`, in the font
// the painter has.
struct TextPages {
    TextPages(QPrinter& printer, const QFontMetricsF& metrics, const QString& text)
        : metrics(metrics),
          printable(printer.pageLayout().paintRectPixels(printer.resolution())),
          lines(SplitLines(text)) {
        const double dotsPerMm = printer.resolution() / kMmPerInch;
        left = kLeftShiftMm * dotsPerMm;
        lineWidth = std::max(0.0, printable.width() - left);
        lineHeight = metrics.lineSpacing();
        // The page number sits at the foot of the printable area, half a
        // line below the last text line that fits.
        const double footerHeight = 1.5 * lineHeight;
        const double textHeight = std::max(lineHeight, printable.height() - footerHeight);
        linesPerPage = std::max<qsizetype>(1, static_cast<qsizetype>(textHeight / lineHeight));
        count = std::max<qsizetype>(1, (lines.size() + linesPerPage - 1) / linesPerPage);
    }

    // Lays `header` out in the top margin: the report's face scaled down
    // until a line of it and a quarter line of gap fit between the paper's
    // top edge and the first text line, never larger than the report's own
    // size; no header when even kSmallestHeaderPoints would not fit.
    void setHeader(QPrinter& printer, const QFont& reportFont, const QString& header) {
        if (header.isEmpty()) return;
        const double margin = printable.top(); // device units above the first text line
        const double scale = std::min(1.0, margin / (1.25 * lineHeight));
        const double points = reportFont.pointSizeF() * scale;
        if (points < kSmallestHeaderPoints) return;
        headerFont = reportFont;
        headerFont.setPointSizeF(points);
        const QFontMetricsF headerMetrics(headerFont, &printer);
        const double height = headerMetrics.ascent() + headerMetrics.descent();
        const double gap = std::max(0.0, std::min(0.5 * height, margin - height));
        headerBaseline = -gap - headerMetrics.descent();
        headerLine = CutToWidth(header, headerMetrics, lineWidth);
    }

    void draw(QPainter& painter, qsizetype page) const {
        if (!headerLine.isEmpty()) {
            const QFont reportFont = painter.font();
            painter.setFont(headerFont);
            painter.drawText(QPointF(left, headerBaseline), headerLine);
            painter.setFont(reportFont);
        }
        const qsizetype first = page * linesPerPage;
        const qsizetype end = std::min(lines.size(), first + linesPerPage);
        for (qsizetype i = first; i < end; ++i) {
            const QString shown = CutToWidth(lines[i], metrics, lineWidth);
            const double top = static_cast<double>(i - first) * lineHeight;
            if (!shown.isEmpty()) painter.drawText(QPointF(left, top + metrics.ascent()), shown);
        }
        const QString footer = QStringLiteral("%1 / %2").arg(page + 1).arg(count);
        const double footerLeft = (printable.width() - metrics.horizontalAdvance(footer)) / 2.0;
        painter.drawText(QPointF(footerLeft, printable.height() - metrics.descent()), footer);
    }

    const QFontMetricsF& metrics;
    QRectF printable;
    QStringList lines;
    double left = 0.0, lineWidth = 0.0, lineHeight = 1.0;
    qsizetype linesPerPage = 1, count = 1;
    // The header: its line as printed (empty for none), its face and its
    // baseline, above the printable area's top (negative).
    QString headerLine;
    QFont headerFont;
    double headerBaseline = 0.0;
};

} // namespace

bool PrintTextToPrinter(QPrinter& printer, const QString& text, int copies,
                        const QString& header) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // The painter's origin is the top left of the printable area (the
    // printer is not in full-page mode); one device unit is one printer dot.
    painter.setFont(ReportFont());
    const QFontMetricsF metrics(painter.font(), &printer);
    TextPages pages(printer, metrics, text);
    pages.setHeader(printer, painter.font(), header);
    bool ok = true;
    for (int copy = 0; ok && copy < std::max(1, copies); ++copy) {
        for (qsizetype page = 0; ok && page < pages.count; ++page) {
            if ((copy > 0 || page > 0) && !printer.newPage()) {
                ok = false;
                break;
            }
            pages.draw(painter, page);
        }
    }
    if (!painter.end()) ok = false;
    return ok && printer.printerState() != QPrinter::Error;
}

QtPrintService::QtPrintService() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPrintService::~QtPrintService() = default;

int QtPrintService::ChoosePrinter(QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    // Every copy is the whole text: the page range is not offered.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted) return 0;
    if (!printer_->isValid() || printer_->printerState() == QPrinter::Error) return 0;
    const auto [jobs, copiesPerJob] = SplitIntoJobs(*printer_, printer_->copyCount());
    printer_->setCopyCount(1);
    copiesPerJob_ = copiesPerJob;
    return jobs;
}

std::pair<int, int> SplitIntoJobs(const QPrinter& printer, int copies) {
    copies = std::max(1, copies);
    const bool toFile =
        !printer.outputFileName().isEmpty() || printer.outputFormat() == QPrinter::PdfFormat;
    return toFile ? std::pair{1, copies} : std::pair{copies, 1};
}

bool QtPrintService::PrintDocument(const QString& text) {
    return PrintTextToPrinter(*printer_, text, copiesPerJob_, pageHeader());
}

bool QtPrintService::PrintPage(const std::function<void(QPainter&, const QRectF&)>& draw) {
    return PrintDrawingToPrinter(*printer_, draw, copiesPerJob_);
}

bool PrintDrawingToPrinter(QPrinter& printer,
                           const std::function<void(QPainter&, const QRectF&)>& draw, int copies) {
    return PrintPagesToPrinter(
        printer,
        [&draw](QPainter& painter, const QRectF& page, int) {
            draw(painter, page);
            return 1;
        },
        copies);
}

bool PrintPagesToPrinter(QPrinter& printer, const PageDrawing& draw, int copies) {
    const QPageLayout::Orientation previous = printer.pageLayout().orientation();
    printer.setPageOrientation(QPageLayout::Landscape);
    bool ok = false;
    {
        QPainter painter;
        if (painter.begin(&printer)) {
            painter.setRenderHint(QPainter::Antialiasing);
            // The painter's origin is the top left of the printable area.
            const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
            const QRectF page(QPointF(0.0, 0.0), printable.size());
            ok = true;
            bool first = true;
            for (int copy = 0; ok && copy < std::max(1, copies); ++copy) {
                int pages = 1;
                for (int index = 0; ok && index < pages; ++index) {
                    ok = first || printer.newPage();
                    first = false;
                    if (ok) pages = std::max(1, draw(painter, page, index));
                }
            }
            ok = painter.end() && ok && printer.printerState() != QPrinter::Error;
        }
    }
    printer.setPageOrientation(previous);
    return ok;
}

bool PrintService::PrintPage(const std::function<void(QPainter&, const QRectF&)>&) { return false; }

bool PrintService::PrintPages(const PageDrawing& draw) {
    int pages = 1;
    for (int index = 0; index < pages; ++index) {
        const bool ok = PrintPage([&](QPainter& painter, const QRectF& page) {
            pages = std::max(1, draw(painter, page, index));
        });
        if (!ok) return false;
    }
    return true;
}

bool QtPrintService::PrintPages(const PageDrawing& draw) {
    return PrintPagesToPrinter(*printer_, draw, copiesPerJob_);
}

namespace {

// The print dialog, then `printCopy` once per copy chosen until one fails.
void PrintCopies(PrintService& printing, MessageService& messages, QWidget* parent,
                 const std::function<bool()>& printCopy) {
    const int copies = printing.ChoosePrinter(parent);
    bool ok = copies > 0;
    for (int copy = 0; ok && copy < copies; ++copy) ok = printCopy();
    if (!ok) messages.Show(parent, kPrintCancelled, MessageIcon::Information, MessageButtons::Ok);
}

} // namespace

void PrintWithDialog(PrintService& printing, MessageService& messages, QWidget* parent,
                     const QString& text) {
    PrintCopies(printing, messages, parent, [&] { return printing.PrintDocument(text); });
}

void PrintPageWithDialog(PrintService& printing, MessageService& messages, QWidget* parent,
                         const std::function<void(QPainter&, const QRectF&)>& draw) {
    PrintCopies(printing, messages, parent, [&] { return printing.PrintPage(draw); });
}

void PrintPagesWithDialog(PrintService& printing, MessageService& messages, QWidget* parent,
                          const PageDrawing& draw) {
    PrintCopies(printing, messages, parent, [&] { return printing.PrintPages(draw); });
}

} // namespace orvalt
