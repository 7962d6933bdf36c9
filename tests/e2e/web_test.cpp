// The credit hot spot `wex`: one request for the one address, from the menu and from every board.

#include "assets/control_names.hpp"
#include "platform/web_site.hpp"
#include <thread>

#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

TEST_F(WizloE2e, TheCreditHotSpotsOfTheMenuAndEveryBoardEachRequestTheAddressOnce) {
  const std::vector<std::string> oneAddress{std::string(platform::kWebSiteAddress)};
  clickOn(menu, control(layouts::Form1, names::kWebSite));
  ASSERT_TRUE(waitUntil([&] { return run.openedAddresses().size() == 1; })) << "from the menu";
  for (const FormCase& b : kBoards) {
    const WindowInfo board = open(b.button);
    const std::size_t before = run.openedAddresses().size();
    clickOn(board, control(*b.layout, names::kWebSite));
    EXPECT_TRUE(waitUntil([&] { return run.openedAddresses().size() == before + 1; })) << b.layout->Name;
    EXPECT_EQ(run.windows().size(), 2u) << "the request took the board away";
    clickOn(board, control(*b.layout, names::kBoardBack));
    run.waitForWindows(1);
  }
  std::this_thread::sleep_for(300ms);  // a doubled request would have come by now
  const auto requests = run.openedAddresses();
  EXPECT_EQ(requests, std::vector<std::vector<std::string>>(5, oneAddress));
}

class WithoutAnOpener : public WizloE2e {
 protected:
  WithoutAnOpener() : WizloE2e(WizloOptions{WIZLO_PROGRAM, false, {}}) {}
};

TEST_F(WithoutAnOpener, TheCreditHotSpotsDoNothingVisibleAndTheProgramGoesOn) {
  const Screenshot menuLook = display.screenshot();
  clickOn(menu, control(layouts::Form1, names::kWebSite));
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(run.running());
  EXPECT_EQ(run.windows().size(), 1u);
  const WindowInfo board = open(layouts::hotSpotOpening(layouts::Form2));
  clickOn(board, control(layouts::Form2, names::kWebSite));
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(run.windows().size(), 2u);
  // The board still plays.
  drag(board, *pieceFor(layouts::Form2, 0), control(layouts::Form2, names::kCircles, 0));
  EXPECT_EQ(nextSound(), "yes");
  clickOn(board, control(layouts::Form2, names::kBoardBack));
  run.waitForWindows(1);
  const Screenshot after = display.screenshot();
  long same = 0;
  for (int y = menu.y; y < menu.y + menu.height; ++y)
    for (int x = menu.x; x < menu.x + menu.width; ++x) same += after.at({x, y}) == menuLook.at({x, y});
  EXPECT_EQ(same, long(menu.width) * menu.height) << "the menu looks different";
  display.requestClose(menu.id);
  EXPECT_EQ(run.waitForExit(5000ms), 0);
  EXPECT_EQ(run.standardError().find("wizlo:"), std::string::npos) << "an error was reported";
}

}  // namespace
}  // namespace wizlo::e2e
