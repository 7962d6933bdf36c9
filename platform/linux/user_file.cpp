#include "platform/user_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace wizlo::platform {

FileBytes readUserFile(std::string_view utf8Path, std::size_t limit) {
  FileBytes result;
  // Non-blocking, so opening a FIFO someone named returns at once; it is refused below.
  const int fd = ::open(std::string(utf8Path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.problem = errno == ENOENT || errno == ENOTDIR ? FileProblem::Missing : FileProblem::Unreadable;
    return result;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    result.problem = FileProblem::NotAFile;
  } else if (static_cast<std::uint64_t>(info.st_size) > limit) {
    result.problem = FileProblem::TooLarge;
  } else {
    result.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < result.bytes.size()) {
      const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    // A file that shrank while it was read is read as it now ends; one that grew, as it was.
    result.bytes.resize(got);
  }
  ::close(fd);
  return result;
}

}  // namespace wizlo::platform
