// The commands that work on a result window (架線弛度表, グラフ, CSV and image
// saving, printing a chart or a graph), through the menus, the
// keyboard and the mouse: what opens when, what the tables hold, what is
// printed, copied and saved.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineSeries>
#include <QMimeData>
#include <QProcess>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>

#include <gtest/gtest.h>

#include "support/golden_file.h"
#include "support/main_window_fixture.h"
#include "ui/base/file_saving.h"
#include "ui/base/program_icon.h"
#include "ui/windows/chart_window.h"
#include "ui/windows/chart_window_plot.h"
#include "ui/windows/graph_window.h"
#include "ui/windows/result_window.h"

namespace orvalt::test {
namespace {

// Answers the save dialog with a path the test chose.
class FakeSaveDialogs final : public SaveDialogService {
public:
    QString ChooseSaveFile(QWidget*, const QString&, const QString& proposedPath,
                           const QString&) override {
        proposed.push_back(proposedPath);
        return answer;
    }
    QString answer;
    QStringList proposed;
};

class ChartWindowTest : public MainWindowWithWiresTest {
protected:
    void SetUp() override {
        MainWindowWithWiresTest::SetUp();
        main_->setSaveDialogService(saveDialogs_);
    }

    // 計算例2 (the 50 mm worked example) from 100 m to 400 m by 50 m.
    frmKekka* calculateSecondExample() {
        QWidget* conditions = OpenConditions();
        ChooseWire(conditions, 1);
        SetBox(conditions, 13, QStringLiteral("50"));
        Click(conditions, "Command1_0");
        Trigger("mnuCalculate");
        const auto results = SubWindows(QStringLiteral("frmKekka"));
        return results.isEmpty() ? nullptr : qobject_cast<frmKekka*>(results.back()->widget());
    }
    frmChart* chartWindow() const {
        const auto charts = SubWindows(QStringLiteral("frmChart"));
        return charts.isEmpty() ? nullptr : qobject_cast<frmChart*>(charts.back()->widget());
    }
    // Types a temperature into one of the chart window's boxes and enters it.
    static void enterTemperature(frmChart* chart, const char* box, const QString& text) {
        auto* spin = chart->findChild<QSpinBox*>(QString::fromLatin1(box));
        ASSERT_NE(spin, nullptr) << box;
        ClickOn(spin->findChild<QLineEdit*>());
        PressKey(Qt::Key_A, Qt::ControlModifier);
        TypeText(text);
        PressKey(Qt::Key_Return);
        FlushDeletes();
    }
    static QStringList column(QTableView* view, int column) {
        QStringList cells;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            cells << view->model()->index(row, column).data().toString();
        return cells;
    }

    FakeSaveDialogs saveDialogs_;
};

// Every kind of child window carries the program's icon in its title bar,
// not the style's Qt logo.
TEST_F(ChartWindowTest, EveryChildWindowCarriesTheProgramsIcon) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuChart");
    Trigger("mnuGraph");
    OpenConditions();
    const QImage expected = ProgramIcon().pixmap(16, 16).toImage();
    ASSERT_FALSE(expected.isNull());
    QStringList kinds;
    for (QMdiSubWindow* sub : main_->mdiArea()->subWindowList()) {
        kinds << sub->widget()->objectName();
        EXPECT_EQ(sub->windowIcon().pixmap(16, 16).toImage(), expected)
            << sub->widget()->objectName().toStdString();
    }
    kinds.sort();
    EXPECT_EQ(kinds, QStringList({"frmChart", "frmGraph", "frmKekka", "frmSetting"}));
}

TEST_F(ChartWindowTest, TheCommandsFollowTheResultWindowsAndTheActiveChild) {
    EXPECT_FALSE(Action("mnuChart")->isEnabled());
    EXPECT_FALSE(Action("mnuCsv")->isEnabled());
    frmKekka* result = calculateSecondExample();
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(Action("mnuChart")->isEnabled());
    EXPECT_TRUE(Action("mnuCsv")->isEnabled()) << "a result window is active";

    // With the conditions window active, 架線弛度表 asks for a result window.
    OpenConditions();
    EXPECT_FALSE(Action("mnuCsv")->isEnabled());
    Trigger("mnuChart");
    EXPECT_EQ(chartWindow(), nullptr);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(
        messages_.shown[0].text,
        QStringLiteral("計算結果フォームをアクティブにしてから架線弛度表メニューを選んでください"));
    Click(ConditionsWindow(), "Command1_1");

    // The chart shares the result window's calculation.
    ClickOn(SubWindows(QStringLiteral("frmKekka")).front());
    PressAccessKey(Qt::Key_K);
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->calculation(), result->calculation());
    EXPECT_TRUE(Action("mnuCsv")->isEnabled()) << "a chart window is active";

