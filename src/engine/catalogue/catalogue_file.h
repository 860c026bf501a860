// The wire catalogue file "wiredata.dat" and a window's copy of it.
//
// The file is plain code page 932 text, no header, eight lines per wire type
// in this order (not the order of WireRecord's fields):
//
//   name                  計算例1␍␊
//   expansionCoeff        ␣18␣␍␊
//   elasticModulus        ␣9000␣␍␊
//   unitWeight            ␣.6␣␍␊
//   area                  ␣160␣␍␊
//   diameterHigh          ␣18.2␣␍␊
//   diameterLow           ␣18.2␣␍␊
//   maxTension            ␣1500␣␍␊
//
// Numbers are FormatPlainNumber of the float followed by one blank; every line
// ends in CR LF, the last one included; a zero-byte file is a catalogue with no
// wire types. At most 51 records fit the window's list.
//
// Reading is lenient with what a text editor may have done to the file (lone
// LF line ends, blanks around a number, an exponent with E, blank lines after
// the last record) and never crashes on anything else: it reads the records
// before the trouble and says what and where it was. Writing never leaves a
// half-written file: it writes a temporary file beside the old one, flushes it
// to disk and renames it over the old one (safe_file_write.h). When the last
// read did not take in the whole file, the old file is first kept under a
// name of its own with the date and time, "wiredata.dat.20261207-153012.bak"
// ("-2", "-3" … added if that is taken), so nothing the program could not
// read is ever lost, not even by a later backup. A file marked read-only is
// never replaced.
//
// Two windows, or two copies of the program started from the same folder,
// each hold their own copy of the catalogue and rewrite the whole file when
// they save. So that the second save cannot silently drop what the first one
// added, a read remembers the file it saw (CatalogueReadResult::seen) and a
// save given that refuses to replace a file that has changed since
// (CatalogueWriteResult::changedOnDisk): the window then reads the file again
// and the engineer redoes the edit on the current records.
//
// Messages are meant for the engineer as they are: Japanese, UTF-8, lines
// joined by CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calculation/calculation_state.h"
#include "engine/catalogue/safe_file_write.h"

namespace orvalt {

// A window's copy of the catalogue: slot i holds the (i+1)-th record of the
// file. Together with `lastIndex` (records read minus one, -1 for none).
inline constexpr int kWireListSize = 51;
using WireList = std::array<WireRecord, kWireListSize>;

// Called once per record read, in file order, with the record and its slot.
using WireRecordNotification = std::function<void(const WireRecord& record, int index)>;

struct CatalogueReadResult {
    enum class Status {
        kRead,           // the whole file was read (a zero-byte file included)
        kMissing,        // no file: an empty catalogue
        kUnreadable,     // could not be opened or read: nothing was read
        kTooManyRecords, // more than 51 records: the first 51 were read
        kBadLine,        // a bad line or a file ending inside a record:
                         // the records before it were read
    };
    Status status = Status::kRead;
    // True when every record of the file is in the list (also for a missing
    // file). Hand it to WriteWireCatalogue: saving over a file that was not
    // read whole keeps the old file as a backup first.
    bool readWhole = true;
    int recordsRead = 0;
    int lineNumber = 0; // 1-based line of the trouble for kTooManyRecords and kBadLine
    // Empty for kRead. Otherwise what happened, with the path and the system's
    // reason or the line number and what was wrong with it.
    std::string message;
    // What was at the path: the file's bytes as read (whatever the status
    // says of their records), or no file for kMissing; nullopt for
    // kUnreadable, where nothing could be learnt. Keep it with the list and
    // hand it to WriteWireCatalogue, which then saves only over this very file.
    std::optional<FileSnapshot> seen;
};

// Reads the file at `path` into wireList[0 .. n-1] and sets lastIndex = n - 1.
// Slots from n up are left as they were, also when the file has fewer records
// than the list held before, and so is a slot whose record was cut short by a
// bad line. `notify` (may be empty) is called after each record.
CatalogueReadResult ReadWireCatalogue(const std::filesystem::path& path, WireList& wireList,
                                      std::int16_t& lastIndex,
                                      const WireRecordNotification& notify = {});

// The same reading, of the file's bytes already in memory; `seen` holds those
// bytes. `path` only goes into the message; leave it empty to leave it out.
CatalogueReadResult ParseWireCatalogue(std::string_view bytes, WireList& wireList,
                                       std::int16_t& lastIndex,
                                       const WireRecordNotification& notify = {},
                                       const std::filesystem::path& path = {});

struct CatalogueWriteResult {
    bool ok = false;
    // Not ok because the file is no longer the one the list was read from
    // (another window or copy of the program saved it, or it was created or
    // removed since): nothing was written. The window reads the file again,
    // so that the edit can be redone on the current records.
    bool changedOnDisk = false;
    // When !ok: why nothing was saved (the old file is as it was), for
    // changedOnDisk also that the list will be read again. When ok and a
    // backup was kept: where it is; otherwise empty.
    std::string message;
    // Set when the old file was kept as a backup before it was replaced: the
    // backup's path, which the message names too.
    std::optional<std::filesystem::path> backupPath;
};

// Replaces the file at `path` with records 0 .. lastIndex (-1 to 50) of
// `wireList`. `lastReadWhole` is the readWhole of the read that filled the
// list: when false and a file is there, it is kept as
// path + ".YYYYMMDD-HHMMSS.bak" first (local time; never over an older
// backup), and the write stops if that fails. A file its user may not write
// (no write bit for anyone, or none for this process) is refused, naming its
// path, and nothing is written. Names are
// stored after ReplaceJisLookAlikes; a name that CheckWireName refuses, or a
// value that is not a finite number, stops the write before anything is
// touched.
//
// `lastSeen` is the `seen` of that same read. Given, the file is replaced
// only while it still holds exactly those bytes (or, when the read found no
// file, while there is still none); otherwise nothing is written and the
// result is changedOnDisk. Left out (or nullopt after an unreadable file),
// the file is replaced whatever it holds.
CatalogueWriteResult WriteWireCatalogue(const std::filesystem::path& path, const WireList& wireList,
                                        std::int16_t lastIndex, bool lastReadWhole,
                                        const std::optional<FileSnapshot>& lastSeen = std::nullopt);

// The file's bytes for records 0 .. lastIndex, as WriteWireCatalogue writes
// them; nullopt with `refusal` set when a record cannot be stored.
std::optional<std::string> EncodeWireCatalogue(const WireList& wireList, std::int16_t lastIndex,
                                               std::string* refusal = nullptr);

// Replaces the JIS look-alikes that Linux input methods produce by their
// code page 932 twins, which look the same and can be stored:
//   〜 U+301C -> ～ U+FF5E    − U+2212 -> － U+FF0D    ‖ U+2016 -> ∥ U+2225
//   — U+2014 -> ― U+2015    ¢ £ ¬ U+00A2 U+00A3 U+00AC -> ￠ ￡ ￢ U+FFE0..FFE2
// Everything else, invalid UTF-8 included, is left as it is.
std::string ReplaceJisLookAlikes(std::string_view utf8Name);

// Whether a wire name (UTF-8) reads back from the file exactly as it is stored,
// that is after ReplaceJisLookAlikes (so 〜 passes). nullopt when it does;
// otherwise the reason, ready for a message box: a comma, a line break or
// another control character, a leading double quote, blanks at either end
// (the reader trims them), or a character that code page 932 cannot hold (ä,
// €, an emoji). An empty name is allowed.
std::optional<std::string> CheckWireName(std::string_view utf8Name);

} // namespace orvalt
