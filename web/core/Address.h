// A deal's address: "index.html#layout=N" deals layout N, so that a player can send a deal
// to a friend, and the address follows the layout on the screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zarvel::web {

// The layout named by an address's fragment ("#layout=N" or "layout=N", among other
// "&"-separated parts): N of decimal digits within 0..32655, or nothing.
std::optional<std::int32_t> layoutOfFragment(std::string_view fragment);

// The fragment that names `layout`: "#layout=N".
std::string fragmentOf(std::int32_t layout);

}  // namespace zarvel::web
