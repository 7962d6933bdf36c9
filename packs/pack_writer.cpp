#include <toml++/toml.h>

#include <sstream>

#include "packs/board_pack.hpp"
#include "packs/container.hpp"

namespace wizlo::packs {

std::vector<std::uint8_t> writeBoardPack(const FormLayout& layout, const std::vector<NewPicture>& pictures) {
  toml::table root;
  root.insert("caption", std::string(layout.Caption));
  root.insert("left", std::int64_t{layout.ClientLeft});
  root.insert("top", std::int64_t{layout.ClientTop});
  root.insert("width", std::int64_t{layout.ClientWidth});
  root.insert("height", std::int64_t{layout.ClientHeight});
  root.insert("start_up", std::int64_t{layout.StartUpPosition});
  toml::array controls;
  for (const ImageLayout& c : layout.Controls) {
    toml::table t;
    t.insert("name", std::string(c.Name));
    if (c.Index) t.insert("index", std::int64_t{*c.Index});
    t.insert("left", std::int64_t{c.Left});
    t.insert("top", std::int64_t{c.Top});
    t.insert("width", std::int64_t{c.Width});
    t.insert("height", std::int64_t{c.Height});
    if (c.Picture) t.insert("picture", std::string(c.Picture->name()));
    if (c.DragIcon) t.insert("drag_icon", std::string(c.DragIcon->name()));
    if (!c.Tag.empty()) t.insert("tag", std::string(c.Tag));
    t.insert("visible", c.Visible);
    t.insert("enabled", c.Enabled);
    t.insert("stretch", c.Stretch);
    t.insert("drag_mode", std::int64_t{c.DragMode});
    t.insert("mouse_pointer", std::int64_t{c.MousePointer});
    controls.push_back(std::move(t));
  }
  root.insert("control", std::move(controls));
  std::vector<NewEntry> entries(1);
  toml::array listed;
  for (const NewPicture& picture : pictures) {
    toml::array images;
    for (const NewImage& image : picture.images) {
      const std::string entry = picture.key + "-" + std::to_string(image.width) + "x" + std::to_string(image.height) +
                                (image.kind == ImageKind::Jpeg ? ".jpg" : ".png");
      images.push_back(toml::table{{"entry", entry}, {"width", std::int64_t{image.width}}, {"height", std::int64_t{image.height}}});
      entries.push_back({entry, image.bytes});
    }
    listed.push_back(toml::table{{"key", picture.key}, {"images", std::move(images)}});
  }
  root.insert("picture", std::move(listed));
  std::ostringstream text;
  text << "# A Wizlo lesson board, made by wizlo-board.\n" << root << "\n";
  const std::string layoutText = text.str();
  entries.front() = {std::string(kLayoutEntry), std::vector<std::uint8_t>(layoutText.begin(), layoutText.end())};
  return writeContainer(entries);
}

}  // namespace wizlo::packs
