// The whole program without a drag: by keys alone through X's keyboard, and a board by taps of the
// real pointer, each piece tapped and then its circle.

#include "assets/control_names.hpp"
#include "boards/form2.hpp"
#include "boards/form3.hpp"
#include "pages/form6.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

// Whether `ring` shows around control `c` of `window`, drawn at 1x.
bool ringed(const Screenshot& shot, const WindowInfo& window, const ImageLayout& c, std::string_view ring) {
  const Point at = WizloRun::at(window, c.Left, c.Top);
  return ringShows(shot, {window.x, window.y, window.width, window.height}, {at.x, at.y, c.Width / 15, c.Height / 15},
                   10, ring);
}

TEST_F(WizloE2e, TheMenuAPageAndABoardByKeysAlone) {
  // The menu's buttons from the top: the children's page is the sixth, the first board the second.
  display.pressKeys(menu.id, {"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Return"});
  const WindowInfo page = run.waitForWindows(2);
  EXPECT_EQ(page.name, layouts::Form6.Caption);
  display.pressKeys(page.id, {"Escape"});
  run.waitForWindows(1);
  display.pressKeys(menu.id, {"shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "Return"});
  const WindowInfo board = run.waitForWindows(2);
  ASSERT_EQ(board.name, layouts::Form2.Caption);

  // Opened by a key, the board rings its first piece. Its pieces are numbered as they read and its
  // circles from the right, the order the keys take them in; a piece in its circle leaves the ring
  // on the next piece.
  const FormLayout& form = layouts::Form2;
  const ImageLayout& first = control(form, names::kPieces, 0);
  const Screenshot opening = screenWhen([&](const Screenshot& s) { return ringed(s, board, first, kFocusRing); });
  EXPECT_TRUE(ringed(opening, board, first, kFocusRing)) << "no focus ring on c(0)";
  std::vector<bool> filled(static_cast<std::size_t>(arraySize(form, names::kCircles)), false);
  for (int piece = 0; piece < arraySize(form, names::kPieces); ++piece) {
    int circle = 0;
    while (pieceFor(form, circle) != &control(form, names::kPieces, piece)) ++circle;
    std::vector<std::string> keys{"Return"};
    for (int i = 0; i < circle; ++i)
      if (!filled[static_cast<std::size_t>(i)]) keys.emplace_back("Left");
    keys.emplace_back("space");
    display.pressKeys(board.id, keys);
    ASSERT_EQ(nextSound(), "yes") << "c(" << piece << ") to g(" << circle << ")";
    filled[static_cast<std::size_t>(circle)] = true;
  }
  const Screenshot end = display.screenshot();
  EXPECT_GT(markShown(end, board, control(form, names::kRightMark), markYesGreen), 0.05);
  display.pressKeys(board.id, {"Escape"});
  run.waitForWindows(1);
  EXPECT_TRUE(run.running());
}

TEST_F(WizloE2e, ABoardPlayedToTheEndByTappingEachPieceAndThenItsCircle) {
  const FormLayout& form = layouts::Form3;
  const WindowInfo board = open(layouts::hotSpotOpening(form));
  const ImageLayout& first = *pieceFor(form, 0);
  // Lifted, the piece is ringed; a wrong circle judges it and leaves it in the pool.
  clickOn(board, first);
  const Screenshot lifted = screenWhen([&](const Screenshot& s) { return ringed(s, board, first, kLiftedRing); });
  EXPECT_TRUE(ringed(lifted, board, first, kLiftedRing)) << "the tapped piece shows no ring";
  clickOn(board, control(form, names::kCircles, 1));
  EXPECT_EQ(nextSound(), "no");
  for (int circle = 0; circle < arraySize(form, names::kCircles); ++circle) {
    const ImageLayout* piece = pieceFor(form, circle);
    if (!piece) continue;  // the spare circle
    clickOn(board, *piece);
    clickOn(board, control(form, names::kCircles, circle));
    ASSERT_EQ(nextSound(), "yes") << "g(" << circle << ")";
  }
  EXPECT_GT(markShown(display.screenshot(), board, control(form, names::kRightMark), markYesGreen), 0.05);
}

}  // namespace
}  // namespace wizlo::e2e
