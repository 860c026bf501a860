// The system's own code page 932 conversion behind cp932.h: ICU's
// "windows-932" on Linux (cp932_icu.cpp), MultiByteToWideChar and
// WideCharToMultiByte on Windows (cp932_win32.cpp). cp932.cpp settles what
// the two tables disagree on, so that both give the same answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvalt::cp932_backend {

// UTF-8 of `bytes`, nullopt when any byte sequence has no code. The control
// codes 0x00-0x1F and 0x7F are themselves.
std::optional<std::string> Decode(std::string_view bytes);

// UTF-8 of `bytes` with every sequence that has no code as one U+FFFD;
// nullopt only when the system's conversion cannot be used at all.
std::optional<std::string> DecodeForDisplay(std::string_view bytes);

// Code page 932 of well-formed UTF-8, nullopt when a character has no code
// (neither a best fit nor a default character stands in for one). A
// character the system drops silently is caught by cp932.cpp's round trip.
std::optional<std::string> Encode(std::string_view utf8);

} // namespace orvalt::cp932_backend
