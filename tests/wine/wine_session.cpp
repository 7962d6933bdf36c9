#include "tests/wine/wine_session.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "forms/frame.hpp"
#include "menu/form1.hpp"

namespace wizlo::wine {

ShownPointer shownPointer(const VirtualDisplay& display) {
  ShownPointer pointer;
  ::Display* x = XOpenDisplay(display.name().c_str());
  if (!x) return pointer;
  if (XFixesCursorImage* image = XFixesGetCursorImage(x)) {
    pointer = {image->width, image->height, image->xhot, image->yhot, {}};
    for (int i = 0; i < image->width * image->height; ++i)
      pointer.argb.push_back(static_cast<std::uint32_t>(image->pixels[i]));
    XFree(image);
  }
  XCloseDisplay(x);
  return pointer;
}

e2e::Screenshot screenPart(const VirtualDisplay& display, const WindowInfo& part) {
  ::Display* x = XOpenDisplay(display.name().c_str());
  if (!x) throw std::runtime_error("cannot connect to " + display.name());
  const int width = DisplayWidth(x, DefaultScreen(x)), height = DisplayHeight(x, DefaultScreen(x));
  const int left = std::clamp(part.x, 0, width), top = std::clamp(part.y, 0, height);
  const int right = std::clamp(part.x + part.width, left, width);
  const int bottom = std::clamp(part.y + part.height, top, height);
  std::vector<e2e::Rgb> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  if (right > left && bottom > top) {
    XImage* image = XGetImage(x, DefaultRootWindow(x), left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image) {
      XCloseDisplay(x);
      throw std::runtime_error("cannot read the screen");
    }
    for (int y = top; y < bottom; ++y)
      for (int column = left; column < right; ++column) {
        const unsigned long p = XGetPixel(image, column - left, y - top);  // 24-bit TrueColor: 0xRRGGBB
        pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(column)] = {
            static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
      }
    XDestroyImage(image);
  }
  XCloseDisplay(x);
  return e2e::Screenshot(width, height, std::move(pixels));
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

namespace {

// The samples of a PCM wave file: its data chunk.
std::string samplesOf(const fs::path& wave) {
  const std::string bytes = readFile(wave);
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::uint32_t size = static_cast<std::uint8_t>(bytes[at + 4]) | static_cast<std::uint8_t>(bytes[at + 5]) << 8 |
                               static_cast<std::uint8_t>(bytes[at + 6]) << 16 |
                               static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 7])) << 24;
    if (bytes.compare(at, 4, "data") == 0) return bytes.substr(at + 8, size);
    at += 8 + size + (size & 1);
  }
  throw std::runtime_error("no samples in " + wave.string());
}

}  // namespace

WineSession::WineSession(VirtualDisplay& display, fs::path program)
    : display_(display), program_(std::move(program)) {
  char pattern[] = "/tmp/wizlo-wine-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
  folder_ = pattern;
  prefix_ = folder_ / "prefix";
  capture_ = folder_ / "played.raw";
  opened_ = folder_ / "opened.txt";
  fs::create_directories(folder_ / "home");
  fs::create_directories(folder_ / "bin");
  // ALSA's file plugin writes each sound's samples as they are played, unpaced, into the capture.
  std::ofstream(folder_ / "home" / ".asoundrc") << "pcm.!default {\n  type file\n  slave.pcm \"null\"\n  file \"|cat >> "
                                                 << capture_.string() << "\"\n  format \"raw\"\n}\n";
  const fs::path opener = folder_ / "bin" / "xdg-open";
  std::ofstream(opener) << "#!/bin/sh\necho \"$*\" >> '" << opened_.string() << "'\n";
  fs::permissions(opener, fs::perms::owner_all);

  // A prefix made once for the whole run is copied: making one costs each test program 10 to 20 s
  // of processor time. The copy is the session's own to change.
  const char* made = std::getenv("WIZLO_WINE_PREFIX");
  if (made && *made && fs::exists(fs::path(made) / "system.reg")) {
    copyPrefix(made);
    return;
  }
  ChildProcess boot(std::vector<std::string>{"/usr/bin/wineboot", "-i"}, environment(),
                    (folder_ / "wineboot.txt").string(), (folder_ / "wineboot.txt").string());
  if (!boot.waitForExit(120000ms)) throw std::runtime_error("wineboot did not finish");
  settle();
  if (!fs::exists(driveC() / "windows" / "system32")) throw std::runtime_error("wineboot made no prefix");
  // With no window manager, a managed window takes two seconds to close: Wine frames its own.
  importRegistry(
      "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n\"Managed\"=\"N\"\n\n"
      "[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n\"Audio\"=\"alsa\"\n");
}

