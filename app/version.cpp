// Puts the version record into a section of its own, ".wizlo.version", as NUL-ended "Name=Value"
// texts, so `readelf -p .wizlo.version wizlo` or `strings` reads it without running the program.

#include "app/version.hpp"

#include <array>
#include <cstddef>
#include <string>

namespace wizlo::version {

namespace {

constexpr std::string recordText() {
  std::string text;
  const auto entry = [&text](std::string_view name, std::string_view value) {
    text.append(name).append("=").append(value).push_back('\0');
  };
  entry("FILEVERSION", kFileVersion);
  entry("PRODUCTVERSION", kProductVersion);
  entry("CompanyName", kCompanyName);
  entry("ProductName", kProductName);
  entry("FileVersion", kFileVersionText);
  entry("ProductVersion", kProductVersionText);
  entry("InternalName", kInternalName);
  entry("OriginalFilename", kOriginalFilename);
  return text;
}

template <std::size_t N>
constexpr std::array<char, N> recordBytes() {
  std::array<char, N> bytes{};
  const std::string text = recordText();
  for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  return bytes;
}

}  // namespace

// Kept by `used` although nothing in the program reads it.
[[gnu::used, gnu::section(".wizlo.version")]] constexpr auto kRecord = recordBytes<recordText().size()>();

}  // namespace wizlo::version
