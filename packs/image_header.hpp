#pragma once
#include <cstdint>
#include <optional>
#include <span>

// The kind and pixel size an image file says it has, read from its header alone (a PNG's IHDR, a
// JPEG's start of frame), so a pack's claims can be checked before anything is decoded.
namespace wizlo::packs {

enum class ImageKind : std::uint8_t { Png, Jpeg };

struct ImageHeader {
  ImageKind kind;
  int width, height;
};

// Nothing for bytes that are neither, or whose header is cut short or malformed.
std::optional<ImageHeader> readImageHeader(std::span<const std::uint8_t> bytes);

}  // namespace wizlo::packs
