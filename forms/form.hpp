#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "forms/backend.hpp"
#include "forms/badge.hpp"
#include "forms/compose.hpp"
#include "forms/control_set.hpp"

namespace wizlo {

class Runtime;

inline constexpr int kModal = 1;
inline constexpr int kDragEntered = 0;
inline constexpr int kDragLeft = 1;
inline constexpr int kDragMoved = 2;

// What a form has while it is loaded, and loses when it is unloaded: its window, its controls made
// afresh from the layout, and the images prepared for that window.
struct LoadedForm {
  LoadedForm(const FormLayout& layout, const PictureSource& pictures, std::uint32_t visit)
      : controls(layout, pictures), visit(visit) {}
  ControlSet controls;
  const std::uint32_t visit;  // tells one visit's controls from the next
  WindowId window = 0;
  PreparedImages images;
};

// What the keyboard reaches on a form beyond its pieces and hot spots: the control array whose items
// a lifted piece is put down on, and the hot spot Escape stands for. Empty: none.
struct KeyboardReach {
  std::string_view places;
  std::string_view back;
};

// One form object a form, for the whole run. Its window and controls exist
// only while it is loaded; what a subclass keeps in its own members are the
// form-level variables, and they outlive every unload.
class Form {
 public:
  Form(Runtime& runtime, const FormLayout& layout);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormLayout& layout() const { return *layout_; }
  std::string_view name() const { return layout_->Name; }
  bool loaded() const { return loaded_ != nullptr; }
  std::uint32_t visit() const { return loaded_ ? loaded_->visit : 0; }
  // What the form is, in words for assistive technology; its caption unless told otherwise.
  std::string_view description() const { return description_.empty() ? layout_->Caption : description_; }
  void describe(std::string words) { description_ = std::move(words); }

  // The live controls; using them while unloaded is an error.
  ControlSet& controls();
  ImageControl& control(std::string_view name) { return controls()(name); }
  ImageControl& control(std::string_view name, std::int16_t index) { return controls()(name, index); }
  // Paint the form again on the next pass of the event loop; nothing while it is unloaded.
  void requestRepaint() {
    if (loaded_) loaded_->controls.requestRepaint();
  }
  void requestRepaint(const Rect& area) {
    if (loaded_) loaded_->controls.requestRepaint(area);
  }

  void Show(int modal = 0);
  void Unload();
  void Refresh(const ImageControl& control);  // on screen before it returns
  std::uintptr_t hWnd() const;

  // The events, each with the control that receives it. A form answers
  // only the ones it has handlers for.
  virtual void Click(ImageControl& /*target*/) {}
  virtual void MouseDown(ImageControl& /*target*/, int /*button*/, int /*shift*/, Twips /*x*/, Twips /*y*/) {}
  virtual void DragOver(ImageControl& /*target*/, ImageControl& /*source*/, Twips /*x*/, Twips /*y*/,
                        int /*state*/) {}
  virtual void DragDrop(ImageControl& /*target*/, ImageControl& /*source*/, Twips /*x*/, Twips /*y*/) {}

  virtual KeyboardReach keyboardReach() const { return {}; }

  // Loading and unloading are the runtime's.
  LoadedForm* state(Badge<Runtime>) { return loaded_.get(); }
  const LoadedForm* state(Badge<Runtime>) const { return loaded_.get(); }
  void setState(Badge<Runtime>, std::unique_ptr<LoadedForm> state) { loaded_ = std::move(state); }

 protected:
  Runtime& runtime() const { return *runtime_; }

 private:
  Runtime* runtime_;
  const FormLayout* layout_;
  std::unique_ptr<LoadedForm> loaded_;
  std::string description_;
};

}  // namespace wizlo
