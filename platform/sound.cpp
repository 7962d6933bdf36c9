#include "platform/sound.hpp"

#include <SDL.h>

#include "platform/sound_decode.hpp"
#include "platform/sound_file.hpp"

namespace wizlo::platform {

namespace {

// About 25 ms of audio a device buffer: short enough that the wait for the
// last buffer is not heard as a pause, long enough not to stutter.
Uint16 bufferFramesFor(int frequency) {
  Uint16 frames = 256;
  while (frames < 4096 && frames * 40 < frequency) frames *= 2;
  return frames;
}

void playToTheEnd(const DecodedSound& sound) {
  const SDL_AudioSpec& format = sound.format;
  const Uint32 playBytes = sound.playBytes;
  const Uint64 bytesPerSecond = sound.bytesPerSecond;
  SDL_AudioSpec wanted = format;
  wanted.samples = bufferFramesFor(format.freq);
  wanted.callback = nullptr;
  wanted.userdata = nullptr;
  // No changes allowed: SDL converts to whatever the hardware takes, so the
  // queue below can hold the file's own samples.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (device == 0) return;
  if (SDL_QueueAudio(device, sound.samples.get(), playBytes) != 0) {
    SDL_CloseAudioDevice(device);
    return;
  }

  const Uint64 durationMs = Uint64{playBytes} * 1000 / bytesPerSecond;
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

  if (const auto sound = decodeSound(*bytes, kMaxSeconds)) playToTheEnd(*sound);
}

}  // namespace wizlo::platform