    // With the last result window closed, the active chart still prints, and
    // グラフ opens the graph of the chart's calculation.
    SubWindows(QStringLiteral("frmKekka")).front()->close();
    FlushDeletes();
    ClickOn(SubWindows(QStringLiteral("frmChart")).front());
    ASSERT_EQ(ActiveChild(), chart);
    EXPECT_TRUE(Action("mnuPrint")->isEnabled());
    PressAccessKey(Qt::Key_P);
    EXPECT_EQ(printing_.jobs, QStringList{chart->chartText()});
    PressAccessKey(Qt::Key_G);
    const auto graphs = SubWindows(QStringLiteral("frmGraph"));
    ASSERT_EQ(graphs.size(), 1);
    EXPECT_EQ(qobject_cast<frmGraph*>(graphs.front()->widget())->calculation(),
              chart->calculation());

    // With no child showing a calculation, only what no window needs stays.
    for (QMdiSubWindow* sub : main_->mdiArea()->subWindowList()) sub->close();
    FlushDeletes();
    for (const char* name : {"mnuPrint", "mnuChart", "mnuGraph", "mnuCsv", "mnuImage"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
}

// A result window maximized: the chart and the graph opened from it are laid
// out at their own size (maximized like it, or normal), and give that size
// back when restored.
TEST_F(ChartWindowTest, WindowsOpenedFromAMaximizedResultWindowAreFullyLaidOut) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    SubWindows(QStringLiteral("frmKekka")).front()->showMaximized();
    FlushDeletes();
    const QSize area = main_->mdiArea()->viewport()->size();
    const std::pair<Qt::Key, const char*> commands[] = {{Qt::Key_K, "frmChart"},
                                                        {Qt::Key_G, "frmGraph"}};
    for (const auto& [key, name] : commands) {
        SCOPED_TRACE(name);
        PressAccessKey(key);
        FlushDeletes();
        QMdiSubWindow* sub = SubWindows(QString::fromLatin1(name)).front();
        if (sub->isMaximized()) {
            EXPECT_EQ(sub->size(), area);
        }
        EXPECT_EQ(sub->widget()->size(), sub->contentsRect().size());
        sub->showNormal();
        FlushDeletes();
        EXPECT_GE(sub->width(), std::min(area.width(), 800));
        EXPECT_GE(sub->height(), std::min(area.height(), 600));
        main_->mdiArea()->setActiveSubWindow(SubWindows(QStringLiteral("frmKekka")).front());
        SubWindows(QStringLiteral("frmKekka")).front()->showMaximized();
        FlushDeletes();
    }
}

TEST_F(ChartWindowTest, TheStudyTemperatureColumnIsTheReportsStudyBlock) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    PressAccessKey(Qt::Key_K);
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->windowTitle(), QStringLiteral("架線弛度表 : 計算例2"));
    auto* sag = chart->findChild<QTableView*>(QStringLiteral("grdSag"));
    auto* tension = chart->findChild<QTableView*>(QStringLiteral("grdTension"));
    ASSERT_EQ(sag->model()->columnCount(), 6) << "-10 ℃ to 40 ℃ by 10 ℃";
    ASSERT_EQ(sag->model()->rowCount(), 7);
    EXPECT_EQ(sag->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("-10℃"));
    EXPECT_EQ(sag->model()->headerData(6, Qt::Vertical).toString(), QStringLiteral("400"));

    // Up to 90 ℃, the study temperature: its column repeats the report.
    enterTemperature(chart, "spnTo", QStringLiteral("90"));
    ASSERT_EQ(sag->model()->columnCount(), 11);
    EXPECT_EQ(column(sag, 10),
              (QStringList{"2.174", "3.761", "5.757", "8.195", "11.097", "14.725", "18.950"}));
    EXPECT_EQ(column(tension, 10), (QStringList{"1149.99", "1495.44", "1736.98", "1906.69",
                                                "2027.60", "2079.80", "2110.80"}));
    EXPECT_EQ(sag->model()->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
              Qt::AlignRight);
}

