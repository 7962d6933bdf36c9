#pragma once
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace wizlo::platform {

struct WavFree {
  void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};

// The part of a sound that will be played: SDL's decoding of a WAV file,
// cut to whole frames and to at most maxSeconds.
struct DecodedSound {
  SDL_AudioSpec format{};
  std::unique_ptr<Uint8, WavFree> samples;
  Uint32 playBytes = 0;   // never more than SDL decoded
  Uint64 bytesPerSecond = 0;
};

// Nothing for bytes that are no WAV, hold no whole frame, or are sampled
// too coarsely to play (see kLowestRate). The bytes are only read.
std::optional<DecodedSound> decodeSound(std::span<const unsigned char> bytes, unsigned maxSeconds);

// No sound made to be heard is sampled more coarsely than this. Below it a
// device's buffer lasts for ages, and closing the device waits for two of
// them: at one sample a second the audio thread would be held for minutes.
inline constexpr int kLowestRate = 4000;

}  // namespace wizlo::platform
