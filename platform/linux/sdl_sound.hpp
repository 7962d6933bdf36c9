#pragma once
#include <chrono>
#include <string_view>

#include "platform/linux/sound_player.hpp"
#include "platform/sound.hpp"

namespace wizlo::platform {

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
