#include "platform/linux/sound_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace wizlo::platform {

namespace {

bool hasExtension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = last.rfind('.');
  // A leading dot marks a hidden file, not an extension; a trailing dot is no extension either.
  return dot != std::string_view::npos && dot > 0 && dot + 1 < last.size();
}

std::string filePathOf(std::string_view soundName) {
  const std::size_t backslash = soundName.rfind('\\');
  if (backslash == std::string_view::npos) return std::string(soundName);
  std::string_view folder = soundName.substr(0, backslash);
  while (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);
  std::string path(folder);
  path += '/';
  path += soundName.substr(backslash + 1);
  return path;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

std::optional<std::vector<unsigned char>> readRegularFile(const std::string& path, std::size_t maxBytes) {
  // O_NONBLOCK so that opening a FIFO does not wait for a writer.
  const FileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat info {};
  if (fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;

  const auto size = static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0);
  std::vector<unsigned char> bytes(size < maxBytes ? size : maxBytes);
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = read(file.get(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;  // the file shrank while we read it
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace

std::vector<std::string> soundFileCandidates(std::string_view soundName) {
  if (soundName.empty()) return {};
  std::string path = filePathOf(soundName);
  if (hasExtension(path)) return {path};
  return {path + ".wav", path};
}

std::optional<std::vector<unsigned char>> readSoundFile(std::string_view soundName, std::size_t maxBytes) {
  for (const std::string& candidate : soundFileCandidates(soundName)) {
    if (auto bytes = readRegularFile(candidate, maxBytes)) return bytes;
  }
  return std::nullopt;
}

}  // namespace wizlo::platform