TEST_F(ChartWindowTest, ARefusedRangeKeepsTheLastChart) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuChart");
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    enterTemperature(chart, "spnTo", QStringLiteral("-20"));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(QStringLiteral("終了温度")))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(chart->chart().temperatures.size(), 6u);
    EXPECT_EQ(chart->findChild<QSpinBox*>(QStringLiteral("spnTo"))->value(), 40)
        << "the box shows the chart's range";

    // 51 columns (-10 ℃ to 40 ℃ by 1 ℃) are too many.
    messages_.shown.clear();
    enterTemperature(chart, "spnStep", QStringLiteral("1"));
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.contains(QStringLiteral("41")))
        << messages_.shown[0].text.toStdString();
    EXPECT_EQ(chart->chart().temperatures.size(), 6u);
    EXPECT_EQ(chart->findChild<QSpinBox*>(QStringLiteral("spnStep"))->value(), 10);
}

TEST_F(ChartWindowTest, EachChartKeepsTheCalculationOfItsResultWindow) {
    frmKekka* first = calculateSecondExample();
    ASSERT_NE(first, nullptr);
    // A second calculation over another range.
    QWidget* conditions = OpenConditions();
    SetBox(conditions, 15, QStringLiteral("200"));
    Click(conditions, "Command1_0");
    Trigger("mnuCalculate");
    ASSERT_EQ(SubWindows(QStringLiteral("frmKekka")).size(), 2);

    main_->mdiArea()->setActiveSubWindow(SubWindows(QStringLiteral("frmKekka")).front());
    Trigger("mnuChart");
    ASSERT_NE(chartWindow(), nullptr);
    EXPECT_EQ(chartWindow()->chart().rows.front().span, 100.0f);
    EXPECT_EQ(chartWindow()->chart().rows.size(), 7u);
}

TEST_F(ChartWindowTest, PrintingTheActiveChartPrintsItsText) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuChart");
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    enterTemperature(chart, "spnTo", QStringLiteral("90"));
    printing_.copies = 2;
    Trigger("mnuPrint");
    ASSERT_EQ(printing_.jobs.size(), 2);
    EXPECT_EQ(printing_.jobs[0], printing_.jobs[1]);
    EXPECT_TRUE(printing_.jobs[0].contains(QStringLiteral("架線弛度表")));
    EXPECT_TRUE(printing_.jobs[0].contains(QStringLiteral("11.097")));
    EXPECT_TRUE(printing_.jobs[0].contains(QStringLiteral("2027.60")));
}

