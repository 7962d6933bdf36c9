// The floor of the Windows program's stack: a bare Win32 program that opens one window whose client
// area is the menu's size, paints it once with GDI and, asked to, quits. It logs its frame as Wizlo.exe
// does (WIZLO_FRAME_LOG, WIZLO_EXIT_AFTER_FIRST_FRAME), so the start-up benchmark times both alike.

#include <windows.h>

#include "backends/frame_log.hpp"

namespace {
// The menu's client area at 96 dpi: 13575 x 8985 twips, 15 twips a pixel.
constexpr int kWidth = 13575 / 15;
constexpr int kHeight = 8985 / 15;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
      EndPaint(hwnd, &paint);
      GdiFlush();
      wizlo::noteFrameShown(1);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}
}  // namespace

int main() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"Baseline";
  RegisterClassExW(&windowClass);
  RECT frame{0, 0, kWidth, kHeight};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, L"Baseline", L"baseline", WS_OVERLAPPEDWINDOW, 41 + frame.left, 137 + frame.top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
