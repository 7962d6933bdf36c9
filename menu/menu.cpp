#include "menu/menu.hpp"

#include "assets/control_names.hpp"
#include "forms/runtime.hpp"
#include "menu/form1.hpp"
#include "platform/web_site.hpp"

namespace wizlo {

Menu::Menu(Runtime& runtime, platform::WebOpener& web) : Form(runtime, layouts::Form1), web_(web) {}

void Menu::Click(ImageControl& target) {
  if (target.Name() == names::kWebSite) {
    web_.open(hWnd(), platform::kWebSiteAddress);
    return;
  }
  for (const MenuButton& button : layouts::kMenuButtons)
    if (target.Name() == button.hotSpot) {
      // The menu itself may be gone when Show returns (the session ended
      // meanwhile), and `target` with it: touch nothing more.
      runtime().form(button.form().Name).Show(kModal);
      return;
    }
}

}  // namespace wizlo
