#include "packs/board_rules.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "assets/control_names.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::packs {
namespace {

[[noreturn]] void broken(const std::string& arabic, const std::string& english) {
  throw PackError("في تخطيط اللوحة خلل: " + arabic + ".", "its layout is not one a board can have: " + english + ".");
}

std::string describe(const ImageLayout& c) {
  std::string text(c.Name);
  if (c.Index) text += "(" + std::to_string(*c.Index) + ")";
  return text;
}

bool wholePixels(Twips v) { return v % kTwipsPerPixel == 0; }

bool decimalTag(std::string_view tag) {
  return !tag.empty() && tag.size() <= 3 && tag.front() != '0' &&
         std::all_of(tag.begin(), tag.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void checkPlace(const FormLayout& layout, const ImageLayout& c, bool backdrop) {
  const Rect r = c.rect();
  for (const Twips v : {r.Left, r.Top, r.Width, r.Height})
    if (!wholePixels(v)) broken(describe(c) + " ليس على بكسلات كاملة", describe(c) + " is not on whole pixels");
  if (backdrop) {
    if (r.Left != kBackdropRect.Left || r.Top != kBackdropRect.Top || r.Width != kBackdropRect.Width ||
        r.Height != kBackdropRect.Height)
      broken("الخلفية ليست بحجم اللوحة", "the backdrop is not the board's size");
    return;
  }
  if (r.Width <= 0 || r.Height <= 0 || r.Left < 0 || r.Top < 0 || r.right() > layout.ClientWidth ||
      r.bottom() > layout.ClientHeight)
    broken(describe(c) + " خارج النافذة", describe(c) + " lies outside the window");
}

}  // namespace

void checkBoardLayout(const FormLayout& layout, const std::function<bool(const PictureKey&)>& known) {
  if (layout.ClientWidth != kBoardWidth || layout.ClientHeight != kBoardHeight)
    broken("النافذة ليست بحجم اللوحات", "the window is not a board's size");
  if (!wholePixels(layout.ClientLeft) || !wholePixels(layout.ClientTop) || layout.ClientLeft < 0 ||
      layout.ClientTop < 0 || layout.ClientLeft > 30000 || layout.ClientTop > 30000)
    broken("مكان النافذة غير معقول", "the window's place is unlikely");
  if (layout.StartUpPosition != kStartUpManual && layout.StartUpPosition != kStartUpWindowSystem)
    broken("طريقة وضع النافذة غير معروفة", "the window's placing is unknown");
  if (layout.Controls.empty() || layout.Controls.back().Name != names::kBackdrop)
    broken("الخلفية ليست في آخر القائمة", "the backdrop Image1 is not the last control");

  std::map<std::string_view, std::vector<const ImageLayout*>> byName;
  for (const ImageLayout& c : layout.Controls) {
    byName[c.Name].push_back(&c);
    checkPlace(layout, c, &c == &layout.Controls.back());
    if (!c.Enabled) broken(describe(c) + " معطل", describe(c) + " starts disabled");
    if (c.DragMode != kDragManual && c.DragMode != kDragAutomatic)
      broken(describe(c) + " بطريقة سحب غير معروفة", describe(c) + " has an unknown drag mode");
    if (c.MousePointer != kPointerDefault && c.MousePointer != kPointerCrosshair)
      broken(describe(c) + " بمؤشر غير معروف", describe(c) + " has an unknown pointer");
    for (const auto& picture : {c.Picture, c.DragIcon})
      if (picture && !known(*picture))
        broken(describe(c) + " يعرض صورة غير موجودة", describe(c) + " names a picture there is none of");
    if (c.Picture && !c.Stretch) broken(describe(c) + " لا يمدد صورته", describe(c) + " does not stretch its picture");
    if (!c.Tag.empty() && !decimalTag(c.Tag)) broken(describe(c) + " بوسم غير مقبول", describe(c) + " has a tag not allowed");
  }

  static constexpr std::string_view kSingles[] = {names::kBackdrop, names::kRightMark, names::kWrongMark,
                                                  names::kBoardBack, names::kWebSite};
  static constexpr std::string_view kArrays[] = {names::kPieces, names::kCircles, names::kKeys};
  for (const auto& [name, controls] : byName) {
    const bool single = std::find(std::begin(kSingles), std::end(kSingles), name) != std::end(kSingles);
    const bool array = std::find(std::begin(kArrays), std::end(kArrays), name) != std::end(kArrays);
    if (!single && !array) broken("عنصر غير معروف", "an unknown control " + std::string(name));
    if (single && (controls.size() != 1 || controls.front()->Index))
      broken(std::string(name) + " ليس عنصرًا واحدًا", std::string(name) + " is not one single control");
    if (!array) continue;
    std::set<int> indexes;
    for (const ImageLayout* c : controls)
      if (!c->Index || !indexes.insert(*c->Index).second)
        broken("المصفوفة " + std::string(name) + " مكررة أو بلا أرقام", "the array " + std::string(name) + " repeats or lacks an index");
    if (*indexes.begin() != 0 || *indexes.rbegin() != static_cast<int>(indexes.size()) - 1)
      broken("في المصفوفة " + std::string(name) + " فجوة", "the array " + std::string(name) + " has a gap");
  }
  for (const std::string_view name : kSingles)
    if (!byName.count(name)) broken("ينقصها " + std::string(name), "it has no " + std::string(name));
  const auto& pieces = byName[names::kPieces];
  const auto& circles = byName[names::kCircles];
  const auto& keys = byName[names::kKeys];
  const int n = static_cast<int>(circles.size());
  if (n < 1 || n > kMaxCircles || keys.size() != circles.size())
    broken("عدد الدوائر أو المفاتيح غير مقبول", "it needs 1 to 12 circles, each with its key");
  if (static_cast<int>(pieces.size()) < n || static_cast<int>(pieces.size()) > n + kMaxDecoys)
    broken("عدد القطع غير مقبول", "it needs a piece for every circle and at most 3 more");

  const ImageLayout& backdrop = layout.Controls.back();
  if (!backdrop.Picture || !backdrop.Picture->isPacked() || backdrop.DragIcon || !backdrop.Tag.empty() || !backdrop.Visible)
    broken("الخلفية بلا صورة", "the backdrop shows no picture of its own");
  for (const auto& [name, mark] : {std::pair{names::kRightMark, PictureId::MarkYes}, std::pair{names::kWrongMark, PictureId::MarkNo}}) {
    const ImageLayout& c = *byName[name].front();
    if (c.Picture != mark || c.DragIcon || c.Visible || c.DragMode != kDragManual)
      broken(std::string(name) + " ليست علامة البرنامج المخفية", std::string(name) + " is not the program's own hidden mark");
  }
  for (const std::string_view name : {names::kBoardBack, names::kWebSite}) {
    const ImageLayout& c = *byName[name].front();
    if (c.Picture || c.DragIcon || !c.Visible || c.DragMode != kDragManual || !c.Tag.empty())
      broken(std::string(name) + " ليس منطقة نقر فارغة", std::string(name) + " is not an empty hot spot");
  }
  if (byName[names::kWebSite].front()->MousePointer != kPointerCrosshair)
    broken("رابط الموقع بلا مؤشر التصويب", "wex does not show the crosshair");

  std::set<std::string_view> keyTags;
  for (const ImageLayout* key : keys) {
    if (key->Visible || key->Tag != std::to_string(*key->Index + 1))
      broken("المفتاح " + describe(*key) + " ظاهر أو برقم خاطئ", "the key " + describe(*key) + " is shown or not tagged " + std::to_string(*key->Index + 1));
    keyTags.insert(key->Tag);
  }
  for (const ImageLayout* circle : circles)
    if (circle->Picture || circle->DragIcon || !circle->Tag.empty() || !circle->Visible || !circle->Stretch ||
        circle->DragMode != kDragAutomatic)
      broken("الدائرة " + describe(*circle) + " ليست فارغة قابلة للإفلات", "the circle " + describe(*circle) + " is not an empty circle to drop on");
  std::set<std::string_view> pieceTags;
  std::size_t fitting = 0;
  for (const ImageLayout* piece : pieces) {
    if (!piece->Visible || !piece->Picture || !piece->DragIcon || piece->Tag.empty() ||
        piece->DragMode != kDragAutomatic)
      broken("القطعة " + describe(*piece) + " لا تُسحب", "the piece " + describe(*piece) + " cannot be dragged as a piece");
    if (!pieceTags.insert(piece->Tag).second)
      broken("قطعتان بالوسم نفسه", "two pieces carry the tag " + std::string(piece->Tag));
    fitting += keyTags.count(piece->Tag);
  }
  if (fitting != keyTags.size()) broken("دائرة لا تناسبها أي قطعة", "a circle that no piece fits");

  // The control the pointer finds at the middle of each visible one must be that control.
  for (const ImageLayout& c : layout.Controls) {
    if (!c.Visible || &c == &layout.Controls.back()) continue;
    const Twips x = c.Left + c.Width / 2, y = c.Top + c.Height / 2;
    const auto top = std::find_if(layout.Controls.begin(), layout.Controls.end(),
                                  [&](const ImageLayout& o) { return o.Visible && o.rect().contains(x, y); });
    if (&*top != &c) broken(describe(c) + " مغطى بغيره", describe(c) + " lies under " + describe(*top));
  }
}

}  // namespace wizlo::packs
