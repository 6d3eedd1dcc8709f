// Xlib and XTEST behind the few questions and actions the suite needs.
#include "tests/e2e/XDisplay.h"

// GoogleTest before Xlib, whose macros (None, Bool) would break its headers.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace zarvel::e2e {
namespace {

// Windows come and go while the suite looks at them; asking about one that has just
// gone is expected and must not end the test process, as Xlib's default handler would.
int ignoreErrors(Display* /*display*/, XErrorEvent* /*event*/) {
  return 0;
}

struct XFreeDeleter {
  void operator()(void* data) const {
    if (data != nullptr) XFree(data);
  }
};

std::uint8_t channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const unsigned long value = (pixel & mask) >> static_cast<unsigned>(shift);
  const unsigned long maximum = mask >> static_cast<unsigned>(shift);
  return static_cast<std::uint8_t>(value * 255U / maximum);
}

}  // namespace

XDisplay::XDisplay(const std::string& name) {
  XSetErrorHandler(ignoreErrors);
  display_ = XOpenDisplay(name.c_str());
  if (display_ == nullptr) {
    ADD_FAILURE() << "cannot connect to the X server " << name;
    return;
  }
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display_, &event, &error, &major, &minor)) {
    ADD_FAILURE() << "the X server " << name << " has no XTEST extension";
  }
  root_ = DefaultRootWindow(display_);
  width_ = DisplayWidth(display_, DefaultScreen(display_));
  height_ = DisplayHeight(display_, DefaultScreen(display_));
}

XDisplay::~XDisplay() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

unsigned long XDisplay::atom(const char* name) {
  return XInternAtom(display_, name, False);
}

Image XDisplay::grab(const Rect& area) {
  const int left = std::max(area.x, 0);
  const int top = std::max(area.y, 0);
  const int right = std::min(area.x + area.width, width_);
  const int bottom = std::min(area.y + area.height, height_);
  if (right <= left || bottom <= top) return {};
  const auto destroy = [](XImage* image) { XDestroyImage(image); };
  const std::unique_ptr<XImage, decltype(destroy)> image(
      XGetImage(display_, root_, left, top, static_cast<unsigned>(right - left),
                static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap),
      destroy);
  if (!image) return {};
  Image result(right - left, bottom - top);
  const bool fast = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
  for (int y = 0; y < result.height(); ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(
        image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
    for (int x = 0; x < result.width(); ++x) {
      const unsigned long pixel = fast ? line[x] : XGetPixel(image.get(), x, y);
      result.set(x, y,
                 {channel(pixel, image->red_mask), channel(pixel, image->green_mask),
                  channel(pixel, image->blue_mask)});
    }
  }
  return result;
}

std::vector<unsigned char> XDisplay::property(Window window, unsigned long name, unsigned long type,
                                              int format) {
  Atom actualType = None;
  int actualFormat = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* raw = nullptr;
  if (XGetWindowProperty(display_, window, name, 0, 4096, False, type, &actualType, &actualFormat,
                         &items, &after, &raw) != Success) {
    return {};
  }
  const std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
  if (raw == nullptr || actualType != type || actualFormat != format) return {};
  // Xlib hands 32-bit items over as longs.
  const std::size_t itemSize = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
  return {raw, raw + items * itemSize};
}

void XDisplay::findWindows(Window under, int depth, pid_t pid, std::vector<Window>& found) {
  Window rootReturn = 0;
  Window parentReturn = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, under, &rootReturn, &parentReturn, &children, &count) == 0) return;
  const std::unique_ptr<Window, XFreeDeleter> owned(children);
  for (unsigned int i = 0; i < count; ++i) {
    const Window child = children[i];
    const auto owner = property(child, atom("_NET_WM_PID"), XA_CARDINAL, 32);
    if (owner.size() >= sizeof(long)) {
      long value = 0;
      std::memcpy(&value, owner.data(), sizeof(long));
      if (value == pid && viewable(child)) found.push_back(child);
    } else if (depth > 0) {
      findWindows(child, depth - 1, pid, found);  // inside a window manager's frame
    }
  }
}

std::vector<Window> XDisplay::windowsOf(pid_t pid) {
  std::vector<Window> found;
  findWindows(root_, 2, pid, found);
  return found;
}

std::string XDisplay::title(Window window) {
  auto text = property(window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8);
  if (text.empty()) text = property(window, XA_WM_NAME, XA_STRING, 8);
  return {text.begin(), text.end()};
}

bool XDisplay::overrideRedirect(Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, window, &attributes) != 0 &&
         attributes.override_redirect != 0;
}

bool XDisplay::viewable(Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

Rect XDisplay::area(Window window) {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, window, &attributes) == 0) return {};
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window, root_, 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

