#pragma once
#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assets/content.hpp"
#include "assets/generator/draw/box.hpp"
#include "assets/generator/draw/colour.hpp"
#include "assets/generator/text/fonts.hpp"

// Shaped Arabic text for the backdrops: one line laid out in its reading order
// (line_order.hpp) and shaped through shaper.hpp, in user units of the cairo
// context it is made for (twips on a backdrop). Single letters can take colours
// of their own without breaking the joining of their word: the word is shaped
// once, and each glyph takes the colour of its cluster.
namespace wizlo::art {

struct Face;  // shaper.hpp

// A byte range of the text: a letter together with the marks written on it.
struct ByteRange {
  std::size_t start = 0, length = 0;
};

class ArabicText {
 public:
  // In the bold weight, as every text of the pictures is.
  ArabicText(cairo_t* cr, std::string_view utf8, const char* family, double sizeTwips);

  void colour(ByteRange range, Colour c);
  // Ink and logical extents, relative to the point the text is drawn at.
  Box ink() const;
  Box logical() const;
  // Distance from the top of the line box to the baseline.
  double baseline() const;
  // Ink of the clusters that hold the given bytes.
  Box inkOf(ByteRange range) const;
  // The text of the shaped runs painted in colour `c`, in reading order.
  std::string textIn(Colour c) const;
  double size() const { return size_; }

  // Paints the text with its top-left logical corner at (x, y).
  void paint(double x, double y, Colour base) const;
  // Adds the glyph outlines at (x, y) to the current path of `target`.
  void path(cairo_t* target, double x, double y) const;
  // The same, for only the glyphs painted in colour `c`.
  void pathIn(cairo_t* target, double x, double y, Colour c) const;

 private:
  struct Glyph {
    const Face* face;
    std::uint32_t id;
    std::size_t cluster;
    int run;      // shaped together
    double x, y;  // the origin from the line's left end and from the baseline, downwards
  };
  const Colour* colourOf(const Glyph& g) const;
  Box inkOfGlyph(const Glyph& g) const;
  // Adds the outlines of the glyphs `take` accepts.
  template <typename Take>
  void addPaths(cairo_t* target, double x, double y, Take take) const;

  cairo_t* cr_;
  double size_;
  std::string text_;
  std::vector<Glyph> glyphs_;  // left to right
  std::vector<std::optional<Colour>> colours_;  // one a byte of the text
  double ascent_ = 0, descent_ = 0, width_ = 0;
  Box ink_{};
};

// The bytes of the letters `letters` names in `text`.
ByteRange bytesOf(std::string_view text, const Letters& letters);
// The bytes of `count` letters of word `word` (words counted from the first, rightmost one,
// letters in reading order, marks belonging to the letter before them) of a space-separated text.
ByteRange lettersOf(std::string_view text, int word, int letter, int count = 1);
// The byte range of word `word`.
ByteRange wordOf(std::string_view text, int word);
int wordCount(std::string_view text);
int letterCount(std::string_view text, int word);

}  // namespace wizlo::art
