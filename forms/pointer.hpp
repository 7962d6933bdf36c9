#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "forms/backend.hpp"
#include "forms/compose.hpp"

namespace wizlo {

class Form;
class ImageControl;
class Runtime;

// Names a control across events: a handler may unload its form, and then
// the control must not be touched again.
struct ControlRef {
  Form* form = nullptr;
  std::uint32_t visit = 0;
  std::size_t position = 0;

  static ControlRef to(Form& form, ImageControl& control);
  ImageControl* resolve() const;  // null once that visit is over
};

// The pointer state machine: a press on an automatic-drag control starts a
// drag at once; while it lasts every control the pointer crosses hears
// DragOver, and the release drops on the control beneath. Any other press
// and release on one control is a Click. A finger does what the mouse does;
// while one pointer presses or drags, every other (a second finger, the
// mouse) is ignored. A finger has no pointer image: the frame carries the
// dragged picture beside it instead.
class PointerDispatch {
 public:
  explicit PointerDispatch(Runtime& runtime) : runtime_(runtime) {}

  void press(Form& form, const InputEvent& event);
  void move(Form& form, const InputEvent& event);
  void release(Form& form, const InputEvent& event);
  void cancel();  // ends a drag with no drop, and forgets a press
  void cancel(const InputEvent& event);  // the same, if it is that pointer's press or drag

  bool dragging() const { return drag_.has_value(); }
  bool draggedBy(const InputEvent& event) const { return drag_ && drag_->holder == holderOf(event); }
  ImageControl* dragSource() const { return drag_ ? drag_->source.resolve() : nullptr; }
  Overlay overlayFor(const Form& form) const;

 private:
  // Which pointer a press or drag belongs to.
  struct Holder {
    PointerKind kind = PointerKind::Mouse;
    int finger = 0;
    bool operator==(const Holder&) const = default;
  };
  static Holder holderOf(const InputEvent& event) { return {event.pointer, event.finger}; }
  bool heldByAnother(const InputEvent& event) const;

  struct Drag {
    Holder holder;
    ControlRef source;
    std::optional<ControlRef> over;  // the control under the pointer, if any
    Twips grabX = 0, grabY = 0;      // where in the source the press was
    Twips pointerX = 0, pointerY = 0;
  };
  struct Press {
    Holder holder;
    ControlRef control;
    int button = 0;
  };

  void startDrag(Form& form, ImageControl& source, const InputEvent& event);
  void dragTo(Form& form, const InputEvent& event);
  void drop(Form& form, const InputEvent& event);
  void showPointerFor(Form& form, const InputEvent& event);
  void showDragPointer();
  void setPointer(PointerShape shape, const PictureValue& picture);

  Runtime& runtime_;
  std::optional<Drag> drag_;
  std::optional<Press> press_;
  PointerShape shownShape_ = PointerShape::Arrow;
  std::uint32_t shownPicture_ = 0;
};

}  // namespace wizlo
