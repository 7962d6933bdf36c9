#include "assets/generator/backdrops/arrow_placement.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "assets/generator/draw/owned.hpp"

namespace wizlo::art {
namespace {

// The masks' cells, in twips: a third of a pixel at 1x, two thirds at 2x.
constexpr double kCell = 5;
// How far an arrow's outline keeps from any other ink: its own rim and the letters' dark contour,
// so neither runs into the other.
constexpr double kClearance = kRimWidth + 8;
constexpr double kPi = 3.14159265358979323846;

// The sentence's ink but the group's own letters, over the sentence's box, and a scratch mask as
// large for the arrows tried against it.
class Masks {
 public:
  explicit Masks(const ArrowSetting& s)
      : origin_(inset(s.sentence, -(kClearance + 2 * kCell), -(kClearance + 2 * kCell))),
        width_(static_cast<int>(std::ceil(origin_.width / kCell))),
        height_(static_cast<int>(std::ceil(origin_.height / kCell))),
        other_(makeSurface(width_, height_, CAIRO_FORMAT_A8)),
        probe_(makeSurface(width_, height_, CAIRO_FORMAT_A8)),
        probeCr_(drawingOn(probe_.get())) {
    {
      const Context cr = drawingOn(other_.get());
      toPage(cr.get());
      s.sentenceInk(cr.get());
      cairo_fill(cr.get());
      cairo_set_operator(cr.get(), CAIRO_OPERATOR_CLEAR);
      s.ownInk(cr.get());
      cairo_fill(cr.get());
    }
    cairo_surface_flush(other_.get());
    toPage(probeCr_.get());
    cairo_set_line_width(probeCr_.get(), 2 * kClearance);
    cairo_set_line_join(probeCr_.get(), CAIRO_LINE_JOIN_ROUND);
  }

  // Whether the arrow, widened by the clearance, misses every other ink.
  bool clear(const ArrowEnds& a, double width) {
    cairo_t* cr = probeCr_.get();
    cairo_new_path(cr);
    arrowPath(cr, a, width);
    double x0, y0, x1, y1;
    cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
    cairo_surface_flush(probe_.get());
    const int c0 = std::max(0, static_cast<int>((x0 - kClearance - origin_.x) / kCell) - 1);
    const int c1 = std::min(width_, static_cast<int>((x1 + kClearance - origin_.x) / kCell) + 2);
    const int r0 = std::max(0, static_cast<int>((y0 - kClearance - origin_.y) / kCell) - 1);
    const int r1 = std::min(height_, static_cast<int>((y1 + kClearance - origin_.y) / kCell) + 2);
    const int stride = cairo_image_surface_get_stride(probe_.get());
    unsigned char* probe = cairo_image_surface_get_data(probe_.get());
    const unsigned char* other = cairo_image_surface_get_data(other_.get());
    bool met = false;
    for (int r = r0; r < r1; ++r) {
      unsigned char* row = probe + static_cast<std::ptrdiff_t>(r) * stride;
      for (int c = c0; c < c1 && !met; ++c) met = row[c] >= 128 && other[static_cast<std::ptrdiff_t>(r) * stride + c] >= 128;
      if (c1 > c0) std::memset(row + c0, 0, static_cast<std::size_t>(c1 - c0));  // ready for the next
    }
    cairo_surface_mark_dirty(probe_.get());
    return !met;
  }

 private:
  void toPage(cairo_t* cr) const {
    cairo_scale(cr, 1 / kCell, 1 / kCell);
    cairo_translate(cr, -origin_.x, -origin_.y);
  }

