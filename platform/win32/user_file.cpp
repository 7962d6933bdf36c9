#include "platform/user_file.hpp"

#include <windows.h>

#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

FileBytes readUserFile(std::string_view utf8Path, std::size_t limit) {
  FileBytes result;
  // By its wide name, so a file in a folder with an Arabic name opens under any code page.
  const HANDLE file = CreateFileW(wide(utf8Path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    result.problem = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileProblem::Missing
                                                                                      : FileProblem::Unreadable;
    return result;
  }
  LARGE_INTEGER size{};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    result.problem = FileProblem::NotAFile;
  } else if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    result.problem = FileProblem::TooLarge;
  } else {
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t got = 0;
    while (got < result.bytes.size()) {
      DWORD n = 0;
      if (!ReadFile(file, result.bytes.data() + got, static_cast<DWORD>(result.bytes.size() - got), &n, nullptr) || n == 0)
        break;
      got += n;
    }
    result.bytes.resize(got);
  }
  CloseHandle(file);
  return result;
}

}  // namespace wizlo::platform
