// Properties every form design must keep, whatever its numbers: a slip in a table shows up here
// as a piece that cannot be picked up, a circle that never fills, or a key that matches nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/control_names.hpp"
#include "menu/form1.hpp"

namespace wizlo {

// Failures name the form, not its address.
static void PrintTo(const FormLayout* form, std::ostream* os) { *os << form->Name; }

namespace {

using layouts::Form1;
using layouts::Form2;
using layouts::Form3;
using layouts::Form4;
using layouts::Form5;
using layouts::Form6;
using layouts::Form7;

constexpr Rect kBackdropRect = {0, 0, 13575, 9135};

bool isBackdrop(PictureKey key) { return nameOf(key).starts_with("Backdrop"); }

std::string pictureName(const std::optional<PictureKey>& id) {
  return id ? std::string(nameOf(*id)) : std::string("EmptyPicture");
}

std::string describe(const ImageLayout& c) {
  std::string text(c.Name);
  if (c.Index) text += "(" + std::to_string(*c.Index) + ")";
  return text;
}

// The topmost visible control at a point, as the runtime finds it.
const ImageLayout* controlAt(const FormLayout& form, Twips x, Twips y) {
  for (const ImageLayout& c : form.Controls)
    if (c.Visible && c.rect().contains(x, y)) return &c;
  return nullptr;
}

const ImageLayout* single(const FormLayout& form, std::string_view name) {
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && !c.Index) return &c;
  return nullptr;
}

std::map<int, const ImageLayout*> arrayItems(const FormLayout& form, std::string_view name) {
  std::map<int, const ImageLayout*> items;
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && c.Index) items.emplace(*c.Index, &c);
  return items;
}

// ---- Every form ---------------------------------------------------------------------------------

// The menu, and every form its table opens.
constexpr auto kEveryForm = [] {
  std::array<const FormLayout*, 1 + std::size(layouts::kMenuButtons)> forms{&Form1};
  for (std::size_t i = 0; i < std::size(layouts::kMenuButtons); ++i) forms[i + 1] = &layouts::kMenuButtons[i].form();
  return forms;
}();

