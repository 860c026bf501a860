// The wire catalogue file: its exact bytes, reading back what was written,
// every kind of bad file, and saving without ever losing the engineer's data.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <regex>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "engine/catalogue/catalogue_file.h"
#include "engine/catalogue/cp932.h"
#include "support/files.h"
#include "support/golden_file.h"
#include "support/temp_folder.h"
#include "support/wire_records.h"

namespace orvalt {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Optional;
using Status = CatalogueReadResult::Status;

using test::GoldenPath;
using test::ReadFileBytes;
using test::WriteFileBytes;

// A record whose fields are numbered 1 to 7 in the file's order: α, E, Wc, A,
// d1, d2, T.
WireRecord OneToSeven(std::string name) {
    return {.wireName = std::move(name),
            .diameterHigh = 5,
            .diameterLow = 6,
            .area = 4,
            .unitWeight = 3,
            .expansionCoeff = 1,
            .elasticModulus = 2,
            .maxTension = 7};
}

// The program's two worked examples.
std::vector<WireRecord> WorkedExamples() {
    return {test::WorkedExample1(), test::WorkedExample2()};
}

// Names that test the code page: half-width katakana, NEC row 13, trail
// bytes 0x5C, an IBM extension and JIS look-alikes typed on Linux.
std::vector<WireRecord> SpecialNames() {
    return {{.wireName = "ｱﾙﾐｿﾞﾔ HDCC",
             .diameterHigh = 18.2f,
             .diameterLow = 17.9f,
             .area = 160.5f,
             .unitWeight = 0.6f,
             .expansionCoeff = 19.1f,
             .elasticModulus = 8300,
             .maxTension = 1234.5f},
            {.wireName = "①号 ㈱東部",
             .diameterHigh = 9999999,
             .diameterLow = 1234567,
             .area = 0.0125f,
             .unitWeight = 0,
             .expansionCoeff = -0.5f,
             .elasticModulus = 1.23456789f,
             .maxTension = 0},
            {.wireName = "ソフト銅線 表",
             .diameterHigh = 6,
             .diameterLow = 6,
             .area = 22,
             .unitWeight = 0.2334f,
             .expansionCoeff = 23,
             .elasticModulus = 7000,
             .maxTension = 420},
            {.wireName = "ⅰ型 〜—−",
             .diameterHigh = 18.29f,
             .diameterLow = 18.29f,
             .area = 198.1f,
             .unitWeight = 0.6885f,
             .expansionCoeff = 19.2f,
             .elasticModulus = 8902,
             .maxTension = 2557}};
}

// The same records as the file gives them back: 1.23456789 keeps seven
// digits, and the look-alikes typed on Linux come back as their code page
// 932 twins.
std::vector<WireRecord> SpecialNamesAsRead() {
    std::vector<WireRecord> records = SpecialNames();
    records[1].elasticModulus = 1.234568f;
    records[3].wireName = "ⅰ型 ～―－";
    return records;
}

// The default catalogue shipped beside the program.
std::vector<WireRecord> DefaultCatalogue() {
    std::vector<WireRecord> records = WorkedExamples();
    WireRecord linnet = test::AcsrLinnet();
    linnet.wireName = "ACSR Linnet 相当 (26/2.888+7/2.245)";
    records.push_back(linnet);
    return records;
}

std::int16_t Fill(WireList& list, const std::vector<WireRecord>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        list[i] = records[i];
    }
    return static_cast<std::int16_t>(static_cast<int>(records.size()) - 1);
}

std::string Encode(const std::vector<WireRecord>& records) {
    WireList list;
    const std::int16_t last = Fill(list, records);
    std::string refusal;
    std::optional<std::string> bytes = EncodeWireCatalogue(list, last, &refusal);
    EXPECT_TRUE(bytes.has_value()) << refusal;
    return bytes.value_or("");
}

// A list whose every slot holds a recognisable record, to see which slots a
// read touched.
WireList SentinelList() {
    WireList list;
    for (int i = 0; i < kWireListSize; ++i) {
        list[static_cast<std::size_t>(i)] = {.wireName = "前の" + std::to_string(i),
                                             .diameterHigh = 4,
                                             .diameterLow = 5,
                                             .area = 3,
                                             .unitWeight = 2,
                                             .expansionCoeff = static_cast<float>(i),
                                             .elasticModulus = 1,
                                             .maxTension = 6};
    }
    return list;
}

// `count` distinct records, named in ASCII so that file offsets are easy.
std::vector<WireRecord> NumberedRecords(int count) {
    std::vector<WireRecord> records;
    for (int i = 0; i < count; ++i) {
        const auto f = static_cast<float>(i);
        records.push_back({.wireName = "W" + std::to_string(i),
                           .diameterHigh = 10 + f,
                           .diameterLow = 11 + f,
                           .area = 100 + f,
                           .unitWeight = 0.5f + f / 100,
                           .expansionCoeff = 19 + f / 10,
                           .elasticModulus = 8000 + f,
                           .maxTension = 1000 + f});
    }
    return records;
}

std::string Repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

// A fresh folder per test with the catalogue's path in it.
class CatalogueFolder : public test::TempFolderTest {
protected:
    void SetUp() override {
        MakeFolder("orvalt_catalogue");
        path_ = folder_ / "wiredata.dat";
    }

    fs::path path_;
};

#ifdef _WIN32
// What Windows has not, for the skip messages of the tests that need it.
constexpr const char* kNoPermissionBits =
    "Windows files have no permission bits: std::filesystem::permissions only sets or clears "
    "the read-only mark";
#else
bool RunningAsRoot() { return ::geteuid() == 0; }
#endif

// ---------------------------------------------------------------------------
// Exact bytes

TEST(CatalogueBytes, WorkedExamplesMatchTheGoldenFile) {
    EXPECT_EQ(Encode(WorkedExamples()), ReadFileBytes(GoldenPath("worked_examples.dat")));
}

TEST(CatalogueBytes, SpecialNamesMatchTheGoldenFile) {
    const std::string bytes = Encode(SpecialNames());
    EXPECT_EQ(bytes, ReadFileBytes(GoldenPath("special_names.dat")));
    // ソ is 83 5C: the 0x5C must stay a trail byte, not become a backslash
    // escape or a yen sign.
    EXPECT_NE(bytes.find("\x83\x5c\x83\x74\x83\x67"), std::string::npos);
    // ① and ㈱ in the NEC row, ⅰ in the IBM extensions, 〜 stored as 81 60.
    EXPECT_EQ(bytes.find("\x87\x40"), bytes.find("\r\n-.5") - 11);
    EXPECT_NE(bytes.find("\x87\x8a"), std::string::npos);
    EXPECT_NE(bytes.find("\xfa\x40\x8c\x5e \x81\x60\x81\x5c\x81\x7c\r\n"), std::string::npos);
}

