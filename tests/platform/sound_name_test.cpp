#include "platform/win32/sound_name.hpp"

#include <gtest/gtest.h>

#include <map>

namespace wizlo::platform {
namespace {

// An English Windows' code page, near enough: the letters up to U+00FF pass, a byte each.
std::optional<std::size_t> latinBytes(const std::wstring& name) {
  for (wchar_t c : name)
    if (c > 0xFF) return std::nullopt;
  return name.size();
}

struct Volume {
  std::map<std::wstring, std::wstring> shortNames;
  mutable int asked = 0;
  std::optional<std::wstring> operator()(const std::wstring& folder) const {
    ++asked;
    const auto found = shortNames.find(folder);
    if (found == shortNames.end()) return std::nullopt;
    return found->second;
  }
};

const std::wstring kArabic = L"C:\\\x645\x62C\x644\x62F \x627\x644\x637\x627\x644\x628\\\x648\x64A\x632\x644\x648";

TEST(SoundName, APassingFolderGoesAsItIsWithoutAskingForItsShortForm) {
  const Volume volume{{{L"C:\\Program Files\\Wizlo", L"C:\\PROGRA~1\\Wizlo"}}};
  for (const std::wstring name : {L"C:\\Program Files\\Wizlo\\yes", L"C:\\\\no", L"C:\\\xC9l\xE8ves\\yes"})
    EXPECT_EQ(soundNameFor(name, std::cref(volume), latinBytes), name);
  EXPECT_EQ(volume.asked, 0);
}

TEST(SoundName, AnArabicFolderGoesByItsShortFormAndWithoutOneAsItIs) {
  const Volume keeps{{{kArabic, L"C:\\____~TW5\\____~ZMH"}}};
  EXPECT_EQ(soundNameFor(kArabic + L"\\yes", std::cref(keeps), latinBytes), L"C:\\____~TW5\\____~ZMH\\yes");
  // No short names: the long form back, or a failure, as on a volume without them.
  const Volume keepsNone{{{kArabic, kArabic}}};
  EXPECT_EQ(soundNameFor(kArabic + L"\\no", std::cref(keepsNone), latinBytes), kArabic + L"\\no");
  EXPECT_EQ(soundNameFor(kArabic + L"\\no", Volume{}, latinBytes), kArabic + L"\\no");
}

TEST(SoundName, APathTooLongForOpenFileGoesShortWhereThatFitsAndAnArabicOneShortAtAnyLength) {
  // 118 characters and "\yes.wav" make 126 bytes: fits. Two more do not.
  const std::wstring fits(118 - 3, L'a'), over(120 - 3, L'a');
  const Volume volume{{{L"C:\\" + over, L"C:\\AAAAAA~1"}, {L"C:\\" + fits, L"C:\\AAAAAA~2"}}};
  EXPECT_EQ(soundNameFor(L"C:\\" + fits + L"\\yes", std::cref(volume), latinBytes), L"C:\\" + fits + L"\\yes");
  EXPECT_EQ(soundNameFor(L"C:\\" + over + L"\\yes", std::cref(volume), latinBytes), L"C:\\AAAAAA~1\\yes");
  // Still too long when short: the name as it is, which a system without the limit opens.
  const Volume stillLong{{{L"C:\\" + over, L"C:\\" + std::wstring(125, L'B')}}};
  EXPECT_EQ(soundNameFor(L"C:\\" + over + L"\\yes", std::cref(stillLong), latinBytes), L"C:\\" + over + L"\\yes");
  // Arabic: any short form that passes beats one that cannot.
  const Volume arabic{{{kArabic, L"C:\\" + std::wstring(125, L'B')}}};
  EXPECT_EQ(soundNameFor(kArabic + L"\\yes", std::cref(arabic), latinBytes), L"C:\\" + std::wstring(125, L'B') + L"\\yes");
}

}  // namespace
}  // namespace wizlo::platform
