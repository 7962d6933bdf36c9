#pragma once
#include <cstdint>
#include <string>

#include "forms/form.hpp"
#include "platform/services.hpp"

namespace wizlo {

// The behaviour every matching board shares; a board's content is only its
// layout. The pupil drags a piece from the pool c onto a circle g, and the
// hidden key l says which piece belongs in which circle.
class Board final : public Form {
 public:
  Board(Runtime& runtime, const FormLayout& layout, platform::Services services);

  void Click(ImageControl& target) override;
  void DragOver(ImageControl& target, ImageControl& source, Twips x, Twips y, int state) override;
  void DragDrop(ImageControl& target, ImageControl& source, Twips x, Twips y) override;

  // Keys put a lifted piece down on the circles; Escape is the back hot spot.
  KeyboardReach keyboardReach() const override;

  // The form-level variables; they outlive every unload.
  std::int16_t armed() const { return armed_; }
  std::int16_t lastSlot() const { return lastSlot_; }

 private:
  void poolDragOver(ImageControl& slot, ImageControl& source, int state);
  void poolDrop(ImageControl& slot, ImageControl& source);
  void circleDrop(ImageControl& circle, ImageControl& source);
  void hideMarks();
  void showMark(std::string_view name);
  void playSound(std::string_view which);

  platform::Services services_;
  std::int16_t armed_ = 0;     // 1 while the next drop on an empty circle is to be judged
  std::int16_t lastSlot_ = 0;  // 1 + the pool slot that last took a drop while empty; 0 for none
};

}  // namespace wizlo
