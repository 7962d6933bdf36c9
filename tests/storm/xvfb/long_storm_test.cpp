// The real program under Xvfb, stormed by a random pupil through the real
// pointer: menu, boards and pages opened and left, drags and clicks anywhere,
// the right button, releases outside the window, close boxes. After every
// move the program must be alive and answer, and no screen may show both marks.
//
// WIZLO_STORM_SECONDS sets how long (20 s unless told); WIZLO_STORM_SEED replays the pupil, and
// WIZLO_STORM_VISITS as many visits as a failing run made (its log says both).

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

#include "assets/control_names.hpp"
#include "tests/e2e/e2e_fixture.hpp"
#include "tests/e2e/harness/storm_log.hpp"

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

  // Whether the left button pressed at `from` and let go at `to` clicks the form's back button.
  static bool clicksBack(const WindowInfo& window, const FormLayout& form, bool board, Point from, Point to) {
    const std::string_view back = board ? names::kBoardBack : names::kPageBack;
    const auto on = [&](Point p) { return topmostAt(form, back, (p.x - window.x) * 15, (p.y - window.y) * 15); };
    return on(from) && on(to);
  }

  // One random move of the pupil's hand on an open form; true when it clicked the back button.
  bool move(const WindowInfo& window, const FormLayout& form, bool board) {
    const int roll = chance(100);
    const std::string on = " on " + std::string(form.Name);
    if (roll < 55) {
      // Drawn in the order the pupil of a seed has always drawn them, so that a seed once logged replays.
      const int steps = 2 + chance(4);
      const Point to = anywhereIn(window, form), from = anywhereIn(window, form);
      log.note("drag " + describe(from) + "->" + describe(to) + on);
      display.drag(from, to, steps);
      return clicksBack(window, form, board, from, to);
    } else if (roll < 75) {
      const Point at = anywhereIn(window, form);
      log.note("click " + describe(at) + on);
      display.click(at);
      return clicksBack(window, form, board, at, at);
    } else if (roll < 85) {
      const Point at = anywhereIn(window, form);
      log.note("right click " + describe(at) + on);
      display.moveTo(at);
      display.xdotool({"click", "3"});
    } else if (roll < 92) {  // both buttons at once
      const Point to = anywhereIn(window, form), from = anywhereIn(window, form);
      log.note("drag with both buttons " + describe(from) + "->" + describe(to) + on);
      display.dragWithBothButtons(from, to);  // the right press takes over: no click
    } else {  // let go outside the window
      const Point at = anywhereIn(window, form), outside{window.x + window.width + 30, window.y + window.height / 2};
      log.note("press " + describe(at) + on + ", let go outside at " + describe(outside));
      display.moveTo(at);
      display.press();
      display.moveTo(outside);
      display.release();
    }
    return false;
  }

  // Whatever failed, the log of the run tells the seed, the last moves and the screen.
  void TearDown() override {
    if (HasFailure()) std::cerr << log.report(display.screenshot(), run.windows());
    WizloE2e::TearDown();
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
  StormLog log{seed, fromEnvironment("WIZLO_STORM_SECONDS", 20)};
  int moves = 0, screens = 0;
};

TEST_F(LongStorm, TheRealProgramStaysAliveAndAnswersAndShowsOneMarkAtMost) {
  std::cout << "storm seed " << seed << " (WIZLO_STORM_SEED replays the pupil's choices; with WIZLO_STORM_VISITS, "
            << "the visits a run made, whatever X's timing)" << std::endl;
  while (log.anotherVisit()) {
    const MenuButton& opens = layouts::kMenuButtons[chance(static_cast<int>(std::size(layouts::kMenuButtons)))];
    log.note("click " + std::string(opens.hotSpot) + " on the menu, for " + std::string(opens.form().Name));
    const WindowInfo window = open(opens.hotSpot);  // throws when no window comes: the program did not answer
    const bool board = opens.board != nullptr;
    bool left = false;
    for (int i = 1 + chance(40); i > 0 && !left && log.timeLeft(); --i) {
      // A click that found the back button closes the form a moment later: waited for, so that no
      // move of the next meant for the form lands on the menu instead, and opens a form of its own.
      left = move(window, opens.form(), board);
      ++moves;
      if (left) {
        ASSERT_TRUE(waitUntil([&] { return run.windows().size() == 1; }, 10000ms)) << "the back button did not close";
      }
      ASSERT_TRUE(run.running()) << "wizlo ended; seed " << seed;
      if (board && !left) checkMarks(window, opens.form());
      if (HasFatalFailure()) return;
    }
    if (!left) {
      if (chance(3) == 0) {
        log.note("close box of " + std::string(opens.form().Name));
        display.requestClose(window.id);
      } else {
        log.note("click the back button of " + std::string(opens.form().Name));
        clickOn(window, control(opens.form(), board ? names::kBoardBack : names::kPageBack));
      }
    }
    ASSERT_TRUE(waitUntil([&] { return run.windows().size() == 1; }, 10000ms))
        << "the form would not close; seed " << seed;
    ASSERT_TRUE(run.running()) << "seed " << seed;
  }
  std::cout << "storm seed " << seed << ": " << moves << " moves in " << log.visits() << " visits, " << screens
            << " screens checked, " << run.sounds().size() << " sounds\n";
  display.requestClose(menu.id);
  EXPECT_EQ(run.waitForExit(10000ms), std::optional<int>(0)) << "seed " << seed;
}

}  // namespace
}  // namespace wizlo::e2e
