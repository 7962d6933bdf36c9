#include "assets/generator/backdrops/credits.hpp"

#include <algorithm>

#include "assets/generator/text/arabic_text.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

// Two centred lines inside the box: a heading and the line it introduces.
void block(cairo_t* cr, const Box& box, const CreditBlock& words, Rgb headingColour, double headingSize,
           Rgb lineColour, double lineSize) {
  ArabicText top(cr, words.heading, kNaskh, headingSize);
  ArabicText low(cr, words.line, kNaskh, lineSize);
  const Box a = top.ink(), b = low.ink();
  const double gap = std::min(headingSize, lineSize) * 0.35;
  const double total = a.height + gap + b.height;
  const double y0 = box.centreY() - total / 2;
  top.paint(box.centreX() - a.centreX(), y0 - a.y, Colour::hex(headingColour));
  low.paint(box.centreX() - b.centreX(), y0 + a.height + gap - b.y, Colour::hex(lineColour));
}

}  // namespace

void drawCredits(cairo_t* cr, const CreditPlaces& places, const CreditColours& colours) {
  const double height = places.bottom - places.top;
  const Box middle{4400, places.top, 4800, height};
  const Box side{9700, places.top, 3500, height};
  const Box& schoolBox = places.schoolAtRight ? side : middle;
  const Box& ideaBox = places.schoolAtRight ? middle : side;
  const Credits& credits = layouts::kCredits;

  block(cr, ideaBox, credits.idea, colours.role, 270, colours.name, 300);
  block(cr, schoolBox, credits.school, colours.school, places.schoolSize, colours.name, 260);
  block(cr, places.programming, credits.programming, colours.programming, 250, colours.programming, 290);
}

}  // namespace wizlo::art
