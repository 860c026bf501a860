// Messages shared by the forms of this folder (not for the windows: they get
// them inside a FormRefusal).
#pragma once

#include <string>
#include <string_view>

namespace orvalt::form_messages {

// A box whose value lies beyond what its field can hold.
inline std::string ValueTooLarge(std::string_view caption) {
    return "「" + std::string(caption) +
           "」の値が大きすぎます。\r\n扱える範囲の数値を入力してください。";
}

} // namespace orvalt::form_messages
