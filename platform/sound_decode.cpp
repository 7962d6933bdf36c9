#include "platform/sound_decode.hpp"

#include <algorithm>
#include <climits>

namespace wizlo::platform {

std::optional<DecodedSound> decodeSound(std::span<const unsigned char> bytes, unsigned maxSeconds) {
  if (bytes.empty() || bytes.size() > INT_MAX) return std::nullopt;
  SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (stream == nullptr) return std::nullopt;
  DecodedSound sound;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(stream, 1, &sound.format, &samples, &length) == nullptr) return std::nullopt;
  sound.samples.reset(samples);

  const Uint32 frameBytes = SDL_AUDIO_BITSIZE(sound.format.format) / 8u * sound.format.channels;
  if (frameBytes == 0 || sound.format.freq < kLowestRate) return std::nullopt;
  sound.bytesPerSecond = Uint64{frameBytes} * static_cast<Uint64>(sound.format.freq);
  Uint64 playBytes = std::min<Uint64>(length, sound.bytesPerSecond * maxSeconds);
  playBytes -= playBytes % frameBytes;
  if (playBytes == 0) return std::nullopt;
  sound.playBytes = static_cast<Uint32>(playBytes);
  return sound;
}

}  // namespace wizlo::platform
