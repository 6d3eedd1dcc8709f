// Handing documents to the desktop. The program never waits for or examines what the
// desktop does with them, so the seam has no result and never reports a failure.
#pragma once

#include <string>
#include <string_view>

namespace zarvel {

class Shell {
 public:
  virtual ~Shell() = default;

  // Asks the desktop to open `document` (a file path or a web address, UTF-8) with its
  // associated application.
  virtual void ShellOpen(const std::string& document) = 0;

  // Lets the window events that are already waiting run once, so the screen is up to
  // date (the hourglass shown) before the desktop is asked for something slow.
  virtual void processPendingEvents() = 0;
};

// The help page beside the program.
inline constexpr std::string_view kHelpPageName = "Справка.html";
inline std::string helpPagePath(const std::string& helpFolder) {
  return helpFolder + std::string(kHelpPageName);
}

// True for a web address such as "https://example.org/" (a scheme of two or more
// letters followed by "://"); false for file paths, also for "C:\..." on Windows.
bool isWebAddress(std::string_view document);

}  // namespace zarvel
