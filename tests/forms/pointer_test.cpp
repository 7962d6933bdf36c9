#include "forms/pointer.hpp"

#include <functional>

#include <gtest/gtest.h>

#include "assets/control_names.hpp"
#include "forms/runtime.hpp"
#include "tests/support/logging_form.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

using Log = std::vector<std::string>;

// The drag state machine seen from the handlers: which events reach which
// control, in what order, and what the pointer shows meanwhile.
class PointerTest : public ::testing::Test {
 protected:
  PointerTest() {
    runtime.define("TestBoard", [](Runtime& rt) { return std::make_unique<LoggingForm>(rt, kTestBoard); });
    form().Show();
  }
  LoggingForm& form() { return static_cast<LoggingForm&>(runtime.form("TestBoard")); }
  ImageControl& c(int i) { return form().control(names::kPieces, static_cast<std::int16_t>(i)); }
  ImageControl& g(int i) { return form().control(names::kCircles, static_cast<std::int16_t>(i)); }

  ScriptedBackend backend;
  Runtime runtime{backend, placeholderPicture};
  Mouse mouse{runtime};
};

TEST_F(PointerTest, APressOnAnAutomaticControlStartsADragThatTheSourceHearsFirst) {
  const Point p = centreOf(c(0));
  mouse.press(form(), p.x, p.y);
  EXPECT_EQ(form().log, Log{"DragOver c(0) c(0) 0"});
  EXPECT_TRUE(runtime.pointer().dragging());
  mouse.moveTo(form(), p.x + 15, p.y);
  EXPECT_EQ(form().log.back(), "DragOver c(0) c(0) 2");
}

TEST_F(PointerTest, EveryControlCrossedHearsEnterMoveLeaveAndTheOneBeneathTheDrop) {
  mouse.drag(form(), c(0), c(1));  // c(1) lies just left of c(0)
  const Log& log = form().log;
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log.front(), "DragOver c(0) c(0) 0");
  EXPECT_EQ(log.back(), "DragDrop c(1) c(0)");
  const auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
  EXPECT_LT(at("DragOver c(0) c(0) 1"), at("DragOver c(1) c(0) 0"));
  EXPECT_EQ(std::count(log.begin(), log.end(), "DragOver c(0) c(0) 1"), 1);
  // The backdrop lies under the gap between the pieces and hears it too.
  EXPECT_NE(std::find(log.begin(), log.end(), "DragOver Image1 c(0) 0"), log.end());
  EXPECT_FALSE(runtime.pointer().dragging());
}

TEST_F(PointerTest, HiddenControlsAreSkippedAndDisabledOnesHearNothing) {
  g(0).SetEnabled(false);
  const Point key = centreOf(form().control(names::kKeys, 1));  // hidden, over the backdrop
  mouse.drag(form(), c(0), key.x, key.y);
  EXPECT_EQ(form().log.back(), "DragDrop Image1 c(0)");
  form().log.clear();
  mouse.drag(form(), c(0), g(0));
  for (const std::string& line : form().log) EXPECT_EQ(line.find(" g(0) "), std::string::npos) << line;
  EXPECT_NE(form().log.back().rfind("DragDrop", 0), 0u) << "the disabled circle took the drop";
  form().log.clear();
  const Point circle = centreOf(g(0));
  mouse.press(form(), circle.x, circle.y);  // a disabled control starts no drag
  mouse.release(form(), circle.x, circle.y);
  EXPECT_TRUE(form().log.empty());
}

