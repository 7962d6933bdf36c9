#include "app/program.hpp"

#include <algorithm>

#include <gtest/gtest.h>

#include "assets/catalogue.hpp"
#include "assets/control_names.hpp"
#include "boards/board.hpp"
#include "forms/compose.hpp"
#include "forms/errors.hpp"
#include "menu/form1.hpp"
#include "tests/support/real_program.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

using Kind = InputEvent::Kind;

// The seven real forms with their real pictures, made by the program's own
// definitions, driven from the menu by a scripted pointer.
class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() { menu().Show(); }
  Form& menu() { return runtime.form("Form1"); }

  // Clicks a menu hot spot; `whileShown` runs inside the modal Show, with
  // the opened form on top, and must end by unloading it.
  void openFromMenu(std::string_view hotSpot, std::function<void(Form&)> whileShown) {
    backend.onScriptEnd = [this, whileShown] {
      Form* shown = runtime.active();
      ASSERT_NE(shown, &menu());
      whileShown(*shown);
      if (shown->loaded()) {
        ADD_FAILURE() << shown->name() << " was left open";
        shown->Unload();
      }
      backend.script.push_back(InputEvent{.kind = Kind::Exposed});  // wakes the modal loop
    };
    mouse.click(menu(), menu().control(hotSpot));
    EXPECT_EQ(runtime.active(), &menu());
  }

  RecordingSound sound;
  RecordingWeb web;
  RealProgram program{sound, web};
  ScriptedBackend& backend = program.backend;
  Runtime& runtime = program.runtime;
  Mouse& mouse = program.mouse;
};

// Which drawn button opens which form, as the menu's design fixes it: the buttons stand top to bottom
// Image5, Image2, Image3, Image4, crossed with the numbering of the boards they open.
struct MenuRoute {
  const char* hotSpot;
  const char* form;
  const char* label;  // what the button says, drawn over the hot spot
};
constexpr MenuRoute kMenuRoutes[] = {
    {"Image2", "Form2", "أكل سعود التفاحة بتأن"},      {"Image3", "Form3", "قرأ أديب كتاباً عن البيئة"},
    {"Image4", "Form5", "سأل البراء صديقه عن الزراعة"}, {"Image5", "Form4", "استخدم أحمد الحاسوب في التعلّم"},
    {"Image6", "Form6", "جمل تدريبية"},                {"Image7", "Form7", "جمل تدريبية"},
};

TEST_F(ProgramTest, EachMenuButtonOpensTheFormOfItsSentenceModally) {
  for (const MenuRoute& route : kMenuRoutes) {
    const auto row = std::find_if(std::begin(layouts::kMenuButtons), std::end(layouts::kMenuButtons),
                                  [&](const MenuButton& b) { return b.hotSpot == route.hotSpot; });
    ASSERT_NE(row, std::end(layouts::kMenuButtons)) << route.hotSpot << " opens nothing";
    EXPECT_EQ(row->label().text, route.label)
        << "the button over " << route.hotSpot << " does not say its own sentence";
    std::string opened;
    openFromMenu(route.hotSpot, [&](Form& shown) {
      opened = std::string(shown.name());
      // The menu is deaf meanwhile, its close box too.
      mouse.close(menu());
      EXPECT_TRUE(menu().loaded());
      mouse.click(shown, shown.control(row->board ? names::kBoardBack : names::kPageBack));
    });
    EXPECT_EQ(opened, route.form) << "a pupil who picks «" << route.label << "» (" << route.hotSpot
                                  << ") gets another board or page";
  }
}

