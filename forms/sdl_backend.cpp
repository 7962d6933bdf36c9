#include "forms/sdl_backend.hpp"

#include <SDL_syswm.h>

#include "forms/x11_errors.hpp"
#include "forms/x11_frame.hpp"
#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>

namespace wizlo {

namespace {
// For the benchmarks (bench/): WIZLO_FRAME_LOG names a file that gets one line a presented frame,
// "<CLOCK_MONOTONIC ns> <SDL window id>", and WIZLO_EXIT_AFTER_FIRST_FRAME=1 ends the run right after
// the first frame is presented. Read once; without them presenting does nothing more.
void noteFramePresented(SDL_Window* window) {
  static std::FILE* const log = [] {
    const char* path = std::getenv("WIZLO_FRAME_LOG");
    return path && *path ? std::fopen(path, "ae") : nullptr;  // not left open in the web opener
  }();
  static const bool exitAfterFirst = [] {
    const char* exit = std::getenv("WIZLO_EXIT_AFTER_FIRST_FRAME");
    return exit && *exit && *exit != '0';
  }();
  if (log) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(log, "%lld %u\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                 static_cast<unsigned>(SDL_GetWindowID(window)));
    std::fflush(log);
  }
  if (exitAfterFirst) std::_Exit(0);
}

constexpr int kCursorSize = 32;  // the usual size of a drag pointer at 96 dpi

int buttonOf(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return kLeftButton;
    case SDL_BUTTON_RIGHT: return kRightButton;
    case SDL_BUTTON_MIDDLE: return kMiddleButton;
    default: return 0;
  }
}

int buttonsOf(Uint32 state) {
  return ((state & SDL_BUTTON_LMASK) ? kLeftButton : 0) | ((state & SDL_BUTTON_RMASK) ? kRightButton : 0) |
         ((state & SDL_BUTTON_MMASK) ? kMiddleButton : 0);
}
// SDL 2.26 finds no dpi on many X servers (Xvfb, or Xorg's fixed 96). What a desktop asks for is its
// Xft.dpi resource; after that, the dpi the X screen was given (Xorg or Xvfb -dpi). SDL loads Xlib at
// run time, and so do we, rather than tie the program to it at link time.
double x11Dpi(const SDL_SysWMinfo& info) {
  void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
  if (!xlib) return 0;
  using GetDefault = char* (*)(::Display*, const char*, const char*);
  using ScreenMeasure = int (*)(::Display*, int);
  using DefaultScreen = int (*)(::Display*);
  const auto getDefault = reinterpret_cast<GetDefault>(dlsym(xlib, "XGetDefault"));
  const auto widthPixels = reinterpret_cast<ScreenMeasure>(dlsym(xlib, "XDisplayWidth"));
  const auto widthMillimetres = reinterpret_cast<ScreenMeasure>(dlsym(xlib, "XDisplayWidthMM"));
  const auto defaultScreen = reinterpret_cast<DefaultScreen>(dlsym(xlib, "XDefaultScreen"));
  double dpi = 0;
  if (getDefault)
    if (const char* xft = getDefault(info.info.x11.display, "Xft", "dpi")) dpi = std::atof(xft);
  if (dpi <= 0 && widthPixels && widthMillimetres && defaultScreen) {
    const int screen = defaultScreen(info.info.x11.display);
    const int millimetres = widthMillimetres(info.info.x11.display, screen);
    if (millimetres > 0) dpi = widthPixels(info.info.x11.display, screen) * 25.4 / millimetres;
  }
  dlclose(xlib);
  return dpi;
}
}  // namespace

int displayScale(double dpi, int width, int height, int usableWidth, int usableHeight) {
  constexpr double kBaseDpi = 96;
  if (!(dpi > 0)) return 1;
  int scale = std::max(1, static_cast<int>(std::floor((dpi + kBaseDpi / 4) / kBaseDpi)));
  while (scale > 1 && (width * scale > usableWidth || height * scale > usableHeight)) --scale;
  return scale;
}

int SdlBackend::scaleFor(SDL_Window* window, int width, int height) const {
  double dpi = 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) dpi = x11Dpi(info);
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window));
  if (float diagonal = 0; dpi <= 0 && SDL_GetDisplayDPI(display, &diagonal, nullptr, nullptr) == 0) dpi = diagonal;
  SDL_Rect usable{0, 0, width, height};
  SDL_GetDisplayUsableBounds(display, &usable);
  return displayScale(dpi, width, height, usable.w, usable.h);
}

