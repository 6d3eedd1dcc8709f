// The little JSON the page and its core pass each other: strings escaped, objects built up
// field by field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zarvel::web {

// `text` (UTF-8) as a JSON string, quotes included.
std::string jsonString(std::string_view text);

class JsonObject {
 public:
  JsonObject& add(std::string_view name, std::string_view text);
  JsonObject& add(std::string_view name, const char* text) {
    return add(name, std::string_view(text));
  }
  JsonObject& add(std::string_view name, std::int64_t number);
  JsonObject& addFlag(std::string_view name, bool flag);
  // A value already written as JSON.
  JsonObject& addRaw(std::string_view name, std::string_view json);
  std::string str() const { return fields_.empty() ? "{}" : fields_ + "}"; }

 private:
  void name(std::string_view name);
  std::string fields_;
};

}  // namespace zarvel::web
