#include "engine/catalogue/catalogue_file.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <string>

#include "engine/catalogue/cp932.h"
#include "engine/catalogue/safe_file_write.h"
#include "engine/catalogue/utf8.h"
#include "engine/number/number_text.h"

namespace orvalt {
namespace {

constexpr int kLinesPerRecord = 8;

// The labels of the windows' boxes, in the file's line order.
constexpr std::array<const char*, kLinesPerRecord> kFieldLabels = {
    "電線種類", "線膨張係数", "等価弾性係数", "自重量",
    "断面積",   "高温季外径", "低温季外径",   "最大使用張力"};

// The float that each line of a record holds; line 0 is the name.
constexpr std::array<float WireRecord::*, kLinesPerRecord> kNumberFields = {
    nullptr,
    &WireRecord::expansionCoeff,
    &WireRecord::elasticModulus,
    &WireRecord::unitWeight,
    &WireRecord::area,
    &WireRecord::diameterHigh,
    &WireRecord::diameterLow,
    &WireRecord::maxTension};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The first `count` characters of a UTF-8 text, "…" appended when cut.
std::string Shorten(std::string_view utf8, int count) {
    std::size_t i = 0;
    for (int n = 0; n < count && i < utf8.size(); ++n) {
        NextUtf8(utf8, i);
    }
    std::string out(utf8.substr(0, i));
    if (i < utf8.size()) {
        out += "…";
    }
    return out;
}

std::string PathText(const std::filesystem::path& path) { return path.string(); }

// The file's lines, one after the other, at byte level: CR and LF never occur
// as a trail byte in code page 932, so splitting before decoding is safe. LF
// ends a line, a CR just before it is part of the line end, and so is a CR at
// the very end of the file; a last line without a line end still counts.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return next_ >= bytes_.size(); }
    std::size_t Offset() const { return next_; }

