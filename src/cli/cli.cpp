// The commands of orvalt99-cli: the arguments read, the case read and
// applied as the conditions window's OK would, the calculation run, and the
// engine's output bytes handed back or written to the file of -o.

#include "cli/cli.h"

#include <optional>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/calculation/clearance.h"
#include "engine/calculation/stringing_chart.h"
#include "engine/calculation/tension_section.h"
#include "engine/case/case_file.h"
#include "engine/catalogue/cp932.h"
#include "engine/catalogue/safe_file_write.h"
#include "engine/output/balanced_section_text.h"
#include "engine/output/clearance_text.h"
#include "engine/output/csv_text.h"
#include "engine/number/units.h"
#include "engine/output/report_text.h"
#include "engine/output/section_json.h"
#include "engine/output/section_text.h"

namespace orvalt::cli {
namespace {

constexpr std::string_view kUsage =
    "使い方:\n"
    "  orvalt99-cli report  CASE [-o FILE] [--units kgf|si] [--encoding utf-8|cp932]\n"
    "                                                   計算結果の報告文\n"
    "  orvalt99-cli csv     CASE [-o FILE] [--units kgf|si]             計算結果の表（CSV）\n"
    "  orvalt99-cli chart   CASE [-o FILE] [--units kgf|si]             架線弛度表（CSV）\n"
    "  orvalt99-cli section CASE [-o FILE] [--units kgf|si]             区間の計算結果（CSV）\n"
    "  orvalt99-cli section CASE --json [-o FILE] [--units kgf|si]      "
    "区間の計算結果と精算（JSON）\n"
    "  orvalt99-cli clearance CASE [-o FILE] [--json] [--units kgf|si]  "
    "地表・横断物との離隔（CSV）\n"
    "  orvalt99-cli --help | --version\n"
    "CASE はケースファイル（JSON）。出力は標準出力へ、-o を付けるとそのファイルへ書きます\n"
    "（ケースファイルそのものには書きません）。--encoding は report だけのオプションです。\n"
    "section は区間計算画面の「CSV で保存」と同じ内容です（径間は section.spans、\n"
    "架線弛度表の温度は chart。等価径間の値の後に、section.supports と\n"
    "section.stringingTemperature による精算の値が続きます）。\n"
    "--units si は report・csv・chart・section を SI 単位で書きます（張力 kN、風圧 Pa、\n"
    "単位長重量 N/m、弾性係数 N/mm2）。kgf は画面と同じ kg 単位です。付けないときは\n"
    "ケースファイルの units（なければ kgf）です。ただし section --json は --units si の\n"
    "ときだけ SI 単位で（先頭に \"units\": \"si\" が付き、張力が kN になります。キーは\n"
    "同じです）、付けないときはケースファイルによらず kg 単位です。clearance は長さ（m）\n"
    "だけなので、--units を付けても同じ内容です。\n"
    "終了コード: 0 完了、1 計算できない条件、2 使い方またはケースファイルの誤り。\n";

struct Arguments {
    std::string_view command;
    std::string_view casePath;
    std::optional<std::string_view> outputPath;
    bool cp932 = false;
    std::optional<UnitSystem> units; // otherwise the case file's "units"
    bool json = false; // section and clearance: JSON rather than CSV
};

// Engine messages join their lines with CR LF; a terminal wants LF.
std::string TerminalText(std::string_view message) {
    std::string text;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (!(message[i] == '\r' && i + 1 < message.size() && message[i + 1] == '\n')) {
            text += message[i];
        }
    }
    return text + "\n";
}

Outcome Fail(int status, std::string_view message) {
    return Outcome{.status = status, .out = {}, .err = TerminalText(message)};
}

Outcome BadUsage(std::string_view message) {
    return Outcome{.status = kBadUsage,
                   .out = {},
                   .err = "orvalt99-cli: " + std::string(message) + "\n" + std::string(kUsage)};
}

bool IsCommand(std::string_view word) {
    return word == "report" || word == "csv" || word == "chart" || word == "section" ||
           word == "clearance";
}

// The arguments after the command, or the reason they are not usable.
std::optional<std::string> ReadOptions(std::span<const std::string_view> rest, Arguments& args) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string_view word = rest[i];
        const bool takesValue = word == "-o" || word == "--encoding" || word == "--units";
        if (takesValue && i + 1 >= rest.size()) {
            return std::string(word) + " の後に値がありません。";
        }
        if (word == "-o") {
            args.outputPath = rest[++i];
        } else if (word == "--encoding" && args.command != "report") {
            return "--encoding は report だけのオプションです。";
        } else if (word == "--encoding") {
            const std::string_view value = rest[++i];
            if (value != "utf-8" && value != "cp932") {
                return "--encoding は utf-8 か cp932 です: " + std::string(value);
            }
            args.cp932 = value == "cp932";
        } else if (word == "--units") {
            const std::string_view value = rest[++i];
            const std::optional<UnitSystem> units = UnitSystemNamed(value);
            if (!units) {
                return "--units は kgf か si です: " + std::string(value);
            }
            args.units = *units;
        } else if (word == "--json" && (args.command == "section" || args.command == "clearance")) {
            args.json = true;
        } else if (word.starts_with("-") && word != "-") {
            return "知らないオプションです: " + std::string(word);
        } else if (args.casePath.empty()) {
            args.casePath = word;
        } else {
            return "ケースファイルは一つだけ指定してください: " + std::string(word);
        }
    }
    return args.casePath.empty() ? std::optional<std::string>("ケースファイルを指定してください。")
                                 : std::nullopt;
}

