#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "forms/backend.hpp"
#include "forms/control_set.hpp"

namespace wizlo {

class Runtime;

inline constexpr int kModal = 1;
inline constexpr int kDragEntered = 0;
inline constexpr int kDragLeft = 1;
inline constexpr int kDragMoved = 2;

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
  bool loaded() const { return controls_ != nullptr; }

  // The live controls; using them while unloaded is an error.
  ControlSet& controls();
  ImageControl& control(std::string_view name) { return controls()(name); }
  ImageControl& control(std::string_view name, std::int16_t index) { return controls()(name, index); }

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

 protected:
  Runtime& runtime() const { return *runtime_; }

 private:
  friend class Runtime;
  friend class PointerDispatch;
  friend struct ControlRef;
  Runtime* runtime_;
  const FormLayout* layout_;
  std::unique_ptr<ControlSet> controls_;
  WindowId window_ = 0;
  std::uint32_t loadCount_ = 0;        // tells one visit's controls from the next
  std::uint64_t presentedRevision_ = 0;
  bool needsPaint_ = false;
  bool modal_ = false;
};

}  // namespace wizlo
