#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Where text meets the shaping engine: one font file's face, and the glyphs it gives a run of text.
// Nothing here knows Cairo or how the face was found, so that a build with another shaping library
// (HarfBuzz compiled for the browser, say) implements only these functions; the bidirectional order,
// the colours and the drawing stay in arabic_text.cpp, the same everywhere.
//
// Every length is in units of the font size (an em is 1): callers multiply by their size.
namespace wizlo::art {

// One font file, read once and kept for the whole process; safe to shape with from several threads.
struct Face;

// The bold face of a family; throws, naming the family, when the very face is not installed.
const Face& faceOf(const char* family);
bool hasGlyph(const Face& face, char32_t c);

struct FaceExtents {
  double ascent = 0, descent = 0;  // above and below the baseline, both positive
};
FaceExtents extentsOf(const Face& face);

enum class Direction { LeftToRight, RightToLeft };
// Digits, spaces and punctuation take the script of the letters around them.
enum class Script { Arabic, Latin };

struct ShapedGlyph {
  std::uint32_t id = 0;
  std::size_t cluster = 0;  // byte offset in the whole text of the first character it draws
  double xAdvance = 0;
  double xOffset = 0, yOffset = 0;  // y grows upwards, as in the font
};

// Shapes bytes [start, start + length) of `text` in one direction and script; the bytes around give the
// letters at either end their joining. Glyphs come left to right, whatever the direction, and every
// mark keeps a cluster of its own rather than merging into its letter's.
std::vector<ShapedGlyph> shapeRun(const Face& face, std::string_view text, std::size_t start,
                                  std::size_t length, Direction direction, Script script);

// The box of a glyph's ink around its origin, y growing downwards.
struct GlyphInk {
  double x = 0, y = 0, width = 0, height = 0;
};
GlyphInk inkOfGlyph(const Face& face, std::uint32_t glyph);

// Receives a glyph's outline, y growing downwards, around its origin.
class OutlineSink {
 public:
  virtual void moveTo(double x, double y) = 0;
  virtual void lineTo(double x, double y) = 0;
  virtual void quadTo(double cx, double cy, double x, double y) = 0;
  virtual void cubicTo(double c1x, double c1y, double c2x, double c2y, double x, double y) = 0;
  virtual void close() = 0;

 protected:
  ~OutlineSink() = default;
};
void outlineOf(const Face& face, std::uint32_t glyph, OutlineSink& sink);

}  // namespace wizlo::art
