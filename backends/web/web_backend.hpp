#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "forms/backend.hpp"

namespace wizlo {

// The browser as a window system: each form a framed window on a stage that the page fits to the
// viewport (page/windows.js), or on a small screen the whole viewport with no frame, its frames composed here at the viewport's scale and device pixel
// ratio and put on a canvas. The browser's main thread never blocks: waiting for the next event
// suspends the program (Asyncify) and gives the thread back to the browser until one comes.
class WebBackend final : public Backend {
 public:
  WindowId openWindow(const WindowSpec& request) override;
  void closeWindow(WindowId window) override;
  void raise(WindowId window) override;
  double scale() const override { return scale_; }
  double layoutUnitsPerPixel() const override;  // the stage's fit: CSS pixels to a form's pixel
  FrameView frame(WindowId window) override;
  void show(WindowId window) override;
  void showChanged(WindowId window, PixelRect changed) override;
  void setPointer(PointerShape shape, const PictureValue& picture) override;
  InputEvent nextEvent() override;
  std::uintptr_t nativeHandle(WindowId window) const override { return window; }
  void reportError(std::string_view message) override;
  void cannotOpen(std::string_view what, std::string_view file) override;
  void announce(std::string_view words) override;

  // Tells the page that the program has ended, with its status.
  void ended(int status);

 private:
  struct Window {
    Rect client;                       // twips
    int width = 0, height = 0;         // the client area's pixels
    int canvasWidth = 0, canvasHeight = 0;
    std::vector<std::uint32_t> frame;  // canvasWidth x canvasHeight, bytes R, G, B, A as the canvas takes
                                       // them: the core composes the client area into its top left, the
                                       // rest keeps the background
  };

  WindowId next_ = 1;
  std::map<WindowId, Window> windows_;
  std::deque<InputEvent> pending_;  // events owed to the core, one page event having made several
  double scale_ = 1;
};

}  // namespace wizlo