class EveryForm : public testing::TestWithParam<const FormLayout*> {
 protected:
  const FormLayout& form() const { return *GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Layouts, EveryForm, testing::ValuesIn(kEveryForm),
                         [](const auto& info) { return std::string(info.param->Name); });

TEST_P(EveryForm, PlacesEverythingOnWholePixels) {
  for (Twips v : {form().ClientLeft, form().ClientTop, form().ClientWidth, form().ClientHeight})
    EXPECT_EQ(v % kTwipsPerPixel, 0) << "form field " << v;
  for (const ImageLayout& c : form().Controls) {
    for (Twips v : {c.Left, c.Top, c.Width, c.Height}) EXPECT_EQ(v % kTwipsPerPixel, 0) << describe(c);
    EXPECT_GT(c.Width, 0) << describe(c);
    EXPECT_GT(c.Height, 0) << describe(c);
  }
}

TEST_P(EveryForm, EndsWithTheOnlyControlCoveringTheClientArea) {
  ASSERT_FALSE(form().Controls.empty());
  const ImageLayout& backdrop = form().Controls.back();
  EXPECT_EQ(backdrop.Name, names::kBackdrop);
  EXPECT_EQ(backdrop.rect().Left, kBackdropRect.Left);
  EXPECT_EQ(backdrop.rect().Top, kBackdropRect.Top);
  EXPECT_EQ(backdrop.rect().Width, kBackdropRect.Width);
  EXPECT_EQ(backdrop.rect().Height, kBackdropRect.Height);
  EXPECT_TRUE(backdrop.Stretch);
  EXPECT_TRUE(backdrop.Visible);
  ASSERT_TRUE(backdrop.Picture);
  EXPECT_TRUE(isBackdrop(*backdrop.Picture)) << pictureName(backdrop.Picture);
  // The backdrop is never smaller than the window it fills, so no plain background shows at load.
  EXPECT_GE(backdrop.Width, form().ClientWidth);
  EXPECT_GE(backdrop.Height, form().ClientHeight);

  for (const ImageLayout& c : form().Controls.first(form().Controls.size() - 1)) {
    const bool coversClientArea = c.Left <= 0 && c.Top <= 0 && c.rect().right() >= form().ClientWidth &&
                                  c.rect().bottom() >= form().ClientHeight;
    EXPECT_FALSE(coversClientArea) << describe(c);
    EXPECT_FALSE(c.Picture && isBackdrop(*c.Picture)) << describe(c) << " carries a backdrop";
  }
}

TEST_P(EveryForm, NamesOneControlOrOneGaplessArray) {
  std::map<std::string_view, std::vector<const ImageLayout*>> byName;
  for (const ImageLayout& c : form().Controls) byName[c.Name].push_back(&c);
  for (const auto& [name, controls] : byName) {
    const bool isArray = controls.front()->Index.has_value();
    if (!isArray) {
      EXPECT_EQ(controls.size(), 1u) << name << " is used by more than one control";
      continue;
    }
    std::set<int> indexes;
    for (const ImageLayout* c : controls) {
      ASSERT_TRUE(c->Index) << name << " mixes array items and a single control";
      EXPECT_TRUE(indexes.insert(*c->Index).second) << describe(*c) << " appears twice";
    }
    EXPECT_EQ(*indexes.begin(), 0) << name;
    EXPECT_EQ(*indexes.rbegin(), static_cast<int>(indexes.size()) - 1) << name << " has a gap";
  }
}

TEST_P(EveryForm, StretchesEveryPictureAndDragsOnlyIcons) {
  for (const ImageLayout& c : form().Controls) {
    if (c.Picture) {
      EXPECT_TRUE(c.Stretch) << describe(c);
    }
    if (c.DragIcon) {
      EXPECT_FALSE(isBackdrop(*c.DragIcon)) << describe(c);
    }
  }
}

TEST_P(EveryForm, KeepsPropertiesToTheValuesTheRuntimeKnows) {
  EXPECT_TRUE(form().StartUpPosition == kStartUpManual || form().StartUpPosition == kStartUpWindowSystem);
  EXPECT_EQ(form().Icon.value_or(PictureId::AppIcon), PictureId::AppIcon) << "a foreign window icon";
  for (const ImageLayout& c : form().Controls) {
    EXPECT_TRUE(c.Enabled) << describe(c) << ": every control starts enabled";
    EXPECT_TRUE(c.DragMode == kDragManual || c.DragMode == kDragAutomatic) << describe(c);
    EXPECT_TRUE(c.MousePointer == kPointerDefault || c.MousePointer == kPointerCrosshair) << describe(c);
    // Tags are compared as exact text, so a stray zero or space would silently match nothing.
    if (!c.Tag.empty()) {
      EXPECT_TRUE(std::all_of(c.Tag.begin(), c.Tag.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
          << describe(c) << " tag \"" << c.Tag << "\"";
      EXPECT_NE(c.Tag.front(), '0') << describe(c);
    }
  }
}

// Every control meant to be clicked, dragged or dropped on must be what the pointer finds over it
// when the form opens; otherwise a control above it swallows the pupil's hand.
TEST_P(EveryForm, LetsThePointerReachEveryVisibleControlInsideTheWindow) {
  for (const ImageLayout& c : form().Controls) {
    if (!c.Visible || &c == &form().Controls.back()) continue;
    EXPECT_EQ(controlAt(form(), c.Left + c.Width / 2, c.Top + c.Height / 2), &c) << describe(c);
    EXPECT_GE(c.Left, 0) << describe(c);
    EXPECT_GE(c.Top, 0) << describe(c);
    EXPECT_LE(c.rect().right(), form().ClientWidth) << describe(c);
    EXPECT_LE(c.rect().bottom(), form().ClientHeight) << describe(c);
  }
}

// The table is the only place that says what the menu opens: a row too many, or a button missing
// from it, leaves a form unreachable or a drawn button dead.
TEST(EveryFormTogether, TheMenuOpensEachFormFromOneHotSpotAndEveryHotSpotOpensAForm) {
  std::set<std::string_view> hotSpots, forms;
  for (const MenuButton& button : layouts::kMenuButtons) {
    EXPECT_TRUE(hotSpots.insert(button.hotSpot).second) << button.hotSpot << " opens two forms";
    EXPECT_TRUE(forms.insert(button.form().Name).second) << button.form().Name << " has two buttons";
    EXPECT_NE(single(Form1, button.hotSpot), nullptr) << button.hotSpot << " is not on the menu";
    EXPECT_TRUE((button.board == nullptr) != (button.page == nullptr)) << button.hotSpot;
  }
  for (const ImageLayout& c : Form1.Controls.first(Form1.Controls.size() - 1))
    if (c.Name != names::kWebSite) {
      EXPECT_EQ(hotSpots.count(c.Name), 1u) << c.Name << " opens nothing";
    }
}

TEST(EveryFormTogether, ShowsADifferentBackdropOnEachForm) {
  std::set<PictureId> backdrops;
  for (const FormLayout* form : kEveryForm) {
    ASSERT_TRUE(form->Controls.back().Picture) << form->Name;
    EXPECT_TRUE(backdrops.insert(form->Controls.back().Picture->id()).second) << form->Name;
  }
}

// ---- The boards ---------------------------------------------------------------------------------

struct Board {
  const FormLayout* form;
  int skills;                // N: the length of the arrays c, g and l
  int visiblePieces;         // the rest are hidden spares, fitting a circle no pupil can fill
  std::string_view pieceFace;  // the picture family the pieces show, numbered like the pieces
};

void PrintTo(const Board& board, std::ostream* os) { *os << board.form->Name; }

const Board kBoards[] = {
    {&Form2, 10, 10, "Disk"},
    {&Form3, 10, 9, "BlueTile"},
    {&Form4, 10, 9, "YellowTile"},
    {&Form5, 11, 11, "PinkTile"},
};

// The catalogue's largest disk; a piece numbered beyond it drags with it.
constexpr int kLargestDisk = 10;

class EveryBoard : public testing::TestWithParam<Board> {
 protected:
  const FormLayout& form() const { return *GetParam().form; }
  int skills() const { return GetParam().skills; }
};

INSTANTIATE_TEST_SUITE_P(Layouts, EveryBoard, testing::ValuesIn(kBoards),
                         [](const auto& info) { return std::string(info.param.form->Name); });

TEST(EveryBoardTogether, StatesTheShapeOfEveryBoardTheMenuOpens) {
  for (const MenuButton& button : layouts::kMenuButtons)
    if (button.board) {
      EXPECT_TRUE(std::any_of(std::begin(kBoards), std::end(kBoards),
                              [&](const Board& b) { return b.form == &button.form(); }))
          << button.form().Name << " needs a line in kBoards";
    }
}

TEST_P(EveryBoard, GivesPiecesCirclesAndKeysOneIndexRange) {
  for (std::string_view name : {names::kPieces, names::kCircles, names::kKeys}) {
    const auto items = arrayItems(form(), name);
    ASSERT_EQ(static_cast<int>(items.size()), skills()) << name;
    EXPECT_EQ(items.begin()->first, 0) << name;
    EXPECT_EQ(items.rbegin()->first, skills() - 1) << name;
  }
}

TEST_P(EveryBoard, KeysNumberTheCirclesFromOneAndStayHidden) {
  for (const auto& [i, key] : arrayItems(form(), names::kKeys)) {
    EXPECT_EQ(key->Tag, std::to_string(i + 1)) << describe(*key);
    EXPECT_FALSE(key->Visible) << describe(*key);
  }
}

TEST_P(EveryBoard, HasExactlyOnePieceForEachSkill) {
  std::multiset<std::string> tags;
  for (const auto& [j, piece] : arrayItems(form(), names::kPieces)) tags.emplace(piece->Tag);
  std::multiset<std::string> expected;
  for (int k = 1; k <= skills(); ++k) expected.insert(std::to_string(k));
  EXPECT_EQ(tags, expected);
}

TEST_P(EveryBoard, PiecesShowTheirNumberAndDragAsADisk) {
  for (const auto& [j, piece] : arrayItems(form(), names::kPieces)) {
    const int number = j + 1;
    EXPECT_TRUE(piece->Stretch) << describe(*piece);
    EXPECT_EQ(piece->DragMode, kDragAutomatic) << describe(*piece);
    if (j < GetParam().visiblePieces) {
      EXPECT_TRUE(piece->Visible) << describe(*piece);
      EXPECT_EQ(pictureName(piece->Picture), std::string(GetParam().pieceFace) + std::to_string(number));
      EXPECT_EQ(pictureName(piece->DragIcon), "Disk" + std::to_string(std::min(number, kLargestDisk)));
    } else {
      EXPECT_FALSE(piece->Visible) << describe(*piece) << " is a spare";
      EXPECT_EQ(pictureName(piece->Picture), "Disk" + std::to_string(number));
      EXPECT_EQ(pictureName(piece->DragIcon), "Disk" + std::to_string(number));
    }
  }
}

TEST_P(EveryBoard, CirclesStartEmptyAndTakeAStretchedPiece) {
  for (const auto& [i, circle] : arrayItems(form(), names::kCircles)) {
    EXPECT_FALSE(circle->Picture) << describe(*circle);
    EXPECT_FALSE(circle->DragIcon) << describe(*circle);
    EXPECT_TRUE(circle->Tag.empty()) << describe(*circle);
    EXPECT_TRUE(circle->Visible) << describe(*circle);
    EXPECT_TRUE(circle->Stretch) << describe(*circle);
    EXPECT_EQ(circle->DragMode, kDragAutomatic) << describe(*circle);
  }
}

TEST_P(EveryBoard, HidesBothMarksUntilADrop) {
  for (auto [name, mark] : {std::pair{names::kRightMark, PictureId::MarkYes}, std::pair{names::kWrongMark, PictureId::MarkNo}}) {
    const ImageLayout* control = single(form(), name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_EQ(control->Picture, mark) << name;
    EXPECT_FALSE(control->Visible) << name;
  }
}

TEST_P(EveryBoard, HasBackAndWebSiteHotSpots) {
  const ImageLayout* back = single(form(), names::kBoardBack);
  const ImageLayout* web = single(form(), names::kWebSite);
  ASSERT_NE(back, nullptr);
  ASSERT_NE(web, nullptr);
  for (const ImageLayout* hotSpot : {back, web}) {
    EXPECT_FALSE(hotSpot->Picture) << describe(*hotSpot) << " must let the drawn button show";
    EXPECT_TRUE(hotSpot->Visible) << describe(*hotSpot);
  }
  EXPECT_EQ(web->MousePointer, kPointerCrosshair);
}

// ---- What a board's backdrop draws over its layout ----------------------------------------------

const BoardContent& contentOf(const FormLayout& form) {
  for (const MenuButton& button : layouts::kMenuButtons)
    if (button.board && button.board->form == &form) return *button.board;
  throw std::invalid_argument("no board content for " + std::string(form.Name));
}

// A ring and an arrow invite a drop: one over a circle no visible piece fits teases the pupil, and
// a playable circle without one is never found.
TEST_P(EveryBoard, DrawsARingForExactlyTheCirclesAVisiblePieceFits) {
  const BoardContent& content = contentOf(form());
  const auto keys = arrayItems(form(), names::kKeys);
  ASSERT_EQ(content.circles.size(), keys.size());
  for (const auto& [i, key] : keys) {
    bool fits = false;
    for (const auto& [j, piece] : arrayItems(form(), names::kPieces)) fits |= piece->Visible && piece->Tag == key->Tag;
    EXPECT_EQ(content.circles[static_cast<std::size_t>(i)].kind == CircleKind::Drawn, fits) << "g(" << i << ")";
  }
}

// The names go to the pieces by index: a name too many or too few means the list and the pieces
// disagree about which is which.
TEST_P(EveryBoard, NamesASkillForEveryPieceThePupilSees) {
  EXPECT_EQ(static_cast<int>(contentOf(form()).skills.size()), GetParam().visiblePieces);
}

}  // namespace
}  // namespace wizlo
