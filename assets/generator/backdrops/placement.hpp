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

// A text at the largest size up to `maxSize` whose ink stays inside `region`
// and clear of every obstacle, its ink's right edge at `rightX` and centred
// on `centreY`, or a little above or below.
struct PlacedText {
  ArabicText text;
  double x = 0, y = 0;  // where to paint it
  Box inkOnPage() const;
};
PlacedText fitText(cairo_t* cr, std::string_view utf8, double maxSize, double rightX, double centreY,
                   const Box& region, const std::vector<Box>& obstacles);

}  // namespace wizlo::art
