// What every end-to-end test shares: its own Xvfb and wizlo, the menu found on the screen, and the
// ways a pupil's hand reaches a control of a layout table.

#pragma once

#include <gtest/gtest.h>

#include <string>

#include "forms/layout.hpp"
#include "menu/form1.hpp"
#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

class WizloE2e : public ::testing::Test {
 protected:
  WizloE2e() : WizloE2e(WizloOptions{WIZLO_PROGRAM, true, {}}) {}
  explicit WizloE2e(WizloOptions options) : run(display, std::move(options)) {
    menu = run.waitForWindows(1);
  }

  // Keeps the screen of a failing test for whoever reads the log.
  void TearDown() override {
    if (HasFailure()) {
      const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
      const std::string path = std::string("/tmp/e2e-") + test->test_suite_name() + "-" + test->name() + ".png";
      if (display.screenshot().savePng(path)) std::fprintf(stderr, "screen kept in %s\n", path.c_str());
      std::fprintf(stderr, "wizlo's standard error:\n%s\n", run.standardError().c_str());
    }
  }

  static const ImageLayout& control(const FormLayout& form, std::string_view name, int index = -1) {
    for (const ImageLayout& c : form.Controls)
      if (c.Name == name && (index < 0 || (c.Index && *c.Index == index))) return c;
    throw std::runtime_error(std::string(form.Name) + " has no " + std::string(name));
  }
  static Point centre(const WindowInfo& window, const ImageLayout& c) {
    return WizloRun::at(window, c.Left + c.Width / 2, c.Top + c.Height / 2);
  }
  void clickOn(const WindowInfo& window, const ImageLayout& c) { display.click(centre(window, c)); }

  // Clicks a menu button and waits for the window it opens.
  WindowInfo open(std::string_view menuButton) {
    clickOn(menu, control(layouts::Form1, menuButton));
    return run.waitForWindows(2);
  }

  VirtualDisplay display;
  WizloRun run;
  WindowInfo menu;
};

}  // namespace wizlo::e2e
