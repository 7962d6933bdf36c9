#pragma once
#include <windows.h>

// A function of a system DLL, looked up at run time: one newer than the oldest Windows the program
// runs on, or one that start-up should not pay for by loading its DLL. Null when there is none.
namespace wizlo::platform {

template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace wizlo::platform
