#pragma once
#include <string_view>

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
// form them (see soundFileCandidates). Starts SDL's audio subsystem on the
// first sound it needs it for and stops it again when destroyed.
//
// Limits, so that no file can hang or exhaust the program: a sound file is
// read up to kMaxFileBytes, and at most kMaxSeconds of it are played.
class SdlSoundService final : public SoundService {
 public:
  static constexpr unsigned kMaxSeconds = 10;
  static constexpr unsigned kMaxFileBytes = 32u << 20;

  SdlSoundService() = default;
  SdlSoundService(const SdlSoundService&) = delete;
  SdlSoundService& operator=(const SdlSoundService&) = delete;
  ~SdlSoundService() override;

  void play(std::string_view name) override;

 private:
  bool startAudio();

  bool audioStarted_ = false;
};

}  // namespace wizlo::platform
