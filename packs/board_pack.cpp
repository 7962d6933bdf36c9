#include "packs/board_pack.hpp"

// Only reading here: the program carries no TOML writer (writing is pack_writer.cpp's, the board
// maker's), which keeps the Windows program file small.
#define TOML_ENABLE_FORMATTERS 0
// A layout has no fractions; toml++ would read them through a string stream, which pulls iostreams and
// locales into the Windows program file. GCC's library reads them without (the browser's does not).
#include <version>
#if defined(__GLIBCXX__)
#define TOML_FLOAT_CHARCONV 1
#endif
#if defined(__EMSCRIPTEN__)
#define TOML_INT_CHARCONV 1
#endif
#include <toml++/toml.h>

#include <algorithm>
#include <limits>
#include <set>

#include "packs/board_rules.hpp"
#include "packs/container.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::packs {
namespace {

inline constexpr std::size_t kMaxLayoutBytes = 256u << 10;
inline constexpr std::size_t kMaxControls = 64, kMaxPictures = 64, kMaxImagesEach = 8, kMaxCaptionBytes = 200;
inline constexpr int kMaxImageSide = 2048;
inline constexpr long long kMaxPixels = 8'000'000;

[[noreturn]] void unreadable(const std::string& english) {
  throw PackError("تعذرت قراءة تخطيطها.", "its layout cannot be read: " + english + ".");
}

// The one way values come out of the layout: the type and the range checked, and nothing else there.
class Fields {
 public:
  Fields(const toml::table& table, std::string where) : table_(table), where_(std::move(where)) {
    for (const auto& [key, value] : table_) unread_.insert(std::string(key.str()));
  }
  ~Fields() = default;

