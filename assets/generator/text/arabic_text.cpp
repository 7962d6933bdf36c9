#include "assets/generator/text/arabic_text.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/generator/draw/owned.hpp"
#include "assets/generator/text/cairo_outline.hpp"
#include "assets/generator/text/line_order.hpp"
#include "assets/generator/text/shaper.hpp"

namespace wizlo::art {
namespace {

Box unite(const Box& a, const Box& b) {
  if (a.width <= 0 && a.height <= 0) return b;
  const double x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const double x1 = std::max(a.right(), b.right()), y1 = std::max(a.bottom(), b.bottom());
  return {x0, y0, x1 - x0, y1 - y0};
}

bool empty(const Box& b) { return b.width <= 0 || b.height <= 0; }

struct Letter {
  std::size_t start, end;  // bytes of the letter and the marks after it
  std::size_t baseEnd;     // end of the letter itself
};

// Colours match as they were asked for, to the sixteen bits a channel is kept in elsewhere.
bool sameColour(const Colour& a, const Colour& b) {
  const auto channel = [](double v) { return static_cast<int>(std::clamp(v, 0.0, 1.0) * 65535); };
  return channel(a.r) == channel(b.r) && channel(a.g) == channel(b.g) && channel(a.b) == channel(b.b);
}

bool isMark(char32_t c) { return (c >= 0x064B && c <= 0x065F) || c == 0x0670; }

// Words of the text, each a list of letters.
std::vector<std::vector<Letter>> lettersByWord(std::string_view text) {
  std::vector<std::vector<Letter>> words(1);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t at = i;
    const char32_t c = decodeUtf8(text, i);
    if (c == U' ') {
      if (!words.back().empty()) words.emplace_back();
    } else if (isMark(c) && !words.back().empty()) {
      words.back().back().end = i;
    } else {
      words.back().push_back({at, i, i});
    }
  }
  if (words.back().empty()) words.pop_back();
  return words;
}

const Letter& letterAt(const std::vector<std::vector<Letter>>& words, int word, int letter) {
  if (word < 0 || word >= static_cast<int>(words.size()) || letter < 0 ||
      letter >= static_cast<int>(words[word].size()))
    throw std::out_of_range("no such letter in the text");
  return words[word][letter];
}

bool isSpace(char32_t c) { return c == U' ' || c == 0xA0 || (c >= 0x2000 && c <= 0x200A); }

// The face each character of a run is drawn in: the family's own, unless it lacks the character
// altogether. Marks and joining controls stay in their letter's face. A face is never chosen for a
// space alone: it goes with its neighbours in the run, in the family's own face when either is.
void chooseFaces(std::string_view text, std::size_t start, std::size_t end, const Face& own,
                 std::vector<const Face*>& faces) {
  std::vector<std::size_t> spaces, ends;
  const Face* previous = nullptr;
  for (std::size_t i = start; i < end;) {
    const std::size_t at = i;
    const char32_t c = decodeUtf8(text, i);
    if (isSpace(c)) {
      spaces.push_back(at);
      ends.push_back(i);
      continue;
    }
    const bool follows = (isMark(c) || c == 0x200C || c == 0x200D) && previous;
    const Face* face = follows ? previous : hasGlyph(own, c) ? &own : &faceOf(kFallback);
    if (!follows && face != &own && !hasGlyph(*face, c)) face = &own;  // its missing glyph, then
    std::fill(faces.begin() + static_cast<long>(at), faces.begin() + static_cast<long>(i), face);
    previous = face;
  }
  const auto isSpaceAt = [&](std::size_t i) { return std::binary_search(spaces.begin(), spaces.end(), i); };
  for (std::size_t k = 0; k < spaces.size(); ++k) {
    const std::size_t at = spaces[k];
    std::size_t before = at, after = at + 1;  // the nearest characters that are not spaces
    while (before > start && (isSpaceAt(before - 1) || (static_cast<unsigned char>(text[before - 1]) & 0xC0) == 0x80))
      --before;
    while (after < end && (isSpaceAt(after) || (static_cast<unsigned char>(text[after]) & 0xC0) == 0x80)) ++after;
    const Face* left = before > start ? faces[before - 1] : nullptr;
    const Face* right = after < end ? faces[after] : nullptr;
    const Face* face = left == &own || right == &own || (!left && !right) ? &own : left ? left : right;
    std::fill(faces.begin() + static_cast<long>(at), faces.begin() + static_cast<long>(ends[k]), face);
  }
}

}  // namespace

