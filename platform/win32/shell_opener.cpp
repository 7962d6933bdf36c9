#include "platform/win32/shell_opener.hpp"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

void ShellOpener::open(std::uintptr_t ownerWindow, std::string_view address) {
  ShellExecuteW(reinterpret_cast<HWND>(ownerWindow), L"open", wide(address).c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace wizlo::platform
