#include "assets/generator/backdrops/board.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/control_names.hpp"
#include "assets/generator/backdrops/arrow_placement.hpp"
#include "assets/generator/backdrops/credits.hpp"
#include "assets/generator/backdrops/decor.hpp"
#include "assets/generator/backdrops/name_gaps.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/arabic_text.hpp"

namespace wizlo::art {
namespace {

constexpr double kMargin = 220;

void paintGround(cairo_t* cr, const BoardContent& b) {
  const Colour ground = Colour::hex(b.groundColour);
  if (b.ground == Ground::Flat) return paintFlat(cr, ground);
  paintWith(cr,
            linearGradient(0, 0, 0, kPageHeight, {{0, ground}, {0.55, ground.shade(0.05)}, {1, ground.shade(0.22)}}));
}

// The sentence, one layout a word, so each word can sit above its circles.
struct Word {
  ArabicText text;
  std::size_t firstByte = 0;
  double x = 0;  // paint origin
};

ByteRange within(const Word& w, ByteRange r) { return {r.start - w.firstByte, r.length}; }

// Places the words right to left with one gap between the ink of each word and the next, so the
// sentence reads as one line: the gap and the line's place are the least-squares fit that brings
// each marked letter nearest above its circle, and the arrows slant to make up the rest.
void placeWords(std::vector<Word>& words, const BoardContent& b) {
  const std::size_t n = words.size();
  // right[k]: where word k's ink would end on the right were the first word's to end at 0 and the
  // gap nothing; each gap moves the words after it left by one more gap.
  std::vector<double> right(n, 0);
  for (std::size_t k = 1; k < n; ++k) right[k] = right[k - 1] - words[k - 1].text.ink().width;
  // For each arrow, how many gaps lie right of its letter, and where the letter would need the
  // first word's ink to end for it to stand straight above its circle.
  std::vector<std::pair<double, double>> fit;
  for (std::size_t i = 0; i < b.circles.size(); ++i) {
    const MarkedLetters& m = b.circles[i];
    if (m.kind == CircleKind::SpareOnBlank) continue;
    const Word& w = words[m.letters.word];
    const double letter = w.text.inkOf(within(w, bytesOf(b.sentence, m.letters))).centreX() - w.text.ink().right();
    const Box circle = boxOf(controlOf(*b.form, names::kCircles, static_cast<int>(i)).rect());
    fit.emplace_back(m.letters.word, circle.centreX() - right[m.letters.word] - letter);
  }
  double meanGaps = 0, meanEnd = 0;
  for (const auto& [gaps, end] : fit) meanGaps += gaps / fit.size(), meanEnd += end / fit.size();
  double spread = 0, together = 0;
  for (const auto& [gaps, end] : fit) {
    spread += (gaps - meanGaps) * (gaps - meanGaps);
    together += (gaps - meanGaps) * (end - meanEnd);
  }
  // The end moves left by one gap for every gap right of a letter: the slope is minus the gap, kept
  // within what still reads as the space between two words of one sentence.
  const double fitted = spread > 0 ? -together / spread : 0;
  const double gap = std::clamp(fitted, 0.35 * b.sentenceSize, 0.9 * b.sentenceSize);
  double end = meanEnd + gap * meanGaps;
  // Keep the whole line on the page.
  const double width = -right[n - 1] + words[n - 1].text.ink().width + gap * (n - 1);
  end = std::clamp(end, kMargin + width, kPageWidth - kMargin);
  for (std::size_t k = 0; k < n; ++k) words[k].x = end + right[k] - gap * k - words[k].text.ink().right();
}

// The sentence's words, shaped and coloured as the board says, not yet placed.
std::vector<Word> shapeSentence(cairo_t* cr, const BoardContent& b) {
  std::vector<Word> words;
  for (int k = 0; k < wordCount(b.sentence); ++k) {
    const ByteRange r = wordOf(b.sentence, k);
    words.push_back({ArabicText(cr, b.sentence.substr(r.start, r.length), kNaskh, b.sentenceSize), r.start, 0});
  }
  const auto colourIn = [&](const MarkedLetters& m) {
    Word& w = words[m.letters.word];
    w.text.colour(within(w, bytesOf(b.sentence, m.letters)), Colour::hex(m.colour));
  };
  for (const MarkedLetters& m : b.circles)
    if (m.kind == CircleKind::Drawn) colourIn(m);
  for (const MarkedLetters& m : b.alsoColoured) colourIn(m);
  return words;
}

void drawSentenceAndCircles(cairo_t* cr, const BoardContent& b, InkMap& ink) {
  std::vector<Word> words = shapeSentence(cr, b);
  placeWords(words, b);

  const double top = b.baselineY - words[0].text.baseline();  // every word has the same line box
  // A soft light halo lifts the letters off the ground.
  softShadow(
      cr,
      [&](cairo_t* m) {
        for (const Word& w : words) w.text.path(m, w.x, top);
      },
      0, 0, 60, kWhite.withAlpha(0.55));
  softShadow(
      cr,
      [&](cairo_t* m) {
        for (const Word& w : words) w.text.path(m, w.x, top);
      },
      14, 22, 30, kBlack.withAlpha(0.28));
  // A thin dark contour keeps the black letters crisp against their halo; the coloured ones take
  // a broad rim of their own hue as well.
  cairo_save(cr);
  for (const Word& w : words) w.text.path(cr, w.x, top);
  setSource(cr, Colour::hex(0x202020, 0.9));
  cairo_set_line_width(cr, 16);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  cairo_restore(cr);
  std::vector<Colour> coloured;
  for (const MarkedLetters& m : b.circles)
    if (m.kind == CircleKind::Drawn) coloured.push_back(Colour::hex(m.colour));
  for (const MarkedLetters& m : b.alsoColoured) coloured.push_back(Colour::hex(m.colour));
  for (const Word& w : words) rimLetters(cr, w.text, w.x, top, coloured, Colour::hex(b.groundColour));
  for (const Word& w : words) w.text.paint(w.x, top, kBlack);
  for (std::size_t k = 0; k < words.size(); ++k) {
    const Word& w = words[k];
    ink.add(InkKind::Word, "word " + std::to_string(k), [&](cairo_t* m) { w.text.path(m, w.x, top); }, b.sentenceSize);
  }
  for (std::size_t i = 0; i < b.circles.size(); ++i)
    if (b.circles[i].kind == CircleKind::Drawn) {
      const Colour c = Colour::hex(b.circles[i].colour);
      ink.add(InkKind::Letters, "g(" + std::to_string(i) + ") letters", [&](cairo_t* m) {
        for (const Word& w : words) w.text.pathIn(m, w.x, top, c);
      });
    }

  double x0 = kPageWidth, y0 = kPageHeight, x1 = 0, y1 = 0;  // the ink of every word, on the page
  for (const Word& w : words) {
    const Box k = w.text.ink();
    x0 = std::min(x0, w.x + k.x), y0 = std::min(y0, top + k.y);
    x1 = std::max(x1, w.x + k.right()), y1 = std::max(y1, top + k.bottom());
  }
  const Box sentence{x0, y0, x1 - x0, y1 - y0};
  const double ringWidth = 48;
  for (std::size_t i = 0; i < b.circles.size(); ++i) {
    const MarkedLetters& m = b.circles[i];
    if (m.kind != CircleKind::Drawn) continue;
    const Box circle = boxOf(controlOf(*b.form, names::kCircles, static_cast<int>(i)).rect());
    drawRing(cr, circle, Colour::hex(m.colour), ringWidth);
    ink.add(InkKind::Ring, "g(" + std::to_string(i) + ") ring", [&](cairo_t* p) { ringPath(p, circle, ringWidth); });
    const Word& w = words[m.letters.word];
    const Box letters = w.text.inkOf(within(w, bytesOf(b.sentence, m.letters))), word = w.text.ink();
    const Colour c = Colour::hex(m.colour);
    const ArrowSetting setting{
        .circle = circle,
        .letters = {w.x + letters.x, top + letters.y, letters.width, letters.height},
        .word = {w.x + word.x, top + word.y, word.width, word.height},
        .sentence = sentence,
        .sentenceInk = [&](cairo_t* p) { for (const Word& v : words) v.text.path(p, v.x, top); },
        .ownInk = [&](cairo_t* p) { for (const Word& v : words) v.text.pathIn(p, v.x, top, c); }};
    // Where no arrow keeps clear, the straight one is drawn: the measure of the drawn ink then
    // stops the build, or tells the teacher what to change.
    const ArrowEnds a = clearArrow(setting).value_or(straightArrow(setting));
    drawArrow(cr, a, c, setting.width);
    ink.add(InkKind::Arrow, "g(" + std::to_string(i) + ") arrow", [&](cairo_t* p) { arrowPath(p, a, setting.width); });
  }
}

std::string_view skillOf(const BoardContent& b, int piece) {
  if (piece < 0 || static_cast<std::size_t>(piece) >= b.skills.size())
    throw std::out_of_range(std::string(b.form->Name) + " has no skill name for c(" + std::to_string(piece) + ")");
  return b.skills[static_cast<std::size_t>(piece)];
}

// A name's ink ends this far left of its piece, and keeps this far from any control or other name:
// 4 px at 1x, so rows of names never run into each other.
constexpr double kNameGap = 110, kNameClearance = 60;
// How far a name keeps from every other piece, beside it, above or below, so its own piece is clearly
// the one it belongs to (name_gaps.hpp), with a pixel and a half to spare for the anti-aliased ink.
constexpr double kBesideOtherPiece =
    std::max(kLeastOtherNameGapPx * 15, kOtherNameGapToOwn * kNameGap) + 1.5 * 15;
// How far a name may stand above or below level with its piece, nearest first: while its middle
// stays beside the piece, it still reads as the piece's.
constexpr double kNameNudges[] = {0, 25, -25, 50, -50, 75, -75, 100, -100, 125, -125, 150, -150, 175, -175, 200, -200};

// One name at one size beside its piece, and the heights it may paint at, clear of the controls.
struct NameChoices {
  PlacedText text;
  InkStrips strips;
  double level;            // where it paints level with its piece
  std::vector<double> ys;  // nearest level first
};

// Gives each name from the k-th on a height clear of the names before it, trying each one's
// heights nearest level first and none further off than `farthest`. Returns kSettled, or else the
// names before the k-th whose heights left some name no room, one bit each: the search goes back
// straight to the last of those, not through every name between that has nothing to do with it.
constexpr std::uint64_t kSettled = ~std::uint64_t{0};
std::uint64_t settle(std::vector<NameChoices>& names, std::size_t k, double farthest) {
  if (k == names.size()) return kSettled;
  NameChoices& name = names[k];
  std::uint64_t blockers = 0;
  for (const double y : name.ys) {
    if (std::abs(y - name.level) > farthest) continue;
    std::size_t j = 0;
    while (j < k && !name.strips.meets(name.text.x, y, names[j].strips, names[j].text.x, names[j].text.y)) ++j;
    if (j < k) {
      blockers |= std::uint64_t{1} << j;
      continue;
    }
    name.text.y = y;
    const std::uint64_t later = settle(names, k + 1, farthest);
    if (later == kSettled) return kSettled;
    if (!(later & std::uint64_t{1} << k)) return later;  // moving this name frees nothing
    blockers |= later & ~(std::uint64_t{1} << k);
  }
  return blockers;
}

// Every name at `size` beside its piece, clear of the controls and of each other, as near level
// with its piece as they all can be; none if some name finds no place.
std::optional<std::vector<PlacedText>> placeNames(cairo_t* cr, const BoardContent& b,
                                                  const std::vector<const ImageLayout*>& pieces, double size,
                                                  const std::vector<Box>& obstacles) {
  const Box page{kMargin, 0, kPageWidth - 2 * kMargin, kPageHeight};
  std::vector<Box> near;  // each control and what lies within the clearance of it
  for (const Box& o : obstacles) near.push_back(inset(o, -kNameClearance / 2, -kNameClearance / 2));
  if (pieces.size() > 64) throw std::length_error(std::string(b.form->Name) + " has more pieces than names can settle");
  std::vector<NameChoices> names;
  for (const ImageLayout* piece : pieces) {
    const Box at = boxOf(piece->rect());
    ArabicText text(cr, skillOf(b, *piece->Index), kNaskh, size);
    const Box ink = text.ink();
    InkStrips strips(text, kNameClearance / 2);
    std::vector<Box> others;  // the other pieces, with the room beside them that no other name may take
    for (const ImageLayout* other : pieces)
      if (other != piece)
        others.push_back(inset(boxOf(other->rect()), -(kBesideOtherPiece - kNameClearance / 2),
                               -(kBesideOtherPiece - kNameClearance / 2)));
    NameChoices name{{std::move(text), at.x - kNameGap - ink.right()}, std::move(strips),
                     at.centreY() - ink.centreY(), {}};
    for (const double nudge : kNameNudges) {
      const double y = name.level + nudge;
      const auto meets = [&](const Box& o) { return name.strips.meets(name.text.x, y, o); };
      if (fitsAt({name.text.x + ink.x, y + ink.y, ink.width, ink.height}, page, {}, 0) &&
          std::none_of(near.begin(), near.end(), meets) && std::none_of(others.begin(), others.end(), meets))
        name.ys.push_back(y);
    }
    if (name.ys.empty()) return std::nullopt;
    names.push_back(std::move(name));
  }
  for (const double farthest : {0, 50, 100, 150, 200})
    if (settle(names, 0, farthest) == kSettled) {
      std::vector<PlacedText> placed;
      for (NameChoices& name : names) placed.push_back(std::move(name.text));
      return placed;
    }
  return std::nullopt;
}

// Each skill's name beside its piece, all at one size: the largest up to the board's at which
// every name fits.
void drawSkills(cairo_t* cr, const BoardContent& b, const std::vector<Box>& obstacles, InkMap& ink) {
  std::vector<const ImageLayout*> pieces = visibleArray(*b.form, names::kPieces);
  // Top to bottom, then right to left, as a pupil reads them: each name is settled against the
  // ones nearest before it.
  std::sort(pieces.begin(), pieces.end(),
            [](auto* p, auto* q) { return p->Top != q->Top ? p->Top < q->Top : p->Left > q->Left; });
  // Names may give up a little of their size to find room, never below what a seven-year-old reads
  // at a glance; a board that asks for smaller names than that keeps its own.
  const double least = std::min(b.skillSize, kLeastSkillSize);
  std::optional<std::vector<PlacedText>> placed;
  for (double size = b.skillSize; !placed; size *= 0.99) {
    if (size < least)
      throw std::runtime_error(std::string(b.form->Name) +
                               ": لا تجد أسماء المهارات مكانًا بجانب قطعها يكون فيه كل اسم أقرب إلى قطعته منه إلى أي قطعة أخرى. "
                               "يلزم أن تتباعد صفوف القطع، أو أن تقصر الأسماء.\n"
                               "the skills' names find no place beside their pieces with each one nearer its own "
                               "piece than any other: the rows of pieces must stand further apart, or the names be shorter.");
    placed = placeNames(cr, b, pieces, size, obstacles);
  }
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const PlacedText& label = (*placed)[k];
    label.text.paint(label.x + 10, label.y + 14, kWhite.withAlpha(0.45));
    label.text.paint(label.x, label.y, Colour::hex(b.skillColour));
    ink.add(InkKind::Label, labelName(*pieces[k]->Index),
            [&](cairo_t* m) { label.text.path(m, label.x, label.y); }, label.text.size());
  }
}

// Returns where the line's ink went.
Box drawInstruction(cairo_t* cr, const BoardContent& b, const std::vector<Box>& obstacles, InkMap& ink) {
  const Box back = boxOf(controlOf(*b.form, names::kBoardBack).rect());
  const Box region{kPageWidth / 2 - 1200, 0, kPageWidth / 2 + 1200 - kMargin - 80, kPageHeight};
  const double middle = b.instructionY > 0 ? b.instructionY : back.centreY();
  const PlacedText line =
      fitText(cr, b.instruction, b.instructionSize, kPageWidth - kMargin - 80, middle, region, obstacles);
  line.text.paint(line.x + 12, line.y + 16, kBlack.withAlpha(0.18));
  line.text.paint(line.x, line.y, Colour::hex(b.instructionColour));
  ink.add(InkKind::Line, "instruction", [&](cairo_t* m) { line.text.path(m, line.x, line.y); }, line.text.size());
  return line.inkOnPage();
}

}  // namespace

