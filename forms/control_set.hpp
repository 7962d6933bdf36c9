#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/image_control.hpp"

namespace wizlo {

// The live controls of one loaded form, in stacking order (topmost first).
// Made afresh from the layout on every load, so nothing a handler did in an
// earlier visit survives.
class ControlSet {
 public:
  ControlSet(const FormLayout& layout, const PictureSource& pictures);
  ControlSet(const ControlSet&) = delete;
  ControlSet& operator=(const ControlSet&) = delete;

  const FormLayout& layout() const { return *layout_; }
  std::span<ImageControl> inStackingOrder() { return {controls_.data(), controls_.size()}; }
  std::span<const ImageControl> inStackingOrder() const { return {controls_.data(), controls_.size()}; }

  // A single control by name; an array item by name and Index. Asking for
  // anything that does not exist is an error, as a handler bug should be.
  ImageControl& operator()(std::string_view name);
  ImageControl& operator()(std::string_view name, std::int16_t index);

  // The topmost visible control whose rectangle holds the point, whatever
  // it shows: an empty picture still takes the pointer.
  ImageControl* controlAt(Twips x, Twips y);
  std::size_t positionOf(const ImageControl& control) const;
  ImageControl& at(std::size_t position) { return controls_[position]; }

  // Something that shows on screen changed (or the window was uncovered): the next pass of the
  // event loop paints the form again. The one way to ask for a repaint; with an area (twips), only
  // that part changed, and if nothing else does only that part is painted (a finger's drag moves a
  // picture the size of a fingertip over a frame of millions of pixels).
  void requestRepaint() { repaintAll_ = true; }
  void requestRepaint(const Rect& area);
  bool repaintRequested() const { return repaintAll_ || damaged_; }
  std::optional<Rect> damaged() const { return repaintAll_ ? std::nullopt : damaged_; }  // none: all
  void painted() {
    repaintAll_ = false;
    damaged_.reset();
  }

 private:
  using Key = std::pair<std::string_view, std::optional<std::int16_t>>;
  const FormLayout* layout_;
  std::vector<ImageControl> controls_;
  std::map<Key, std::size_t> byName_;
  bool repaintAll_ = true;  // nothing is on screen yet
  std::optional<Rect> damaged_;
};

}  // namespace wizlo
