#pragma once
#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "forms/backend.hpp"

namespace wizlo {

// A failure told to whoever sits at the machine: a line on standard error, for a console, and an
// error box, where a GUI program's pupil or teacher sees it. Needs no window of ours.
void showErrorBox(std::string_view message);

// Real windows, mouse, touch, keys and pointer images through Win32. Each window keeps its pixels in
// a DIB section the core composes into; showing a frame copies it to the screen with GDI, and WM_PAINT
// copies it again whenever the system asks. Events wait in a queue the window procedure fills;
// nextEvent pumps messages until one is there, so a modal form's loop is a nested message loop.
class Win32Backend final : public Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;
  Win32Backend(const Win32Backend&) = delete;
  Win32Backend& operator=(const Win32Backend&) = delete;

  WindowId openWindow(const WindowSpec& request) override;
  void closeWindow(WindowId window) override;
  void raise(WindowId window) override;
  double scale() const override { return scale_; }
  FrameView frame(WindowId window) override;
  void show(WindowId window) override;
  void setPointer(PointerShape shape, const PictureValue& picture) override;
  InputEvent nextEvent() override;
  std::uintptr_t nativeHandle(WindowId window) const override;
  void reportError(std::string_view message) override;

 private:
  struct Window {
    HWND hwnd = nullptr;
    HDC memory = nullptr;  // holds the DIB section, ready to copy from
    HBITMAP pixels = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
    int width = 0, height = 0;
    PictureValue icon;  // not given yet
    HICON bigIcon = nullptr, smallIcon = nullptr;
    std::vector<HWND> disabled;  // the windows this modal one disabled, enabled again when it closes
  };

  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void pointerEvent(InputEvent::Kind kind, HWND hwnd, LPARAM lParam, int button, int buttons);
  Window* find(HWND hwnd);
  WindowId idOf(HWND hwnd) const;
  void settleDisplay(const WindowSpec& first);
  // Moves the window so that its frame lies on its monitor's work area.
  void placeOnWorkArea(HWND hwnd, PixelRect client, bool placedBySystem);
  void freePixels(Window& window);
  void giveIcon(Window& window);
  HCURSOR cursorFor(const PictureValue& picture);

  std::map<WindowId, Window> windows_;
  std::deque<InputEvent> events_;
  WindowId lastId_ = 0;
  double scale_ = 1;  // screen pixels to a 96-dpi pixel, settled by the first window
  bool settled_ = false;
  HCURSOR arrow_ = nullptr, crosshair_ = nullptr, shown_ = nullptr;
  std::map<const Artwork*, std::pair<std::shared_ptr<const Artwork>, HCURSOR>> cursors_;
  bool releasingCapture_ = false;  // our own ReleaseCapture is no loss of the pointer
  std::optional<int> finger_;  // the finger whose press went to the core, until its release
  std::optional<UINT32> primary_;  // the pointer the system makes mouse messages of, while it is down
};

}  // namespace wizlo
