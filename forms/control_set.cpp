#include "forms/control_set.hpp"

#include <string>

#include "forms/errors.hpp"

namespace wizlo {

ControlSet::ControlSet(const FormLayout& layout, const PictureSource& pictures) : layout_(&layout) {
  controls_.reserve(layout.Controls.size());  // never grows again: controls keep their address
  for (const ImageLayout& design : layout.Controls) {
    const Key key{design.Name, design.Index};
    if (!byName_.emplace(key, controls_.size()).second)
      throw RuntimeError(std::string(layout.Name) + " has two controls named " + std::string(design.Name));
    controls_.emplace_back(design, pictures, *this);
  }
}

ImageControl& ControlSet::operator()(std::string_view name) {
  const auto found = byName_.find({name, std::nullopt});
  if (found == byName_.end())
    throw RuntimeError(std::string(layout_->Name) + " has no control " + std::string(name));
  return controls_[found->second];
}

ImageControl& ControlSet::operator()(std::string_view name, std::int16_t index) {
  const auto found = byName_.find({name, index});
  if (found == byName_.end())
    throw RuntimeError("Control array element '" + std::to_string(index) + "' doesn't exist: " +
                       std::string(layout_->Name) + "." + std::string(name));
  return controls_[found->second];
}

ImageControl* ControlSet::controlAt(Twips x, Twips y) {
  for (ImageControl& control : controls_)
    if (control.Visible() && control.rect().contains(x, y)) return &control;
  return nullptr;
}

std::size_t ControlSet::positionOf(const ImageControl& control) const {
  return static_cast<std::size_t>(&control - controls_.data());
}

void ControlSet::requestRepaint(const Rect& area) {
  damaged_ = damaged_ ? damaged_->united(area) : area;
}

}  // namespace wizlo
