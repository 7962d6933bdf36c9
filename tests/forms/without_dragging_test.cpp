// A piece placed without holding a drag: tapped and then its circle tapped, or moved with the keys.
// The form must hear what a drag there tells it, and the frame shows what is lifted and focused.

#include <gtest/gtest.h>

#include <cmath>

#include "assets/control_names.hpp"
#include "forms/compose.hpp"
#include "forms/runtime.hpp"
#include "tests/support/logging_form.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

using Log = std::vector<std::string>;

class WithoutDragging : public ::testing::Test {
 protected:
  WithoutDragging() {
    runtime.define("TestBoard", [](Runtime& rt) {
      auto form = std::make_unique<LoggingForm>(rt, kTestBoard);
      form->reach = {names::kCircles, names::kBoardBack};
      return form;
    });
    form().Show();
  }
  LoggingForm& form() { return static_cast<LoggingForm&>(runtime.form("TestBoard")); }
  ImageControl& c(int i) { return form().control(names::kPieces, static_cast<std::int16_t>(i)); }
  ImageControl& g(int i) { return form().control(names::kCircles, static_cast<std::int16_t>(i)); }
  const ImageControl* focused() { return runtime.keyboard().focused(form()); }
  Overlay overlay() {
    Overlay o = runtime.pointer().overlayFor(form());
    runtime.keyboard().addTo(o, form());
    return o;
  }
  void focusOn(const ImageControl& control) { ASSERT_TRUE(keys.tabTo(form(), control)) << control.describe(); }
  void tap(Mouse& hand, const ImageControl& control) {
    const Point p = centreOf(control);
    hand.press(form(), p.x, p.y);
    hand.release(form(), p.x, p.y);
  }
  // What the source and the target heard, without the moves in between or the controls crossed.
  static Log between(const Log& log, const std::string& source, const std::string& target) {
    Log kept;
    for (const std::string& line : log) {
      const std::size_t from = line.find(' ') + 1;
      const std::string heardBy = line.substr(from, line.find(' ', from) - from);
      if ((heardBy == source || heardBy == target) && !line.ends_with(" 2")) kept.push_back(line);
    }
    return kept;
  }

  ScriptedBackend backend;
  Runtime runtime{backend, placeholderPicture};
  Mouse mouse{runtime};
  Mouse finger{runtime, PointerKind::Touch, 1};
  Keyboard keys{runtime};
};

enum class Way { Drag, TapsOfTheMouse, TapsOfAFinger, Keys };

TEST_F(WithoutDragging, EachWayGivesTheFormWhatADragThereGivesIt) {
  struct Case {
    int piece, circle;
    Log heard;  // the piece leaving its slot, the circle entered, the drop
  };
  const Case cases[] = {
      {0, 1, {"DragOver c(0) c(0) 0", "DragOver c(0) c(0) 1", "DragOver g(1) c(0) 0", "DragDrop g(1) c(0)"}},
      {2, 2, {"DragOver c(2) c(2) 0", "DragOver c(2) c(2) 1", "DragOver g(2) c(2) 0", "DragDrop g(2) c(2)"}},
  };
  for (const Way way : {Way::Drag, Way::TapsOfTheMouse, Way::TapsOfAFinger, Way::Keys})
    for (const Case& one : cases) {
      form().log.clear();
      ImageControl& piece = c(one.piece);
      ImageControl& circle = g(one.circle);
      switch (way) {
        case Way::Drag: mouse.drag(form(), piece, circle); break;
        case Way::TapsOfTheMouse:
          tap(mouse, piece);
          tap(mouse, circle);
          break;
        case Way::TapsOfAFinger:
          tap(finger, piece);
          tap(finger, circle);
          break;
        case Way::Keys:
          focusOn(piece);
          keys.press(Key::Enter);
          focusOn(circle);
          keys.press(Key::Space);
          break;
      }
      const std::string what = "way " + std::to_string(static_cast<int>(way)) + ", c(" + std::to_string(one.piece) + ")";
      EXPECT_EQ(between(form().log, piece.describe(), circle.describe()), one.heard) << what;
      EXPECT_EQ(form().log.back(), one.heard.back()) << what << ": something came after the drop";
      EXPECT_FALSE(runtime.pointer().dragSource()) << what;
      EXPECT_EQ(backend.pointerShape, PointerShape::Arrow) << what;
    }
}

