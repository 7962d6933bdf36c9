#include "platform/linux/app_path.hpp"

#include <unistd.h>

#include <vector>

namespace wizlo::platform {

namespace {

// readlink does not say whether it truncated, so grow the buffer until the
// answer fits with room to spare. The kernel caps the link text at a page.
std::string executablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    if (buffer.size() >= (std::size_t{1} << 20)) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string folderOf(std::string_view executablePath) {
  const std::size_t slash = executablePath.rfind('/');
  if (slash == std::string_view::npos) return ".";
  if (slash == 0) return "/";
  return std::string(executablePath.substr(0, slash));
}

std::string appPath() {
  // Without /proc there is no reliable way to find ourselves; the working
  // folder is the best remaining guess, and a wrong guess only costs a sound.
  const std::string path = executablePath();
  return path.empty() ? std::string(".") : folderOf(path);
}

}  // namespace wizlo::platform