// Where the button comes up decides the drop, whatever the pointer passed over before: input as
// hands and pointers really give it, with the release not always right after a move to its point.
TEST_F(PointerTest, TheDropGoesWhereTheButtonComesUp) {
  const Point piece = centreOf(c(0)), otherPiece = centreOf(c(1)), circle = centreOf(g(0)),
              otherCircle = centreOf(g(1));
  const Point outside{form().layout().ClientWidth + 600, circle.y};
  struct Case {
    const char* what;
    std::vector<Point> path;  // moves with the left button held, after the press on c(0)
    bool rightClickOnTheWay;  // the right button pressed and released at the path's end
    Point release;            // the left button comes up here, with no move reported first
    const char* dropOn;       // the control that hears the drop; null: none
  };
  const Case cases[] = {
      {"over another piece just after passing a circle", {circle}, false, otherPiece, "c(1)"},
      {"outside the window just after passing a circle", {circle}, false, outside, nullptr},
      {"outside the window after moving out from a circle", {circle, outside}, false, outside, nullptr},
      {"over a circle with no move since the press", {}, false, otherCircle, "g(1)"},
      {"over a circle after a right click on another", {circle}, true, otherCircle, "g(1)"},
  };
  for (const Case& test : cases) {
    form().log.clear();
    mouse.press(form(), piece.x, piece.y);
    for (const Point& p : test.path) mouse.moveTo(form(), p.x, p.y);
    if (test.rightClickOnTheWay) {
      const Point at = test.path.back();
      mouse.press(form(), at.x, at.y, kRightButton);
      mouse.release(form(), at.x, at.y, kRightButton);
    }
    mouse.letGo(form(), test.release.x, test.release.y);
    std::vector<std::string> drops;
    for (const std::string& line : form().log)
      if (line.rfind("DragDrop", 0) == 0) drops.push_back(line);
    const std::vector<std::string> expected =
        test.dropOn ? std::vector<std::string>{std::string("DragDrop ") + test.dropOn + " c(0)"}
                    : std::vector<std::string>{};
    EXPECT_EQ(drops, expected) << "a piece let go " << test.what
                               << ": a pupil would see it judged where the pointer passed, not where they let go";
    EXPECT_FALSE(runtime.pointer().dragging()) << test.what;
  }
}

// A finger does what the mouse does, and while it presses or drags nothing else is heard: not a
// second finger, not the mouse. A finger the system takes back ends its drag with no drop.
TEST_F(PointerTest, OneFingerAtATimeDragsAndTapsAsTheMouseDoes) {
  Mouse finger(runtime, PointerKind::Touch, 1), second(runtime, PointerKind::Touch, 2);
  const Point piece = centreOf(c(0)), circle = centreOf(g(0)), otherCircle = centreOf(g(1));
  const Point back = centreOf(form().control(names::kBoardBack));
  struct Case {
    const char* what;
    std::function<void()> meanwhile;  // with the first finger's drag from c(0) over g(0) under way
    const char* heard;                // the last event a handler heard; null: none after the press
  };
  const Case cases[] = {
      {"lifted over a circle", [&] { finger.release(form(), circle.x, circle.y); }, "DragDrop g(0) c(0)"},
      {"with a second finger tapping another circle",
       [&] {
         second.press(form(), otherCircle.x, otherCircle.y);
         second.release(form(), otherCircle.x, otherCircle.y);
         second.press(form(), back.x, back.y);
         second.release(form(), back.x, back.y);
         finger.release(form(), circle.x, circle.y);
       },
       "DragDrop g(0) c(0)"},
      {"with the mouse moving and clicking meanwhile",
       [&] {
         mouse.press(form(), otherCircle.x, otherCircle.y);
         mouse.letGo(form(), otherCircle.x, otherCircle.y);
         finger.release(form(), circle.x, circle.y);
       },
       "DragDrop g(0) c(0)"},
      {"taken back by the system", [&] { finger.cancel(form()); }, nullptr},
      {"with a second finger taken back",
       [&] {
         second.press(form(), otherCircle.x, otherCircle.y);
         second.cancel(form());
         finger.release(form(), circle.x, circle.y);
       },
       "DragDrop g(0) c(0)"},
  };
  for (const Case& test : cases) {
    form().log.clear();
    finger.press(form(), piece.x, piece.y);
    finger.moveTo(form(), circle.x, circle.y);
    test.meanwhile();
    std::vector<std::string> heard;
    for (const std::string& line : form().log)
      if (line.rfind("DragOver", 0) != 0) heard.push_back(line);
    EXPECT_EQ(heard, test.heard ? std::vector<std::string>{test.heard} : std::vector<std::string>{})
        << "a finger's drag " << test.what;
    EXPECT_FALSE(runtime.pointer().dragging()) << test.what;
  }
  form().log.clear();
  finger.click(form(), form().control(names::kBoardBack));
  EXPECT_EQ(form().log, (Log{"MouseDown rrr 1", "Click rrr"})) << "a tap on a hot spot is its click";
}

