// The end-to-end harness: the real wizlo executable on a private Xvfb, driven through the real
// pointer with xdotool, observed by screenshots, by what SDL's disk audio driver plays and by a
// stand-in xdg-open. Every child it starts is killed and reaped when its owner ends, failure or not.
// No GoogleTest here: errors are thrown as std::runtime_error, so benchmarks and tools can use it too.

#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/process.hpp"

namespace wizlo::e2e {

using testing::ChildProcess;
using testing::runCommand;
using testing::waitUntil;

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

struct Point {
  int x = 0, y = 0;
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The whole screen at one moment.
class Screenshot {
 public:
  Screenshot(int width, int height, std::vector<Rgb> pixels);
  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(Point p) const;  // black outside the screen
  // How many pixels of the rectangle satisfy `test`.
  int count(Point topLeft, int width, int height, const std::function<bool(Rgb)>& test) const;
  bool savePng(const std::string& path) const;  // for a failing test's evidence

 private:
  int width_, height_;
  std::vector<Rgb> pixels_;
};

using WindowId = unsigned long;  // an X window

struct WindowInfo {
  WindowId id = 0;
  std::string name;
  int x = 0, y = 0, width = 0, height = 0;  // the client area on the screen
};

// A rectangle of the screen, in pixels.
struct Box {
  int x = 0, y = 0, width = 0, height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
};

// A private Xvfb: its own display number (chosen by the server through -displayfd), so any number of
// these run in parallel. No window manager unless one is started, so a window's client area lies
// where it asked to be.
class VirtualDisplay {
 public:
  explicit VirtualDisplay(int width = 1280, int height = 1024, int dpi = 96);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  const std::string& name() const { return name_; }  // ":N", for DISPLAY
  Screenshot screenshot() const;

  // Starts openbox, a window manager that frames windows and keeps panels' strips free; returns once
  // it has taken the screen.
  void startWindowManager();
  // A panel along the bottom edge, `height` pixels tall, that reserves its strip as a desktop's
  // taskbar does; returns once the window manager has taken it off the work area.
  void addBottomPanel(int height);
  // The screen less its panels, as the window manager tells it; the whole screen without one.
  Box workArea() const;
  // A window with the frame its window manager put around it.
  Box frame(const WindowInfo& window) const;

  // Runs xdotool against this display and returns its standard output.
  std::string xdotool(const std::vector<std::string>& args) const;
  // Visible windows of a process, oldest first (X gives a client's windows rising ids).
  std::vector<WindowInfo> windowsOf(pid_t pid) const;
  WindowInfo window(WindowId id) const;
  // Sends the WM_DELETE_WINDOW message that a window manager's close box sends.
  void requestClose(WindowId id) const;

  // The real pointer, in screen pixels. A drag moves in `steps` motion events, since SDL must see
  // the pointer travel with the button down.
  void moveTo(Point p) const;
  void press() const;
  void release() const;
  void click(Point p) const;
  void drag(Point from, Point to, int steps = 6) const;
  // Key presses by xdotool's names ("Tab", "shift+Tab", "Return"), with `window` given the focus.
  void pressKeys(WindowId window, const std::vector<std::string>& keys) const;
  // Both buttons pressed at `from`, the pointer moved to `to`, the left let go, then the right.
  void dragWithBothButtons(Point from, Point to) const;

 private:
  struct XConnection;
  std::string name_;
  std::optional<ChildProcess> server_;
  std::optional<ChildProcess> windowManager_;
  std::unique_ptr<XConnection> x_;
};

struct WizloOptions {
  std::string program;     // the wizlo executable; yes.wav and no.wav lie beside it
  bool webOpener = true;   // a stand-in xdg-open first on PATH; false: no xdg-open on PATH at all
  std::vector<std::string> extraEnvironment;  // "NAME=value", added to the controlled environment or replacing
};

// One sound the program played: what it was, judged by its samples.
struct PlayedSound {
  std::string name;  // "yes", "no", or "" for anything else
};

// One run of wizlo on a display, with a controlled environment: DISPLAY, HOME and PATH in a private
// folder, SDL_AUDIODRIVER=disk writing into a FIFO that the run reads sound by sound.
class WizloRun {
 public:
  // `arguments` follow the program's name: a lesson board's pack, say.
  WizloRun(VirtualDisplay& display, WizloOptions options, std::vector<std::string> arguments = {});
  ~WizloRun();
  WizloRun(const WizloRun&) = delete;
  WizloRun& operator=(const WizloRun&) = delete;

  pid_t pid() const;
  bool running();
  std::optional<int> waitForExit(Milliseconds timeout);
  std::string standardError() const;

  std::vector<WindowInfo> windows() const;  // oldest (the menu) first
  // Waits until exactly `count` windows are up and the newest shows a picture; returns the newest.
  WindowInfo waitForWindows(std::size_t count, Milliseconds timeout = 10000ms) const;

  std::vector<PlayedSound> sounds() const;
  bool waitForSounds(std::size_t count, Milliseconds timeout = 10000ms) const;
  // Each request the stand-in xdg-open received: its arguments.
  std::vector<std::vector<std::string>> openedAddresses() const;

  // A point of the window given in twips of its client area, on the screen.
  static Point at(const WindowInfo& window, int xTwips, int yTwips);

 private:
  struct State;
  std::unique_ptr<State> state_;
  VirtualDisplay& display_;
};

}  // namespace wizlo::e2e
