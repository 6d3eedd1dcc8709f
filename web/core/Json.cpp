// JSON strings and objects.
#include "web/core/Json.h"

#include <array>

namespace zarvel::web {

std::string jsonString(std::string_view text) {
  static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      json += "\\u00";
      json += kHex[byte >> 4U];
      json += kHex[byte & 0xFU];
    } else {
      json += c;  // UTF-8 passes as it is
    }
  }
  return json + "\"";
}

void JsonObject::name(std::string_view name) {
  fields_ += fields_.empty() ? "{" : ",";
  fields_ += jsonString(name);
  fields_ += ':';
}

JsonObject& JsonObject::add(std::string_view field, std::string_view text) {
  name(field);
  fields_ += jsonString(text);
  return *this;
}

JsonObject& JsonObject::add(std::string_view field, std::int64_t number) {
  name(field);
  fields_ += std::to_string(number);
  return *this;
}

JsonObject& JsonObject::addFlag(std::string_view field, bool flag) {
  name(field);
  fields_ += flag ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::addRaw(std::string_view field, std::string_view json) {
  name(field);
  fields_ += json;
  return *this;
}

}  // namespace zarvel::web
