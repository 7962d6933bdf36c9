// The session ends (the desktop logs out, the window system goes away) while
// a form the menu opened is up: everything unloads and the program ends
// cleanly, with the menu's handler touching nothing of the menu that is gone.
// The sanitizer run is what sees a use of a freed control here.

#include <gtest/gtest.h>

#include "menu/form1.hpp"
#include "tests/support/real_program.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

TEST(SessionEnd, WhileAMenuHotSpotsFormIsUpEndsTheProgramCleanly) {
  for (const MenuButton& button : layouts::kMenuButtons) {
    SCOPED_TRACE(button.hotSpot);
    RecordingSound sound;
    RecordingWeb web;
    RealProgram program(sound, web, "/opt/wizlo");
    Form& menu = program.board("Form1");
    program.backend.onScriptEnd = [&] {
      EXPECT_NE(program.runtime.active(), &menu);
      program.backend.script.push_back(InputEvent{.kind = InputEvent::Kind::Quit});
    };
    program.mouse.click(menu, menu.control(button.hotSpot));
    EXPECT_FALSE(program.runtime.anyLoaded());
    EXPECT_TRUE(program.backend.errors.empty());
  }
}

}  // namespace
}  // namespace wizlo::testing