    std::string_view Next() {
        std::size_t end = bytes_.find('\n', next_);
        std::size_t after = end + 1;
        if (end == std::string_view::npos) {
            end = bytes_.size();
            after = end;
        }
        std::string_view line = bytes_.substr(next_, end - next_);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        next_ = after;
        return line;
    }

private:
    std::string_view bytes_;
    std::size_t next_ = 0;
};

// Where the last line that holds more than blanks ends. Blank lines after the
// last record are what an editor may leave; they end the file like its end.
std::size_t ContentEnd(std::string_view bytes) {
    std::size_t end = bytes.size();
    while (end > 0 &&
           (IsBlank(bytes[end - 1]) || bytes[end - 1] == '\r' || bytes[end - 1] == '\n')) {
        --end;
    }
    return end;
}

// Tells the engineer that a save will not lose what could not be read.
std::string BackupHint(const std::filesystem::path& path) {
    const std::string name = path.empty() ? std::string("wiredata.dat") : path.filename().string();
    return "保存すると、元のファイルを日付と時刻の付いた名前（「" + name +
           ".日付-時刻.bak」）で残してから書き直します。";
}

// Where a save keeps the file it replaces: "wiredata.dat.20261207-153012.bak"
// beside it, in local time (the writer adds "-2", "-3" … if that is taken).
std::filesystem::path BackupName(const std::filesystem::path& path, std::time_t now) {
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::filesystem::path backup = path;
    backup += "." + std::string(stamp) + ".bak";
    return backup;
}

std::string PathLine(const std::filesystem::path& path) {
    return path.empty() ? std::string() : "\r\n" + PathText(path);
}

CatalogueReadResult BadLine(int lineNumber, const std::string& what, int recordsRead,
                            const std::filesystem::path& path) {
    CatalogueReadResult result;
    result.status = CatalogueReadResult::Status::kBadLine;
    result.readWhole = false;
    result.recordsRead = recordsRead;
    result.lineNumber = lineNumber;
    const std::string kept = recordsRead == 0 ? std::string("読み込めた電線種類はありません。")
                                              : "それより前の" + std::to_string(recordsRead) +
                                                    "件だけを読み込みました。";
    result.message = "電線データファイルの" + std::to_string(lineNumber) +
                     "行目を読み込めません。" + PathLine(path) + "\r\n" + what + "\r\n" + kept +
                     "\r\n" + BackupHint(path);
    return result;
}

// Everything that can be known about a write before the file system is
// touched; the bytes are built only when every record can be stored.
std::optional<std::string> Encode(const WireList& wireList, std::int16_t lastIndex,
                                  std::string& refusal) {
    if (lastIndex < -1 || lastIndex >= kWireListSize) {
        refusal = "電線種類の件数が正しくありません（" + std::to_string(lastIndex + 1) +
                  "件）。保存できるのは0件から" + std::to_string(kWireListSize) + "件までです。";
        return std::nullopt;
    }
    std::string bytes;
    for (int i = 0; i <= lastIndex; ++i) {
        const WireRecord& record = wireList[static_cast<std::size_t>(i)];
        const std::string which =
            std::to_string(i + 1) + "件目の電線種類「" + Shorten(record.wireName, 40) + "」";
        if (auto reason = CheckWireName(record.wireName)) {
            refusal = which + "は保存できません。\r\n" + *reason;
            return std::nullopt;
        }
        std::optional<std::string> name = EncodeCp932(ReplaceJisLookAlikes(record.wireName));
        if (!name) { // CheckWireName passed, so this cannot happen; refuse all the same
            refusal = which + "は保存できません。";
            return std::nullopt;
        }
        bytes += *name;
        bytes += "\r\n";
        for (int line = 1; line < kLinesPerRecord; ++line) {
            const float value = record.*kNumberFields[static_cast<std::size_t>(line)];
            if (!std::isfinite(value)) {
                refusal = which + "の" + kFieldLabels[static_cast<std::size_t>(line)] +
                          "が数値ではないため保存できません。";
                return std::nullopt;
            }
            // ASCII only, the same in UTF-8 and 932; exact outside the range of
            // wire constants, so that what is read is written the same again.
            bytes += FormatPlainNumberExactly(value);
            bytes += " \r\n";
        }
    }
    return bytes;
}

CatalogueReadResult TooManyRecords(int lineNumber, const std::filesystem::path& path) {
    CatalogueReadResult r;
    r.status = CatalogueReadResult::Status::kTooManyRecords;
    r.readWhole = false;
    r.lineNumber = lineNumber;
    r.message = "電線データファイルには" + std::to_string(kWireListSize) +
                "件を超える電線種類があります。" + PathLine(path) + "\r\n最初の" +
                std::to_string(kWireListSize) + "件だけを読み込み、" + std::to_string(lineNumber) +
                "行目から後は読み込んでいません。\r\n" + BackupHint(path);
    return r;
}

// Line `line` (0 the name) of a record, already decoded, into `record`;
// otherwise what is wrong with it.
std::optional<std::string> ReadField(int line, std::string_view text, WireRecord& record) {
    const std::string_view trimmed = TrimBlanks(text, " \t");
    if (line == 0) {
        record.wireName = std::string(trimmed);
        return std::nullopt;
    }
    const std::string field = kFieldLabels[static_cast<std::size_t>(line)];
    if (trimmed.empty()) {
        return field + "の行が空です。";
    }
    const std::optional<float> value = ParseStrictNumber(trimmed);
    if (!value) {
        const std::string what =
            IsNumberText(trimmed) ? "の値が大きすぎます（「" : "の行が数値ではありません（「";
        return field + what + Shorten(trimmed, 20) + "」）。";
    }
    record.*kNumberFields[static_cast<std::size_t>(line)] = *value;
    return std::nullopt;
}

// The eight lines of record `count` (0-based) into `record`, counting lines
// in `lineNumber`; otherwise the bad line's result.
std::optional<CatalogueReadResult> ReadRecord(LineReader& lines, int count, int& lineNumber,
                                              const std::filesystem::path& path,
                                              WireRecord& record) {
    for (int line = 0; line < kLinesPerRecord; ++line) {
        ++lineNumber;
        if (lines.AtEnd()) {
            return BadLine(lineNumber,
                           "ファイルが" + std::to_string(count + 1) + "件目の電線種類の途中（" +
                               kFieldLabels[static_cast<std::size_t>(line)] +
                               "の行の前）で終わっています。",
                           count, path);
        }
        const std::optional<std::string> text = DecodeCp932(lines.Next());
        if (!text) {
            return BadLine(lineNumber,
                           "シフトJIS（コードページ932）の文字として読めないバイトがあります。",
                           count, path);
        }
        if (std::optional<std::string> what = ReadField(line, *text, record)) {
            return BadLine(lineNumber, *what, count, path);
        }
    }
    return std::nullopt;
}

// The records of `bytes`; the result's `seen` is left to the caller.
CatalogueReadResult Parse(std::string_view bytes, WireList& wireList, std::int16_t& lastIndex,
                          const WireRecordNotification& notify, const std::filesystem::path& path) {
    LineReader lines(bytes);
    const std::size_t contentEnd = ContentEnd(bytes);
    int count = 0;
    int lineNumber = 0; // of the line read last
    const auto finish = [&](CatalogueReadResult r) {
        lastIndex = static_cast<std::int16_t>(count - 1);
        r.recordsRead = count;
        return r;
    };
    while (lines.Offset() < contentEnd) {
        if (count == kWireListSize) {
            return finish(TooManyRecords(lineNumber + 1, path));
        }
        // The record is built aside and stored only when complete, so a cut
        // record leaves its slot as it was.
        WireRecord record;
        if (std::optional<CatalogueReadResult> bad =
                ReadRecord(lines, count, lineNumber, path, record)) {
            return finish(std::move(*bad));
        }
        wireList[static_cast<std::size_t>(count)] = std::move(record);
        if (notify) {
            notify(wireList[static_cast<std::size_t>(count)], count);
        }
        ++count;
    }
    return finish(CatalogueReadResult{});
}

} // namespace