TEST_F(WithoutDragging, ATappedPieceWaitsRingedUntilATapPutsItDownOrBack) {
  const Point piece = centreOf(c(0));
  // A hand's wobble is still a tap: a pixel for the mouse, a few for a fingertip.
  mouse.press(form(), piece.x, piece.y);
  mouse.release(form(), piece.x + 15, piece.y);
  ASSERT_EQ(runtime.pointer().lifted(form()), &c(0));
  EXPECT_EQ(form().log.front(), "DragOver c(0) c(0) 0");
  ASSERT_TRUE(overlay().lifted);
  EXPECT_EQ(overlay().lifted->around.Left, c(0).rect().Left);
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow) << "a lifted piece is not carried by the pointer";

  // The ground, Escape, or another piece: put back, with no drop.
  tap(mouse, form().control(names::kBackdrop));
  EXPECT_FALSE(runtime.pointer().lifted(form()));
  finger.press(form(), piece.x, piece.y);
  finger.release(form(), piece.x + 90, piece.y + 90);
  ASSERT_EQ(runtime.pointer().lifted(form()), &c(0));
  keys.press(Key::Escape);
  EXPECT_FALSE(runtime.pointer().lifted(form()));
  EXPECT_TRUE(form().loaded()) << "Escape with a piece lifted leaves the form";
  tap(mouse, c(0));
  tap(mouse, c(2));
  EXPECT_EQ(runtime.pointer().lifted(form()), &c(2)) << "a tap on another piece lifts that one";
  tap(mouse, c(2));
  EXPECT_FALSE(runtime.pointer().lifted(form()));
  for (const std::string& line : form().log) EXPECT_FALSE(line.starts_with("DragDrop") && line != "DragDrop c(2) c(2)") << line;
  EXPECT_EQ(form().log.back(), "DragDrop c(2) c(2)") << "a tap on the lifted piece puts it back as a drag there does";

  // Moved further than a wobble, it is a drag, dropped where it ends.
  form().log.clear();
  mouse.press(form(), piece.x, piece.y);
  mouse.release(form(), piece.x + 60, piece.y);
  EXPECT_FALSE(runtime.pointer().lifted(form()));
  EXPECT_EQ(form().log.back(), "DragDrop c(0) c(0)");

  // A lifted piece taken on by a press that then drags drops where that drag ends.
  tap(mouse, c(0));
  mouse.drag(form(), c(0), g(2));
  EXPECT_EQ(form().log.back(), "DragDrop g(2) c(0)");

  // A circle that takes nothing (disabled) puts the piece back and hears nothing.
  g(1).SetEnabled(false);
  form().log.clear();
  tap(mouse, c(0));
  tap(mouse, g(1));
  EXPECT_FALSE(runtime.pointer().lifted(form()));
  EXPECT_EQ(form().log, Log{"DragOver c(0) c(0) 0"});
}