ArabicText::ArabicText(cairo_t* cr, std::string_view utf8, const char* family, double sizeTwips)
    : cr_(cr), size_(sizeTwips), text_(utf8), colours_(utf8.size()) {
  const Face& own = faceOf(family);
  std::vector<const Face*> faces(text_.size(), &own);
  const FaceExtents ownExtents = extentsOf(own);
  ascent_ = ownExtents.ascent * size_;
  descent_ = ownExtents.descent * size_;
  int runs = 0;
  for (const DirectedRun& run : visualRuns(text_)) {
    chooseFaces(text_, run.start, run.start + run.length, own, faces);
    // A run in two faces is shaped a piece a face, the pieces laid in the run's direction.
    std::vector<std::pair<std::size_t, std::size_t>> pieces;
    for (std::size_t i = run.start; i < run.start + run.length; ++i)
      if (pieces.empty() || faces[i] != faces[pieces.back().first]) pieces.push_back({i, 1});
      else ++pieces.back().second;
    if (run.direction == Direction::RightToLeft) std::reverse(pieces.begin(), pieces.end());
    for (const auto& [start, length] : pieces) {
      const Face& face = *faces[start];
      if (&face != &own) {
        const FaceExtents e = extentsOf(face);
        ascent_ = std::max(ascent_, e.ascent * size_);
        descent_ = std::max(descent_, e.descent * size_);
      }
      ++runs;
      for (const ShapedGlyph& g : shapeRun(face, text_, start, length, run.direction, run.script)) {
        glyphs_.push_back({&face, g.id, g.cluster, runs, width_ + g.xOffset * size_, -g.yOffset * size_});
        width_ += g.xAdvance * size_;
      }
    }
  }
  for (const Glyph& g : glyphs_) {
    const Box ink = inkOfGlyph(g);
    if (!empty(ink)) ink_ = empty(ink_) ? ink : unite(ink_, ink);
  }
}

Box ArabicText::inkOfGlyph(const Glyph& g) const {
  const GlyphInk ink = art::inkOfGlyph(*g.face, g.id);
  return {g.x + ink.x * size_, ascent_ + g.y + ink.y * size_, ink.width * size_, ink.height * size_};
}

const Colour* ArabicText::colourOf(const Glyph& g) const {
  const auto& c = colours_[g.cluster];
  return c ? &*c : nullptr;
}

void ArabicText::colour(ByteRange range, Colour c) {
  const std::size_t end = std::min(text_.size(), range.start + range.length);
  for (std::size_t i = range.start; i < end; ++i) colours_[i] = c;
}

Box ArabicText::ink() const { return ink_; }

Box ArabicText::logical() const { return {0, 0, width_, ascent_ + descent_}; }

double ArabicText::baseline() const { return ascent_; }

Box ArabicText::inkOf(ByteRange range) const {
  // A cluster is a letter, or a mark; a range of marks alone falls inside
  // the cluster of the letter they sit on when no cluster starts in it.
  Box found{};
  Box holder{};
  long holderStart = -1;
  for (std::size_t i = 0; i < glyphs_.size();) {
    const std::size_t start = glyphs_[i].cluster;
    Box ink{glyphs_[i].x, ascent_, 0, 0};
    bool inked = false;
    for (; i < glyphs_.size() && glyphs_[i].cluster == start; ++i) {
      const Box g = inkOfGlyph(glyphs_[i]);
      if (empty(g)) continue;
      ink = inked ? unite(ink, g) : g;
      inked = true;
    }
    if (start >= range.start && start < range.start + range.length) found = unite(found, ink);
    if (start <= range.start && static_cast<long>(start) > holderStart) {
      holderStart = static_cast<long>(start);
      holder = ink;
    }
  }
  return found.width > 0 ? found : holder;
}

std::string ArabicText::textIn(Colour c) const {
  // Each cluster holds the bytes from its start to the next cluster's; those painted in `c`, in reading order.
  std::vector<std::size_t> starts;
  for (const Glyph& g : glyphs_) starts.push_back(g.cluster);
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  std::string text;
  for (std::size_t k = 0; k < starts.size(); ++k) {
    const auto& got = colours_[starts[k]];
    if (!got || !sameColour(*got, c)) continue;
    const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : text_.size();
    text += text_.substr(starts[k], end - starts[k]);
  }
  return text;
}

