#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Which name of a sound to hand sndPlaySound. The sound service opens its file through the system's
// 8-bit code page, as OpenFile does: Wine's winmm turns the name into that code page first, a "?" for
// every letter it lacks, so an Arabic folder on a French or English Windows is never found; and
// OpenFile's path holds 128 bytes, its closing zero among them. The same folder's short (8.3) name,
// where the volume keeps one, passes both. Free of <windows.h>, so that the choice is tested anywhere.
namespace wizlo::platform {

inline constexpr std::size_t kOpenFilePath = 128;

// `name` is a folder, a backslash and a sound's own name ("C:\...\yes"). `shortFolder` gives a
// folder's short form, or nothing; `eightBit` how many bytes a name takes in the 8-bit code page, or
// nothing when it does not pass whole. The name goes as it is whenever it passes and fits; otherwise
// the short folder takes its place when that passes better. Where it does not (no short names on the
// volume, say), the name goes as it is, and the service does what it does with any missing sound.
template <typename ShortFolder, typename EightBit>
std::wstring soundNameFor(const std::wstring& name, ShortFolder shortFolder, EightBit eightBit) {
  // The search tries the name as it is, then with ".wav": the longer is what must fit.
  const auto rank = [&](const std::wstring& candidate) {
    const std::optional<std::size_t> bytes = eightBit(candidate);
    return !bytes ? 0 : *bytes + std::string_view(".wav").size() < kOpenFilePath ? 2 : 1;
  };
  const int asItIs = rank(name);
  const std::size_t separator = name.find_last_of(L'\\');
  if (asItIs == 2 || separator == std::wstring::npos) return name;
  // Everything before the last backslash: "C:\\yes", made from a drive's root, keeps "C:\".
  const std::wstring folder = name.substr(0, separator);
  const std::optional<std::wstring> shortened = shortFolder(folder);
  if (!shortened || shortened->empty()) return name;
  const std::wstring candidate = *shortened + name.substr(folder.size());
  return rank(candidate) > asItIs ? candidate : name;
}

}  // namespace wizlo::platform
