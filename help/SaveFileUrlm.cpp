// Writing and opening the redirect page.
#include "help/SaveFileUrlm.h"

#include <filesystem>
#include <fstream>

#include "files/Utf8Path.h"

namespace zarvel {
namespace {

// Creates or truncates `path` and writes `text` as it is. A page that could be created
// but not written in full would open as an empty page, so it counts as not written.
bool writeWhole(const std::filesystem::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return !file.fail();
}

}  // namespace

std::string redirectPage(const std::string& address) {
  // Written byte for byte: the page declares windows-1251, and the addresses we link
  // to are plain ASCII, which reads the same in that code page as in UTF-8.
  return "<html><head><meta http-equiv='refresh' content='0; url=" + address +
         "'><meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
         "<title>WWW</title></head><body></body></html>\r\n";
}

std::string redirectPagePath(const std::string& PutProgrammy, int n) {
  return PutProgrammy + std::to_string(n) + ".html";
}

void SaveFileUrl(const std::string& address, const std::string& PutProgrammy, Shell& shell) {
  const std::string page = redirectPage(address);
  for (int n = 0; n < kRedirectPageAttempts; ++n) {
    const std::string path = redirectPagePath(PutProgrammy, n);
    if (writeWhole(pathFromUtf8(path), page)) {
      shell.processPendingEvents();
      shell.ShellOpen(path);
      return;
    }
  }
  shell.processPendingEvents();
  shell.ShellOpen(address);
}

}  // namespace zarvel