TEST_F(ChartWindowTest, CtrlCCopiesTheSelectionOrTheWholeTable) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuChart");
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    auto* sag = chart->findChild<QTableView*>(QStringLiteral("grdSag"));

    // Tab from the step box into the table: the focus, and nothing selected.
    ClickOn(chart->findChild<QSpinBox*>(QStringLiteral("spnStep"))->findChild<QLineEdit*>());
    PressTab();
    ASSERT_EQ(Focused(), sag);
    ASSERT_FALSE(sag->selectionModel()->hasSelection());
    PressKey(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* whole = QGuiApplication::clipboard()->mimeData();
    const QStringList lines = whole->text().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], QStringLiteral("径間[m]\t-10℃\t0℃\t10℃\t20℃\t30℃\t40℃"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("100\t"))) << lines[1].toStdString();
    EXPECT_TRUE(whole->html().contains(QStringLiteral("<td>径間[m]</td>")) ||
                whole->html().contains(QStringLiteral("<th>径間[m]</th>")))
        << whole->html().toStdString();

    // Two cells chosen with the mouse: just those, no headers.
    const QModelIndex a = sag->model()->index(1, 2), b = sag->model()->index(2, 3);
    QTest::mouseClick(sag->viewport(), Qt::LeftButton, Qt::NoModifier, sag->visualRect(a).center());
    QTest::mouseClick(sag->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      sag->visualRect(b).center());
    PressKey(Qt::Key_C, Qt::ControlModifier);
    const QString expected =
        a.data().toString() + "\t" + sag->model()->index(1, 3).data().toString() + "\r\n" +
        sag->model()->index(2, 2).data().toString() + "\t" + b.data().toString();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(expected))
        << QGuiApplication::clipboard()->text().toStdString();
}

TEST_F(ChartWindowTest, CsvOfTheResultTableAndOfTheChartMatchTheGoldenFiles) {
    frmKekka* result = calculateSecondExample();
    ASSERT_NE(result, nullptr);
    QTemporaryDir out;
    saveDialogs_.answer = out.filePath(QStringLiteral("result.csv"));
    Trigger("mnuCsv");
    ASSERT_EQ(saveDialogs_.proposed.size(), 1);
    EXPECT_TRUE(saveDialogs_.proposed[0].endsWith(QStringLiteral("計算例2_90℃.csv")))
        << saveDialogs_.proposed[0].toStdString();
    QFile written(saveDialogs_.answer);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().toStdString(), GoldenBytes("result_table_50mm.csv"));

    Trigger("mnuChart");
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    enterTemperature(chart, "spnTo", QStringLiteral("90"));
    enterTemperature(chart, "spnStep", QStringLiteral("25"));
    saveDialogs_.answer = out.filePath(QStringLiteral("chart.csv"));
    Trigger("mnuCsv");
    QFile chartFile(saveDialogs_.answer);
    ASSERT_TRUE(chartFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(chartFile.readAll().toStdString(), GoldenBytes("chart_50mm.csv"));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ChartWindowTest, ACsvThatCannotBeWrittenSaysWhereAndWhy) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    saveDialogs_.answer = folder_.filePath(QStringLiteral("no such folder/result.csv"));
    Trigger("mnuCsv");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(
        messages_.shown[0].text.startsWith(QStringLiteral("CSV ファイルを保存できませんでした。")));
    EXPECT_TRUE(messages_.shown[0].text.contains(saveDialogs_.answer));

    // A cancelled dialog writes nothing and says nothing.
    messages_.shown.clear();
    saveDialogs_.answer.clear();
    Trigger("mnuCsv");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ChartWindowTest, TheChartsPlotFollowsTheSelectedSpans) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuChart");
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    SagTemperaturePlot* plot = chart->findChild<SagTemperaturePlot*>(QStringLiteral("plotSag"));
    ASSERT_NE(plot, nullptr);
    // Nothing selected: six of the seven spans, the first and the last among them.
    ASSERT_EQ(plot->curves().sag.size(), 6u);
    EXPECT_EQ(plot->series(0)->name(), QStringLiteral("100 m"));
    EXPECT_EQ(plot->series(5)->name(), QStringLiteral("400 m"));

    // A click on the 300 m row's first cell, then Shift+click on the 350 m row.
    auto* sag = chart->findChild<QTableView*>(QStringLiteral("grdSag"));
    QTest::mouseClick(sag->viewport(), Qt::LeftButton, Qt::NoModifier,
                      sag->visualRect(sag->model()->index(4, 0)).center());
    QTest::mouseClick(sag->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      sag->visualRect(sag->model()->index(5, 0)).center());
    ASSERT_EQ(plot->curves().sag.size(), 2u);
    EXPECT_EQ(plot->series(0)->name(), QStringLiteral("300 m"));
    QLineSeries* span300 = plot->series(0);
    ASSERT_EQ(span300->count(), 6);
    // The points are the chart's cells: -10 ℃ first, 40 ℃ last.
    EXPECT_EQ(span300->at(0).x(), -10.0);
    EXPECT_FLOAT_EQ(static_cast<float>(span300->at(0).y()), chart->chart().rows[4].sag[0]);
    EXPECT_EQ(span300->at(5).x(), 40.0);
}

