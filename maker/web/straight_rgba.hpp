#pragma once
#include <cstdint>

namespace wizlo::maker {

// A premultiplied 0xAARRGGBB word, as Cairo's surfaces and our bitmaps hold them, as the straight
// R, G, B bytes (and A, where `alpha`) that encoders and the browser's ImageData take.
inline void putStraight(std::uint32_t word, unsigned char* out, bool alpha) {
  const std::uint32_t a = word >> 24;
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t v = (word >> (16 - 8 * c)) & 0xFF;
    out[c] = static_cast<unsigned char>(a == 0 ? 0 : (v * 255 + a / 2) / a);
  }
  if (alpha) out[3] = static_cast<unsigned char>(a);
}

}  // namespace wizlo::maker
