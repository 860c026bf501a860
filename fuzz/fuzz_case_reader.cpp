// Feeds arbitrary bytes to the case file reader, as if they were a .o99case
// file opened in the windows or given to orvalt99-cli.
//
// Beyond "no crash, no sanitizer report" (no exception of the JSON library
// may escape), it checks what saving relies on: a file is either accepted or
// refused with a message, never both; whatever was accepted is written and
// read back as the same case, and written again as the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/case/case_file.h"

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "case fuzz check failed: %s\n", what);
    std::abort();
}

void Check(bool condition, const char* what) {
    if (!condition) {
        Fail(what);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const orvalt::CaseReadResult read = orvalt::ParseCaseFile(bytes);
    Check(read.caseFile.has_value() == read.error.empty(), "accepted exactly when no message");
    if (!read.caseFile) {
        Check(read.warnings.empty(), "a refused file has no warnings");
        return 0;
    }
    const std::string written = orvalt::EncodeCaseFile(*read.caseFile);
    const orvalt::CaseReadResult again = orvalt::ParseCaseFile(written);
    Check(again.caseFile.has_value(), "a written case reads back");
    Check(again.warnings.empty(), "a written case has nothing unknown");
    Check(*again.caseFile == *read.caseFile, "a written case reads back as the same case");
    Check(orvalt::EncodeCaseFile(*again.caseFile) == written, "a second write gives the same bytes");
    return 0;
}
