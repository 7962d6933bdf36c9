#include "platform/win32/wave_sound.hpp"

#include <windows.h>
#include <mmsystem.h>

#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

void WaveSound::play(std::string_view name) { sndPlaySoundW(wide(name).c_str(), SND_SYNC); }

}  // namespace wizlo::platform
