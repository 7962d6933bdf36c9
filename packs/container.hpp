#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A board pack's container: one file made of a header, a directory of named entries (each with its
// size and CRC-32) and then the entries' bytes back to back, in directory order, to the end of the
// file. The pictures in it are PNG and JPEG, compressed already, so nothing is compressed again; the
// checksums tell a pack damaged on its way from one teacher to another.
//
//   offset 0   "WIZLOPAK"                      8 bytes
//          8   format version                  2 bytes, little-endian
//         10   number of entries               2 bytes, little-endian
//         12   per entry: name length (1 byte), the name, size (4 bytes), CRC-32 (4 bytes)
//         ...  the entries' bytes
namespace wizlo::packs {

inline constexpr std::string_view kMagic = "WIZLOPAK";
inline constexpr std::uint16_t kFormatVersion = 1;

// Limits a pack must keep, so that a hostile one costs little to refuse.
inline constexpr std::size_t kMaxPackBytes = 16u << 20;
inline constexpr std::size_t kMaxEntries = 200;
inline constexpr std::size_t kMaxNameLength = 64;

struct Entry {
  std::string name;
  std::span<const std::uint8_t> bytes;  // within the file read
};

// The entries of a pack, checked: the header, the version, every name (lower-case letters, digits,
// '.', '-', '_'; no two alike), every size against the file and every checksum. Throws PackError.
std::vector<Entry> readContainer(std::span<const std::uint8_t> file);

struct NewEntry {
  std::string name;
  std::vector<std::uint8_t> bytes;
};
// A pack holding these entries, in this order. Throws std::invalid_argument past the limits.
std::vector<std::uint8_t> writeContainer(const std::vector<NewEntry>& entries);

std::uint32_t crc32(std::span<const std::uint8_t> bytes);

}  // namespace wizlo::packs
