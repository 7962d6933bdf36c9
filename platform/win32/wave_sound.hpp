#pragma once
#include <string_view>

#include "platform/sound.hpp"

namespace wizlo::platform {

// The name goes to sndPlaySoundW with the flags 0 (SND_SYNC): played to its end before the call
// returns. Windows looks the name up as a sound alias first, then as a file; the boards' names carry
// no extension. Where the folder's name cannot pass the service's 8-bit path, its short form takes its
// place (sound_name.hpp). A name that finds nothing plays the system's default sound: we do not add
// SND_NODEFAULT. The result is not looked at.
class WaveSound final : public SoundService {
 public:
  void play(std::string_view name) override;
};

}  // namespace wizlo::platform
