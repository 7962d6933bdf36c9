// wizlo-web-layouts: every form's design as JSON, for the browser tests to aim the pupil's mouse
// and finger at controls and to know which hot spot opens which form.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/program.hpp"
#include "menu/form1.hpp"

namespace {

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

}  // namespace

int main() {
  using namespace wizlo;
  std::string json = "{\"forms\": [";
  const char* formSeparator = "";
  for (const FormLayout* layout : allLayouts()) {
    json += formSeparator;
    formSeparator = ",";
    json += "\n {\"name\": " + quoted(layout->Name) + ", \"caption\": " + quoted(layout->Caption) +
            ", \"clientWidth\": " + std::to_string(layout->ClientWidth) +
            ", \"clientHeight\": " + std::to_string(layout->ClientHeight) + ", \"controls\": [";
    const char* separator = "";
    for (const ImageLayout& c : layout->Controls) {
      json += separator;
      separator = ",";
      json += "\n  {\"name\": " + quoted(c.Name) + (c.Index ? ", \"index\": " + std::to_string(*c.Index) : "") +
              ", \"left\": " + std::to_string(c.Left) + ", \"top\": " + std::to_string(c.Top) +
              ", \"width\": " + std::to_string(c.Width) + ", \"height\": " + std::to_string(c.Height) +
              ", \"tag\": " + quoted(c.Tag) + ", \"visible\": " + (c.Visible ? "true" : "false") + "}";
    }
    json += "]}";
  }
  json += "],\n\"menu\": [";
  const char* separator = "";
  for (const MenuButton& button : layouts::kMenuButtons) {
    json += separator;
    separator = ",";
    json += "\n {\"hotSpot\": " + quoted(button.hotSpot) + ", \"form\": " + quoted(button.form().Name) +
            ", \"board\": " + (button.board ? "true" : "false") + "}";
  }
  json += "]}\n";
  std::fputs(json.c_str(), stdout);
  return 0;
}
