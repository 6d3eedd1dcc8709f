// Stand-ins for the seams that talk to the player or the desktop: they answer at once and
// keep what they were asked, so that no test waits in a dialog.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "files/FileCommandsUi.h"
#include "files/MsgBox.h"
#include "help/Shell.h"

namespace zarvel::testing {

// Answers every message box with a fixed answer and keeps what it was asked.
class RecordingMsgBox : public MsgBox {
 public:
  explicit RecordingMsgBox(MsgAnswer answer = MsgAnswer::Yes) : answer_(answer) {}
  MsgAnswer show(const MsgBoxRequest& request) override {
    requests.push_back(request);
    return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : answer_;
  }
  void answerWith(MsgAnswer answer) { answer_ = answer; }
  std::vector<MsgBoxRequest> requests;

 private:
  MsgAnswer answer_;
};

// The file commands' dialogs, message boxes and title, recorded. `Seam` is the interface it
// stands in for: FileCommandsUi itself, or a wider one built on it.
template <class Seam>
class RecordingFileUiOf : public Seam {
 public:
  struct Dialog {
    bool save;
    std::string initialName;
  };
  std::string OpenSaveDialog(bool save, const std::string& initialName) override {
    dialogs.push_back({save, initialName});
    return chosen;
  }
  MsgBox& msgBox() override { return messages; }
  void showTitle(const std::string& text) override { title = text; }

  std::vector<Dialog> dialogs;
  std::string chosen;  // every dialog's answer; "" is Cancel
  RecordingMsgBox messages{MsgAnswer::Yes};
  std::string title = "Головоломка «Zarvel»";
};
using RecordingFileUi = RecordingFileUiOf<FileCommandsUi>;

// A desktop that opens nothing: it keeps what it was asked to open, and lets a test look at
// the screen at that moment.
class RecordingShell : public Shell {
 public:
  void ShellOpen(const std::string& document) override {
    opened.push_back(document);
    if (onOpen) onOpen();
  }
  void processPendingEvents() override { ++eventRounds; }

  std::vector<std::string> opened;
  int eventRounds = 0;
  std::function<void()> onOpen;  // runs while the document is being handed over
};

}  // namespace zarvel::testing
