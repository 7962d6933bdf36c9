#include "assets/generator/text/numeral.hpp"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "assets/generator/draw/owned.hpp"
#include "assets/generator/text/fonts.hpp"

namespace wizlo::art {

namespace {

// The sans face has the boldest, plainest digits of the Arabic fonts at hand,
// and they stay legible down to a 16-pixel icon.
constexpr int kLayoutPx = 200;  // the size shapes are measured at before scaling

Layout makeLayout(cairo_t* cr, const std::string& text) {
  Layout layout{pango_cairo_create_layout(cr)};
  const FontDescription font{pango_font_description_from_string(kNumerals)};
  pango_font_description_set_weight(font.get(), PANGO_WEIGHT_BOLD);
  pango_font_description_set_absolute_size(font.get(), kLayoutPx * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), font.get());
  pango_layout_set_text(layout.get(), text.c_str(), -1);
  return layout;
}

PangoRectangle inkOf(PangoLayout* layout) {
  PangoRectangle ink{};
  pango_layout_get_extents(layout, &ink, nullptr);
  return ink;
}

}  // namespace

std::string arabicIndic(int number) {
  const std::string decimal = std::to_string(number);
  std::string text;
  for (char digit : decimal) {
    // U+0660 ARABIC-INDIC DIGIT ZERO onwards, two bytes each in UTF-8.
    const int code = 0x0660 + (digit - '0');
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
  return text;
}

void drawNumeral(cairo_t* cr, const std::string& text, const Box& box, Colour colour) {
  // Every digit is scaled by the height of the tallest, so a short digit is
  // not blown up to fill the box.
  const Layout reference = makeLayout(cr, arabicIndic(123456789));
  const Layout layout = makeLayout(cr, text);
  const PangoRectangle fullHeight = inkOf(reference.get());
  const PangoRectangle ink = inkOf(layout.get());
  const double scale = std::min(box.height / (fullHeight.height / double(PANGO_SCALE)),
                                box.width / (ink.width / double(PANGO_SCALE)));

  // The ink's top-left corner goes on a whole pixel, so at small sizes the
  // upright stroke of a digit covers whole pixel columns instead of smearing
  // over two.
  const double left = box.centreX() - scale * ink.width / 2.0 / PANGO_SCALE;
  const double top = box.centreY() - scale * ink.height / 2.0 / PANGO_SCALE;
  cairo_save(cr);
  cairo_translate(cr, box.centreX() + std::round(left) - left, box.centreY() + std::round(top) - top);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -(ink.x + ink.width / 2.0) / PANGO_SCALE, -(ink.y + ink.height / 2.0) / PANGO_SCALE);
  setSource(cr, colour);
  pango_cairo_layout_path(cr, layout.get());
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace wizlo::art
