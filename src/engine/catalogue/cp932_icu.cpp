// Code page 932 through ICU's "windows-932" with STOP callbacks. ICU's
// default would quietly turn a bad byte into U+001A and an unencodable
// character into FC FC; here both are errors.
#include <memory>
#include <vector>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include "engine/catalogue/cp932_backend.h"

namespace orvalt::cp932_backend {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's own substitute would be U+001A, which no window shows.
void SubstituteReplacementCharacter(const void*, UConverterToUnicodeArgs* args, const char*,
                                    int32_t, UConverterCallbackReason reason, UErrorCode* error) {
    if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) {
        return;
    }
    static const UChar kReplacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

// A windows-932 converter whose decoding calls `toUnicode` on a bad byte and
// whose encoding stops at a character without a code; null if ICU fails.
ConverterPtr OpenConverter(UConverterToUCallback toUnicode) {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr opened(ucnv_open("windows-932", &status));
    if (U_FAILURE(status)) {
        return ConverterPtr();
    }
    ucnv_setToUCallBack(opened.get(), toUnicode, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(opened.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    if (U_FAILURE(status)) {
        return ConverterPtr();
    }
    return opened;
}

// One converter of each kind per thread, opened on first use: ucnv_open costs
// more than a short name line, and the fuzzer calls this millions of times.
UConverter* Converter() {
    thread_local ConverterPtr converter = OpenConverter(UCNV_TO_U_CALLBACK_STOP);
    return converter.get();
}

UConverter* DisplayConverter() {
    thread_local ConverterPtr converter = OpenConverter(SubstituteReplacementCharacter);
    return converter.get();
}

// ICU's table, taken from IBM's, rotates three control codes: 0x1A is read as
// U+001C, 0x1C as U+007F and 0x7F as U+001A. Windows reads each as itself.
// These undo the rotation after decoding and apply it before encoding.
UChar AsWindowsReads(UChar c) {
    switch (c) {
        case 0x1C: return 0x1A;
        case 0x7F: return 0x1C;
        case 0x1A: return 0x7F;
        default: return c;
    }
}

UChar AsIcuWrites(UChar c) {
    switch (c) {
        case 0x1A: return 0x1C;
        case 0x1C: return 0x7F;
        case 0x7F: return 0x1A;
        default: return c;
    }
}

bool FitsInt32(std::size_t size) { return size < static_cast<std::size_t>(INT32_MAX / 4); }

// UTF-8 of `bytes` through `converter`, nullopt on any failure.
std::optional<std::string> DecodeThrough(UConverter* converter, std::string_view bytes) {
    if (bytes.empty()) {
        return std::string();
    }
    if (converter == nullptr || !FitsInt32(bytes.size())) {
        return std::nullopt;
    }
    ucnv_resetToUnicode(converter);
    // Every 932 sequence of one or two bytes gives one BMP character, so the
    // byte count bounds the UTF-16 length.
    std::vector<UChar> utf16(bytes.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length16 =
        ucnv_toUChars(converter, utf16.data(), static_cast<int32_t>(utf16.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    for (int32_t i = 0; i < length16; ++i) {
        utf16[static_cast<std::size_t>(i)] = AsWindowsReads(utf16[static_cast<std::size_t>(i)]);
    }
    std::string utf8(static_cast<std::size_t>(length16) * 3, '\0');
    int32_t length8 = 0;
    u_strToUTF8(utf8.data(), static_cast<int32_t>(utf8.size()), &length8, utf16.data(), length16,
                &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    utf8.resize(static_cast<std::size_t>(length8));
    return utf8;
}

} // namespace

std::optional<std::string> Decode(std::string_view bytes) {
    return DecodeThrough(Converter(), bytes);
}

std::optional<std::string> DecodeForDisplay(std::string_view bytes) {
    return DecodeThrough(DisplayConverter(), bytes);
}

std::optional<std::string> Encode(std::string_view utf8) {
    if (utf8.empty()) {
        return std::string();
    }
    UConverter* converter = Converter();
    if (converter == nullptr || !FitsInt32(utf8.size())) {
        return std::nullopt;
    }
    // UTF-8 never needs fewer bytes than UTF-16 code units.
    std::vector<UChar> utf16(utf8.size() + 1);
    int32_t length16 = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(utf16.data(), static_cast<int32_t>(utf16.size()), &length16, utf8.data(),
                  static_cast<int32_t>(utf8.size()), &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    for (int32_t i = 0; i < length16; ++i) {
        utf16[static_cast<std::size_t>(i)] = AsIcuWrites(utf16[static_cast<std::size_t>(i)]);
    }
    // At most two bytes per UTF-16 unit.
    std::string bytes(static_cast<std::size_t>(length16) * 2 + 2, '\0');
    const int32_t length =
        ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()), utf16.data(),
                        length16, &status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

} // namespace orvalt::cp932_backend
