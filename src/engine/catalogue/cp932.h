// Text in Microsoft's code page 932, the "ANSI" Japanese that Windows writes
// (Shift_JIS with 0x5C as backslash, 0x8160 as U+FF5E, the NEC row 13 with
// ① and ㈱, and the IBM extensions), converted to and from UTF-8.
//
// The conversion is the system's own (ICU's "windows-932" on Linux, the
// Win32 calls on Windows), with the few points where their tables differ
// settled the same way on both (cp932.cpp), so that a Linux and a Windows
// copy of the program read and write the same bytes. A bad byte or a
// character without a code is an error, never quietly replaced, so nothing
// is ever changed without the caller knowing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvalt {

// UTF-8 of `bytes`, or nullopt when they are not valid code page 932 (a byte
// sequence without a code, or a lead byte cut off at the end).
std::optional<std::string> DecodeCp932(std::string_view bytes);

// UTF-8 of `bytes` for showing them: every sequence that is not code page 932
// (a stray trail byte, an unassigned code, a lead byte cut off at the end)
// becomes one U+FFFD, so damaged text still shows, visibly marked.
std::string DecodeCp932ForDisplay(std::string_view bytes);

// Code page 932 bytes of `utf8`, or nullopt when it is not valid UTF-8 or
// holds a character that code page 932 has no code for.
std::optional<std::string> EncodeCp932(std::string_view utf8);

} // namespace orvalt
