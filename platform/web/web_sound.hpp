#pragma once
#include "platform/sound.hpp"

namespace wizlo::platform {

// Sound through Web Audio (web_audio.js): the name's last part after its backslash, with ".wav",
// fetched beside the page and decoded once. play() waits for the sound to end, never longer than its
// length and 250 ms, while the browser goes on; a sound the browser cannot fetch, decode or play is
// skipped in silence.
class WebSound final : public SoundService {
 public:
  void play(std::string_view name) override;
};

}  // namespace wizlo::platform
