#include "platform/linux/sound_decode.hpp"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace wizlo::platform {

namespace {

std::uint32_t read32(const std::vector<unsigned char>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 | std::uint32_t{bytes[at + 2]} << 16 |
         std::uint32_t{bytes[at + 3]} << 24;
}

// SDL allocates what a chunk claims before it reads it: a file of 132 bytes
// whose data chunk claimed three gigabytes made it ask for three gigabytes.
// A chunk that runs past the end of the file is cut to what the file holds,
// which is all SDL could read of it anyway.
std::vector<unsigned char> withHonestChunkSizes(std::span<const unsigned char> bytes) {
  std::vector<unsigned char> copy(bytes.begin(), bytes.end());
  // SDL also takes a file that lacks the RIFF header and starts at "WAVE".
  std::size_t at = 0;
  if (copy.size() >= 12 && std::memcmp(copy.data(), "RIFF", 4) == 0) at = 12;
  else if (copy.size() >= 4 && std::memcmp(copy.data(), "WAVE", 4) == 0) at = 4;
  else return copy;
  while (at + 8 <= copy.size()) {
    const std::size_t size = read32(copy, at + 4), left = copy.size() - (at + 8);
    if (size > left) {
      for (int i = 0; i < 4; ++i) copy[at + 4 + static_cast<std::size_t>(i)] = static_cast<unsigned char>(left >> (8 * i));
      break;
    }
    at += 8 + size + (size & 1);
  }
  return copy;
}

}  // namespace

std::optional<DecodedSound> decodeSound(std::span<const unsigned char> bytes, unsigned maxSeconds) {
  if (bytes.empty() || bytes.size() > INT_MAX) return std::nullopt;
  const std::vector<unsigned char> honest = withHonestChunkSizes(bytes);
  SDL_RWops* stream = SDL_RWFromConstMem(honest.data(), static_cast<int>(honest.size()));
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
