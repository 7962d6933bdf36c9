#include "platform/win32/wave_sound.hpp"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/system_library.hpp"
#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

void WaveSound::play(std::string_view name) {
  // winmm.dll loaded on the first sound, not at start-up, which needs none.
  static const auto play = systemFunction<decltype(&sndPlaySoundW)>(L"winmm.dll", "sndPlaySoundW");
  if (play) play(wide(name).c_str(), SND_SYNC);
}

}  // namespace wizlo::platform