TEST(CatalogueBytes, DefaultCatalogueIsWhatTheWriterWrites) {
    const fs::path shipped = fs::path(ORVALT_SOURCE_DIR) / "data" / "wiredata.dat";
    ASSERT_TRUE(fs::exists(shipped));
    EXPECT_EQ(Encode(DefaultCatalogue()), ReadFileBytes(shipped));

    WireList list;
    std::int16_t last = 99;
    const CatalogueReadResult read = ReadWireCatalogue(shipped, list, last);
    EXPECT_EQ(read.status, Status::kRead);
    ASSERT_EQ(last, 2);
    EXPECT_EQ(list[2].wireName, "ACSR Linnet 相当 (26/2.888+7/2.245)");
    EXPECT_FLOAT_EQ(list[2].elasticModulus, 8902);
    EXPECT_FLOAT_EQ(list[2].unitWeight, 0.6885f);
}

TEST(CatalogueBytes, EmptyListIsAZeroByteFile) {
    WireList list;
    EXPECT_EQ(EncodeWireCatalogue(list, -1), std::string());
}

// Each field lands on its own line of the record, in the file's order, and
// each number in FormatPlainNumber's form followed by one blank.
TEST(CatalogueBytes, FieldsGoInFileOrder) {
    const std::string bytes = Encode({OneToSeven("n")});
    EXPECT_EQ(bytes, "n\r\n 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n 6 \r\n 7 \r\n");
}

struct NumberLineCase {
    float value;
    const char* line;
};

class NumberLine : public ::testing::TestWithParam<NumberLineCase> {};

TEST_P(NumberLine, IsWrittenInThePlainForm) {
    const std::string bytes = Encode({{.wireName = "x", .expansionCoeff = GetParam().value}});
    EXPECT_EQ(bytes.substr(3, bytes.find("\r\n", 3) + 2 - 3), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    CatalogueBytes, NumberLine,
    ::testing::Values(NumberLineCase{19.1f, " 19.1 \r\n"}, NumberLineCase{8300, " 8300 \r\n"},
                      NumberLineCase{0.6f, " .6 \r\n"}, NumberLineCase{-0.5f, "-.5 \r\n"},
                      NumberLineCase{1.23456789f, " 1.234568 \r\n"}, NumberLineCase{0, " 0 \r\n"},
                      NumberLineCase{-15, "-15 \r\n"}));

// ---------------------------------------------------------------------------
// Reading

TEST(CatalogueRead, GoldenFilesReadBackAsWritten) {
    for (const auto& [file, records] : {std::pair{"worked_examples.dat", WorkedExamples()},
                                        std::pair{"special_names.dat", SpecialNamesAsRead()}}) {
        SCOPED_TRACE(file);
        WireList list;
        std::int16_t last = 0;
        std::vector<std::pair<std::string, int>> notified;
        const CatalogueReadResult read = ReadWireCatalogue(
            GoldenPath(file), list, last,
            [&](const WireRecord& r, int index) { notified.emplace_back(r.wireName, index); });
        EXPECT_EQ(read.status, Status::kRead);
        EXPECT_TRUE(read.readWhole);
        EXPECT_TRUE(read.message.empty());
        ASSERT_EQ(last + 1, static_cast<int>(records.size()));
        EXPECT_EQ(read.recordsRead, static_cast<int>(records.size()));
        ASSERT_EQ(notified.size(), records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(list[i], records[i]) << i;
            EXPECT_EQ(notified[i], std::pair(records[i].wireName, static_cast<int>(i)));
        }
    }
}

// What a Linux editor may leave: LF line ends, blanks and tabs around numbers,
// exponents, a plus sign, a blank line at the end.
TEST(CatalogueRead, IsLenientWithEditedFiles) {
    WireList list;
    std::int16_t last = 0;
    const CatalogueReadResult read = ReadWireCatalogue(GoldenPath("lenient_input.dat"), list, last);
    EXPECT_EQ(read.status, Status::kRead) << read.message;
    ASSERT_EQ(last, 1);
    EXPECT_EQ(list[0], WorkedExamples()[0]);
    EXPECT_EQ(list[1], (WireRecord{.wireName = "ﾃｽﾄ",
                                   .diameterHigh = 50,
                                   .diameterLow = 50,
                                   .area = 600,
                                   .unitWeight = 2,
                                   .expansionCoeff = 19,
                                   .elasticModulus = 8000,
                                   .maxTension = 6000}));
}

TEST(CatalogueRead, MixedLineEndsAndAMissingLastLineEnd) {
    const std::string bytes = "a\r\n1\n2\r\n3\n4\r\n5\n6\r\n7";
    WireList list;
    std::int16_t last = 0;
    const CatalogueReadResult read = ParseWireCatalogue(bytes, list, last);
    EXPECT_EQ(read.status, Status::kRead);
    ASSERT_EQ(last, 0);
    EXPECT_EQ(list[0], OneToSeven("a"));
}

TEST_F(CatalogueFolder, ZeroByteFileIsAnEmptyCatalogue) {
    WriteFileBytes(path_, "");
    WireList list = SentinelList();
    std::int16_t last = 7;
    int calls = 0;
    const CatalogueReadResult read =
        ReadWireCatalogue(path_, list, last, [&](const WireRecord&, int) { ++calls; });
    EXPECT_EQ(read.status, Status::kRead);
    EXPECT_TRUE(read.readWhole);
    EXPECT_EQ(last, -1);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(list, SentinelList());
}

TEST_F(CatalogueFolder, FiftyOneRecordsReadCompletely) {
    WriteFileBytes(path_, Encode(NumberedRecords(51)));
    WireList list;
    std::int16_t last = 0;
    std::vector<int> indexes;
    const CatalogueReadResult read = ReadWireCatalogue(
        path_, list, last, [&](const WireRecord&, int index) { indexes.push_back(index); });
    EXPECT_EQ(read.status, Status::kRead);
    EXPECT_TRUE(read.readWhole);
    EXPECT_EQ(last, 50);
    EXPECT_EQ(list[50], NumberedRecords(51)[50]);
    ASSERT_EQ(indexes.size(), 51u);
    EXPECT_EQ(indexes.back(), 50);
}

TEST_F(CatalogueFolder, FiftyTwoRecordsReadTheFirstFiftyOne) {
    WriteFileBytes(path_, Encode(NumberedRecords(51)) + "W51\r\n" + Repeat(" 1 \r\n", 7));
    WireList list;
    std::int16_t last = 0;
    int calls = 0;
    const CatalogueReadResult read =
        ReadWireCatalogue(path_, list, last, [&](const WireRecord&, int) { ++calls; });
    EXPECT_EQ(read.status, Status::kTooManyRecords);
    EXPECT_FALSE(read.readWhole);
    EXPECT_EQ(read.recordsRead, 51);
    EXPECT_EQ(last, 50);
    EXPECT_EQ(calls, 51);
    EXPECT_EQ(list[50].wireName, "W50");
    EXPECT_EQ(read.lineNumber, 51 * 8 + 1);
    EXPECT_THAT(read.message, HasSubstr("51件を超える"));
    EXPECT_THAT(read.message, HasSubstr("409行目から後は読み込んでいません"));
    EXPECT_THAT(read.message, HasSubstr(path_.string()));
    EXPECT_THAT(read.message, HasSubstr("「wiredata.dat.日付-時刻.bak」"));
}

TEST_F(CatalogueFolder, ShorterFileLeavesTheSlotsAboveUntouched) {
    WireList list = SentinelList();
    std::int16_t last = 50;
    WriteFileBytes(path_, Encode(WorkedExamples()));
    ReadWireCatalogue(path_, list, last);
    EXPECT_EQ(last, 1);
    EXPECT_EQ(list[0], WorkedExamples()[0]);
    EXPECT_EQ(list[1], WorkedExamples()[1]);
    for (int i = 2; i < kWireListSize; ++i) {
        EXPECT_EQ(list[static_cast<std::size_t>(i)], SentinelList()[static_cast<std::size_t>(i)])
            << i;
    }
}

TEST_F(CatalogueFolder, MissingFileIsAnEmptyCatalogueAndSaysSo) {
    WireList list = SentinelList();
    std::int16_t last = 4;
    const CatalogueReadResult read = ReadWireCatalogue(path_, list, last);
    EXPECT_EQ(read.status, Status::kMissing);
    EXPECT_TRUE(read.readWhole);
    EXPECT_EQ(read.recordsRead, 0);
    EXPECT_EQ(last, -1);
    EXPECT_EQ(list, SentinelList());
    EXPECT_THAT(read.message, HasSubstr("電線データファイルがありません"));
    EXPECT_THAT(read.message, HasSubstr(path_.string()));
}

TEST_F(CatalogueFolder, UnreadableFileIsReportedWithTheReason) {
    // A folder where the file should be.
    fs::create_directory(path_);
    WireList list = SentinelList();
    std::int16_t last = 4;
    CatalogueReadResult read = ReadWireCatalogue(path_, list, last);
    EXPECT_EQ(read.status, Status::kUnreadable);
    EXPECT_FALSE(read.readWhole);
    EXPECT_EQ(last, -1);
    EXPECT_EQ(list, SentinelList());
    EXPECT_THAT(read.message, HasSubstr(path_.string()));
    EXPECT_THAT(read.message, HasSubstr("理由: フォルダーです"));
    fs::remove(path_);

    // A path through a regular file.
    WriteFileBytes(folder_ / "plain", "x");
    read = ReadWireCatalogue(folder_ / "plain" / "wiredata.dat", list, last);
    EXPECT_EQ(read.status, Status::kUnreadable);
    EXPECT_THAT(read.message, HasSubstr("Not a directory"));
}

TEST_F(CatalogueFolder, FileWithoutReadPermissionIsReported) {
#ifdef _WIN32
    GTEST_SKIP() << kNoPermissionBits;
#else
    if (RunningAsRoot()) {
        GTEST_SKIP() << "running as root: file permissions do not stop reading";
    }
    WriteFileBytes(path_, Encode(WorkedExamples()));
    fs::permissions(path_, fs::perms::none);
    WireList list = SentinelList();
    std::int16_t last = 4;
    const CatalogueReadResult read = ReadWireCatalogue(path_, list, last);
    EXPECT_EQ(read.status, Status::kUnreadable);
    EXPECT_FALSE(read.readWhole);
    EXPECT_THAT(read.message, HasSubstr("アクセスが許可されていません"));
    EXPECT_EQ(list, SentinelList());
    EXPECT_EQ(last, -1);
#endif
}

struct BadFileCase {
    const char* title;
    std::string bytes;
    int lineNumber;
    int recordsRead;
    const char* what;
};

void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.title; }

