#include "app/program.hpp"

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

void defineForms(Runtime& runtime, const platform::Services& services) {
  platform::WebOpener& web = services.web;
  runtime.define("Form1", [&web](Runtime& rt) { return std::make_unique<Menu>(rt, web); });
  for (const MenuButton& button : layouts::kMenuButtons) {
    const FormLayout* form = &button.form();
    if (button.board)
      runtime.define(form->Name, [form, services](Runtime& rt) {
        return std::make_unique<Board>(rt, *form, services);
      });
    else
      runtime.define(form->Name, [form](Runtime& rt) { return std::make_unique<Page>(rt, *form); });
  }
}

}  // namespace wizlo
