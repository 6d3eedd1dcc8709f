// One connection to a test's X server: what is on the screen, which windows a process
// shows and where, where the keyboard focus is, and real input through XTEST.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/e2e/Image.h"

// Xlib's own header stays out of the suite's headers: its macros (None, Bool, Status)
// clash with ordinary names.
struct _XDisplay;

namespace zarvel::e2e {

using Window = unsigned long;  // an X resource id, as Xlib defines it

class XDisplay {
 public:
  // Connects to `name` (":7"); fails the calling test when it cannot.
  explicit XDisplay(const std::string& name);
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  bool connected() const { return display_ != nullptr; }
  Window root() const { return root_; }
  Rect screen() const { return {0, 0, width_, height_}; }

  // The screen's pixels inside `area` (clipped to the screen).
  Image grab(const Rect& area);
  Image grabScreen() { return grab(screen()); }

  // Mapped top-level windows of process `pid`, as the program made them (not the window
  // manager's frames), in stacking order from bottom to top.
  std::vector<Window> windowsOf(pid_t pid);
  std::string title(Window window);      // _NET_WM_NAME, else WM_NAME
  bool overrideRedirect(Window window);  // menus and other pop-ups
  bool viewable(Window window);
  // Where the window's own area lies on the screen, asked of the X server.
  Rect area(Window window);
  // The window with whatever the window manager put around it: the ancestor that is a
  // child of the root window (the window itself when nothing was put around it).
  Rect frame(Window window);
  Window parent(Window window);
  Window focus();
  // The name a running window manager announces (empty when none runs).
  std::string windowManagerName();
  // Maps a small window of our own and waits up to `patienceMs` for a window manager to
  // put its frame around it; true once one did.
  bool windowGetsFramed(int patienceMs);

  // Input through XTEST, as if from a real pointer and keyboard.
  void movePointer(Point at);
  void button(unsigned number, bool down);
  void click(Point at, unsigned number = 1);
  // A key by its X name ("Return", "F3", "ctrl+n", "shift+Tab"); modifiers before "+".
  void key(const std::string& combination);
  // One key by its X name down or up alone, for a key that is held.
  void keyState(const std::string& name, bool down);
  // Types printable ASCII text, using Shift where the keyboard map needs it.
  void type(const std::string& text);
  void sync();
  // Whether the server repeats a held key (as `xset q` shows it).
  bool autoRepeatOn();

 private:
  unsigned long atom(const char* name);
  std::vector<unsigned char> property(Window window, unsigned long name, unsigned long type,
                                      int format);
  void findWindows(Window under, int depth, pid_t pid, std::vector<Window>& found);
  void keyCode(unsigned char code, bool down);
  void keySym(unsigned long sym, bool down);

  _XDisplay* display_ = nullptr;
  Window root_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace zarvel::e2e