class BadFile : public ::testing::TestWithParam<BadFileCase> {};

// The records before the trouble are read, the record cut short leaves its
// slot alone, and the message names the line and what was wrong.
TEST_P(BadFile, ReadsTheRecordsBeforeAndReportsTheLine) {
    const BadFileCase& c = GetParam();
    WireList list = SentinelList();
    std::int16_t last = 50;
    int calls = 0;
    const CatalogueReadResult read = ParseWireCatalogue(
        c.bytes, list, last, [&](const WireRecord&, int) { ++calls; }, "/x/wiredata.dat");
    EXPECT_EQ(read.status, Status::kBadLine);
    EXPECT_FALSE(read.readWhole);
    EXPECT_EQ(read.recordsRead, c.recordsRead);
    EXPECT_EQ(last, c.recordsRead - 1);
    EXPECT_EQ(calls, c.recordsRead);
    EXPECT_EQ(read.lineNumber, c.lineNumber);
    EXPECT_THAT(read.message, HasSubstr(std::to_string(c.lineNumber) + "行目を読み込めません"));
    EXPECT_THAT(read.message, HasSubstr(c.what));
    EXPECT_THAT(read.message, HasSubstr("/x/wiredata.dat"));
    EXPECT_THAT(
        read.message,
        HasSubstr(c.recordsRead == 0 ? std::string("読み込めた電線種類はありません")
                                     : "それより前の" + std::to_string(c.recordsRead) + "件だけ"));
    for (int i = 0; i < c.recordsRead; ++i) {
        EXPECT_EQ(list[static_cast<std::size_t>(i)], WorkedExamples()[static_cast<std::size_t>(i)]);
    }
    for (int i = c.recordsRead; i < kWireListSize; ++i) {
        EXPECT_EQ(list[static_cast<std::size_t>(i)], SentinelList()[static_cast<std::size_t>(i)]);
    }
}

