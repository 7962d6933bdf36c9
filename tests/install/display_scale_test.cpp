// Forms at the display's scale (1.5 at 144 dpi, 2 at 192), told by the desktop's Xft.dpi or by the X
// screen's own dpi; hit testing in twips, so a pupil's clicks and drops land as they do at 96 dpi.

#include <fcntl.h>
#include <cmath>
#include <gtest/gtest.h>
#include <unistd.h>

#include "assets/control_names.hpp"
#include "boards/form2.hpp"
#include "tests/install/installed_program.hpp"

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace wizlo::install {
namespace {

constexpr int kMenuWidth = 905, kMenuHeight = 599;  // the menu's client area at 96 dpi

// What a desktop sets when its user asks for double size.
void setXftDpi(const e2e::VirtualDisplay& display, int dpi) {
  ::Display* x = XOpenDisplay(display.name().c_str());
  ASSERT_NE(x, nullptr);
  const std::string resources = "Xft.dpi:\t" + std::to_string(dpi) + "\n";
  XChangeProperty(x, DefaultRootWindow(x), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
  XSync(x, False);
  XCloseDisplay(x);
}

e2e::WizloOptions program() { return {WIZLO_PROGRAM, true, {}}; }

TEST(DisplayScale, At96DpiFormsKeepTheirPixelSize) {
  e2e::VirtualDisplay display(2000, 1400);
  e2e::WizloRun run(display, program());
  const e2e::WindowInfo menu = run.waitForWindows(1);
  EXPECT_EQ(menu.width, kMenuWidth);
  EXPECT_EQ(menu.height, kMenuHeight);
}

class AtXftDpi : public ::testing::TestWithParam<std::pair<int, double>> {};

TEST_P(AtXftDpi, FormsOpenAtTheDesktopsScaleAndARightDropStillCounts) {
  const auto [dpi, scale] = GetParam();
  e2e::VirtualDisplay display(2000, 1400);
  setXftDpi(display, dpi);
  e2e::WizloRun run(display, program());
  const e2e::WindowInfo menu = run.waitForWindows(1);
  EXPECT_EQ(menu.width, std::lround(kMenuWidth * scale));
  EXPECT_EQ(menu.height, std::lround(kMenuHeight * scale));
  // At twice the size its designed place would put its bottom 72 pixels below this screen.
  if (scale == 2) {
    EXPECT_EQ(menu.y + menu.height, 1400);
  }

  const e2e::WindowInfo board =
      playOneRightMove(display, menu, [&](std::size_t n) { return run.waitForWindows(n); }, scale);
  EXPECT_EQ(board.width, std::lround(layouts::Form2.ClientWidth * scale / kTwipsPerPixel));
  ASSERT_TRUE(run.waitForSounds(1));
  EXPECT_EQ(run.sounds()[0].name, "yes");
  // The check mark shows green over most of its rectangle, drawn from the 2x pictures.
  const ImageLayout* mark = nullptr;
  for (const ImageLayout& c : layouts::Form2.Controls)
    if (c.Name == names::kRightMark) mark = &c;
  ASSERT_NE(mark, nullptr);
  const e2e::Screenshot shot = display.screenshot();
  const e2e::Point corner = at(board, mark->Left, mark->Top, scale);
  const int w = static_cast<int>(mark->Width * scale / kTwipsPerPixel);
  const int h = static_cast<int>(mark->Height * scale / kTwipsPerPixel);
  EXPECT_GT(shot.count(corner, w, h, [](e2e::Rgb p) { return p.g > 200 && p.r < 90 && p.b < 90; }), w * h / 10);
  shot.savePng("/tmp/board-" + std::to_string(dpi) + "dpi.png");
}

INSTANTIATE_TEST_SUITE_P(DisplayScale, AtXftDpi, ::testing::Values(std::pair{144, 1.5}, std::pair{192, 2.0}),
                         [](const auto& info) { return std::to_string(info.param.first); });

// An Xvfb whose screen itself is 192 dpi, with no Xft.dpi set; the harness's display is 96 dpi.
TEST(DisplayScale, OnAnXScreenOf192DpiTheMenuOpensAtTwiceTheSize) {
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  e2e::ChildProcess server({"/usr/bin/Xvfb", "-displayfd", "3", "-screen", "0", "2400x1600x24", "-nolisten", "tcp",
                            "-noreset", "-dpi", "192"},
                           {}, "/dev/null", "/dev/null", ends[1]);
  close(ends[1]);
  std::string number;
  char c;
  while (read(ends[0], &c, 1) == 1 && c != '\n') number += c;
  close(ends[0]);
  ASSERT_FALSE(number.empty());
  const std::string name = ":" + number;

  e2e::ChildProcess wizlo({WIZLO_PROGRAM}, {"DISPLAY=" + name, "SDL_AUDIODRIVER=dummy", "HOME=/tmp"});
  const std::vector<std::string> environment{"DISPLAY=" + name};
  std::string geometry;
  const bool shown = e2e::waitUntil([&] {
    try {
      const std::string id = e2e::runCommand(
          {"/usr/bin/xdotool", "search", "--onlyvisible", "--pid", std::to_string(wizlo.pid())}, environment);
      geometry = e2e::runCommand({"/usr/bin/xdotool", "getwindowgeometry", "--shell", id.substr(0, id.find('\n'))},
                                 environment);
      return true;
    } catch (const std::runtime_error&) {
      return false;
    }
  }, 10000ms, 50ms);
  ASSERT_TRUE(shown);
  EXPECT_NE(geometry.find("WIDTH=" + std::to_string(2 * kMenuWidth) + "\n"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("HEIGHT=" + std::to_string(2 * kMenuHeight) + "\n"), std::string::npos) << geometry;
}

}  // namespace
}  // namespace wizlo::install
