// A private Xvfb, read through Xlib (screenshots, the close box's message) and driven through xdotool;
// openbox and a panel when a test asks for a desktop.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

struct VirtualDisplay::XConnection {
  ::Display* display = nullptr;
  ~XConnection() {
    if (display) XCloseDisplay(display);
  }
};

namespace {

// Reads the display number that Xvfb writes once it accepts connections.
std::string readDisplayNumber(int fd, Milliseconds timeout) {
  std::string text;
  const auto giveUpAt = std::chrono::steady_clock::now() + timeout;
  while (text.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<Milliseconds>(giveUpAt - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) break;
    char chunk[32];
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) break;
    text.append(chunk, static_cast<std::size_t>(got));
  }
  const auto end = text.find('\n');
  if (end == std::string::npos || end == 0) throw std::runtime_error("Xvfb did not start");
  return ":" + text.substr(0, end);
}

// A 32-bit property of the root or of a window of our own, as Xlib hands it over; empty without one.
std::vector<long> property(::Display* display, Window window, const char* name, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 64, False, type,
                         &actualType, &format, &count, &after, &data) == Success &&
      data && actualType == type && format == 32) {
    const auto* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

// Whether the window manager frames a window mapped now. openbox announces itself on the root window
// a moment before it handles windows, and leaves one mapped in that moment unframed for good.
bool framesANewWindow(::Display* display) {
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
  XMapWindow(display, window);
  XSync(display, False);
  const bool framed =
      waitUntil([&] { return !property(display, window, "_NET_FRAME_EXTENTS", XA_CARDINAL).empty(); }, 200ms, 5ms);
  XDestroyWindow(display, window);
  XSync(display, False);
  return framed;
}

}  // namespace

VirtualDisplay::VirtualDisplay(int width, int height, int dpi) : x_(std::make_unique<XConnection>()) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  try {
    server_.emplace(std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0",
                                             std::to_string(width) + "x" + std::to_string(height) + "x24",
                                             "-nolisten", "tcp", "-noreset", "-dpi", std::to_string(dpi)},
                    std::vector<std::string>{}, "/dev/null", "/dev/null", ends[1]);
    close(ends[1]);
    ends[1] = -1;
    name_ = readDisplayNumber(ends[0], 10000ms);
  } catch (...) {
    close(ends[0]);
    if (ends[1] >= 0) close(ends[1]);
    throw;
  }
  close(ends[0]);
  // Holding a connection of our own also keeps the server from resetting between clients.
  x_->display = XOpenDisplay(name_.c_str());
  if (!x_->display) throw std::runtime_error("cannot connect to Xvfb " + name_);
}

VirtualDisplay::~VirtualDisplay() {
  windowManager_.reset();
  x_.reset();
  server_.reset();
}

void VirtualDisplay::startWindowManager() {
  windowManager_.emplace(std::vector<std::string>{"/usr/bin/openbox", "--sm-disable"},
                         std::vector<std::string>{"DISPLAY=" + name_, "HOME=/tmp"});
  const bool started = waitUntil([&] {
    if (!windowManager_->running()) throw std::runtime_error("openbox ended at its start");
    return framesANewWindow(x_->display);
  }, 10000ms, 0ms);
  if (!started) throw std::runtime_error("openbox did not take the screen");
}

