#pragma once
#include <cairo.h>

#include <optional>
#include <string_view>
#include <vector>

#include "assets/generator/text/arabic_text.hpp"
#include "forms/layout.hpp"

// Where things go on a backdrop, read from the form's own layout table, so
// every drawn button, circle and label lies under the control that serves it.
namespace wizlo::art {

Box boxOf(const Rect& r);
const ImageLayout& controlOf(const FormLayout& form, std::string_view name, std::optional<int> index = std::nullopt);
// Controls a pupil can see or touch: everything but the backdrop and the hidden
// spares and keys. The marks count, since they are shown over the backdrop.
std::vector<Box> obstaclesOf(const FormLayout& form);
// The visible members of a control array, by index.
std::vector<const ImageLayout*> visibleArray(const FormLayout& form, std::string_view name);

// Whether ink in `ink` stays inside `region` and at least `clearance` from every obstacle.
bool fitsAt(const Box& ink, const Box& region, const std::vector<Box>& obstacles, double clearance);

// A text and where it is painted.
struct PlacedText {
  ArabicText text;
  double x = 0, y = 0;  // where to paint it
  Box inkOnPage() const;
};
// A text's ink strip by strip across, grown by a margin all round: for each strip `kStrip` twips
// wide, the highest and lowest ink in it. Tells where two texts, or a text and a control, come near
// each other by the letters themselves, not by the boxes round them: the tall alif of one name may
// stand beside the low tail of another's ر without either one's box having room for the other.
class InkStrips {
 public:
  InkStrips(const ArabicText& text, double margin);
  // Whether this, painted at (x, y), comes within the margin of `box`, or of `other` painted at
  // (ox, oy) and within both margins.
  bool meets(double x, double y, const Box& box) const;
  bool meets(double x, double y, const InkStrips& other, double ox, double oy) const;

 private:
  static constexpr double kStrip = 7.5;  // half a pixel at 1x
  struct Span {
    double top, bottom;  // from the paint origin; top > bottom where there is no ink
  };
  const Span& at(double x) const;  // of the strip at x from the paint origin
  double left_ = 0;                // of the first strip, from the paint origin
  double top_ = 0, bottom_ = 0;    // of all the strips, from the paint origin
  std::vector<Span> spans_;
};

// A text at the largest size up to `maxSize` whose ink stays inside `region`
// and clear of every obstacle, its ink's right edge at `rightX` and centred
// on `centreY`, or a little above or below.
PlacedText fitText(cairo_t* cr, std::string_view utf8, double maxSize, double rightX, double centreY,
                   const Box& region, const std::vector<Box>& obstacles);

}  // namespace wizlo::art
