// Every drawn feature of a backdrop lies under the control that serves it:
// checked on the decoded backdrop pixels, scaled to the controls' rectangles
// read from the forms' own layout tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "assets/catalogue.hpp"
#include "assets/control_names.hpp"
#include "boards/form2.hpp"
#include "boards/form3.hpp"
#include "boards/form4.hpp"
#include "boards/form5.hpp"
#include "menu/form1.hpp"
#include "pages/form6.hpp"
#include "pages/form7.hpp"

namespace wizlo::assets {
namespace {

constexpr double kPageWidth = 13575, kPageHeight = 9135;

struct Pixel {
  int r = 0, g = 0, b = 0;
  static Pixel of(std::uint32_t rgb) {
    return {static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)};
  }
  int distance(const Pixel& p) const { return std::abs(r - p.r) + std::abs(g - p.g) + std::abs(b - p.b); }
  bool gold() const { return r > 180 && g > 110 && b < 120 && r - b > 90; }
  bool paleGreen() const { return g > 190 && g > r + 10 && g >= b; }
  bool ink() const { return r + g + b < 330; }
};

std::string describe(const Pixel& p) {
  return "(" + std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b) + ")";
}

// A backdrop as its form sees it: addressed in twips.
class Page {
 public:
  explicit Page(PictureId id) : image_(artwork(id)->image(artwork(id)->imageCount() - 1)) {}

  Pixel at(double xTwips, double yTwips) const {
    const int x = std::clamp(static_cast<int>(xTwips * image_.width / kPageWidth), 0, image_.width - 1);
    const int y = std::clamp(static_cast<int>(yTwips * image_.height / kPageHeight), 0, image_.height - 1);
    const std::uint32_t p = image_.argb[static_cast<std::size_t>(y) * image_.width + x];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
  }

  // The share of sampled pixels in a rectangle that are ink (text).
  double inkShare(const Rect& r) const {
    int inked = 0, all = 0;
    for (int y = r.Top; y < r.bottom(); y += 15)
      for (int x = r.Left; x < r.right(); x += 15, ++all) inked += at(x, y).ink();
    return all ? static_cast<double>(inked) / all : 0;
  }

 private:
  const Bitmap& image_;
};

const ImageLayout& control(const FormLayout& form, std::string_view name, std::optional<int> index = {}) {
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && (index ? c.Index && *c.Index == *index : !c.Index)) return c;
  ADD_FAILURE() << "no control " << name;
  return form.Controls.back();
}

// JPEG keeps flat colours to within a few levels a channel.
constexpr int kGroundTolerance = 24;

PictureId backdropOf(const FormLayout& form) { return form.Controls.back().Picture->id(); }

// The menu, and every form its table opens.
std::vector<const FormLayout*> everyForm() {
  std::vector<const FormLayout*> forms{&layouts::Form1};
  for (const MenuButton& button : layouts::kMenuButtons) forms.push_back(&button.form());
  return forms;
}

struct Board {
  PictureId id;
  const FormLayout* form;
  std::optional<std::uint32_t> flatGround;  // the tile ground, where tiles lie on the board
  std::vector<int> spareCircles;            // g(i) with nothing drawn under it
};

// Every board of the menu's table, as its content file describes it.
const std::vector<Board> kBoards = [] {
  std::vector<Board> boards;
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (!button.board) continue;
    const BoardContent& content = *button.board;
    Board board{backdropOf(*content.form), content.form, std::nullopt, {}};
    if (content.ground == Ground::Flat) board.flatGround = content.groundColour;
    for (std::size_t i = 0; i < content.circles.size(); ++i)
      if (content.circles[i].kind != CircleKind::Drawn) board.spareCircles.push_back(static_cast<int>(i));
    boards.push_back(board);
  }
  return boards;
}();

const Board& boardOf(const FormLayout& form) {
  return *std::find_if(kBoards.begin(), kBoards.end(), [&](const Board& b) { return b.form == &form; });
}

// The ground a board shows near a point: its flat colour, or the mint shading
// of the disk board sampled on bare ground at the same height by the right edge.
Pixel groundNear(const Page& page, const Board& board, double y) {
  if (board.flatGround) return Pixel::of(*board.flatGround);
  return page.at(kPageWidth - 60, y);
}

