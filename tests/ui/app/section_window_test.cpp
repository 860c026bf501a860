// The tension section window (区間計算), driven through keys and clicks: the
// command's enabling, typing a section as in a spreadsheet, refused cells
// and pastes, and what the computed section prints, saves and copies (the
// printout and the CSV against the engine's golden files).
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableView>
#include <QValueAxis>

#include <functional>

#include <gtest/gtest.h>

#include "engine/number/number_text.h"
#include "engine/output/section_text.h"
#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "ui/base/file_saving.h"
#include "ui/base/result_marks.h"
#include "ui/windows/section_window.h"
#include "ui/windows/section_window_plot.h"

namespace orvalt::test {
namespace {
class AnswerWith final : public SaveDialogService {
public:
    QString ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
        return answer;
    }
    QString answer;
};

class SectionWindowTest : public MainWindowWithWiresTest {
protected:
    void SetUp() override {
        MainWindowWithWiresTest::SetUp();
        main_->setSaveDialogService(saveDialogs_);
    }

    // OK in the conditions window for the 50 mm worked example (100 m to
    // 400 m by 50 m, or the given span range), then 区間計算.
    frmSection* openSection(const QStringList& startEndStep = {}) {
        QWidget* conditions = OpenConditions();
        ChooseWire(conditions, 1);
        SetBox(conditions, 13, QStringLiteral("50"));
        if (startEndStep.size() == 3) {
            SetBox(conditions, 15, startEndStep[0]);
            SetBox(conditions, 14, startEndStep[1]);
            SetBox(conditions, 13, startEndStep[2]);
        }
        Click(conditions, "Command1_0");
        Trigger("mnuSection");
        return qobject_cast<frmSection*>(ActiveChild());
    }

    static QTableView* spans(QWidget* w) {
        return Child<QTableView>(w, QStringLiteral("grdSpans"));
    }
    static QStringList spanTexts(QWidget* w) {
        QStringList texts;
        QAbstractItemModel* model = spans(w)->model();
        for (int r = 0; r < model->rowCount(); ++r)
            texts << model->index(r, 0).data().toString() + u'|' +
                         model->index(r, 1).data().toString();
        return texts;
    }

    AnswerWith saveDialogs_;
};

const QString kFourSpans = QStringLiteral("１２０\t５\r\n250\t30\r\n180\t-12\r\n90\t−40\r\n");

TEST_F(SectionWindowTest, TypedSpansMoveLikeASpreadsheetAndABadCellIsNamed) {
    EXPECT_FALSE(Action("mnuSection")->isEnabled());
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Action("mnuSection")->isEnabled());
    // As the result window's: the wire, then the study temperature as its
    // caption writes it (" 90").
    EXPECT_EQ(window->windowTitle(), QStringLiteral("区間計算 : 計算例2 90℃"));
    EXPECT_FALSE(Action("mnuCsv")->isEnabled()) << "nothing computed yet";

    ClickCell(spans(window), 0, 0);
    TypeCells({"120", "\t", "-5", "\n", "２５０", "\n", "0", "\n"});
    EXPECT_EQ(spanTexts(window), QStringList({"120|-5", QStringLiteral("２５０|"), "0|", "|"}));

    Click(window, "cmdCalculate");
    ASSERT_EQ(
        MessageTexts(),
        QStringList({QStringLiteral("径間 3 の径間長は 0 より大きい数値で入力してください")}));
    EXPECT_EQ(QApplication::focusWidget(), spans(window));
    EXPECT_EQ(spans(window)->currentIndex().row(), 2);
    EXPECT_EQ(spanTexts(window).size(), 4) << "nothing lost";
    EXPECT_FALSE(Action("mnuCsv")->isEnabled());

    // Ctrl+Delete removes the bad row; the empty last row is no span.
    PressKey(Qt::Key_Delete, Qt::ControlModifier);
    Click(window, "cmdCalculate");
    EXPECT_EQ(MessageTexts().size(), 1);
    EXPECT_EQ(window->section().spans.size(), 2u);
    EXPECT_TRUE(Action("mnuCsv")->isEnabled());
}

