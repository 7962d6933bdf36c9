#include "platform/linux/sdl_sound.hpp"

#include "platform/linux/sound_decode.hpp"
#include "platform/linux/sound_file.hpp"

namespace wizlo::platform {

void SdlSoundService::play(std::string_view name) {
  // The file comes first: a missing sound must not cost an audio start-up.
  const auto bytes = readSoundFile(name, kMaxFileBytes);
  if (!bytes || bytes->empty()) return;
  if (auto sound = decodeSound(*bytes, kMaxSeconds)) player_.play(std::move(*sound), kPatience);
}

}  // namespace wizlo::platform
