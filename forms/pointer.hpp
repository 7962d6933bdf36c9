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

// Whether a tap lifts the control: it drags automatically, shows a picture (a piece, not an empty
// slot or circle) and takes the pointer.
bool liftable(const ImageControl& control);

// The pointer state machine: a press on an automatic-drag control starts a
// drag at once; while it lasts every control the pointer crosses hears
// DragOver, and the release drops on the control beneath. Any other press
// and release on one control is a Click. A finger does what the mouse does,
// but that a press beside a piece, on nothing else that takes input, takes
// the nearest piece within a fingertip's reach; while one pointer presses or
// drags, every other (a second finger, the mouse) is ignored. A finger has no
// pointer image: the frame carries the dragged picture beside it instead.
//
// A piece pressed and let go without moving (a tap) is lifted instead of
// dropped back on itself: its drag waits, held by no pointer, and the frame
// rings it. The next press on the piece or on an empty place (a control that
// drags but shows nothing, as an empty circle) takes the drag on from there,
// as if the pointer had jumped there with the button held, and the release
// drops it; a press anywhere else puts the piece back and then goes where it
// would have gone. So a tap and a tap give the handlers what a drag gives
// them. The keyboard lifts and puts down the same way (pickUp, putDown).
class PointerDispatch {
 public:
  explicit PointerDispatch(Runtime& runtime) : runtime_(runtime) {}

  void press(Form& form, const InputEvent& event);
  void move(Form& form, const InputEvent& event);
  void release(Form& form, const InputEvent& event);
  void cancel();  // ends a drag with no drop, lifted or not, and forgets a press
  void cancel(const InputEvent& event);  // the same, if it is that pointer's press or drag
  void grabLost();  // a held drag ends with no drop; a lifted piece stays lifted, nothing holds it

  // The keyboard's hand: lifts a piece as a tap does (its drag starts, the piece hears it), and puts
  // the lifted piece down on `target` as a press and release there would, whatever lies over it.
  void pickUp(Form& form, ImageControl& piece);
  void putDown(Form& form, ImageControl& target);

  bool dragging() const { return drag_ && !drag_->lifted; }  // a pointer holds a drag
  bool draggedBy(const InputEvent& event) const { return dragging() && drag_->holder == holderOf(event); }
  ImageControl* dragSource() const { return drag_ ? drag_->source.resolve() : nullptr; }
  // The piece lifted on `form`, waiting to be put down; none while a pointer holds a drag.
  ImageControl* lifted(const Form& form) const {
    return drag_ && drag_->lifted && drag_->source.form == &form ? drag_->source.resolve() : nullptr;
  }
  Overlay overlayFor(const Form& form) const;

 private:
  // Which pointer a press or drag belongs to.
  struct Holder {
    PointerKind kind = PointerKind::Mouse;
    int finger = 0;
    bool keyboard = false;  // putting a lifted piece down: no pointer image to show
    bool operator==(const Holder&) const = default;
  };
  static Holder holderOf(const InputEvent& event) { return {event.pointer, event.finger}; }
  bool heldByAnother(const InputEvent& event) const;
  // What a press takes: the control beneath it; but a finger on nothing that takes input takes the
  // piece nearest it within a fingertip's reach, if there is one. The mouse points exactly.
  ImageControl* underFinger(Form& form, const InputEvent& event) const;

  struct Drag {
    Holder holder;
    ControlRef source;
    std::optional<ControlRef> over;  // the control under the pointer, if any
    Twips grabX = 0, grabY = 0;      // where in the source the press was
    Twips pointerX = 0, pointerY = 0;
    Twips pressX = 0, pressY = 0;    // where the press was: a tap moves no further than a hand wobbles
    bool moved = false;              // it went further: the release drops
    bool lifted = false;             // tapped: no pointer holds it, and the next press goes on with it
  };
  struct Press {
    Holder holder;
    ControlRef control;
    int button = 0;
  };

  void startDrag(Form& form, ImageControl& source, const InputEvent& event, bool lifted);
  void dragTo(Form& form, const InputEvent& event, ImageControl* under);
  void drop(Form& form, const InputEvent& event, ImageControl* target);
  void noteMovement(const InputEvent& event);
  void lift(Form& form, const InputEvent& event);
  bool takesLifted(const Form& form, const ImageControl* target) const;
  void goOnWithLifted(Form& form, const InputEvent& event);
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
