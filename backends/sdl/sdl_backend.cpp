#include "backends/sdl/sdl_backend.hpp"

#include <SDL_syswm.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "backends/sdl/display_dpi.hpp"
#include "backends/frame_log.hpp"
#include "backends/sdl/x11_errors.hpp"
#include "backends/sdl/x11_frame.hpp"
#include "backends/sdl/x11_held_buttons.hpp"
#include "forms/compose.hpp"
#include "forms/display_scale.hpp"

namespace wizlo {

namespace {

// Runs the message box helper and waits for it to be dismissed; false when it could not show the
// message (missing, no display), so that it is said some other way. Before the first form the scale
// is unknown (0): the helper asks the display itself.
bool showInHelper(const std::string& helper, const std::string& text, double scale) {
  const std::string scaleText = std::to_string(scale);
  std::vector<char*> arguments{const_cast<char*>(helper.c_str())};
  if (scale > 0) {
    arguments.push_back(const_cast<char*>("--scale"));
    arguments.push_back(const_cast<char*>(scaleText.c_str()));
  }
  arguments.push_back(const_cast<char*>(text.c_str()));
  arguments.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, helper.c_str(), nullptr, nullptr, arguments.data(), environ) != 0) return false;
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return false;
  // Ended by a signal, it was not dismissed: the run is being stopped, and no other box should show.
  return !WIFEXITED(status) || WEXITSTATUS(status) == 0;
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

Key keyOf(SDL_Keycode sym) {
  switch (sym) {
    case SDLK_TAB: return Key::Tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return Key::Enter;
    case SDLK_SPACE: return Key::Space;
    case SDLK_ESCAPE: return Key::Escape;
    case SDLK_LEFT: return Key::Left;
    case SDLK_RIGHT: return Key::Right;
    case SDLK_UP: return Key::Up;
    case SDLK_DOWN: return Key::Down;
    default: return Key::Other;
  }
}

// An SDL surface over a bitmap's pixels, which must outlive it.
SDL_Surface* surfaceOver(Bitmap& bitmap) {
  return SDL_CreateRGBSurfaceWithFormatFrom(bitmap.argb.data(), bitmap.width, bitmap.height, 32, bitmap.width * 4,
                                            SDL_PIXELFORMAT_ARGB8888);
}

// Surfaces whose pixels are the frame's own words: composing into them needs no conversion.
bool framePixels(const SDL_Surface* surface) {
  return surface->format->format == SDL_PIXELFORMAT_RGB888 || surface->format->format == SDL_PIXELFORMAT_ARGB8888;
}

}  // namespace