Window XDisplay::parent(Window window) {
  Window rootReturn = 0;
  Window parentReturn = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, window, &rootReturn, &parentReturn, &children, &count) == 0) return 0;
  const std::unique_ptr<Window, XFreeDeleter> owned(children);
  return parentReturn;
}

Rect XDisplay::frame(Window window) {
  Window top = window;
  for (Window up = parent(top); up != 0 && up != root_; up = parent(top)) top = up;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, top, &attributes) == 0) return {};
  const int border = attributes.border_width;
  return {attributes.x, attributes.y, attributes.width + 2 * border,
          attributes.height + 2 * border};
}

Window XDisplay::focus() {
  Window focused = 0;
  int revert = 0;
  XGetInputFocus(display_, &focused, &revert);
  return focused;
}

std::string XDisplay::windowManagerName() {
  const auto check = property(root_, atom("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32);
  if (check.size() < sizeof(long)) return {};
  long window = 0;
  std::memcpy(&window, check.data(), sizeof(long));
  return title(static_cast<Window>(window));
}

bool XDisplay::windowGetsFramed(int patienceMs) {
  const Window probe = XCreateSimpleWindow(display_, root_, 0, 0, 16, 16, 0, 0, 0);
  XStoreName(display_, probe, "zarvel-e2e-probe");
  XMapWindow(display_, probe);
  sync();
  bool framed = false;
  for (int waited = 0; waited < patienceMs && !framed; waited += 20) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    framed = parent(probe) != root_ && viewable(probe);
  }
  XDestroyWindow(display_, probe);
  sync();
  return framed;
}

void XDisplay::movePointer(Point at) {
  XTestFakeMotionEvent(display_, DefaultScreen(display_), at.x, at.y, CurrentTime);
  sync();
}

void XDisplay::button(unsigned number, bool down) {
  XTestFakeButtonEvent(display_, number, down ? True : False, CurrentTime);
  sync();
}

void XDisplay::click(Point at, unsigned number) {
  movePointer(at);
  button(number, true);
  button(number, false);
}

void XDisplay::keyCode(unsigned char code, bool down) {
  XTestFakeKeyEvent(display_, code, down ? True : False, CurrentTime);
}

void XDisplay::keySym(unsigned long sym, bool down) {
  const KeyCode code = XKeysymToKeycode(display_, sym);
  if (code == 0) {
    ADD_FAILURE() << "the keyboard map has no key for keysym " << sym;
    return;
  }
  keyCode(code, down);
}

void XDisplay::key(const std::string& combination) {
  std::vector<unsigned long> modifiers;
  std::string rest = combination;
  for (auto plus = rest.find('+'); plus != std::string::npos && plus + 1 < rest.size();
       plus = rest.find('+')) {
    const std::string modifier = rest.substr(0, plus);
    rest = rest.substr(plus + 1);
    if (modifier == "ctrl") modifiers.push_back(XStringToKeysym("Control_L"));
    if (modifier == "shift") modifiers.push_back(XStringToKeysym("Shift_L"));
    if (modifier == "alt") modifiers.push_back(XStringToKeysym("Alt_L"));
  }
  const KeySym sym = XStringToKeysym(rest.c_str());
  if (sym == NoSymbol) {
    ADD_FAILURE() << "no key is called '" << rest << "'";
    return;
  }
  for (const auto modifier : modifiers) keySym(modifier, true);
  keySym(sym, true);
  keySym(sym, false);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) keySym(*it, false);
  sync();
}

void XDisplay::keyState(const std::string& name, bool down) {
  keySym(XStringToKeysym(name.c_str()), down);
  sync();
}

void XDisplay::type(const std::string& text) {
  const KeyCode shift = XKeysymToKeycode(display_, XStringToKeysym("Shift_L"));
  for (const char c : text) {
    const auto sym = static_cast<KeySym>(static_cast<unsigned char>(c));
    const KeyCode code = XKeysymToKeycode(display_, sym);
    if (c < 0x20 || c > 0x7E || code == 0) {
      ADD_FAILURE() << "cannot type the character '" << c << "'";
      return;
    }
    const bool shifted = XkbKeycodeToKeysym(display_, code, 0, 0) != sym;
    if (shifted) keyCode(shift, true);
    keyCode(code, true);
    keyCode(code, false);
    if (shifted) keyCode(shift, false);
  }
  sync();
}

bool XDisplay::autoRepeatOn() {
  XKeyboardState state{};
  XGetKeyboardControl(display_, &state);
  return state.global_auto_repeat == AutoRepeatModeOn;
}

void XDisplay::sync() {
  XSync(display_, False);
}

}  // namespace zarvel::e2e
