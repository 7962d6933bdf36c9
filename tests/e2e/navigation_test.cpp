// Going to a board or page and back, by its back button or its close box, and ending the program.

#include "assets/control_names.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

// The share of a window's pixels that look as they did.
double sameLook(const Screenshot& before, const Screenshot& now, const WindowInfo& window) {
  long same = 0, all = 0;
  for (int y = window.y; y < window.y + window.height; ++y)
    for (int x = window.x; x < window.x + window.width; ++x, ++all) same += before.at({x, y}) == now.at({x, y});
  return all ? double(same) / double(all) : 0;
}

enum class Leave { BackButton, CloseBox };

class LeavingABoard : public WizloE2e, public ::testing::WithParamInterface<Leave> {};

TEST_P(LeavingABoard, ReturnsToTheMenuAndTheNextVisitStartsAfresh) {
  const Screenshot menuLook = display.screenshot();
  for (const FormCase& b : kBoards) {
    const std::string name(b.layout->Name);
    const WindowInfo board = open(b.button);
    const Screenshot fresh = display.screenshot();
    drag(board, *pieceFor(*b.layout, 0), control(*b.layout, names::kCircles, 0));
    ASSERT_EQ(nextSound(), "yes") << name;
    WindowInfo current = board;
    for (int visit = 0; visit < 2; ++visit) {
      if (GetParam() == Leave::BackButton)
        clickOn(current, control(*b.layout, names::kBoardBack));
      else
        display.requestClose(current.id);
      run.waitForWindows(1);
      EXPECT_GT(sameLook(menuLook, display.screenshot(), menu), 0.999) << "the menu after " << name;
      current = open(b.button);
      EXPECT_EQ(current.x, board.x);
      EXPECT_EQ(current.y, board.y);
      EXPECT_GT(sameLook(fresh, display.screenshot(), current), 0.999) << name << " is not as it first opened";
    }
    display.requestClose(current.id);
    run.waitForWindows(1);
  }
  EXPECT_TRUE(run.running());
}

INSTANTIATE_TEST_SUITE_P(ByEitherWay, LeavingABoard, ::testing::Values(Leave::BackButton, Leave::CloseBox),
                         [](const auto& info) { return info.param == Leave::BackButton ? "Rrr" : "CloseBox"; });

TEST_F(WizloE2e, EachPageOpensFromItsButtonAndClosesByItsBackButtonOrCloseBoxAnyNumberOfTimes) {
  const Screenshot menuLook = display.screenshot();
  for (const FormCase& page : kPages) {
    const ImageLayout& back = control(*page.layout, names::kPageBack);
    std::optional<Screenshot> first;
    for (int visit = 0; visit < 4; ++visit) {
      const WindowInfo shown = open(page.button);
      EXPECT_EQ(shown.name, page.layout->Caption);
      EXPECT_EQ(shown.width, page.layout->ClientWidth / 15);
      EXPECT_EQ(shown.height, page.layout->ClientHeight / 15);
      if (!first) first.emplace(display.screenshot());
      EXPECT_GT(sameLook(*first, display.screenshot(), shown), 0.999) << page.layout->Name << " visit " << visit;
      switch (visit % 3) {
        case 0: clickOn(shown, back); break;
        case 1: display.click(WizloRun::at(shown, back.Left + 30, back.Top + back.Height - 30)); break;  // a corner
        default: display.requestClose(shown.id); break;
      }
      run.waitForWindows(1);
      EXPECT_GT(sameLook(menuLook, display.screenshot(), menu), 0.999);
    }
  }
}

TEST_F(WizloE2e, ClosingTheMenuEndsTheProgramButNotWhileABoardOrPageIsUp) {
  for (const FormLayout* form : {&layouts::Form2, &layouts::Form7}) {
    const WindowInfo shown = open(layouts::hotSpotOpening(*form));
    display.requestClose(menu.id);
    EXPECT_FALSE(run.waitForExit(1000ms)) << "the menu closed under " << shown.name;
    EXPECT_EQ(run.windows().size(), 2u);
    display.requestClose(shown.id);
    run.waitForWindows(1);
  }
  display.requestClose(menu.id);
  EXPECT_EQ(run.waitForExit(5000ms), 0);
}

// A board that goes away under a held button, let go outside every window: the system never tells
// the program of that release, and the menu's next click must still open its form.
TEST_F(WizloE2e, AClickOnTheMenuCountsAfterABoardWentAwayUnderAHeldButton) {
  const FormLayout& board = layouts::Form2;
  for (int button : {1, 3}) {
    const WindowInfo shown = open(layouts::hotSpotOpening(board));
    display.moveTo(centre(shown, control(board, names::kBoardBack)));
    display.xdotool({"mousedown", std::to_string(button)});
    display.requestClose(shown.id);
    run.waitForWindows(1);
    display.moveTo({menu.x + menu.width + 40, menu.y + menu.height / 2});
    display.xdotool({"mouseup", std::to_string(button)});
    const WindowInfo again = open(layouts::hotSpotOpening(board));  // throws if the click was lost
    display.requestClose(again.id);
    run.waitForWindows(1);
  }
}

}  // namespace
}  // namespace wizlo::e2e
