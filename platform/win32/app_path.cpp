#include <windows.h>

#include <string>

#include "platform/app_path.hpp"
#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

namespace {

// GetModuleFileNameW says it truncated only by filling the buffer: grow it until the name fits.
std::wstring modulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return buffer.substr(0, length);
    if (buffer.size() >= 32768) return {};  // the longest path Windows has
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string appPath() {
  const std::wstring path = modulePath();
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return ".";
  // A drive's root keeps its backslash, as "C:\" does; the boards' "\yes" then doubles it, which
  // Windows reads as one.
  std::wstring folder = path.substr(0, slash);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return narrow(folder);
}

}  // namespace wizlo::platform
