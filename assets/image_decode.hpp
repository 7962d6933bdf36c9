#pragma once
#include <cstdint>
#include <span>

#include "forms/picture.hpp"

// The generator's JPEG and PNG files to ARGB8888, decoded straight into the
// bitmap: no intermediate surface, so a picture costs its pixels once.
namespace wizlo::assets {

// Both throw std::runtime_error for bytes that are not such an image.
Bitmap decodeJpeg(std::span<const std::uint8_t> bytes);
Bitmap decodePng(std::span<const std::uint8_t> bytes);

// Starts decoding these bytes where decoding happens outside the program (the browser, which decodes
// many images at once), for a later decodeJpeg or decodePng of the very same bytes to take; the
// bytes must stay where they are until then. Elsewhere it does nothing.
void decodeAhead(std::span<const std::uint8_t> bytes);

}  // namespace wizlo::assets
