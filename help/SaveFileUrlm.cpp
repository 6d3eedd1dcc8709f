// Writing and opening the redirect page.
#include "help/SaveFileUrlm.h"

#include <filesystem>

#include "files/FileIo.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

// Writes the page at `path` as a regular file of the player's: created afresh (for the
// player alone until it has the mode of any new file), or written over a page the player
// owns under that one name and may write (even as root). Never through a link, never into
// someone else's file, a folder or a pipe. A page that could not be written whole is
// removed rather than left cut short, a reused one as well as a new one.
bool writePage(const std::filesystem::path& path, const std::string& page) {
  FileError error;
  OpenFile file = OpenFile::created(path, error);
  bool written = file && file.takeModeOf(nullptr);
  if (!file) {
    if (!error.taken()) return false;
    file = OpenFile::atName(path, error);
    FileFacts facts;
    if (!file || !file.facts(facts) || !facts.regular || !facts.mine || facts.links != 1 ||
        !facts.writeBit) {
      return false;
    }
    written = file.resize(0);
  }
  written = written && file.writeAt(0, page);
  if (file.close() && written) return true;
  removeFile(path);
  return false;
}

// pagesFolder + n + ".html".
std::string redirectPagePath(const std::string& pagesFolder, int n) {
  return pagesFolder + std::to_string(n) + ".html";
}

}  // namespace

std::string redirectPage(const std::string& address) {
  // Written byte for byte: the page declares windows-1251, and the addresses we link
  // to are plain ASCII, which reads the same in that code page as in UTF-8.
  return "<html><head><meta http-equiv='refresh' content='0; url=" + address +
         "'><meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
         "<title>WWW</title></head><body></body></html>\r\n";
}

void SaveFileUrl(const std::string& address, const std::string& pagesFolder, Shell& shell) {
  const std::string page = redirectPage(address);
  for (int n = 0; n < kRedirectPageAttempts; ++n) {
    const std::string path = redirectPagePath(pagesFolder, n);
    if (writePage(pathFromUtf8(path), page)) {
      shell.processPendingEvents();
      shell.ShellOpen(path);
      return;
    }
  }
  shell.processPendingEvents();
  shell.ShellOpen(address);
}

}  // namespace zarvel
