// Printing a text through QPrinter into a PDF file, read back with poppler's
// pdftotext: the report's lines page after page, lines cut at the printable
// width, and columns that stay aligned 20 mm in from the printable area.
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "engine/calculation/calculation.h"
#include "engine/output/report_text.h"
#include "support/wire_records.h"
#include "ui/base/fonts.h"
#include "ui/base/printing.h"

namespace orvalt::test {
namespace {

class PdfPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }

    // Prints `text` on A4 portrait into a PDF; returns its path.
    QString PrintToPdf(const QString& text,
                       QPageLayout::Orientation orientation = QPageLayout::Portrait,
                       int copies = 1, const QString& header = QString()) {
        const QString path = folder_.filePath(QStringLiteral("report.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(orientation);
        EXPECT_TRUE(PrintTextToPrinter(printer, text, copies, header));
        linesPerPage_ = LinesPerPage(printer);
        // ORVALT_KEEP_PDF=<folder> keeps the printout for a look with pdftoppm.
        const QString keep = qEnvironmentVariable("ORVALT_KEEP_PDF");
        if (!keep.isEmpty()) {
            const QString kept =
                keep + QStringLiteral("/") +
                QString::fromLatin1(
                    ::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                QStringLiteral(".pdf");
            QFile::remove(kept);
            QFile::copy(path, kept);
        }
        return path;
    }

    // How many report lines fit one page: the printable height over the line
    // spacing of the report font on that printer.
    static int LinesPerPage(QPrinter& printer) {
        const QRectF printable = printer.pageLayout().paintRectPixels(printer.resolution());
        const QFontMetricsF metrics(ReportFont(), &printer);
        return static_cast<int>(std::floor(printable.height() / metrics.lineSpacing()));
    }

    static QString Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    static int PageCount(const QString& pdf) {
        const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
        const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    // The text of each page as pdftotext -layout reads it, the margin that all
    // lines of the document share taken off, trailing blanks and the blank
    // lines at the end of a page dropped.
    static QList<QStringList> PagesOf(const QString& pdf) {
        const QString text =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QList<QStringList> pages;
        qsizetype margin = -1;
        for (const QString& page : text.split(QChar(u'\f'))) {
            QStringList lines = page.split(QChar(u'\n'));
            for (QString& line : lines) {
                while (line.endsWith(u' ')) line.chop(1);
                if (line.isEmpty()) continue;
                qsizetype lead = 0;
                while (lead < line.size() && line.at(lead) == u' ') ++lead;
                if (margin < 0 || lead < margin) margin = lead;
            }
            while (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
            pages.push_back(lines);
        }
        while (!pages.isEmpty() && pages.back().isEmpty()) pages.pop_back();
        for (QStringList& page : pages)
            for (QString& line : page) line = line.mid(margin);
        return pages;
    }

    // A report of the worked example with `rows` spans.
    static QStringList ReportLines(float spanStart, float spanEnd, float spanStep, QString* text) {
        CalculationState state;
        state.currentWire = WorkedExample1();
        state.spanStart = spanStart;
        state.spanEnd = spanEnd;
        state.spanStep = spanStep;
        RunCalculation(state);
        *text = QString::fromStdString(ComposeResultReport(state));
        QStringList lines = text->split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
        return lines;
    }

    QTemporaryDir folder_;
    int linesPerPage_ = 0;
};

// pdftotext -layout guesses the blanks between words from a grid of its own
// and sets blank lines apart by spacing only, so the text is compared word by
// word: the lines that hold text, each with its runs of blanks (full-width
// ones included) made one blank. Column positions are checked apart, from the
// glyph boxes (ColumnsStayAligned...).
QStringList WithText(const QStringList& lines) {
    QStringList out;
    for (QString line : lines) {
        line.replace(QChar(0x3000), u' ');
        line = line.simplified();
        if (!line.isEmpty()) out << line;
    }
    return out;
}

TEST_F(PdfPrintTest, OnePageReportReadsBackAsItsLines) {
    QString text;
    const QStringList lines = ReportLines(100.0f, 200.0f, 10.0f, &text);
    ASSERT_LT(lines.size(), 40);
    const QString pdf = PrintToPdf(text);
    EXPECT_EQ(PageCount(pdf), 1);
    const QList<QStringList> pages = PagesOf(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(WithText(pages[0]), WithText(lines) << QStringLiteral("1 / 1"));
}

TEST_F(PdfPrintTest, LongReportContinuesOnFurtherPagesWithNoLineLostOrRepeated) {
    QString text;
    const QStringList lines = ReportLines(10.0f, 600.0f, 2.0f, &text);
    const QString pdf = PrintToPdf(text);
    const int pageCount = PageCount(pdf);
    ASSERT_GE(pageCount, 3);
    const QList<QStringList> pages = PagesOf(pdf);
    ASSERT_EQ(pages.size(), pageCount);

    // Every page ends with its number and the count; the text lines of the
    // pages, read in order, are the report's lines; every page but the last
    // is full, and no more lines fit than the paper has room for.
    QStringList printed;
    qsizetype fullPage = -1;
    for (int p = 0; p < pageCount; ++p) {
        SCOPED_TRACE(p + 1);
        QStringList page = WithText(pages[p]);
        ASSERT_FALSE(page.isEmpty());
        EXPECT_EQ(page.takeLast(), QStringLiteral("%1 / %2").arg(p + 1).arg(pageCount));
        if (p == 0) fullPage = pages[p].size();
        if (p + 1 < pageCount) {
            EXPECT_EQ(pages[p].size(), fullPage);
        }
        printed += page;
    }
    EXPECT_EQ(printed, WithText(lines));
    EXPECT_GT(fullPage, 10);
    EXPECT_LT(fullPage - 1, linesPerPage_) << "the footer takes the room of a text line";
}

// Printed to a file, the copies are one job (a second job would overwrite
// the file): every copy in the one document, each numbered on its own. On a
// printer each copy stays a job of its own.
TEST_F(PdfPrintTest, ThreeCopiesToAFileAreOneDocumentOfThreeCopies) {
    QString text;
    const QStringList lines = ReportLines(10.0f, 300.0f, 2.0f, &text);
    const QString pdf = PrintToPdf(text, QPageLayout::Portrait, 3);
    const QList<QStringList> pages = PagesOf(pdf);
    ASSERT_EQ(PageCount(pdf), pages.size());
    ASSERT_EQ(pages.size() % 3, 0);
    const qsizetype perCopy = pages.size() / 3;
    ASSERT_GE(perCopy, 2);
    for (qsizetype p = 0; p < pages.size(); ++p)
        EXPECT_EQ(pages[p], pages[p % perCopy]) << "page " << p + 1;
    EXPECT_EQ(WithText(pages[perCopy]).last(), QStringLiteral("1 / %1").arg(perCopy));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder_.filePath(QStringLiteral("any.pdf")));
    EXPECT_EQ(SplitIntoJobs(printer, 3), std::make_pair(1, 3));
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        EXPECT_EQ(SplitIntoJobs(printer, 3), std::make_pair(3, 1));
    }
}

TEST_F(PdfPrintTest, TwoCopiesOfADrawingAreTwoPagesOfOneFile) {
    const QString path = folder_.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    int drawn = 0;
    ASSERT_TRUE(PrintDrawingToPrinter(
        printer,
        [&drawn](QPainter& painter, const QRectF& page) {
            painter.drawText(page.topLeft() + QPointF(100, 200), QStringLiteral("page"));
            ++drawn;
        },
        2));
    EXPECT_EQ(drawn, 2);
    EXPECT_EQ(PageCount(path), 2);
}

// A printout whose page count follows from the page: every page of it, in
// order, once per copy, in the one file (a page per job would leave only
// the last page in a PDF file).
TEST_F(PdfPrintTest, PagesOfAPrintoutAreAllInOneFileOncePerCopy) {
    const QString path = folder_.filePath(QStringLiteral("pages.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QList<int> drawn;
    ASSERT_TRUE(PrintPagesToPrinter(
        printer,
        [&drawn](QPainter& painter, const QRectF& page, int index) {
            painter.drawText(page.topLeft() + QPointF(100, 200), QStringLiteral("p%1").arg(index));
            drawn << index;
            return page.width() > page.height() ? 3 : 1; // landscape: three pages
        },
        2));
    EXPECT_EQ(drawn, QList<int>({0, 1, 2, 0, 1, 2}));
    EXPECT_EQ(PageCount(path), 6);
}

TEST_F(PdfPrintTest, LinesWiderThanThePageAreCutNotWrapped) {
    // Landscape paper is wider; portrait with a long line: the line is cut at
    // the printable width, and the line after it stays the next line.
    const QString longLine = QString(200, u'8');
    const QString text = QStringLiteral("first\r\n") + longLine + QStringLiteral("\r\nlast\r\n");
    const QString pdf = PrintToPdf(text);
    EXPECT_EQ(PageCount(pdf), 1);
    const QList<QStringList> pages = PagesOf(pdf);
    ASSERT_EQ(pages.size(), 1);
    const QStringList got = WithText(pages[0]);
    ASSERT_EQ(got.size(), 4) << got.join("|").toStdString();
    EXPECT_EQ(got[0], QStringLiteral("first"));
    EXPECT_EQ(got[2], QStringLiteral("last"));
    EXPECT_EQ(got[3], QStringLiteral("1 / 1"));
    EXPECT_TRUE(longLine.startsWith(got[1]));
    // A4 is 210 mm; 20 mm in from the printable area's left edge leaves well
    // under 200 half-width cells of 12 pt (about 2.1 mm each).
    EXPECT_GT(got[1].size(), 60);
    EXPECT_LT(got[1].size(), 100);
}

struct Word {
    double xMin, yMin, xMax, yMax;
    QString text;
};

// The words of page `page` (0-based) with their boxes in points from the
// paper's top left, as pdftotext -bbox gives them.
QList<Word> WordsOfPage(const QString& bbox, int page) {
    const QStringList pages = bbox.split(QStringLiteral("<page "));
    QList<Word> words;
    if (page + 1 >= pages.size()) return words;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = word.globalMatch(pages[page + 1]); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// Words grouped into printed lines by their top edge, top to bottom.
QList<QList<Word>> LinesOf(QList<Word> words) {
    // pdftotext lists the words block by block; put them in reading order.
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        if (std::abs(a.yMin - b.yMin) > 0.5) return a.yMin < b.yMin;
        return a.xMin < b.xMin;
    });
    QList<QList<Word>> lines;
    for (const Word& w : words) {
        if (lines.isEmpty() || std::abs(lines.back().front().yMin - w.yMin) > 0.5)
            lines.push_back({});
        lines.back().push_back(w);
    }
    return lines;
}

TEST_F(PdfPrintTest, ColumnsStayAlignedTwentyMillimetresInFromThePrintableArea) {
    QString text;
    ReportLines(100.0f, 400.0f, 10.0f, &text);
    const QString pdf = PrintToPdf(text);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    const double lineSpacing =
        QFontMetricsF(ReportFont(), &printer).lineSpacing() * 72.0 / printer.resolution();
    const double left = printable.left() + 20.0 * 72.0 / 25.4;

    const QList<QList<Word>> lines = LinesOf(WordsOfPage(
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}), 0));
    ASSERT_GT(lines.size(), 30);

    // The first line is the report's first line, at the top of the printable area.
    EXPECT_GE(lines[0].front().yMin, printable.top() - 0.5);
    EXPECT_LT(lines[0].front().yMin, printable.top() + lineSpacing);

    // A line that starts in column 0 starts 20 mm in from the printable area.
    bool sawColumnZero = false;
    for (const QList<Word>& line : lines) {
        if (line.front().text != QStringLiteral("/////")) continue;
        EXPECT_NEAR(line.front().xMin, left, 0.5);
        sawColumnZero = true;
    }
    EXPECT_TRUE(sawColumnZero);

    // The table rows: 13 right-aligned numbers each, every column at one x,
    // one line spacing apart.
    QList<QList<Word>> rows;
    for (const QList<Word>& line : lines)
        if (line.size() == 13 && line.front().text.size() == 3 && line.front().text.toInt() >= 100)
            rows << line;
    ASSERT_EQ(rows.size(), 31);
    for (int r = 1; r < rows.size(); ++r) {
        for (int i = 0; i < 13; ++i)
            EXPECT_NEAR(rows[r][i].xMax, rows[0][i].xMax, 0.05) << "row " << r << " column " << i;
        EXPECT_NEAR(rows[r][0].yMin - rows[r - 1][0].yMin, lineSpacing, 0.1);
    }

    // Full-width characters are two columns wide: the ":" after 線　　　種 (full-width
    // blanks) stands under the one after 計算断面積  [mm2].
    QList<double> colons;
    for (const QList<Word>& line : lines)
        for (const Word& w : line)
            if (w.text == QStringLiteral(":")) colons << w.xMin;
    ASSERT_GE(colons.size(), 6); // 弾性係数's colon hangs on "[kg/mm2]:"
    for (double x : colons) EXPECT_NEAR(x, colons.front(), 0.05);
}

// A title heads every page in the top margin, 20 mm in like the text; every
// word of the text and of the footer stays exactly where it is printed
// without one. A title wider than the page is cut like a text line.
TEST_F(PdfPrintTest, ATitleHeadsEveryPageAboveTheTextAndMovesNothing) {
    QString text;
    ReportLines(10.0f, 300.0f, 2.0f, &text);
    const auto bboxOf = [](const QString& pdf) {
        return Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    };
    const QString barePdf = PrintToPdf(text);
    const int pageCount = PageCount(barePdf);
    ASSERT_GE(pageCount, 2);
    const QString bare = bboxOf(barePdf);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
    const double left = printable.left() + 20.0 * 72.0 / 25.4;
    const auto byPlace = [](QList<Word> words) {
        std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
            return std::tie(a.yMin, a.xMin) < std::tie(b.yMin, b.xMin);
        });
        return words;
    };

    const QString longTitle = QString(120, QChar(u'長'));
    const struct {
        QString title;
        QString printed; // the header's words joined by one blank
    } cases[] = {
        {longTitle, QString()}, // cut: a leading part of it
        {QStringLiteral("ＡＢ線 No.3-No.7 弛度計算"), QStringLiteral("ＡＢ線 No.3-No.7 弛度計算")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title.toStdString());
        const QString titled = PrintToPdf(text, QPageLayout::Portrait, 1, c.title);
        ASSERT_EQ(PageCount(titled), pageCount);
        const QString bbox = bboxOf(titled);
        for (int p = 0; p < pageCount; ++p) {
            SCOPED_TRACE(p + 1);
            QList<Word> header, rest;
            for (const Word& w : byPlace(WordsOfPage(bbox, p)))
                (w.yMax <= printable.top() + 0.01 ? header : rest).push_back(w);
            const QList<Word> expected = byPlace(WordsOfPage(bare, p));
            ASSERT_EQ(rest.size(), expected.size());
            for (qsizetype i = 0; i < rest.size(); ++i) {
                EXPECT_EQ(rest[i].text, expected[i].text);
                EXPECT_NEAR(rest[i].xMin, expected[i].xMin, 0.01) << rest[i].text.toStdString();
                EXPECT_NEAR(rest[i].yMin, expected[i].yMin, 0.01) << rest[i].text.toStdString();
            }
            ASSERT_FALSE(header.isEmpty());
            QStringList words;
            for (const Word& w : header) {
                EXPECT_GE(w.yMin, 0.0) << "on the paper";
                words << w.text;
            }
            EXPECT_NEAR(header.front().xMin, left, 0.5);
            const QString printed = words.join(u' ');
            if (!c.printed.isEmpty()) {
                EXPECT_EQ(printed, c.printed);
            } else {
                EXPECT_TRUE(c.title.startsWith(printed));
                EXPECT_GT(printed.size(), 30);
                EXPECT_LT(printed.size(), c.title.size());
            }
        }
    }
}

} // namespace
} // namespace orvalt::test