// Ctrl+A over thousands of spans: the plot draws ten of them spread over the
// selection and says so, Ctrl+C copies every one, and the window closes.
TEST_F(ChartWindowTest, SelectingThousandsOfSpansDrawsTenAndCopiesThemAll) {
    QWidget* conditions = OpenConditions();
    ChooseWire(conditions, 1);
    SetBox(conditions, 15, QStringLiteral("1"));
    SetBox(conditions, 14, QStringLiteral("3000"));
    SetBox(conditions, 13, QStringLiteral("1"));
    Click(conditions, "Command1_0");
    Trigger("mnuCalculate");
    Trigger("mnuChart");
    frmChart* chart = chartWindow();
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->chart().rows.size(), 3000u);
    auto* sag = chart->findChild<QTableView*>(QStringLiteral("grdSag"));
    SagTemperaturePlot* plot = chart->findChild<SagTemperaturePlot*>();
    const auto clickCell = [sag](int row) {
        QTest::mouseClick(sag->viewport(), Qt::LeftButton, Qt::NoModifier,
                          sag->visualRect(sag->model()->index(row, 1)).center());
    };

    clickCell(2);
    ASSERT_EQ(Focused(), sag);
    PressKey(Qt::Key_A, Qt::ControlModifier);
    PressKey(Qt::Key_C, Qt::ControlModifier);
    ASSERT_EQ(plot->curves().sag.size(), 10u);
    EXPECT_EQ(plot->series(0)->name(), QStringLiteral("1 m"));
    EXPECT_EQ(plot->series(1)->name(), QStringLiteral("334 m"));
    EXPECT_EQ(plot->series(9)->name(), QStringLiteral("3000 m"));
    EXPECT_EQ(plot->note(), QStringLiteral("選択した 3000 径間のうち 10 径間を表示"));

    QString expected;
    for (int row = 0; row < 3000; ++row) {
        QStringList cells;
        for (int column = 0; column < sag->model()->columnCount(); ++column)
            cells << sag->model()->index(row, column).data().toString().trimmed();
        expected += cells.join(u'\t') + QStringLiteral("\r\n");
    }
    EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);

    // One span chosen again: drawn alone, and the note is gone.
    clickCell(2);
    ASSERT_EQ(plot->curves().sag.size(), 1u);
    EXPECT_EQ(plot->series(0)->name(), QStringLiteral("3 m"));
    EXPECT_TRUE(plot->note().isEmpty());

    PressKey(Qt::Key_A, Qt::ControlModifier);
    SubWindows(QStringLiteral("frmChart")).front()->close();
    FlushDeletes();
    EXPECT_EQ(chartWindow(), nullptr);
}

// The graph of a result window, through its command.
class GraphCommandTest : public ChartWindowTest {
protected:
    frmGraph* graphWindow() const {
        const auto graphs = SubWindows(QStringLiteral("frmGraph"));
        return graphs.isEmpty() ? nullptr : qobject_cast<frmGraph*>(graphs.back()->widget());
    }
    static bool HasInk(const QImage& image) {
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
        return false;
    }
};

