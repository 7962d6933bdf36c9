#include "backends/win32/win32_backend.hpp"

#include <tpcshrd.h>
#include <windowsx.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "backends/win32/display.hpp"
#include "backends/frame_log.hpp"
#include "forms/compose.hpp"
#include "forms/display_scale.hpp"
#include "platform/win32/wide_text.hpp"

namespace wizlo {

namespace {

constexpr wchar_t kWindowClass[] = L"WizloForm";
// A sizable top-level window, as a form with the default border is.
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr int kCursorSize = 32;  // the usual size of a drag pointer at 96 dpi
constexpr int kIconSize = 32, kSmallIconSize = 16;

// A 32-bit top-down DIB section over which the bitmap's words are B, G, R, A bytes.
HBITMAP dibSection(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as a FrameView has it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// An icon or pointer from an image with straight alpha; the mask is unused where there is alpha.
HICON iconFrom(const Bitmap& image, bool pointer) {
  void* bits = nullptr;
  HBITMAP colour = dibSection(image.width, image.height, &bits);
  if (!colour) return nullptr;
  std::memcpy(bits, image.argb.data(), image.argb.size() * sizeof image.argb[0]);
  const std::vector<BYTE> clear(static_cast<std::size_t>((image.width + 15) / 16 * 2 * image.height), 0);
  HBITMAP mask = CreateBitmap(image.width, image.height, 1, 1, clear.data());
  ICONINFO info{!pointer, static_cast<DWORD>(image.width / 2), static_cast<DWORD>(image.height / 2), mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

HICON iconOf(const PictureValue& picture, int size, bool pointer) {
  const std::optional<Bitmap> image = pointerImage(picture, size);
  return image ? iconFrom(*image, pointer) : nullptr;
}

// A finger reaches a window that leaves its pointer messages to the system as the mouse messages the
// system makes of the first finger down, marked in their extra information: the pen-or-touch
// signature, the touch bit, and the contact's number in the low bits. A second finger makes none.
constexpr std::uint32_t kSignatureMask = 0xFFFFFF00, kPenOrTouch = 0xFF515700, kTouchBit = 0x80, kContact = 0x7F;

std::optional<int> fingerOf(LPARAM extraInfo) {
  const auto extra = static_cast<std::uint32_t>(extraInfo);
  if ((extra & kSignatureMask) != kPenOrTouch || !(extra & kTouchBit)) return std::nullopt;  // a mouse or a pen
  return static_cast<int>(extra & kContact);
}

// The keys a pupil moves about a form with; every other key is none of the program's business.
Key keyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_TAB: return Key::Tab;
    case VK_RETURN: return Key::Enter;  // the keypad's Enter too: the same key code, marked extended
    case VK_SPACE: return Key::Space;
    case VK_ESCAPE: return Key::Escape;
    case VK_LEFT: return Key::Left;
    case VK_RIGHT: return Key::Right;
    case VK_UP: return Key::Up;
    case VK_DOWN: return Key::Down;
    default: return Key::Other;
  }
}

bool held(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

int buttonsOf(WPARAM keys) {
  return ((keys & MK_LBUTTON) ? kLeftButton : 0) | ((keys & MK_RBUTTON) ? kRightButton : 0) |
         ((keys & MK_MBUTTON) ? kMiddleButton : 0);
}

}  // namespace

Win32Backend::Win32Backend() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &Win32Backend::procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  // No class cursor: WM_SETCURSOR puts up the one the core chose.
  if (!RegisterClassExW(&windowClass))
    throw std::runtime_error("cannot register the window class (error " + std::to_string(GetLastError()) + ")");
  arrow_ = shown_ = LoadCursorW(nullptr, IDC_ARROW);
  crosshair_ = LoadCursorW(nullptr, IDC_CROSS);
}

Win32Backend::~Win32Backend() {
  while (!windows_.empty()) closeWindow(windows_.begin()->first);
  for (auto& [art, cursor] : cursors_) DestroyCursor(cursor.second);
  UnregisterClassW(kWindowClass, GetModuleHandleW(nullptr));
}

void Win32Backend::settleDisplay(const WindowSpec& first) {
  // Every form keeps the scale found here, so pictures, pointer images and the twips of events agree
  // for the whole run. The monitor is the one the first form's corner lies on at 96 dpi.
  settled_ = true;
  const win32::Monitor monitor =
      win32::monitorAt({first.client.Left / kTwipsPerPixel, first.client.Top / kTwipsPerPixel});
  const FrameExtents frame = win32::frameFor(kStyle, monitor.dpi);
  scale_ = displayScale(monitor.dpi, first.client.Width / kTwipsPerPixel, first.client.Height / kTwipsPerPixel,
                        monitor.workArea.width - frame.left - frame.right,
                        monitor.workArea.height - frame.top - frame.bottom);
}

void Win32Backend::placeOnWorkArea(HWND hwnd, PixelRect client, bool placedBySystem) {
  // The frame the window really got, measured, rather than what the system would have us expect.
  RECT outer{}, inner{};
  GetWindowRect(hwnd, &outer);
  GetClientRect(hwnd, &inner);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const FrameExtents frame{static_cast<int>(origin.x - outer.left),
                           static_cast<int>(outer.right - origin.x - inner.right),
                           static_cast<int>(origin.y - outer.top),
                           static_cast<int>(outer.bottom - origin.y - inner.bottom)};
  // A system-placed window stays where the system put it, if it fits.
  if (placedBySystem) client.x = origin.x, client.y = origin.y;
  const PixelRect placed = keepFrameInWorkArea(client, frame, win32::monitorOf(client).workArea);
  SetWindowPos(hwnd, nullptr, placed.x - frame.left, placed.y - frame.top, placed.width + frame.left + frame.right,
               placed.height + frame.top + frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowId Win32Backend::openWindow(const WindowSpec& request) {
  if (!settled_) settleDisplay(request);
  const PixelRect client{toPixels(request.client.Left, scale_), toPixels(request.client.Top, scale_),
                         toPixels(request.client.Width, scale_), toPixels(request.client.Height, scale_)};
  HWND owner = nullptr;
  if (request.owner)
    if (const auto found = windows_.find(*request.owner); found != windows_.end()) owner = found->second.hwnd;

  const WindowId id = ++lastId_;
  windows_.emplace(id, Window{});
  const FrameExtents frame = win32::frameFor(kStyle, win32::monitorOf(client).dpi);
  const int x = request.placedBySystem ? CW_USEDEFAULT : client.x - frame.left;
  const int y = request.placedBySystem ? CW_USEDEFAULT : client.y - frame.top;
  HWND hwnd = CreateWindowExW(0, kWindowClass, platform::wide(request.caption).c_str(), kStyle, x, y,
                              client.width + frame.left + frame.right, client.height + frame.top + frame.bottom,
                              owner, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd) {
    windows_.erase(id);
    throw std::runtime_error("cannot open a window (error " + std::to_string(GetLastError()) + ")");
  }
  Window& window = windows_.at(id);
  window.hwnd = hwnd;
  placeOnWorkArea(hwnd, client, request.placedBySystem);

  window.icon = request.icon;  // given once the first frame is up
  // A form shown over an owner is modal: every other form takes no input until it closes.
  if (owner)
    for (auto& [otherId, other] : windows_)
      if (otherId != id && IsWindowEnabled(other.hwnd)) {
        EnableWindow(other.hwnd, FALSE);
        window.disabled.push_back(other.hwnd);
      }
  ShowWindow(hwnd, SW_SHOW);  // which activates it too
  return id;
}

void Win32Backend::freePixels(Window& window) {
  if (window.memory) {
    SelectObject(window.memory, window.previous);
    DeleteDC(window.memory);
  }
  if (window.pixels) DeleteObject(window.pixels);
  window.memory = nullptr;
  window.pixels = nullptr;
  window.bits = nullptr;
  window.width = window.height = 0;
}

void Win32Backend::closeWindow(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return;
  Window& window = found->second;
  // Enabled again before this one goes, so the system hands activation back to the owner.
  for (HWND other : window.disabled)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  DestroyWindow(window.hwnd);
  freePixels(window);
  if (window.bigIcon) DestroyIcon(window.bigIcon);
  if (window.smallIcon) DestroyIcon(window.smallIcon);
  windows_.erase(found);
}

void Win32Backend::raise(WindowId id) {
  if (const auto found = windows_.find(id); found != windows_.end()) {
    BringWindowToTop(found->second.hwnd);
    SetForegroundWindow(found->second.hwnd);
  }
}

FrameView Win32Backend::frame(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end()) return {};
  Window& window = found->second;
  RECT client{};
  GetClientRect(window.hwnd, &client);
  if (client.right <= 0 || client.bottom <= 0) return {};  // minimised: nothing to draw on
  if (client.right != window.width || client.bottom != window.height) {
    freePixels(window);
    window.pixels = dibSection(client.right, client.bottom, &window.bits);
    if (!window.pixels) throw std::runtime_error("cannot make the pixels of a window");
    window.memory = CreateCompatibleDC(nullptr);
    window.previous = SelectObject(window.memory, window.pixels);
    window.width = client.right;
    window.height = client.bottom;
  }
  GdiFlush();  // GDI is done with the pixels before we write them
  return {static_cast<std::uint32_t*>(window.bits), window.width, window.height, window.width};
}

void Win32Backend::show(WindowId id) {
  const auto found = windows_.find(id);
  if (found == windows_.end() || !found->second.memory) return;
  Window& window = found->second;
  HDC screen = GetDC(window.hwnd);
  BitBlt(screen, 0, 0, window.width, window.height, window.memory, 0, 0, SRCCOPY);
  ReleaseDC(window.hwnd, screen);
  GdiFlush();  // on the screen now, not when the message loop next waits
  ValidateRect(window.hwnd, nullptr);
  noteFrameShown(id);
  if (!window.icon.isEmpty()) giveIcon(found->second);
}

void Win32Backend::giveIcon(Window& window) {
  // After the first frame: the pupil sees the form sooner, and its icon a moment later.
  window.bigIcon = iconOf(window.icon, static_cast<int>(std::lround(kIconSize * scale_)), false);
  window.smallIcon = iconOf(window.icon, static_cast<int>(std::lround(kSmallIconSize * scale_)), false);
  window.icon = {};
  SendMessageW(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window.bigIcon));
  SendMessageW(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window.smallIcon));
}

HCURSOR Win32Backend::cursorFor(const PictureValue& picture) {
  const Artwork* art = picture.artwork();
  if (!art) return arrow_;
  if (const auto found = cursors_.find(art); found != cursors_.end()) return found->second.second;
  HCURSOR cursor = iconOf(picture, static_cast<int>(std::lround(kCursorSize * scale_)), true);
  if (!cursor) return arrow_;
  cursors_.emplace(art, std::make_pair(picture.sharedArtwork(), cursor));
  return cursor;
}

void Win32Backend::setPointer(PointerShape shape, const PictureValue& picture) {
  switch (shape) {
    case PointerShape::Arrow: shown_ = arrow_; break;
    case PointerShape::Crosshair: shown_ = crosshair_; break;
    case PointerShape::Picture: shown_ = cursorFor(picture); break;
  }
  // At once, even mid-drag, when the system sends no WM_SETCURSOR.
  SetCursor(shown_);
}

InputEvent Win32Backend::nextEvent() {
  while (events_.empty()) {
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return InputEvent{.kind = InputEvent::Kind::Quit};
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  const InputEvent event = events_.front();
  events_.pop_front();
  return event;
}

std::uintptr_t Win32Backend::nativeHandle(WindowId id) const {
  const auto found = windows_.find(id);
  return found == windows_.end() ? 0 : reinterpret_cast<std::uintptr_t>(found->second.hwnd);
}

void showErrorBox(std::string_view message) {
  const std::string text(message);
  std::fprintf(stderr, "wizlo: %s\n", text.c_str());
  MessageBoxW(nullptr, platform::wide(text).c_str(), L"Wizlo", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void Win32Backend::reportError(std::string_view message) { showErrorBox(message); }

Win32Backend::Window* Win32Backend::find(HWND hwnd) {
  for (auto& [id, window] : windows_)
    if (window.hwnd == hwnd) return &window;
  return nullptr;
}

WindowId Win32Backend::idOf(HWND hwnd) const {
  for (const auto& [id, window] : windows_)
    if (window.hwnd == hwnd) return id;
  return 0;
}

void Win32Backend::pointerEvent(InputEvent::Kind kind, HWND hwnd, LPARAM lParam, int button, int buttons) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);  // client pixels, negative outside
  RECT client{};
  GetClientRect(hwnd, &client);
  InputEvent event{.kind = kind, .window = idOf(hwnd), .x = toTwips(x, scale_), .y = toTwips(y, scale_)};
  event.button = button;
  event.buttons = buttons;
  event.inside = x >= 0 && y >= 0 && x < client.right && y < client.bottom;
  if (const std::optional<int> finger = fingerOf(GetMessageExtraInfo())) {
    event.pointer = PointerKind::Touch;
    event.finger = *finger;
    if (kind == InputEvent::Kind::Move) event.buttons = kLeftButton;  // a finger moves only while down
    if (kind == InputEvent::Kind::Press) finger_ = finger;
    if (kind == InputEvent::Kind::Release) finger_.reset();
  }
  events_.push_back(event);
}

LRESULT CALLBACK Win32Backend::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return backend ? backend->handle(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Win32Backend::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  using Kind = InputEvent::Kind;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // Held while any button is down, so a drag goes on outside the window and its release comes back.
      if (GetCapture() != hwnd) SetCapture(hwnd);
      const int button = message == WM_LBUTTONDOWN ? kLeftButton : message == WM_RBUTTONDOWN ? kRightButton : kMiddleButton;
      pointerEvent(Kind::Press, hwnd, lParam, button, buttonsOf(wParam));
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const int button = message == WM_LBUTTONUP ? kLeftButton : message == WM_RBUTTONUP ? kRightButton : kMiddleButton;
      pointerEvent(Kind::Release, hwnd, lParam, button, buttonsOf(wParam));
      if (buttonsOf(wParam) == 0 && GetCapture() == hwnd) {
        releasingCapture_ = true;
        ReleaseCapture();
        releasingCapture_ = false;
      }
      return 0;
    }
    case WM_MOUSEMOVE: pointerEvent(Kind::Move, hwnd, lParam, 0, buttonsOf(wParam)); return 0;
    case WM_KEYDOWN: {
      // Our windows are plain top-level ones and the message loop runs no dialog manager, so Tab,
      // Enter and Escape come here as any key does. With Ctrl or the Windows key held, a key is a
      // shortcut of the desktop's, not a move (Alt makes WM_SYSKEYDOWN, which stays the system's).
      const Key key = keyOf(wParam);
      if (key == Key::Other || held(VK_CONTROL) || held(VK_LWIN) || held(VK_RWIN)) break;
      InputEvent event{.kind = Kind::Key, .window = idOf(hwnd)};
      event.key = key;
      event.shift = held(VK_SHIFT);  // as it was when this key went down, not as it is now
      event.repeat = (lParam & (LPARAM{1} << 30)) != 0;  // the key was already down: a held key repeats
      events_.push_back(event);
      return 0;
    }
    case WM_CAPTURECHANGED:
      // Someone else took the pointer (a system dialog, Alt+Tab): a drag ends without a drop.
      if (!releasingCapture_) events_.push_back(InputEvent{.kind = Kind::GrabLost, .window = idOf(hwnd)});
      return 0;
    case WM_POINTERDOWN:
      // The first finger down is the one the system makes mouse messages of.
      if (IS_POINTER_PRIMARY_WPARAM(wParam)) primary_ = GET_POINTERID_WPARAM(wParam);
      break;
    case WM_POINTERUP:
    case WM_POINTERCAPTURECHANGED:
      if (primary_ && *primary_ == GET_POINTERID_WPARAM(wParam)) {
        // The system took that finger back (a gesture of its own, a palm) or gave it to another
        // window: its drag ends with no drop, and the release the system may still make of it finds
        // nothing. A finger lifted as usual is done with, whatever comes of it after.
        const bool lost = message == WM_POINTERUP ? IS_POINTER_CANCELED_WPARAM(wParam) : reinterpret_cast<HWND>(lParam) != hwnd;
        if (lost && finger_)
          events_.push_back(InputEvent{.kind = Kind::Cancel, .window = idOf(hwnd), .pointer = PointerKind::Touch,
                                       .finger = *finger_});
        if (lost || message == WM_POINTERUP) primary_.reset();
      }
      break;  // the system makes its mouse messages of it
    case WM_TABLET_QUERYSYSTEMGESTURESTATUS:
      // Without it, a finger held still waits to become a right click: the press comes only when the
      // finger moves or lifts, and a pupil's careful drag starts late.
      return TABLET_DISABLE_PRESSANDHOLD;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(shown_);
        return TRUE;
      }
      break;
    case WM_CLOSE: events_.push_back(InputEvent{.kind = Kind::Close, .window = idOf(hwnd)}); return 0;
    case WM_ENDSESSION:
      if (wParam) events_.push_back(InputEvent{.kind = Kind::Quit});
      return 0;
    case WM_ERASEBKGND: return 1;  // every pixel is ours
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC screen = BeginPaint(hwnd, &paint);
      const Window* window = find(hwnd);
      if (window && window->memory) BitBlt(screen, 0, 0, window->width, window->height, window->memory, 0, 0, SRCCOPY);
      EndPaint(hwnd, &paint);
      RECT client{};
      GetClientRect(hwnd, &client);
      // A window of a new size needs a frame composed at that size.
      if (window && (client.right != window->width || client.bottom != window->height))
        events_.push_back(InputEvent{.kind = Kind::Exposed, .window = idOf(hwnd)});
      return 0;
    }
    case WM_DPICHANGED:
      // The scale is settled for the run: a window moved to another monitor keeps its pixel size.
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace wizlo
