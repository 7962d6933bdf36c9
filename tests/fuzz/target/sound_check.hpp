#pragma once
// What must hold for any bytes at all handed to the sound decoder: it comes
// back, and what it says it will play is whole frames of a playable rate,
// no longer than the limit, and all of it there to read.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "platform/linux/sdl_sound.hpp"
#include "platform/linux/sound_decode.hpp"

namespace wizlo::fuzz {

inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "sound decoder: %s\n", what);
  std::abort();
}

// SDL's allocations, watched for the largest: a file may make the decoder
// take memory in proportion to what it holds, never to what it claims.
inline std::size_t largestAllocation = 0;
inline void* watchedMalloc(std::size_t size) {
  largestAllocation = std::max(largestAllocation, size);
  return std::malloc(size);
}
inline void* watchedCalloc(std::size_t count, std::size_t size) {
  largestAllocation = std::max(largestAllocation, count * size);
  return std::calloc(count, size);
}
inline void* watchedRealloc(void* memory, std::size_t size) {
  largestAllocation = std::max(largestAllocation, size);
  return std::realloc(memory, size);
}
inline void watchSdlAllocations() {
  static const bool watching = SDL_SetMemoryFunctions(watchedMalloc, watchedCalloc, watchedRealloc, std::free) == 0;
  require(watching, "cannot watch SDL's allocations");
}

// Returns a sum of the samples, so that every byte claimed is read.
inline unsigned checkSoundBytes(std::span<const unsigned char> bytes) {
  watchSdlAllocations();
  largestAllocation = 0;
  const auto sound = platform::decodeSound(bytes, platform::SdlSoundService::kMaxSeconds);
  // Decoding may widen samples: 4-bit ADPCM to 16-bit and the like.
  if (largestAllocation > 16 * bytes.size() + (1u << 20))
    std::fprintf(stderr, "a file of %zu bytes made SDL allocate %zu\n", bytes.size(), largestAllocation);
  require(largestAllocation <= 16 * bytes.size() + (1u << 20), "SDL was made to take far more memory than the file holds");
  if (!sound) return 0;
  const SDL_AudioSpec& format = sound->format;
  const unsigned frameBytes = SDL_AUDIO_BITSIZE(format.format) / 8u * format.channels;
  require(sound->samples != nullptr, "samples promised but none given");
  require(frameBytes > 0, "a frame of no bytes");
  require(format.freq >= platform::kLowestRate, "a rate too low to play");
  require(sound->playBytes > 0 && sound->playBytes % frameBytes == 0, "not whole frames");
  require(sound->bytesPerSecond == Uint64{frameBytes} * static_cast<Uint64>(format.freq), "a wrong byte rate");
  require(sound->playBytes <= sound->bytesPerSecond * platform::SdlSoundService::kMaxSeconds, "longer than the limit");
  unsigned sum = 0;
  for (Uint32 i = 0; i < sound->playBytes; ++i) sum += sound->samples.get()[i];
  return sum;
}

}  // namespace wizlo::fuzz
