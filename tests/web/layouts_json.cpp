// wizlo-web-layouts [PACK...]: every form's design as JSON, and each teacher's board pack's, for the
// browser tests to aim the pupil's mouse and finger at controls and to know which hot spot opens which
// form.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.hpp"
#include "menu/form1.hpp"
#include "packs/board_pack.hpp"

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

int main(int argc, char** argv) {
  using namespace wizlo;
  std::vector<const FormLayout*> layouts(allLayouts().begin(), allLayouts().end());
  std::vector<std::unique_ptr<const packs::BoardPack>> packs;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    packs.push_back(packs::BoardPack::read({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}));
    layouts.push_back(&packs.back()->layout());
  }
  std::string json = "{\"forms\": [";
  const char* formSeparator = "";
  for (const FormLayout* layout : layouts) {
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