SdlBackend::SdlBackend() {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A pupil's first click on a window must count, focused or not.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Our pictures change only on a click, so SDL's own software renderer on
  // the window's framebuffer is all a frame needs. The OpenGL one costs a
  // new context per window: on machines whose GL is itself software (virtual
  // machines, old school computers) that is 10 ms a window, 50 ms and 70 MiB
  // at start-up. SDL_RENDER_DRIVER in the environment still picks another.
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_DEFAULT);
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  // Before SDL opens the display: SDL keeps the handler it finds and puts it
  // back just before it closes the display at the end, when a wake-up it
  // sent to a closed window can still come back as BadWindow.
  tolerateStaleWindowErrors();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    throw NoDisplayError(std::string("cannot open the display: ") + SDL_GetError());
  // Where no display can be had, SDL falls back to drivers that draw into
  // memory: the program would wait for ever behind windows nobody sees. Only
  // a driver asked for by name (a test's "offscreen") is taken as a display.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if ((driver == "offscreen" || driver == "dummy") && !(asked && *asked)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw NoDisplayError("cannot open the display: none found");
  }
  arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  crosshair_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
}

SdlBackend::~SdlBackend() {
  for (auto& [id, window] : windows_) {
    window.textures.reset();
    SDL_DestroyRenderer(window.renderer);
    SDL_DestroyWindow(window.window);
  }
  for (auto& [art, cursor] : cursors_) SDL_FreeCursor(cursor.second);
  if (arrow_) SDL_FreeCursor(arrow_);
  if (crosshair_) SDL_FreeCursor(crosshair_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

PixelRect SdlBackend::onWorkArea(PixelRect client) const {
  SDL_Rect rect{client.x, client.y, client.width, client.height};
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(std::max(0, SDL_GetRectDisplayIndex(&rect)), &usable) != 0) return client;
  return keepFrameInWorkArea(client, frame_, {usable.x, usable.y, usable.w, usable.h});
}

void SdlBackend::keepOnWorkArea(SDL_Window* window) {
  // A window manager frames a window before it maps it, and may place it where it sees fit. Showing
  // waited for the map, so its events telling both are queued by now: pumping them tells SDL.
  SDL_PumpEvents();
  FrameExtents frame;
  SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right);
  if (frame != FrameExtents{}) frame_ = frame;  // none told: keep the estimate
  PixelRect now;
  SDL_GetWindowPosition(window, &now.x, &now.y);
  SDL_GetWindowSize(window, &now.width, &now.height);
  if (const PixelRect placed = onWorkArea(now); placed != now) SDL_SetWindowPosition(window, placed.x, placed.y);
}

WindowId SdlBackend::openWindow(const WindowSpec& request) {
  if (!scaleSettled_) {
    // A hidden probe tells us the display before the first form opens; every form keeps the scale found
    // here, so pictures, pointer images and the twips of the events agree for the whole run. Made like
    // the forms' windows, it also learns the frame the window manager will give them.
    scaleSettled_ = true;
    if (SDL_Window* probe = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1, 1,
                                             SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN)) {
      scale_ = scaleFor(probe, request.client.Width / kTwipsPerPixel, request.client.Height / kTwipsPerPixel);
      frame_ = frameToCome(probe).value_or(FrameExtents{});
      SDL_DestroyWindow(probe);
    }
  }
  const auto pixels = [&](Twips t) { return t * scale_ / kTwipsPerPixel; };
  const int width = pixels(request.client.Width), height = pixels(request.client.Height);
  int x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
  if (!request.placedBySystem) {
    // A window manager puts the frame's top-left corner where a new window asks to be.
    const PixelRect placed = onWorkArea({pixels(request.client.Left), pixels(request.client.Top), width, height});
    x = placed.x - frame_.left;
    y = placed.y - frame_.top;
  }
  std::string caption(request.caption);
  SDL_Window* window =
      SDL_CreateWindow(caption.c_str(), x, y, width, height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
  if (!window) throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) {
    SDL_DestroyWindow(window);
    throw std::runtime_error(std::string("cannot draw in a window: ") + SDL_GetError());
  }
  if (const Artwork* art = request.icon.artwork()) {
    if (SDL_Surface* icon = surfaceOf(art->bestFor(64, 64))) {
      SDL_SetWindowIcon(window, icon);
      SDL_FreeSurface(icon);
    }
  }
  const WindowId id = SDL_GetWindowID(window);
  windows_.emplace(id, Window{window, renderer, std::make_unique<TextureCache>(renderer)});
  if (request.owner)
    if (const auto owner = windows_.find(*request.owner); owner != windows_.end())
      SDL_SetWindowModalFor(window, owner->second.window);
  SDL_ShowWindow(window);
  if (!request.placedBySystem) keepOnWorkArea(window);
  SDL_RaiseWindow(window);
  return id;
}

