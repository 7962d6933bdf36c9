#pragma once
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/backend.hpp"
#include "forms/form.hpp"

namespace wizlo::testing {

// A window system that exists only in memory: the test queues the pointer
// events, and the backend records what the runtime asked of it.
class ScriptedBackend final : public Backend {
 public:
  struct Window {
    std::string caption;
    WindowSpec request;
    bool open = true;
    int presents = 0;
    Bitmap pixels;  // what the window shows: its client area at `scaleFactor`

    std::uint32_t at(Twips x, Twips y, double scale = 1) const;  // without the top byte
  };

  WindowId openWindow(const WindowSpec& request) override;
  void closeWindow(WindowId window) override;
  void raise(WindowId window) override { raised.push_back(window); }
  double scale() const override { return scaleFactor; }
  double layoutUnitsPerPixel() const override { return layoutUnits; }
  FrameView frame(WindowId window) override;
  void show(WindowId window) override;
  void setPointer(PointerShape shape, const PictureValue& picture) override;
  InputEvent nextEvent() override;  // the next scripted event; running dry is a test failure
  std::uintptr_t nativeHandle(WindowId window) const override { return window; }
  void reportError(std::string_view message) override { errors.emplace_back(message); }

  std::deque<InputEvent> script;
  std::map<WindowId, Window> windows;
  PointerShape pointerShape = PointerShape::Arrow;
  PictureValue pointerPicture;
  std::vector<std::string> errors;
  std::vector<WindowId> raised;
  double scaleFactor = 1;
  double layoutUnits = 1;  // how large a form's pixel is in the window system's units of layout
  std::function<void(const Window&)> onShow;  // each frame as it goes on screen
  std::function<void()> onScriptEnd;  // runs once the script is used up

 private:
  WindowId next_ = 100;
};

// The pointer of a pupil, in twips of a form's client area: the mouse, or a finger on a touch
// screen (Mouse(runtime, PointerKind::Touch, 1)), which presses and lets go as the left button does.
class Mouse {
 public:
  explicit Mouse(Runtime& runtime, PointerKind kind = PointerKind::Mouse, int finger = 0)
      : runtime_(runtime), kind_(kind), finger_(finger) {}

  void press(Form& form, Twips x, Twips y, int button = kLeftButton);
  void moveTo(Form& form, Twips x, Twips y);
  void release(Form& form, Twips x, Twips y, int button = kLeftButton);
  void releaseOutside(Form& form);
  // The button comes up at (x, y) with no move reported there first, as a quick hand or a
  // touchpad's tap gives it.
  void letGo(Form& form, Twips x, Twips y, int button = kLeftButton);
  void click(Form& form, const ImageControl& control);
  // Press on one control, move in steps to another, release there.
  void drag(Form& form, const ImageControl& from, const ImageControl& to);
  void drag(Form& form, const ImageControl& from, Twips x, Twips y);
  void close(Form& form);
  // The system takes the finger back.
  void cancel(Form& form);

  // Queued instead of dispatched, for forms shown modally from a handler.
  static InputEvent at(InputEvent::Kind kind, Form& form, Twips x, Twips y, int button = kLeftButton);

 private:
  void send(InputEvent event);
  Runtime& runtime_;
  PointerKind kind_;
  int finger_;
  Twips x_ = 0, y_ = 0;
  int held_ = 0;
};

// The keys of a pupil's keyboard, each sent as the window system sends a key going down.
class Keyboard {
 public:
  explicit Keyboard(Runtime& runtime) : runtime_(runtime) {}
  void press(Key key, bool shift = false, bool repeat = false);
  // Presses Tab until the focus rests on `control`, once round at most; false if it never gets there.
  bool tabTo(Form& form, const ImageControl& control);

 private:
  Runtime& runtime_;
};

struct Point {
  Twips x, y;
};
Point centreOf(const ImageControl& control);

}  // namespace wizlo::testing
