#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "assets/generator/backdrops/credits.hpp"
#include "assets/generator/backdrops/decor.hpp"
#include "assets/generator/backdrops/forms.hpp"
#include "assets/generator/backdrops/placement.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/icons/palette.hpp"
#include "assets/generator/text/arabic_text.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

constexpr Colour kBannerGreen = Colour::hex(0xBFF0C4);
constexpr Colour kBannerEdge = Colour::hex(0x3C8A52);

// The colours of the second practice button's letters, in reading order.
constexpr Colour kRainbow[] = {Colour::hex(0x1E5BD8), Colour::hex(0xD32F2F), Colour::hex(0x8E24AA),
                               Colour::hex(0x2E9D2E), Colour::hex(0xF57C00), Colour::hex(0x00897B)};

// The largest size up to `maxSize` at which every text fits `width`.
double commonSize(cairo_t* cr, std::initializer_list<std::string_view> texts, const char* family, double maxSize,
                  double width) {
  double size = maxSize;
  for (std::string_view t : texts) {
    ArabicText probe(cr, t, family, maxSize);
    size = std::min(size, maxSize * width / probe.ink().width);
  }
  return size;
}

void drawTitle(cairo_t* cr) {
  const double centreX = 9700;
  const std::string_view lines[] = {"تحديد المهارة", "في الكلمة"};
  const double size = commonSize(cr, {lines[0], lines[1]}, kKufi, 1250, 6900);
  const double centresY[] = {1200, 2650};
  for (int i = 0; i < 2; ++i) {
    ArabicText line(cr, lines[i], kKufi, size);
    const Box ink = line.ink();
    drawSilverText(cr, line, centreX - ink.centreX(), centresY[i] - ink.centreY());
  }
}

void drawButton(cairo_t* cr, const ImageLayout& spot, std::string_view text, double size, bool rainbow) {
  const Box b = boxOf(spot.rect());
  drawBanner(cr, b, kBannerGreen, kBannerEdge);
  PlacedText label{std::make_unique<ArabicText>(cr, text, kNaskh, size)};
  const Box ink = label.text->ink();
  label.x = b.centreX() - ink.centreX();
  label.y = b.y + b.height * 0.44 - ink.centreY();  // the wavy edge takes the bottom of the banner
  if (rainbow) {
    std::size_t i = 0;
    for (int word = 0; word < wordCount(text); ++word)
      for (int letter = 0; letter < letterCount(text, word); ++letter)
        label.text->colour(lettersOf(text, word, letter), kRainbow[i++ % std::size(kRainbow)]);
  }
  label.text->paint(label.x, label.y, kBlack);
}

// An open book on the empty right-hand side, its pages carrying the first
// letters of the alphabet, for a friendly look.
void drawBook(cairo_t* cr) {
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
  const Pattern paper = linearGradient(
      cx - w, 0, cx + w, 0,
      {{0, {0.96, 0.96, 0.92}}, {0.47, {1, 1, 0.98}}, {0.5, {0.85, 0.85, 0.8}}, {0.53, {1, 1, 0.98}}, {1, {0.96, 0.96, 0.92}}});
  cairo_set_source(cr, paper.get());
  cairo_fill_preserve(cr);
  setSource(cr, Colour::hex(0x6E7F74));
  cairo_set_line_width(cr, 18);
  cairo_stroke(cr);
  const struct {
    const char* letter;
    double x, y;
    Colour colour;
  } letters[] = {{"أ", cx + w * 0.5, top + 1150, kRainbow[1]}, {"ب", cx - w * 0.5, top + 1050, kRainbow[0]}};
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
  fillWith(cr, linearGradient(0, -110, 0, 110, {{0, {1.0, 0.86, 0.3}}, {0.5, {0.98, 0.72, 0.1}}, {1, {0.85, 0.55, 0.05}}}));
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

void drawMenu(cairo_t* cr) {
  const FormLayout& form = layouts::Form1;
  const Colour mint = Colour::hex(kMint);
  paintGradient(cr, 0, 0, 0, kPageHeight,
                {{0, mint}, {0.45, mint.shade(0.06)}, {1, Colour::hex(0x7FA08E)}});
  drawTitle(cr);
  drawBook(cr);
  drawPencil(cr);
  drawSweepingWave(cr, 8185, 5700, 7150, Colour::hex(0x2FA35A));
  const struct {
    const char* spot;
    std::string_view text;
  } sentences[] = {{"Image5", "استخدم أحمد الحاسوب في التعلّم"},
                   {"Image2", "أكل سعود التفاحة بتأن"},
                   {"Image3", "قرأ أديب كتاباً عن البيئة"},
                   {"Image4", "سأل البراء صديقه عن الزراعة"}};
  const double wide = controlOf(form, "Image2").Width * 0.9;
  const double size = commonSize(cr, {sentences[0].text, sentences[1].text, sentences[2].text, sentences[3].text},
                                 kNaskh, 540, wide);
  for (const auto& s : sentences) drawButton(cr, controlOf(form, s.spot), s.text, size, false);
  constexpr std::string_view kPractice = "جمل تدريبية";
  const double small = commonSize(cr, {kPractice}, kNaskh, 420, controlOf(form, "Image7").Width * 0.82);
  drawButton(cr, controlOf(form, "Image6"), kPractice, small, false);
  drawButton(cr, controlOf(form, "Image7"), kPractice, small, true);
  const Box wex = boxOf(controlOf(form, "wex").rect());
  drawCredits(cr, {.programming = wex, .top = wex.y, .bottom = wex.bottom(), .schoolAtRight = false, .schoolSize = 420},
              {.role = kBlack, .name = kBlack, .school = Colour::hex(0x0E7A32), .programming = kBlack});
}

}  // namespace wizlo::art
