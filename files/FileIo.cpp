// What the file primitives of both platforms share: the meaning of an error code, names
// for temporary files, and the hook through which tests watch the steps of a save.
#include "files/FileIo.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <utility>

namespace zarvel {
namespace {

FileStepHook& stepHook() {
  static FileStepHook hook;
  return hook;
}

}  // namespace

OpenFile::~OpenFile() {
  release();
}

OpenFile::OpenFile(OpenFile&& other) noexcept : fd_(other.fd_), readable_(other.readable_) {
  other.fd_ = -1;
}

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
  if (this != &other) {
    release();
    fd_ = other.fd_;
    readable_ = other.readable_;
    other.fd_ = -1;
  }
  return *this;
}

bool FileError::missing() const {
  return code == ENOENT;
}

bool FileError::taken() const {
  return code == EEXIST;
}

bool removeFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::remove(path, error);
}

std::string temporaryName() {
  static std::atomic<std::uint64_t> counter{0};
  static const std::uint64_t seed = [] {
    std::uint64_t value = 0;
    try {
      value = std::random_device{}();
    } catch (...) {
      // A clock and a counter still keep names apart within a run.
    }
    return value;
  }();
  // splitmix64 over the clock, a counter and the seed.
  std::uint64_t z =
      seed ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (++counter * 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
  z ^= z >> 31U;
  constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = ".zarvel-";
  for (int i = 0; i < 10; ++i) {
    name += kAlphabet[static_cast<std::size_t>(z % kAlphabet.size())];
    z /= kAlphabet.size();
  }
  return name;
}

void setFileStepHook(FileStepHook hook) {
  stepHook() = std::move(hook);
}

bool stepDone(FileStep step, bool succeeded) {
  const FileStepHook& hook = stepHook();
  return hook ? hook(step, succeeded) : succeeded;
}

}  // namespace zarvel
