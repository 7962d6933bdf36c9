// A drag on a real board that something interrupts: the pointer leaves the window and comes back,
// the window is resized, another program takes the pointer, another button goes down. Afterwards no
// piece is lost or doubled, the pointer is an arrow again, and the next drag works as ever. (A window
// closed mid-drag, a release outside it and a release never seen are the drag machine's own cases,
// in tests/forms/pointer_test.cpp.)

#include <gtest/gtest.h>

#include <functional>

#include "assets/control_names.hpp"
#include "tests/support/board_watch.hpp"
#include "tests/support/real_program.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

using Kind = InputEvent::Kind;

struct Interruption {
  const char* what;
  // Runs with the drag of the fitting piece under way and the pointer over its circle.
  std::function<void(RealProgram&, Form&)> happen;
  bool pieceArrives;  // the piece ends in its circle
};

void send(RealProgram& program, InputEvent event) {
  program.runtime.handle(event);
  program.runtime.presentChanges();
}

InputEvent windowEvent(Kind kind, Form& board) {
  return InputEvent{.kind = kind, .window = static_cast<WindowId>(board.hWnd())};
}

InputEvent pointerAt(Kind kind, Form& board, Twips x, Twips y, int buttons, bool inside) {
  InputEvent event = Mouse::at(kind, board, x, y, kLeftButton);
  event.buttons = buttons;
  event.inside = inside;
  return event;
}

const Interruption kInterruptions[] = {
    {"the pointer leaves and comes back before the release",
     [](RealProgram& p, Form& b) {
       const Point circle = centreOf(b.control(names::kCircles, rightFit(b).circle));
       send(p, pointerAt(Kind::Move, b, b.layout().ClientWidth + 900, circle.y, kLeftButton, false));
       send(p, pointerAt(Kind::Move, b, circle.x, circle.y, kLeftButton, true));
       send(p, pointerAt(Kind::Release, b, circle.x, circle.y, 0, true));
     },
     true},
    {"the window is resized", [](RealProgram& p, Form& b) {
       const Point circle = centreOf(b.control(names::kCircles, rightFit(b).circle));
       send(p, windowEvent(Kind::Exposed, b));
       send(p, pointerAt(Kind::Release, b, circle.x, circle.y, 0, true));
     },
     true},
    {"another program takes the pointer", [](RealProgram& p, Form& b) {
       const Point circle = centreOf(b.control(names::kCircles, rightFit(b).circle));
       send(p, windowEvent(Kind::GrabLost, b));
       send(p, pointerAt(Kind::Release, b, circle.x, circle.y, 0, true));
     },
     false},
    {"the right button goes down and up as well", [](RealProgram& p, Form& b) {
       const Point circle = centreOf(b.control(names::kCircles, rightFit(b).circle));
       p.mouse.press(b, circle.x, circle.y, kRightButton);
       p.mouse.release(b, circle.x, circle.y, kRightButton);
       p.mouse.release(b, circle.x, circle.y);
     },
     true},
};

TEST(InterruptedDrag, LosesNoPieceAndLeavesTheBoardWorking) {
  for (const char* boardName : {"Form2", "Form3", "Form4", "Form5"})
    for (const Interruption& interruption : kInterruptions) {
      SCOPED_TRACE(std::string(boardName) + ", " + interruption.what);
      RecordingSound sound;
      RecordingWeb web;
      RealProgram program(sound, web, "/opt/wizlo");
      Form& board = program.board(boardName);
      const BoardWatch watch(board);
      const Fit fit = rightFit(board);
      const Point from = centreOf(board.control(names::kPieces, fit.piece));
      const Point to = centreOf(board.control(names::kCircles, fit.circle));
      program.mouse.press(board, from.x, from.y);
      program.mouse.moveTo(board, to.x, to.y);
      ASSERT_TRUE(program.runtime.pointer().dragging());

      interruption.happen(program, board);

      EXPECT_FALSE(program.runtime.pointer().dragging());
      EXPECT_EQ(program.backend.pointerShape, PointerShape::Arrow);
      EXPECT_TRUE(program.backend.errors.empty());
      if (board.loaded())
        if (auto wrong = watch.check(board)) ADD_FAILURE() << *wrong;
      Form& now = board.loaded() ? board : program.board(boardName);
      if (interruption.pieceArrives) {
        EXPECT_FALSE(board.control(names::kCircles, fit.circle).Picture().isEmpty());
        EXPECT_EQ(sound.played, std::vector<std::string>{"/opt/wizlo\\yes"});
        continue;
      }
      EXPECT_TRUE(now.control(names::kCircles, fit.circle).Picture().isEmpty());
      EXPECT_FALSE(now.control(names::kPieces, fit.piece).Picture().isEmpty());
      EXPECT_TRUE(sound.played.empty());
      // The next drag is judged as ever.
      timedDrop(program.mouse, now, fit);
      EXPECT_TRUE(now.control(names::kRightMark).Visible());
      EXPECT_EQ(sound.played, std::vector<std::string>{"/opt/wizlo\\yes"});
    }
}

}  // namespace
}  // namespace wizlo::testing
