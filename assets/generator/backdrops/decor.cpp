#include "assets/generator/backdrops/decor.hpp"

#include <algorithm>
#include <cmath>

#include "assets/generator/draw/shapes.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {
namespace {

// A sine-like line across the page through y(x) = mid + amp * sin(phase + 2 pi x / period).
void waveLine(cairo_t* cr, double mid, double amp, double period, double phase, bool start) {
  const int steps = 160;
  for (int i = 0; i <= steps; ++i) {
    const double x = kPageWidth * i / steps;
    const double y = mid + amp * std::sin(phase + 2 * M_PI * x / period);
    if (i == 0 && start) cairo_move_to(cr, x, y);
    else cairo_line_to(cr, x, y);
  }
}

void ribbon(cairo_t* cr, double mid, double amp, double period, double phase, double thickness) {
  waveLine(cr, mid - thickness / 2, amp, period, phase, true);
  const int steps = 160;
  for (int i = steps; i >= 0; --i) {
    const double x = kPageWidth * i / steps;
    cairo_line_to(cr, x, mid + thickness / 2 + amp * std::sin(phase + 2 * M_PI * x / period));
  }
  cairo_close_path(cr);
}

}  // namespace

void drawWaveBand(cairo_t* cr, double top, double bottom, Colour green) {
  const double mid = (top + bottom) / 2, amp = (bottom - top) * 0.2, t = (bottom - top) * 0.36;
  const auto both = [&](cairo_t* m) {
    ribbon(m, mid, amp, 6200, 0, t);
    ribbon(m, mid, amp, 6200, M_PI, t);
  };
  softShadow(cr, both, 20, 40, 60, kBlack.withAlpha(0.25));
  ribbon(cr, mid, amp, 6200, M_PI, t * 0.8);
  setSource(cr, kWhite);
  cairo_fill(cr);
  ribbon(cr, mid, amp, 6200, 0, t);
  fillWith(cr, linearGradient(0, mid - amp - t, 0, mid + amp + t, {{0, green.shade(-0.35)}, {1, green.shade(0.25)}}));
}

void drawSweepingWave(cairo_t* cr, double leftY, double bendX, double rightY, Colour green) {
  // Two sweeps side by side, a broad green one and a white one above it,
  // running low and level under the banners and rising after `bendX`.
  const auto sweep = [&](cairo_t* m, double lift, double thick) {
    const double midY = leftY - (leftY - rightY) * 0.35;
    cairo_move_to(m, -50, leftY - lift);
    cairo_curve_to(m, bendX, leftY - lift + 20, bendX + 2500, midY - lift, 13700, rightY - lift);
    cairo_line_to(m, 13700, rightY - lift + thick * 1.8);
    cairo_curve_to(m, bendX + 2500, midY - lift + thick * 1.5, bendX, leftY - lift + 20 + thick, -50,
                   leftY - lift + thick);
    cairo_close_path(m);
  };
  softShadow(cr, [&](cairo_t* m) { sweep(m, 0, 120); }, 20, 40, 70, kBlack.withAlpha(0.3));
  sweep(cr, 0, 120);
  fillWith(cr, linearGradient(0, rightY, kPageWidth, leftY, {{0, green.shade(0.2)}, {1, green.shade(-0.3)}}));
  sweep(cr, 95, 60);
  setSource(cr, kWhite.withAlpha(0.95));
  cairo_fill(cr);
  sweep(cr, 170, 30);
  setSource(cr, green.shade(-0.15).withAlpha(0.9));
  cairo_fill(cr);
}

