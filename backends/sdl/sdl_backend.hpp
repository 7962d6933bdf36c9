#pragma once
#include <SDL.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "forms/backend.hpp"
#include "forms/window_placement.hpp"

namespace wizlo {

// There is no display to open windows on.
class NoDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Real windows, mouse, touch and pointer images through SDL2. Frames are composed straight into each
// window's own surface and shown with SDL_UpdateWindowSurface.
class SdlBackend final : public Backend {
 public:
  SdlBackend();  // throws NoDisplayError
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  WindowId openWindow(const WindowSpec& request) override;
  void closeWindow(WindowId window) override;
  void raise(WindowId window) override;
  double scale() const override { return scale_; }
  FrameView frame(WindowId window) override;
  void show(WindowId window) override;
  void setPointer(PointerShape shape, const PictureValue& picture) override;
  InputEvent nextEvent() override;
  std::uintptr_t nativeHandle(WindowId window) const override;
  // Shows a message in `helper`'s box (wizlo-message), SDL's own box where it fails, and always on
  // standard error.
  void reportError(std::string_view message) override;
  void setMessageHelper(std::string helper) { messageHelper_ = std::move(helper); }

 private:
  struct Window {
    SDL_Window* window = nullptr;
    // Where a surface's pixels are not 32-bit XRGB, or it cannot be locked, the frame is composed here
    // and converted when it is shown.
    std::vector<std::uint32_t> staging;
    // What frame() handed out, so that show() finishes the same way: the surface it locked, to be
    // unlocked, or the staging buffer, to be copied.
    SDL_Surface* locked = nullptr;
    bool staged = false;
  };
  bool translate(const SDL_Event& sdl, InputEvent& event) const;
  InputEvent pointerEvent(InputEvent::Kind kind, Uint32 windowId, int x, int y) const;
  InputEvent fingerEvent(InputEvent::Kind kind, const SDL_TouchFingerEvent& finger) const;
  SDL_Cursor* cursorFor(const PictureValue& picture);
  void settleDisplay(const WindowSpec& first);
  // `client` moved so that its frame lies on the work area of its display.
  PixelRect onWorkArea(PixelRect client) const;
  // Corrects a manually placed window once it shows, with the frame it really got.
  void keepOnWorkArea(SDL_Window* window);

  std::map<WindowId, Window> windows_;
  std::map<const Artwork*, std::pair<std::shared_ptr<const Artwork>, SDL_Cursor*>> cursors_;
  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* crosshair_ = nullptr;
  double scale_ = 1;  // screen pixels to a 96-dpi pixel, settled by the first window
  bool settled_ = false;
  FrameExtents frame_;  // around our last window, or what the window manager promised before the first
  std::string messageHelper_;
};

}  // namespace wizlo