TEST_F(SectionWindowTest, APasteWithABadCellIsRefusedWhole) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    TypeCells({"300", "\n"});
    ClickCell(spans(window), 0, 0);

    PasteText(QStringLiteral("120\t5\r\n250\tabc\r\n"));
    EXPECT_EQ(MessageTexts(),
              QStringList({QStringLiteral(
                  "径間 2 の高低差「abc」は数値ではありません。貼り付けは行いませんでした")}));
    EXPECT_EQ(spanTexts(window), QStringList({"300|", "|"}));
    PasteText(QStringLiteral("1\t2\t3\r\n"));
    EXPECT_EQ(MessageTexts().back(),
              QStringLiteral("貼り付けられるのは径間長と高低差の 2 列までです"));
    EXPECT_EQ(spanTexts(window), QStringList({"300|", "|"}));

    PasteText(kFourSpans);
    EXPECT_EQ(spanTexts(window), QStringList({QStringLiteral("１２０|５"), "250|30", "180|-12",
                                              QStringLiteral("90|−40")}));
}

// Qt's warnings while the test runs (a late commit from a closed editor).
class WarningRecorder {
public:
    WarningRecorder() { previous_ = qInstallMessageHandler(&WarningRecorder::record); }
    ~WarningRecorder() { qInstallMessageHandler(previous_); }
    static QStringList& seen() {
        static QStringList texts;
        return texts;
    }

private:
    static void record(QtMsgType, const QMessageLogContext&, const QString& text) {
        seen() << text;
    }
    QtMessageHandler previous_ = nullptr;
};

// Over a list of four spans, a value typed into a row and Enter: the next
// row, one at a time, and no warning about a stray commit.
TEST_F(SectionWindowTest, EnterMovesExactlyOneRowDown) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    WarningRecorder::seen().clear();
    WarningRecorder warnings;
    ClickCell(spans(window), 0, 0);
    for (const auto& [typed, row] : {std::pair{"111", 1}, {"222", 2}, {"333", 3}}) {
        TypeCells({typed, "\n"});
        EXPECT_EQ(spans(window)->currentIndex().row(), row) << typed;
        EXPECT_EQ(spans(window)->currentIndex().column(), 0) << typed;
    }
    EXPECT_EQ(spanTexts(window), QStringList({QStringLiteral("111|５"), "222|30", "333|-12",
                                              QStringLiteral("90|−40")}));
    // From the 高低差 column Enter goes to the next row's 径間長.
    ClickCell(spans(window), 1, 1);
    TypeCells({"7", "\n"});
    EXPECT_EQ(spans(window)->currentIndex().row(), 2);
    EXPECT_EQ(spans(window)->currentIndex().column(), 0);
    EXPECT_TRUE(WarningRecorder::seen().filter(QStringLiteral("commitData")).isEmpty())
        << WarningRecorder::seen().join(u'\n').toStdString();
}

// The same text typed or pasted is read the same way and named the same
// way; a typed one keeps the cursor on its cell and nothing is lost.
TEST_F(SectionWindowTest, TypedAndPastedCellsAreReadAlike) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    for (const QString& text : {QStringLiteral("1,200"), QStringLiteral("120m")}) {
        messages_.shown.clear();
        ClickCell(spans(window), 0, 0);
        PasteText(text + QStringLiteral("\t5\r\n"));
        const QString named = QStringLiteral("径間 1 の径間長「%1」は数値ではありません").arg(text);
        ASSERT_EQ(MessageTexts(),
                  QStringList({named + QStringLiteral("。貼り付けは行いませんでした")}));

        ClickCell(spans(window), 0, 0);
        TypeCells({text, "\n"});
        EXPECT_EQ(MessageTexts().back(), named);
        EXPECT_EQ(spans(window)->currentIndex().row(), 0) << "the cursor stays on the cell";
        EXPECT_EQ(spanTexts(window).front(), text + u'|');
        Click(window, "cmdCalculate");
        EXPECT_EQ(MessageTexts().back(), named);
        EXPECT_EQ(MessageTexts().size(), 3);
        PressKey(Qt::Key_Delete);
    }
}

