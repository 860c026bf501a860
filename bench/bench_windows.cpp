// Opening a result window that holds the largest report (spans 1 m to
// 32,767 m by 1 m: 32,767 table lines, about 2.7 MB of text), offscreen,
// from BuildResultReport to the window shown and painted once; and opening
// the graph window of that table (two plots of three curves of 32,767 points
// each), from ShowGraphWindow to both plots painted once. Target for each:
// under 300 ms.
//
// The chart window of that table (32,767 spans at six temperatures), each
// step a person takes with it: opening it, selecting every span with
// Ctrl+A, copying them with Ctrl+C and closing it with all of them
// selected. Target for each: well under a second. So too for showing its
// 弛度観測 tab, the crew's sheet of those spans (three rows a span).
#include <benchmark/benchmark.h>

#include <memory>

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineSeries>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "engine/calculation/calculation.h"
#include "support/fake_services.h"
#include "support/wire_records.h"
#include "ui/app/main_window.h"
#include "ui/base/copyable_table_view.h"
#include "ui/base/fonts.h"
#include "ui/windows/chart_window.h"
#include "ui/windows/chart_window_plot.h"
#include "ui/windows/graph_window.h"
#include "ui/windows/result_window.h"

namespace {

// A shown main window whose state holds the largest table: 計算例2 from
// 1 m to 32,767 m by 1 m.
struct LargestTable {
    LargestTable() {
        main.resize(1400, 900);
        main.show();
        QCoreApplication::processEvents();
        state.currentWire = orvalt::test::WorkedExample2();
        state.spanStart = 1.0f;
        state.spanEnd = 32767.0f;
        state.spanStep = 1.0f;
        orvalt::RunCalculation(state);
    }

    orvalt::CalculationState state;
    orvalt::test::FakeMessageService messages;
    orvalt::test::FakePrintService printing;
    orvalt::frmMain main{state, messages, printing, QCoreApplication::applicationDirPath()};
};

void BM_OpenResultWindowLargestReport(benchmark::State& bench) {
    LargestTable largest;
    orvalt::frmMain& main = largest.main;

    for (auto _ : bench) {
        orvalt::frmKekka* window = orvalt::BuildResultReport(main);
        // Shown means laid out and painted once.
        window->text1()->viewport()->repaint();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window);

        bench.PauseTiming();
        if (window->text1()->blockCount() < 32767 + 22) bench.SkipWithError("report incomplete");
        qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenResultWindowLargestReport)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_OpenGraphWindowLargestTable(benchmark::State& bench) {
    LargestTable largest;
    orvalt::frmMain& main = largest.main;
    orvalt::CalculationState& state = largest.state;

    for (auto _ : bench) {
        orvalt::frmGraph* window =
            orvalt::ShowGraphWindow(main, std::make_shared<const orvalt::CalculationState>(state));
        // Shown means laid out and both plots painted once.
        QCoreApplication::processEvents();
        window->sagView()->viewport()->repaint();
        window->tensionView()->viewport()->repaint();
        benchmark::DoNotOptimize(window);

        bench.PauseTiming();
        if (window->sagSeries(0)->count() == 0 || window->curves().sag[0].points.size() != 32767)
            bench.SkipWithError("graph incomplete");
        qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenGraphWindowLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The chart window of the largest table, shown, laid out and painted once.
orvalt::frmChart* OpenChart(LargestTable& largest) {
    orvalt::frmChart* window = orvalt::ShowChartWindow(
        largest.main, std::make_shared<const orvalt::CalculationState>(largest.state));
    QCoreApplication::processEvents();
    for (auto* table : window->findChildren<orvalt::CopyableTableView*>())
        table->viewport()->repaint();
    window->findChild<orvalt::SagTemperaturePlot*>()->viewport()->repaint();
    return window;
}

orvalt::CopyableTableView* SagTable(orvalt::frmChart* window) {
    return window->findChild<orvalt::CopyableTableView*>(QStringLiteral("grdSag"));
}

// A key with modifiers pressed and let go in `target`, as the keyboard
// delivers it to the focused table; then the table and the plot repainted.
void PressKey(orvalt::frmChart* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    orvalt::CopyableTableView* target = SagTable(window);
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    QCoreApplication::processEvents();
    target->viewport()->repaint();
    window->findChild<orvalt::SagTemperaturePlot*>()->viewport()->repaint();
}

void CloseChart(orvalt::frmChart* window) {
    qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenChartWindowLargestTable(benchmark::State& bench) {
    LargestTable largest;
    for (auto _ : bench) {
        orvalt::frmChart* window = OpenChart(largest);
        benchmark::DoNotOptimize(window);

        bench.PauseTiming();
        if (window->chart().rows.size() != 32767) bench.SkipWithError("chart incomplete");
        CloseChart(window);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_OpenChartWindowLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ShowFieldCheckOfChartWindowLargestTable(benchmark::State& bench) {
    LargestTable largest;
    for (auto _ : bench) {
        bench.PauseTiming();
        orvalt::frmChart* window = OpenChart(largest);
        bench.ResumeTiming();

        window->findChild<QTabWidget*>(QStringLiteral("tabChart"))->setCurrentIndex(1);
        QCoreApplication::processEvents();
        auto* field = window->findChild<orvalt::CopyableTableView*>(QStringLiteral("grdField"));
        field->viewport()->repaint();

        bench.PauseTiming();
        if (field->model()->rowCount() != 3 * 32767) bench.SkipWithError("sheet incomplete");
        CloseChart(window);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_ShowFieldCheckOfChartWindowLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SelectAllInChartWindowLargestTable(benchmark::State& bench) {
    LargestTable largest;
    for (auto _ : bench) {
        bench.PauseTiming();
        orvalt::frmChart* window = OpenChart(largest);
        bench.ResumeTiming();

        PressKey(window, Qt::Key_A, Qt::ControlModifier);

        bench.PauseTiming();
        if (window->findChild<orvalt::SagTemperaturePlot*>()->curves().sag.size() != 10)
            bench.SkipWithError("not ten spans drawn");
        CloseChart(window);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_SelectAllInChartWindowLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CopyAllOfChartWindowLargestTable(benchmark::State& bench) {
    LargestTable largest;
    for (auto _ : bench) {
        bench.PauseTiming();
        orvalt::frmChart* window = OpenChart(largest);
        PressKey(window, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->clear();
        bench.ResumeTiming();

        PressKey(window, Qt::Key_C, Qt::ControlModifier);

        bench.PauseTiming();
        if (QGuiApplication::clipboard()->text().count(QLatin1Char('\n')) < 32766)
            bench.SkipWithError("copy incomplete");
        CloseChart(window);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_CopyAllOfChartWindowLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_CloseChartWindowLargestTableAllSelected(benchmark::State& bench) {
    LargestTable largest;
    for (auto _ : bench) {
        bench.PauseTiming();
        orvalt::frmChart* window = OpenChart(largest);
        PressKey(window, Qt::Key_A, Qt::ControlModifier);
        bench.ResumeTiming();

        CloseChart(window);
    }
}
BENCHMARK(BM_CloseChartWindowLargestTableAllSelected)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orvalt::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
