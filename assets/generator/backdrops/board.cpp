#include "assets/generator/backdrops/board.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/control_names.hpp"
#include "assets/generator/backdrops/credits.hpp"
#include "assets/generator/backdrops/decor.hpp"
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

// Places the words right to left, each as near as the ones beside it allow to
// where its arrows would run straight down: a least-squares fit under the
// ordering constraint, solved by pooling adjacent violators.
void placeWords(std::vector<Word>& words, const BoardContent& b) {
  const std::size_t n = words.size();
  const double space = b.sentenceSize * 0.32;
  std::vector<double> target(n, 0), width(n), left(n), sum(n, 0);
  std::vector<int> arrows(n, 0);
  for (std::size_t k = 0; k < n; ++k) {
    const Box logical = words[k].text.logical();
    width[k] = logical.width;
    left[k] = logical.x;
  }
  for (std::size_t i = 0; i < b.circles.size(); ++i) {
    const MarkedLetters& m = b.circles[i];
    if (m.kind == CircleKind::SpareOnBlank) continue;
    const Word& w = words[m.letters.word];
    const Box ink = w.text.inkOf(within(w, bytesOf(b.sentence, m.letters)));
    const Box circle = boxOf(controlOf(*b.form, names::kCircles, static_cast<int>(i)).rect());
    sum[m.letters.word] += circle.centreX() - (ink.centreX() - left[m.letters.word]);
    arrows[m.letters.word] += 1;
  }
  // offset[k]: how far word k's left edge must at least lie right of the last word's.
  std::vector<double> offset(n, 0);
  for (std::size_t k = n - 1; k-- > 0;) offset[k] = offset[k + 1] + width[k + 1] + space;
  // A word without arrows barely counts; it is placed afterwards.
  std::vector<double> weight(n);
  for (std::size_t k = 0; k < n; ++k) {
    const double natural = offset[k] + (kPageWidth - offset[0] - width[0]) / 2;
    target[k] = (arrows[k] ? sum[k] / arrows[k] : natural) - offset[k];
    weight[k] = arrows[k] ? arrows[k] : 1e-3;
  }
  struct Pool {
    double value, weight;
    std::size_t count;
  };
  std::vector<Pool> pools;
  for (std::size_t k = 0; k < n; ++k) {
    pools.push_back({target[k], weight[k], 1});
    while (pools.size() > 1 && pools[pools.size() - 2].value < pools.back().value) {
      const Pool last = pools.back();
      pools.pop_back();
      Pool& prev = pools.back();
      prev.value = (prev.value * prev.weight + last.value * last.weight) / (prev.weight + last.weight);
      prev.weight += last.weight;
      prev.count += last.count;
    }
  }
  std::size_t k = 0;
  std::vector<double> edge(n);
  for (const Pool& p : pools)
    for (std::size_t c = 0; c < p.count; ++c, ++k) edge[k] = p.value + offset[k];
  // A word with no arrow of its own sits midway between its neighbours.
  for (k = 1; k + 1 < n; ++k)
    if (!arrows[k]) {
      const double room = edge[k - 1] - (edge[k + 1] + width[k + 1]);
      edge[k] = edge[k + 1] + width[k + 1] + (room - width[k]) / 2;
    }
  // Keep the whole line on the page.
  const double over = edge[0] + width[0] - (kPageWidth - kMargin);
  const double under = kMargin - edge[n - 1];
  const double shift = over > 0 ? -over : under > 0 ? under : 0;
  for (k = 0; k < n; ++k) words[k].x = edge[k] + shift - left[k];
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
  for (const Word& w : words) rimLetters(cr, w.text, w.x, top, coloured);
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

  const double ringWidth = 48;
  for (std::size_t i = 0; i < b.circles.size(); ++i) {
    const MarkedLetters& m = b.circles[i];
    if (m.kind != CircleKind::Drawn) continue;
    const Box circle = boxOf(controlOf(*b.form, names::kCircles, static_cast<int>(i)).rect());
    drawRing(cr, circle, Colour::hex(m.colour), ringWidth);
    ink.add(InkKind::Ring, "g(" + std::to_string(i) + ") ring", [&](cairo_t* p) { ringPath(p, circle, ringWidth); });
    const Word& w = words[m.letters.word];
    const Box letters = w.text.inkOf(within(w, bytesOf(b.sentence, m.letters)));
    const double tipX = w.x + letters.centreX(), tipY = top + letters.bottom() + 60;
    const double tailX = circle.centreX(), tailY = circle.y + circle.height * 0.05 - 25;
    drawArrow(cr, tailX, tailY, tipX, tipY, Colour::hex(m.colour), 42);
    ink.add(InkKind::Arrow, "g(" + std::to_string(i) + ") arrow",
            [&](cairo_t* p) { arrowPath(p, tailX, tailY, tipX, tipY, 42); });
  }
}

std::string_view skillOf(const BoardContent& b, int piece) {
  if (piece < 0 || static_cast<std::size_t>(piece) >= b.skills.size())
    throw std::out_of_range(std::string(b.form->Name) + " has no skill name for c(" + std::to_string(piece) + ")");
  return b.skills[static_cast<std::size_t>(piece)];
}

// Returns where the names' ink went, so nothing else is drawn over them.
std::vector<Box> drawSkills(cairo_t* cr, const BoardContent& b, const std::vector<Box>& obstacles, InkMap& ink) {
  std::vector<Box> inks;
  const Box page{kMargin, 0, kPageWidth - 2 * kMargin, kPageHeight};
  for (const ImageLayout* piece : visibleArray(*b.form, names::kPieces)) {
    const Box at = boxOf(piece->rect());
    const PlacedText label =
        fitText(cr, skillOf(b, *piece->Index), b.skillSize, at.x - 110, at.centreY(), page, obstacles);
    label.text.paint(label.x + 10, label.y + 14, kWhite.withAlpha(0.45));
    label.text.paint(label.x, label.y, Colour::hex(b.skillColour));
    ink.add(InkKind::Label, "c(" + std::to_string(*piece->Index) + ") label",
            [&](cairo_t* m) { label.text.path(m, label.x, label.y); }, label.text.size());
    inks.push_back(label.inkOnPage());
  }
  return inks;
}

void drawInstruction(cairo_t* cr, const BoardContent& b, const std::vector<Box>& obstacles, InkMap& ink) {
  const Box back = boxOf(controlOf(*b.form, names::kBoardBack).rect());
  const Box region{kPageWidth / 2 - 1200, 0, kPageWidth / 2 + 1200 - kMargin - 80, kPageHeight};
  const PlacedText line =
      fitText(cr, b.instruction, b.instructionSize, kPageWidth - kMargin - 80, back.centreY(), region, obstacles);
  line.text.paint(line.x + 12, line.y + 16, kBlack.withAlpha(0.18));
  line.text.paint(line.x, line.y, Colour::hex(b.instructionColour));
  ink.add(InkKind::Line, "instruction", [&](cairo_t* m) { line.text.path(m, line.x, line.y); }, line.text.size());
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
  std::vector<Box> taken = obstacles;
  for (const Box& label : drawSkills(cr, b, obstacles, ink)) taken.push_back(label);
  drawInstruction(cr, b, taken, ink);
  const Box wex = boxOf(controlOf(*b.form, names::kWebSite).rect());
  drawCredits(cr,
              {.programming = inset(wex, 0, 40), .top = wex.y, .bottom = wex.bottom(), .schoolAtRight = false,
               .schoolSize = 330},
              b.credits, ink);
}

}  // namespace wizlo::art
