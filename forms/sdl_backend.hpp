#pragma once
#include <SDL.h>

#include <map>
#include <memory>
#include <stdexcept>

#include "forms/backend.hpp"
#include "forms/sdl_draw.hpp"
#include "forms/window_placement.hpp"

namespace wizlo {

// There is no display to open windows on.
class NoDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Screen pixels to a 96-dpi pixel for a display of `dpi` dots per inch: whole steps only, so every
// picture pixel lands on whole screen pixels (168 dpi and up is 2, 264 and up is 3). A step that would
// make a `width` x `height` window (96-dpi pixels) overflow the `usableWidth` x `usableHeight` screen
// is not taken. No known dpi (0) is 96.
int displayScale(double dpi, int width, int height, int usableWidth, int usableHeight);

// Real windows, mouse and pointer images, through SDL2.
class SdlBackend final : public Backend {
 public:
  SdlBackend();  // throws NoDisplayError
  ~SdlBackend() override;
  SdlBackend(const SdlBackend&) = delete;
  SdlBackend& operator=(const SdlBackend&) = delete;

  WindowId openWindow(const WindowSpec& request) override;
  void closeWindow(WindowId window) override;
  void raise(WindowId window) override;
  void present(WindowId window, const ControlSet& controls, const Overlay& overlay) override;
  void setPointer(PointerShape shape, const PictureValue& picture) override;
  InputEvent nextEvent() override;
  std::uintptr_t nativeHandle(WindowId window) const override;
  void reportError(std::string_view message) override;

 private:
  struct Window {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    std::unique_ptr<TextureCache> textures;
  };
  bool translate(const SDL_Event& sdl, InputEvent& event) const;
  InputEvent pointerEvent(InputEvent::Kind kind, Uint32 windowId, int x, int y) const;
  SDL_Cursor* cursorFor(const PictureValue& picture);
  int scaleFor(SDL_Window* window, int width, int height) const;
  // `client` moved so that its frame lies on the work area of its display.
  PixelRect onWorkArea(PixelRect client) const;
  // Corrects a manually placed window once it shows, with the frame it really got.
  void keepOnWorkArea(SDL_Window* window);

  std::map<WindowId, Window> windows_;
  std::map<const Artwork*, std::pair<std::shared_ptr<const Artwork>, SDL_Cursor*>> cursors_;
  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* crosshair_ = nullptr;
  int scale_ = 1;  // screen pixels to a 96-dpi pixel, settled by the first window
  bool scaleSettled_ = false;
  FrameExtents frame_;  // around our last window, or what the window manager promised before the first
};

}  // namespace wizlo
