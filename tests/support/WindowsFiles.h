// Windows' own ways for a file to refuse a save, for the tests that stand in for the POSIX
// ones (mode bits, other users, size limits): attributes, another program's open handle,
// and the file-size limit tools/test-windows.sh runs a few tests under. Windows only.
#pragma once

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/Utf8Path.h"

namespace zarvel::testing {

// The file at a UTF-8 path held open by "another program": a handle of its own that lets
// others do only what `share` allows (0: nothing at all).
class HeldOpen {
 public:
  HeldOpen(const std::string& utf8Path, DWORD share)
      : handle_(CreateFileW(pathFromUtf8(utf8Path).c_str(), GENERIC_READ | GENERIC_WRITE, share,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (held()) CloseHandle(handle_);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

inline DWORD attributesOf(const std::string& utf8Path) {
  return GetFileAttributesW(pathFromUtf8(utf8Path).c_str());
}

inline bool setAttributes(const std::string& utf8Path, DWORD attributes) {
  return SetFileAttributesW(pathFromUtf8(utf8Path).c_str(), attributes) != 0;
}

// The limit on file sizes this run is under, in bytes, as tools/test-windows.sh announces
// it when it starts the tests a second time under `prlimit --fsize`; 0 when there is none.
// Windows has no such limit of its own, and Wine passes the one it runs under on to every
// write, which then fails as on a full disk.
inline std::uint64_t fileSizeLimit() {
  const char* value = std::getenv("ZARVEL_FILE_SIZE_LIMIT");
  return value == nullptr ? 0 : std::strtoull(value, nullptr, 10);
}

// Whether writes in `folder` really stop at `limit` bytes, so that a test relying on the
// limit cannot pass without it.
inline bool writesStopAt(std::uint64_t limit, const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / L"limit-probe";
  bool stopped = false;
  {
    std::ofstream out(probe, std::ios::binary);
    out << std::string(limit + 1, 'x') << std::flush;
    stopped = !out.good();
  }
  std::error_code ignored;
  std::filesystem::remove(probe, ignored);
  return stopped;
}

}  // namespace zarvel::testing

#endif
