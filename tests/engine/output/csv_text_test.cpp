// Tables as cells and their CSV, tab-separated and HTML forms: the worked
// example against golden files, the report's digits and blanks, quoting and
// escaping.

#include "engine/output/csv_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/calculation/calculation.h"
#include "engine/output/report_text.h"
#include "support/golden_file.h"
#include "support/result_rows.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

using test::Block;

using test::ExpectMatchesGolden;

const std::string kBom = "\xEF\xBB\xBF";

TEST(ResultTableCsv, WorkedExampleMatchesTheGoldenFile) {
    ExpectMatchesGolden(ComposeResultTableCsv(test::CalculatedExample50mm()),
                        "result_table_50mm.csv");
}

TEST(StringingChartCsv, WorkedExampleMatchesTheGoldenFile) {
    const CalculationState state = test::CalculatedExample50mm();
    ExpectMatchesGolden(ComposeStringingChartCsv(ComputeStringingChart(state, -10, 90, 25)),
                        "chart_50mm.csv");
}

TEST(ResultTableCsv, RowsCarryTheReportsNumbersWithoutTheirPadding) {
    // The 18.2 mm example, 31 rows: each CSV row is its report line with the
    // aligning blanks taken out (no cell is blank in this table).
    CalculationState state;
    state.currentWire = test::WorkedExample1();
    RunCalculation(state);
    const std::string report = ComposeResultReport(state);
    const std::string csv = ComposeResultTableCsv(state);
    ASSERT_EQ(csv.compare(0, kBom.size(), kBom), 0);

    std::vector<std::string> reportRows;
    std::size_t start = 0;
    for (std::size_t line = 0; start < report.size(); ++line) {
        const std::size_t end = report.find("\r\n", start);
        if (line >= 22) {
            std::istringstream words(report.substr(start, end - start));
            std::string row;
            for (std::string word; words >> word;) {
                row += (row.empty() ? "" : ",") + word;
            }
            reportRows.push_back(row);
        }
        start = end + 2;
    }
    std::vector<std::string> csvRows;
    start = kBom.size();
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        csvRows.push_back(csv.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(csvRows.size(), 1 + reportRows.size());
    EXPECT_EQ(std::vector<std::string>(csvRows.begin() + 1, csvRows.end()), reportRows);
}

TEST(ResultTableCells, LeaveACellBlankWhereTheReportLeavesItsColumnBlank) {
    CalculationState state;
    SpanRow row;
    row.block = {Block(-150.0f, 2.345f, 0.5f, 0, 0), Block(-150.0f, 1.987f, 1456.78f, 64, 0),
                 Block(-150.0f, 0.0004f, 0.0f, 0, 90)};
    state.resultTable = {row};
    const CellTable cells = ResultTableCells(state);
    ASSERT_EQ(cells.size(), 2u);
    const std::vector<std::string> header = {
        "径間[m]",           "高温季 弛度[m]",   "高温季 張力[kg]",   "高温季 K値",
        "高温季 定規番号",   "低温季 弛度[m]",   "低温季 張力[kg]",   "低温季 K値",
        "低温季 定規番号",   "検討条件 弛度[m]", "検討条件 張力[kg]", "検討条件 K値",
        "検討条件 定規番号",
    };
    EXPECT_EQ(cells[0], header);
    const std::vector<std::string> values = {
        "-150", "2.345", ".50", "", "", "1.987", "1456.78", "64", "", "0.000", ".00", "", "90",
    };
    EXPECT_EQ(cells[1], values);
    EXPECT_EQ(ComposeCsv(cells).substr(ComposeCsv(cells).find("\r\n") + 2),
              "-150,2.345,.50,,,1.987,1456.78,64,,0.000,.00,,90\r\n");
}

TEST(StringingChartCells, AreRectangularWithAnEmptyRowBetweenTheTables) {
    StringingChart chart;
    chart.temperatures = {-5, 40};
    chart.rows = {{120.0f, {1.5f, 2.25f}, {980.5f, 0.25f}}};
    const CellTable expected = {
        {"弛度 [m]", "", ""},  {"径間[m]", "-5℃", "40℃"}, {"120", "1.500", "2.250"}, {"", "", ""},
        {"張力 [kg]", "", ""}, {"径間[m]", "-5℃", "40℃"}, {"120", "980.50", ".25"},
    };
    EXPECT_EQ(StringingChartCells(chart), expected);

    chart.rows.clear();
    EXPECT_EQ(StringingChartCells(chart).size(), 5u); // titles, headers and the empty row
}

struct QuotingCase {
    const char* name;
    std::string cell;
    std::string csv;
    std::string tabText;
};

std::ostream& operator<<(std::ostream& os, const QuotingCase& c) { return os << c.name; }

class CellQuoting : public testing::TestWithParam<QuotingCase> {};

TEST_P(CellQuoting, QuotesOnlyCellsThatNeedIt) {
    const QuotingCase& c = GetParam();
    const CellTable cells = {{"a", c.cell, "b"}};
    EXPECT_EQ(ComposeCsv(cells), kBom + "a," + c.csv + ",b\r\n");
    EXPECT_EQ(ComposeTabSeparatedText(cells, LineEnd::Lf), "a\t" + c.tabText + "\tb\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellQuoting,
    testing::Values(QuotingCase{"plain", "1234.56", "1234.56", "1234.56"},
                    QuotingCase{"empty", "", "", ""},
                    QuotingCase{"Japanese with blank", "高温季 弛度[m]", "高温季 弛度[m]",
                                "高温季 弛度[m]"},
                    QuotingCase{"comma", "1,5", "\"1,5\"", "1,5"},
                    QuotingCase{"double quote", "18\"", "\"18\"\"\"", "\"18\"\"\""},
                    QuotingCase{"line feed", "a\nb", "\"a\nb\"", "\"a\nb\""},
                    QuotingCase{"carriage return", "a\rb", "\"a\rb\"", "\"a\rb\""},
                    QuotingCase{"tab", "a\tb", "a\tb", "\"a\tb\""}));

TEST(ComposeCsv, StartsWithTheByteOrderMarkAndEndsEveryRowWithCrLf) {
    EXPECT_EQ(ComposeCsv({{"径間[m]", "x"}, {"100", "1.000"}}),
              kBom + "径間[m],x\r\n100,1.000\r\n");
    EXPECT_EQ(ComposeCsv({}), kBom);
}

TEST(ComposeTabSeparatedText, EndsEveryRowWithTheChosenLineEndAndHasNoByteOrderMark) {
    const CellTable cells = {{"径間[m]", "-10℃"}, {"100", ""}};
    EXPECT_EQ(ComposeTabSeparatedText(cells, LineEnd::Lf), "径間[m]\t-10℃\n100\t\n");
    EXPECT_EQ(ComposeTabSeparatedText(cells, LineEnd::CrLf), "径間[m]\t-10℃\r\n100\t\r\n");
    EXPECT_EQ(ComposeTabSeparatedText({}, LineEnd::CrLf), "");
}

TEST(ComposeHtmlTable, WritesOneRowPerLineAndEscapesMarkup) {
    const CellTable cells = {{"径間[m]", "a&b"}, {"<td>", "\"x\" > 'y'"}, {"", "100"}};
    EXPECT_EQ(ComposeHtmlTable(cells),
              "<table>\n"
              "<tr><td>径間[m]</td><td>a&amp;b</td></tr>\n"
              "<tr><td>&lt;td&gt;</td><td>&quot;x&quot; &gt; 'y'</td></tr>\n"
              "<tr><td></td><td>100</td></tr>\n"
              "</table>\n");
    EXPECT_EQ(ComposeHtmlTable({}), "<table>\n</table>\n");
}

} // namespace
} // namespace orvalt