// The clearance table of the case's section, as CSV or JSON: metres only,
// the same in either unit system.
Outcome ComposeClearance(const Arguments& args, const CaseFile& caseFile,
                         const CalculationState& state) {
    const ClearanceTable table = ComputeCaseClearance(caseFile, state);
    return Outcome{.status = kDone,
                   .out = args.json ? ComposeClearanceJson(table) : ComposeClearanceCsv(table),
                   .err = {}};
}

// The section window's CSV of the case's section, its stringing chart over
// the case's chart temperatures (as the window opened on the case shows it),
// the ruling-span figures and then the exact ones; with --json the same two
// results as JSON. The exact section stands on the case's supports (as a new
// section has them when it gives none: dead ends, fixed between), strung at
// its stringing temperature. The CSV is in the units asked for or the
// case's; the JSON in kg units unless --units si asks otherwise, so that a
// script reading it never finds its numbers in other units because of how
// the case's author chose to look at them.
Outcome ComposeSection(const Arguments& args, const CaseFile& caseFile,
                       const CalculationState& state) {
    const std::vector<SectionSpan>& spans = caseFile.section.spans;
    const CaseChartRange& range = caseFile.chart;
    const SectionResults results =
        ComputeSectionResults(state, spans, range.from, range.to, range.step);
    CalculationState loads = state;
    ComputeLoadsAndCriticalSpan(loads);
    const std::vector<SectionSupport> supports = caseFile.section.supports.empty()
                                                     ? DefaultSectionSupports(spans.size())
                                                     : caseFile.section.supports;
    const BalancedSection balanced =
        ComputeBalancedSection(loads, spans, supports, caseFile.section.stringingTemperature,
                               range.from, range.to, range.step);
    return Outcome{.status = kDone,
                   .out = args.json
                              ? ComposeSectionJson(results.section, results.chart, balanced,
                                                   args.units.value_or(UnitSystem::kKgf))
                              : ComposeSectionCsvWithExact(loads, spans, results.section,
                                                           results.chart, supports, balanced,
                                                           args.units.value_or(caseFile.units)),
                   .err = {}};
}

