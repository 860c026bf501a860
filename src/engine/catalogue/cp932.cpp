// What code page 932 means for this program, the same on every system: the
// system's conversion (cp932_backend.h) with the points where ICU's table
// and Windows' own table differ settled here.
//
//   0x1A, 0x1C, 0x7F   themselves, as on Windows (ICU's table rotates them;
//                      cp932_icu.cpp turns them back)
//   0x80 / U+0080      no code: ICU has none, Windows maps it to U+0080, a C1
//                      control no Japanese text holds
//   characters that do not come back as themselves: refused when encoding.
//                      ICU drops the default-ignorable ones (U+200B, U+00AD,
//                      U+FEFF, the variation selectors …) without a word and
//                      writes U+F86F as 87 82; Windows writes U+F8F0-F8F3 as
//                      single bytes that it cannot read back
#include "engine/catalogue/cp932.h"

#include "engine/catalogue/cp932_backend.h"
#include "engine/catalogue/utf8.h"

namespace orvalt {
namespace {

constexpr std::string_view kC1Padding = "\xC2\x80"; // U+0080 in UTF-8
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsWellFormedUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (NextUtf8(text, i) == kBadUtf8) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> DecodeCp932(std::string_view bytes) {
    std::optional<std::string> text = cp932_backend::Decode(bytes);
    if (text && text->find(kC1Padding) != std::string::npos) {
        return std::nullopt;
    }
    return text;
}

std::string DecodeCp932ForDisplay(std::string_view bytes) {
    std::optional<std::string> text = cp932_backend::DecodeForDisplay(bytes);
    if (!text) {
        // No conversion at all: one replacement character per byte.
        std::string marks;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            marks += kReplacement;
        }
        return marks;
    }
    for (std::size_t at = text->find(kC1Padding); at != std::string::npos;
         at = text->find(kC1Padding, at)) {
        text->replace(at, kC1Padding.size(), kReplacement);
    }
    return *std::move(text);
}

std::optional<std::string> EncodeCp932(std::string_view utf8) {
    if (!IsWellFormedUtf8(utf8)) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = cp932_backend::Encode(utf8);
    // Bytes that would be read back as another text are no encoding of this
    // one: a character dropped or written one-way is refused like one
    // without a code.
    if (!bytes || DecodeCp932(*bytes) != utf8) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace orvalt
