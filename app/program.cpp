#include "app/program.hpp"

#include "boards/board.hpp"
#include "boards/form2.hpp"
#include "boards/form3.hpp"
#include "boards/form4.hpp"
#include "boards/form5.hpp"
#include "menu/form1.hpp"
#include "menu/menu.hpp"
#include "pages/form6.hpp"
#include "pages/form7.hpp"
#include "pages/page.hpp"

namespace wizlo {

const std::array<const FormLayout*, 7>& allLayouts() {
  static constexpr std::array<const FormLayout*, 7> kLayouts = {
      &layouts::Form1, &layouts::Form2, &layouts::Form3, &layouts::Form4,
      &layouts::Form5, &layouts::Form6, &layouts::Form7};
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
  for (const FormLayout* board : {&layouts::Form2, &layouts::Form3, &layouts::Form4, &layouts::Form5})
    runtime.define(board->Name, [board, services](Runtime& rt) {
      return std::make_unique<Board>(rt, *board, services);
    });
  for (const FormLayout* page : {&layouts::Form6, &layouts::Form7})
    runtime.define(page->Name, [page](Runtime& rt) { return std::make_unique<Page>(rt, *page); });
}

}  // namespace wizlo
