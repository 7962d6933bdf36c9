#include "forms/pointer.hpp"

#include <algorithm>
#include <cstdlib>
#include <span>

#include "forms/form.hpp"
#include "forms/runtime.hpp"

namespace wizlo {

ControlRef ControlRef::to(Form& form, ImageControl& control) {
  return {&form, form.visit(), form.controls().positionOf(control)};
}

ImageControl* ControlRef::resolve() const {
  if (!form || !form->loaded() || form->visit() != visit) return nullptr;
  return &form->controls().at(position);
}

namespace {
bool sameControl(const std::optional<ControlRef>& a, const std::optional<ControlRef>& b) {
  if (!a || !b) return !a && !b;
  return a->form == b->form && a->visit == b->visit && a->position == b->position;
}

ImageControl* controlUnder(Form& form, const InputEvent& event) {
  if (!event.inside || !form.loaded()) return nullptr;
  return form.controls().controlAt(event.x, event.y);
}

// How far beside a piece a fingertip may land and still take it, in the window system's units of
// layout (a CSS pixel, a desktop's 96-dpi pixel): about three millimetres. A fingertip is broader
// than the point the screen reports, and a piece drawn small on a phone narrower than a fingertip;
// phones' own toolkits widen small targets for a finger the same way.
constexpr double kFingerReach = 12;

// How far a tap may wander and still be a tap: a mouse barely moves while it clicks, a fingertip
// rolls a little.
constexpr Twips kMouseTapSlop = 2 * kTwipsPerPixel;
constexpr Twips kFingerTapSlop = 8 * kTwipsPerPixel;

// A control that a press there would drag, when visible and enabled.
bool draggable(const ImageControl& control) {
  return control.Visible() && control.Enabled() && control.DragMode() == kDragAutomatic;
}

// An empty place that a lifted piece goes on to: a control that drags but shows nothing.
bool emptyPlace(const ImageControl& control) { return draggable(control) && control.Picture().isEmpty(); }

// The pointer the keyboard stands in for: at the middle of `control`.
InputEvent atMiddleOf(const ImageControl& control) {
  const Rect r = control.rect();
  InputEvent at;
  at.x = r.Left + r.Width / 2;
  at.y = r.Top + r.Height / 2;
  return at;
}
}  // namespace

bool liftable(const ImageControl& control) { return draggable(control) && !control.Picture().isEmpty(); }

ImageControl* PointerDispatch::underFinger(Form& form, const InputEvent& event) const {
  ImageControl* under = controlUnder(form, event);
  if (event.pointer != PointerKind::Touch || !event.inside || !form.loaded()) return under;
  // Only where the finger is on nothing that takes input: outside every control, on a disabled
  // one, or on the backdrop that lies under all of them.
  const std::span<ImageControl> controls = form.controls().inStackingOrder();
  if (under && under->Enabled() && under != &controls.back()) return under;
  const double reach = kFingerReach / runtime_.backend().layoutUnitsPerPixel() * kTwipsPerPixel;
  ImageControl* nearest = nullptr;
  double best = reach * reach;
  for (ImageControl& control : controls) {
    if (!liftable(control)) continue;
    const Rect r = control.rect();
    const double dx = std::max({r.Left - event.x, 0, event.x - (r.right() - 1)});
    const double dy = std::max({r.Top - event.y, 0, event.y - (r.bottom() - 1)});
    // The nearest; of two as near, the one on top.
    if (const double distance = dx * dx + dy * dy; distance < best || (!nearest && distance <= best)) {
      nearest = &control;
      best = distance;
    }
  }
  return nearest ? nearest : under;
}

bool PointerDispatch::heldByAnother(const InputEvent& event) const {
  const Holder holder = holderOf(event);
  return (dragging() && drag_->holder != holder) || (press_ && press_->holder != holder);
}

void PointerDispatch::press(Form& form, const InputEvent& event) {
  if (drag_ && drag_->lifted) {
    ImageControl* target = controlUnder(form, event);
    if (event.button == kLeftButton && takesLifted(form, target)) {
      goOnWithLifted(form, event);
      return;
    }
    cancel();  // put back; the press then does what it does with nothing lifted
  }
  if (drag_ || heldByAnother(event)) return;  // the other buttons and fingers mean nothing meanwhile
  ImageControl* target = underFinger(form, event);
  // A disabled control still lies under the pointer, so nobody hears it.
  if (!target || !target->Enabled()) return;
  if (event.button == kLeftButton && target->DragMode() == kDragAutomatic) {
    press_.reset();
    startDrag(form, *target, event, false);
    return;
  }
  press_ = Press{holderOf(event), ControlRef::to(form, *target), event.button};
  form.MouseDown(*target, event.button, 0, event.x, event.y);
}

void PointerDispatch::startDrag(Form& form, ImageControl& source, const InputEvent& event, bool lifted) {
  const Rect r = source.rect();
  drag_ = Drag{.holder = holderOf(event),
               .source = ControlRef::to(form, source),
               .over = ControlRef::to(form, source),
               .grabX = event.x - r.Left,
               .grabY = event.y - r.Top,
               .pointerX = event.x,
               .pointerY = event.y,
               .pressX = event.x,
               .pressY = event.y,
               .lifted = lifted};
  showDragPointer();
  // The source hears that the pointer entered it before anything else.
  form.DragOver(source, source, event.x, event.y, kDragEntered);
  if (drag_ && !drag_->source.resolve()) drag_.reset();
  if (drag_) showDragPointer();
  form.requestRepaint();
}

bool PointerDispatch::takesLifted(const Form& form, const ImageControl* target) const {
  if (!target || drag_->source.form != &form) return false;
  return target == drag_->source.resolve() || emptyPlace(*target);
}

void PointerDispatch::goOnWithLifted(Form& form, const InputEvent& event) {
  if (const std::optional<Rect> ring = overlayFor(form).bounds()) form.requestRepaint(*ring);
  drag_->lifted = false;
  drag_->holder = holderOf(event);
  drag_->moved = true;  // the pointer jumped here: the release drops wherever it is
  dragTo(form, event, controlUnder(form, event));
}

void PointerDispatch::move(Form& form, const InputEvent& event) {
  if (heldByAnother(event)) return;
  if (!dragging()) {
    if (event.pointer == PointerKind::Mouse) showPointerFor(form, event);
    return;
  }
  // The release happened where we could not see it: end the drag quietly.
  if (!(event.buttons & kLeftButton)) {
    cancel();
    return;
  }
  noteMovement(event);
  dragTo(form, event, controlUnder(form, event));
}

void PointerDispatch::noteMovement(const InputEvent& event) {
  const Twips slop = event.pointer == PointerKind::Touch ? kFingerTapSlop : kMouseTapSlop;
  if (!event.inside || std::abs(event.x - drag_->pressX) > slop || std::abs(event.y - drag_->pressY) > slop)
    drag_->moved = true;
}

void PointerDispatch::dragTo(Form& form, const InputEvent& event, ImageControl* under) {
  // What the frame draws of the drag (the carried picture, an outline) follows the pointer: where it
  // was and where it is now are painted again.
  if (const std::optional<Rect> was = overlayFor(form).bounds()) form.requestRepaint(*was);
  drag_->pointerX = event.x;
  drag_->pointerY = event.y;

  std::optional<ControlRef> now;
  if (under) now = ControlRef::to(form, *under);

  if (sameControl(now, drag_->over)) {
    if (under && under->Enabled())
      if (ImageControl* source = drag_->source.resolve())
        form.DragOver(*under, *source, event.x, event.y, kDragMoved);
  } else {
    const std::optional<ControlRef> left = drag_->over;
    drag_->over = now;
    if (left)
      if (ImageControl* was = left->resolve(); was && was->Enabled())
        if (ImageControl* source = drag_->source.resolve())
          left->form->DragOver(*was, *source, event.x, event.y, kDragLeft);
    // The leaving handler may have ended the visit: look the control up again.
    ImageControl* entered = now ? now->resolve() : nullptr;
    if (drag_ && entered && entered->Enabled())
      if (ImageControl* source = drag_->source.resolve())
        form.DragOver(*entered, *source, event.x, event.y, kDragEntered);
  }
  if (drag_ && !drag_->source.resolve()) drag_.reset();
  if (!drag_) return;
  showDragPointer();
  if (const std::optional<Rect> now = overlayFor(form).bounds()) form.requestRepaint(*now);
}

void PointerDispatch::release(Form& form, const InputEvent& event) {
  if (heldByAnother(event)) return;
  if (drag_) {
    if (!drag_->lifted && event.button == kLeftButton) {
      noteMovement(event);
      const ImageControl* source = drag_->source.resolve();
      if (!drag_->moved && source && liftable(*source))
        lift(form, event);
      else
        drop(form, event, controlUnder(form, event));
    }
    return;
  }
  if (!press_ || press_->button != event.button) return;
  const Press pressed = *press_;
  press_.reset();
  ImageControl* target = controlUnder(form, event);
  if (event.button == kLeftButton && target && target == pressed.control.resolve() && target->Enabled())
    form.Click(*target);
}

void PointerDispatch::lift(Form& form, const InputEvent& event) {
  // What a held drag drew (a carried picture) goes, and the ring comes.
  if (const std::optional<Rect> carried = overlayFor(form).bounds()) form.requestRepaint(*carried);
  drag_->lifted = true;
  if (const std::optional<Rect> ring = overlayFor(form).bounds()) form.requestRepaint(*ring);
  setPointer(PointerShape::Arrow, {});
  if (event.pointer == PointerKind::Mouse) showPointerFor(form, event);
}

void PointerDispatch::drop(Form& form, const InputEvent& event, ImageControl* target) {
  ImageControl* source = drag_->source.resolve();
  drag_.reset();
  form.requestRepaint();
  setPointer(PointerShape::Arrow, {});
  // Released outside the client area: the drag ends with no drop.
  if (source && target && target->Enabled()) form.DragDrop(*target, *source, event.x, event.y);
  if (form.loaded() && event.pointer == PointerKind::Mouse && event.kind == InputEvent::Kind::Release)
    showPointerFor(form, event);
}

void PointerDispatch::pickUp(Form& form, ImageControl& piece) {
  cancel();
  startDrag(form, piece, atMiddleOf(piece), true);
}

void PointerDispatch::putDown(Form& form, ImageControl& target) {
  if (!drag_ || !drag_->lifted || drag_->source.form != &form) return;
  // The piece goes there as a pointer would take it: leaving where it lay, entering the target, and
  // dropped. A keyboard has no place on the screen, so the target is named, not hit-tested: a mark
  // shown over part of a circle does not stand in the way.
  InputEvent at = atMiddleOf(target);
  at.kind = InputEvent::Kind::Key;
  at.buttons = kLeftButton;
  if (const std::optional<Rect> ring = overlayFor(form).bounds()) form.requestRepaint(*ring);
  drag_->lifted = false;
  drag_->holder = Holder{.keyboard = true};
  dragTo(form, at, &target);
  if (drag_) drop(form, at, target.Visible() ? &target : nullptr);
}

void PointerDispatch::cancel() {
  press_.reset();
  if (!drag_) return;
  if (drag_->source.form) drag_->source.form->requestRepaint();
  drag_.reset();
  setPointer(PointerShape::Arrow, {});
}

void PointerDispatch::cancel(const InputEvent& event) {
  if (drag_ && drag_->lifted) return;  // no finger holds a lifted piece
  if (!heldByAnother(event)) cancel();
}

void PointerDispatch::grabLost() {
  if (!drag_ || !drag_->lifted) cancel();
}

Overlay PointerDispatch::overlayFor(const Form& form) const {
  Overlay overlay;
  if (!drag_ || drag_->source.form != &form) return overlay;
  const ImageControl* source = drag_->source.resolve();
  if (!source) return overlay;
  if (drag_->lifted) {
    overlay.lifted = Ring{source->rect(), true};
  } else if (source->DragIcon().isEmpty()) {
    const Rect r = source->rect();
    overlay.dragOutline = Rect{drag_->pointerX - drag_->grabX, drag_->pointerY - drag_->grabY, r.Width, r.Height};
  } else if (drag_->holder.kind == PointerKind::Touch) {
    // Above the fingertip, where the finger does not hide it.
    overlay.carried = source->DragIcon();
    overlay.carriedAt = Rect{drag_->pointerX - kCarriedSize / 2, drag_->pointerY - kCarriedSize * 3 / 2, kCarriedSize,
                             kCarriedSize};
  }
  return overlay;
}

void PointerDispatch::showPointerFor(Form& form, const InputEvent& event) {
  const ImageControl* under = controlUnder(form, event);
  const bool crosshair = under && under->MousePointer() == kPointerCrosshair;
  setPointer(crosshair ? PointerShape::Crosshair : PointerShape::Arrow, {});
}

void PointerDispatch::showDragPointer() {
  const ImageControl* source = dragSource();
  if (!source || drag_->lifted || drag_->holder.kind != PointerKind::Mouse || drag_->holder.keyboard) return;
  // A change of the source's DragIcon shows at once; an empty one leaves the
  // arrow, and the frame draws the source's outline instead.
  if (source->DragIcon().isEmpty())
    setPointer(PointerShape::Arrow, {});
  else
    setPointer(PointerShape::Picture, source->DragIcon());
}

void PointerDispatch::setPointer(PointerShape shape, const PictureValue& picture) {
  if (shape == shownShape_ && picture.handle() == shownPicture_) return;
  shownShape_ = shape;
  shownPicture_ = picture.handle();
  runtime_.backend().setPointer(shape, picture);
}

}  // namespace wizlo
