// Telling web addresses from file paths.
#include "help/Shell.h"

namespace zarvel {

bool isWebAddress(std::string_view document) {
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  const auto isSchemeChar = [&](char c) {
    return isLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
  };
  const std::size_t colon = document.find("://");
  if (colon == std::string_view::npos || colon < 2 || !isLetter(document.front())) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    if (!isSchemeChar(document[i])) return false;
  }
  return true;
}

}  // namespace zarvel
