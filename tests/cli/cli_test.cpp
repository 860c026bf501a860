// orvalt99-cli as a script runs it: each command's bytes against the golden
// files, the exit statuses with their messages, and -o leaving no file
// behind when the command fails.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation.h"
#include "engine/calculation/clearance.h"
#include "engine/case/case_file.h"
#include "engine/catalogue/cp932.h"
#include "engine/output/clearance_text.h"
#include "engine/output/section_json.h"
#include "support/files.h"
#include "support/golden_file.h"
#include "support/temp_folder.h"

extern char** environ;

namespace orvalt {
namespace {

using test::GoldenBytes;
using test::GoldenPath;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string CasePath(std::string_view name) {
    return (std::filesystem::path(ORVALT_CLI_CASES_DIR) / name).string();
}

class CliTest : public test::TempFolderTest {
protected:
    void SetUp() override { MakeFolder("orvalt_cli"); }

    // Runs the program with `args`, its output and errors caught in files.
    CliRun RunCli(std::vector<std::string> args) {
        const std::string out = (folder_ / "stdout").string();
        const std::string err = (folder_ / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        args.insert(args.begin(), ORVALT_CLI_PATH);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t pid = 0;
        CliRun run;
        if (posix_spawn(&pid, ORVALT_CLI_PATH, &actions, nullptr, argv.data(), environ) == 0) {
            int wstatus = 0;
            waitpid(pid, &wstatus, 0);
            run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        run.out = test::ReadFileBytes(out).value_or("");
        run.err = test::ReadFileBytes(err).value_or("");
        return run;
    }
};

struct CommandCase {
    std::vector<std::string> args;
    const char* golden;
};

TEST_F(CliTest, CommandsGiveTheBytesOfTheWindows) {
    const std::string example1 = GoldenPath("example_18_2mm.o99case").string();
    const std::string example2 = CasePath("example_50mm.o99case");
    const CommandCase cases[] = {
        {{"report", example1}, "example_18_2mm.txt"},
        {{"report", example2, "--encoding", "utf-8"}, "example_50mm.txt"},
        {{"csv", example2}, "result_table_50mm.csv"},
        {{"chart", example2}, "chart_50mm.csv"},
        // The section window's CSV で保存 of the same section; the case's
        // span range (400 -> 390 by 10) cannot be calculated, and needs not.
        {{"section", CasePath("section_4spans.o99case")}, "section_4spans.csv"},
    };
    for (const CommandCase& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 0) << c.golden << ": " << run.err;
        EXPECT_EQ(run.err, "") << c.golden;
        EXPECT_TRUE(run.out == GoldenBytes(c.golden)) << c.golden << ": output differs";
    }
}

// A copy of the case at `path` whose author chose SI ("units": "si").
std::string SiCopy(const std::filesystem::path& path, const std::filesystem::path& folder) {
    std::string bytes = *test::ReadFileBytes(path);
    const std::size_t brace = bytes.rfind('}');
    EXPECT_NE(brace, std::string::npos) << path;
    bytes.insert(brace, ",\n  \"units\": \"si\"\n");
    const std::filesystem::path copy = folder / ("si_" + path.filename().string());
    test::WriteFileBytes(copy, bytes);
    return copy.string();
}

// A case written in SI is reported in SI unless --units says otherwise;
// --units si gives every command's SI golden.
TEST_F(CliTest, UnitsComeFromTheOptionOrElseTheCase) {
    const std::string siCase = SiCopy(GoldenPath("example_18_2mm.o99case"), folder_);
    const std::string example2 = CasePath("example_50mm.o99case");
    const std::string section = CasePath("section_4spans.o99case");
    const std::string exact = CasePath("section_4_spans.o99case");
    const CommandCase cases[] = {
        {{"report", siCase}, "example_18_2mm_si.txt"},
        {{"report", siCase, "--units", "kgf"}, "example_18_2mm.txt"},
        {{"report", GoldenPath("example_18_2mm.o99case").string(), "--units", "si"},
         "example_18_2mm_si.txt"},
        {{"csv", example2, "--units", "si"}, "result_table_50mm_si.csv"},
        {{"chart", "--units", "si", example2}, "chart_50mm_si.csv"},
        {{"section", section, "--units", "si"}, "section_4spans_si.csv"},
        {{"section", SiCopy(section, folder_)}, "section_4spans_si.csv"},
        {{"section", SiCopy(section, folder_), "--units", "kgf"}, "section_4spans.csv"},
        {{"section", "--units", "si", exact, "--json"}, "section_4_spans_si.json"},
    };
    for (const CommandCase& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 0) << c.golden << ": " << run.err;
        EXPECT_TRUE(run.out == GoldenBytes(c.golden)) << c.golden << ": output differs";
    }
}

// What scripts read stays as it was unless they ask for SI: section --json
// of a case its author keeps in SI is in kg units, as is --units kgf; the
// clearances are metres and the same in either system.
TEST_F(CliTest, JsonAndClearanceFollowOnlyWhatTheScriptAsks) {
    const std::string exact = CasePath("section_4_spans.o99case");
    const std::string kgJson = RunCli({"section", exact, "--json"}).out;
    ASSERT_NE(kgJson.find("\"horizontalTension\""), std::string::npos) << kgJson;
    EXPECT_EQ(kgJson.find("\"units\""), std::string::npos);
    EXPECT_TRUE(RunCli({"section", SiCopy(exact, folder_), "--json"}).out == kgJson);
    EXPECT_TRUE(RunCli({"section", exact, "--json", "--units", "kgf"}).out == kgJson);

    const std::string clearance = CasePath("clearance_four_spans.o99case");
    for (const bool json : {false, true}) {
        std::vector<std::string> args{"clearance", clearance};
        if (json) args.push_back("--json");
        const CliRun plain = RunCli(args);
        ASSERT_EQ(plain.status, 0) << plain.err;
        args.insert(args.end(), {"--units", "si"});
        const CliRun si = RunCli(args);
        EXPECT_EQ(si.status, 0) << si.err;
        EXPECT_TRUE(si.out == plain.out) << json;
    }
}

TEST_F(CliTest, Cp932ReportIsTheGoldenReportEncoded) {
    const CliRun run =
        RunCli({"report", GoldenPath("example_18_2mm.o99case").string(), "--encoding", "cp932"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out == EncodeCp932(GoldenBytes("example_18_2mm.txt")));
}

TEST_F(CliTest, OutputFileGetsTheBytesAndStandardOutputNothing) {
    const std::filesystem::path file = folder_ / "表.csv";
    const CliRun run = RunCli({"csv", "-o", file.string(), CasePath("example_50mm.o99case")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(test::ReadFileBytes(file) == GoldenBytes("result_table_50mm.csv"));
}

// The section of the case through the engine in-process: its spans on its
// supports (dead ends and fixed supports when it gives none), strung at its
// stringing temperature, over the case's chart.
std::string SectionJsonOf(const std::string& casePath) {
    const CaseFile caseFile = *ReadCaseFile(casePath).caseFile;
    CalculationState state;
    ApplyCase(caseFile, state);
    RunCalculation(state);
    const std::vector<SectionSpan>& spans = caseFile.section.spans;
    const std::vector<SectionSupport> supports = caseFile.section.supports.empty()
                                                     ? DefaultSectionSupports(spans.size())
                                                     : caseFile.section.supports;
    const CaseChartRange& r = caseFile.chart;
    return ComposeSectionJson(
        ComputeTensionSection(state, spans),
        ComputeSectionStringingChart(state, spans, r.from, r.to, r.step),
        ComputeBalancedSection(state, spans, supports, caseFile.section.stringingTemperature,
                               r.from, r.to, r.step));
}

TEST_F(CliTest, SectionJsonIsTheEnginesRulingAndExactSection) {
    const std::string path = CasePath("section_4_spans.o99case");
    const std::string expected = SectionJsonOf(path);
    ASSERT_NE(expected.find("\"balanced\""), std::string::npos);
    const CliRun run = RunCli({"section", path, "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out == expected) << run.out;
    // The steep short span is over its maximum tension in the low season.
    EXPECT_NE(run.out.find("\"overMaxTension\": true"), std::string::npos);

    // A version 2 case with its own supports and stringing temperature.
    const std::string strings = CasePath("section_4_spans_strings.o99case");
    const CliRun onStrings = RunCli({"section", strings, "--json"});
    EXPECT_EQ(onStrings.status, 0) << onStrings.err;
    EXPECT_TRUE(onStrings.out == SectionJsonOf(strings)) << onStrings.out;
    EXPECT_NE(onStrings.out, run.out);

    const std::filesystem::path file = folder_ / "区間.json";
    const CliRun written = RunCli({"section", "--json", "-o", file.string(), path});
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    EXPECT_TRUE(test::ReadFileBytes(file) == expected);
}

// The message RunCalculation gives for the case, as the windows show it
// (their CR LF lines as LF).
std::string CalculationMessage(const std::string& casePath) {
    CalculationState state;
    ApplyCase(*ReadCaseFile(casePath).caseFile, state);
    try {
        RunCalculation(state);
    } catch (const CalculationError& e) {
        std::string message = e.what();
        for (std::size_t at; (at = message.find("\r\n")) != std::string::npos;)
            message.erase(at, 1);
        return message + "\n";
    }
    return "RunCalculation accepted " + casePath;
}

struct FailureCase {
    std::vector<std::string> args;
    int status;
    std::string err; // the start of standard error
};

// The four-span case with its temperatures 33040 degrees apart: the
// critical span, which a section needs, cannot be calculated.
std::string UncalculableSection(const std::filesystem::path& folder) {
    std::string bytes = *test::ReadFileBytes(CasePath("section_4spans.o99case"));
    bytes.replace(bytes.find("\"temperatureHigh\": 15"), 21, "\"temperatureHigh\": 32767");
    bytes.replace(bytes.find("\"temperatureLow\": -15"), 21, "\"temperatureLow\": -273");
    const std::filesystem::path path = folder / "critical.o99case";
    test::WriteFileBytes(path, bytes);
    return path.string();
}

TEST_F(CliTest, FailuresExitWithTheirStatusAndMessageAndWriteNoFile) {
    const std::string example = CasePath("example_50mm.o99case");
    const std::string reversed = CasePath("reversed_spans.o99case");
    const std::string critical = UncalculableSection(folder_);
    const std::filesystem::path big = folder_ / "big.o99case";
    test::WriteFileBytes(big, "");
    std::filesystem::resize_file(big, kMaxCaseFileBytes + 1);
    const std::filesystem::path fifo = folder_ / "fifo.o99case";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string newer = CasePath("version_3.o99case");
    const FailureCase cases[] = {
        {{"report", reversed}, 1, CalculationMessage(reversed)},
        {{"chart", reversed}, 1, CalculationMessage(reversed)},
        {{"report", newer},
         2,
         "このケースファイルは新しい版（version 3）の orvalt99 で書かれたため、開けません。\n"},
        {{"csv", CasePath("none.o99case")},
         2,
         "ケースファイル「" + CasePath("none.o99case") +
             "」を読めません。\nファイルまたはフォルダーがありません（"},
        {{"csv", folder_.string()},
         2,
         "ケースファイル「" + folder_.string() + "」を読めません。\nフォルダーです（"},
        {{"csv", fifo.string()},
         2,
         "ケースファイル「" + fifo.string() + "」を読めません。\n普通のファイルではありません\n"},
        {{"csv", big.string()},
         2,
         "ケースファイル「" + big.string() + "」を読めません。\nファイルが大きすぎます（16 MB まで）。\n"},
        {{"section", example}, 2, "このケースファイルには区間（section）がありません。\n"},
        {{"section", critical}, 1, CalculationMessage(critical)},
        {{"plot", example}, 2, "orvalt99-cli: 知らないコマンドです: plot\n使い方:\n"},
        {{"report"}, 2, "orvalt99-cli: ケースファイルを指定してください。\n"},
        {{"report", example, "--encoding", "sjis"},
         2,
         "orvalt99-cli: --encoding は utf-8 か cp932 です: sjis\n"},
        {{"section", example, "--json"},
         2,
         "このケースファイルには区間（section）がありません。\n"},
        {{"csv", example, "--json"}, 2, "orvalt99-cli: 知らないオプションです: --json\n"},
        {{"csv", example, "--encoding", "cp932"},
         2,
         "orvalt99-cli: --encoding は report だけのオプションです。\n"},
        {{"report", example, "--units", "SI"}, 2, "orvalt99-cli: --units は kgf か si です: SI\n"},
        // The -o added below is taken as the value.
        {{"chart", example, "--units"}, 2, "orvalt99-cli: --units は kgf か si です: -o\n"},
        {{"clearance", example, "--units", "N"}, 2, "orvalt99-cli: --units は kgf か si です: N\n"},
    };
    for (FailureCase c : cases) {
        const std::filesystem::path file = folder_ / "out.txt";
        c.args.push_back("-o");
        c.args.push_back(file.string());
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.args[0];
        EXPECT_EQ(run.out, "") << c.args[0];
        EXPECT_FALSE(std::filesystem::exists(file)) << c.args[0];
    }
}

// -o never replaces the case file it reads, whatever name reaches it; a
// file that cannot be written is named with the system's reason.
TEST_F(CliTest, OutputNamingTheCaseFileItselfIsRefused) {
    const std::filesystem::path input = folder_ / "線路.o99case";
    std::filesystem::copy_file(CasePath("example_50mm.o99case"), input);
    const std::string before = *test::ReadFileBytes(input);
    std::filesystem::create_symlink(input, folder_ / "link.o99case");
    std::filesystem::create_hard_link(input, folder_ / "hard.o99case");
    std::filesystem::create_directory(folder_ / "sub");
    for (const std::filesystem::path& output :
         {input, folder_ / "link.o99case", folder_ / "hard.o99case",
          folder_ / "sub" / ".." / "線路.o99case"}) {
        const CliRun run = RunCli({"report", input.string(), "-o", output.string()});
        EXPECT_EQ(run.status, 2) << output;
        EXPECT_EQ(run.err, "orvalt99-cli: 出力先「" + output.string() +
                               "」はケースファイルそのものです。\nケースファイルを残すため、"
                               "別のファイルを指定してください。\n")
            << output;
        EXPECT_EQ(test::ReadFileBytes(input), before) << output;
        EXPECT_TRUE(std::filesystem::is_symlink(folder_ / "link.o99case"));
    }
    const std::filesystem::path nowhere = folder_ / "none" / "out.txt";
    const CliRun run = RunCli({"report", input.string(), "-o", nowhere.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.starts_with("「" + nowhere.string() +
                                    "」に書けませんでした。\nファイルまたはフォルダーがありません（"))
        << run.err;
}

TEST_F(CliTest, HelpAndVersionAnswerOnStandardOutput) {
    const CliRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"report", "csv", "chart", "section", "--encoding utf-8|cp932",
                                "section CASE --json", "clearance CASE [-o FILE] [--json]"}) {
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    }
    const CliRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("orvalt99-cli ")) << version.out;
}

// A four-span section over uneven ground with a road crossing: too low at the
// case's 90 degC, high enough at 60 degC; the command's CSV is the engine's,
// and a crossing outside the section or of an unknown kind is refused.
TEST_F(CliTest, ClearanceJudgesTheRoadAndRefusesWhatItCannotCheck) {
    const std::string hot = CasePath("clearance_four_spans.o99case");
    const std::string bytes = test::ReadFileBytes(hot).value_or("");
    int variants = 0;
    auto variant = [&](std::string_view from, std::string_view to) {
        std::string changed = bytes;
        const std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        changed.replace(at, from.size(), to);
        const std::filesystem::path path =
            folder_ / ("variant" + std::to_string(++variants) + ".o99case");
        test::WriteFileBytes(path, changed);
        return path.string();
    };
    const std::string cool = variant("\"temperatureStudy\": 90", "\"temperatureStudy\": 60");
    const std::string road = "\"kind\": \"道路\"";
    struct Case {
        std::string path;
        bool roadOk;
    } const judged[] = {{hot, false}, {cool, true}};
    for (const Case& c : judged) {
        const CliRun json = RunCli({"clearance", c.path, "--json"});
        EXPECT_EQ(json.status, 0) << json.err;
        const std::size_t crossing = json.out.find(road);
        ASSERT_NE(crossing, std::string::npos) << json.out;
        const std::size_t verdict = json.out.find("\"ok\": ", crossing);
        EXPECT_EQ(json.out.substr(verdict + 6, 4), c.roadOk ? "true" : "fals") << json.out;
        EXPECT_EQ(json.out.find("\"ok\": false", json.out.find("\"spans\"")),
                  c.roadOk ? std::string::npos : verdict)
            << json.out;

        const CaseReadResult read = ReadCaseFile(c.path);
        ASSERT_TRUE(read.caseFile) << read.error;
        CalculationState state;
        ApplyCase(*read.caseFile, state);
        RunCalculation(state);
        const ClearanceTable table = ComputeCaseClearance(*read.caseFile, state);
        EXPECT_EQ(RunCli({"clearance", c.path}).out, ComposeClearanceCsv(table));
    }
    const FailureCase failures[] = {
        {{"clearance", variant("\"distance\": 300,", "\"distance\": 900,")},
         1,
         "離隔の計算ができませんでした。\n横断物 1（道路）の距離 900 m が区間（0～760 m）の外です"
         "。\n"},
        {{"clearance", variant(road, "\"kind\": \"国道\"")},
         2,
         "ケースファイルの「section.crossings[0].kind」が使えません。\n"},
        {{"clearance", variant("\"heightDifference\": 4.5", "\"heightDifference\": 4.6")},
         1,
         "離隔の計算ができませんでした。\n径間 1 の高低差 4.6 m が"},
    };
    for (const FailureCase& c : failures) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace orvalt
