// The case file: one design kept on disk (the wire with its own constants,
// the conditions, a title, the stringing chart's temperature range, a tension
// section and the crew's field check settings), so that an engineer can
// reopen it in the windows or run it from a script with orvalt99-cli.
//
// UTF-8 JSON; outside scripts write it too, so the key names are fixed.
// Version 2, written from now on:
//
//   {
//     "format": "orvalt99-case",
//     "version": 2,
//     "title": "○○線 No.12〜No.18",                              (optional)
//     "wire": { "name", "diameterHigh", "diameterLow", "area", "unitWeight",
//               "expansionCoeff", "elasticModulus", "maxTension" },
//     "conditions": { "windPressureHigh", "windPressureLow", "windPressureStudy",
//                     "temperatureHigh", "temperatureLow", "temperatureStudy",
//                     "spanStart", "spanEnd", "spanStep",
//                     "iceThickness", "iceSpecificGravity",      (optional)
//                     "loadClassHigh", "loadClassLow", "bundle" }, (optional)
//     "chart": { "from", "to", "step" },                          (optional)
//     "section": { "stringingTemperature",                        (optional, all of it)
//                  "spans": [ { "length", "heightDifference" }, ... ],
//                  "supports": [ { "type": "deadEnd" }, { "type": "fixed" },
//                                { "type": "suspension", "stringLength",
//                                  "stringWeight" }, ... ],            (optional)
//                  "ground", "crossings", "voltageClass", "voltage",
//                  "groundClearance", "creepAllowance" },        (case_clearance.h)
//                  Each support may also carry its "groundElevation" and
//                  "attachmentHeight" (case_clearance.h); "type" is given for
//                  every support or for none.
//     "fieldCheck": { "waves", "sightingA" },                     (optional; a: null or m)
//     "units": "kgf" or "si"                                      (optional, kgf)
//   }
//
// The load classes are the keys of kLoadClasses offered for the season
// ("kou"; "otsu", "hei", "kouOtsuLarger", "snow"), written when not 任意;
// "bundle" (多導体) is written when true and "units" when "si". They say why
// the numbers are what they are and in which units the author works; the
// numbers, in kg units whatever "units" says, stay the authority.
//
// Version 1 files still open: the same without iceThickness,
// iceSpecificGravity and fieldCheck, and "section" the array of spans itself.
//
// Reading checks the file by the conditions window's OK (ReadConditionsForm),
// the wire settings window's save (ReadWireForm) and CheckWireName, fed with
// each number as text, so a file is refused exactly where the windows would
// refuse the same values, with their message behind the field's name:
// "ケースファイルの「conditions.spanStep」が使えません。" CR LF and the window's
// text. The conditions are then stored as OK stores them (whole numbers,
// rounded down), the wire constants as the float nearest to the number.
// Temperatures (conditions, chart, stringing) and the ice thickness must be
// whole numbers. The spans are checked as the section window checks its
// table (CheckSectionSpans), named "section.spans[3].length"; the supports,
// one more than the spans, dead ends at both ends, a suspension string's
// length above 0 and its weight not below 0 (0 when left out). Unknown keys
// are left out and named in `warnings`; a key written twice in one object
// refuses the file, naming it. A file from a later version is refused. A file
// over kMaxCaseFileBytes, a folder, a FIFO or a file in UTF-16 is refused
// with the reason, and no input makes the reader throw.
//
// Writing gives every float as the shortest text that reads back to the same
// float, the keys in the order above, two-space indent, LF line ends and a
// final newline, so EncodeCaseFile then ParseCaseFile gives back the same
// CaseFile bit for bit, and encoding that again the same bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/balanced_section.h"
#include "engine/calculation/calculation_state.h"
#include "engine/calculation/tension_section.h"
#include "engine/case/case_clearance.h"
#include "engine/catalogue/safe_file_write.h"
#include "engine/forms/conditions_form.h"
#include "engine/number/units.h"
#include "engine/output/field_sheet_text.h"

namespace orvalt {

inline constexpr std::string_view kCaseFileFormat = "orvalt99-case";
inline constexpr int kCaseFileVersion = 2;
// The oldest version that still opens.
inline constexpr int kOldestCaseFileVersion = 1;
// A bigger file is refused unread: no design comes near it.
inline constexpr std::uintmax_t kMaxCaseFileBytes = 16u * 1024u * 1024u;
// The extension that a save dialog proposes and the desktop associates.
inline constexpr std::string_view kCaseFileExtension = ".o99case";

// The stringing chart's temperatures [degC]: from, from + step, ... up to to.
// The defaults are those of a new chart window.
struct CaseChartRange {
    std::int16_t from = -10;
    std::int16_t to = 40;
    std::int16_t step = 10;