  const toml::node* find(std::string_view key) {
    unread_.erase(std::string(key));
    return table_.get(key);
  }
  const toml::node& need(std::string_view key) {
    const toml::node* node = find(key);
    if (!node) unreadable(where_ + " has no " + std::string(key));
    return *node;
  }
  long long integer(std::string_view key, long long low, long long high) {
    const auto value = need(key).value_exact<std::int64_t>();
    if (!value || *value < low || *value > high) unreadable(where_ + "'s " + std::string(key) + " is not a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    return *value;
  }
  long long integer(std::string_view key, long long low, long long high, long long otherwise) {
    return find(key) ? integer(key, low, high) : otherwise;
  }
  std::string text(std::string_view key, std::size_t longest) {
    const auto value = need(key).value_exact<std::string>();
    if (!value || value->size() > longest) unreadable(where_ + "'s " + std::string(key) + " is not a short text");
    return *value;
  }
  std::optional<std::string> text(std::string_view key, std::size_t longest, std::nullopt_t) {
    if (!find(key)) return std::nullopt;
    return text(key, longest);
  }
  bool flag(std::string_view key, bool otherwise) {
    if (!find(key)) return otherwise;
    const auto value = need(key).value_exact<bool>();
    if (!value) unreadable(where_ + "'s " + std::string(key) + " is neither true nor false");
    return *value;
  }
  const toml::array& list(std::string_view key, std::size_t longest) {
    const toml::array* array = need(key).as_array();
    if (!array || array->size() > longest) unreadable(where_ + "'s " + std::string(key) + " is not a list of at most " + std::to_string(longest));
    return *array;
  }
  // Call last: a key nobody asked for is refused, so a typing slip in a layout never passes unseen.
  void allRead() const {
    if (!unread_.empty()) unreadable(where_ + " has an unknown field " + *unread_.begin());
  }

 private:
  const toml::table& table_;
  std::string where_;
  std::set<std::string> unread_;
};

const toml::table& tableIn(const toml::node& node, const std::string& where) {
  const toml::table* table = node.as_table();
  if (!table) unreadable(where + " is not a table");
  return *table;
}

bool validCaption(std::string_view text) {
  // UTF-8 is checked by the parser; here, no control characters.
  return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
}

}  // namespace

bool isLendable(PictureId id) {
  const std::string_view name = nameOf(id);
  return name.starts_with("Disk") || name.starts_with("KeyDisk") || name.starts_with("Mark");
}

bool isPackKey(std::string_view key) {
  return !key.empty() && key.size() <= 32 && key.front() >= 'a' && key.front() <= 'z' &&
         std::all_of(key.begin(), key.end(), [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

std::string_view BoardPack::keep(std::string text) { return texts_.emplace_back(std::move(text)); }

std::span<const PackImage> BoardPack::images(std::string_view key) const {
  const auto found = pictures_.find(key);
  return found == pictures_.end() ? std::span<const PackImage>{} : std::span<const PackImage>(found->second);
}

std::vector<std::string_view> BoardPack::pictureKeys() const {
  std::vector<std::string_view> keys;
  for (const auto& [key, images] : pictures_) keys.push_back(key);
  return keys;
}

std::unique_ptr<const BoardPack> BoardPack::read(std::vector<std::uint8_t> file) {
  std::unique_ptr<BoardPack> pack(new BoardPack());
  pack->file_ = std::move(file);
  const std::vector<Entry> entries = readContainer(pack->file_);
  const auto layoutEntry = std::find_if(entries.begin(), entries.end(), [](const Entry& e) { return e.name == kLayoutEntry; });
  if (layoutEntry == entries.end()) unreadable("there is no board.toml");
  if (layoutEntry->bytes.size() > kMaxLayoutBytes) unreadable("board.toml is too long");

  toml::table root;
  try {
    root = toml::parse(std::string_view(reinterpret_cast<const char*>(layoutEntry->bytes.data()), layoutEntry->bytes.size()));
  } catch (const toml::parse_error& e) {
    unreadable("board.toml line " + std::to_string(e.source().begin.line) + ": " + std::string(e.description()));
  }
  Fields top(root, "board.toml");

  // The pictures first, so the controls can be checked against them.
  std::map<std::string_view, const Entry*> byName;
  for (const Entry& e : entries) byName.emplace(e.name, &e);
  std::set<std::string_view> used{kLayoutEntry};
  long long pixels = 0;
  for (const toml::node& node : top.list("picture", kMaxPictures)) {
    Fields picture(tableIn(node, "a picture"), "a picture");
    const std::string key = picture.text("key", 32);
    if (!isPackKey(key)) unreadable("a picture's key " + key + " is not allowed");
    if (pack->pictures_.count(key)) unreadable("two pictures share the key " + key);
    std::vector<PackImage> images;
    for (const toml::node& imageNode : picture.list("images", kMaxImagesEach)) {
      Fields image(tableIn(imageNode, "an image of " + key), "an image of " + key);
      const std::string entry = image.text("entry", kMaxNameLength);
      const auto width = static_cast<int>(image.integer("width", 1, kMaxImageSide));
      const auto height = static_cast<int>(image.integer("height", 1, kMaxImageSide));
      image.allRead();
      const auto found = byName.find(entry);
      if (found == byName.end()) unreadable("the image " + entry + " is not in the pack");
      if (!used.insert(found->first).second) unreadable("the image " + entry + " is used twice");
      const auto header = readImageHeader(found->second->bytes);
      if (!header) throw PackError("الجزء «" + entry + "» فيها ليس صورة يعرفها ويزلو.", "the image " + entry + " is neither a PNG nor a JPEG.");
      if (header->width != width || header->height != height)
        throw PackError("حجم الصورة «" + entry + "» لا يطابق ما كُتب عنها.", "the image " + entry + " is not of the size the layout gives it.");
      pixels += static_cast<long long>(width) * height;
      images.push_back({header->kind, width, height, found->second->bytes});
    }
    picture.allRead();
    if (images.empty()) unreadable("the picture " + key + " has no image");
    std::sort(images.begin(), images.end(), [](const PackImage& a, const PackImage& b) { return a.width * a.height < b.width * b.height; });
    pack->pictures_.emplace(key, std::move(images));
  }
  if (pixels > kMaxPixels) throw PackError("صورها أكبر من المسموح.", "its pictures hold more pixels than a board needs.");
  if (used.size() != entries.size()) unreadable("it holds an entry nothing uses");

  const auto pictureNamed = [&](const std::string& name) -> PictureKey {
    if (const auto found = pack->pictures_.find(name); found != pack->pictures_.end()) return PictureKey::packed(found->first);
    for (std::size_t i = 0; i < kPictureCount; ++i)
      if (nameOf(pictureAt(i)) == name && isLendable(pictureAt(i))) return pictureAt(i);
    unreadable("a control names the picture " + name + ", which there is none of");
  };

  FormLayout& layout = pack->layout_;
  layout.Name = kBoardFormName;
  const std::string caption = top.text("caption", kMaxCaptionBytes);
  if (!validCaption(caption)) unreadable("the caption is empty or holds control characters");
  layout.Caption = pack->keep(caption);
  layout.ClientLeft = static_cast<Twips>(top.integer("left", 0, 30000));
  layout.ClientTop = static_cast<Twips>(top.integer("top", 0, 30000));
  layout.ClientWidth = static_cast<Twips>(top.integer("width", 0, 30000));
  layout.ClientHeight = static_cast<Twips>(top.integer("height", 0, 30000));
  layout.StartUpPosition = static_cast<std::uint8_t>(top.integer("start_up", 0, 3, kStartUpManual));
  layout.Icon = PictureId::AppIcon;

  constexpr long long kShortMin = std::numeric_limits<std::int16_t>::min(), kShortMax = std::numeric_limits<std::int16_t>::max();
  for (const toml::node& node : top.list("control", kMaxControls)) {
    Fields c(tableIn(node, "a control"), "a control");
    ImageLayout control;
    control.Name = pack->keep(c.text("name", 8));
    if (c.find("index")) control.Index = static_cast<std::int16_t>(c.integer("index", 0, kMaxPieces));
    control.Left = static_cast<std::int16_t>(c.integer("left", kShortMin, kShortMax));
    control.Top = static_cast<std::int16_t>(c.integer("top", kShortMin, kShortMax));
    control.Width = static_cast<std::int16_t>(c.integer("width", kShortMin, kShortMax));
    control.Height = static_cast<std::int16_t>(c.integer("height", kShortMin, kShortMax));
    if (const auto picture = c.text("picture", 32, std::nullopt)) control.Picture = pictureNamed(*picture);
    if (const auto icon = c.text("drag_icon", 32, std::nullopt)) control.DragIcon = pictureNamed(*icon);
    if (const auto tag = c.text("tag", 3, std::nullopt)) control.Tag = pack->keep(*tag);
    control.Visible = c.flag("visible", true);
    control.Enabled = c.flag("enabled", true);
    control.Stretch = c.flag("stretch", false);
    control.DragMode = static_cast<std::uint8_t>(c.integer("drag_mode", 0, 255, kDragManual));
    control.MousePointer = static_cast<std::uint8_t>(c.integer("mouse_pointer", 0, 255, kPointerDefault));
    c.allRead();
    pack->controls_.push_back(control);
  }
  top.allRead();
  layout.Controls = pack->controls_;
  checkBoardLayout(layout, [&](const PictureKey& key) { return !key.isPacked() || pack->pictures_.count(key.packKey()); });
  return pack;
}

}  // namespace wizlo::packs
