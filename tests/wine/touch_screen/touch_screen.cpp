// A touch screen (and a held key) for the Wine tests, delivering a finger as Windows delivers it to a
// program that leaves its pointer messages to the system: WM_POINTERDOWN and WM_POINTERUP (the first
// finger down marked primary), and the mouse input the system makes of the primary finger, marked
// with the touch signature and the contact's number, which the program reads back with
// GetMessageExtraInfo. Wine 8 makes no pointer messages, so they are posted to the window under the
// finger. Its arguments are steps:
//   down X Y F | move X Y F | up X Y F   finger F at screen pixel (X, Y)
//   cancel X Y F                           the system takes finger F back from the window at (X, Y)
//   pause MS
//   hold VK N                              key VK held down for N key-downs (the first and its repeats)
// The last is a held key as a keyboard sends it, which XTEST on Xvfb never repeats.
// Each step is given 40 ms to be handled before the next, which could otherwise overtake it: a
// posted message is read before any input still queued.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr ULONG_PTR kTouchSignature = 0xFF515780;

// A loaded machine's Wine now and then refuses an input or a post for a moment; what it refused was
// not delivered, so it is asked again, for up to a second, before the step counts as failed.
template <class Step>
bool tried(Step step) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (step()) return true;
    Sleep(20);
  }
  return false;
}

bool sendFinger(DWORD flags, int x, int y, int finger) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 across the primary screen.
  input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dwExtraInfo = kTouchSignature | static_cast<ULONG_PTR>(finger & 0x7F);
  return tried([&] { return SendInput(1, &input, sizeof input) == 1; });
}

bool postPointer(UINT message, int x, int y, int finger, WORD flags) {
  return tried([&] {
    HWND window = WindowFromPoint(POINT{x, y});
    return window && PostMessageW(window, message, MAKEWPARAM(finger, flags),
                                  message == WM_POINTERCAPTURECHANGED ? 0 : MAKELPARAM(x, y));
  });
}

bool down(int x, int y, int finger) {
  // The first finger on the screen is the primary one: no other holds the left button down.
  const bool primary = !(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  const WORD flags = POINTER_MESSAGE_FLAG_NEW | POINTER_MESSAGE_FLAG_INRANGE | POINTER_MESSAGE_FLAG_INCONTACT |
                     POINTER_MESSAGE_FLAG_FIRSTBUTTON | (primary ? POINTER_MESSAGE_FLAG_PRIMARY : 0);
  return postPointer(WM_POINTERDOWN, x, y, finger, flags) && sendFinger(MOUSEEVENTF_LEFTDOWN, x, y, finger);
}

bool sendKey(int key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key);
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return tried([&] { return SendInput(1, &input, sizeof input) == 1; });
}

// A held key: its key-downs come one after another without a key-up between, and the system marks
// every one after the first as a repeat.
bool hold(int key, int downs) {
  for (int n = 0; n < downs; ++n) {
    if (!sendKey(key, false)) return false;
    Sleep(40);
  }
  return sendKey(key, true);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const char* step = argv[i];
    const auto number = [&](int k) { return i + k < argc ? std::atoi(argv[i + k]) : 0; };
    bool done = false;
    if (std::strcmp(step, "pause") == 0) {
      Sleep(static_cast<DWORD>(number(1)));
      done = true;
      i += 1;
    } else if (std::strcmp(step, "hold") == 0) {
      done = hold(number(1), number(2));
      i += 2;
    } else if (i + 3 < argc) {
      const int x = number(1), y = number(2), finger = number(3);
      if (std::strcmp(step, "down") == 0) done = down(x, y, finger);
      if (std::strcmp(step, "move") == 0) done = sendFinger(0, x, y, finger);
      if (std::strcmp(step, "up") == 0)
        done = postPointer(WM_POINTERUP, x, y, finger, 0) && sendFinger(MOUSEEVENTF_LEFTUP, x, y, finger);
      if (std::strcmp(step, "cancel") == 0) done = postPointer(WM_POINTERCAPTURECHANGED, x, y, finger, 0);
      i += 3;
    }
    if (!done) {
      std::fprintf(stderr, "wizlo-touch-screen: cannot do step %d (%s): error %lu\n", i, step, GetLastError());
      return 1;
    }
    Sleep(40);
  }
  return 0;
}