TEST_F(GraphCommandTest, OpensForTheActiveResultWindowAndKeepsItsCalculation) {
    EXPECT_FALSE(Action("mnuGraph")->isEnabled());
    EXPECT_FALSE(Action("mnuImage")->isEnabled());
    ASSERT_NE(calculateSecondExample(), nullptr);
    EXPECT_TRUE(Action("mnuGraph")->isEnabled());
    EXPECT_FALSE(Action("mnuImage")->isEnabled()) << "a result window is no picture";

    // Another calculation, 200 m to 400 m; then the graph of the first one.
    QWidget* conditions = OpenConditions();
    SetBox(conditions, 15, QStringLiteral("200"));
    Click(conditions, "Command1_0");
    Trigger("mnuCalculate");
    main_->mdiArea()->setActiveSubWindow(SubWindows(QStringLiteral("frmKekka")).front());
    PressAccessKey(Qt::Key_G);
    frmGraph* graph = graphWindow();
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->windowTitle(), QStringLiteral("グラフ : 計算例2 90℃"));
    ASSERT_EQ(graph->sagSeries(2)->count(), 7);
    // The study curve starts at the report's first row: 100 m, 2.174 m.
    EXPECT_EQ(graph->sagSeries(2)->at(0).x(), 100.0);
    EXPECT_NEAR(graph->sagSeries(2)->at(0).y(), 2.174, 0.0005);
    EXPECT_TRUE(Action("mnuImage")->isEnabled());
    EXPECT_FALSE(Action("mnuCsv")->isEnabled());

    // With the conditions window active, グラフ asks for a result window.
    OpenConditions();
    EXPECT_TRUE(Action("mnuGraph")->isEnabled()) << "while a result window is open";
    Trigger("mnuGraph");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(
        messages_.shown[0].text,
        QStringLiteral("計算結果フォームをアクティブにしてからグラフメニューを選んでください"));
}

TEST_F(GraphCommandTest, PrintingTheActiveGraphPrintsOnePagePerCopy) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuGraph");
    ASSERT_NE(graphWindow(), nullptr);
    printing_.copies = 2;
    Trigger("mnuPrint");
    EXPECT_EQ(printing_.dialogsShown, 1);
    ASSERT_EQ(printing_.pageJobs.size(), 2);
    EXPECT_TRUE(printing_.jobs.isEmpty());
    EXPECT_TRUE(HasInk(printing_.pageJobs[0]));

    // A failed job ends the copies with the cancel message.
    printing_.pageJobs.clear();
    printing_.failAfterJobs = 0;
    Trigger("mnuPrint");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text, QStringLiteral("印字はキャンセルされました。"));
}

TEST_F(GraphCommandTest, SavedImagesHoldThePlots) {
    ASSERT_NE(calculateSecondExample(), nullptr);
    Trigger("mnuGraph");
    ASSERT_NE(graphWindow(), nullptr);
    QTemporaryDir out;
    saveDialogs_.answer = out.filePath(QStringLiteral("graph.png"));
    Trigger("mnuImage");
    ASSERT_TRUE(saveDialogs_.proposed.back().endsWith(QStringLiteral("計算例2_90℃_グラフ.png")))
        << saveDialogs_.proposed.back().toStdString();
    QImage png(saveDialogs_.answer);
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(
        HasInk(png.copy(png.width() / 4, png.height() / 4, png.width() / 2, png.height() / 2)));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    saveDialogs_.answer = out.filePath(QStringLiteral("graph.pdf"));
    Trigger("mnuImage");
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {saveDialogs_.answer, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char16_t* title : {u"径間 [m]", u"弛度 [m]", u"張力 [kg]", u"臨界径間"})
        EXPECT_TRUE(text.contains(QString::fromUtf16(title)))
            << QString::fromUtf16(title).toStdString();

    // An extension that is neither .png nor .pdf is refused with a message.
    saveDialogs_.answer = out.filePath(QStringLiteral("graph.bmpx"));
    Trigger("mnuImage");
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_TRUE(messages_.shown[0].text.startsWith(QStringLiteral("画像を保存できませんでした。")));
}

} // namespace
} // namespace orvalt::test