SdlBackend::SdlBackend() {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A pupil's first click on a window must count, focused or not.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Frames are composed by us and change only on a click: the window's own framebuffer (shared
  // memory on X11) is all they need. An accelerated one costs a GL context per window: on machines
  // whose GL is itself software that is 10 ms a window, 50 ms and 70 MiB at start-up.
  // SDL_FRAMEBUFFER_ACCELERATION in the environment still asks for one.
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
  for (auto& [id, window] : windows_) SDL_DestroyWindow(window.window);
  for (auto& [art, cursor] : cursors_) SDL_FreeCursor(cursor.second);
  if (arrow_) SDL_FreeCursor(arrow_);
  if (crosshair_) SDL_FreeCursor(crosshair_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlBackend::settleDisplay(const WindowSpec& first) {
  // A hidden probe tells us the display before the first form opens; every form keeps the scale found
  // here, so pictures, pointer images and the twips of the events agree for the whole run. Made like
  // the forms' windows, it also learns the frame the window manager will give them.
  settled_ = true;
  SDL_Window* probe = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 1, 1,
                                       SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
  if (!probe) return;
  frame_ = frameToCome(probe).value_or(FrameExtents{});
  const int width = first.client.Width / kTwipsPerPixel, height = first.client.Height / kTwipsPerPixel;
  SDL_Rect usable{0, 0, width, height};
  SDL_GetDisplayUsableBounds(std::max(0, SDL_GetWindowDisplayIndex(probe)), &usable);
  scale_ = displayScale(displayDpi(probe), width, height, usable.w - frame_.left - frame_.right,
                        usable.h - frame_.top - frame_.bottom);
  SDL_DestroyWindow(probe);
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
  if (!settled_) settleDisplay(request);
  const int width = toPixels(request.client.Width, scale_), height = toPixels(request.client.Height, scale_);
  int x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
  if (!request.placedBySystem) {
    // A window manager puts the frame's top-left corner where a new window asks to be.
    const PixelRect placed =
        onWorkArea({toPixels(request.client.Left, scale_), toPixels(request.client.Top, scale_), width, height});
    x = placed.x - frame_.left;
    y = placed.y - frame_.top;
  }
  const std::string caption(request.caption);
  SDL_Window* window = SDL_CreateWindow(caption.c_str(), x, y, width, height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN);
  if (!window) throw std::runtime_error(std::string("cannot open a window: ") + SDL_GetError());
  if (const Artwork* art = request.icon.artwork()) {
    Bitmap image = art->bestFor(64, 64);
    if (SDL_Surface* icon = surfaceOver(image)) {
      SDL_SetWindowIcon(window, icon);
      SDL_FreeSurface(icon);
    }
  }
  const WindowId id = SDL_GetWindowID(window);
  windows_.emplace(id, Window{window, {}});
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
  SDL_DestroyWindow(found->second.window);
  windows_.erase(found);
  if (!windows_.empty()) letGoHeldButtons(windows_.begin()->second.window);
}

FrameView SdlBackend::frame(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return {};
  Window& window = found->second;
  SDL_Surface* surface = SDL_GetWindowSurface(window.window);
  if (!surface) throw std::runtime_error(std::string("cannot draw in a window: ") + SDL_GetError());
  // A frame whose composing failed was never shown: its lock goes before a new one is taken.
  if (window.locked) SDL_UnlockSurface(std::exchange(window.locked, nullptr));
  window.staged = false;
  if (framePixels(surface) && SDL_LockSurface(surface) == 0) {
    window.locked = surface;
    return {static_cast<std::uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4};
  }
  window.staging.resize(static_cast<std::size_t>(surface->w) * static_cast<std::size_t>(surface->h));
  window.staged = true;
  return {window.staging.data(), surface->w, surface->h, surface->w};
}

void SdlBackend::show(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  Window& window = found->second;
  // Unlocked before SDL is asked for the surface again: nothing between frame() and here let it change.
  const bool locked = window.locked != nullptr;
  if (locked) SDL_UnlockSurface(std::exchange(window.locked, nullptr));
  const bool staged = std::exchange(window.staged, false);
  SDL_Surface* surface = SDL_GetWindowSurface(window.window);
  if (!surface || (!locked && !staged)) return;  // no frame was composed for this window
  if (staged && window.staging.size() == static_cast<std::size_t>(surface->w) * static_cast<std::size_t>(surface->h) &&
      SDL_LockSurface(surface) == 0) {
    SDL_ConvertPixels(surface->w, surface->h, SDL_PIXELFORMAT_RGB888, window.staging.data(), surface->w * 4,
                      surface->format->format, surface->pixels, surface->pitch);
    SDL_UnlockSurface(surface);
  }
  SDL_UpdateWindowSurface(window.window);
  noteFrameShown(SDL_GetWindowID(window.window));
}

SDL_Cursor* SdlBackend::cursorFor(const PictureValue& picture) {
  const Artwork* art = picture.artwork();
  if (!art) return arrow_;
  if (const auto found = cursors_.find(art); found != cursors_.end()) return found->second.second;
  const int size = static_cast<int>(std::lround(kCursorSize * scale_));
  std::optional<Bitmap> image = pointerImage(picture, size);
  SDL_Surface* surface = image ? surfaceOver(*image) : nullptr;
  SDL_Cursor* cursor = surface ? SDL_CreateColorCursor(surface, size / 2, size / 2) : nullptr;
  SDL_FreeSurface(surface);
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
  event.x = toTwips(x, scale_);
  event.y = toTwips(y, scale_);
  int w = 0, h = 0;
  if (const auto found = windows_.find(windowId); found != windows_.end())
    SDL_GetWindowSize(found->second.window, &w, &h);
  event.inside = x >= 0 && y >= 0 && x < w && y < h;
  return event;
}

InputEvent SdlBackend::fingerEvent(InputEvent::Kind kind, const SDL_TouchFingerEvent& finger) const {
  int w = 0, h = 0;
  SDL_GetWindowSize(windows_.at(finger.windowID).window, &w, &h);
  // Normalised as SDL's X11 driver does (the last pixel is 1), and beyond 0..1 once the finger has
  // left the window that it touched first.
  InputEvent event = pointerEvent(kind, finger.windowID, static_cast<int>(std::lround(finger.x * (w - 1))),
                                  static_cast<int>(std::lround(finger.y * (h - 1))));
  event.pointer = PointerKind::Touch;
  event.finger = static_cast<int>(finger.fingerId);
  // A finger down is the left button down.
  if (kind == InputEvent::Kind::Move)
    event.buttons = kLeftButton;
  else
    event.button = kLeftButton;
  return event;
}

bool SdlBackend::translate(const SDL_Event& sdl, InputEvent& event) const {
  using Kind = InputEvent::Kind;
  switch (sdl.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      // SDL makes mouse events of the first finger as well: the finger comes as itself, below.
      if (sdl.button.which == SDL_TOUCH_MOUSEID) return false;
      event = pointerEvent(sdl.type == SDL_MOUSEBUTTONDOWN ? Kind::Press : Kind::Release, sdl.button.windowID,
                           sdl.button.x, sdl.button.y);
      event.button = buttonOf(sdl.button.button);
      return event.button != 0;
    case SDL_MOUSEMOTION:
      if (sdl.motion.which == SDL_TOUCH_MOUSEID) return false;
      event = pointerEvent(Kind::Move, sdl.motion.windowID, sdl.motion.x, sdl.motion.y);
      event.buttons = buttonsOf(sdl.motion.state);
      return true;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: {
      // A touchpad's fingers move the mouse pointer, and come as the mouse; only a touch screen's
      // are fingers on a window.
      const SDL_TouchDeviceType device = SDL_GetTouchDeviceType(sdl.tfinger.touchId);
      if (device == SDL_TOUCH_DEVICE_INDIRECT_ABSOLUTE || device == SDL_TOUCH_DEVICE_INDIRECT_RELATIVE) return false;
      if (!windows_.contains(sdl.tfinger.windowID)) return false;
      // SDL 2 has no cancelled touch: a finger the system takes back ends as a lift or not at all,
      // and a window that loses the focus mid-drag ends the drag below.
      const Kind kind = sdl.type == SDL_FINGERDOWN ? Kind::Press : sdl.type == SDL_FINGERUP ? Kind::Release : Kind::Move;
      event = fingerEvent(kind, sdl.tfinger);
      return true;
    }
    case SDL_KEYDOWN: {
      // With Ctrl, Alt or the system key held a key is a shortcut of the desktop's, not a move.
      if (sdl.key.keysym.mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return false;
      const Key key = keyOf(sdl.key.keysym.sym);
      if (key == Key::Other) return false;
      event = InputEvent{.kind = Kind::Key, .window = sdl.key.windowID};
      event.key = key;
      event.shift = (sdl.key.keysym.mod & KMOD_SHIFT) != 0;
      event.repeat = sdl.key.repeat != 0;
      return true;
    }
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
  std::fflush(stderr);
  if (!messageHelper_.empty() && showInHelper(messageHelper_, text, settled_ ? scale_ : 0)) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Wizlo", text.c_str(), nullptr);
}

}  // namespace wizlo