template <typename Take>
void ArabicText::addPaths(cairo_t* target, double x, double y, Take take) const {
  CairoOutline outline(target, size_);
  for (const Glyph& g : glyphs_) {
    if (!take(g)) continue;
    outline.at(x + g.x, y + ascent_ + g.y);
    outlineOf(*g.face, g.id, outline);
  }
}

void ArabicText::pathIn(cairo_t* target, double x, double y, Colour c) const {
  addPaths(target, x, y, [&](const Glyph& g) {
    const Colour* got = colourOf(g);
    return got && sameColour(*got, c);
  });
}

void ArabicText::path(cairo_t* target, double x, double y) const {
  addPaths(target, x, y, [](const Glyph&) { return true; });
}

void ArabicText::paint(double x, double y, Colour base) const {
  // As Cairo shows glyphs: each lands on whole device pixels, and the coverage of one stretch of a
  // run in one colour is added up glyph by glyph into a mask, so two joined letters whose edges
  // meet leave no paler seam between them. A coloured letter is opaque whatever the base's alpha.
  const Path before{cairo_copy_path(cr_)};
  cairo_save(cr_);
  cairo_new_path(cr_);
  const Box area = inset(ink_, -size_ * 0.1, -size_ * 0.1);
  cairo_rectangle(cr_, x + area.x, y + area.y, area.width, area.height);
  cairo_clip(cr_);
  CairoOutline outline(cr_, size_);
  const auto alike = [](const Colour* a, const Colour* b) { return a == b || (a && b && sameColour(*a, *b)); };
  for (std::size_t i = 0; i < glyphs_.size();) {
    const Colour* colour = colourOf(glyphs_[i]);
    cairo_push_group_with_content(cr_, CAIRO_CONTENT_ALPHA);
    cairo_set_operator(cr_, CAIRO_OPERATOR_ADD);
    cairo_set_source_rgba(cr_, 0, 0, 0, 1);
    std::size_t j = i;
    for (; j < glyphs_.size() && glyphs_[j].run == glyphs_[i].run && alike(colourOf(glyphs_[j]), colour); ++j) {
      double gx = x + glyphs_[j].x, gy = y + ascent_ + glyphs_[j].y;
      cairo_user_to_device(cr_, &gx, &gy);
      gx = std::floor(gx + 0.5), gy = std::floor(gy + 0.5);
      cairo_device_to_user(cr_, &gx, &gy);
      outline.at(gx, gy);
      outlineOf(*glyphs_[j].face, glyphs_[j].id, outline);
      cairo_fill(cr_);
    }
    Pattern mask{cairo_pop_group(cr_)};
    setSource(cr_, colour ? colour->withAlpha(1) : base);
    cairo_mask(cr_, mask.get());
    i = j;
  }
  cairo_restore(cr_);
  cairo_append_path(cr_, before.get());
}

namespace {

// The bytes of the marks alone that follow letter `letter` of word `word`.
ByteRange marksOf(std::string_view text, int word, int letter) {
  const auto words = lettersByWord(text);  // must outlive the reference below
  const Letter& l = letterAt(words, word, letter);
  return {l.baseEnd, l.end - l.baseEnd};
}

}  // namespace

ByteRange bytesOf(std::string_view text, const Letters& l) {
  return l.marksOnly ? marksOf(text, l.word, l.letter) : lettersOf(text, l.word, l.letter, l.count);
}

ByteRange lettersOf(std::string_view text, int word, int letter, int count) {
  const auto words = lettersByWord(text);
  const Letter& first = letterAt(words, word, letter);
  const Letter& last = letterAt(words, word, letter + count - 1);
  return {first.start, last.end - first.start};
}


ByteRange wordOf(std::string_view text, int word) {
  const auto words = lettersByWord(text);
  const Letter& first = letterAt(words, word, 0);
  return {first.start, words[word].back().end - first.start};
}

int wordCount(std::string_view text) { return static_cast<int>(lettersByWord(text).size()); }

int letterCount(std::string_view text, int word) {
  const auto words = lettersByWord(text);
  return word >= 0 && word < static_cast<int>(words.size()) ? static_cast<int>(words[word].size()) : 0;
}

}  // namespace wizlo::art
