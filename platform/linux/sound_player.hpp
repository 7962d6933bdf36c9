#pragma once
#include <chrono>
#include <memory>

#include "platform/linux/sound_decode.hpp"

namespace wizlo::platform {

// Plays decoded sounds through SDL audio on a thread of its own. Starting
// audio, opening a device and closing it can each wait on a sound server for
// ever (a suspended sink, a stopped server); here they hold that thread, never
// the caller.
class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer();  // leaves behind a thread stuck in the sound system rather than wait for it
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Plays the sound and returns once it has been heard to its end, or once its
  // length and `patience` have passed, whichever comes first. While a sound given
  // up on that way still holds the audio thread, later sounds are skipped at
  // once; they play again when that thread comes back.
  void play(DecodedSound sound, std::chrono::milliseconds patience);

 private:
  struct Shared;  // between the caller and the audio thread, which may outlive this object
  std::shared_ptr<Shared> shared_;
};

// Frames a device buffer holds at `frequency`: the power of two nearest to
// 25 ms. Smaller buffers stutter on a busy machine; each buffer is also as long
// as the wait for the last one to be heard.
int bufferFramesFor(int frequency);

}  // namespace wizlo::platform
