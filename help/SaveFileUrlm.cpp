// Writing and opening the redirect page.
#include "help/SaveFileUrlm.h"

#include <filesystem>

#include "files/FileIo.h"
#include "files/Utf8Path.h"

namespace zarvel {
namespace {

// Writes the page at `path` as a regular file of our own: created afresh, or written over
// a regular file that allows writing (even for root), never through a symbolic link, and
// never into a folder, a pipe or anything else that sits at that name. A page that was
// created but could not be written whole is removed again rather than left empty.
bool writePage(const std::filesystem::path& path, const std::string& page) {
  FileError error;
  OpenFile file = OpenFile::created(path, error);
  if (file) {
    if (file.writeAt(0, page) && file.close()) return true;
    file.close();
    removeFile(path);
    return false;
  }
  if (!error.taken()) return false;
  file = OpenFile::forUpdate(path, error);
  FileFacts facts;
  if (!file || !file.facts(facts) || !facts.regular || !facts.writeBit) return false;
  return file.writeAt(0, page) && file.resize(page.size()) && file.close();
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
