#include "assets/generator/text/fonts.hpp"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace wizlo::art {
namespace {

using Pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

bool namesFamily(FcPattern* font, const char* family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) return true;
  return false;
}

}  // namespace

std::string fontFileOf(const char* family) {
  // Fontconfig answers every request with some font; only its family and weight tell a match from a fallback.
  const Pattern wanted{FcPatternCreate(), FcPatternDestroy};
  FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(wanted.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
  FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  const Pattern found{FcFontMatch(nullptr, wanted.get(), &result), FcPatternDestroy};
  int weight = 0;
  FcChar8* file = nullptr;
  if (!found || !namesFamily(found.get(), family) ||
      FcPatternGetInteger(found.get(), FC_WEIGHT, 0, &weight) != FcResultMatch || weight < FC_WEIGHT_BOLD ||
      FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch)
    throw std::runtime_error(std::string("the font \"") + family +
                             "\" in bold is not installed (Debian package fonts-noto-core)");
  return reinterpret_cast<const char*>(file);
}

void requireFont(const char* family) { fontFileOf(family); }

void requireFonts() {
  for (const char* family : {kNaskh, kKufi, kNumerals}) requireFont(family);
}

}  // namespace wizlo::art