std::string lettersDrawnIn(cairo_t* cr, const BoardContent& b, Rgb colour) {
  std::string letters;
  for (const Word& w : shapeSentence(cr, b)) letters += w.text.textIn(Colour::hex(colour));
  return letters;
}

void drawBoard(cairo_t* cr, const BoardContent& b, InkMap& ink) {
  paintGround(cr, b);
  const std::vector<Box> obstacles = obstaclesOf(*b.form);
  const Colour ornament = Colour::hex(b.ornamentColour);
  if (b.ornament == Ornament::WaveBand) drawWaveBand(cr, b.ornamentTop, b.ornamentBottom, ornament);
  if (b.ornament == Ornament::Swoosh) drawSwoosh(cr, b.ornamentTop, b.ornamentBottom, ornament);
  drawSentenceAndCircles(cr, b, ink);
  drawBackButton(cr, boxOf(controlOf(*b.form, names::kBoardBack).rect()));
  // The instruction is read first and keeps its size; the names make room for it.
  std::vector<Box> taken = obstacles;
  taken.push_back(drawInstruction(cr, b, obstacles, ink));
  drawSkills(cr, b, taken, ink);
  const Box wex = boxOf(controlOf(*b.form, names::kWebSite).rect());
  drawCredits(cr,
              {.programming = inset(wex, 0, 40), .top = wex.y, .bottom = wex.bottom(), .schoolAtRight = false,
               .schoolSize = 330, .words = b.creditWords},
              b.credits, ink);
}

}  // namespace wizlo::art