// The engine's bytes for the command on the case's state, calculated here.
Outcome Compose(const Arguments& args, const CaseFile& caseFile, CalculationState& state) {
    RunCalculation(state);
    if (args.command == "clearance") {
        return ComposeClearance(args, caseFile, state);
    }
    const UnitSystem units = args.units.value_or(caseFile.units);
    if (args.command == "csv") {
        return Outcome{.status = kDone, .out = ComposeResultTableCsv(state, units), .err = {}};
    }
    if (args.command == "chart") {
        const CaseChartRange& range = caseFile.chart;
        return Outcome{.status = kDone,
                       .out = ComposeStringingChartCsv(
                           ComputeStringingChart(state, range.from, range.to, range.step),
                           units),
                       .err = {}};
    }
    std::string report = ComposeResultReport(state, units);
    if (args.cp932) {
        std::optional<std::string> encoded = EncodeCp932(report);
        if (!encoded) {
            return Fail(kRefused, "報告文にコードページ 932 で書けない文字があります。");
        }
        report = std::move(*encoded);
    }
    return Outcome{.status = kDone, .out = std::move(report), .err = {}};
}

// Reads the case, calculates and composes; warnings go ahead of the outcome.
Outcome Calculate(const Arguments& args) {
    const CaseReadResult read = ReadCaseFile(std::filesystem::path(args.casePath));
    if (!read.caseFile) {
        return Fail(kBadUsage, read.error);
    }
    std::string warnings;
    for (const std::string& warning : read.warnings) {
        warnings += TerminalText("警告: " + warning);
    }
    Outcome outcome;
    if ((args.command == "section" || args.command == "clearance") &&
        read.caseFile->section.spans.empty()) {
        outcome = Fail(kBadUsage, "このケースファイルには区間（section）がありません。");
    } else {
        try {
            CalculationState state;
            ApplyCase(*read.caseFile, state);
            outcome = args.command == "section" ? ComposeSection(args, *read.caseFile, state)
                                                : Compose(args, *read.caseFile, state);
        } catch (const CalculationError& e) {
            outcome = Fail(kRefused, e.what());
        }
    }
    outcome.err = warnings + outcome.err;
    return outcome;
}

// Moves the output into the file of -o, atomically.
void WriteOutput(std::string_view path, Outcome& outcome) {
    const AtomicWriteResult written = WriteFileAtomically(std::filesystem::path(path), outcome.out);
    outcome.out.clear();
    if (!written.ok) {
        outcome.status = kBadUsage;
        outcome.err += TerminalText("「" + std::string(path) + "」に書けませんでした。\r\n" +
                                    (written.readOnly ? std::string("読み取り専用のファイルです")
                                                      : FileErrorReason(written.error)));
    }
}

// Whether the file of -o is the case file itself (the same name, or another
// name of the same file through a link): writing it would destroy the input.
bool IsTheCaseFile(std::string_view output, std::string_view casePath) {
    std::error_code error;
    return std::filesystem::equivalent(std::filesystem::path(output),
                                       std::filesystem::path(casePath), error) &&
           !error;
}

} // namespace

Outcome Run(std::span<const std::string_view> args) {
    if (args.empty()) {
        return BadUsage("コマンドを指定してください。");
    }
    if (args[0] == "--help" || args[0] == "-h") {
        return Outcome{.status = kDone, .out = std::string(kUsage), .err = {}};
    }
    if (args[0] == "--version") {
        return Outcome{.status = kDone, .out = "orvalt99-cli " ORVALT_VERSION "\n", .err = {}};
    }
    if (!IsCommand(args[0])) {
        return BadUsage("知らないコマンドです: " + std::string(args[0]));
    }
    Arguments arguments;
    arguments.command = args[0];
    if (const auto problem = ReadOptions(args.subspan(1), arguments)) {
        return BadUsage(*problem);
    }
    if (arguments.outputPath && IsTheCaseFile(*arguments.outputPath, arguments.casePath)) {
        return Fail(kBadUsage, "orvalt99-cli: 出力先「" + std::string(*arguments.outputPath) +
                                   "」はケースファイルそのものです。\r\n"
                                   "ケースファイルを残すため、別のファイルを指定してください。");
    }
    Outcome outcome = Calculate(arguments);
    if (outcome.status == kDone && arguments.outputPath) {
        WriteOutput(*arguments.outputPath, outcome);
    }
    return outcome;
}

} // namespace orvalt::cli
