#pragma once
#include <map>
#include <vector>

#include "forms/backend.hpp"
#include "forms/compose.hpp"
#include "forms/pointer.hpp"

namespace wizlo {

class Form;
class ImageControl;

// The keyboard's way about a form. A focus ring moves over what a pupil can take or press, in
// reading order (rows from the top, each from right to left): with nothing lifted, the pieces (what
// a tap would lift) and then the hot spots (controls without a picture, taking clicks), where Enter
// or Space lifts the piece or clicks the hot spot; with a piece lifted, the places the form names
// for it, from right to left, where Enter or Space puts it down as a drag there would.
// Tab, Left and Down move on (Arabic reads leftwards), Shift+Tab, Right and Up move back. Escape
// puts a lifted piece back (or ends a held drag), else clicks the form's back hot spot. The ring
// shows once a key is used, and goes when the pointer presses.
class KeyboardDispatch {
 public:
  explicit KeyboardDispatch(PointerDispatch& pointer) : pointer_(pointer) {}

  void key(Form& form, const InputEvent& event);
  // A form was loaded: while keys are in use, its first stop takes the focus.
  void shown(Form& form);
  void pointerPressed();
  void addTo(Overlay& overlay, Form& form) const;
  ImageControl* focused(Form& form) const;  // shown or not

 private:
  struct Stops {
    std::vector<ImageControl*> pieces, hotSpots, places;
  };
  Stops stopsOf(Form& form) const;
  std::vector<ImageControl*> ring(Form& form) const;  // where the focus goes now, in order
  bool isStop(Form& form, const ImageControl& control) const;
  void focus(Form& form, ImageControl* control);
  void step(Form& form, int by);
  void activate(Form& form);
  void escape(Form& form);
  void focusAfterPutDown(Form& form, const ControlRef& piece);

  PointerDispatch& pointer_;
  std::map<const Form*, ControlRef> focus_;
  bool showing_ = false;
};

}  // namespace wizlo