    friend bool operator==(const CaseChartRange&, const CaseChartRange&) = default;
};

// The tension section of the design. One member per key of "section", so
// that more of the section can join it the same way.
struct CaseSection {
    std::int16_t stringingTemperature = 15; // [degC]
    std::vector<SectionSpan> spans;         // empty: no section
    // One more than the spans; empty: dead ends at the ends, fixed between.
    std::vector<SectionSupport> supports;
    // The supports' ground (from the same "supports" objects) and the ground,
    // crossings and voltage keys of case_clearance.h.
    CaseClearance clearance;

    friend bool operator==(const CaseSection&, const CaseSection&) = default;
};

// The crew's field check (弛度観測): N return waves timed, and the sighting
// height a [m] below the near support (empty: equal sighting, 等長法), as the
// field check view takes them.
struct CaseFieldCheck {
    int waves = kDefaultWaves;          // kFewestWaves .. kMostWaves
    std::optional<double> sightingA;    // finite, not below 0

    friend bool operator==(const CaseFieldCheck&, const CaseFieldCheck&) = default;
};

// The ice of the low-temperature season, as the calculation state holds it;
// the defaults are the state's.
inline constexpr int kThinnestIce = 0; // [mm]
inline constexpr int kThickestIce = 50;
// Thickness 0 .. 50 mm, specific gravity 0.1 .. 1.0: the conditions
// window's ice boxes, whose form checks them too.
using CaseIce = IceValues;
static_assert(kThickestIce == kIceThicknessMax);

struct CaseFile {
    std::string title;           // UTF-8, may be empty
    ConditionsValues conditions; // the wire (its own copy) and the conditions
    CaseIce ice;                 // conditions.iceThickness, conditions.iceSpecificGravity
    CaseChartRange chart;
    CaseSection section;
    CaseFieldCheck fieldCheck;
    UnitSystem units = UnitSystem::kKgf; // "units": the author's; the numbers stay kg units

    friend bool operator==(const CaseFile&, const CaseFile&) = default;
};

struct CaseReadResult {
    // Set when the file was accepted; otherwise `error` says why.
    std::optional<CaseFile> caseFile;
    std::string error; // UTF-8, lines joined by CR LF, for a message box
    // Accepted, but something in it was left out (an unknown key), one
    // message per thing.
    std::vector<std::string> warnings;
};

// Checks and reads the bytes of a case file.
CaseReadResult ParseCaseFile(std::string_view bytes);

// Reads the file at `path` and parses it; a file that cannot be read is an
// error naming the path.
CaseReadResult ReadCaseFile(const std::filesystem::path& path);

// The bytes of a case file for `caseFile`.
std::string EncodeCaseFile(const CaseFile& caseFile);

// Writes EncodeCaseFile's bytes atomically (WriteFileAtomically).
AtomicWriteResult WriteCaseFile(const std::filesystem::path& path, const CaseFile& caseFile);

// A case of what the calculation state holds now: its wire, conditions and
// ice, with the given title, chart range and section.
CaseFile CaseFromState(const CalculationState& state, std::string title = {},
                       CaseChartRange chart = {}, CaseSection section = {});

// The clearance check of the case's section on a state calculated from it:
// the spans' lengths as written in the file, the typed height differences
// checked against the ground (when every support has it), the section
// strung at its stringing temperature on its supports (suspension strings
// swinging), then ComputeClearance. Throws
// CalculationError as those do.
ClearanceTable ComputeCaseClearance(const CaseFile& caseFile, const CalculationState& state);
// The same for a section with the given spans (the section window's).
ClearanceTable ComputeSectionClearance(const CaseSection& section, const CalculationState& state);
// The profile ComputeSectionClearance checks, for drawing it (ClearanceWire,
// WireElevation): throws as it does for typed heights the ground refutes.
ClearanceProfile SectionClearanceProfile(const CaseSection& section);

// Sets the wire and the conditions as the conditions window's OK does
// (ApplyConditions), and the ice; everything else in the state stays as it
// was.
void ApplyCase(const CaseFile& caseFile, CalculationState& state);

} // namespace orvalt
