// A click on a backdrop away from every hot spot, piece and circle does nothing at all.

#include <thread>

#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

// Clicks on a grid over the window's client area, missing every visible control by a few pixels.
void clickTheBackdrop(const VirtualDisplay& display, const WindowInfo& window, const FormLayout& form) {
  constexpr int kMargin = 4 * 15;
  std::vector<std::vector<std::string>> batches(1);
  for (int y = 20 * 15; y < form.ClientHeight; y += 37 * 15)
    for (int x = 10 * 15; x < form.ClientWidth; x += 41 * 15) {
      const bool onAControl = std::any_of(form.Controls.begin(), form.Controls.end() - 1, [&](const ImageLayout& c) {
        return c.Visible && x >= c.Left - kMargin && x < c.Left + c.Width + kMargin && y >= c.Top - kMargin &&
               y < c.Top + c.Height + kMargin;
      });
      if (onAControl) continue;
      const Point p = WizloRun::at(window, x, y);
      if (batches.back().size() >= 6 * 30) batches.emplace_back();  // keeps each xdotool run short
      batches.back().insert(batches.back().end(), {"mousemove", std::to_string(p.x), std::to_string(p.y), "mousedown", "1", "mouseup", "1"});
    }
  ASSERT_GT(batches.size(), 3u);
  for (const auto& clicks : batches) display.xdotool(clicks);
}

double sameLook(const Screenshot& before, const Screenshot& now, const WindowInfo& window) {
  return double(now.count({window.x, window.y}, window.width, window.height,
                          [&, i = 0](Rgb) mutable {
                            const Point p{window.x + i % window.width, window.y + i / window.width};
                            ++i;
                            return before.at(p) == now.at(p);
                          })) /
         (double(window.width) * window.height);
}

TEST_F(WizloE2e, AClickOnABackdropOutsideItsControlsDoesNothing) {
  const FormCase forms[] = {{"", &layouts::Form1},  // the menu itself
                            formCase(layouts::Form2), formCase(layouts::Form4), formCase(layouts::Form6)};
  for (const FormCase& f : forms) {
    const bool opened = !f.button.empty();
    const WindowInfo window = opened ? open(f.button) : menu;
    const Screenshot before = display.screenshot();
    clickTheBackdrop(display, window, *f.layout);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(run.windows().size(), opened ? 2u : 1u) << f.layout->Name;
    EXPECT_GT(sameLook(before, display.screenshot(), window), 0.999) << f.layout->Name;
    if (opened) {
      display.requestClose(window.id);
      run.waitForWindows(1);
    }
  }
  EXPECT_TRUE(run.sounds().empty());
  EXPECT_TRUE(run.openedAddresses().empty());
}

}  // namespace
}  // namespace wizlo::e2e
