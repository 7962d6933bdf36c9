#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "forms/frame.hpp"
#include "forms/picture.hpp"

namespace wizlo {

using WindowId = std::uint32_t;

struct WindowSpec {
  std::string_view caption;
  std::string_view description;  // what the form is, for assistive technology (a board by its sentence)
  PictureValue icon;  // empty: the window system's default
  Rect client;        // where and how large the client area is, in twips
  bool placedBySystem = false;
  std::optional<WindowId> owner;  // a modal form's owner stays beneath it
};

// Mouse buttons as handlers know them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// What moves the pointer: a mouse, or a finger on a touch screen (which has no pointer image to
// show, and may be one of several at once).
enum class PointerKind : std::uint8_t { Mouse, Touch };

// The keys a pupil moves about a form with; every other key means nothing to the program.
enum class Key : std::uint8_t { Other, Tab, Enter, Space, Escape, Left, Right, Up, Down };

struct InputEvent {
  enum class Kind {
    Press,     // a mouse button or a finger went down
    Release,   // a mouse button or a finger went up
    Move,      // the pointer moved
    Cancel,    // the system took a finger back (a gesture of its own, a palm): no release comes
    Close,     // the window's close box
    Exposed,   // the window needs painting again
    GrabLost,  // the pointer was taken away from us mid-drag
    Quit,      // the session asks the program to end
    Key,       // a key went down (or repeats, held down)
  };
  Kind kind = Kind::Move;
  WindowId window = 0;
  Twips x = 0, y = 0;   // in the window's client area
  int button = 0;       // Press, Release: the one button
  int buttons = 0;      // Move: the buttons held down
  bool inside = true;   // the point lies within the client area
  PointerKind pointer = PointerKind::Mouse;
  int finger = 0;  // Touch: which finger, so a second one can be told from the first
  Key key = Key::Other;  // Key: which, with Shift held or not, and whether it is a held key's repeat
  bool shift = false;
  bool repeat = false;
};

enum class PointerShape { Arrow, Crosshair, Picture };

// What the runtime core needs from a window system: windows, their pixels, the pointer, the
// mouse and the keys. The core composes every frame; a backend only shows it. Tests script one.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual WindowId openWindow(const WindowSpec& request) = 0;
  virtual void closeWindow(WindowId window) = 0;
  virtual void raise(WindowId window) = 0;
  // Screen pixels to a 96-dpi pixel, settled when the first window opens and kept for the run, so
  // that pictures, pointer images and the twips of events agree.
  virtual double scale() const = 0;
  // How large a form's 96-dpi pixel is on screen in the window system's own unit of layout (a CSS
  // pixel in a browser, which may fit a form to a small screen), by which a fingertip is measured.
  // A desktop shows forms at the system's own size: one.
  virtual double layoutUnitsPerPixel() const { return 1; }
  // The window's pixels to compose the next frame into (none: nothing to draw on), then putting
  // them on screen; `show` has done so when it returns.
  virtual FrameView frame(WindowId window) = 0;
  virtual void show(WindowId window) = 0;
  // Only `changed` (frame pixels) differs from what is on screen: a backend that can put just that
  // part there does so.
  virtual void showChanged(WindowId window, PixelRect /*changed*/) { show(window); }
  // A picture pointer is made from pointerImage() at the screen's size of a 32-pixel pointer.
  virtual void setPointer(PointerShape shape, const PictureValue& picture) = 0;
  virtual InputEvent nextEvent() = 0;  // waits for one
  virtual std::uintptr_t nativeHandle(WindowId window) const = 0;
  virtual void reportError(std::string_view message) = 0;
  // A form could not be shown, for want of a picture file (`what` is the form's description), while
  // the form beneath it goes on: the person is told, and nothing ends.
  virtual void cannotOpen(std::string_view what, std::string_view file) {
    reportError(std::string(what) + ": cannot load the picture " + std::string(file));
  }
  // Words for assistive technology to say now (a drop judged right or wrong); a window system
  // without a way to say them lets them go.
  virtual void announce(std::string_view /*words*/) {}
};

}  // namespace wizlo
