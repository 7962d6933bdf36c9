#include "packs/image_header.hpp"

#include <algorithm>
#include <array>

namespace wizlo::packs {
namespace {

std::uint32_t bigEndian(std::span<const std::uint8_t> b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = 0; i < width; ++i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

std::optional<ImageHeader> png(std::span<const std::uint8_t> b) {
  // The signature, then the first chunk, which must be a 13-byte IHDR: width and height first.
  constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() < 33 || !std::equal(kSignature.begin(), kSignature.end(), b.begin())) return std::nullopt;
  if (bigEndian(b, 8, 4) != 13 || !std::equal(b.begin() + 12, b.begin() + 16, "IHDR")) return std::nullopt;
  const std::uint32_t w = bigEndian(b, 16, 4), h = bigEndian(b, 20, 4);
  if (w == 0 || h == 0 || w > 1u << 16 || h > 1u << 16) return std::nullopt;
  return ImageHeader{ImageKind::Png, static_cast<int>(w), static_cast<int>(h)};
}

std::optional<ImageHeader> jpeg(std::span<const std::uint8_t> b) {
  // Segment by segment from the start-of-image marker to the first start-of-frame marker.
  if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
  std::size_t at = 2;
  while (at + 4 <= b.size()) {
    if (b[at] != 0xFF) return std::nullopt;
    const std::uint8_t marker = b[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const std::uint32_t length = bigEndian(b, at + 2, 2);
    if (length < 2 || at + 2 + length > b.size()) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 8) return std::nullopt;
      const std::uint32_t h = bigEndian(b, at + 5, 2), w = bigEndian(b, at + 7, 2);
      if (w == 0 || h == 0) return std::nullopt;
      return ImageHeader{ImageKind::Jpeg, static_cast<int>(w), static_cast<int>(h)};
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // the end, or scan data, before any frame
    at += 2 + length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ImageHeader> readImageHeader(std::span<const std::uint8_t> bytes) {
  if (auto header = png(bytes)) return header;
  return jpeg(bytes);
}

}  // namespace wizlo::packs
