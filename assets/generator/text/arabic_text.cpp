#include "assets/generator/text/arabic_text.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace wizlo::art {
namespace {

double fromPango(int units) { return static_cast<double>(units) / PANGO_SCALE; }

Box boxOf(const PangoRectangle& r) {
  return {fromPango(r.x), fromPango(r.y), fromPango(r.width), fromPango(r.height)};
}

Box unite(const Box& a, const Box& b) {
  if (a.width <= 0 && a.height <= 0) return b;
  const double x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const double x1 = std::max(a.right(), b.right()), y1 = std::max(a.bottom(), b.bottom());
  return {x0, y0, x1 - x0, y1 - y0};
}

// Outlines are sized in twips, far finer than a pixel, so hinting would only
// snap them to a grid that is not there.
void unhint(PangoContext* context) {
  const FontOptions options{cairo_font_options_create()};
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context, options.get());
  pango_context_set_round_glyph_positions(context, FALSE);
}

struct Letter {
  std::size_t start, end;  // bytes of the letter and the marks after it
  std::size_t baseEnd;     // end of the letter itself
};

guint16 channel(double v) { return static_cast<guint16>(std::clamp(v, 0.0, 1.0) * 65535); }

bool isMark(char32_t c) { return (c >= 0x064B && c <= 0x065F) || c == 0x0670; }

char32_t decode(std::string_view s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  if (b < 0x80) return s[i++];
  const int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
  char32_t c = b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) c = (c << 6) | (byte(i + k) & 0x3F);
  i += extra + 1;
  return c;
}

// Words of the text, each a list of letters.
std::vector<std::vector<Letter>> lettersByWord(std::string_view text) {
  std::vector<std::vector<Letter>> words(1);
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t at = i;
    const char32_t c = decode(text, i);
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

}  // namespace

ArabicText::ArabicText(cairo_t* cr, std::string_view utf8, const char* family, double sizeTwips)
    : cr_(cr), size_(sizeTwips), text_(utf8), layout_(pango_cairo_create_layout(cr)), attrs_(pango_attr_list_new()) {
  unhint(pango_layout_get_context(layout_.get()));
  pango_layout_context_changed(layout_.get());
  const FontDescription font{pango_font_description_new()};
  pango_font_description_set_family(font.get(), family);
  pango_font_description_set_weight(font.get(), PANGO_WEIGHT_BOLD);
  pango_font_description_set_absolute_size(font.get(), sizeTwips * PANGO_SCALE);
  pango_layout_set_font_description(layout_.get(), font.get());
  pango_layout_set_auto_dir(layout_.get(), TRUE);
  pango_layout_set_text(layout_.get(), text_.data(), static_cast<int>(text_.size()));
  pango_layout_set_attributes(layout_.get(), attrs_.get());
}

void ArabicText::colour(ByteRange range, Colour c) {
  PangoAttribute* fg = pango_attr_foreground_new(channel(c.r), channel(c.g), channel(c.b));
  fg->start_index = static_cast<guint>(range.start);
  fg->end_index = static_cast<guint>(range.start + range.length);
  pango_attr_list_change(attrs_.get(), fg);
  pango_layout_set_attributes(layout_.get(), attrs_.get());
}

Box ArabicText::ink() const {
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout_.get(), &ink, &logical);
  return boxOf(ink);
}

Box ArabicText::logical() const {
  PangoRectangle ink, logical;
  pango_layout_get_extents(layout_.get(), &ink, &logical);
  return boxOf(logical);
}

double ArabicText::baseline() const { return fromPango(pango_layout_get_baseline(layout_.get())); }

Box ArabicText::inkOf(ByteRange range) const {
  // A cluster is a letter with its marks; a range of marks alone falls inside
  // the cluster of the letter they sit on.
  Box found{};
  Box holder{};
  int holderStart = -1;
  const LayoutIter iter{pango_layout_get_iter(layout_.get())};
  PangoLayoutIter* it = iter.get();
  do {
    const int start = pango_layout_iter_get_index(it);
    PangoRectangle ink, logical;
    pango_layout_iter_get_cluster_extents(it, &ink, &logical);
    const auto at = static_cast<std::size_t>(start);
    if (at >= range.start && at < range.start + range.length) found = unite(found, boxOf(ink));
    if (at <= range.start && start > holderStart) {
      holderStart = start;
      holder = boxOf(ink);
    }
  } while (pango_layout_iter_next_cluster(it));
  return found.width > 0 ? found : holder;
}

// Calls visit(iter, run) for every shaped run painted in colour `c`.
template <typename Visit>
void ArabicText::forEachRunIn(Colour c, Visit visit) const {
  const LayoutIter iter{pango_layout_get_iter(layout_.get())};
  PangoLayoutIter* it = iter.get();
  do {
    const PangoLayoutRun* run = pango_layout_iter_get_run_readonly(it);
    if (!run) continue;
    for (GSList* a = run->item->analysis.extra_attrs; a; a = a->next) {
      const auto* attr = static_cast<const PangoAttribute*>(a->data);
      if (attr->klass->type != PANGO_ATTR_FOREGROUND) continue;
      const PangoColor& got = reinterpret_cast<const PangoAttrColor*>(attr)->color;
      if (got.red == channel(c.r) && got.green == channel(c.g) && got.blue == channel(c.b)) visit(it, run);
    }
  } while (pango_layout_iter_next_run(it));
}

std::string ArabicText::textIn(Colour c) const {
  // Runs come in visual order, right to left; the bytes they cover give reading order back.
  std::vector<std::pair<int, std::string>> runs;
  forEachRunIn(c, [&](PangoLayoutIter*, const PangoLayoutRun* run) {
    runs.emplace_back(run->item->offset, text_.substr(static_cast<std::size_t>(run->item->offset),
                                                      static_cast<std::size_t>(run->item->length)));
  });
  std::sort(runs.begin(), runs.end());
  std::string text;
  for (const auto& [offset, piece] : runs) text += piece;
  return text;
}

void ArabicText::pathIn(cairo_t* target, double x, double y, Colour c) const {
  pango_cairo_update_layout(target, layout_.get());
  forEachRunIn(c, [&](PangoLayoutIter* it, const PangoLayoutRun* run) {
    PangoRectangle logical;
    pango_layout_iter_get_run_extents(it, nullptr, &logical);
    cairo_move_to(target, x + fromPango(logical.x), y + fromPango(pango_layout_iter_get_baseline(it)));
    pango_cairo_glyph_string_path(target, run->item->analysis.font, run->glyphs);
  });
  pango_cairo_update_layout(cr_, layout_.get());
}

void ArabicText::paint(double x, double y, Colour base) const {
  cairo_save(cr_);
  setSource(cr_, base);
  cairo_move_to(cr_, x, y);
  pango_cairo_update_layout(cr_, layout_.get());
  pango_cairo_show_layout(cr_, layout_.get());
  cairo_restore(cr_);
}

void ArabicText::path(cairo_t* target, double x, double y) const {
  cairo_move_to(target, x, y);
  pango_cairo_update_layout(target, layout_.get());
  pango_cairo_layout_path(target, layout_.get());
  pango_cairo_update_layout(cr_, layout_.get());
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