TEST_F(WithoutDragging, TheFocusRingGoesRoundPiecesThenHotSpotsInReadingOrderAndShowsOnlyForKeys) {
  EXPECT_FALSE(overlay().focus) << "a ring before any key";
  keys.press(Key::Tab);
  // The pieces' row from the right, then the hot spots' row from the right, then round again.
  const ImageControl* order[] = {&c(0), &c(1), &c(2), &form().control(names::kWebSite),
                                 &form().control(names::kBoardBack), &c(0)};
  for (const ImageControl* expected : order) {
    ASSERT_TRUE(overlay().focus);
    EXPECT_EQ(focused(), expected) << focused()->describe();
    EXPECT_EQ(overlay().focus->around.Left, expected->rect().Left);
    keys.press(Key::Tab);
  }
  keys.press(Key::Tab, true);
  EXPECT_EQ(focused(), &c(0));
  keys.press(Key::Right);
  EXPECT_EQ(focused(), &form().control(names::kBoardBack));
  keys.press(Key::Left);
  EXPECT_EQ(focused(), &c(0));
  keys.press(Key::Down);
  EXPECT_EQ(focused(), &c(1));
  keys.press(Key::Up);
  EXPECT_EQ(focused(), &c(0));

  // Lifted, the ring goes over the empty circles only, from the right; one that took a piece drops out.
  g(1).SetEnabled(false);
  keys.press(Key::Enter);
  EXPECT_EQ(runtime.pointer().lifted(form()), &c(0));
  EXPECT_EQ(focused(), &g(0));
  keys.press(Key::Left);
  EXPECT_EQ(focused(), &g(2));
  keys.press(Key::Enter, false, true);
  EXPECT_EQ(runtime.pointer().lifted(form()), &c(0)) << "a held key's repeat put the piece down";

  // A press of the pointer hides the ring, and the next key brings it back where it was.
  const Point ground = centreOf(form().control(names::kBackdrop));
  mouse.press(form(), ground.x, ground.y);
  mouse.release(form(), ground.x, ground.y);
  EXPECT_FALSE(overlay().focus);
  keys.press(Key::Tab);
  EXPECT_TRUE(overlay().focus);

  // Enter on a hot spot clicks it; Escape clicks the back hot spot.
  focusOn(form().control(names::kWebSite));
  form().log.clear();
  keys.press(Key::Space);
  keys.press(Key::Escape);
  EXPECT_EQ(form().log, (Log{"Click wex", "Click rrr"}));
}

// The rings are bands of black and white: whatever the ground, one of them stands out from it by at
// least 3 to 1, at every scale.
TEST_F(WithoutDragging, TheLiftedAndFocusRingsStandOutFromAnyGround) {
  const auto luminance = [](std::uint32_t rgb) {
    double sum = 0;
    const double weights[] = {0.0722, 0.7152, 0.2126};  // blue, green, red
    for (int i = 0; i < 3; ++i) {
      const double v = ((rgb >> (8 * i)) & 0xFF) / 255.0;
      sum += weights[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
  };
  const auto contrast = [&](std::uint32_t a, std::uint32_t b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
  };
  for (const PictureId ground : {PictureId::Backdrop2, PictureId::Disk1, PictureId::Disk2, PictureId::BlueTile2})
    for (const double scale : {1.0, 2.0, 1.5})
    for (const bool lifted : {true, false}) {
      form().control(names::kBackdrop).SetPicture(placeholderPicture(ground));
      backend.scaleFactor = scale;
      ScriptedBackend::Window& window = backend.windows.at(static_cast<WindowId>(form().hWnd()));
      window.pixels = {};
      if (lifted) {
        tap(mouse, c(0));
      } else {
        keys.press(Key::Tab);  // shows the ring, wherever it is
        focusOn(c(0));
      }
      form().requestRepaint();
      runtime.presentChanges();
      // Along a line from the piece's middle rightwards out of its ring: the strongest contrast
      // with the ground just beyond.
      const Rect r = c(0).rect();
      const Twips y = r.Top + r.Height / 2;
      const std::uint32_t around = window.at(r.right() + 14 * kTwipsPerPixel, y, scale);
      double best = 0;
      for (Twips x = r.right(); x < r.right() + 9 * kTwipsPerPixel; x += kTwipsPerPixel / 2)
        best = std::max(best, contrast(window.at(x, y, scale), around));
      EXPECT_GE(best, 3.0) << (lifted ? "lifted" : "focus") << " at " << scale << " on " << std::hex << around;
      keys.press(Key::Escape);
      mouse.press(form(), 0, 0);
      mouse.release(form(), 0, 0);
    }
}

}  // namespace
}  // namespace wizlo::testing
