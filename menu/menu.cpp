#include "menu/menu.hpp"

#include <array>
#include <utility>

#include "forms/runtime.hpp"
#include "menu/form1.hpp"
#include "platform/web_site.hpp"

namespace wizlo {

namespace {
// The buttons are drawn in another order than the forms are numbered:
// this table, not the numbering, says which opens which.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kOpens = {{
    {"Image2", "Form2"},
    {"Image3", "Form3"},
    {"Image4", "Form5"},
    {"Image5", "Form4"},
    {"Image6", "Form6"},
    {"Image7", "Form7"},
}};
}  // namespace

Menu::Menu(Runtime& runtime, platform::WebOpener& web) : Form(runtime, layouts::Form1), web_(web) {}

void Menu::Click(ImageControl& target) {
  if (target.Name() == "wex") {
    web_.open(hWnd(), platform::kWebSiteAddress);
    return;
  }
  for (const auto& [hotSpot, form] : kOpens)
    if (target.Name() == hotSpot) {
      // The menu itself may be gone when Show returns (the session ended
      // meanwhile), and `target` with it: touch nothing more.
      runtime().form(form).Show(kModal);
      return;
    }
}

}  // namespace wizlo
