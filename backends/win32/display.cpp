#include "backends/win32/display.hpp"

#include "platform/win32/system_library.hpp"

namespace wizlo::win32 {

namespace {

// Functions newer than the oldest Windows the program runs on, looked up once: GetDpiForMonitor
// (8.1, shcore.dll) and AdjustWindowRectExForDpi (10, version 1607).
using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

Monitor describe(HMONITOR handle) {
  Monitor monitor;
  static const auto dpiForMonitor = platform::systemFunction<DpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (dpiForMonitor && dpiForMonitor(handle, 0 /* MDT_EFFECTIVE_DPI */, &x, &y) == S_OK) {
    monitor.dpi = x;
  } else if (HDC screen = GetDC(nullptr)) {
    monitor.dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
  }
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(handle, &info)) {
    const RECT& r = info.rcWork;
    monitor.workArea = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  return monitor;
}

}  // namespace

Monitor monitorAt(POINT point) { return describe(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)); }

Monitor monitorOf(PixelRect rect) {
  const RECT r{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  return describe(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

FrameExtents frameFor(DWORD style, double dpi) {
  static const auto adjustForDpi = platform::systemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT r{0, 0, 0, 0};
  if (!(adjustForDpi && adjustForDpi(&r, style, FALSE, 0, static_cast<UINT>(dpi)))) AdjustWindowRectEx(&r, style, FALSE, 0);
  return {static_cast<int>(-r.left), static_cast<int>(r.right), static_cast<int>(-r.top), static_cast<int>(r.bottom)};
}

}  // namespace wizlo::win32
