// The Windows program under Wine on a private Xvfb: a fresh Wine prefix of the session's own, a
// private HOME whose ALSA default device writes what is played to a file, and a stand-in xdg-open
// first on PATH that records what it was asked to open. Results are read from those files and from
// the screen, never from Wine's exit codes, which say little.

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "forms/layout.hpp"
#include "tests/e2e/harness.hpp"

namespace wizlo::wine {

using e2e::ChildProcess;
using e2e::runCommand;
using e2e::Milliseconds;
using e2e::VirtualDisplay;
using e2e::WindowInfo;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The pointer the X server shows, as XFixes tells it: its size, hot spot and 0xAARRGGBB pixels.
struct ShownPointer {
  int width = 0, height = 0, hotX = 0, hotY = 0;
  std::vector<std::uint32_t> argb;
};
ShownPointer shownPointer(const VirtualDisplay& display);

// The pixels of one part of the screen, as a screenshot of the whole screen that is black elsewhere:
// a test that looks again and again, key after key, reads a window in a tenth of the whole's time.
e2e::Screenshot screenPart(const VirtualDisplay& display, const WindowInfo& part);

// A whole file's bytes; empty if there is none.
std::string readFile(const fs::path& path);

class WineSession {
 public:
  // Makes the prefix (10 to 20 s) with windows that Wine frames itself (no window manager here) and
  // sound through ALSA, or copies the one made so in WIZLO_WINE_PREFIX when there is one (see
  // make_prefix.cpp). `program` is the built Wizlo.exe; its sounds lie beside it.
  WineSession(VirtualDisplay& display, fs::path program);
  ~WineSession();
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;

  VirtualDisplay& display() const { return display_; }
  const fs::path& program() const { return program_; }
  fs::path driveC() const { return prefix_ / "drive_c"; }
  const fs::path& prefix() const { return prefix_; }

  // `wine` with these arguments and the session's environment, with `extra` ("NAME=value") added;
  // its output into the session's folder.
  ChildProcess wine(const std::vector<std::string>& arguments, const std::vector<std::string>& extra = {}) const;
  std::vector<std::string> environment() const;
  // Waits until every process of the prefix has ended.
  void settle(Milliseconds timeout = 60000ms) const;
  // The dots per inch Windows programs are told, as a desktop's display settings set it.
  void setDpi(int dpi) const;
  // The environment of a Windows whose system locale is Arabic (Egypt), as at the schools: its ANSI
  // code page, 1256, holds Arabic letters. The locale is built into the session's folder.
  std::vector<std::string> arabicSystem() const;

  // What the program played, sound by sound: "yes", "no", or "" for anything else.
  std::vector<std::string> sounds() const;
  // Whether the capture ends part-way through a sound: one is playing.
  bool soundUnderway() const;
  // Each address the stand-in xdg-open was given, one a line.
  std::vector<std::string> openedAddresses() const;

 private:
  struct Played {
    std::vector<std::string> names;
    bool underway = false;
  };
  Played played() const;
  void importRegistry(const std::string& text) const;
  void copyPrefix(const fs::path& made);

  VirtualDisplay& display_;
  fs::path program_, folder_, prefix_, capture_, opened_;
};

// One run of Wizlo.exe, found on the screen: its windows and their client areas.
class WizloOnWine {
 public:
  // Starts the program (a Windows or Linux path) and waits for its first form (the menu, unless told)
  // to be drawn, starting it once more if the first start shows no window: a Wine freshly started now
  // and then loses its first. `arguments` follow the program's path: a lesson board's pack, say.
  WizloOnWine(const WineSession& session, const std::string& path, double scale = 1,
              std::vector<std::string> environment = {}, std::vector<std::string> arguments = {},
              const FormLayout* first = nullptr);
  ~WizloOnWine();

  bool running() { return process_->running(); }
  double scale() const { return scale_; }
  // The visible windows, oldest (the menu) first, as X has them: the frame Wine draws included.
  std::vector<WindowInfo> windows() const;
  // Waits until `count` windows are up and the newest is drawn; returns the client area of the
  // newest, whose size `form` gives. `top` is then that newest window, frame and all.
  WindowInfo waitForWindows(std::size_t count, const FormLayout& form, Milliseconds timeout = 10000ms) const;
  // The client area of a window of `form`.
  WindowInfo clientOf(const WindowInfo& window, const FormLayout& form) const;
  const WindowInfo& top() const { return top_; }
  // Clicks the close box Wine draws at the right of the title bar.
  void clickCloseBox(const WindowInfo& window) const;

  // A point of a client area given in twips, on the screen; the centre of a control.
  e2e::Point at(const WindowInfo& client, int xTwips, int yTwips) const;
  e2e::Point centre(const WindowInfo& client, const ImageLayout& control) const;

 private:
  bool started(const std::string& path, const std::vector<std::string>& environment,
               const std::vector<std::string>& arguments, const FormLayout& first, Milliseconds timeout);

  const WineSession& session_;
  double scale_;
  std::optional<ChildProcess> process_;
  mutable std::vector<e2e::WindowId> seen_;  // every window seen, in the order it was first seen
  mutable WindowInfo top_;
};

}  // namespace wizlo::wine
