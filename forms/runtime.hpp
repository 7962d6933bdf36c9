#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/backend.hpp"
#include "forms/form.hpp"
#include "forms/keyboard.hpp"
#include "forms/pointer.hpp"

namespace wizlo {

// Our forms runtime: form objects made on first use, modal showing with a
// nested event loop, and the pointer and the keys turned into the events
// handlers expect.
class Runtime {
 public:
  using FormFactory = std::function<std::unique_ptr<Form>(Runtime&)>;

  Runtime(Backend& backend, PictureSource pictures);
  ~Runtime();

  // Says how to make a form; the object itself is made on first use.
  void define(std::string_view name, FormFactory factory);
  Form& form(std::string_view name);
  bool exists(std::string_view name) const { return forms_.count(std::string(name)) != 0; }

  // Loads and shows the start form, then dispatches events until no form
  // is loaded. An error raised by a handler is reported and ends the run
  // with status 1.
  int run(std::string_view startForm);

  void show(Form& form, bool modal);
  void unload(Form& form);
  void refresh(Form& form);
  std::uintptr_t windowHandle(const Form& form) const;

  // The form that takes input: the topmost modal one, else the only one.
  Form* active() const;
  bool anyLoaded() const;

  // One event, as the loops dispatch it; tests drive the runtime with it.
  void handle(const InputEvent& event);
  // Puts every change on screen; the loops call it before they wait.
  void presentChanges();

  Backend& backend() { return backend_; }
  const PointerDispatch& pointer() const { return pointer_; }
  const KeyboardDispatch& keyboard() const { return keyboard_; }

 private:
  void load(Form& form, Form* owner);
  bool fetchPictures(Form& form);
  void present(Form& form);
  Form* formOf(WindowId window) const;
  bool shownModally(const Form& form) const;
  void runUntilUnloaded(Form& form);

  Backend& backend_;
  PictureSource pictures_;
  std::map<std::string, FormFactory, std::less<>> factories_;
  std::map<std::string, std::unique_ptr<Form>, std::less<>> forms_;
  std::vector<Form*> modalStack_;
  PointerDispatch pointer_;
  KeyboardDispatch keyboard_{pointer_};
  std::uint32_t visits_ = 0;
};

}  // namespace wizlo
