// The real program under Xvfb, stormed by a random pupil through the real
// pointer: menu, boards and pages opened and left, drags and clicks anywhere,
// the right button, releases outside the window, close boxes. After every
// move the program must be alive and answer, and no screen may show both marks.
//
// WIZLO_STORM_SECONDS sets how long (20 s unless told); WIZLO_STORM_SEED replays.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "assets/control_names.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

long fromEnvironment(const char* name, long otherwise) {
  const char* given = std::getenv(name);
  return given && *given ? std::strtol(given, nullptr, 0) : otherwise;
}

class LongStorm : public WizloE2e {
 protected:
  int chance(int outOf) { return std::uniform_int_distribution<int>(0, outOf - 1)(random); }

  Point anywhereIn(const WindowInfo& window, const FormLayout& form) {
    if (chance(8) == 0) return {window.x + window.width + 5 + chance(40), window.y + chance(window.height)};
    const ImageLayout& c = form.Controls[static_cast<std::size_t>(chance(static_cast<int>(form.Controls.size())))];
    return WizloRun::at(window, c.Left + chance(std::max<int>(c.Width, 1)), c.Top + chance(std::max<int>(c.Height, 1)));
  }

  // One random move of the pupil's hand on an open form.
  void move(const WindowInfo& window, const FormLayout& form) {
    const int roll = chance(100);
    if (roll < 55) {
      display.drag(anywhereIn(window, form), anywhereIn(window, form), 2 + chance(4));
    } else if (roll < 75) {
      display.click(anywhereIn(window, form));
    } else if (roll < 85) {
      display.moveTo(anywhereIn(window, form));
      display.xdotool({"click", "3"});
    } else if (roll < 92) {  // both buttons at once
      display.dragWithBothButtons(anywhereIn(window, form), anywhereIn(window, form));
    } else {  // let go outside the window
      display.moveTo(anywhereIn(window, form));
      display.press();
      display.moveTo({window.x + window.width + 30, window.y + window.height / 2});
      display.release();
    }
  }

  // At most one mark on the board's screen.
  void checkMarks(const WindowInfo& window, const FormLayout& board) {
    const Screenshot shot = display.screenshot();
    const bool yes = markShown(shot, window, control(board, names::kRightMark), markYesGreen) > 0.5;
    const bool no = markShown(shot, window, control(board, names::kWrongMark), markNoRed) > 0.5;
    if (yes && no) {
      shot.savePng("/tmp/storm-long-both-marks.png");
      FAIL() << board.Name << " shows both marks; seed " << seed;
    }
    ++screens;
  }

  const std::uint64_t seed = static_cast<std::uint64_t>(fromEnvironment("WIZLO_STORM_SEED", std::random_device{}()));
  std::mt19937_64 random{seed};
  int moves = 0, visits = 0, screens = 0;
};

TEST_F(LongStorm, TheRealProgramStaysAliveAndAnswersAndShowsOneMarkAtMost) {
  const auto seconds = fromEnvironment("WIZLO_STORM_SECONDS", 20);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  std::cout << "storm seed " << seed << " (WIZLO_STORM_SEED replays the pupil's choices, not X's timing)" << std::endl;
  while (std::chrono::steady_clock::now() < end) {
    const MenuButton& opens = layouts::kMenuButtons[chance(static_cast<int>(std::size(layouts::kMenuButtons)))];
    const WindowInfo window = open(opens.hotSpot);  // throws when no window comes: the program did not answer
    ++visits;
    const bool board = opens.board != nullptr;
    for (int i = 1 + chance(40); i > 0 && std::chrono::steady_clock::now() < end; --i) {
      move(window, opens.form());
      ++moves;
      ASSERT_TRUE(run.running()) << "wizlo ended; seed " << seed;
      if (board) checkMarks(window, opens.form());
      if (HasFatalFailure()) return;
      if (run.windows().size() == 1) break;  // a click found the back button
    }
    if (run.windows().size() == 2) {
      if (chance(3) == 0) display.requestClose(window.id);
      else clickOn(window, control(opens.form(), board ? names::kBoardBack : names::kPageBack));
    }
    ASSERT_TRUE(waitUntil([&] { return run.windows().size() == 1; }, 10000ms))
        << "the form would not close; seed " << seed;
    ASSERT_TRUE(run.running()) << "seed " << seed;
  }
  std::cout << "storm seed " << seed << ": " << moves << " moves in " << visits << " visits, " << screens
            << " screens checked, " << run.sounds().size() << " sounds, over " << seconds << " s\n";
  display.requestClose(menu.id);
  EXPECT_EQ(run.waitForExit(10000ms), std::optional<int>(0)) << "seed " << seed;
}

}  // namespace
}  // namespace wizlo::e2e