// A block copied with its header line: the header is skipped and said so,
// the numbers below it are pasted.
TEST_F(SectionWindowTest, APastedHeaderLineIsSkippedWithANote) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(QStringLiteral("径間長[m]\t高低差[m]\r\n120\t5\r\n250\t30\r\n"));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    EXPECT_EQ(spanTexts(window), QStringList({"120|5", "250|30"}));
    EXPECT_TRUE(Child<QLabel>(window, QStringLiteral("lblMessage"))->text().contains(u"見出し"));
    // A line with a number in it is no header: the block is refused whole.
    ClickCell(spans(window), 0, 0);
    PasteText(QStringLiteral("径間長\t5\r\n120\t5\r\n"));
    EXPECT_EQ(MessageTexts().size(), 1);
    EXPECT_EQ(spanTexts(window), QStringList({"120|5", "250|30"}));
}

// 行追加 adds a row after the last whatever row is current; Insert adds one
// below the current row.
TEST_F(SectionWindowTest, AddRowAppendsAndInsertInserts) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    ClickCell(spans(window), 0, 0);
    Click(window, "cmdAddRow");
    EXPECT_EQ(spanTexts(window).size(), 5);
    EXPECT_EQ(spanTexts(window).back(), "|");
    EXPECT_EQ(spans(window)->currentIndex().row(), 4);
    ClickCell(spans(window), 0, 0);
    PressKey(Qt::Key_Insert);
    EXPECT_EQ(spanTexts(window).mid(0, 3),
              QStringList({QStringLiteral("１２０|５"), "|", "250|30"}));
    EXPECT_EQ(spans(window)->currentIndex().row(), 1);
}

