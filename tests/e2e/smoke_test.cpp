#include "boards/form4.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

TEST_F(WizloE2e, Smoke) {
  const WindowInfo board = open("Image5");
  EXPECT_EQ(board.x, layouts::Form4.ClientLeft / 15);
  clickOn(board, control(layouts::Form4, "rrr"));
  run.waitForWindows(1);
}

}  // namespace
}  // namespace wizlo::e2e