CatalogueReadResult ParseWireCatalogue(std::string_view bytes, WireList& wireList,
                                       std::int16_t& lastIndex,
                                       const WireRecordNotification& notify,
                                       const std::filesystem::path& path) {
    CatalogueReadResult result = Parse(bytes, wireList, lastIndex, notify, path);
    result.seen = FileSnapshot{true, std::string(bytes)};
    return result;
}

CatalogueReadResult ReadWireCatalogue(const std::filesystem::path& path, WireList& wireList,
                                      std::int16_t& lastIndex,
                                      const WireRecordNotification& notify) {
    FileSnapshot file;
    const int error = ReadFileSnapshot(path, file);
    if (error != 0) {
        // Nothing known of the file: a later save cannot check it.
        CatalogueReadResult r;
        r.status = CatalogueReadResult::Status::kUnreadable;
        r.readWhole = false;
        const std::string reason = error == kNotARegularFile
                                       ? std::string("通常のファイルではありません。")
                                       : FileErrorReason(error);
        r.message = "電線データファイルを読み込めません。\r\n" + PathText(path) +
                    "\r\n理由: " + reason + "\r\n" + BackupHint(path);
        lastIndex = -1;
        return r;
    }
    if (!file.exists) {
        CatalogueReadResult r;
        r.status = CatalogueReadResult::Status::kMissing;
        r.message = "電線データファイルがありません。\r\n" + PathText(path) +
                    "\r\n電線種類のない状態で始めます。";
        r.seen = std::move(file);
        lastIndex = -1;
        return r;
    }
    CatalogueReadResult result = Parse(file.bytes, wireList, lastIndex, notify, path);
    result.seen = std::move(file);
    return result;
}

std::optional<std::string> EncodeWireCatalogue(const WireList& wireList, std::int16_t lastIndex,
                                               std::string* refusal) {
    std::string reason;
    std::optional<std::string> bytes = Encode(wireList, lastIndex, reason);
    if (!bytes && refusal != nullptr) {
        *refusal = reason;
    }
    return bytes;
}