// The worked examples' file with line `line` (1-based) replaced.
std::string WithLine(int line, std::string_view replacement) {
    const std::string good = Encode(WorkedExamples());
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = good.find("\r\n", start) + 2;
    }
    const std::size_t end = good.find("\r\n", start);
    return good.substr(0, start) + std::string(replacement) + good.substr(end);
}

INSTANTIATE_TEST_SUITE_P(
    CatalogueRead, BadFile,
    ::testing::Values(
        BadFileCase{"EndsInsideRecord", Encode(WorkedExamples()) + "次\r\n 1 \r\n 2 \r\n", 20, 2,
                    "3件目の電線種類の途中（自重量の行の前）で終わっています"},
        BadFileCase{"EndsAfterName", Encode({WorkedExamples()[0]}) + "名前", 10, 1,
                    "途中（線膨張係数の行の前）"},
        BadFileCase{"EmptyNumberLine", WithLine(12, ""), 12, 1, "自重量の行が空です"},
        BadFileCase{"BlankNumberLine", WithLine(3, "   "), 3, 0, "等価弾性係数の行が空です"},
        BadFileCase{"TextInsteadOfNumber", WithLine(3, "abc"), 3, 0,
                    "等価弾性係数の行が数値ではありません（「abc」）"},
        BadFileCase{"NumberWithUnit", WithLine(16, " 6000kg "), 16, 1,
                    "最大使用張力の行が数値ではありません（「6000kg」）"},
        BadFileCase{"BlankInsideNumber", WithLine(8, "1 500"), 8, 0, "数値ではありません"},
        BadFileCase{"ExponentWithoutDigits", WithLine(2, "1E"), 2, 0, "数値ではありません"},
        BadFileCase{"ExponentWithD", WithLine(2, "1D2"), 2, 0, "数値ではありません"},
        BadFileCase{"PointAlone", WithLine(6, " . "), 6, 0, "高温季外径の行が数値ではありません"},
        BadFileCase{"BeyondSinglePrecision", WithLine(13, "1E39"), 13, 1,
                    "断面積の値が大きすぎます"},
        BadFileCase{"InvalidTrailByte", WithLine(9, "\x81\x7f"), 9, 1, "読めないバイト"},
        BadFileCase{"LeadByteCutOff", WithLine(1, "abc\x83"), 1, 0, "読めないバイト"},
        BadFileCase{"InvalidByteInNumberLine", WithLine(4, "\x85\x40"), 4, 0, "読めないバイト"},
        BadFileCase{"NulInNumberLine", WithLine(5, std::string_view("1\0", 2)), 5, 0,
                    "断面積の行が数値ではありません"},
        BadFileCase{"BlankLineThenMore", Encode(WorkedExamples()) + "\r\n\r\n 1 \r\n", 18, 2,
                    "線膨張係数の行が空です"}),
    [](const auto& info) { return std::string(info.param.title); });

// ---------------------------------------------------------------------------
// Round trips

TEST_F(CatalogueFolder, WriteThenReadGivesTheSameRecords) {
    std::vector<WireRecord> records = SpecialNames();
    std::vector<WireRecord> expected = SpecialNamesAsRead();
    for (const WireRecord& r : WorkedExamples()) {
        records.push_back(r);
        expected.push_back(r);
    }
    // Values as an engineer types them: at most six significant digits come
    // back as the very same float.
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> mantissa(-999999, 999999);
    std::uniform_int_distribution<int> exponent(-6, 4);
    for (int i = 0; i < 30; ++i) {
        WireRecord r;
        r.wireName = "乱数" + std::to_string(i);
        for (float* field : {&r.expansionCoeff, &r.elasticModulus, &r.unitWeight, &r.area,
                             &r.diameterHigh, &r.diameterLow, &r.maxTension}) {
            *field = std::stof(std::to_string(mantissa(random)) + "E" +
                               std::to_string(exponent(random)));
        }
        records.push_back(r);
        expected.push_back(r);
    }
    ASSERT_LE(records.size(), 51u);
    WireList list;
    const std::int16_t last = Fill(list, records);
    const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, true);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_TRUE(written.message.empty());
    EXPECT_FALSE(written.backupPath);
    const std::optional<std::string> first = ReadFileBytes(path_);
    ASSERT_TRUE(first);

    WireList back;
    std::int16_t backLast = 0;
    const CatalogueReadResult read = ReadWireCatalogue(path_, back, backLast);
    ASSERT_EQ(read.status, Status::kRead) << read.message;
    ASSERT_EQ(backLast, last);
    for (int i = 0; i <= last; ++i) {
        EXPECT_EQ(back[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)]) << i;
    }

    ASSERT_TRUE(WriteWireCatalogue(path_, back, backLast, read.readWhole).ok);
    EXPECT_EQ(ReadFileBytes(path_), first);
}

// Any float at all: one round trip may round it to seven digits, after that
// the bytes stay the same.
TEST(CatalogueRoundTrip, AnyFloatSettlesAfterOneWrite) {
    std::mt19937 random(7);
    std::uniform_int_distribution<std::uint32_t> bits;
    WireList list;
    for (int i = 0; i < kWireListSize; ++i) {
        WireRecord& r = list[static_cast<std::size_t>(i)];
        r.wireName = "R" + std::to_string(i);
        for (float* field : {&r.expansionCoeff, &r.elasticModulus, &r.unitWeight, &r.area,
                             &r.diameterHigh, &r.diameterLow, &r.maxTension}) {
            float value;
            do {
                const std::uint32_t b = bits(random);
                std::memcpy(&value, &b, sizeof value);
            } while (!std::isfinite(value));
            *field = value;
        }
    }
    const std::optional<std::string> first = EncodeWireCatalogue(list, 50);
    ASSERT_TRUE(first);
    WireList back;
    std::int16_t last = 0;
    ASSERT_EQ(ParseWireCatalogue(*first, back, last).status, Status::kRead);
    ASSERT_EQ(last, 50);
    const std::optional<std::string> second = EncodeWireCatalogue(back, last);
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, *first);
}

// Read, write, read, write: the same bytes, also for values no wire has,
// such as the one that once made the fuzzer stop.
TEST(CatalogueRoundTrip, ReadValuesWriteBackTheSameBytes) {
    const std::string fuzzed =
        "x\r\n 1.0000001E+28 \r\n 9.999999E+27 \r\n 9.9999E-10 \r\n"
        " 160 \r\n 18.2 \r\n-3.4028235E+38 \r\n 1500 \r\n";
    WireList list;
    std::int16_t last = 0;
    ASSERT_EQ(ParseWireCatalogue(fuzzed, list, last).status, Status::kRead);
    const std::optional<std::string> first = EncodeWireCatalogue(list, last);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, fuzzed);
    ASSERT_EQ(ParseWireCatalogue(*first, list, last).status, Status::kRead);
    EXPECT_EQ(EncodeWireCatalogue(list, last), first);
}

