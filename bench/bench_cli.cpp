// orvalt99-cli report of the largest table (spans 1 m to 32,767 m by 1 m)
// timed as a whole process, start to exit, beside the same work done through
// the engine library: the difference is what a script pays for starting the
// program and writing its output.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/calculation/calculation.h"
#include "engine/case/case_file.h"
#include "engine/output/report_text.h"

extern char** environ;

namespace {

// The largest table's case file, written once into the temporary folder.
const std::string& LargestCasePath() {
    static const std::string path = [] {
        orvalt::CalculationState state;
        state.currentWire = {"計算例2", 50.0f, 50.0f, 600.0f, 2.0f, 19.0f, 8000.0f, 6000.0f};
        state.spanStart = 1.0f;
        state.spanEnd = 32767.0f;
        state.spanStep = 1.0f;
        const std::filesystem::path file =
            std::filesystem::temp_directory_path() /
            ("orvalt_bench_" + std::to_string(getpid()) + ".o99case");
        orvalt::WriteCaseFile(file, orvalt::CaseFromState(state));
        return file.string();
    }();
    return path;
}

void BM_CliReportLargestTableProcess(benchmark::State& bench) {
    std::string program = ORVALT_CLI_PATH, command = "report", casePath = LargestCasePath();
    char* argv[] = {program.data(), command.data(), casePath.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : bench) {
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            bench.SkipWithError("orvalt99-cli report failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CliReportLargestTableProcess)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The same: read the case, calculate, compose the report, in this process.
void BM_EngineReportLargestTable(benchmark::State& bench) {
    const std::string& casePath = LargestCasePath();
    std::size_t bytes = 0;
    for (auto _ : bench) {
        orvalt::CalculationState state;
        orvalt::ApplyCase(*orvalt::ReadCaseFile(casePath).caseFile, state);
        orvalt::RunCalculation(state);
        const std::string report = orvalt::ComposeResultReport(state);
        bytes = report.size();
        benchmark::DoNotOptimize(report.data());
    }
    bench.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EngineReportLargestTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(LargestCasePath());
    return 0;
}
