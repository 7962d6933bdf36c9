#include "app/program.hpp"

#include <memory>
#include <string>
#include <utility>

#include "boards/board.hpp"
#include "menu/form1.hpp"
#include "menu/menu.hpp"
#include "pages/page.hpp"

namespace wizlo {

const std::array<const FormLayout*, kFormCount>& allLayouts() {
  static constexpr std::array<const FormLayout*, kFormCount> kLayouts = [] {
    std::array<const FormLayout*, kFormCount> forms{&layouts::Form1};
    std::size_t next = 1;
    for (const MenuButton& button : layouts::kMenuButtons) forms[next++] = &button.form();
    return forms;
  }();
  return kLayouts;
}

const FormLayout* layoutNamed(std::string_view name) {
  for (const FormLayout* layout : allLayouts())
    if (layout->Name == name) return layout;
  return nullptr;
}

namespace {

// What assistive technology calls a form: the menu by its title, a board by its sentence, a practice
// page by its button's label, each after the kind of form it is.
std::unique_ptr<Form> described(std::unique_ptr<Form> form, std::string words) {
  form->describe(std::move(words));
  return form;
}

std::string menuDescription() {
  std::string title;
  for (const TitleLine& line : layouts::Form1Content.title) title += (title.empty() ? "" : " ") + std::string(line.text);
  return "القائمة: " + title + " — the menu";
}

}  // namespace

void defineForms(Runtime& runtime, const platform::Services& services) {
  platform::WebOpener& web = services.web;
  runtime.define("Form1", [&web](Runtime& rt) { return described(std::make_unique<Menu>(rt, web), menuDescription()); });
  for (const MenuButton& button : layouts::kMenuButtons) {
    const FormLayout* form = &button.form();
    if (button.board)
      runtime.define(form->Name, [form, services, sentence = button.board->sentence](Runtime& rt) {
        return described(std::make_unique<Board>(rt, *form, services), "لوحة: " + std::string(sentence) + " — a board");
      });
    else
      runtime.define(form->Name, [form, label = button.label().text](Runtime& rt) {
        return described(std::make_unique<Page>(rt, *form), "تدريب: " + std::string(label) + " — practice");
      });
  }
}

}  // namespace wizlo