// ---------------------------------------------------------------------------
// Saving safely

TEST_F(CatalogueFolder, WholeReadReplacesWithoutBackup) {
    WriteFileBytes(path_, Encode(WorkedExamples()));
    WriteFileBytes(folder_ / "wiredata.dat.bak", "older backup");
    WireList list;
    const std::int16_t last = Fill(list, DefaultCatalogue());
    const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, true);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_FALSE(written.backupPath);
    EXPECT_EQ(ReadFileBytes(path_), Encode(DefaultCatalogue()));
    EXPECT_EQ(ReadFileBytes(folder_ / "wiredata.dat.bak"), "older backup");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"wiredata.dat", "wiredata.dat.bak"}));
}

// Each partly read file is kept under its own dated name: a later incident
// never overwrites an earlier backup.
TEST_F(CatalogueFolder, PartlyReadFileIsKeptAsBackup) {
    WriteFileBytes(folder_ / "wiredata.dat.bak", "older backup");
    const std::regex dated(R"(wiredata\.dat\.\d{8}-\d{6}(-\d+)?\.bak)");
    std::vector<fs::path> backups;
    for (const std::string& garbage : {std::string("first"), std::string("second")}) {
        const std::string old = WithLine(12, garbage) + "\r\nmore the program cannot read\r\n";
        WriteFileBytes(path_, old);
        WireList list;
        std::int16_t last = 0;
        const CatalogueReadResult read = ReadWireCatalogue(path_, list, last);
        ASSERT_FALSE(read.readWhole);
        ASSERT_EQ(last, 0);

        const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, read.readWhole);
        ASSERT_TRUE(written.ok) << written.message;
        ASSERT_TRUE(written.backupPath);
        EXPECT_EQ(written.backupPath->parent_path(), folder_);
        const std::string name = written.backupPath->filename().string();
        EXPECT_TRUE(std::regex_match(name, dated)) << name;
        EXPECT_THAT(written.message, HasSubstr("「" + name + "」として残しました"));
        EXPECT_EQ(ReadFileBytes(*written.backupPath), old);
        EXPECT_EQ(ReadFileBytes(path_), Encode({WorkedExamples()[0]}));
        backups.push_back(*written.backupPath);

        // Saving again after a whole read keeps that backup as it is.
        ASSERT_TRUE(WriteWireCatalogue(path_, list, last, true).ok);
    }
    ASSERT_NE(backups[0], backups[1]);
    EXPECT_THAT(ReadFileBytes(backups[0]), Optional(HasSubstr("first")));
    EXPECT_THAT(ReadFileBytes(backups[1]), Optional(HasSubstr("second")));
    EXPECT_EQ(ReadFileBytes(folder_ / "wiredata.dat.bak"), "older backup");
    EXPECT_EQ(FolderEntries().size(), 4u); // the file, the older backup and the two new ones
}

TEST_F(CatalogueFolder, NoBackupWhenThereIsNoOldFile) {
    WireList list;
    const std::int16_t last = Fill(list, WorkedExamples());
    const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, false);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_FALSE(written.backupPath);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});
}

TEST_F(CatalogueFolder, BackupThatCannotBeMadeStopsTheSave) {
    // A file name so long that no longer name fits beside it.
    const fs::path path = folder_ / std::string(250, 'w');
    const std::string old = "unreadable \xff\r\n";
    WriteFileBytes(path, old);
    WireList list;
    const std::int16_t last = Fill(list, WorkedExamples());
    const CatalogueWriteResult written = WriteWireCatalogue(path, list, last, false);
    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("控え（" + std::string(250, 'w') + "."));
    EXPECT_THAT(written.message, HasSubstr(".bak）を作れませんでした"));
    EXPECT_THAT(written.message, HasSubstr("理由: パスが長すぎます"));
    EXPECT_THAT(written.message, HasSubstr("元のファイルは書き換えていません"));
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{std::string(250, 'w')});
}

// A file marked read-only is the engineer's word: it is not replaced, even
// by root, and the window keeps the edits.
TEST_F(CatalogueFolder, ReadOnlyFileIsNotReplaced) {
    const std::string old = Encode(WorkedExamples());
    WriteFileBytes(path_, old);
    const fs::perms readOnly =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(path_, readOnly);
    WireList list;
    const std::int16_t last = Fill(list, DefaultCatalogue());
    for (const bool whole : {true, false}) {
        const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, whole);
        EXPECT_FALSE(written.ok);
        EXPECT_FALSE(written.backupPath);
        EXPECT_THAT(written.message, HasSubstr(path_.string()));
        EXPECT_THAT(written.message, HasSubstr("理由: 読み取り専用のファイルです"));
        EXPECT_EQ(ReadFileBytes(path_), old);
        EXPECT_EQ(fs::status(path_).permissions(), readOnly);
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});
    }
}

TEST_F(CatalogueFolder, NewFileKeepsTheOldPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << kNoPermissionBits;
#else
    WriteFileBytes(path_, Encode(WorkedExamples()));
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    WireList list;
    const std::int16_t last = Fill(list, DefaultCatalogue());
    ASSERT_TRUE(WriteWireCatalogue(path_, list, last, true).ok);
    EXPECT_EQ(fs::status(path_).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
}

// A write that fails half-way (here: the file size limit, which stops root as
// surely as a full disk) leaves the old file as it was and no stray file.
TEST_F(CatalogueFolder, FailedWriteLeavesTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP()
        << "Windows has no per-process file size limit (RLIMIT_FSIZE) to make a write fail "
           "half-way";
#else
    const std::string old = Encode(WorkedExamples());
    WriteFileBytes(path_, old);
    WireList list;
    const std::int16_t last = Fill(list, NumberedRecords(40));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, true);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("電線データファイルを保存できません"));
    EXPECT_THAT(written.message, HasSubstr(path_.string()));
    EXPECT_THAT(written.message, HasSubstr("理由: ファイルが大きすぎます"));
    EXPECT_EQ(ReadFileBytes(path_), old);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});
#endif
}

