// orvalt99-cli: a case file calculated without the windows, for scripts.
//
//   orvalt99-cli report  CASE [-o FILE] [--units kgf|si] [--encoding utf-8|cp932]
//   orvalt99-cli csv     CASE [-o FILE] [--units kgf|si]
//   orvalt99-cli chart   CASE [-o FILE] [--units kgf|si]
//   orvalt99-cli section CASE [-o FILE] [--json] [--units kgf|si]
//   orvalt99-cli clearance CASE [-o FILE] [--json] [--units kgf|si]
//   orvalt99-cli --help | --version
//
// The output bytes are the engine's own (the result window's report, the
// CSV of CSV で保存, the stringing chart's CSV over the case's chart
// temperatures, and for section the section window's CSV で保存: the case's
// section.spans, its stringing chart over the case's chart temperatures), to
// standard output or written atomically to FILE (through a symbolic link to
// its target). --encoding is for report only. --units si gives report, csv,
// chart and section in SI (tensions in kN, wind in Pa, unit weight in N/m,
// elastic modulus in N/mm2); kgf in the windows' kg units; without it, the
// case file's "units" (kgf when it has none). section --json is in kg units
// unless --units si is given (then it starts with "units": "si", its keys
// unchanged); clearance writes metres only and is the same in either.
// Exit status: 0 done; 1 the
// calculation was refused (the windows' message); 2 bad usage, a case file
// that cannot be used (no section for section), FILE naming the case file
// itself (also through a link), or FILE that cannot be written (the system's
// reason in Japanese). On failure nothing is written to FILE.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orvalt::cli {

enum ExitStatus : int { kDone = 0, kRefused = 1, kBadUsage = 2 };

struct Outcome {
    int status = kDone;
    std::string out; // the bytes for standard output (nothing when -o wrote them)
    std::string err; // messages for standard error, UTF-8, LF line ends
};

// Runs the command given by `args` (without the program's own name).
Outcome Run(std::span<const std::string_view> args);

} // namespace orvalt::cli
