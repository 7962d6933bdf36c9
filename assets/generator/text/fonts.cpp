#include "assets/generator/text/fonts.hpp"

#include <stdexcept>
#include <string>

#include "assets/generator/draw/owned.hpp"

namespace wizlo::art {

void requireFont(const char* family) {
  // Pango answers every request with some font; only its family tells a match from a fallback.
  const TextContext context{pango_font_map_create_context(pango_cairo_font_map_get_default())};
  const FontDescription wanted{pango_font_description_from_string(family)};
  const Font font{pango_context_load_font(context.get(), wanted.get())};
  const FontDescription got{font ? pango_font_describe(font.get()) : nullptr};
  const char* name = got ? pango_font_description_get_family(got.get()) : nullptr;
  if (!name || g_ascii_strcasecmp(name, family) != 0)
    throw std::runtime_error(std::string("the font \"") + family +
                             "\" is not installed (Debian package fonts-noto-core)");
}

void requireFonts() {
  for (const char* family : {kNaskh, kKufi, kNumerals}) requireFont(family);
}

}  // namespace wizlo::art
