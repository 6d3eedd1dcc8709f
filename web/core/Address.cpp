// Reading and writing a deal's address.
#include "web/core/Address.h"

#include <charconv>

#include "engine/NewGameM.h"

namespace zarvel::web {
namespace {

constexpr std::string_view kKey = "layout=";
constexpr std::size_t kMostDigits = 5;  // 32655

}  // namespace

std::optional<std::int32_t> layoutOfFragment(std::string_view fragment) {
  if (!fragment.empty() && fragment.front() == '#') fragment.remove_prefix(1);
  while (!fragment.empty()) {
    const std::size_t end = fragment.find('&');
    const std::string_view part = fragment.substr(0, end);
    fragment.remove_prefix(end == std::string_view::npos ? fragment.size() : end + 1);
    if (part.substr(0, kKey.size()) != kKey) continue;
    const std::string_view digits = part.substr(kKey.size());
    std::int32_t layout = 0;
    const auto [last, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), layout);
    // Digits only: from_chars would take a leading minus sign.
    if (digits.empty() || digits.size() > kMostDigits || digits.front() == '-' ||
        error != std::errc() || last != digits.data() + digits.size() || layout >= kLayoutCount) {
      return std::nullopt;
    }
    return layout;
  }
  return std::nullopt;
}

std::string fragmentOf(std::int32_t layout) {
  return "#" + std::string(kKey) + std::to_string(layout);
}

}  // namespace zarvel::web
