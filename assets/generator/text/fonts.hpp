#pragma once
#include <string>

// The faces every picture is drawn in, all from Debian's fonts-noto-core.
namespace wizlo::art {

inline constexpr const char* kNaskh = "Noto Naskh Arabic";    // everything a pupil reads
inline constexpr const char* kKufi = "Noto Kufi Arabic";      // the menu's title
inline constexpr const char* kNumerals = "Noto Sans Arabic";  // the numbers on the pieces
// Only for a character the face in use does not have, a Latin letter or a bracket in Naskh.
inline constexpr const char* kFallback = "Noto Sans";

// The file of the family's bold face, as fontconfig finds it. Throws unless fontconfig has the
// face itself: a silent fallback would draw the pictures in some other face, and the joins and
// marks with it.
std::string fontFileOf(const char* family);
void requireFont(const char* family);
void requireFonts();  // all three

}  // namespace wizlo::art
