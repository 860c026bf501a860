// The exact section in what the section window prints, saves and draws,
// driven through keys: supports typed and pasted, 計算, the printout and the
// CSV against golden files and against the command line on the saved case;
// the exact sags offered in the stringing chart and the crew's sheet; the
// profile's exact wires between the clamps and the dashed ruling ones.
#include <QApplication>
#include <QChart>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "engine/calculation/balanced_section.h"
#include "engine/output/balanced_section_text.h"
#include "engine/output/field_sheet_text.h"
#include "engine/output/section_text.h"
#include "support/case_file_fixture.h"
#include "support/golden_file.h"
#include "ui/base/result_marks.h"
#include "ui/windows/section_window.h"
#include "ui/windows/section_window_plot.h"

namespace orvalt::test {
namespace {

// Supports 2 and 4 hung on strings, 架線温度 20 ℃: typed, pasted, typed.
void StringTheSection(QWidget* window);

class SectionExactOutputTest : public CaseFileTest {
protected:
    // The four inclined spans of the 50 mm worked example (section_4spans),
    // copied where 上書き保存 may write, then 区間計算 by its access key.
    frmSection* openSection() {
        const std::optional<std::string> bytes = ReadFileBytes(
            FsPath(QStringLiteral(ORVALT_SOURCE_DIR "/tests/cli/cases/section_4spans.o99case")));
        EXPECT_TRUE(bytes.has_value());
        path_ = WriteFile(QStringLiteral("section.o99case"), QByteArray::fromStdString(*bytes));
        OpenWithKeys(path_);
        Press(Qt::Key_T, Qt::AltModifier);
        return qobject_cast<frmSection*>(ActiveChild());
    }
    static QTableView* table(QWidget* w, const char* name) {
        return Child<QTableView>(w, QString::fromLatin1(name));
    }
    // What 計算結果印刷 and CSV で保存 give for the window in front.
    std::string printed() {
        printing_.jobs.clear();
        Trigger("mnuPrint");
        EXPECT_EQ(printing_.jobs.size(), 1u);
        return printing_.jobs.empty() ? std::string() : printing_.jobs.back().toStdString();
    }
    std::string saved() {
        dialogs_.saveAnswer = cases_.filePath(QStringLiteral("saved.csv"));
        Trigger("mnuCsv");
        return ReadFileBytes(FsPath(dialogs_.saveAnswer)).value_or("");
    }
    // orvalt99-cli section on the case as 上書き保存 left it.
    std::string commandLineCsv() {
        QProcess cli;
        cli.start(QStringLiteral(ORVALT_CLI_PROGRAM), {QStringLiteral("section"), path_});
        EXPECT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return cli.readAllStandardOutput().toStdString();
    }
    QString path_;
};

void ClickCell(QWidget* window, const char* name, int row, int column) {
    auto* view = window->findChild<QTableView*>(QString::fromLatin1(name));
    ASSERT_NE(view, nullptr) << name;
    test::ClickCell(view, row, column);
}

void StringTheSection(QWidget* window) {
    ClickCell(window, "grdSupports", 1, 0);
    TypeText(QStringLiteral("懸垂"));
    PressTab();
    TypeText(QStringLiteral("1"));
    PressTab();
    TypeText(QStringLiteral("3"));
    TypeText(QStringLiteral("5"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    ClickCell(window, "grdSupports", 3, 0);
    PasteText(QStringLiteral("懸垂\t0.5\t30\r\n"));
    PressAccessKey(Qt::Key_E);
    PressKey(Qt::Key_A, Qt::ControlModifier);
    TypeText(QStringLiteral("20"));
}

const char kOutsideNote[] =
    "\r\n支持点外: 最低点が低い側の支持点の外にあり、電線が支持点を引き上げます";
const char kOverTensionNote[] = "\r\n張力超過: 張力が電線の最大使用張力を超えています";

// The ruling figures print and save as they always have, the exact ones
// after them; the window's CSV is the command line's for the case it saved;
// the steep last span carries 張力超過 at the low season, fixed or strung.
TEST_F(SectionExactOutputTest, PrintAndCsvCarryTheRulingThenTheExactFigures) {
    struct Row {
        const char* what;
        std::function<void(QWidget*)> supports;
        const char* printGolden;
        const char* csvGolden;
    };
    const Row rows[] = {
        {"fixed supports, 15 ℃", [](QWidget*) {}, "section_4spans.txt", "section_4spans.csv"},
        {"two strings, 20 ℃", StringTheSection, "section_4spans_strung.txt",
         "section_4spans_strung.csv"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        frmSection* window = openSection();
        ASSERT_NE(window, nullptr);
        row.supports(window);
        PressAccessKey(Qt::Key_R);
        ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();

        QAbstractItemModel* exact = table(window, "grdExact")->model();
        const QModelIndex steepLow = exact->index(3, 9 * kLowSeason + 8);
        EXPECT_TRUE(
            steepLow.data(kResultMarkRole).toStringList().contains(QStringLiteral("張力超過")))
            << steepLow.data().toString().toStdString();
        EXPECT_TRUE(window->balanced().conditions[kLowSeason].spans[3].overMaxTension);

        const std::string text = printed();
        const std::string notes = std::string(kOutsideNote) + kOverTensionNote + "\r\n";
        ASSERT_TRUE(text.ends_with(notes)) << text.substr(text.size() - 300);
        ExpectMatchesGolden(text.substr(0, text.size() - notes.size()), row.printGolden);
        const std::string csv = saved();
        ExpectMatchesGolden(csv, row.csvGolden);
        // Both start with the ruling figures of the section, byte for byte.
        const std::string ruling = GoldenBytes("section_4spans.csv");
        const std::size_t rulingEnd = ruling.find("\r\n,,,,,,,,,,,,,,,,,,,,,,,,,,,\r\n精算");
        ASSERT_NE(rulingEnd, std::string::npos);
        EXPECT_EQ(csv.substr(0, rulingEnd), ruling.substr(0, rulingEnd));

        Press(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(commandLineCsv(), csv);
        window->parentWidget()->close();
        FlushDeletes();
    }
}

// 径間ごと（精算） in the chart tab shows every span's own tension and sag
// at the chart's temperatures (a new range too), marked like the ruling
// chart; the field tab follows the same choice and prints the exact sheet;
// 等価径間 brings today's chart back.
TEST_F(SectionExactOutputTest, TheChartAndFieldTabsOfferTheExactSags) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    StringTheSection(window);
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    QTableView* chart = table(window, "grdChart");
    ShowTabOf(chart);
    const auto shown = [chart] {
        CellTable cells;
        QAbstractItemModel* model = chart->model();
        std::vector<std::string> header{""};
        for (int c = 0; c < model->columnCount(); ++c)
            header.push_back(model->headerData(c, Qt::Horizontal).toString().toStdString());
        cells.push_back(header);
        for (int r = 0; r < model->rowCount(); ++r) {
            std::vector<std::string> row{
                model->headerData(r, Qt::Vertical).toString().toStdString()};
            for (int c = 0; c < model->columnCount(); ++c)
                row.push_back(model->index(r, c).data().toString().toStdString());
            cells.push_back(row);
        }
        return cells;
    };
    const CellTable ruling = shown();
    EXPECT_EQ(ruling, SectionChartCells(window->chart()));
    EXPECT_FALSE(window->exactSagsShown()) << "today's chart first";

    PressAccessKey(Qt::Key_X);
    ASSERT_TRUE(window->exactSagsShown());
    // A narrower range: both charts follow it.
    auto* from = Child<QSpinBox>(window, QStringLiteral("spnFrom"));
    ClickAndType(from, QStringLiteral("0"));
    PressKey(Qt::Key_Return);
    QCoreApplication::processEvents();
    const BalancedSection& balanced = window->balanced();
    ASSERT_EQ(balanced.chart.size(), 5u);
    EXPECT_EQ(balanced.chart.front().temperature, 0.0);
    EXPECT_EQ(shown(), BalancedChartCells(balanced));
    EXPECT_EQ(window->chart().temperatures.size(), 5u);
    bool outside = false;
    for (std::size_t t = 0; t < balanced.chart.size(); ++t) {
        for (std::size_t i = 0; i < 4; ++i) {
            const QModelIndex sag =
                chart->model()->index(static_cast<int>(2 * i + 1), static_cast<int>(t));
            EXPECT_EQ(sag.data(kResultMarkRole).toStringList().contains(QStringLiteral("支持点外")),
                      balanced.chart[t].spans[i].lowPointOutside)
                << i << " " << t;
            outside = outside || balanced.chart[t].spans[i].lowPointOutside;
        }
    }
    EXPECT_TRUE(outside);
    EXPECT_EQ(Child<QLabel>(window, QStringLiteral("lblSagBasis0"))->text(),
              QString::fromUtf8(kExactNote.data(), static_cast<int>(kExactNote.size())));

    // The crew's sheet: the same choice, the exact sags, printed with the
    // note of what they are.
    auto* waves = Child<QLineEdit>(window, QStringLiteral("txtWaves"));
    ShowTabOf(waves);
    EXPECT_TRUE(Child<QRadioButton>(window, QStringLiteral("optExactSags1"))->isChecked());
    QAbstractItemModel* field = table(window, "grdField")->model();
    int zero = -1; // the 0 ℃ column
    for (int c = 0; c < field->columnCount(); ++c)
        if (field->headerData(c, Qt::Horizontal).toString() == QStringLiteral("0℃")) zero = c;
    ASSERT_GE(zero, 0);
    EXPECT_EQ(field->index(0, zero).data().toString().toStdString(),
              BalancedChartCells(balanced)[2][1])
        << "span 1's exact sag at 0 ℃";
    const std::string sheet = printed();
    ExpectMatchesGolden(sheet, "field_4spans_strung_exact.txt");
    EXPECT_EQ(saved(), ComposeFieldSheetCsv(FieldSheetOfBalancedSection(
                           {{120, 5}, {250, 30}, {180, -12}, {90, -40}}, balanced,
                           window->chart().equivalentSpan, kDefaultWaves, std::nullopt)));

    PressAccessKey(Qt::Key_Q);
    EXPECT_FALSE(window->exactSagsShown());
    EXPECT_NE(printed(), sheet);
    ShowTabOf(chart);
    EXPECT_TRUE(Child<QRadioButton>(window, QStringLiteral("optRulingSags0"))->isChecked());
    EXPECT_EQ(shown(), SectionChartCells(window->chart()));
}

// The exact wire of every span runs from clamp to clamp (a string's clamp
// moved along the line and raised by its swing) and hangs the engine's sag
// below the chord at midspan; the ruling wires are drawn dashed only when
// asked for.
TEST_F(SectionExactOutputTest, TheProfileDrawsTheExactWiresAndOnRequestTheRulingOnes) {
    frmSection* window = openSection();
    ASSERT_NE(window, nullptr);
    StringTheSection(window);
    PressAccessKey(Qt::Key_R);
    ASSERT_TRUE(messages_.shown.empty()) << MessageTexts().join(u'\n').toStdString();
    auto* plot = window->findChild<SectionProfilePlot*>();
    ASSERT_NE(plot, nullptr);
    ShowTabOf(plot);
    const std::vector<SectionSpan> spans = {{120, 5}, {250, 30}, {180, -12}, {90, -40}};
    const BalancedSection& balanced = window->balanced();
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        const BalancedState& state = balanced.conditions[static_cast<std::size_t>(c)];
        const QList<QPointF> points = plot->wire(c)->points();
        double x = 0.0, y = 0.0;
        qsizetype first = 0;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const int steps = StepsForSpan(spans[i].length);
            ASSERT_GE(points.size(), first + steps + 1);
            const BalancedSupport& from = state.supports[i];
            const BalancedSupport& to = state.supports[i + 1];
            const QPointF start = points[first], end = points[first + steps];
            EXPECT_NEAR(start.x(), x + from.displacement, 1e-9);
            EXPECT_NEAR(start.y(), y + from.rise, 1e-9);
            EXPECT_NEAR(end.x(), x + spans[i].length + to.displacement, 1e-9);
            EXPECT_NEAR(end.y(), y + spans[i].heightDifference + to.rise, 1e-6);
            // The point at midspan (steps is even) hangs the span's sag.
            ASSERT_EQ(steps % 2, 0);
            const QPointF middle = points[first + steps / 2];
            EXPECT_NEAR((start.y() + end.y()) / 2.0 - middle.y(), state.spans[i].sag, 1e-6) << i;
            x += spans[i].length;
            y += spans[i].heightDifference;
            first += steps + 1;
        }
        EXPECT_NE(state.supports[1].displacement, 0.0) << "the string swings";
        EXPECT_EQ(plot->rulingWire(c)->pen().style(), Qt::DashLine);
        EXPECT_EQ(plot->wire(c)->pen().style(), Qt::SolidLine);
    }
    // The legend names each condition once, by its exact wire; the title
    // tells the solid from the dashed wires.
    auto* check = Child<QCheckBox>(window, QStringLiteral("chkRuling"));
    for (const bool shown : {false, true, false}) {
        if (shown != check->isChecked()) PressAccessKey(Qt::Key_B);
        EXPECT_EQ(check->isChecked(), shown);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(plot->rulingWire(c)->isVisible(), shown);
            EXPECT_EQ(plot->wire(c)->name(), plot->rulingWire(c)->name().chopped(5));
            for (const QLegendMarker* marker :
                 plot->chart()->legend()->markers(plot->rulingWire(c)))
                EXPECT_FALSE(marker->isVisible());
            for (const QLegendMarker* marker : plot->chart()->legend()->markers(plot->wire(c)))
                EXPECT_TRUE(marker->isVisible());
        }
        EXPECT_TRUE(plot->chart()->title().contains(QStringLiteral("実線: 精算")));
        EXPECT_EQ(plot->chart()->title().contains(QStringLiteral("破線: 等価径間")), shown);
    }
}

} // namespace
} // namespace orvalt::test