void WineSession::copyPrefix(const fs::path& made) {
  fs::copy(made, prefix_, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  // The user's folders (Desktop, Documents...) link to the HOME of the session that made the prefix:
  // this session's own HOME takes their place.
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(driveC() / "users"))
    if (entry.is_symlink() && fs::read_symlink(entry.path()).is_absolute()) {
      fs::remove(entry.path());
      fs::create_directory_symlink(folder_ / "home", entry.path());
    }
}

WineSession::~WineSession() {
  try {
    runCommand({"/usr/bin/wineserver", "-k"}, environment(), 10000ms);
  } catch (const std::exception&) {
    // none was running
  }
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

std::vector<std::string> WineSession::environment() const {
  return {"DISPLAY=" + display_.name(),
          "HOME=" + (folder_ / "home").string(),
          "PATH=" + (folder_ / "bin").string() + ":/usr/bin:/bin",
          "LANG=C.UTF-8",
          "WINEPREFIX=" + prefix_.string(),
          "WINEDEBUG=-all",
          // No .NET or Gecko installers, and no menu entries or icons written into the real HOME.
          "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d"};
}

ChildProcess WineSession::wine(const std::vector<std::string>& arguments, const std::vector<std::string>& extra) const {
  std::vector<std::string> argv{"/usr/bin/wine"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> environment = this->environment();
  for (const std::string& setting : extra) {  // replacing the session's own
    const std::string name = setting.substr(0, setting.find('=') + 1);
    std::erase_if(environment, [&](const std::string& entry) { return entry.starts_with(name); });
    environment.push_back(setting);
  }
  const std::string log = (folder_ / "wine.txt").string();
  return ChildProcess(argv, environment, log, log);
}

void WineSession::settle(Milliseconds timeout) const {
  ChildProcess wait(std::vector<std::string>{"/usr/bin/wineserver", "-w"}, environment());
  if (!wait.waitForExit(timeout)) throw std::runtime_error("Wine's processes did not end");
}

void WineSession::importRegistry(const std::string& text) const {
  const fs::path file = folder_ / "settings.reg";
  std::ofstream(file) << "REGEDIT4\n\n" << text;
  ChildProcess import = wine({"regedit", "/S", file.string()});
  if (!import.waitForExit(30000ms)) throw std::runtime_error("regedit did not finish");
}

void WineSession::setDpi(int dpi) const {
  char value[16];
  std::snprintf(value, sizeof value, "dword:%08x", dpi);
  importRegistry(std::string("[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n\"LogPixels\"=") + value + "\n");
}

std::vector<std::string> WineSession::arabicSystem() const {
  const fs::path locales = folder_ / "locale";
  fs::create_directories(locales);
  if (!fs::exists(locales / "ar_EG.UTF-8"))
    runCommand({"/usr/bin/localedef", "-i", "ar_EG", "-f", "UTF-8", (locales / "ar_EG.UTF-8").string()}, {}, 60000ms);
  return {"LOCPATH=" + locales.string(), "LANG=ar_EG.UTF-8"};
}

std::vector<std::string> WineSession::sounds() const { return played().names; }

bool WineSession::soundUnderway() const { return played().underway; }

WineSession::Played WineSession::played() const {
  // Wine's mixer pads with silence around and between the sounds, and where it runs short of samples
  // under load, within one too. Without their zero bytes the capture is exactly the sounds played,
  // one after the other, each whole.
  const auto unpadded = [](std::string samples) {
    std::erase(samples, '\0');
    return samples;
  };
  const std::string played = unpadded(readFile(capture_));
  const std::string yes = unpadded(samplesOf(program_.parent_path() / "yes.wav"));
  const std::string no = unpadded(samplesOf(program_.parent_path() / "no.wav"));
  Played result;
  for (std::size_t at = 0; at < played.size();) {
    const std::string_view rest = std::string_view(played).substr(at);
    // A sound still being written counts once it is whole.
    result.underway = (rest.size() < yes.size() && std::string_view(yes).starts_with(rest)) ||
                      (rest.size() < no.size() && std::string_view(no).starts_with(rest));
    if (result.underway) break;
    const bool isYes = rest.starts_with(yes), isNo = !isYes && rest.starts_with(no);
    result.names.push_back(isYes ? "yes" : isNo ? "no" : "");
    if (!isYes && !isNo) break;
    at += isYes ? yes.size() : no.size();
  }
  return result;
}

std::vector<std::string> WineSession::openedAddresses() const {
  std::vector<std::string> lines;
  std::istringstream text(readFile(opened_));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

WizloOnWine::WizloOnWine(const WineSession& session, const std::string& path, double scale,
                         std::vector<std::string> environment, std::vector<std::string> arguments,
                         const FormLayout* first)
    : session_(session), scale_(scale) {
  const FormLayout& form = first ? *first : layouts::Form1;
  // The first program of a fresh Wine waits for its services to start.
  if (!started(path, environment, arguments, form, 30000ms) && !started(path, environment, arguments, form, 30000ms))
    throw std::runtime_error("Wizlo.exe showed no " + std::string(form.Name) + " in two starts");
}

bool WizloOnWine::started(const std::string& path, const std::vector<std::string>& environment,
                          const std::vector<std::string>& arguments, const FormLayout& first, Milliseconds timeout) {
  process_.reset();
  std::vector<std::string> command{path};
  command.insert(command.end(), arguments.begin(), arguments.end());
  process_.emplace(session_.wine(command, environment));
  try {
    waitForWindows(1, first, timeout);
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

WizloOnWine::~WizloOnWine() { process_.reset(); }

std::vector<WindowInfo> WizloOnWine::windows() const { return session_.display().windowsOf(process_->pid()); }

WindowInfo WizloOnWine::clientOf(const WindowInfo& window, const FormLayout& form) const {
  // Wine's own frame: equal borders left, right and below, and the title bar above.
  const int width = toPixels(form.ClientWidth, scale_), height = toPixels(form.ClientHeight, scale_);
  const int border = (window.width - width) / 2;
  if (border < 0 || border > 20 || window.height - height - border < border)
    throw std::runtime_error(window.name + " is " + std::to_string(window.width) + "x" +
                             std::to_string(window.height) + " with its frame, too small or large for " +
                             std::string(form.Name) + " at " + std::to_string(scale_));
  WindowInfo client = window;
  client.x = window.x + border;
  client.y = window.y + window.height - height - border;
  client.width = width;
  client.height = height;
  return client;
}

WindowInfo WizloOnWine::waitForWindows(std::size_t count, const FormLayout& form, Milliseconds timeout) const {
  std::vector<WindowInfo> shown;
  WindowInfo top, client;
  std::vector<e2e::Rgb> lastLook;
  const bool ready = e2e::waitUntil([&] {
    shown = windows();
    if (shown.size() != count) return false;
    if (count == 0) return true;
    // The newest is the one not seen before, else the latest seen still up: X window ids say nothing
    // of which Wine made first.
    const auto newest = std::find_if(shown.begin(), shown.end(), [&](const WindowInfo& w) {
      return std::find(seen_.begin(), seen_.end(), w.id) == seen_.end();
    });
    for (const WindowInfo& w : shown)
      if (std::find(seen_.begin(), seen_.end(), w.id) == seen_.end()) seen_.push_back(w.id);
    const auto latest = std::find_first_of(seen_.rbegin(), seen_.rend(), shown.begin(), shown.end(),
                                           [](e2e::WindowId id, const WindowInfo& w) { return id == w.id; });
    top = newest != shown.end() ? *newest : *std::find_if(shown.begin(), shown.end(), [&](const WindowInfo& w) {
      return w.id == *latest;
    });
    client = clientOf(top, form);
    // Drawn: most of a coarse grid over the client area is no longer black, nor one colour (Wine fills
    // a new window with its class's grey before the program's first frame), and the same two looks in
    // a row (X may show a frame half copied).
    const e2e::Screenshot screen = session_.display().screenshot();
    std::vector<e2e::Rgb> grid;
    for (int y = client.y + 5; y < client.y + client.height; y += 40)
      for (int x = client.x + 5; x < client.x + client.width; x += 40) grid.push_back(screen.at({x, y}));
    const auto lit = std::count_if(grid.begin(), grid.end(), [](e2e::Rgb p) { return !(p == e2e::Rgb{}); });
    const auto plain = std::count(grid.begin(), grid.end(), grid.empty() ? e2e::Rgb{} : grid.front());
    const bool steady = grid == lastLook;
    lastLook = grid;
    return lit * 10 > std::ssize(grid) * 9 && plain * 10 < std::ssize(grid) * 9 && steady;
  }, timeout, 50ms);
  if (!ready)
    throw std::runtime_error("expected " + std::to_string(count) + " drawn windows, saw " +
                             std::to_string(shown.size()));
  top_ = top;
  return client;
}

void WizloOnWine::clickCloseBox(const WindowInfo& window) const {
  const WindowInfo client = window;  // the X window, frame and all
  const int border = 4, caption = 19;  // Wine's frame at 96 dpi
  session_.display().click({client.x + client.width - border - caption / 2 - 1, client.y + border + caption / 2});
}

e2e::Point WizloOnWine::at(const WindowInfo& client, int xTwips, int yTwips) const {
  return {client.x + toPixels(xTwips, scale_), client.y + toPixels(yTwips, scale_)};
}

e2e::Point WizloOnWine::centre(const WindowInfo& client, const ImageLayout& control) const {
  return at(client, control.Left + control.Width / 2, control.Top + control.Height / 2);
}

}  // namespace wizlo::wine
