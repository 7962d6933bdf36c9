// The faces in the browser: the page loads the font files (shaping.js) before the maker starts, so a
// family is there exactly when the page gave it; there is no file to name.
#include <stdexcept>
#include <string>

#include "assets/generator/text/fonts.hpp"
#include "assets/generator/text/shaper.hpp"

namespace wizlo::art {

std::string fontFileOf(const char* family) {
  throw std::logic_error(std::string("no font file in the browser: the page gives \"") + family + "\" itself");
}

void requireFont(const char* family) { faceOf(family); }

void requireFonts() {
  for (const char* family : {kNaskh, kKufi, kNumerals}) requireFont(family);
}

}  // namespace wizlo::art
