// Messages shared by the forms of this folder (not for the windows: they get
// them inside a FormRefusal). Each names the box by its label's caption.
#pragma once

#include <string>
#include <string_view>

namespace orvalt::form_messages {

// A box whose text is not one number (empty, "1,000", "8400x", "abc").
inline std::string NotANumber(std::string_view caption) {
    return "「" + std::string(caption) +
           "」の値が数値として読めません。\r\n数値を入力してください。";
}

// A box whose value lies beyond what its field can hold.
inline std::string ValueTooLarge(std::string_view caption) {
    return "「" + std::string(caption) +
           "」の値が大きすぎます。\r\n扱える範囲の数値を入力してください。";
}

// A wire constant that means nothing physically unless it is above 0.
inline std::string MustBePositive(std::string_view caption) {
    return "「" + std::string(caption) + "」には 0 より大きい値を入力してください。";
}

// A wind pressure, which may be 0 but not below.
inline std::string MustNotBeNegative(std::string_view caption) {
    return "「" + std::string(caption) + "」には 0 以上の値を入力してください。";
}

} // namespace orvalt::form_messages
