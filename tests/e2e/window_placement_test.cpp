// The menu and a board on a desktop: a window manager that frames them and, on a small laptop
// screen, a panel along the bottom. A window's frame, title bar included, stays on the work area.

#include <ostream>
#include <utility>

#include "tests/e2e/e2e_fixture.hpp"

// Last: Xlib's macros (None, Status) clash with names in the headers above.
#include <X11/Xlib.h>

namespace wizlo::e2e {
namespace {

struct Desktop {
  const char* name;
  int width, height, dpi, panel;
  bool promisesFrames;  // the window manager tells a window's frame before it shows
  int scale;            // screen pixels to a 96-dpi pixel the forms take there
};
void PrintTo(const Desktop& desktop, std::ostream* out) { *out << desktop.name; }

// A window manager that makes no promise about frames: openbox with its list of what it supports gone.
void withholdFramePromises(const VirtualDisplay& display) {
  ::Display* x = XOpenDisplay(display.name().c_str());
  ASSERT_NE(x, nullptr);
  XDeleteProperty(x, DefaultRootWindow(x), XInternAtom(x, "_NET_SUPPORTED", False));
  XCloseDisplay(x);
}

class OnADesktop : public ::testing::TestWithParam<Desktop> {};

TEST_P(OnADesktop, TheMenuAndABoardOpenWithTheirFramesOnTheWorkAreaMovedOnlyUpToItsEdge) {
  const Desktop& desktop = GetParam();
  VirtualDisplay display(desktop.width, desktop.height, desktop.dpi);
  display.startWindowManager();
  if (!desktop.promisesFrames) withholdFramePromises(display);
  if (desktop.panel) display.addBottomPanel(desktop.panel);
  const Box area = display.workArea();
  WizloRun run(display, {WIZLO_PROGRAM, true, {}});
  const auto pixels = [&](Twips t) { return t * desktop.scale / kTwipsPerPixel; };

  const WindowInfo menu = run.waitForWindows(1);
  const ImageLayout& button = control(layouts::Form1, layouts::hotSpotOpening(layouts::Form2));
  display.click({menu.x + pixels(button.Left + button.Width / 2), menu.y + pixels(button.Top + button.Height / 2)});
  const WindowInfo board = run.waitForWindows(2);

  for (const auto& [window, layout] : {std::pair{&menu, &layouts::Form1}, std::pair{&board, &layouts::Form2}}) {
    const Box frame = display.frame(*window);
    const std::string name(layout->Name);
    EXPECT_EQ(window->width, pixels(layout->ClientWidth)) << name;
    EXPECT_GT(frame.height, window->height) << name << " has no title bar: no window manager framed it";
    // Both forms reach below the work area where they were designed to be: each goes up just far enough.
    EXPECT_EQ(frame.bottom(), area.bottom()) << name;
    // Across, the client area stays where it was designed to be; a frame learnt only once the window
    // showed may leave it its left border further right.
    EXPECT_NEAR(window->x, pixels(layout->ClientLeft), desktop.promisesFrames ? 0 : window->x - frame.x)
        << name << " moved across";
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, OnADesktop,
                         ::testing::Values(Desktop{"Laptop1366x768WithAPanel", 1366, 768, 96, 40, true, 1},
                                           Desktop{"Laptop1366x768WithAPanelFramesLearntLate", 1366, 768, 96, 40,
                                                   false, 1},
                                           Desktop{"Screen2560x1440At192Dpi", 2560, 1440, 192, 0, true, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wizlo::e2e
