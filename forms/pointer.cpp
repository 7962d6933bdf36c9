#include "forms/pointer.hpp"

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
}  // namespace

bool PointerDispatch::heldByAnother(const InputEvent& event) const {
  const Holder holder = holderOf(event);
  return (drag_ && drag_->holder != holder) || (press_ && press_->holder != holder);
}

void PointerDispatch::press(Form& form, const InputEvent& event) {
  if (drag_ || heldByAnother(event)) return;  // the other buttons and fingers mean nothing meanwhile
  ImageControl* target = controlUnder(form, event);
  // A disabled control still lies under the pointer, so nobody hears it.
  if (!target || !target->Enabled()) return;
  if (event.button == kLeftButton && target->DragMode() == kDragAutomatic) {
    press_.reset();
    startDrag(form, *target, event);
    return;
  }
  press_ = Press{holderOf(event), ControlRef::to(form, *target), event.button};
  form.MouseDown(*target, event.button, 0, event.x, event.y);
}

void PointerDispatch::startDrag(Form& form, ImageControl& source, const InputEvent& event) {
  const Rect r = source.rect();
  drag_ = Drag{.holder = holderOf(event),
               .source = ControlRef::to(form, source),
               .over = ControlRef::to(form, source),
               .grabX = event.x - r.Left,
               .grabY = event.y - r.Top,
               .pointerX = event.x,
               .pointerY = event.y};
  showDragPointer();
  // The source hears that the pointer entered it before anything else.
  form.DragOver(source, source, event.x, event.y, kDragEntered);
  if (drag_) showDragPointer();
  form.requestRepaint();
}

void PointerDispatch::move(Form& form, const InputEvent& event) {
  if (heldByAnother(event)) return;
  if (!drag_) {
    if (event.pointer == PointerKind::Mouse) showPointerFor(form, event);
    return;
  }
  // The release happened where we could not see it: end the drag quietly.
  if (!(event.buttons & kLeftButton)) {
    cancel();
    return;
  }
  dragTo(form, event);
}

void PointerDispatch::dragTo(Form& form, const InputEvent& event) {
  // What the frame draws of the drag (the carried picture, an outline) follows the pointer: where it
  // was and where it is now are painted again.
  if (const std::optional<Rect> was = overlayFor(form).bounds()) form.requestRepaint(*was);
  drag_->pointerX = event.x;
  drag_->pointerY = event.y;

  ImageControl* under = controlUnder(form, event);
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
    if (event.button == kLeftButton) drop(form, event);
    return;
  }
  if (!press_ || press_->button != event.button) return;
  const Press pressed = *press_;
  press_.reset();
  ImageControl* target = controlUnder(form, event);
  if (event.button == kLeftButton && target && target == pressed.control.resolve() && target->Enabled())
    form.Click(*target);
}

void PointerDispatch::drop(Form& form, const InputEvent& event) {
  ImageControl* source = drag_->source.resolve();
  drag_.reset();
  form.requestRepaint();
  setPointer(PointerShape::Arrow, {});
  // Released outside the client area: the drag ends with no drop.
  ImageControl* target = controlUnder(form, event);
  if (source && target && target->Enabled()) form.DragDrop(*target, *source, event.x, event.y);
  if (form.loaded() && event.pointer == PointerKind::Mouse) showPointerFor(form, event);
}

void PointerDispatch::cancel() {
  press_.reset();
  if (!drag_) return;
  if (drag_->source.form) drag_->source.form->requestRepaint();
  drag_.reset();
  setPointer(PointerShape::Arrow, {});
}

void PointerDispatch::cancel(const InputEvent& event) {
  if (!heldByAnother(event)) cancel();
}

Overlay PointerDispatch::overlayFor(const Form& form) const {
  Overlay overlay;
  if (!drag_ || drag_->source.form != &form) return overlay;
  const ImageControl* source = drag_->source.resolve();
  if (!source) return overlay;
  if (source->DragIcon().isEmpty()) {
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
  if (!source || drag_->holder.kind != PointerKind::Mouse) return;
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
