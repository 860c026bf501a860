// Printing a text through the print dialog, one job per copy, drawn line by
// line in the report's fixed-pitch face.
#pragma once

#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

class QPainter;
class QPrinter;
class QWidget;

namespace orvalt {

class MessageService;

// Paints page `index` of a printout into the printable area and returns
// the number of pages.
using PageDrawing = std::function<int(QPainter&, const QRectF&, int index)>;

// What a print needs from the platform. The real service shows QPrintDialog
// with a high-resolution QPrinter; the test service records what would be
// printed and can cancel or fail on demand.
class PrintService {
public:
    virtual ~PrintService() = default;
    // Shows the print dialog. Returns the number of copies chosen, or 0 when
    // the user cancelled or the dialog failed.
    virtual int ChoosePrinter(QWidget* parent) = 0;
    // Prints `text` (lines ending in "\r\n") as one job. False on error.
    virtual bool PrintDocument(const QString& text) = 0;
    // Prints one landscape page as one job: `draw` paints it into the
    // printable area, given in the painter's device units. False on error,
    // and always false for a service that cannot print drawings.
    virtual bool PrintPage(const std::function<void(QPainter&, const QRectF&)>& draw);
    // Prints landscape pages as one job: `draw` paints page `index` (from 0)
    // into the printable area and returns how many pages there are, which
    // may depend on the area. The default sends each page through
    // PrintPage, a job of its own.
    virtual bool PrintPages(const PageDrawing& draw);

    // The line printed above the text of every page of a document (the
    // case's title), or empty for pages with no header. The host sets it
    // before it hands the service to a window; drawings are not headed (they
    // carry a title block of their own).
    void setPageHeader(const QString& header) { pageHeader_ = header; }
    const QString& pageHeader() const { return pageHeader_; }

private:
    QString pageHeader_;
};

// The real service: Qt's QPrintDialog over a high-resolution QPrinter. The
// printer (and with it the user's choice of printer) lives as long as the
// service, so a second print starts from the first one's choice.
class QtPrintService final : public PrintService {
public:
    QtPrintService();
    ~QtPrintService() override;
    // Reads the copy count from the dialog and sets the printer's own count
    // to 1: each copy is then a job of its own (a CUPS queue would otherwise
    // multiply the copies inside one job). Printed to a PDF file, where a
    // second job would overwrite the first, the copies go into the one
    // document instead, and one job is asked for.
    int ChoosePrinter(QWidget* parent) override;
    bool PrintDocument(const QString& text) override;
    // Turns the printer to landscape for this job only: a text printed
    // afterwards has the orientation it had before (portrait).
    bool PrintPage(const std::function<void(QPainter&, const QRectF&)>& draw) override;
    bool PrintPages(const PageDrawing& draw) override;

private:
    std::unique_ptr<QPrinter> printer_;
    int copiesPerJob_ = 1;
};

// How the `copies` chosen are sent to `printer`: as that many jobs of one
// copy each, or, printed to a file, as one job holding every copy. Returns
// {jobs, copies per job}.
std::pair<int, int> SplitIntoJobs(const QPrinter& printer, int copies);

// Prints `text` as one document on `printer`: ReportFont(), the origin 20 mm in
// from the left edge of the printable area, one printed line per text line
// from the top of the printable area, lines cut at the printable width (never
// wrapped, so columns stay straight). Every page ends with its number and the
// page count ("1 / 3") centred at the foot of the printable area; a new page
// starts when the next line would reach into that footer. Lines end at
// "\r\n", "\r" or "\n". False when the printer fails.
// With `copies` above 1, the document is repeated that many times, each copy
// numbered from its own first page.
// A non-empty `header` is printed on every page in the top margin, above the
// printable area and 20 mm in like the text, in the report's face made small
// enough to fit the margin with a gap below it (12 pt at most, 5 pt at
// least; a margin too thin for 5 pt prints no header). The text lines and the
// footer stay exactly where they are without a header.
bool PrintTextToPrinter(QPrinter& printer, const QString& text, int copies = 1,
                        const QString& header = QString());

// Prints one page on `printer`, turned to landscape for this job only (the
// orientation it had comes back afterwards): `draw` paints into the
// printable area, in printer dots; `copies` pages of it. False when the
// printer fails.
bool PrintDrawingToPrinter(QPrinter& printer,
                           const std::function<void(QPainter&, const QRectF&)>& draw,
                           int copies = 1);

// The same for pages as PageDrawing gives them, one after another in the
// one job, all pages once per copy.
bool PrintPagesToPrinter(QPrinter& printer, const PageDrawing& draw, int copies = 1);

// Asks for a printer and prints `text` once per copy chosen, each copy a job
// of its own; a cancel or an error shows "印字はキャンセルされました。" over
// `parent`.
void PrintWithDialog(PrintService& printing, MessageService& messages, QWidget* parent,
                     const QString& text);

// The same for a drawing: one landscape page per copy, each copy a job of its
// own, the same cancel message.
void PrintPageWithDialog(PrintService& printing, MessageService& messages, QWidget* parent,
                         const std::function<void(QPainter&, const QRectF&)>& draw);

// The same for pages: all of them once per copy, each copy a job of its own.
void PrintPagesWithDialog(PrintService& printing, MessageService& messages, QWidget* parent,
                          const PageDrawing& draw);

} // namespace orvalt
