// The extension rule works on characters; paths are UTF-8, so the position counts the
// characters, not the bytes. A dot and a separator are ASCII and never part of a longer
// UTF-8 sequence, so they can be looked for byte by byte.
#include "files/PoiskTochkiM.h"

#include <vector>

namespace zarvel {

int PoiskTochki(const std::string& path, const std::string& razdelitel) {
  std::vector<std::size_t> starts;  // byte offset of every character
  for (std::size_t i = 0; i < path.size(); ++i) {
    if ((static_cast<unsigned char>(path[i]) & 0xC0U) != 0x80U) starts.push_back(i);
  }
  for (std::size_t i = starts.size(); i >= 4; --i) {
    const char ch = path[starts[i - 1]];
    if (!razdelitel.empty() && ch == razdelitel.front()) return 0;
    if (ch == '.') return static_cast<int>(i);
  }
  return 0;
}

std::string completeExtension(const std::string& path, const std::string& razdelitel) {
  return PoiskTochki(path, razdelitel) == 0 ? path + ".zrv" : path;
}

}  // namespace zarvel
