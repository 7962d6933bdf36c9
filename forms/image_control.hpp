#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "forms/layout.hpp"
#include "forms/picture.hpp"

namespace wizlo {

class ControlSet;

// Turns a picture a layout names into a fresh picture value.
using PictureSource = std::function<PictureValue(PictureKey)>;

// The run-time control made from one ImageLayout on every load. Only five
// properties ever change, and only through the setters, so the form knows
// when the screen is out of date.
class ImageControl {
 public:
  ImageControl(const ImageLayout& layout, const PictureSource& pictures, ControlSet& owner);
  ImageControl(const ImageControl&) = delete;
  ImageControl& operator=(const ImageControl&) = delete;
  ImageControl(ImageControl&&) = default;  // only while its set is being built

  std::string_view Name() const { return layout_->Name; }
  std::optional<std::int16_t> Index() const { return layout_->Index; }
  Rect rect() const { return layout_->rect(); }
  bool Stretch() const { return layout_->Stretch; }
  std::uint8_t DragMode() const { return layout_->DragMode; }
  std::uint8_t MousePointer() const { return layout_->MousePointer; }

  const PictureValue& Picture() const { return picture_; }
  const PictureValue& DragIcon() const { return dragIcon_; }
  const std::string& Tag() const { return tag_; }
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }

  void SetPicture(PictureValue picture);
  void SetDragIcon(PictureValue picture) { dragIcon_ = std::move(picture); }
  void SetTag(std::string tag) { tag_ = std::move(tag); }
  void SetVisible(bool visible);
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // "c(3)" or "rrr": how errors and test failures name a control.
  std::string describe() const;

 private:
  const ImageLayout* layout_;
  ControlSet* owner_;
  PictureValue picture_;
  PictureValue dragIcon_;
  std::string tag_;
  bool visible_;
  bool enabled_;
};

}  // namespace wizlo
