// The About box's site link: a tiny page in the program folder that sends the browser
// on to the site, handed to the desktop like any other document.
#pragma once

#include <string>

#include "help/Shell.h"

namespace zarvel {

// Page numbers 0 .. kRedirectPageAttempts - 1 are tried before giving up on a page.
inline constexpr int kRedirectPageAttempts = 100;

// The page for `address`: one line that redirects at once, then CR LF.
std::string redirectPage(const std::string& address);

// Writes the page under the lowest number that can be written and opens it. When no
// page can be written at all (a program folder without write access), the address
// itself is handed to the desktop, so the link still leads to the site.
void SaveFileUrl(const std::string& address, const std::string& pagesFolder, Shell& shell);

}  // namespace zarvel