TEST(BackdropPlacement, EveryDrawnCircleIsARingAroundPlainGround) {
  for (const Board& board : kBoards) {
    const Page page(board.id);
    for (const ImageLayout& g : board.form->Controls) {
      if (g.Name != names::kCircles || !g.Visible) continue;
      const bool spare = std::find(board.spareCircles.begin(), board.spareCircles.end(), *g.Index) !=
                         board.spareCircles.end();
      if (spare) continue;
      SCOPED_TRACE(std::string(board.form->Name) + " g(" + std::to_string(*g.Index) + ")");
      const double cx = g.Left + g.Width / 2.0, cy = g.Top + g.Height / 2.0;
      const Pixel ground = groundNear(page, board, cy);
      EXPECT_LT(page.at(cx, cy).distance(ground), kGroundTolerance) << describe(page.at(cx, cy));
      // Around the centre, on the ring's own path, the ground gives way to the ring.
      int ringed = 0;
      for (int k = 0; k < 8; ++k) {
        const double angle = k * M_PI / 4;
        const double x = cx + (g.Width * 0.45 - 24) * std::cos(angle);
        const double y = cy + (g.Height * 0.45 - 24) * std::sin(angle);
        ringed += page.at(x, y).distance(ground) > 40;
      }
      EXPECT_GE(ringed, 7);
    }
  }
}

// A ring's own colour: the middle of its stroke at the left, where no arrow joins it.
Pixel ringColour(const Page& page, const ImageLayout& g) {
  return page.at(g.Left + g.Width * 0.05 + 24, g.Top + g.Height / 2.0);
}

TEST(BackdropPlacement, EachRingsArrowRisesFromItToALetterOfItsColour) {
  for (const Board& board : kBoards) {
    const Page page(board.id);
    int highestCircle = 9135;
    for (const ImageLayout& g : board.form->Controls)
      if (g.Name == names::kCircles && g.Top > 1800) highestCircle = std::min<int>(highestCircle, g.Top);
    for (const ImageLayout& g : board.form->Controls) {
      if (g.Name != names::kCircles || std::find(board.spareCircles.begin(), board.spareCircles.end(), *g.Index) !=
                               board.spareCircles.end())
        continue;
      SCOPED_TRACE(std::string(board.form->Name) + " g(" + std::to_string(*g.Index) + ")");
      const Pixel ring = ringColour(page, g);
      // The arrow leaves the top of the ring in the ring's colour, slanting towards its letter.
      int onArrow = 0;
      for (double x = g.Left + g.Width / 2.0 - 300; x < g.Left + g.Width / 2.0 + 300; x += 7.5)
        onArrow += page.at(x, g.Top - 100).distance(ring) < 60;
      EXPECT_GE(onArrow, 2) << describe(ring);
      // Somewhere in the sentence above, letters wear that colour.
      int matching = 0;
      for (int y = 0; y < highestCircle - 400; y += 15)
        for (int x = 0; x < 13575; x += 15) matching += page.at(x, y).distance(ring) < 40;
      EXPECT_GT(matching, 30) << describe(ring);
    }
  }
}

TEST(BackdropPlacement, PiecesAndSpareCirclesOnBlankGroundLieOnPlainGround) {
  struct Blank {
    const Board* board;
    std::string_view name;
    int index;
  };
  std::vector<Blank> blanks;
  for (const Board& board : kBoards)
    for (const ImageLayout& c : board.form->Controls)
      if (c.Name == names::kPieces && c.Visible) blanks.push_back({&board, names::kPieces, *c.Index});
  blanks.push_back({&boardOf(layouts::Form3), names::kPieces, 9});  // hidden spare piece of the book board
  blanks.push_back({&boardOf(layouts::Form4), names::kCircles, 9});  // spare circle left of the computer sentence
  for (const Blank& blank : blanks) {
    const ImageLayout& c = control(*blank.board->form, blank.name, blank.index);
    SCOPED_TRACE(std::string(blank.board->form->Name) + " " + std::string(blank.name) + "(" +
                 std::to_string(blank.index) + ")");
    const Page page(blank.board->id);
    for (auto [fx, fy] : {std::pair{0.5, 0.5}, {0.15, 0.2}, {0.85, 0.2}, {0.15, 0.8}, {0.85, 0.8}}) {
      const double x = c.Left + c.Width * fx, y = c.Top + c.Height * fy;
      const Pixel ground = groundNear(page, *blank.board, y);
      EXPECT_LT(page.at(x, y).distance(ground), kGroundTolerance) << describe(page.at(x, y));
    }
  }
}

