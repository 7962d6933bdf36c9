#include "tests/support/scripted_backend.hpp"

#include <stdexcept>

#include "forms/runtime.hpp"

namespace wizlo::testing {

WindowId ScriptedBackend::openWindow(const WindowSpec& request) {
  const WindowId id = next_++;
  windows[id] = Window{std::string(request.caption), request, true, 0, {}};
  windows[id].request.caption = windows[id].caption;
  return id;
}

void ScriptedBackend::closeWindow(WindowId window) { windows.at(window).open = false; }

FrameView ScriptedBackend::frame(WindowId window) {
  Window& w = windows.at(window);
  Bitmap& pixels = w.pixels;
  pixels.width = toPixels(w.request.client.Width, scaleFactor);
  pixels.height = toPixels(w.request.client.Height, scaleFactor);
  pixels.argb.resize(static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height));
  return {pixels.argb.data(), pixels.width, pixels.height, pixels.width};
}

void ScriptedBackend::show(WindowId window) {
  Window& w = windows.at(window);
  ++w.presents;
  if (onShow) onShow(w);
}

std::uint32_t ScriptedBackend::Window::at(Twips x, Twips y, double scale) const {
  const int px = toPixels(x, scale), py = toPixels(y, scale);
  return pixels.argb.at(static_cast<std::size_t>(py) * static_cast<std::size_t>(pixels.width) +
                        static_cast<std::size_t>(px)) &
         0xFFFFFFu;
}

void ScriptedBackend::setPointer(PointerShape shape, const PictureValue& picture) {
  pointerShape = shape;
  pointerPicture = picture;
}

InputEvent ScriptedBackend::nextEvent() {
  if (script.empty() && onScriptEnd) {
    auto then = std::move(onScriptEnd);
    onScriptEnd = nullptr;
    then();
  }
  if (script.empty()) throw std::logic_error("the test's script of pointer events ran out");
  InputEvent event = script.front();
  script.pop_front();
  return event;
}

Point centreOf(const ImageControl& control) {
  const Rect r = control.rect();
  return {r.Left + r.Width / 2, r.Top + r.Height / 2};
}

InputEvent Mouse::at(InputEvent::Kind kind, Form& form, Twips x, Twips y, int button) {
  InputEvent event;
  event.kind = kind;
  event.window = static_cast<WindowId>(form.hWnd());
  event.x = x;
  event.y = y;
  event.button = button;
  event.buttons = kind == InputEvent::Kind::Release ? 0 : button;
  event.inside = x >= 0 && y >= 0 && x < form.layout().ClientWidth && y < form.layout().ClientHeight;
  return event;
}

void Mouse::send(InputEvent event) {
  event.pointer = kind_;
  event.finger = finger_;
  runtime_.handle(event);
  runtime_.presentChanges();
}

void Keyboard::press(Key key, bool shift, bool repeat) {
  InputEvent event{.kind = InputEvent::Kind::Key};
  event.key = key;
  event.shift = shift;
  event.repeat = repeat;
  runtime_.handle(event);
  runtime_.presentChanges();
}

bool Keyboard::tabTo(Form& form, const ImageControl& control) {
  const std::size_t stops = form.controls().inStackingOrder().size();
  for (std::size_t i = 0; i < stops && runtime_.keyboard().focused(form) != &control; ++i) press(Key::Tab);
  return runtime_.keyboard().focused(form) == &control;
}

void Mouse::press(Form& form, Twips x, Twips y, int button) {
  held_ |= button;
  x_ = x;
  y_ = y;
  send(at(InputEvent::Kind::Press, form, x, y, button));
}

void Mouse::moveTo(Form& form, Twips x, Twips y) {
  // A real pointer passes everything on the way, in small steps.
  const int steps = 8;
  const Twips fromX = x_, fromY = y_;
  for (int i = 1; i <= steps; ++i) {
    InputEvent event = at(InputEvent::Kind::Move, form, fromX + (x - fromX) * i / steps,
                          fromY + (y - fromY) * i / steps, 0);
    event.buttons = held_;
    send(event);
  }
  x_ = x;
  y_ = y;
}

void Mouse::release(Form& form, Twips x, Twips y, int button) {
  if (x != x_ || y != y_) moveTo(form, x, y);
  held_ &= ~button;
  send(at(InputEvent::Kind::Release, form, x, y, button));
}

void Mouse::letGo(Form& form, Twips x, Twips y, int button) {
  held_ &= ~button;
  x_ = x;
  y_ = y;
  send(at(InputEvent::Kind::Release, form, x, y, button));
}

void Mouse::releaseOutside(Form& form) {
  const Twips x = form.layout().ClientWidth + 600, y = form.layout().ClientHeight / 2;
  moveTo(form, x, y);
  held_ &= ~kLeftButton;
  send(at(InputEvent::Kind::Release, form, x, y, kLeftButton));
}

void Mouse::click(Form& form, const ImageControl& control) {
  const Point c = centreOf(control);
  press(form, c.x, c.y);
  release(form, c.x, c.y);
}

void Mouse::drag(Form& form, const ImageControl& from, const ImageControl& to) {
  const Point c = centreOf(to);
  drag(form, from, c.x, c.y);
}

void Mouse::drag(Form& form, const ImageControl& from, Twips x, Twips y) {
  const Point start = centreOf(from);
  press(form, start.x, start.y);
  release(form, x, y);
}

void Mouse::cancel(Form& form) {
  held_ = 0;
  send(at(InputEvent::Kind::Cancel, form, x_, y_));
}

void Mouse::close(Form& form) {
  InputEvent event;
  event.kind = InputEvent::Kind::Close;
  event.window = static_cast<WindowId>(form.hWnd());
  send(event);
}

}  // namespace wizlo::testing