CatalogueWriteResult WriteWireCatalogue(const std::filesystem::path& path, const WireList& wireList,
                                        std::int16_t lastIndex, bool lastReadWhole,
                                        const std::optional<FileSnapshot>& lastSeen) {
    CatalogueWriteResult result;
    std::string refusal;
    const std::optional<std::string> bytes = Encode(wireList, lastIndex, refusal);
    if (!bytes) {
        result.message = refusal + "\r\n電線データファイルは書き換えていません。";
        return result;
    }

    const std::filesystem::path backup = BackupName(path, std::time(nullptr));
    AtomicWriteOptions options;
    if (!lastReadWhole) {
        options.backup = backup;
    }
    options.expected = lastSeen;
    const AtomicWriteResult written = WriteFileAtomically(path, *bytes, options);
    if (written.backupKept) {
        result.backupPath = written.backupPath;
    }

    if (written.changedOnDisk) {
        result.changedOnDisk = true;
        result.message =
            "電線データファイルは、読み込んだ後にほかのプログラムまたはウィンドウで"
            "書き換えられています。\r\n" +
            PathText(path) +
            "\r\n今回の変更は保存していません。\r\n"
            "電線データを読み込み直しますので、最新の内容に対して"
            "もう一度変更してから保存してください。";
        return result;
    }
    if (!written.ok) {
        const std::string what = written.backupFailed
                                     ? "読み込めなかった部分を含む元のファイルの控え（" +
                                           backup.filename().string() + "）を作れませんでした。\r\n"
                                     : std::string();
        const std::string reason =
            written.readOnly ? "読み取り専用のファイルです" : FileErrorReason(written.error);
        result.message = "電線データファイルを保存できません。\r\n" + PathText(path) + "\r\n" +
                         what + "理由: " + reason + "\r\n元のファイルは書き換えていません。";
        return result;
    }

    result.ok = true;
    if (result.backupPath) {
        result.message = "読み込めなかった部分を含む元の電線データファイルを「" +
                         result.backupPath->filename().string() + "」として残しました。\r\n" +
                         PathText(*result.backupPath);
    }
    return result;
}

std::string ReplaceJisLookAlikes(std::string_view utf8Name) {
    std::string out;
    out.reserve(utf8Name.size());
    std::size_t i = 0;
    while (i < utf8Name.size()) {
        const std::size_t start = i;
        const char32_t c = NextUtf8(utf8Name, i);
        char32_t twin = 0;
        switch (c) {
            case 0x301C: twin = 0xFF5E; break; // WAVE DASH -> FULLWIDTH TILDE
            case 0x2212: twin = 0xFF0D; break; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
            case 0x2016: twin = 0x2225; break; // DOUBLE VERTICAL LINE -> PARALLEL TO
            case 0x2014: twin = 0x2015; break; // EM DASH -> HORIZONTAL BAR
            case 0x00A2: twin = 0xFFE0; break; // CENT SIGN
            case 0x00A3: twin = 0xFFE1; break; // POUND SIGN
            case 0x00AC: twin = 0xFFE2; break; // NOT SIGN
            default: break;
        }
        if (twin == 0) {
            out.append(utf8Name.substr(start, i - start));
            continue;
        }
        AppendUtf8(out, twin);
    }
    return out;
}

std::optional<std::string> CheckWireName(std::string_view utf8Name) {
    const std::string name = ReplaceJisLookAlikes(utf8Name);
    if (!name.empty() && (IsBlank(name.front()) || IsBlank(name.back()))) {
        return std::string("電線種類の前後に空白は付けられません。");
    }
    if (!name.empty() && name.front() == '"') {
        return std::string("電線種類の先頭に二重引用符（\"）は使えません。");
    }
    std::size_t i = 0;
    while (i < name.size()) {
        const std::size_t start = i;
        const char32_t c = NextUtf8(name, i);
        if (c == kBadUtf8) {
            return std::string("電線種類の文字コードが正しくありません。");
        }
        if (c == ',') {
            return std::string("電線種類にカンマ（,）は使えません。");
        }
        if (c == '\r' || c == '\n') {
            return std::string("電線種類に改行は使えません。");
        }
        if (c < 0x20 || c == 0x7F) {
            return std::string("電線種類に制御文字（タブなど）は使えません。");
        }
        // A character must not only have a code but come back as itself: a
        // one-way mapping would change the name on the next read.
        const std::string_view one = std::string_view(name).substr(start, i - start);
        const std::optional<std::string> encoded = EncodeCp932(one);
        const std::optional<std::string> decoded = encoded ? DecodeCp932(*encoded) : std::nullopt;
        if (!decoded || *decoded != one) {
            return "「" + std::string(one) +
                   "」はシフトJIS（コードページ932）で保存できない文字なので、電線種類に使えません"
                   "。";
        }
    }
    return std::nullopt;
}

} // namespace orvalt