// A fingertip is broader than the point a screen reports, and on a phone a piece may be drawn
// narrower than one: a finger on nothing else that takes input takes the nearest piece in its reach.
TEST_F(PointerTest, AFingerBesideAPieceTakesTheNearestUnlessItIsOnAnotherControl) {
  Mouse finger(runtime, PointerKind::Touch, 1);
  struct Case { const char* what; Mouse& by; double layoutUnits; Point at; const char* taken; };
  const Case cases[] = {  // a finger reaches 12 units of layout: 360 twips on a form drawn at half size
      {"a finger 300 twips left of c(2) at half size", finger, 0.5, {900, 3000}, "c(2)"},
      {"the mouse there", mouse, 0.5, {900, 3000}, "Click Image1"},
      {"a finger there at full size", finger, 1, {900, 3000}, "Click Image1"},
      {"a finger nearer c(0) than c(1), which lies above it", finger, 0.5, {4770, 3200}, "c(0)"},
      {"a finger on the web hot spot just under c(0)", finger, 0.5, {5000, 3620}, "Click wex"},
      {"a finger beside a hidden key", finger, 0.5, {1750, 1650}, "Click Image1"},
  };
  for (const Case& test : cases) {
    backend.layoutUnits = test.layoutUnits;
    test.by.press(form(), test.at.x, test.at.y);
    test.by.release(form(), test.at.x, test.at.y);
    const ImageControl* lifted = runtime.pointer().lifted(form());
    EXPECT_EQ(lifted ? lifted->describe() : form().log.back(), test.taken) << test.what;
    test.by.press(form(), 3000, 4400);  // on the ground far from every piece: puts a lifted one back
    test.by.release(form(), 3000, 4400);
  }
}

TEST_F(PointerTest, AFingersDragCarriesItsPictureAboveTheFingertipAndNoPointerImage) {
  Mouse finger(runtime, PointerKind::Touch, 7);
  const Point p = centreOf(c(0));
  const Point to{p.x - 1500, p.y - 300};
  finger.press(form(), p.x, p.y);
  finger.moveTo(form(), to.x, to.y);
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow);
  const auto& window = backend.windows.at(static_cast<WindowId>(form().hWnd()));
  const std::uint32_t disk = placeholderColour(PictureId::Disk1) & 0xFFFFFFu;
  EXPECT_EQ(window.at(to.x, to.y - kCarriedSize), disk) << "the piece is not drawn above the finger";
  EXPECT_NE(window.at(to.x, to.y), disk) << "the piece lies under the fingertip, hidden by it";
  finger.release(form(), to.x, to.y);
  EXPECT_NE(window.at(to.x, to.y - kCarriedSize), disk) << "the piece stays drawn after the drag";
}

TEST_F(PointerTest, ReleasingOutsideTheClientAreaDropsNothing) {
  const Point p = centreOf(c(0));
  mouse.press(form(), p.x, p.y);
  mouse.releaseOutside(form());
  for (const std::string& line : form().log) EXPECT_EQ(line.rfind("DragDrop", 0), std::string::npos) << line;
  EXPECT_FALSE(runtime.pointer().dragging());
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow);
}

