#include "forms/image_control.hpp"

#include "forms/control_set.hpp"

namespace wizlo {

namespace {
PictureValue pictureFor(const std::optional<PictureKey>& id, const PictureSource& pictures) {
  return id ? pictures(*id) : PictureValue{};
}
}  // namespace

ImageControl::ImageControl(const ImageLayout& layout, const PictureSource& pictures, ControlSet& owner)
    : layout_(&layout),
      owner_(&owner),
      picture_(pictureFor(layout.Picture, pictures)),
      dragIcon_(pictureFor(layout.DragIcon, pictures)),
      tag_(layout.Tag),
      visible_(layout.Visible),
      enabled_(layout.Enabled) {}

void ImageControl::SetPicture(PictureValue picture) {
  const bool looksDifferent = picture.artwork() != picture_.artwork();
  picture_ = std::move(picture);
  if (looksDifferent && visible_) owner_->requestRepaint();
}

void ImageControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!picture_.isEmpty()) owner_->requestRepaint();
}

std::string ImageControl::describe() const {
  std::string text(Name());
  if (Index()) text += "(" + std::to_string(*Index()) + ")";
  return text;
}

}  // namespace wizlo
