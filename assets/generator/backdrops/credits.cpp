#include "assets/generator/backdrops/credits.hpp"

#include <algorithm>

#include "assets/generator/text/arabic_text.hpp"

namespace wizlo::art {
namespace {

// Two centred lines inside the box: a heading and the line it introduces.
void block(cairo_t* cr, const Box& box, std::string_view heading, Colour headingColour, double headingSize,
           std::string_view line, Colour lineColour, double lineSize) {
  ArabicText top(cr, heading, kNaskh, headingSize);
  ArabicText low(cr, line, kNaskh, lineSize);
  const Box a = top.ink(), b = low.ink();
  const double gap = std::min(headingSize, lineSize) * 0.35;
  const double total = a.height + gap + b.height;
  const double y0 = box.centreY() - total / 2;
  top.paint(box.centreX() - a.centreX(), y0 - a.y, headingColour);
  low.paint(box.centreX() - b.centreX(), y0 + a.height + gap - b.y, lineColour);
}

}  // namespace

void drawCredits(cairo_t* cr, const CreditPlaces& places, const CreditColours& colours) {
  const double height = places.bottom - places.top;
  const Box middle{4400, places.top, 4800, height};
  const Box side{9700, places.top, 3500, height};
  const Box& schoolBox = places.schoolAtRight ? side : middle;
  const Box& ideaBox = places.schoolAtRight ? middle : side;

  block(cr, ideaBox, "فكرة وتصميم", colours.role, 270, "معلمة اللغة العربية", colours.name, 300);
  block(cr, schoolBox, "مدرسة الأمل الابتدائية", colours.school, places.schoolSize, "بإشراف قائدة المدرسة",
        colours.name, 260);
  block(cr, places.programming, "برمجة", colours.programming, 250, "فريق ويزلو", colours.programming, 290);
}

}  // namespace wizlo::art
