#include "assets/generator/backdrops/page.hpp"

#include <algorithm>
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

constexpr double kMargin = 650;
constexpr double kRightEdge = kPageWidth - kMargin;

void paintGround(cairo_t* cr, const PageContent& page) {
  if (page.ground.size() == 1) return paintFlat(cr, Colour::hex(page.ground.front().colour));
  std::vector<Stop> stops;
  for (const GroundStop& s : page.ground) stops.push_back({s.at, Colour::hex(s.colour)});
  paintWith(cr, linearGradient(kPageWidth, 0, 0, kPageHeight, stops));
}

// The passage, right-aligned, at one size that lets the longest line fit.
void drawPassage(cairo_t* cr, const PageContent& page, InkMap& ink) {
  double size = page.passageSize;
  for (const PassageLine& l : page.passage) {
    ArabicText probe(cr, l.text, kNaskh, page.passageSize);
    const double room = kRightEdge - kMargin;
    if (probe.ink().width > room) size = std::min(size, page.passageSize * room / probe.ink().width);
  }
  for (std::size_t i = 0; i < page.passage.size(); ++i) {
    const PassageLine& line = page.passage[i];
    ArabicText t(cr, line.text, kNaskh, size);
    std::vector<Colour> picked;
    for (const PickedLetters& p : page.picked)
      if (p.line == static_cast<int>(i)) {
        t.colour(bytesOf(line.text, p.letters), Colour::hex(p.colour));
        picked.push_back(Colour::hex(p.colour));
      }
    const double x = kRightEdge - t.ink().right(), y = page.firstBaseline + page.lineStep * i - t.baseline();
    t.paint(x + 14, y + 20, kBlack.withAlpha(0.13));
    rimLetters(cr, t, x, y, picked, Colour::hex(page.ground.front().colour));
    t.paint(x, y, Colour::hex(line.colour));
    ink.add(InkKind::Line, "line " + std::to_string(i), [&](cairo_t* m) { t.path(m, x, y); }, size);
    for (std::size_t k = 0; k < page.picked.size(); ++k)
      if (page.picked[k].line == static_cast<int>(i))
        ink.add(InkKind::Letters, "picked(" + std::to_string(k) + ")",
                [&](cairo_t* m) { t.pathIn(m, x, y, Colour::hex(page.picked[k].colour)); }, size);
  }
}

}  // namespace

void drawPage(cairo_t* cr, const PageContent& page, InkMap& ink) {
  paintGround(cr, page);
  drawPassage(cr, page, ink);
  drawBackButton(cr, boxOf(controlOf(*page.form, names::kPageBack).rect()));
  const double height = page.creditsBottom - page.creditsTop;
  drawCredits(cr,
              {.programming = {350, page.creditsTop, 3000, height}, .top = page.creditsTop,
               .bottom = page.creditsBottom, .schoolAtRight = true, .schoolSize = 340},
              page.credits, ink);
}

}  // namespace wizlo::art
