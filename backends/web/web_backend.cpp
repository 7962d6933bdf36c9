#include "backends/web/web_backend.hpp"

#include <emscripten.h>

#include <cmath>
#include <string>

#include "forms/compose.hpp"

// The page's side of each call is page/windows.js, loaded before the program.

EM_JS(void, wizlo_open_window,
      (int id, const char* caption, const char* description, double left, double top, double width, double height,
       int placedBySystem, int owner),
      {
        WizloWindows.open(id, UTF8ToString(caption), UTF8ToString(description), left, top, width, height,
                          placedBySystem != 0, owner);
      });
EM_JS(void, wizlo_close_window, (int id), { WizloWindows.close(id); });
EM_JS(void, wizlo_raise_window, (int id), { WizloWindows.raise(id); });
EM_JS(double, wizlo_scale, (), { return WizloWindows.scale(); });
EM_JS(double, wizlo_pixel_ratio, (), { return WizloWindows.pixelRatio(); });
EM_JS(void, wizlo_show_frame,
      (int id, const std::uint8_t* rgba, int width, int height, int x, int y, int changedWidth, int changedHeight), {
        WizloWindows.show(id, HEAPU8.subarray(rgba, rgba + width * height * 4), width, height,
                          [x, y, changedWidth, changedHeight]);
      });
EM_JS(void, wizlo_set_pointer, (int shape, const std::uint8_t* rgba, int size, int key), {
  WizloWindows.setPointer(shape, rgba ? HEAPU8.subarray(rgba, rgba + size * size * 4) : null, size, key);
});
EM_JS(void, wizlo_report_error, (const char* message), { WizloWindows.reportError(UTF8ToString(message)); });
EM_JS(void, wizlo_ended, (int status), { WizloWindows.ended(status); });
EM_JS(void, wizlo_cannot_open, (const char* what, const char* file),
      { WizloWindows.cannotOpen(UTF8ToString(what), UTF8ToString(file)); });
EM_JS(void, wizlo_announce, (const char* words), { WizloWindows.announce(UTF8ToString(words)); });
// Resolves with the next event the page queued, waiting for one if need be. The fields, as ints:
// kind, window, x, y (canvas pixels), button, buttons, inside, touch, finger; for a key: kind, 0,
// the key, shift, repeat.
EM_ASYNC_JS(void, wizlo_next_event, (int* out), {
  const event = await WizloWindows.nextEvent();
  HEAP32.set(event, out >> 2);
});