TEST_F(ProgramTest, EveryBoardCanBePlayedToTheEndByDragsAndByKeys) {
  for (const bool byKeys : {false, true})
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (!button.board) continue;
    sound.played.clear();
    openFromMenu(button.hotSpot, [&](Form& shown) {
      auto& board = static_cast<Board&>(shown);
      ControlSet& controls = board.controls();
      int n = 0;
      while (true) {
        try {
          controls(names::kKeys, static_cast<std::int16_t>(n));
        } catch (const RuntimeError&) {
          break;
        }
        ++n;
      }
      int filled = 0;
      for (std::int16_t i = 0; i < n; ++i) {
        const std::string& key = controls(names::kKeys, i).Tag();
        for (std::int16_t j = 0; j < n; ++j) {
          ImageControl& piece = controls(names::kPieces, j);
          if (piece.Tag() != key || !piece.Visible()) continue;  // the hidden spares never play
          const Artwork* face = piece.Picture().artwork();
          if (byKeys) {
            ASSERT_TRUE(Keyboard{runtime}.tabTo(board, piece)) << shown.name() << " c(" << j << ")";
            Keyboard{runtime}.press(Key::Space);
            ASSERT_TRUE(Keyboard{runtime}.tabTo(board, controls(names::kCircles, i))) << shown.name() << " g(" << i << ")";
            Keyboard{runtime}.press(Key::Enter);
          } else {
            mouse.drag(board, piece, controls(names::kCircles, i));
          }
          EXPECT_TRUE(controls(names::kRightMark).Visible()) << shown.name() << " g(" << i << ")";
          EXPECT_EQ(controls(names::kCircles, i).Picture().artwork(), face);
          ++filled;
        }
      }
      for (std::int16_t j = 0; j < n; ++j)
        if (controls(names::kPieces, j).Visible()) {
          EXPECT_TRUE(controls(names::kPieces, j).Picture().isEmpty()) << "c(" << j << ")";
        }
      EXPECT_EQ(sound.played, std::vector<std::string>(static_cast<std::size_t>(filled), "/opt/wizlo\\yes"));
      EXPECT_GE(filled, 9);
      mouse.click(board, controls(names::kBoardBack));
    });
  }
}

TEST_F(ProgramTest, TheKeysReachEveryMenuButtonFromTheTopAndEscapeLeavesWhatEnterOpens) {
  Keyboard keys{runtime};
  keys.press(Key::Escape);
  EXPECT_TRUE(menu().loaded()) << "Escape on the menu ends the program";
  // The buttons from the top, each row from the right, then the web address below them.
  std::vector<std::string> reached;
  for (int i = 0; i < 7; ++i) {
    keys.press(Key::Tab);
    reached.emplace_back(runtime.keyboard().focused(menu())->Name());
  }
  EXPECT_EQ(reached, (std::vector<std::string>{"Image5", "Image2", "Image3", "Image4", "Image7", "Image6", "wex"}));

  // On the first two boards the pieces are numbered as they read and the circles from the right
  // (the second's spare circle, g(9), stands high up on the left): the keys take them in that order,
  // though neither row stands level.
  for (const auto& [button, pieces] : {std::pair{"Image2", 10}, std::pair{"Image3", 9}}) {
    ASSERT_TRUE(Keyboard{runtime}.tabTo(menu(), menu().control(button)));
    backend.onScriptEnd = [&, pieces = pieces] {
      Form& board = *runtime.active();  // opened by a key: the ring is on its first piece
      for (std::int16_t i = 0; i < pieces; ++i, keys.press(Key::Left))
        EXPECT_EQ(runtime.keyboard().focused(board), &board.control(names::kPieces, i)) << board.name() << " c(" << i << ")";
      ASSERT_TRUE(Keyboard{runtime}.tabTo(board, board.control(names::kPieces, 0)));
      keys.press(Key::Enter);
      for (std::int16_t i = 0; i < 10; ++i, keys.press(Key::Left))
        EXPECT_EQ(runtime.keyboard().focused(board), &board.control(names::kCircles, i)) << board.name() << " g(" << i << ")";
      keys.press(Key::Escape);
      keys.press(Key::Escape);
      backend.script.push_back(InputEvent{.kind = Kind::Exposed});
    };
    keys.press(Key::Enter);
    EXPECT_EQ(runtime.active(), &menu());
  }

  for (const MenuRoute& route : {kMenuRoutes[0], kMenuRoutes[5]}) {
    ASSERT_TRUE(Keyboard{runtime}.tabTo(menu(), menu().control(route.hotSpot)));
    std::string opened;
    backend.onScriptEnd = [&] {
      opened = std::string(runtime.active()->name());
      backend.script.push_back(InputEvent{.kind = Kind::Key, .key = Key::Escape});
    };
    keys.press(Key::Enter);
    EXPECT_EQ(opened, route.form);
    EXPECT_FALSE(runtime.form(route.form).loaded()) << "Escape left " << route.form << " open";
    EXPECT_EQ(runtime.active(), &menu());
  }
}