TEST_F(CatalogueFolder, ReadOnlyFolderLeavesTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "the read-only mark on a Windows folder does not stop writing in it";
#else
    if (RunningAsRoot()) {
        GTEST_SKIP() << "running as root: a read-only folder does not stop writing "
                        "(FailedWriteLeavesTheOldFile forces the failure another way)";
    }
    const std::string old = Encode(WorkedExamples());
    WriteFileBytes(path_, old);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    WireList list;
    const std::int16_t last = Fill(list, DefaultCatalogue());
    const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, true);
    fs::permissions(folder_, fs::perms::owner_all);
    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("アクセスが許可されていません"));
    EXPECT_EQ(ReadFileBytes(path_), old);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});
#endif
}

TEST_F(CatalogueFolder, UnwritablePlacesAreReported) {
    WireList list;
    const std::int16_t last = Fill(list, WorkedExamples());

    // The folder is a regular file.
    WriteFileBytes(folder_ / "plain", "keep");
    CatalogueWriteResult written =
        WriteWireCatalogue(folder_ / "plain" / "wiredata.dat", list, last, true);
    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("理由: "));
    EXPECT_EQ(ReadFileBytes(folder_ / "plain"), "keep");

    // A folder stands where the file should be: it is not replaced.
    fs::create_directory(path_);
    written = WriteWireCatalogue(path_, list, last, false);
    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("理由: フォルダーです"));
    EXPECT_TRUE(fs::is_directory(path_));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"plain", "wiredata.dat"}));
}

TEST_F(CatalogueFolder, RecordCountOutsideTheListIsRefused) {
    WriteFileBytes(path_, "old");
    WireList list;
    for (std::int16_t last : {std::int16_t{-2}, std::int16_t{51}}) {
        const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, true);
        EXPECT_FALSE(written.ok);
        EXPECT_THAT(written.message, HasSubstr("件数が正しくありません"));
    }
    EXPECT_EQ(ReadFileBytes(path_), "old");
}

TEST_F(CatalogueFolder, ValueThatIsNotANumberIsRefused) {
    WriteFileBytes(path_, "old");
    WireList list;
    std::int16_t last = Fill(list, WorkedExamples());
    list[1].area = std::numeric_limits<float>::infinity();
    CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, true);
    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("2件目の電線種類「計算例2」の断面積が数値ではない"));
    list[1].area = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(WriteWireCatalogue(path_, list, last, true).ok);
    EXPECT_EQ(ReadFileBytes(path_), "old");
}

// ---------------------------------------------------------------------------
// Two windows, one file
//
// Two wire settings windows (in one program or in two copies started from the
// same folder) each keep their own list and rewrite the whole file on saving.
// A save must never replace a file that the other has saved since this list
// was read: that would silently drop the other's records.

// What a wire settings window keeps between reading and saving.
struct WindowCopy {
    WireList list;
    std::int16_t lastIndex = 0;
    bool readWhole = true;
    std::optional<FileSnapshot> seen;

    CatalogueReadResult Read(const fs::path& path) {
        CatalogueReadResult read = ReadWireCatalogue(path, list, lastIndex);
        readWhole = read.readWhole;
        seen = read.seen;
        return read;
    }

    // Appends `record` and saves; the list takes it only when the save went
    // through, as the window does.
    CatalogueWriteResult AddAndSave(const fs::path& path, const WireRecord& record) {
        WireList changed = list;
        const auto last = static_cast<std::int16_t>(lastIndex + 1);
        changed[static_cast<std::size_t>(last)] = record;
        CatalogueWriteResult written = WriteWireCatalogue(path, changed, last, readWhole, seen);
        if (written.ok) {
            list = changed;
            lastIndex = last;
        }
        return written;
    }
};

std::vector<std::string> NamesIn(const fs::path& path) {
    WireList list;
    std::int16_t last = 0;
    std::vector<std::string> names;
    ReadWireCatalogue(path, list, last,
                      [&](const WireRecord& r, int) { names.push_back(r.wireName); });
    return names;
}

void ExpectChangedOnDisk(const CatalogueWriteResult& written, const fs::path& path) {
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.changedOnDisk);
    EXPECT_FALSE(written.backupPath);
    EXPECT_THAT(written.message, HasSubstr("読み込んだ後にほかのプログラムまたはウィンドウで"
                                           "書き換えられています"));
    EXPECT_THAT(written.message, HasSubstr(path.string()));
    EXPECT_THAT(written.message, HasSubstr("今回の変更は保存していません"));
    EXPECT_THAT(written.message, HasSubstr("読み込み直します"));
}

TEST_F(CatalogueFolder, SecondWindowCannotSaveOverTheFirstWindowsRecord) {
    WriteFileBytes(path_, Encode(WorkedExamples()));
    WindowCopy first;
    WindowCopy second;
    ASSERT_EQ(first.Read(path_).status, Status::kRead);
    ASSERT_EQ(second.Read(path_).status, Status::kRead);

    const WireRecord fromFirst = {.wireName = "一つ目の追加",
                                  .diameterHigh = 20,
                                  .diameterLow = 20,
                                  .area = 200,
                                  .unitWeight = 1,
                                  .expansionCoeff = 19,
                                  .elasticModulus = 8000,
                                  .maxTension = 3000};
    const WireRecord fromSecond = {.wireName = "二つ目の追加",
                                   .diameterHigh = 12,
                                   .diameterLow = 12,
                                   .area = 100,
                                   .unitWeight = 0.5f,
                                   .expansionCoeff = 23,
                                   .elasticModulus = 7000,
                                   .maxTension = 900};
    const CatalogueWriteResult saved = first.AddAndSave(path_, fromFirst);
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_FALSE(saved.changedOnDisk);
    const std::optional<std::string> afterFirst = ReadFileBytes(path_);
    ASSERT_TRUE(afterFirst);

    ExpectChangedOnDisk(second.AddAndSave(path_, fromSecond), path_);
    EXPECT_EQ(ReadFileBytes(path_), afterFirst);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});

    // Read again, the second window sees the first one's record and can add
    // its own after it.
    ASSERT_EQ(second.Read(path_).status, Status::kRead);
    ASSERT_EQ(second.lastIndex, 2);
    EXPECT_EQ(second.list[2], fromFirst);
    const CatalogueWriteResult again = second.AddAndSave(path_, fromSecond);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(NamesIn(path_),
              (std::vector<std::string>{"計算例1", "計算例2", "一つ目の追加", "二つ目の追加"}));

    // Now the first window's list is the stale one.
    ExpectChangedOnDisk(first.AddAndSave(path_, OneToSeven("三つ目")), path_);
    EXPECT_EQ(NamesIn(path_).size(), 4u);
}