TEST_F(PointerTest, AReleaseThatNeverArrivedEndsTheDragQuietly) {
  const Point p = centreOf(c(0));
  mouse.press(form(), p.x, p.y);
  runtime.handle(Mouse::at(InputEvent::Kind::Move, form(), p.x - 300, p.y, 0));  // no button held
  EXPECT_FALSE(runtime.pointer().dragging());
  runtime.handle(Mouse::at(InputEvent::Kind::Press, form(), p.x, p.y));
  runtime.handle(Mouse::at(InputEvent::Kind::GrabLost, form(), p.x, p.y));
  EXPECT_FALSE(runtime.pointer().dragging());
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow);
}

TEST_F(PointerTest, ClosingTheWindowMidDragEndsTheDrag) {
  const Point p = centreOf(c(0));
  mouse.press(form(), p.x, p.y);
  mouse.close(form());
  EXPECT_FALSE(form().loaded());
  EXPECT_FALSE(runtime.pointer().dragging());
  form().Show();
  mouse.release(form(), p.x, p.y);  // the stray release of the old drag
  EXPECT_EQ(form().log, Log{"DragOver c(0) c(0) 0"});
}

TEST_F(PointerTest, AClickNeedsPressAndReleaseOnOneControlWithTheLeftButton) {
  const Point wex = centreOf(form().control(names::kWebSite)), rrr = centreOf(form().control(names::kBoardBack));
  mouse.press(form(), wex.x, wex.y);
  mouse.release(form(), rrr.x, rrr.y);
  mouse.press(form(), wex.x, wex.y, kRightButton);
  mouse.release(form(), wex.x, wex.y, kRightButton);
  mouse.press(form(), -300, rrr.y);  // outside the window, then up over a hot spot
  mouse.letGo(form(), rrr.x, rrr.y);
  mouse.click(form(), form().control(names::kBoardBack));
  EXPECT_EQ(form().log, (Log{"MouseDown wex 1", "MouseDown wex 2", "MouseDown rrr 1", "Click rrr"}));
}

TEST_F(PointerTest, ThePointerShowsTheDragIconAndFollowsItsChangesAtOnce) {
  form().onDragOver = [&](ImageControl& target, ImageControl& source) {
    if (target.Name() == names::kBackdrop) source.SetDragIcon(placeholderPicture(PictureId::Disk9));
  };
  const Point p = centreOf(c(0));
  mouse.press(form(), p.x, p.y);
  EXPECT_EQ(backend.pointerShape, PointerShape::Picture);
  EXPECT_EQ(backend.pointerPicture.artwork(), c(0).DragIcon().artwork());
  mouse.moveTo(form(), 3000, 3900);
  EXPECT_EQ(backend.pointerPicture.artwork(), placeholderPicture(PictureId::Disk9).artwork());
}

TEST_F(PointerTest, ADragWithAnEmptyIconDrawsTheSourcesOutlineUnderThePointer) {
  c(0).SetDragIcon(LoadPicture());
  const Point p = centreOf(c(0));
  mouse.press(form(), p.x, p.y);
  mouse.moveTo(form(), p.x - 1500, p.y - 300);
  // The outline's left and right edges, where the source would lie if it had moved with the pointer.
  const Rect moved{c(0).rect().Left - 1500, c(0).rect().Top - 300, c(0).rect().Width, c(0).rect().Height};
  const auto outlined = [&] {
    const auto& window = backend.windows.at(static_cast<WindowId>(form().hWnd()));
    return window.at(moved.Left, p.y - 300) == kDragOutline && window.at(moved.right() - 15, p.y - 300) == kDragOutline;
  };
  EXPECT_TRUE(outlined());
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow);
  mouse.release(form(), p.x - 1500, p.y - 300);
  EXPECT_FALSE(outlined());
}

TEST_F(PointerTest, TheCrosshairShowsOverControlsThatAskForIt) {
  const Point wex = centreOf(form().control(names::kWebSite));
  mouse.moveTo(form(), wex.x, wex.y);
  EXPECT_EQ(backend.pointerShape, PointerShape::Crosshair);
  mouse.moveTo(form(), 3000, 3900);
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow);
}

}  // namespace
}  // namespace wizlo::testing
