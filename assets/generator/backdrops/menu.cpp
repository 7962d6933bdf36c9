#include "assets/generator/backdrops/menu.hpp"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "assets/control_names.hpp"
#include "assets/generator/backdrops/credits.hpp"
#include "assets/generator/backdrops/decor.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/text/arabic_text.hpp"

namespace wizlo::art {
namespace {

// The largest size up to `maxSize` at which every text fits `width`.
double commonSize(cairo_t* cr, const std::vector<std::string_view>& texts, const char* family, double maxSize,
                  double width) {
  double size = maxSize;
  for (std::string_view t : texts) {
    ArabicText probe(cr, t, family, maxSize);
    size = std::min(size, maxSize * width / probe.ink().width);
  }
  return size;
}

void drawTitle(cairo_t* cr, const MenuContent& menu) {
  std::vector<std::string_view> lines;
  for (const TitleLine& line : menu.title) lines.push_back(line.text);
  const double size = commonSize(cr, lines, kKufi, menu.titleSize, menu.titleWidth);
  for (const TitleLine& line : menu.title) {
    ArabicText text(cr, line.text, kKufi, size);
    const Box ink = text.ink();
    drawSilverText(cr, text, menu.titleCentreX - ink.centreX(), line.centreY - ink.centreY());
  }
}

void drawButton(cairo_t* cr, const MenuContent& menu, const MenuButton& button, double size, InkMap& ink) {
  const Box b = boxOf(controlOf(*menu.form, button.hotSpot).rect());
  drawBanner(cr, b, Colour::hex(menu.bannerFill), Colour::hex(menu.bannerEdge));
  const std::string_view text = button.label().text;
  ArabicText label(cr, text, kNaskh, size);
  std::vector<Colour> rainbow;
  if (button.label().rainbow) {
    for (const Rgb colour : menu.rainbow) rainbow.push_back(Colour::hex(colour));
    std::size_t i = 0;
    for (int word = 0; word < wordCount(text); ++word)
      for (int letter = 0; letter < letterCount(text, word); ++letter)
        label.colour(lettersOf(text, word, letter), rainbow[i++ % rainbow.size()]);
  }
  // The wavy edge takes the bottom of the banner.
  const Box drawn = label.ink();
  const double x = b.centreX() - drawn.centreX(), y = b.y + b.height * 0.44 - drawn.centreY();
  rimLetters(cr, label, x, y, rainbow, Colour::hex(menu.bannerFill));
  label.paint(x, y, kBlack);
  ink.add(InkKind::Line, std::string(text), [&](cairo_t* m) { label.path(m, x, y); }, size);
  for (std::size_t k = 0; k < rainbow.size(); ++k)
    ink.add(InkKind::Letters, "rainbow(" + std::to_string(k) + ")",
            [&](cairo_t* m) { label.pathIn(m, x, y, rainbow[k]); }, size);
}

// The buttons for boards share one size of label, and those for pages another, each the largest
// at which every label of its kind fits the narrowest of its banners.
void drawButtons(cairo_t* cr, const MenuContent& menu, std::span<const MenuButton> buttons, InkMap& ink) {
  for (const bool boards : {true, false}) {
    std::vector<std::string_view> labels;
    double narrowest = std::numeric_limits<double>::infinity();
    for (const MenuButton& button : buttons)
      if ((button.board != nullptr) == boards) {
        labels.push_back(button.label().text);
        narrowest = std::min<double>(narrowest, controlOf(*menu.form, button.hotSpot).Width);
      }
    const double size = boards ? commonSize(cr, labels, kNaskh, menu.boardLabelSize, narrowest * 0.9)
                               : commonSize(cr, labels, kNaskh, menu.pageLabelSize, narrowest * 0.82);
    for (const MenuButton& button : buttons)
      if ((button.board != nullptr) == boards) drawButton(cr, menu, button, size, ink);
  }
}

// An open book on the empty right-hand side, its pages carrying the first
// letters of the alphabet, for a friendly look.
void drawBook(cairo_t* cr, const MenuContent& menu) {
  const double cx = 9650, top = 4250, w = 2500, h = 2200;
  const auto pages = [&](cairo_t* m) {
    cairo_move_to(m, cx, top + 250);
    cairo_curve_to(m, cx - w * 0.4, top - 100, cx - w * 0.8, top + 50, cx - w, top + 150);
    cairo_line_to(m, cx - w, top + h);
    cairo_curve_to(m, cx - w * 0.8, top + h - 100, cx - w * 0.4, top + h - 250, cx, top + h + 100);
    cairo_curve_to(m, cx + w * 0.4, top + h - 250, cx + w * 0.8, top + h - 100, cx + w, top + h);
    cairo_line_to(m, cx + w, top + 150);
    cairo_curve_to(m, cx + w * 0.8, top + 50, cx + w * 0.4, top - 100, cx, top + 250);
    cairo_close_path(m);
  };
  softShadow(cr, pages, 90, 120, 160, Colour::hex(0x173A28, 0.45));
  // The cover peeking out beneath the pages.
  cairo_save(cr);
  cairo_translate(cr, 0, 120);
  pages(cr);
  setSource(cr, Colour::hex(0x2E7D4F));
  cairo_fill(cr);
  cairo_restore(cr);
  pages(cr);
  // Paper, with the fold shaded down the middle.
  const Pattern paper = linearGradient(cx - w, 0, cx + w, 0,
                                       {{0, {0.96, 0.96, 0.92}},
                                        {0.47, {1, 1, 0.98}},
                                        {0.5, {0.85, 0.85, 0.8}},
                                        {0.53, {1, 1, 0.98}},
                                        {1, {0.96, 0.96, 0.92}}});
  cairo_set_source(cr, paper.get());
  cairo_fill_preserve(cr);
  setSource(cr, Colour::hex(0x6E7F74));
  cairo_set_line_width(cr, 18);
  cairo_stroke(cr);
  const struct {
    const char* letter;
    double x, y;
    Colour colour;
  } letters[] = {{"أ", cx + w * 0.5, top + 1150, Colour::hex(menu.rainbow[1])},
                 {"ب", cx - w * 0.5, top + 1050, Colour::hex(menu.rainbow[0])}};
  for (const auto& l : letters) {
    ArabicText t(cr, l.letter, kNaskh, 1300);
    const Box ink = t.ink();
    t.paint(l.x - ink.centreX() + 25, l.y - ink.centreY() + 35, kBlack.withAlpha(0.15));
    t.paint(l.x - ink.centreX(), l.y - ink.centreY(), l.colour);
  }
}

// The pencil is drawn along its own x axis, 220 twips thick, its point at x = 1450.
void alongThePencil(cairo_t* cr) {
  cairo_translate(cr, 11500, 6300);
  cairo_rotate(cr, -0.6);
}

// The triangle from an upright edge at `baseX`, `halfWidth` either side of the axis, to the point.
void towardsThePoint(cairo_t* cr, double baseX, double halfWidth) {
  cairo_move_to(cr, baseX, -halfWidth);
  cairo_line_to(cr, 1450, 0);
  cairo_line_to(cr, baseX, halfWidth);
  cairo_close_path(cr);
}

void fillIn(cairo_t* cr, Colour c) {
  setSource(cr, c);
  cairo_fill(cr);
}

// A pencil leaning on the book.
void drawPencil(cairo_t* cr) {
  const auto body = [](cairo_t* m) {
    cairo_save(m);
    alongThePencil(m);
    cairo_rectangle(m, -1500, -110, 2600, 220);
    towardsThePoint(m, 1100, 110);
    cairo_restore(m);
  };
  softShadow(cr, body, 60, 90, 90, Colour::hex(0x173A28, 0.4));
  cairo_save(cr);
  alongThePencil(cr);
  cairo_rectangle(cr, -1300, -110, 2400, 220);
  fillWith(cr,
           linearGradient(0, -110, 0, 110, {{0, {1.0, 0.86, 0.3}}, {0.5, {0.98, 0.72, 0.1}}, {1, {0.85, 0.55, 0.05}}}));
  cairo_rectangle(cr, -1500, -110, 200, 220);  // the eraser
  fillIn(cr, Colour::hex(0xF28BA8));
  cairo_rectangle(cr, -1330, -110, 90, 220);  // its metal band
  fillIn(cr, Colour::hex(0xB8BEC6));
  towardsThePoint(cr, 1100, 110);  // sharpened wood
  fillIn(cr, Colour::hex(0xF3D9B0));
  towardsThePoint(cr, 1330, 38);  // the lead
  fillIn(cr, Colour::hex(0x333333));
  cairo_restore(cr);
}

}  // namespace

void drawMenu(cairo_t* cr, const MenuContent& menu, std::span<const MenuButton> buttons, InkMap& ink) {
  const Colour ground = Colour::hex(menu.ground);
  paintWith(cr, linearGradient(0, 0, 0, kPageHeight,
                               {{0, ground}, {0.45, ground.shade(0.06)}, {1, Colour::hex(menu.groundFoot)}}));
  drawTitle(cr, menu);
  drawBook(cr, menu);
  drawPencil(cr);
  drawSweepingWave(cr, 8185, 5700, 7150, Colour::hex(0x2FA35A));
  drawButtons(cr, menu, buttons, ink);
  const Box wex = boxOf(controlOf(*menu.form, names::kWebSite).rect());
  drawCredits(cr, {.programming = wex, .top = wex.y, .bottom = wex.bottom(), .schoolAtRight = false, .schoolSize = 420},
              menu.credits, ink);
}

}  // namespace wizlo::art
