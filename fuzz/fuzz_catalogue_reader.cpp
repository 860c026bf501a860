// Feeds arbitrary bytes to the catalogue reader, as if they were wiredata.dat.
//
// Beyond "no crash, no sanitizer report", it checks what the windows rely on:
// the read stops inside the list, reports consistently, touches no slot above
// the records it read, and whatever it read can be written and read back to
// the very same bytes. The same bytes, taken as a typed wire name, must either
// be refused by CheckWireName or come back from the file unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/catalogue/catalogue_file.h"

namespace {

using orvalt::CatalogueReadResult;
using orvalt::WireList;
using orvalt::WireRecord;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "catalogue fuzz check failed: %s\n", what);
    std::abort();
}

void Check(bool condition, const char* what) {
    if (!condition) {
        Fail(what);
    }
}

WireRecord Sentinel(int index) {
    WireRecord r;
    r.wireName = "sentinel";
    r.maxTension = static_cast<float>(index);
    return r;
}

void CheckRead(std::string_view bytes) {
    WireList list;
    for (int i = 0; i < orvalt::kWireListSize; ++i) {
        list[static_cast<std::size_t>(i)] = Sentinel(i);
    }
    std::int16_t lastIndex = 1234;
    int notified = 0;
    const CatalogueReadResult read =
        orvalt::ParseWireCatalogue(bytes, list, lastIndex, [&](const WireRecord&, int index) {
            Check(index == notified, "records are notified in order");
            ++notified;
        });

    Check(read.recordsRead >= 0 && read.recordsRead <= orvalt::kWireListSize,
          "records read fit the list");
    Check(lastIndex == read.recordsRead - 1, "lastIndex is records read minus one");
    Check(notified == read.recordsRead, "one notification per record");
    Check(read.readWhole == (read.status == CatalogueReadResult::Status::kRead),
          "readWhole agrees with the status");
    Check(read.message.empty() == read.readWhole, "a message exactly when not read whole");
    Check(read.readWhole || read.lineNumber > 0, "trouble has a line number");
    for (int i = read.recordsRead; i < orvalt::kWireListSize; ++i) {
        Check(list[static_cast<std::size_t>(i)] == Sentinel(i), "slots above are untouched");
    }

    // What was read survives a save: the writer accepts it (unless a name
    // holds what the format cannot carry), and its bytes read back whole and
    // write again to the same bytes.
    std::string refusal;
    const std::optional<std::string> written =
        orvalt::EncodeWireCatalogue(list, lastIndex, &refusal);
    if (!written) {
        Check(!refusal.empty(), "a refusal has a reason");
        return;
    }
    WireList again;
    std::int16_t againLast = 0;
    const CatalogueReadResult reread = orvalt::ParseWireCatalogue(*written, again, againLast);
    Check(reread.status == CatalogueReadResult::Status::kRead, "written file reads whole");
    Check(againLast == lastIndex, "written file has every record");
    for (int i = 0; i <= lastIndex; ++i) {
        Check(again[static_cast<std::size_t>(i)].wireName ==
                  list[static_cast<std::size_t>(i)].wireName,
              "names read back unchanged");
    }
    const std::optional<std::string> rewritten = orvalt::EncodeWireCatalogue(again, againLast);
    Check(rewritten && *rewritten == *written, "second write gives the same bytes");
}

void CheckName(std::string_view name) {
    if (orvalt::CheckWireName(name)) {
        return;
    }
    WireList list;
    list[0].wireName = std::string(name);
    const std::optional<std::string> written = orvalt::EncodeWireCatalogue(list, 0);
    Check(written.has_value(), "an accepted name can be written");
    WireList back;
    std::int16_t last = 0;
    const CatalogueReadResult read = orvalt::ParseWireCatalogue(*written, back, last);
    Check(read.status == CatalogueReadResult::Status::kRead && last == 0,
          "an accepted name reads back as one record");
    Check(back[0].wireName == orvalt::ReplaceJisLookAlikes(name),
          "an accepted name reads back unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckRead(bytes);
    if (size <= 256) {
        CheckName(bytes);
    }
    return 0;
}