TEST_F(ProgramTest, TheSpareCircleOfTheBookAndComputerBoardsTakesOnlyWrongDrops) {
  for (const FormLayout* form : {&layouts::Form3, &layouts::Form4}) {
    openFromMenu(layouts::hotSpotOpening(*form), [&](Form& board) {
      for (std::int16_t j = 0; j < 9; ++j) {
        mouse.drag(board, board.control(names::kPieces, j), board.control(names::kCircles, 9));
        EXPECT_TRUE(board.control(names::kWrongMark).Visible());
      }
      EXPECT_TRUE(board.control(names::kCircles, 9).Picture().isEmpty());
      mouse.close(board);
    });
  }
}

TEST_F(ProgramTest, AShownMarkOnTheComputerBoardCoversAStripOfACircle) {
  openFromMenu(layouts::hotSpotOpening(layouts::Form4), [&](Form& board) {
    mouse.drag(board, board.control(names::kPieces, 0), board.control(names::kCircles, 0));  // wrong: the cross shows
    ASSERT_TRUE(board.control(names::kWrongMark).Visible());
    // c(6) belongs in g(5), but the strip of g(5) under the cross is the cross's.
    mouse.drag(board, board.control(names::kPieces, 6), 5460, 2900);
    EXPECT_TRUE(board.control(names::kCircles, 5).Picture().isEmpty());
    EXPECT_TRUE(board.control(names::kWrongMark).Visible());
    mouse.drag(board, board.control(names::kPieces, 6), board.control(names::kCircles, 5));
    EXPECT_FALSE(board.control(names::kCircles, 5).Picture().isEmpty());
    mouse.click(board, board.control(names::kBoardBack));
  });
}

TEST_F(ProgramTest, TheWebHotSpotsOfMenuAndBoardsOpenOneAddressWithTheirOwnWindow) {
  mouse.click(menu(), menu().control(names::kWebSite));
  std::uintptr_t boardWindow = 0;
  openFromMenu(layouts::hotSpotOpening(layouts::Form2), [&](Form& board) {
    boardWindow = board.hWnd();
    mouse.click(board, board.control(names::kWebSite));
    mouse.click(board, board.control(names::kBoardBack));
  });
  ASSERT_EQ(web.opened.size(), 2u);
  EXPECT_EQ(web.opened[0].first, menu().hWnd());
  EXPECT_EQ(web.opened[1].first, boardWindow);
  EXPECT_EQ(web.opened[0].second, web.opened[1].second);
}

TEST_F(ProgramTest, AClickOnTheBackdropOutsideTheHotSpotsDoesNothing) {
  for (Twips y = 200; y < 8900; y += 450)
    for (Twips x = 5600; x < 13500; x += 900) {
      const Point p{x, y};
      mouse.press(menu(), p.x, p.y);
      mouse.release(menu(), p.x, p.y);
    }
  EXPECT_EQ(runtime.active(), &menu());
  EXPECT_TRUE(web.opened.empty());
}

TEST(ProgramPictures, EveryPictureAPieceCanCarryBecomesAPointerImage) {
  for (const FormLayout* layout : allLayouts())
    for (const ImageLayout& control : layout->Controls)
      for (const auto& id : {control.Picture, control.DragIcon}) {
        if (!id || (control.Name != names::kPieces && control.Name != names::kCircles)) continue;
        const std::optional<Bitmap> image = pointerImage(assets::picture(*id), 32);
        ASSERT_TRUE(image) << nameOf(*id);
        EXPECT_EQ(image->width, 32);
        EXPECT_EQ(image->argb[16 * 32 + 16] >> 24, 0xFFu) << nameOf(*id) << " is see-through";
      }
}

}  // namespace
}  // namespace wizlo::testing