// Results that no longer belong to the span list are greyed with a line
// saying so and neither print nor save; the same list again makes them
// current; a refused 計算 clears them from every page.
TEST_F(SectionWindowTest, ResultsOfAnotherSpanListAreMarkedStaleOrCleared) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    auto* stale = Child<QLabel>(window, QStringLiteral("lblStale"));
    auto* results = Child<QTableView>(window, QStringLiteral("grdResults"));
    auto* plot = window->findChild<SectionProfilePlot*>();
    ASSERT_NE(plot, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    ASSERT_FALSE(stale->isVisible());
    ASSERT_TRUE(Action("mnuPrint")->isEnabled());

    struct Step {
        const char* what;
        std::function<void()> act;
        bool stale, printable;
        int resultRows;
    };
    const Step steps[] = {
        {"two spans pasted below",
         [&] {
             Click(window, "cmdAddRow");
             PasteText(QStringLiteral("300\t0\r\n200\t0\r\n"));
         },
         true, false, 4},
        {"the two removed again",
         [&] {
             ClickCell(spans(window), 5, 0);
             PressKey(Qt::Key_Delete, Qt::ControlModifier);
             PressKey(Qt::Key_Delete, Qt::ControlModifier);
         },
         false, true, 4},
        {"a length typed over",
         [&] {
             ClickCell(spans(window), 0, 0);
             TypeCells({"130", "\n"});
         },
         true, false, 4},
        {"計算", [&] { PressAccessKey(Qt::Key_R); }, false, true, 4},
        {"a span of 0 typed",
         [&] {
             ClickCell(spans(window), 1, 0);
             TypeCells({"0", "\n"});
         },
         true, false, 4},
        {"計算 refused", [&] { PressAccessKey(Qt::Key_R); }, false, false, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        FlushDeletes();
        EXPECT_EQ(stale->isVisible(), step.stale);
        EXPECT_EQ(results->isEnabled(), !step.stale);
        EXPECT_EQ(plot->isEnabled(), !step.stale);
        EXPECT_EQ(Action("mnuPrint")->isEnabled(), step.printable);
        EXPECT_EQ(Action("mnuCsv")->isEnabled(), step.printable);
        EXPECT_EQ(results->model()->rowCount(), step.resultRows);
        EXPECT_EQ(plot->wire(0)->count() > 0, step.resultRows > 0);
    }
    EXPECT_EQ(
        MessageTexts(),
        QStringList({QStringLiteral("径間 2 の径間長は 0 より大きい数値で入力してください")}));
}

// Long spans and spans pulling up on a support are marked alike in the 結果
// and 架線弛度表 tabs, each mark with its own text and colour, listed in the
// legends and noted on the printed page.
TEST_F(SectionWindowTest, MarksAreDistinctAndTheSameInEveryTab) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans + QStringLiteral("1500\t0\r\n"));
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    const auto marks = [](const QModelIndex& cell) {
        return cell.data(kResultMarkRole).toStringList().join(u'+');
    };
    QAbstractItemModel* results = Child<QTableView>(window, QStringLiteral("grdResults"))->model();
    QAbstractItemModel* chart = Child<QTableView>(window, QStringLiteral("grdChart"))->model();
    struct Expected {
        const char* what;
        QModelIndex cell;
        const char16_t* marks;
    };
    const Expected cells[] = {
        {"1500 m span, 結果", results->index(4, 0), u"長径間"},
        {"120 m span, 結果", results->index(0, 0), u""},
        {"span 2 判定, 結果", results->index(1, 7), u"支持点外"},
        {"1500 m span, chart", chart->index(5, 0), u"長径間"},
        {"span 4, chart", chart->index(4, 0), u"支持点外"},
        {"span 1, chart", chart->index(1, 0), u""},
    };
    for (const Expected& e : cells) EXPECT_EQ(marks(e.cell), QString::fromUtf16(e.marks)) << e.what;
    EXPECT_NE(results->index(4, 0).data(Qt::BackgroundRole),
              results->index(1, 7).data(Qt::BackgroundRole));
    EXPECT_EQ(results->index(4, 0).data(Qt::BackgroundRole),
              chart->index(5, 0).data(Qt::BackgroundRole));
    for (const char* legend : {"lblResultLegend", "lblChartNote"}) {
        const QString text = Child<QLabel>(window, QString::fromLatin1(legend))->text();
        EXPECT_TRUE(text.contains(u"長径間") && text.contains(u"支持点外")) << legend;
    }
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_TRUE(printing_.jobs[0].contains(QStringLiteral("\r\n長径間: 懸垂線")));
}

// The profile numbers its spans, marks the low points, names the conditions
// with their temperatures, ends its axes on round ticks just past the
// section, draws a long span smoothly and states its exaggeration; with its
// tab in front 計算結果印刷 prints the drawing on a page, not the text.
TEST_F(SectionWindowTest, TheProfileTabPrintsTheDrawing) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    auto* plot = window->findChild<SectionProfilePlot*>();
    ASSERT_NE(plot, nullptr);
    struct Case {
        QString spans;
        int supports;
        double axisEnd; // m
    };
    const Case cases[] = {{kFourSpans, 5, 700.0},
                          {kFourSpans + QStringLiteral("1500\t0\r\n"), 6, 2500.0}};
    for (const Case& c : cases) {
        ClickCell(spans(window), 0, 0);
        PasteText(c.spans);
        PressAccessKey(Qt::Key_R);
        ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
        EXPECT_EQ(plot->supports()->count(), c.supports);
        auto* x = qobject_cast<QValueAxis*>(plot->chart()->axes(Qt::Horizontal).front());
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(x->max(), c.axisEnd);
        EXPECT_EQ(plot->wire(2)->name(), QStringLiteral("検討条件 90℃"));
        EXPECT_GE(plot->lowPoints()->count(), 2);
        EXPECT_TRUE(plot->chart()->title().contains(u'倍'));
    }
    EXPECT_GE(plot->wire(0)->count(), 5 * 24 + 300) << "the 1500 m span a point every 5 m";

    ShowTabOf(plot);
    Trigger("mnuPrint");
    EXPECT_TRUE(printing_.jobs.empty());
    ASSERT_EQ(printing_.pageJobs.size(), 1u);
    const QImage& page = printing_.pageJobs[0];
    EXPECT_GT(page.width(), page.height()) << "landscape";
}

