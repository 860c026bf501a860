// Code page 932 through Windows' own conversion: MultiByteToWideChar and
// WideCharToMultiByte with code page 932, refusing bad bytes
// (MB_ERR_INVALID_CHARS) and characters without a code of their own (no best
// fit, no default character).
#include <windows.h>

#include <climits>

#include "engine/catalogue/cp932_backend.h"

namespace orvalt::cp932_backend {
namespace {

constexpr UINT kCodePage932 = 932;

bool FitsInt(std::size_t size) { return size < static_cast<std::size_t>(INT_MAX / 4); }

std::optional<std::wstring> ToUtf16(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (!FitsInt(bytes.size())) {
        return std::nullopt;
    }
    std::wstring wide(bytes.size(), L'\0'); // never more units than bytes
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                             static_cast<int>(bytes.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    if (length <= 0) {
        return std::nullopt;
    }
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

// `wide` in `codePage`; nullopt when a character needed the default one.
std::optional<std::string> FromUtf16(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    std::string bytes(wide.size() * 3, '\0'); // at most three UTF-8 bytes per unit
    BOOL usedDefault = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    const int length = ::WideCharToMultiByte(
        codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
        bytes.data(), static_cast<int>(bytes.size()), nullptr, utf8 ? nullptr : &usedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(length));
    return bytes;
}

bool IsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The length of the sequence at `i` as ICU counts it for a replacement: a
// lead byte takes a trail byte with it, bad or not; anything else is one.
std::size_t SequenceLength(std::string_view bytes, std::size_t i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (IsLeadByte(lead) && i + 1 < bytes.size() &&
        IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
        return 2;
    }
    return 1;
}

} // namespace

std::optional<std::string> Decode(std::string_view bytes) {
    const std::optional<std::wstring> wide = ToUtf16(kCodePage932, bytes);
    return wide ? FromUtf16(CP_UTF8, *wide) : std::nullopt;
}

std::optional<std::string> DecodeForDisplay(std::string_view bytes) {
    std::string text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII go whole; each other sequence on its own.
        std::size_t length = SequenceLength(bytes, i);
        while (length == 1 && i + length < bytes.size() &&
               static_cast<unsigned char>(bytes[i]) < 0x80 &&
               static_cast<unsigned char>(bytes[i + length]) < 0x80) {
            ++length;
        }
        const std::optional<std::string> piece = Decode(bytes.substr(i, length));
        text += piece ? *piece : std::string("\xEF\xBF\xBD");
        i += length;
    }
    return text;
}

std::optional<std::string> Encode(std::string_view utf8) {
    const std::optional<std::wstring> wide = ToUtf16(CP_UTF8, utf8);
    return wide ? FromUtf16(kCodePage932, *wide) : std::nullopt;
}

} // namespace orvalt::cp932_backend