  Box origin_;
  int width_, height_;
  Surface other_, probe_;
  Context probeCr_;
};

// The arrow from `tail` that would run on to `aim`, stopping the gap short of it.
ArrowEnds aimedAt(double tailX, double tailY, double aimX, double aimY, double gap) {
  const double dx = aimX - tailX, dy = aimY - tailY, length = std::hypot(dx, dy);
  return {tailX, tailY, aimX - gap * dx / length, aimY - gap * dy / length};
}

// The points of the letters' ink box an arrow may aim at, from below: the corners of its foot, the
// middles of its sides, the corners of its head.
std::vector<std::pair<double, double>> edgesOf(const Box& b) {
  return {{b.x, b.bottom()},       {b.right(), b.bottom()}, {b.x, b.centreY()},
          {b.right(), b.centreY()}, {b.x, b.y},              {b.right(), b.y}};
}

// Whether the tip ends within reach of the letters' ink box.
bool reaches(const ArrowEnds& a, const ArrowSetting& s) {
  const double dx = std::max({s.letters.x - a.tipX, 0.0, a.tipX - s.letters.right()});
  const double dy = std::max({s.letters.y - a.tipY, 0.0, a.tipY - s.letters.bottom()});
  return std::hypot(dx, dy) <= kArrowReach;
}

// An arrow that leaves the top of the circle, rises beside the word `out` past its end and bends
// over to end the gap short of the letters' side, level with their middle, its head slanting
// `degrees` down onto them: a mark sits above its letter, so from below the letter is in the way.
ArrowEnds curvedArrow(const ArrowSetting& s, const ArrowEnds& straight, bool left, double out, double degrees,
                      double pull) {
  const double toward = left ? 1 : -1;  // the way the head points, along x
  const double tipX = left ? s.letters.x - s.gap : s.letters.right() + s.gap, tipY = s.letters.centreY();
  const double sideX = left ? s.word.x - out : s.word.right() + out;  // where the shaft rises
  const double ux = toward * std::cos(degrees * kPi / 180), uy = std::sin(degrees * kPi / 180);
  // The last control point lies back along the head, level with the rise and at least twice the
  // head's length off, so the shaft turns over into it gently; the first pulls the shaft from the
  // circle out to the side.
  const double head = 3.2 * s.width;
  const double back = std::max(2.2 * head, std::abs(tipX - sideX) / std::abs(ux));
  return {straight.tailX, straight.tailY, tipX, tipY,
          Bend{sideX, straight.tailY - pull * (straight.tailY - tipY), tipX - back * ux, tipY - back * uy}};
}

}  // namespace

void arrowPath(cairo_t* cr, const ArrowEnds& a, double width) {
  if (a.bend) curvedArrowPath(cr, a.tailX, a.tailY, *a.bend, a.tipX, a.tipY, width);
  else arrowPath(cr, a.tailX, a.tailY, a.tipX, a.tipY, width);
}

void drawArrow(cairo_t* cr, const ArrowEnds& a, Colour c, double width) {
  if (a.bend) drawCurvedArrow(cr, a.tailX, a.tailY, *a.bend, a.tipX, a.tipY, c, width);
  else drawArrow(cr, a.tailX, a.tailY, a.tipX, a.tipY, c, width);
}

ArrowEnds straightArrow(const ArrowSetting& s) {
  return {s.circle.centreX(), s.circle.y + s.circle.height * 0.05 - 25, s.letters.centreX(), s.letters.bottom() + s.gap};
}

std::optional<ArrowEnds> clearArrow(const ArrowSetting& s) {
  const ArrowEnds straight = straightArrow(s);
  // Long enough for its whole head and as much shaft again, and pointing up.
  const double shortest = 6.4 * s.width;
  std::vector<ArrowEnds> tries{straight};
  // Up to a point further along under the letters, nearest their middle first.
  for (double dx = 30; dx <= s.letters.width / 2; dx += 30)
    for (const double x : {s.letters.centreX() - dx, s.letters.centreX() + dx})
      tries.push_back({straight.tailX, straight.tailY, x, straight.tipY});
  // Aimed at an edge of the letters' ink.
  for (const auto& [x, y] : edgesOf(s.letters)) tries.push_back(aimedAt(straight.tailX, straight.tailY, x, y, s.gap));
  // From further round the circle's rim, at the middle of the letters and then at their edges.
  const double rx = s.circle.width * 0.45 + 25, ry = s.circle.height * 0.45 + 25;
  for (const double degrees : {20, -20, 35, -35, 50, -50}) {
    const double a = degrees * kPi / 180;
    const double tailX = s.circle.centreX() + rx * std::sin(a), tailY = s.circle.centreY() - ry * std::cos(a);
    tries.push_back(aimedAt(tailX, tailY, s.letters.centreX(), s.letters.bottom(), s.gap));
    for (const auto& [x, y] : edgesOf(s.letters)) tries.push_back(aimedAt(tailX, tailY, x, y, s.gap));
  }
  Masks masks(s);
  const auto fits = [&](const ArrowEnds& a) {
    return a.tailY - a.tipY >= shortest && reaches(a, s) && masks.clear(a, s.width);
  };
  for (const ArrowEnds& a : tries)
    if (fits(a)) return a;
  // Curving up beside the word, past the end nearer the letters first, least slanted and calmest
  // first; of the rises that keep clear nearest the word, the middle one, so the shaft runs down the
  // middle of the gap between words rather than hugging either.
  const bool leftFirst = s.letters.centreX() - s.word.x < s.word.right() - s.letters.centreX();
  for (const bool left : {leftFirst, !leftFirst}) {
    // Only to a mark by the word's end: one further in takes the arrow in a wide loop over other
    // letters of the word, and the whole letter is reached from below anyway.
    const double tipX = left ? s.letters.x - s.gap : s.letters.right() + s.gap;
    if (std::abs(tipX - (left ? s.word.x : s.word.right())) > 0.4 * s.sentence.height) continue;
    for (const double degrees : {20, 0, 40})
      for (const double pull : {0.5, 0.8}) {
        std::vector<ArrowEnds> clear;
        for (double out = 60; out <= 900; out += 40) {
          const ArrowEnds a = curvedArrow(s, straight, left, out, degrees, pull);
          if (fits(a)) clear.push_back(a);
          else if (!clear.empty()) break;
        }
        if (!clear.empty()) return clear[clear.size() / 2];
      }
  }
  return std::nullopt;
}

}  // namespace wizlo::art
