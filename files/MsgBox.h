// A modal message box as the game uses it: a title, a text, a button set, an icon and
// the preselected button. The Qt message box and the tests' recorder implement it.
#pragma once

#include <string>

namespace zarvel {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { Exclamation, Error };
enum class MsgAnswer { Ok, Yes, No };

struct MsgBoxRequest {
  std::string title;  // UTF-8
  std::string text;   // UTF-8; "\r\n" breaks a line
  MsgButtons buttons = MsgButtons::Ok;
  MsgIcon icon = MsgIcon::Error;
  MsgAnswer defaultButton = MsgAnswer::Ok;
};

class MsgBox {
 public:
  virtual ~MsgBox() = default;
  // Shows the box modally; closing it without a choice answers No (or Ok).
  virtual MsgAnswer show(const MsgBoxRequest& request) = 0;
};

}  // namespace zarvel