void drawSwoosh(cairo_t* cr, double top, double bottom, Colour c) {
  const double h = bottom - top;
  const auto shape = [&](cairo_t* m) {
    cairo_move_to(m, -100, top + h * 0.75);
    cairo_curve_to(m, 3500, top + h * 0.05, 9000, top + h * 0.55, 13700, top);
    cairo_line_to(m, 13700, top + h * 0.35);
    cairo_curve_to(m, 9500, top + h * 1.05, 4000, top + h * 0.55, -100, bottom);
    cairo_close_path(m);
  };
  softShadow(cr, shape, 30, 60, 90, kBlack.withAlpha(0.3));
  shape(cr);
  fillWith(cr, linearGradient(0, top, 0, bottom, {{0, c.shade(-0.25)}, {1, c.shade(0.2)}}));
  // A thin highlight along the top edge gives the stroke its sheen.
  cairo_move_to(cr, 200, top + h * 0.7);
  cairo_curve_to(cr, 3600, top + h * 0.12, 9000, top + h * 0.6, 13400, top + h * 0.08);
  setSource(cr, kWhite.withAlpha(0.45));
  cairo_set_line_width(cr, h * 0.04);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void drawBanner(cairo_t* cr, const Box& b, Colour fill, Colour edge) {
  const double wave = b.height * 0.12;
  const auto shape = [&](cairo_t* m) {
    const double r = b.height * 0.2, bottom = b.bottom() - wave;
    cairo_move_to(m, b.x + r, b.y);
    cairo_line_to(m, b.right() - r, b.y);
    cairo_arc(m, b.right() - r, b.y + r, r, -M_PI / 2, 0);
    cairo_line_to(m, b.right(), bottom);
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
      const double x = b.right() - b.width * i / steps;
      cairo_line_to(m, x, bottom + wave * std::sin(2 * M_PI * 2 * i / steps));
    }
    cairo_line_to(m, b.x, b.y + r);
    cairo_arc(m, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(m);
  };
  softShadow(cr, shape, 110, 70, 70, Colour::hex(0x0E2A1C, 0.75));
  shape(cr);
  const Pattern shading =
      linearGradient(0, b.y, 0, b.bottom(), {{0, fill.shade(-0.55)}, {0.55, fill}, {1, fill.shade(0.06)}});
  cairo_set_source(cr, shading.get());
  cairo_fill_preserve(cr);
  setSource(cr, edge);
  cairo_set_line_width(cr, 22);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void rimLetters(cairo_t* cr, const ArabicText& text, double x, double y, std::span<const Colour> colours,
                Colour ground) {
  for (const Colour c : colours) {
    cairo_new_path(cr);
    text.pathIn(cr, x, y, c);
    strokeRim(cr, c, letterRimWidth(c, ground));
  }
}

void drawSilverText(cairo_t* cr, const ArabicText& text, double x, double y) {
  const Box ink = text.ink();
  softShadow(cr, [&](cairo_t* m) { text.path(m, x, y); }, 45, 70, 80, kBlack.withAlpha(0.55));
  cairo_save(cr);
  cairo_new_path(cr);
  text.path(cr, x, y);
  setSource(cr, Colour::hex(0x2E333B));
  cairo_set_line_width(cr, 70);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
  // The bevel: a bright edge up and left, a dark one down and right.
  cairo_new_path(cr);
  text.path(cr, x - 14, y - 14);
  setSource(cr, kWhite);
  cairo_fill(cr);
  cairo_new_path(cr);
  text.path(cr, x + 14, y + 14);
  setSource(cr, Colour::hex(0x50565F));
  cairo_fill(cr);
  cairo_new_path(cr);
  text.path(cr, x, y);
  fillWith(cr, linearGradient(0, y + ink.y, 0, y + ink.bottom(),
                              {{0.0, {0.99, 0.99, 1.0}},
                               {0.38, {0.80, 0.82, 0.86}},
                               {0.52, {0.55, 0.58, 0.63}},
                               {0.66, {0.86, 0.88, 0.91}},
                               {1.0, {0.66, 0.69, 0.74}}}));
  cairo_restore(cr);
}

void drawBackButton(cairo_t* cr, const Box& area) {
  const Box oval = inset(area, area.width * 0.05, area.height * 0.08);
  softShadow(cr, [&](cairo_t* m) { ellipsePath(m, oval); }, 30, 45, 90, kBlack.withAlpha(0.45));

  // Silver rim: a metallic sweep from light to dark.
  ellipsePath(cr, oval);
  fillWith(cr, linearGradient(oval.x, oval.y, oval.right(), oval.bottom(),
                              {{0.0, {0.97, 0.97, 0.98}},
                               {0.45, {0.62, 0.64, 0.68}},
                               {0.7, {0.9, 0.91, 0.93}},
                               {1.0, {0.45, 0.47, 0.5}}}));

  // Gold face, lit from above.
  const double rimWidth = std::max(oval.height * 0.09, 40.0);
  const Box face = inset(oval, rimWidth, rimWidth);
  ellipsePath(cr, face);
  fillWith(cr, radialGradient(face.centreX(), face.y + face.height * 0.3, face.height * 0.1, face.centreX(),
                              face.centreY(), face.width * 0.6,
                              {{0.0, {1.0, 0.95, 0.62}}, {0.45, {0.98, 0.78, 0.2}}, {1.0, {0.72, 0.5, 0.05}}}));

  // Gloss: a soft white crescent over the upper half.
  const Box gloss{face.x + face.width * 0.12, face.y + face.height * 0.04, face.width * 0.76, face.height * 0.45};
  ellipsePath(cr, gloss);
  fillWith(cr, linearGradient(0, gloss.y, 0, gloss.bottom(), {{0, kWhite.withAlpha(0.75)}, {1, kWhite.withAlpha(0)}}));

  ArabicText word(cr, layouts::kBackWord, kNaskh, std::min(face.height * 0.7, face.width * 0.36));
  const Box ink = word.ink();
  const double x = face.centreX() - ink.centreX(), y = face.centreY() - ink.centreY();
  word.paint(x + 8, y + 10, Colour::hex(0xFFF3B0, 0.7));  // a light emboss under the black
  word.paint(x, y, kBlack);
}

}  // namespace wizlo::art