void SdlBackend::raise(WindowId id) {
  if (const auto found = windows_.find(id); found != windows_.end()) SDL_RaiseWindow(found->second.window);
}

void SdlBackend::closeWindow(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  found->second.textures.reset();
  SDL_DestroyRenderer(found->second.renderer);
  SDL_DestroyWindow(found->second.window);
  windows_.erase(found);
}

void SdlBackend::present(WindowId id, const ControlSet& controls, const Overlay& overlay) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  Window& window = found->second;
  drawForm(window.renderer, *window.textures, controls, overlay, scale_);
  SDL_RenderPresent(window.renderer);
  noteFramePresented(window.window);
}

SDL_Cursor* SdlBackend::cursorFor(const PictureValue& picture) {
  const Artwork* art = picture.artwork();
  if (!art) return arrow_;
  if (const auto found = cursors_.find(art); found != cursors_.end()) return found->second.second;
  const int size = kCursorSize * scale_;
  SDL_Surface* image = pointerImage(picture, size);
  SDL_Cursor* cursor = image ? SDL_CreateColorCursor(image, size / 2, size / 2) : nullptr;
  SDL_FreeSurface(image);
  if (!cursor) return arrow_;
  cursors_.emplace(art, std::make_pair(picture.sharedArtwork(), cursor));
  return cursor;
}

void SdlBackend::setPointer(PointerShape shape, const PictureValue& picture) {
  switch (shape) {
    case PointerShape::Arrow: SDL_SetCursor(arrow_); break;
    case PointerShape::Crosshair: SDL_SetCursor(crosshair_); break;
    case PointerShape::Picture: SDL_SetCursor(cursorFor(picture)); break;
  }
}

InputEvent SdlBackend::pointerEvent(InputEvent::Kind kind, Uint32 windowId, int x, int y) const {
  InputEvent event;
  event.kind = kind;
  event.window = windowId;
  event.x = x * kTwipsPerPixel / scale_;
  event.y = y * kTwipsPerPixel / scale_;
  int w = 0, h = 0;
  if (const auto found = windows_.find(windowId); found != windows_.end())
    SDL_GetWindowSize(found->second.window, &w, &h);
  event.inside = x >= 0 && y >= 0 && x < w && y < h;
  return event;
}

bool SdlBackend::translate(const SDL_Event& sdl, InputEvent& event) const {
  using Kind = InputEvent::Kind;
  switch (sdl.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      event = pointerEvent(sdl.type == SDL_MOUSEBUTTONDOWN ? Kind::Press : Kind::Release, sdl.button.windowID,
                           sdl.button.x, sdl.button.y);
      event.button = buttonOf(sdl.button.button);
      return event.button != 0;
    case SDL_MOUSEMOTION:
      event = pointerEvent(Kind::Move, sdl.motion.windowID, sdl.motion.x, sdl.motion.y);
      event.buttons = buttonsOf(sdl.motion.state);
      return true;
    case SDL_QUIT: event = InputEvent{.kind = Kind::Quit}; return true;
    case SDL_WINDOWEVENT:
      switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE: event = InputEvent{.kind = Kind::Close, .window = sdl.window.windowID}; return true;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
          event = InputEvent{.kind = Kind::Exposed, .window = sdl.window.windowID};
          return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          // Losing focus with the button up means someone else took the
          // pointer mid-drag; with it still down the drag simply goes on.
          if (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) return false;
          event = InputEvent{.kind = Kind::GrabLost, .window = sdl.window.windowID};
          return true;
        default: return false;
      }
    default: return false;
  }
}

InputEvent SdlBackend::nextEvent() {
  SDL_Event sdl;
  InputEvent event;
  for (;;) {
    if (!SDL_WaitEvent(&sdl)) return InputEvent{.kind = InputEvent::Kind::Quit};
    if (translate(sdl, event)) return event;
  }
}

std::uintptr_t SdlBackend::nativeHandle(WindowId id) const {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(found->second.window, &info) && info.subsystem == SDL_SYSWM_X11)
    return static_cast<std::uintptr_t>(info.info.x11.window);
  return id;
}

void SdlBackend::reportError(std::string_view message) {
  const std::string text(message);
  std::fprintf(stderr, "wizlo: %s\n", text.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Wizlo", text.c_str(), nullptr);
}

}  // namespace wizlo
