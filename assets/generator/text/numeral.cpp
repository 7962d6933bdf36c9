#include "assets/generator/text/numeral.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assets/generator/text/cairo_outline.hpp"
#include "assets/generator/text/line_order.hpp"
#include "assets/generator/text/shaper.hpp"
#include "assets/generator/text/fonts.hpp"

namespace wizlo::art {

namespace {

// The sans face has the boldest, plainest digits of the Arabic fonts at hand,
// and they stay legible down to a 16-pixel icon.
constexpr int kLayoutPx = 200;  // the size shapes are measured at before scaling

struct Placed {
  std::uint32_t glyph;
  double x;
};

// A numeral laid out at kLayoutPx on its whole pixels, as a layout with hinted metrics is: each
// advance and the baseline rounded, the ink box rounded outwards. Its ink is what gets centred.
struct Numeral {
  const Face& face;
  std::vector<Placed> glyphs;
  double baseline = 0;
  Box ink{};
};

Numeral layOut(const std::string& text) {
  Numeral n{faceOf(kNumerals), {}, 0, {}};
  n.baseline = std::round(extentsOf(n.face).ascent * kLayoutPx);
  double pen = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool inked = false;
  for (const DirectedRun& run : visualRuns(text))
    for (const ShapedGlyph& g : shapeRun(n.face, text, run.start, run.length, run.direction, run.script)) {
      const double x = pen + std::round(g.xOffset * kLayoutPx);
      n.glyphs.push_back({g.id, x});
      pen += std::round(g.xAdvance * kLayoutPx);
      const GlyphInk ink = inkOfGlyph(n.face, g.id);
      if (ink.width <= 0 || ink.height <= 0) continue;
      const double left = x + ink.x * kLayoutPx, top = n.baseline + ink.y * kLayoutPx;
      const double right = left + ink.width * kLayoutPx, bottom = top + ink.height * kLayoutPx;
      x0 = inked ? std::min(x0, left) : left, y0 = inked ? std::min(y0, top) : top;
      x1 = inked ? std::max(x1, right) : right, y1 = inked ? std::max(y1, bottom) : bottom;
      inked = true;
    }
  n.ink = {std::floor(x0), std::floor(y0), std::ceil(x1) - std::floor(x0), std::ceil(y1) - std::floor(y0)};
  return n;
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
  const double fullHeight = layOut(arabicIndic(123456789)).ink.height;
  const Numeral numeral = layOut(text);
  const Box& ink = numeral.ink;
  const double scale = std::min(box.height / fullHeight, box.width / ink.width);

  // The ink's top-left corner goes on a whole pixel, so at small sizes the
  // upright stroke of a digit covers whole pixel columns instead of smearing
  // over two.
  const double left = box.centreX() - scale * ink.width / 2.0;
  const double top = box.centreY() - scale * ink.height / 2.0;
  cairo_save(cr);
  cairo_translate(cr, box.centreX() + std::round(left) - left, box.centreY() + std::round(top) - top);
  cairo_scale(cr, scale, scale);
  cairo_translate(cr, -ink.centreX(), -ink.centreY());
  setSource(cr, colour);
  cairo_new_path(cr);
  CairoOutline outline(cr, kLayoutPx);
  for (const Placed& g : numeral.glyphs) {
    outline.at(g.x, numeral.baseline);
    outlineOf(numeral.face, g.glyph, outline);
  }
  cairo_fill(cr);
  cairo_restore(cr);
}

}  // namespace wizlo::art
