// The four boards played with the real pointer: what the pupil sees and hears after each drop.

#include <cmath>

#include "assets/control_names.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

class Board : public WizloE2e, public ::testing::WithParamInterface<FormCase> {
 protected:
  const FormLayout& form() const { return *GetParam().layout; }
  // Where the piece lay shows only the board's ground, which may shade gently but carries no numeral:
  // the share of the slot's pixels close to the slot's mean colour.
  static double emptied(const Screenshot& shot, const WindowInfo& board, const ImageLayout& piece) {
    double r = 0, g = 0, b = 0;
    const double all = share(shot, board, piece, [&](Point, Rgb p) {
      r += p.r, g += p.g, b += p.b;
      return true;
    });
    const double n = all * (piece.Width / 15 - 4) * (piece.Height / 15 - 4);
    r /= n, g /= n, b /= n;
    return share(shot, board, piece, [&](Point, Rgb p) {
      return std::abs(p.r - r) + std::abs(p.g - g) + std::abs(p.b - b) < 40;
    });
  }
  // The few pixels at the centre of a control are as they were.
  static bool centreUnchanged(const Screenshot& before, const Screenshot& now, const WindowInfo& window,
                              const ImageLayout& c) {
    const Point middle = centre(window, c);
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (!(before.at({middle.x + dx, middle.y + dy}) == now.at({middle.x + dx, middle.y + dy}))) return false;
    return true;
  }
  // A judged wrong drop: the cross, "no", and the piece still where it was.
  void expectWrong(const WindowInfo& board, const Screenshot& opening, const ImageLayout& piece,
                   const ImageLayout& circle, const std::string& what) {
    drag(board, piece, circle);
    EXPECT_EQ(nextSound(), "no") << what;
    const Screenshot now =
        screenWhen([&](const Screenshot& s) { return markShown(s, board, control(form(), names::kWrongMark), markNoRed) > 0.05; });
    EXPECT_GT(markShown(now, board, control(form(), names::kWrongMark), markNoRed), 0.05) << what << ": no cross";
    EXPECT_EQ(markShown(now, board, control(form(), names::kRightMark), markYesGreen), 0) << what << ": a check";
    EXPECT_GT(unchanged(opening, now, board, piece), 0.98) << what << ": the piece left its slot";
    EXPECT_TRUE(centreUnchanged(opening, now, board, circle)) << what << ": the circle took something";
  }
};

TEST_P(Board, PlayedToTheEndEveryCircleShowsItsPieceWithACheckAndAYes) {
  const WindowInfo board = open(GetParam().button);
  const Screenshot opening = display.screenshot();
  const ImageLayout& check = control(form(), names::kRightMark);
  EXPECT_EQ(markShown(opening, board, check, markYesGreen), 0) << "the check shows before any drop";
  for (const ImageLayout& piece : form().Controls)
    if (piece.Name == names::kPieces && piece.Visible) {
      EXPECT_LT(emptied(opening, board, piece), 0.8) << "c(" << *piece.Index << ") looks empty from the start";
    }
  for (int i = 0; i < arraySize(form(), names::kCircles); ++i) {
    const ImageLayout* piece = pieceFor(form(), i);
    if (!piece) continue;  // the spare circle of a hidden piece
    const std::string what = "g(" + std::to_string(i) + ")";
    drag(board, *piece, control(form(), names::kCircles, i));
    EXPECT_EQ(nextSound(), "yes") << what;
    const Screenshot now = screenWhen([&](const Screenshot& s) { return emptied(s, board, *piece) > 0.9; });
    EXPECT_GT(emptied(now, board, *piece), 0.9) << what << ": its piece is still in the pool";
    EXPECT_GT(markShown(now, board, check, markYesGreen), 0.05) << what << ": no check";
    EXPECT_EQ(markShown(now, board, control(form(), names::kWrongMark), markNoRed), 0) << what << ": a cross";
  }
  const Screenshot end = display.screenshot();
  for (int i = 0; i < arraySize(form(), names::kCircles); ++i) {
    const ImageLayout& circle = control(form(), names::kCircles, i);
    if (const ImageLayout* piece = pieceFor(form(), i)) {
      EXPECT_LT(unchanged(opening, end, board, circle), 0.7) << "g(" << i << ") hardly changed";
      EXPECT_GT(emptied(end, board, *piece), 0.9) << "c(" << *piece->Index << ") is not empty";
    } else {
      EXPECT_GT(unchanged(opening, end, board, circle), 0.99) << "the spare g(" << i << ") changed";
    }
  }
}

TEST_P(Board, AWrongDropShowsTheCrossSaysNoAndLeavesThePieceToBePlayedRight) {
  const WindowInfo board = open(GetParam().button);
  const Screenshot opening = display.screenshot();
  const ImageLayout& piece = *pieceFor(form(), 0);
  expectWrong(board, opening, piece, control(form(), names::kCircles, 1), "on g(1)");
  drag(board, piece, control(form(), names::kCircles, 0));
  EXPECT_EQ(nextSound(), "yes");
  const Screenshot now = screenWhen([&](const Screenshot& s) { return emptied(s, board, piece) > 0.9; });
  EXPECT_GT(markShown(now, board, control(form(), names::kRightMark), markYesGreen), 0.05);
  EXPECT_EQ(markShown(now, board, control(form(), names::kWrongMark), markNoRed), 0) << "the cross stayed";
}

INSTANTIATE_TEST_SUITE_P(EveryBoard, Board, ::testing::ValuesIn(kBoards),
                         [](const auto& info) { return std::string(info.param.layout->Name); });

}  // namespace
}  // namespace wizlo::e2e
