// The layout-number dialog's rules.
#include "files/RaskladRules.h"

namespace zarvel {
namespace {

constexpr std::uint32_t kLastControlCode = 8;  // backspace

bool isDigit(std::uint32_t code) {
  return code >= '0' && code <= '9';
}

}  // namespace

bool passesCharacterRule(std::uint32_t code) {
  return code <= kLastControlCode || isDigit(code);
}

std::uint32_t controlCode(char letter) {
  if (letter >= 'A' && letter <= 'Z') return static_cast<std::uint32_t>(letter - 'A' + 1);
  if (letter >= 'a' && letter <= 'z') return static_cast<std::uint32_t>(letter - 'a' + 1);
  return 0;
}

std::int32_t typedNumber(std::string_view text) {
  // Anything past this is out of range anyway; stopping here keeps the sum in 32 bits.
  constexpr std::int32_t kCeiling = 1'000'000;
  std::int32_t value = 0;
  for (const char c : text) {
    if (!isDigit(static_cast<unsigned char>(c))) break;
    value = value * 10 + (c - '0');
    if (value > kCeiling) value = kCeiling;
  }
  return value;
}

bool okEnabled(std::int32_t number) {
  return number >= kFirstChoosable && number <= kLastChoosable;
}

std::string digitsOnly(std::string_view text, std::size_t room) {
  std::string digits;
  for (const char c : text) {
    if (digits.size() == room) break;
    if (isDigit(static_cast<unsigned char>(c))) digits.push_back(c);
  }
  return digits;
}

}  // namespace zarvel