TEST(BackdropPlacement, BackButtonsAreGoldUnderTheirHotSpots) {
  for (const MenuButton& button : layouts::kMenuButtons) {
    SCOPED_TRACE(std::string(button.form().Name));
    const Page page(backdropOf(button.form()));
    const Rect r = control(button.form(), button.board ? names::kBoardBack : names::kPageBack).rect();
    const double cy = r.Top + r.Height / 2.0;
    // Either side of the word, on the oval's face; the word itself sits in the middle.
    for (double fx : {0.17, 0.83}) EXPECT_TRUE(page.at(r.Left + r.Width * fx, cy).gold());
    EXPECT_GT(page.inkShare({r.Left + r.Width / 3, r.Top + r.Height / 3, r.Width / 3, r.Height / 3}), 0.1);
    // Outside the hot spot, no gold.
    EXPECT_FALSE(page.at(r.right() + 200, cy).gold());
  }
}

TEST(BackdropPlacement, MenuBannersLieUnderTheirHotSpots) {
  const Page page(PictureId::Backdrop1);
  for (const MenuButton& button : layouts::kMenuButtons) {
    SCOPED_TRACE(std::string(button.hotSpot));
    const Rect r = control(layouts::Form1, button.hotSpot).rect();
    for (auto [fx, fy] : {std::pair{0.05, 0.3}, {0.95, 0.3}, {0.5, 0.1}, {0.05, 0.6}, {0.95, 0.6}})
      EXPECT_TRUE(page.at(r.Left + r.Width * fx, r.Top + r.Height * fy).paleGreen())
          << describe(page.at(r.Left + r.Width * fx, r.Top + r.Height * fy)) << " at " << fx << "," << fy;
    // The banner's words.
    EXPECT_GT(page.inkShare({r.Left + r.Width / 4, r.Top + r.Height / 4, r.Width / 2, r.Height / 3}), 0.05);
  }
}

TEST(BackdropPlacement, TheProgrammingCreditLiesUnderTheWebSiteHotSpot) {
  for (const FormLayout* form : everyForm()) {
    const auto wex = std::find_if(form->Controls.begin(), form->Controls.end(),
                                  [](const ImageLayout& c) { return c.Name == names::kWebSite; });
    if (wex == form->Controls.end()) continue;  // the practice pages have none
    SCOPED_TRACE(std::string(form->Name));
    EXPECT_GT(Page(backdropOf(*form)).inkShare(wex->rect()), 0.03);
  }
}

TEST(BackdropPlacement, NoTextFallsInTheStripsTheWindowCutsOff) {
  for (const FormLayout* form : everyForm()) {
    SCOPED_TRACE(std::string(form->Name));
    const Page page(backdropOf(*form));
    const int w = form->ClientWidth, h = form->ClientHeight;
    // A margin of 60 twips inside the cut as well: letters touching the edge read as cut. The
    // ornaments run off the full-width boards on purpose, so only a cut right edge counts.
    EXPECT_EQ(page.inkShare({0, h - 60, 13575, 9135 - h + 60}), 0);
    if (w < 13575) {
      EXPECT_EQ(page.inkShare({w - 60, 0, 13575 - w + 60, 9135}), 0);
    }
  }
}

TEST(BackdropPlacement, GroundsHaveTheirBoardsColours) {
  const struct {
    PictureId id;
    double x, y;
    std::uint32_t colour;
  } grounds[] = {
      {PictureId::Backdrop1, 200, 150, layouts::Form1Content.ground},
      {PictureId::Backdrop2, 200, 150, layouts::Form2Content.groundColour},
      {PictureId::Backdrop3, 13400, 8000, layouts::Form3Content.groundColour},
      {PictureId::Backdrop4, 13400, 150, layouts::Form4Content.groundColour},
      {PictureId::Backdrop5, 6800, 300, layouts::Form5Content.groundColour},
      {PictureId::Backdrop6, 13500, 100, layouts::Form6Content.ground[0].colour},
      {PictureId::Backdrop7, 13400, 7000, layouts::Form7Content.ground[0].colour},
  };
  for (const auto& g : grounds) {
    SCOPED_TRACE(std::string(nameOf(g.id)));
    EXPECT_LT(Page(g.id).at(g.x, g.y).distance(Pixel::of(g.colour)), kGroundTolerance);
  }
  // The first practice page shades towards peach at the lower left.
  const Pixel low = Page(PictureId::Backdrop6).at(150, 9000);
  EXPECT_GT(low.r - low.b, 50) << describe(low);
}

}  // namespace
}  // namespace wizlo::assets
