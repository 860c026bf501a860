// The case file: one design kept on disk (the wire with its own constants,
// the conditions, a title, the stringing chart's temperature range and the
// spans of a tension section), so that an engineer can reopen it in the
// windows or run it from a script with orvalt99-cli.
//
// UTF-8 JSON; outside scripts write it too, so the key names are fixed:
//
//   {
//     "format": "orvalt99-case",
//     "version": 1,
//     "title": "○○線 No.12〜No.18",                              (optional)
//     "wire": { "name", "diameterHigh", "diameterLow", "area", "unitWeight",
//               "expansionCoeff", "elasticModulus", "maxTension" },
//     "conditions": { "windPressureHigh", "windPressureLow", "windPressureStudy",
//                     "temperatureHigh", "temperatureLow", "temperatureStudy",
//                     "spanStart", "spanEnd", "spanStep" },
//     "chart": { "from", "to", "step" },                          (optional)
//     "section": [ { "length", "heightDifference" }, ... ]        (optional)
//   }
//
// "section" may also be an object: { "spans": [ ... as above ... ],
// "supports": [ ... ] } with the keys of the ground, the crossings and the
// voltage (case_clearance.h); it is written so when it has any of them.
//
// Reading checks the file by the conditions window's OK (ReadConditionsForm),
// the wire settings window's save (ReadWireForm) and CheckWireName, fed with
// each number as text, so a file is refused exactly where the windows would
// refuse the same values, with their message behind the field's name:
// "ケースファイルの「conditions.spanStep」が使えません。" CR LF and the window's
// text. The conditions are then stored as OK stores them (whole numbers,
// rounded down), the wire constants as the float nearest to the number.
// Temperatures (conditions and chart) must be whole numbers. Unknown keys
// are left out and named in `warnings`; a file from a later version whose
// keys this one knows still opens.
//
// Writing gives every float as the shortest text that reads back to the same
// float, the keys in the order above, two-space indent, LF line ends and a
// final newline, so EncodeCaseFile then ParseCaseFile gives back the same
// CaseFile bit for bit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/calculation/calculation_state.h"
#include "engine/case/case_clearance.h"
#include "engine/catalogue/safe_file_write.h"
#include "engine/forms/conditions_form.h"

namespace orvalt {

inline constexpr std::string_view kCaseFileFormat = "orvalt99-case";
inline constexpr int kCaseFileVersion = 1;
// The extension that a save dialog proposes and the desktop associates.
inline constexpr std::string_view kCaseFileExtension = ".o99case";

// One span of a tension section: its length [m] and the height of its far
// support above its near one [m]. The same two numbers, in the same order,
// as the tension-section calculation's span.
struct CaseSectionSpan {
    float length = 0.0f;
    float heightDifference = 0.0f;

    friend bool operator==(const CaseSectionSpan&, const CaseSectionSpan&) = default;
};

// The stringing chart's temperatures [degC]: from, from + step, ... up to to.
// The defaults are those of a new chart window.
struct CaseChartRange {
    std::int16_t from = -10;
    std::int16_t to = 40;
    std::int16_t step = 10;

    friend bool operator==(const CaseChartRange&, const CaseChartRange&) = default;
};

struct CaseFile {
    std::string title;           // UTF-8, may be empty
    ConditionsValues conditions; // the wire (its own copy) and the conditions
    CaseChartRange chart;
    std::vector<CaseSectionSpan> section; // empty: no section
    CaseClearance clearance;              // the section's ground and crossings

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

// A case of what the calculation state holds now: its wire and conditions,
// with the given title, chart range and section.
CaseFile CaseFromState(const CalculationState& state, std::string title = {},
                       CaseChartRange chart = {}, std::vector<CaseSectionSpan> section = {});

// The clearance check of the case's section on a state calculated from it:
// the spans' lengths as written in the file, the typed height differences
// checked against the ground (when every support has it), then
// ComputeClearance. Throws CalculationError as those do.
ClearanceTable ComputeCaseClearance(const CaseFile& caseFile, const CalculationState& state);

// Sets the wire and the conditions as the conditions window's OK does
// (ApplyConditions); everything else in the state stays as it was.
void ApplyCase(const CaseFile& caseFile, CalculationState& state);

} // namespace orvalt