void VirtualDisplay::addBottomPanel(int height) {
  ::Display* d = x_->display;
  const int width = DisplayWidth(d, DefaultScreen(d)), screenHeight = DisplayHeight(d, DefaultScreen(d));
  const Window panel = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, screenHeight - height,
                                           static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0,
                                           0x336699);
  const Atom dock = XInternAtom(d, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(d, panel, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&dock), 1);
  // The bottom strip, across the whole width; _NET_WM_STRUT is its first four for older window managers.
  const long strut[12] = {0, 0, 0, height, 0, 0, 0, 0, 0, 0, 0, width - 1};
  XChangeProperty(d, panel, XInternAtom(d, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(strut), 12);
  XChangeProperty(d, panel, XInternAtom(d, "_NET_WM_STRUT", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(strut), 4);
  // Placed where it was put: openbox would otherwise find a place of its own for it.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.y = screenHeight - height;
  hints.width = width;
  hints.height = height;
  XSetWMNormalHints(d, panel, &hints);
  XMapWindow(d, panel);
  XSync(d, False);
  if (!waitUntil([&] { return workArea().bottom() == screenHeight - height; }, 5000ms, 10ms))
    throw std::runtime_error("no window manager took the panel's strip off the work area");
}

Box VirtualDisplay::workArea() const {
  ::Display* d = x_->display;
  // One rectangle a desktop; the first is the one shown.
  const std::vector<long> area = property(d, DefaultRootWindow(d), "_NET_WORKAREA", XA_CARDINAL);
  if (area.size() >= 4)
    return {static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
            static_cast<int>(area[3])};
  return {0, 0, DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

Box VirtualDisplay::frame(const WindowInfo& window) const {
  // Through xprop: a window closed meanwhile is then an exception rather than the end of the test.
  const std::string extents =
      runCommand({"/usr/bin/xprop", "-id", std::to_string(window.id), "_NET_FRAME_EXTENTS"}, {"DISPLAY=" + name_});
  int left = 0, right = 0, top = 0, bottom = 0;  // "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 22, 5", or "not found."
  if (const auto equals = extents.find('='); equals != std::string::npos)
    std::sscanf(extents.c_str() + equals + 1, "%d, %d, %d, %d", &left, &right, &top, &bottom);
  return {window.x - left, window.y - top, left + window.width + right, top + window.height + bottom};
}

Screenshot VirtualDisplay::screenshot() const {
  ::Display* d = x_->display;
  const Window root = DefaultRootWindow(d);
  XWindowAttributes attributes;
  XGetWindowAttributes(d, root, &attributes);
  XImage* image = XGetImage(d, root, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (!image) throw std::runtime_error("cannot read the screen");
  std::vector<Rgb> pixels(static_cast<std::size_t>(attributes.width) * static_cast<std::size_t>(attributes.height));
  for (int y = 0; y < attributes.height; ++y)
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);  // 24-bit TrueColor: 0xRRGGBB
      pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(attributes.width) + static_cast<std::size_t>(x)] = {
          static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
    }
  XDestroyImage(image);
  return Screenshot(attributes.width, attributes.height, std::move(pixels));
}

std::string VirtualDisplay::xdotool(const std::vector<std::string>& args) const {
  std::vector<std::string> argv{"/usr/bin/xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  return runCommand(argv, {"DISPLAY=" + name_});
}

std::vector<WindowInfo> VirtualDisplay::windowsOf(pid_t pid) const {
  std::string found;
  try {
    found = xdotool({"search", "--onlyvisible", "--pid", std::to_string(pid)});
  } catch (const std::runtime_error&) {
    return {};  // xdotool fails when nothing matches
  }
  std::vector<WindowId> ids;
  std::istringstream lines(found);
  for (WindowId id; lines >> id;) ids.push_back(id);
  std::sort(ids.begin(), ids.end());
  std::vector<WindowInfo> windows;
  for (WindowId id : ids) {
    try {
      windows.push_back(window(id));
    } catch (const std::runtime_error&) {
      // closed meanwhile
    }
  }
  return windows;
}

WindowInfo VirtualDisplay::window(WindowId id) const {
  WindowInfo info;
  info.id = id;
  // xwininfo rather than xdotool, whose position counts a window manager's frame offset twice.
  std::istringstream lines(runCommand({"/usr/bin/xwininfo", "-id", std::to_string(id)}, {"DISPLAY=" + name_}));
  const std::pair<const char*, int WindowInfo::*> fields[] = {{"Absolute upper-left X:", &WindowInfo::x},
                                                              {"Absolute upper-left Y:", &WindowInfo::y},
                                                              {"Width:", &WindowInfo::width},
                                                              {"Height:", &WindowInfo::height}};
  for (std::string line; std::getline(lines, line);) {
    const auto start = line.find_first_not_of(' ');
    for (const auto& [label, field] : fields)
      if (start != std::string::npos && line.compare(start, std::strlen(label), label) == 0)
        info.*field = std::atoi(line.c_str() + start + std::strlen(label));
  }
  info.name = xdotool({"getwindowname", std::to_string(id)});
  while (!info.name.empty() && info.name.back() == '\n') info.name.pop_back();
  return info;
}

void VirtualDisplay::requestClose(WindowId id) const {
  ::Display* d = x_->display;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = id;
  event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, id, False, NoEventMask, &event);
  XSync(d, False);
}

void VirtualDisplay::moveTo(Point p) const {
  xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y)});
}

void VirtualDisplay::press() const { xdotool({"mousedown", "1"}); }

void VirtualDisplay::release() const { xdotool({"mouseup", "1"}); }

void VirtualDisplay::click(Point p) const {
  xdotool({"mousemove", std::to_string(p.x), std::to_string(p.y), "mousedown", "1", "mouseup", "1"});
}

void VirtualDisplay::pressKeys(WindowId window, const std::vector<std::string>& keys) const {
  // The keyboard goes to the window with the input focus, as a window manager gives it on a click.
  std::vector<std::string> args{"windowfocus", "--sync", std::to_string(window), "key", "--delay", "30"};
  args.insert(args.end(), keys.begin(), keys.end());
  xdotool(args);
}

void VirtualDisplay::drag(Point from, Point to, int steps) const {
  std::vector<std::string> args{"mousemove", std::to_string(from.x), std::to_string(from.y), "mousedown", "1"};
  steps = std::max(steps, 1);
  for (int i = 1; i <= steps; ++i) {
    args.insert(args.end(), {"sleep", "0.01", "mousemove", std::to_string(from.x + (to.x - from.x) * i / steps),
                             std::to_string(from.y + (to.y - from.y) * i / steps)});
  }
  args.insert(args.end(), {"sleep", "0.02", "mouseup", "1"});
  xdotool(args);
}

void VirtualDisplay::dragWithBothButtons(Point from, Point to) const {
  moveTo(from);
  press();
  xdotool({"mousedown", "3"});
  moveTo(to);
  release();
  xdotool({"mouseup", "3"});
}

Screenshot::Screenshot(int width, int height, std::vector<Rgb> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

Rgb Screenshot::at(Point p) const {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return {};
  return pixels_[static_cast<std::size_t>(p.y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(p.x)];
}

int Screenshot::count(Point topLeft, int width, int height, const std::function<bool(Rgb)>& test) const {
  int n = 0;
  for (int y = topLeft.y; y < topLeft.y + height; ++y)
    for (int x = topLeft.x; x < topLeft.x + width; ++x)
      if (test(at({x, y}))) ++n;
  return n;
}

}  // namespace wizlo::e2e
