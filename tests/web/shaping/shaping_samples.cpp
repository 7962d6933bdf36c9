// Prints, one JSON line a sample, what the shaper gives for texts a board holds: each glyph, its
// cluster, advance and offsets, its ink, and a sum over its outline. Built for Linux, on the system's
// HarfBuzz, and for the browser, on HarfBuzz for WebAssembly: the browser test holds the two alike.
#include <cstdio>
#include <string>
#include <string_view>

#include "assets/generator/text/fonts.hpp"
#include "assets/generator/text/shaper.hpp"

namespace {

using namespace wizlo::art;

// Adds up an outline's points, weighted by their place, so that any point moved shows.
class OutlineSum final : public OutlineSink {
 public:
  double sum = 0;
  int commands = 0;
  void moveTo(double x, double y) override { add(x, y); }
  void lineTo(double x, double y) override { add(x, y); }
  void quadTo(double cx, double cy, double x, double y) override { add(cx, cy), add(x, y); }
  void cubicTo(double ax, double ay, double bx, double by, double x, double y) override { add(ax, ay), add(bx, by), add(x, y); }
  void close() override { ++commands; }

 private:
  void add(double x, double y) { sum += (x + 2 * y) * (1 + commands++ % 7); }
};

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", v);
  return text;
}

void print(const char* family, std::string_view text, Direction direction, Script script) {
  const Face& face = faceOf(family);
  std::string line = "{\"family\":\"" + std::string(family) + "\",\"text\":\"" + std::string(text) + "\",\"glyphs\":[";
  bool first = true;
  for (const ShapedGlyph& g : shapeRun(face, text, 0, text.size(), direction, script)) {
    const GlyphInk ink = inkOfGlyph(face, g.id);
    OutlineSum outline;
    outlineOf(face, g.id, outline);
    line += std::string(first ? "" : ",") + "[" + std::to_string(g.id) + "," + std::to_string(g.cluster) + "," +
            number(g.xAdvance) + "," + number(g.xOffset) + "," + number(g.yOffset) + "," + number(ink.x) + "," +
            number(ink.y) + "," + number(ink.width) + "," + number(ink.height) + "," + std::to_string(outline.commands) +
            "," + number(outline.sum) + "]";
    first = false;
  }
  const FaceExtents e = extentsOf(face);
  line += "],\"extents\":[" + number(e.ascent) + "," + number(e.descent) + "],\"hasAlef\":" +
          (hasGlyph(face, U'\u0627') ? "true" : "false") + "}";
  std::puts(line.c_str());
}

}  // namespace

int main() {
  constexpr const char* kSentences[] = {
      "أكل سعود التّفاحة بتأنٍ", "قرأ أديب كتابًا عن البيئة", "لا", "مهارة ١٢", "في الصباحِ، تلعبْ سلمى",
      "«نعم» (الشارع)؛ ماذا؟", "إلى المكتبة",
  };
  for (const char* sentence : kSentences) print(kNaskh, sentence, Direction::RightToLeft, Script::Arabic);
  print(kKufi, "ويزلو", Direction::RightToLeft, Script::Arabic);
  print(kNumerals, "١٠", Direction::LeftToRight, Script::Arabic);
  print(kNaskh, "Wizlo 2026", Direction::LeftToRight, Script::Latin);
  return 0;
}
