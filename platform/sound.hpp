#pragma once
#include <chrono>
#include <string_view>

#include "platform/sound_player.hpp"

namespace wizlo::platform {

// "Play the sound of this name, flags 0": returns when the sound has
// finished. A sound that cannot be played is not an error; the call simply
// returns, and nothing about it ever reaches the pupil.
class SoundService {
 public:
  virtual ~SoundService() = default;
  virtual void play(std::string_view name) = 0;
};

// Plays WAV files through SDL audio. Names are Windows-style, as the boards
// form them (see soundFileCandidates). The board waits for the sound, but
// never longer than the sound and kPatience: a sound system that hangs holds
// the audio thread (see SoundPlayer), not the pupil's board.
//
// Limits, so that no file can hang or exhaust the program: a sound file is
// read up to kMaxFileBytes, and at most kMaxSeconds of it are played.
class SdlSoundService final : public SoundService {
 public:
  static constexpr unsigned kMaxSeconds = 10;
  static constexpr unsigned kMaxFileBytes = 32u << 20;
  static constexpr std::chrono::milliseconds kPatience{250};

  void play(std::string_view name) override;

 private:
  SoundPlayer player_;
};

}  // namespace wizlo::platform