namespace wizlo {

namespace {

// The page's codes for what happened; Rescaled is the page's own: the viewport changed size.
enum PageEvent { kPress, kRelease, kMove, kCancel, kClose, kExposed, kGrabLost, kRescaled, kKey };

// The page's codes for keys (windows.js, KEYS).
Key keyOf(int code) {
  switch (code) {
    case 1: return Key::Tab;
    case 2: return Key::Enter;
    case 3: return Key::Space;
    case 4: return Key::Escape;
    case 5: return Key::Left;
    case 6: return Key::Right;
    case 7: return Key::Up;
    case 8: return Key::Down;
    default: return Key::Other;
  }
}

int pointerCode(PointerShape shape) {
  switch (shape) {
    case PointerShape::Arrow: return 0;
    case PointerShape::Crosshair: return 1;
    case PointerShape::Picture: return 2;
  }
  return 0;
}

// The browser draws a canvas pixel for pixel only where its size in CSS pixels is whole: the canvas is
// made that much larger than the client area, never by more than a few pixels.
int wholeInCss(int pixels, double ratio) {
  for (int size = pixels; size < pixels + 16; ++size) {
    const double css = size / ratio;
    if (std::abs(css - std::round(css)) < 1e-6) return size;
  }
  return pixels;
}

}  // namespace

WindowId WebBackend::openWindow(const WindowSpec& request) {
  const WindowId id = next_++;
  const std::string caption(request.caption), description(request.description);
  const auto pixels = [](Twips t) { return static_cast<double>(t) / kTwipsPerPixel; };
  wizlo_open_window(static_cast<int>(id), caption.c_str(), description.c_str(), pixels(request.client.Left), pixels(request.client.Top),
                    pixels(request.client.Width), pixels(request.client.Height), request.placedBySystem ? 1 : 0,
                    request.owner ? static_cast<int>(*request.owner) : 0);
  // The first window settles the stage the page fits to the viewport, and so the scale.
  scale_ = wizlo_scale();
  windows_[id].client = request.client;
  return id;
}

double WebBackend::layoutUnitsPerPixel() const { return scale_ / wizlo_pixel_ratio(); }

void WebBackend::closeWindow(WindowId window) {
  windows_.erase(window);
  wizlo_close_window(static_cast<int>(window));
}

void WebBackend::raise(WindowId window) { wizlo_raise_window(static_cast<int>(window)); }

FrameView WebBackend::frame(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return {};
  Window& window = found->second;
  const int width = toPixels(window.client.Width, scale_), height = toPixels(window.client.Height, scale_);
  if (width != window.width || height != window.height) {
    const double ratio = wizlo_pixel_ratio();
    window.width = width;
    window.height = height;
    window.canvasWidth = wholeInCss(width, ratio);
    window.canvasHeight = wholeInCss(height, ratio);
    window.frame.assign(static_cast<std::size_t>(window.canvasWidth) * static_cast<std::size_t>(window.canvasHeight),
                        0xFF000000u | kFormBackground);
  }
  return {window.frame.data(), window.width, window.height, window.canvasWidth};
}

void WebBackend::show(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  showChanged(id, {0, 0, found->second.canvasWidth, found->second.canvasHeight});
}

void WebBackend::showChanged(WindowId id, PixelRect changed) {
  const auto found = windows_.find(id);
  if (found == windows_.end() || found->second.frame.empty()) return;
  const Window& window = found->second;
  wizlo_show_frame(static_cast<int>(id), reinterpret_cast<const std::uint8_t*>(window.frame.data()),
                   window.canvasWidth, window.canvasHeight, changed.x, changed.y, changed.width, changed.height);
}

void WebBackend::setPointer(PointerShape shape, const PictureValue& picture) {
  // A pointer image as large as a 32-pixel pointer on the screen, in device pixels.
  const int size = static_cast<int>(std::lround(32 * scale_));
  std::optional<Bitmap> image;
  if (shape == PointerShape::Picture) image = pointerImage(picture, size);
  if (!image) {
    wizlo_set_pointer(pointerCode(shape == PointerShape::Picture ? PointerShape::Arrow : shape), nullptr, 0, 0);
    return;
  }
  // The page keeps the cursor it made for each artwork at each size.
  const int key = static_cast<int>(reinterpret_cast<std::uintptr_t>(picture.artwork()) & 0x7FFFFFFF) ^ size;
  wizlo_set_pointer(pointerCode(shape), reinterpret_cast<const std::uint8_t*>(image->argb.data()), size, key);
}

InputEvent WebBackend::nextEvent() {
  using Kind = InputEvent::Kind;
  for (;;) {
    if (!pending_.empty()) {
      const InputEvent event = pending_.front();
      pending_.pop_front();
      return event;
    }
    int field[9] = {};
    wizlo_next_event(field);
    // Keys are the form's on top, whichever window: the runtime finds it.
    if (field[0] == kKey)
      return InputEvent{.kind = Kind::Key, .key = keyOf(field[2]), .shift = field[3] != 0, .repeat = field[4] != 0};
    InputEvent event;
    event.window = static_cast<WindowId>(field[1]);
    event.x = toTwips(field[2], scale_);
    event.y = toTwips(field[3], scale_);
    event.button = field[4];
    event.buttons = field[5];
    event.inside = field[6] != 0;
    // The canvas may be a few pixels larger than the client area; those are outside it.
    if (const auto found = windows_.find(event.window); found != windows_.end() && found->second.width > 0)
      event.inside = event.inside && field[2] < found->second.width && field[3] < found->second.height;
    event.pointer = field[7] ? PointerKind::Touch : PointerKind::Mouse;
    event.finger = field[8];
    switch (field[0]) {
      case kPress: event.kind = Kind::Press; return event;
      case kRelease: event.kind = Kind::Release; return event;
      case kMove: event.kind = Kind::Move; return event;
      case kCancel: event.kind = Kind::Cancel; return event;
      case kClose: event.kind = Kind::Close; return event;
      case kExposed: event.kind = Kind::Exposed; return event;
      case kGrabLost: event.kind = Kind::GrabLost; return event;
      case kRescaled:
        // Every window is composed again at the new scale.
        scale_ = wizlo_scale();
        for (const auto& [id, window] : windows_) pending_.push_back(InputEvent{.kind = Kind::Exposed, .window = id});
        break;
      default: break;
    }
  }
}

void WebBackend::reportError(std::string_view message) {
  const std::string text(message);
  emscripten_log(EM_LOG_ERROR, "wizlo: %s", text.c_str());
  wizlo_report_error(text.c_str());
}

void WebBackend::cannotOpen(std::string_view what, std::string_view file) {
  wizlo_cannot_open(std::string(what).c_str(), std::string(file).c_str());
}

void WebBackend::announce(std::string_view words) { wizlo_announce(std::string(words).c_str()); }

void WebBackend::ended(int status) { wizlo_ended(status); }

}  // namespace wizlo
