// What the About box says about the product: the contact lines and the site link.
// Kept together here so that the texts and the address can be checked side by side.
#pragma once

#include <string_view>

namespace zarvel::ProductInfo {

#define ZARVEL_TEXT_(x) #x
#define ZARVEL_TEXT(x) ZARVEL_TEXT_(x)

// The version comes from the build's project version.
inline constexpr std::string_view kContactLine1 =
    "Zarvel, версия " ZARVEL_TEXT(ZARVEL_VERSION_MAJOR) "." ZARVEL_TEXT(ZARVEL_VERSION_MINOR);
inline constexpr std::string_view kContactLine2 = "Свободная головоломка, 2026";

inline constexpr std::string_view kSiteCaption = "zarvel.example.org";
inline constexpr std::string_view kSiteAddress = "https://zarvel.example.org/";

#undef ZARVEL_TEXT
#undef ZARVEL_TEXT_

}  // namespace zarvel::ProductInfo
