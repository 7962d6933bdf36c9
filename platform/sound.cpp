#include "platform/sound.hpp"

#include <SDL.h>

#include <algorithm>
#include <memory>

#include "platform/sound_file.hpp"

namespace wizlo::platform {

namespace {

struct WavFree {
  void operator()(Uint8* samples) const { SDL_FreeWAV(samples); }
};
using WavSamples = std::unique_ptr<Uint8, WavFree>;

// About 25 ms of audio a device buffer: short enough that the wait for the
// last buffer is not heard as a pause, long enough not to stutter.
Uint16 bufferFramesFor(int frequency) {
  Uint16 frames = 256;
  while (frames < 4096 && frames * 40 < frequency) frames *= 2;
  return frames;
}

// No sound made to be heard is sampled more coarsely than this. Below it a
// device's buffer lasts for ages, and closing the device waits for two of
// them: at one sample a second a wrong drop would hold the board for minutes.
constexpr int kLowestRate = 4000;

void playToTheEnd(const SDL_AudioSpec& format, const Uint8* samples, Uint32 length) {
  const Uint32 frameBytes = SDL_AUDIO_BITSIZE(format.format) / 8u * format.channels;
  if (frameBytes == 0 || format.freq < kLowestRate) return;
  const Uint64 bytesPerSecond = Uint64{frameBytes} * static_cast<Uint64>(format.freq);
  Uint64 playBytes = std::min<Uint64>(length, bytesPerSecond * SdlSoundService::kMaxSeconds);
  playBytes -= playBytes % frameBytes;
  if (playBytes == 0) return;

  SDL_AudioSpec wanted = format;
  wanted.samples = bufferFramesFor(format.freq);
  wanted.callback = nullptr;
  wanted.userdata = nullptr;
  // No changes allowed: SDL converts to whatever the hardware takes, so the
  // queue below can hold the file's own samples.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device == 0) return;
  if (SDL_QueueAudio(device, samples, static_cast<Uint32>(playBytes)) != 0) {
    SDL_CloseAudioDevice(device);
    return;
  }

  const Uint64 durationMs = playBytes * 1000 / bytesPerSecond;
  // A device that stops taking samples must not hold the board for ever.
  const Uint64 giveUpAt = SDL_GetTicks64() + durationMs + 2000;
  SDL_PauseAudioDevice(device, 0);
  while (SDL_GetQueuedAudioSize(device) > 0 && SDL_GetTicks64() < giveUpAt) {
    SDL_Delay(5);
  }
  // The queue is empty once the last samples are in the device's buffer.
  // Closing lets SDL's audio thread play that tail out: it waits two device
  // buffers before it lets go of the hardware, and the close waits for it.
  SDL_CloseAudioDevice(device);
}

}  // namespace

SdlSoundService::~SdlSoundService() {
  if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundService::startAudio() {
  if (!audioStarted_) audioStarted_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  return audioStarted_;
}

void SdlSoundService::play(std::string_view name) {
  // The file comes first: a missing sound must not cost an audio start-up.
  const auto bytes = readSoundFile(name, kMaxFileBytes);
  if (!bytes || bytes->empty() || !startAudio()) return;

  SDL_RWops* stream = SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
  if (stream == nullptr) return;
  SDL_AudioSpec format{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(stream, 1, &format, &samples, &length) == nullptr) return;
  const WavSamples owned(samples);
  playToTheEnd(format, owned.get(), length);
}

}  // namespace wizlo::platform
