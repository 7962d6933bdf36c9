#include "platform/win32/wave_sound.hpp"

#include <windows.h>
#include <mmsystem.h>

#include <optional>
#include <string>

#include "platform/win32/sound_name.hpp"
#include "platform/win32/system_library.hpp"
#include "platform/win32/wide_text.hpp"

namespace wizlo::platform {

namespace {

// The folder's short form: every part that is not already 8.3 by the short name the volume keeps for
// it. A volume that keeps none gives the long form back, which then passes no better.
std::optional<std::wstring> shortFolder(const std::wstring& folder) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int tries = 0; tries < 2; ++tries) {
    const DWORD length = GetShortPathNameW(folder.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::nullopt;
    if (length < buffer.size()) return buffer.substr(0, length);
    buffer.resize(length);  // the size it needs, its zero included
  }
  return std::nullopt;
}

// The name's length in the system's 8-bit code page, if it comes back from there unchanged: no
// letter replaced by "?" and none by a look-alike ("ā" by "a" would open another file).
std::optional<std::size_t> eightBitBytes(const std::wstring& name) {
  const int length = static_cast<int>(name.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, name.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::nullopt;
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, name.data(), length, narrow.data(), bytes, nullptr, nullptr);
  const int back = MultiByteToWideChar(CP_ACP, 0, narrow.data(), bytes, nullptr, 0);
  std::wstring again(static_cast<std::size_t>(back > 0 ? back : 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, narrow.data(), bytes, again.data(), back);
  if (again != name) return std::nullopt;
  return narrow.size();
}

}  // namespace

void WaveSound::play(std::string_view name) {
  // winmm.dll loaded on the first sound, not at start-up, which needs none.
  static const auto play = systemFunction<decltype(&sndPlaySoundW)>(L"winmm.dll", "sndPlaySoundW");
  if (!play) return;
  const std::wstring passing = soundNameFor(wide(name), shortFolder, eightBitBytes);
  play(passing.c_str(), SND_SYNC);
}

}  // namespace wizlo::platform
