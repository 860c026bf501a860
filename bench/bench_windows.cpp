// Opening a result window that holds the largest report (spans 1 m to
// 32,767 m by 1 m: 32,767 table lines, about 2.7 MB of text), offscreen,
// from BuildResultReport to the window shown and painted once; and opening
// the graph window of that table (two plots of three curves of 32,767 points
// each), from ShowGraphWindow to both plots painted once. Target for each:
// under 300 ms.
#include <memory>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <QLineSeries>
#include <QMdiSubWindow>
#include <QPlainTextEdit>

#include "engine/calculation/calculation.h"
#include "support/fake_services.h"
#include "support/wire_records.h"
#include "ui/app/main_window.h"
#include "ui/base/fonts.h"
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