TEST_F(CatalogueFolder, RenameInOneWindowIsNotUndoneByTheOther) {
    WriteFileBytes(path_, Encode(WorkedExamples()));
    WindowCopy first;
    WindowCopy second;
    first.Read(path_);
    second.Read(path_);
    first.list[0].wireName = "改名した計算例1";
    ASSERT_TRUE(
        WriteWireCatalogue(path_, first.list, first.lastIndex, first.readWhole, first.seen).ok);
    second.list[1].maxTension = 6500;
    const CatalogueWriteResult written =
        WriteWireCatalogue(path_, second.list, second.lastIndex, second.readWhole, second.seen);
    ExpectChangedOnDisk(written, path_);
    EXPECT_EQ(NamesIn(path_)[0], "改名した計算例1");
}

TEST_F(CatalogueFolder, MissingFileCreatedSinceTheReadIsNotReplaced) {
    WindowCopy first;
    WindowCopy second;
    ASSERT_EQ(first.Read(path_).status, Status::kMissing);
    ASSERT_EQ(second.Read(path_).status, Status::kMissing);
    ASSERT_TRUE(first.seen);
    EXPECT_FALSE(first.seen->exists);

    ASSERT_TRUE(first.AddAndSave(path_, WorkedExamples()[0]).ok);
    const std::optional<std::string> afterFirst = ReadFileBytes(path_);
    ASSERT_TRUE(afterFirst);
    ExpectChangedOnDisk(second.AddAndSave(path_, WorkedExamples()[1]), path_);
    EXPECT_EQ(ReadFileBytes(path_), afterFirst);
}

TEST_F(CatalogueFolder, MissingFileStillMissingIsCreated) {
    WindowCopy window;
    ASSERT_EQ(window.Read(path_).status, Status::kMissing);
    const CatalogueWriteResult written = window.AddAndSave(path_, WorkedExamples()[0]);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_FALSE(written.changedOnDisk);
    EXPECT_EQ(ReadFileBytes(path_), Encode({WorkedExamples()[0]}));
}

TEST_F(CatalogueFolder, FileRemovedSinceTheReadIsNotCreatedAgain) {
    WriteFileBytes(path_, Encode(WorkedExamples()));
    WindowCopy window;
    window.Read(path_);
    fs::remove(path_);
    ExpectChangedOnDisk(window.AddAndSave(path_, NumberedRecords(1)[0]), path_);
    EXPECT_TRUE(FolderEntries().empty());
}

// Only the bytes count: a file written again with the same content (another
// window saved without a change) is still the file that was read.
TEST_F(CatalogueFolder, SameBytesWrittenAgainAreStillTheFileThatWasRead) {
    const std::string bytes = Encode(WorkedExamples());
    WriteFileBytes(path_, bytes);
    WindowCopy window;
    window.Read(path_);
    fs::remove(path_);
    WriteFileBytes(path_, bytes);
    ASSERT_TRUE(window.AddAndSave(path_, NumberedRecords(1)[0]).ok);
    EXPECT_EQ(NamesIn(path_), (std::vector<std::string>{"計算例1", "計算例2", "W0"}));
}

// A file changed by one byte, even where the reader would not notice (a
// blank after a number), is another file.
TEST_F(CatalogueFolder, AnyChangedByteCounts) {
    const std::string bytes = Encode(WorkedExamples());
    WriteFileBytes(path_, bytes);
    WindowCopy window;
    window.Read(path_);
    std::string edited = bytes;
    edited.insert(edited.find(" \r\n"), " ");
    WriteFileBytes(path_, edited);
    ExpectChangedOnDisk(window.AddAndSave(path_, NumberedRecords(1)[0]), path_);
    EXPECT_EQ(ReadFileBytes(path_), edited);
}

// The check comes before the backup: a partly read file that has changed
// since is neither replaced nor copied.
TEST_F(CatalogueFolder, ChangedPartlyReadFileGetsNoBackup) {
    const std::string old = WithLine(12, "oops");
    WriteFileBytes(path_, old);
    WindowCopy window;
    ASSERT_EQ(window.Read(path_).status, Status::kBadLine);
    ASSERT_FALSE(window.readWhole);
    WriteFileBytes(path_, old + "more\r\n");
    ExpectChangedOnDisk(window.AddAndSave(path_, NumberedRecords(1)[0]), path_);
    EXPECT_EQ(ReadFileBytes(path_), old + "more\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});

    // Unchanged, the same save keeps the backup and goes through.
    window.Read(path_);
    const CatalogueWriteResult written = window.AddAndSave(path_, NumberedRecords(1)[0]);
    ASSERT_TRUE(written.ok) << written.message;
    ASSERT_TRUE(written.backupPath);
    EXPECT_EQ(ReadFileBytes(*written.backupPath), old + "more\r\n");
}

// What each kind of read remembers of the file.
TEST_F(CatalogueFolder, ReadRemembersTheBytesItSaw) {
    const std::string good = Encode(WorkedExamples());
    WireList list;
    std::int16_t last = 0;
    for (const std::string& bytes :
         {good, std::string(), WithLine(3, "abc"),
          Encode(NumberedRecords(51)) + "W51\r\n" + Repeat(" 1 \r\n", 7)}) {
        WriteFileBytes(path_, bytes);
        const CatalogueReadResult read = ReadWireCatalogue(path_, list, last);
        ASSERT_TRUE(read.seen) << read.message;
        EXPECT_TRUE(read.seen->exists);
        EXPECT_EQ(read.seen->bytes, bytes);
        const CatalogueReadResult parsed = ParseWireCatalogue(bytes, list, last);
        EXPECT_EQ(parsed.seen, read.seen);
    }
    fs::remove(path_);
    const CatalogueReadResult missing = ReadWireCatalogue(path_, list, last);
    ASSERT_TRUE(missing.seen);
    EXPECT_EQ(*missing.seen, FileSnapshot{});

    // Nothing can be learnt of a folder in the file's place; a save after it
    // is not held back by a check that cannot be made.
    fs::create_directory(path_);
    const CatalogueReadResult unreadable = ReadWireCatalogue(path_, list, last);
    EXPECT_EQ(unreadable.status, Status::kUnreadable);
    EXPECT_FALSE(unreadable.seen);
}

// ---------------------------------------------------------------------------
// Names

struct RefusedNameCase {
    const char* title;
    std::string name;
    const char* reason;
};

void PrintTo(const RefusedNameCase& c, std::ostream* os) { *os << c.title; }

class RefusedName : public CatalogueFolder,
                    public ::testing::WithParamInterface<RefusedNameCase> {};

TEST_P(RefusedName, IsRefusedBeforeAnythingIsWritten) {
    const std::optional<std::string> reason = CheckWireName(GetParam().name);
    ASSERT_TRUE(reason);
    EXPECT_THAT(*reason, HasSubstr(GetParam().reason));

    WriteFileBytes(path_, "old");
    WireList list;
    const std::int16_t last = Fill(list, WorkedExamples());
    list[1].wireName = GetParam().name;
    const CatalogueWriteResult written = WriteWireCatalogue(path_, list, last, false);
    EXPECT_FALSE(written.ok);
    EXPECT_THAT(written.message, HasSubstr("2件目の電線種類"));
    EXPECT_THAT(written.message, HasSubstr(GetParam().reason));
    EXPECT_EQ(ReadFileBytes(path_), "old");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"wiredata.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    CatalogueNames, RefusedName,
    ::testing::Values(
        RefusedNameCase{"Comma", "ACSR 160,A", "カンマ"},
        RefusedNameCase{"FullWidthCommaIsFineButHalfWidthIsNot", "鋼心，アルミ,", "カンマ"},
        RefusedNameCase{"CrLf", "上\r\n下", "改行"}, RefusedNameCase{"Lf", "上\n下", "改行"},
        RefusedNameCase{"Cr", "上\r下", "改行"},
        RefusedNameCase{"LeadingQuote", "\"HDCC\" 22", "先頭に二重引用符"},
        RefusedNameCase{"Tab", "A\tB", "制御文字"},
        RefusedNameCase{"Nul", std::string("A\0B", 3), "制御文字"},
        RefusedNameCase{"LeadingBlank", " HDCC", "前後に空白"},
        RefusedNameCase{"TrailingBlank", "HDCC ", "前後に空白"},
        RefusedNameCase{"Umlaut", "Kühl", "「ü」はシフトJIS（コードページ932）で保存できない"},
        RefusedNameCase{"ADiaeresis", "ä線", "「ä」"}, RefusedNameCase{"Euro", "€100", "「€」"},
        RefusedNameCase{"Emoji", "電線😀", "「😀」"},
        RefusedNameCase{"HangulNotIn932", "전선", "保存できない"},
        RefusedNameCase{"InvalidUtf8", "A\xff", "文字コードが正しくありません"}),
    [](const auto& info) { return std::string(info.param.title); });

struct AcceptedNameCase {
    const char* typed;
    const char* stored; // what the file gives back
};

// Escaped as gtest escapes a plain string: ctest reads the test list, and
// raw UTF-8 there (a full-width blank) loses the case.
void PrintTo(const AcceptedNameCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.typed);
}

