#include "platform/win32/shell_opener.hpp"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/system_library.hpp"
#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

void ShellOpener::open(std::uintptr_t ownerWindow, std::string_view address) {
  // shell32.dll and all it brings loaded on the first click, not at start-up, which needs none of it.
  static const auto execute = systemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  if (execute) execute(reinterpret_cast<HWND>(ownerWindow), L"open", wide(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace wizlo::platform
