#include "assets/generator/backdrops/credits.hpp"

#include <algorithm>
#include <string>

#include "assets/generator/text/arabic_text.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

// Two centred lines inside the box: a heading and the line it introduces.
void block(cairo_t* cr, const Box& box, const CreditBlock& words, Rgb headingColour, double headingSize,
           Rgb lineColour, double lineSize, InkMap& ink) {
  if (words.heading.empty()) return;  // a block its board leaves blank
  ArabicText top(cr, words.heading, kNaskh, headingSize);
  if (words.line.empty()) {
    const Box a = top.ink();
    const double x = box.centreX() - a.centreX(), y = box.centreY() - a.centreY();
    top.paint(x, y, Colour::hex(headingColour));
    ink.add(InkKind::Line, std::string(words.heading), [&](cairo_t* m) { top.path(m, x, y); }, headingSize);
    return;
  }
  ArabicText low(cr, words.line, kNaskh, lineSize);
  const Box a = top.ink(), b = low.ink();
  const double gap = std::min(headingSize, lineSize) * 0.35;
  const double total = a.height + gap + b.height;
  const double y0 = box.centreY() - total / 2;
  const double topX = box.centreX() - a.centreX(), topY = y0 - a.y;
  const double lowX = box.centreX() - b.centreX(), lowY = y0 + a.height + gap - b.y;
  top.paint(topX, topY, Colour::hex(headingColour));
  low.paint(lowX, lowY, Colour::hex(lineColour));
  ink.add(InkKind::Line, std::string(words.heading), [&](cairo_t* m) { top.path(m, topX, topY); }, headingSize);
  ink.add(InkKind::Line, std::string(words.line), [&](cairo_t* m) { low.path(m, lowX, lowY); }, lineSize);
}

}  // namespace

void drawCredits(cairo_t* cr, const CreditPlaces& places, const CreditColours& colours, InkMap& ink) {
  const double height = places.bottom - places.top;
  const Box middle{4400, places.top, 4800, height};
  const Box side{9700, places.top, 3500, height};
  const Box& schoolBox = places.schoolAtRight ? side : middle;
  const Box& ideaBox = places.schoolAtRight ? middle : side;
  const Credits& credits = places.words ? *places.words : layouts::kCredits;

  block(cr, ideaBox, credits.idea, colours.role, 270, colours.name, 300, ink);
  block(cr, schoolBox, credits.school, colours.school, places.schoolSize, colours.name, 260, ink);
  block(cr, places.programming, credits.programming, colours.programming, 250, colours.programming, 290, ink);
}

}  // namespace wizlo::art
