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

}  // namespace wizlo::platform
