#include "forms/keyboard.hpp"

#include <algorithm>

#include "forms/form.hpp"

namespace wizlo {

namespace {

bool rightmostFirst(const ImageControl* a, const ImageControl* b) {
  return a->rect().Left + a->rect().Width / 2 > b->rect().Left + b->rect().Width / 2;
}

bool hotSpot(const ImageControl& control) {
  return control.Visible() && control.Enabled() && control.DragMode() != kDragAutomatic && control.Picture().isEmpty();
}

// Rows from the top down, each from right to left. Controls set a little higher or lower than their
// neighbours still read with them: taken by their middles from the top, a control starts a new row
// only when its middle lies more than half a control's height below the one before it.
std::vector<ImageControl*> inReadingOrder(std::vector<ImageControl*> controls) {
  const auto middleY = [](const ImageControl* c) { return c->rect().Top + c->rect().Height / 2; };
  std::stable_sort(controls.begin(), controls.end(),
                   [&](const ImageControl* a, const ImageControl* b) { return middleY(a) < middleY(b); });
  for (auto row = controls.begin(); row != controls.end();) {
    auto end = row + 1;
    while (end != controls.end() &&
           middleY(*end) - middleY(*(end - 1)) <= std::min((*end)->rect().Height, (*(end - 1))->rect().Height) / 2)
      ++end;
    std::stable_sort(row, end, rightmostFirst);
    row = end;
  }
  return controls;
}

void repaintRing(Form& form, const ImageControl* control) {
  if (control) form.requestRepaint(ringBounds(control->rect()));
}

}  // namespace

KeyboardDispatch::Stops KeyboardDispatch::stopsOf(Form& form) const {
  Stops stops;
  const KeyboardReach reach = form.keyboardReach();
  for (ImageControl& control : form.controls().inStackingOrder()) {
    if (liftable(control)) stops.pieces.push_back(&control);
    else if (hotSpot(control)) stops.hotSpots.push_back(&control);
    if (!reach.places.empty() && control.Name() == reach.places && control.Visible() && control.Enabled())
      stops.places.push_back(&control);
  }
  stops.pieces = inReadingOrder(std::move(stops.pieces));
  stops.hotSpots = inReadingOrder(std::move(stops.hotSpots));
  // The places from right to left, however high each stands: a spare circle up beside the sentence
  // comes where its place in the row puts it.
  std::stable_sort(stops.places.begin(), stops.places.end(), rightmostFirst);
  return stops;
}

std::vector<ImageControl*> KeyboardDispatch::ring(Form& form) const {
  Stops stops = stopsOf(form);
  if (pointer_.lifted(form)) return stops.places;
  stops.pieces.insert(stops.pieces.end(), stops.hotSpots.begin(), stops.hotSpots.end());
  return stops.pieces;
}

bool KeyboardDispatch::isStop(Form& form, const ImageControl& control) const {
  const std::vector<ImageControl*> all = ring(form);
  return std::find(all.begin(), all.end(), &control) != all.end();
}

ImageControl* KeyboardDispatch::focused(Form& form) const {
  const auto found = focus_.find(&form);
  return found == focus_.end() ? nullptr : found->second.resolve();
}

void KeyboardDispatch::focus(Form& form, ImageControl* control) {
  repaintRing(form, focused(form));
  if (control)
    focus_.insert_or_assign(&form, ControlRef::to(form, *control));
  else
    focus_.erase(&form);
  repaintRing(form, control);
}

void KeyboardDispatch::shown(Form& form) {
  if (!showing_) return;
  const std::vector<ImageControl*> all = ring(form);
  focus(form, all.empty() ? nullptr : all.front());
}

void KeyboardDispatch::pointerPressed() {
  if (!showing_) return;
  showing_ = false;
  for (const auto& [form, control] : focus_)
    if (const ImageControl* shown = control.resolve()) repaintRing(*control.form, shown);
}

void KeyboardDispatch::addTo(Overlay& overlay, Form& form) const {
  if (!showing_) return;
  const ImageControl* control = focused(form);
  if (control && isStop(form, *control)) overlay.focus = Ring{control->rect(), control->DragMode() == kDragAutomatic};
}

void KeyboardDispatch::key(Form& form, const InputEvent& event) {
  if (pointer_.dragging()) {
    // A pointer holds a drag: Escape ends it with no drop, and nothing else is heard meanwhile.
    if (event.key == Key::Escape && !event.repeat) pointer_.cancel();
    return;
  }
  if (event.key == Key::Other) return;  // a key of no use here shows no ring
  if (!showing_) {
    showing_ = true;
    repaintRing(form, focused(form));
  }
  switch (event.key) {
    case Key::Tab: step(form, event.shift ? -1 : 1); break;
    case Key::Left:
    case Key::Down: step(form, 1); break;
    case Key::Right:
    case Key::Up: step(form, -1); break;
    case Key::Enter:
    case Key::Space:
      // A held key's repeats would lift a piece and put it straight down again.
      if (!event.repeat) activate(form);
      break;
    case Key::Escape:
      if (!event.repeat) escape(form);
      break;
    case Key::Other: break;
  }
}

void KeyboardDispatch::step(Form& form, int by) {
  const std::vector<ImageControl*> all = ring(form);
  if (all.empty()) return focus(form, nullptr);
  const auto at = std::find(all.begin(), all.end(), focused(form));
  if (at == all.end()) return focus(form, by > 0 ? all.front() : all.back());
  const auto count = static_cast<std::ptrdiff_t>(all.size());
  focus(form, all[static_cast<std::size_t>(((at - all.begin()) + by + count) % count)]);
}

void KeyboardDispatch::activate(Form& form) {
  ImageControl* target = focused(form);
  if (!target || !isStop(form, *target)) return step(form, 1);
  if (ImageControl* piece = pointer_.lifted(form)) {
    const ControlRef taken = ControlRef::to(form, *piece);
    pointer_.putDown(form, *target);
    if (form.loaded()) focusAfterPutDown(form, taken);
    return;
  }
  if (liftable(*target)) {
    pointer_.pickUp(form, *target);
    if (!form.loaded()) return;
    const std::vector<ImageControl*> places = ring(form);
    focus(form, pointer_.lifted(form) && !places.empty() ? places.front() : nullptr);
    return;
  }
  // A hot spot, clicked; its handler may open another form, or unload this one.
  form.Click(*target);
}

void KeyboardDispatch::focusAfterPutDown(Form& form, const ControlRef& piece) {
  ImageControl* was = piece.resolve();
  // Still in the pool after a wrong drop: the focus stays on it.
  if (was && liftable(*was)) return focus(form, was);
  const Stops stops = stopsOf(form);
  if (!was) return focus(form, stops.pieces.empty() ? nullptr : stops.pieces.front());
  // Gone into its place: the focus goes on to the piece that came after it.
  std::vector<ImageControl*> withIt = stops.pieces;
  withIt.push_back(was);
  withIt = inReadingOrder(std::move(withIt));
  const auto at = std::find(withIt.begin(), withIt.end(), was);
  if (at + 1 != withIt.end()) return focus(form, *(at + 1));
  if (!stops.pieces.empty()) return focus(form, stops.pieces.front());
  focus(form, stops.hotSpots.empty() ? nullptr : stops.hotSpots.front());
}

void KeyboardDispatch::escape(Form& form) {
  if (ImageControl* piece = pointer_.lifted(form)) {
    const ControlRef taken = ControlRef::to(form, *piece);
    pointer_.cancel();
    return focus(form, taken.resolve());
  }
  const KeyboardReach reach = form.keyboardReach();
  if (reach.back.empty()) return;
  ImageControl& back = form.control(reach.back);
  if (back.Visible() && back.Enabled()) form.Click(back);
}

}  // namespace wizlo