// A section needs no span table: with a span range the table cannot be
// calculated for (400 m to 390 m by 10 m), the window still opens and saves
// the golden CSV of the same section.
TEST_F(SectionWindowTest, OpensWhateverTheSpanRange) {
    frmSection* window = openSection({"400", "390", "10"});
    ASSERT_NE(window, nullptr) << MessageTexts().join(u'\n').toStdString();
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    saveDialogs_.answer = folder_.filePath(QStringLiteral("section.csv"));
    Trigger("mnuCsv");
    QFile saved(saveDialogs_.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), GoldenBytes("section_4spans.csv"));
}

// The four-span inclined section of the engine's golden files: the window
// prints the same text and saves the same CSV bytes; Ctrl+C copies cells.
TEST_F(SectionWindowTest, AComputedSectionPrintsSavesAndCopies) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("lblEquivalent"))->text(),
              QStringLiteral("等価径間  %1 m")
                  .arg(QString::fromStdString(
                      FormatWithPattern(window->section().equivalentSpan, "###0.000"))));
    EXPECT_TRUE(Child<QLabel>(window, QStringLiteral("lblMessage"))->text().contains(u"支持点外"));

    // The section's text (the ruling figures, then the exact ones), then the
    // notes of the marks its 判定 cells carry.
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(),
              GoldenBytes("section_4spans.txt") +
                  "\r\n支持点外: 最低点が低い側の支持点の外にあり、電線が支持点を引き上げます"
                  "\r\n張力超過: 張力が電線の最大使用張力を超えています\r\n");

    saveDialogs_.answer = folder_.filePath(QStringLiteral("section.csv"));
    Trigger("mnuCsv");
    QFile saved(saveDialogs_.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), GoldenBytes("section_4spans.csv"));

    auto* results = Child<QTableView>(window, QStringLiteral("grdResults"));
    ClickCell(results, 3, 6); // span 4, 高温季 下側張力[kg]
    PressKey(Qt::Key_C, Qt::ControlModifier);
    const std::string expected =
        SectionSpanCells({{120.0f, 5.0f}, {250.0f, 30.0f}, {180.0f, -12.0f}, {90.0f, -40.0f}},
                         window->section())[4][7] +
        "\r\n";
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), expected);
}

// With the 弛度観測 tab in front, N and a typed into their boxes, 計算結果印刷
// gives the crew's sheet of the section, its spans beyond their lower
// support marked.
TEST_F(SectionWindowTest, TheFieldCheckTabPrintsTheCrewsSheet) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    ClickCell(spans(window), 0, 0);
    PasteText(kFourSpans);
    PressAccessKey(Qt::Key_R);
    for (const auto& [box, text] :
         {std::pair{"txtWaves", QStringLiteral("5")}, {"txtSight", QStringLiteral("2")}}) {
        auto* edit = Child<QLineEdit>(window, QString::fromLatin1(box));
        ShowTabOf(edit);
        ClickAndType(edit, text);
        PressKey(Qt::Key_Return);
    }
    auto* field = Child<QTableView>(window, QStringLiteral("grdField"));
    EXPECT_EQ(field->model()->index(15, 1).data().toString(), QStringLiteral("支持点外"));
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 1u);
    EXPECT_EQ(printing_.jobs[0].toStdString(), GoldenBytes("field_4spans.txt"));
    EXPECT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
}

} // namespace
} // namespace orvalt::test