class AcceptedName : public ::testing::TestWithParam<AcceptedNameCase> {};

TEST_P(AcceptedName, ReadsBackAsStored) {
    const std::string name = GetParam().typed;
    EXPECT_EQ(CheckWireName(name), std::nullopt);
    WireList list;
    list[0] = OneToSeven(name);
    const std::optional<std::string> bytes = EncodeWireCatalogue(list, 0);
    ASSERT_TRUE(bytes);
    WireList back;
    std::int16_t last = 0;
    ASSERT_EQ(ParseWireCatalogue(*bytes, back, last).status, Status::kRead);
    ASSERT_EQ(last, 0);
    EXPECT_EQ(back[0].wireName, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    CatalogueNames, AcceptedName,
    ::testing::Values(AcceptedNameCase{"", ""}, AcceptedNameCase{"計算例1", "計算例1"},
                      AcceptedNameCase{"ｱﾙﾐ線", "ｱﾙﾐ線"}, AcceptedNameCase{"①②⑳㈱㈲№", "①②⑳㈱㈲№"},
                      AcceptedNameCase{"ソ表能十", "ソ表能十"},
                      AcceptedNameCase{"A\"B\"", "A\"B\""},
                      AcceptedNameCase{"C:\\旧データ\\", "C:\\旧データ\\"},
                      AcceptedNameCase{"全角　空白", "全角　空白"},
                      AcceptedNameCase{"ⅰⅱ纊褜", "ⅰⅱ纊褜"},
                      // JIS look-alikes typed on Linux: stored as their twins.
                      AcceptedNameCase{"〜−‖—¢£¬", "～－∥―￠￡￢"},
                      AcceptedNameCase{"～－∥―￠￡￢", "～－∥―￠￡￢"},
                      AcceptedNameCase{"ACSR Linnet 相当 (26/2.888+7/2.245)",
                                       "ACSR Linnet 相当 (26/2.888+7/2.245)"}));

struct LookAlikeCase {
    const char* typed;
    const char* stored;
    const char* bytes; // in code page 932
};

class LookAlike : public ::testing::TestWithParam<LookAlikeCase> {};

TEST_P(LookAlike, IsStoredAsItsCodePage932Twin) {
    const LookAlikeCase& c = GetParam();
    EXPECT_EQ(ReplaceJisLookAlikes(c.typed), c.stored);
    EXPECT_EQ(CheckWireName(c.typed), std::nullopt);
    EXPECT_EQ(EncodeCp932(c.stored), std::string(c.bytes));
    // The look-alike itself has no code of its own in code page 932.
    EXPECT_EQ(EncodeCp932(c.typed), std::nullopt);
    WireList list;
    list[0].wireName = std::string("型") + c.typed;
    const std::optional<std::string> file = EncodeWireCatalogue(list, 0);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->substr(0, 4), std::string("\x8c\x5e") + c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    CatalogueNames, LookAlike,
    ::testing::Values(LookAlikeCase{"〜", "～", "\x81\x60"}, LookAlikeCase{"−", "－", "\x81\x7c"},
                      LookAlikeCase{"‖", "∥", "\x81\x61"}, LookAlikeCase{"—", "―", "\x81\x5c"},
                      LookAlikeCase{"¢", "￠", "\x81\x91"}, LookAlikeCase{"£", "￡", "\x81\x92"},
                      LookAlikeCase{"¬", "￢", "\x81\xca"}));

TEST(CatalogueNames, LookAlikeMappingLeavesEverythingElse) {
    EXPECT_EQ(ReplaceJisLookAlikes("A〜B−C"), "A～B－C");
    EXPECT_EQ(ReplaceJisLookAlikes("計算例1 ～"), "計算例1 ～");
    EXPECT_EQ(ReplaceJisLookAlikes("bad \xff\xfe end"), "bad \xff\xfe end");
    EXPECT_EQ(ReplaceJisLookAlikes(""), "");
}

} // namespace
} // namespace orvalt
