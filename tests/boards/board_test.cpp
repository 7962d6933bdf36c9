#include "boards/board.hpp"

#include <gtest/gtest.h>

#include "assets/control_names.hpp"
#include "forms/runtime.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

constexpr const char* kFolder = "/opt/wizlo";

// The test board driven through the runtime core by a scripted pointer, so
// every drop goes through the same hit testing and drag states as a hand.
class BoardTest : public ::testing::Test {
 protected:
  BoardTest() {
    runtime.define("TestBoard", [this](Runtime& rt) {
      return std::make_unique<Board>(rt, kTestBoard, platform::Services{sound, web, kFolder});
    });
    board().Show();
  }

  Board& board() { return static_cast<Board&>(runtime.form("TestBoard")); }
  ImageControl& c(int i) { return board().control(names::kPieces, static_cast<std::int16_t>(i)); }
  ImageControl& g(int i) { return board().control(names::kCircles, static_cast<std::int16_t>(i)); }
  ImageControl& named(std::string_view name) { return board().control(name); }
  bool shown(std::string_view mark) { return named(mark).Visible(); }
  void visitAgain() {
    board().Unload();
    board().Show();
  }
  std::uint32_t colourOf(const PictureValue& p) { return p.artwork()->image(0).argb[5 * 16 + 8]; }

  ScriptedBackend backend;
  RecordingSound sound;
  RecordingWeb web;
  Runtime runtime{backend, placeholderPicture};
  Mouse mouse{runtime};
};

TEST_F(BoardTest, CorrectDropMovesThePieceIntoItsCircleAndSaysYes) {
  const Artwork* piece = c(2).Picture().artwork();
  mouse.drag(board(), c(2), g(0));

  EXPECT_EQ(g(0).Picture().artwork(), piece);
  EXPECT_EQ(g(0).DragIcon().artwork(), piece);
  EXPECT_EQ(g(0).Tag(), "1");
  EXPECT_FALSE(g(0).Enabled());
  EXPECT_TRUE(c(2).Picture().isEmpty());
  EXPECT_TRUE(c(2).DragIcon().isEmpty());
  EXPECT_EQ(c(2).Tag(), "1");
  EXPECT_TRUE(c(2).Visible() && c(2).Enabled());
  EXPECT_TRUE(shown(names::kRightMark));
  EXPECT_FALSE(shown(names::kWrongMark));
  EXPECT_EQ(sound.played, std::vector<std::string>{"/opt/wizlo\\yes"});
  EXPECT_EQ(board().armed(), 0);
}

TEST_F(BoardTest, TheMarkIsOnScreenBeforeTheSoundStarts) {
  bool markPresented = false;
  backend.onShow = [&](const ScriptedBackend::Window& window) {
    const Point mark = centreOf(board().control(names::kRightMark));
    markPresented = window.at(mark.x, mark.y) == 0x00FF00u;  // the placeholder check's green
  };
  sound.whilePlaying = [&] { EXPECT_TRUE(markPresented) << "the check mark was not painted before the sound"; };
  mouse.drag(board(), c(2), g(0));
  ASSERT_EQ(sound.played.size(), 1u);
}

TEST_F(BoardTest, WrongDropShowsTheCrossSaysNoAndLeavesThePiece) {
  const Artwork* piece = c(0).Picture().artwork();
  mouse.drag(board(), c(0), g(0));  // c(0) belongs in g(1)

  EXPECT_EQ(c(0).Picture().artwork(), piece);
  EXPECT_TRUE(g(0).Picture().isEmpty());
  EXPECT_EQ(g(0).Tag(), "");
  EXPECT_TRUE(g(0).Enabled());
  EXPECT_TRUE(shown(names::kWrongMark));
  EXPECT_FALSE(shown(names::kRightMark));
  EXPECT_EQ(sound.played, std::vector<std::string>{"/opt/wizlo\\no"});
  EXPECT_EQ(board().armed(), 0);
}

