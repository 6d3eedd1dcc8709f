// Paths travel through the program as UTF-8 text. These two turn them into filesystem
// paths and back through char8_t, so Cyrillic names reach the wide file functions on
// Windows and never pass through the 8-bit code page.
#pragma once

#include <filesystem>
#include <string>

namespace zarvel {

inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace zarvel