TEST_F(BoardTest, EveryPieceInItsCircleFillsTheBoardAndEmptiesThePool) {
  mouse.drag(board(), c(2), g(0));
  mouse.drag(board(), c(0), g(1));
  mouse.drag(board(), c(1), g(2));
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(g(i).Picture().isEmpty()) << "g(" << i << ")";
    EXPECT_TRUE(c(i).Picture().isEmpty()) << "c(" << i << ")";
  }
  // A tile goes into its circle as the tile, not as the disk it dragged with.
  EXPECT_EQ(colourOf(g(2).Picture()), placeholderColour(PictureId::BlueTile2));
  EXPECT_EQ(sound.played.size(), 3u);
}

TEST_F(BoardTest, DropOnACircleWhileNotArmedChangesNothing) {
  // A fresh board: an empty circle dragged onto another without crossing
  // the pool never arms the board.
  mouse.drag(board(), g(1), g(0));
  EXPECT_EQ(board().armed(), 0);
  EXPECT_FALSE(shown(names::kRightMark) || shown(names::kWrongMark));
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(BoardTest, NotArmedLeavesAShownMarkAlone) {
  mouse.drag(board(), c(0), g(0));  // wrong: shows the cross, disarms
  ASSERT_TRUE(shown(names::kWrongMark));
  mouse.drag(board(), g(2), g(1));
  EXPECT_TRUE(shown(names::kWrongMark));
  EXPECT_EQ(sound.played.size(), 1u);
}

TEST_F(BoardTest, PressAndReleaseOnAnEmptyCircleWhileArmedIsJudgedWrong) {
  mouse.drag(board(), c(0), 3000, 3900);  // out of the pool onto the backdrop: armed
  ASSERT_EQ(board().armed(), 1);
  mouse.click(board(), g(0));
  EXPECT_TRUE(shown(names::kWrongMark));
  EXPECT_EQ(sound.played, std::vector<std::string>{"/opt/wizlo\\no"});
  EXPECT_EQ(board().armed(), 0);
}

TEST_F(BoardTest, DragsThatLeaveAPoolSlotArmTheBoardAndOnlyThose) {
  mouse.drag(board(), g(0), g(2));  // crosses circles and the backdrop only
  EXPECT_EQ(board().armed(), 0);
  mouse.drag(board(), c(0), 3000, 3900);
  EXPECT_EQ(board().armed(), 1);
}

TEST_F(BoardTest, AnEmptyCircleDroppedOnAPieceLeavesAPlainClickUnjudged) {
  // The circle's drag enters the piece's slot and ends there without leaving it: entering a slot
  // whose tag is not the dragged one's arms nothing.
  mouse.drag(board(), g(0), c(0));
  mouse.click(board(), g(1));
  EXPECT_FALSE(shown(names::kWrongMark)) << "a plain click on an empty circle showed the cross";
  EXPECT_TRUE(sound.played.empty()) << "a plain click on an empty circle played a sound";
  EXPECT_EQ(board().armed(), 0);
}

// Drops that run no board code, or only hide the marks.
struct NowhereDrop {
  const char* name;
  Twips x, y;
  bool hidesMarks;
};

class BoardDropElsewhere : public BoardTest, public ::testing::WithParamInterface<NowhereDrop> {};

TEST_P(BoardDropElsewhere, LeavesTheBoardArmedAndSilent) {
  mouse.drag(board(), c(0), g(0));  // a wrong drop shows the cross
  ASSERT_TRUE(shown(names::kWrongMark));
  mouse.press(board(), centreOf(c(0)).x, centreOf(c(0)).y);
  mouse.release(board(), GetParam().x, GetParam().y);

  EXPECT_EQ(board().armed(), 1);
  EXPECT_EQ(shown(names::kWrongMark), !GetParam().hidesMarks);
  EXPECT_EQ(sound.played.size(), 1u);
  EXPECT_FALSE(c(0).Picture().isEmpty());
  EXPECT_TRUE(board().loaded());
  EXPECT_TRUE(web.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(Places, BoardDropElsewhere,
                         ::testing::Values(NowhereDrop{"Backdrop", 3000, 3900, false},
                                           NowhereDrop{"ShownMark", 3400, 2300, false},
                                           NowhereDrop{"BackHotSpot", 600, 3900, false},
                                           NowhereDrop{"WebHotSpot", 5000, 3900, false},
                                           NowhereDrop{"HiddenKey", 1950, 1650, false},
                                           NowhereDrop{"AnotherFullSlot", 1600, 3000, true},
                                           NowhereDrop{"ItsOwnSlot", 5200, 3000, true},
                                           NowhereDrop{"OutsideTheWindow", 9000, 2000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BoardTest, BackCloseBoxAndEscapeAllEndTheVisitAndTheNextStartsFromTheLayout) {
  Keyboard keys{runtime};
  for (const std::string_view way : {"back", "close box", "Escape"}) {
    SCOPED_TRACE(way);
    mouse.drag(board(), c(2), g(0));
    mouse.drag(board(), c(1), 3000, 3900);  // leaves the board armed
    if (way == "close box")
      mouse.close(board());
    else if (way == "Escape")
      keys.press(Key::Escape);
    else
      mouse.click(board(), named(names::kBoardBack));
    EXPECT_FALSE(board().loaded());
    EXPECT_EQ(board().armed(), 1) << "form variables outlive the visit";

    board().Show();
    for (int i = 0; i < 3; ++i) {
      EXPECT_FALSE(c(i).Picture().isEmpty());
      EXPECT_TRUE(g(i).Picture().isEmpty() && g(i).Enabled() && g(i).Tag().empty());
    }
    EXPECT_FALSE(shown(names::kRightMark) || shown(names::kWrongMark));
  }
}

TEST_F(BoardTest, DropOnAnEmptiedSlotRemembersItAndAWrongDropForgetsIt) {
  mouse.drag(board(), c(2), g(0));  // c(2) now empty
  mouse.drag(board(), c(0), c(2));  // a drop on the empty slot: tags differ, nothing moves
  EXPECT_EQ(board().lastSlot(), 3);
  EXPECT_FALSE(c(0).Picture().isEmpty());
  EXPECT_TRUE(c(2).Picture().isEmpty());

  mouse.drag(board(), c(1), g(1));  // wrong
  EXPECT_EQ(board().lastSlot(), 0);
  EXPECT_FALSE(c(1).Picture().isEmpty());
}

TEST_F(BoardTest, AWrongDropInALaterVisitNeverLosesAPiece) {
  mouse.drag(board(), c(2), g(0));
  mouse.drag(board(), c(0), c(2));  // remembers slot 3, which is empty now
  ASSERT_EQ(board().lastSlot(), 3);
  visitAgain();  // c(2) holds its piece again

  mouse.drag(board(), c(0), g(0));  // wrong
  EXPECT_FALSE(c(2).Picture().isEmpty()) << "the piece vanished from the pool";
  EXPECT_EQ(board().lastSlot(), 0);
  // And so its circle can still only be filled by the piece itself.
  mouse.drag(board(), c(2), g(0));
  EXPECT_FALSE(g(0).Picture().isEmpty());
  EXPECT_EQ(sound.played.back(), "/opt/wizlo\\yes");
}

TEST_F(BoardTest, AnEmptiedSlotDraggedOntoAnyCircleIsWrong) {
  mouse.drag(board(), c(2), g(0));
  mouse.drag(board(), c(2), g(1));  // the empty slot still carries tag "1"
  EXPECT_TRUE(shown(names::kWrongMark));
  EXPECT_TRUE(g(1).Picture().isEmpty());
}

TEST_F(BoardTest, AFilledCircleTakesNoFurtherDrop) {
  mouse.drag(board(), c(2), g(0));
  mouse.drag(board(), c(0), g(0));  // the filled circle is disabled: nobody hears the drop
  EXPECT_TRUE(shown(names::kRightMark));
  EXPECT_EQ(board().armed(), 1);
  EXPECT_EQ(colourOf(g(0).Picture()), placeholderColour(PictureId::Disk3));
}

TEST_F(BoardTest, ThePointerShowsThePiecesOwnFaceWhileOverItsSlot) {
  mouse.press(board(), centreOf(c(1)).x, centreOf(c(1)).y);
  EXPECT_EQ(backend.pointerShape, PointerShape::Picture);
  EXPECT_EQ(backend.pointerPicture.artwork(), c(1).Picture().artwork());
  mouse.release(board(), 3000, 3900);
  EXPECT_EQ(backend.pointerShape, PointerShape::Arrow);
}

TEST_F(BoardTest, WebHotSpotOpensTheSiteWithTheBoardAsOwner) {
  mouse.click(board(), named(names::kWebSite));
  ASSERT_EQ(web.opened.size(), 1u);
  EXPECT_EQ(web.opened[0].first, board().hWnd());
  EXPECT_EQ(web.opened[0].second, "https://wizlo.example.org/");
  EXPECT_TRUE(board().loaded());
}

TEST_F(BoardTest, RightButtonNeitherDragsNorClicks) {
  mouse.press(board(), centreOf(c(2)).x, centreOf(c(2)).y, kRightButton);
  mouse.release(board(), centreOf(g(0)).x, centreOf(g(0)).y, kRightButton);
  mouse.press(board(), centreOf(named(names::kBoardBack)).x, centreOf(named(names::kBoardBack)).y, kRightButton);
  mouse.release(board(), centreOf(named(names::kBoardBack)).x, centreOf(named(names::kBoardBack)).y, kRightButton);
  EXPECT_TRUE(board().loaded());
  EXPECT_TRUE(g(0).Picture().isEmpty());
  EXPECT_EQ(board().armed(), 0);
}

// A piece tapped and then its circle tapped, or moved with the keys, ends as the drag there ends:
// judged, marked and heard the same, with the same form variables after.
TEST(PlacingWithoutDragging, EndsAsTheDragThereEnds) {
  enum class Way { Drag, Taps, FingerTaps, Keys };
  struct Move {
    int piece, circle;
  };
  // Wrong (c(0) belongs in g(1)), then right twice; then a circle that is full.
  const Move moves[] = {{0, 0}, {0, 1}, {2, 0}, {1, 0}};
  std::string ofTheDrag;
  for (const Way way : {Way::Drag, Way::Taps, Way::FingerTaps, Way::Keys}) {
    ScriptedBackend backend;
    RecordingSound sound;
    RecordingWeb web;
    Runtime runtime{backend, placeholderPicture};
    runtime.define("TestBoard", [&](Runtime& rt) {
      return std::make_unique<Board>(rt, kTestBoard, platform::Services{sound, web, kFolder});
    });
    Board& board = static_cast<Board&>(runtime.form("TestBoard"));
    board.Show();
    Mouse mouse{runtime, way == Way::FingerTaps ? PointerKind::Touch : PointerKind::Mouse, 1};
    Keyboard keys{runtime};
    std::string seen;
    for (const Move& move : moves) {
      ImageControl& piece = board.control(names::kPieces, static_cast<std::int16_t>(move.piece));
      ImageControl& circle = board.control(names::kCircles, static_cast<std::int16_t>(move.circle));
      switch (way) {
        case Way::Drag: mouse.drag(board, piece, circle); break;
        case Way::Taps:
        case Way::FingerTaps:
          mouse.click(board, piece);
          mouse.click(board, circle);
          break;
        case Way::Keys:
          ASSERT_TRUE(keys.tabTo(board, piece));
          keys.press(Key::Enter);
          // A full circle is no place for it: the ring never reaches it, and Escape puts it back.
          keys.press(keys.tabTo(board, circle) ? Key::Enter : Key::Escape);
          break;
      }
      seen += "[" + std::to_string(board.armed()) + " " + std::to_string(board.lastSlot()) + " " +
              (board.control(names::kRightMark).Visible() ? "check " : "") +
              (board.control(names::kWrongMark).Visible() ? "cross " : "");
      for (int i = 0; i < 3; ++i) {
        const auto index = static_cast<std::int16_t>(i);
        seen += board.control(names::kPieces, index).Picture().isEmpty() ? "_" : "c";
        seen += board.control(names::kCircles, index).Picture().isEmpty() ? "_" : "g";
      }
      seen += "]";
    }
    for (const std::string& played : sound.played) seen += " " + played;
    EXPECT_TRUE(board.loaded());
    if (way == Way::Drag)
      ofTheDrag = seen;
    else
      EXPECT_EQ(seen, ofTheDrag) << "way " << static_cast<int>(way);
  }
  EXPECT_EQ(ofTheDrag.substr(ofTheDrag.find(']', ofTheDrag.rfind('[')) + 1),
            " /opt/wizlo\\no /opt/wizlo\\yes /opt/wizlo\\yes");
}

}  // namespace
}  // namespace wizlo::testing
