// What every end-to-end test shares: its own Xvfb and wizlo, the menu found on the screen, and the
// ways a pupil's hand and eye reach a control of a layout table.

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "assets/control_names.hpp"
#include "forms/layout.hpp"
#include "menu/form1.hpp"
#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

// A board or page and the menu button that opens it.
struct FormCase {
  std::string_view button;
  const FormLayout* layout = nullptr;
};

inline FormCase formCase(const FormLayout& form) { return {layouts::hotSpotOpening(form), &form}; }

// The boards, or the pages, of the menu's table, in its order.
inline std::vector<FormCase> casesOfTheMenu(bool boards) {
  std::vector<FormCase> cases;
  for (const MenuButton& button : layouts::kMenuButtons)
    if ((button.board != nullptr) == boards) cases.push_back({button.hotSpot, &button.form()});
  return cases;
}
inline const std::vector<FormCase> kBoards = casesOfTheMenu(true);
inline const std::vector<FormCase> kPages = casesOfTheMenu(false);

inline const ImageLayout& control(const FormLayout& form, std::string_view name, int index = -1) {
  for (const ImageLayout& c : form.Controls)
    if (c.Name == name && (index < 0 || (c.Index && *c.Index == index))) return c;
  throw std::runtime_error(std::string(form.Name) + " has no " + std::string(name));
}

inline int arraySize(const FormLayout& form, std::string_view name) {
  int n = 0;
  for (const ImageLayout& c : form.Controls) n += c.Name == name;
  return n;
}

// The visible piece that circle g(i) takes: its Tag is the Tag of key l(i). Null for a spare circle.
inline const ImageLayout* pieceFor(const FormLayout& form, int circle) {
  const std::string_view key = control(form, names::kKeys, circle).Tag;
  for (const ImageLayout& c : form.Controls)
    if (c.Name == names::kPieces && c.Visible && c.Tag == key) return &c;
  return nullptr;
}

// Whether the topmost control shown at a point given in twips of a form's client area is `name`:
// the layout lists its controls topmost first, and the shown ones are those it makes visible.
inline bool topmostAt(const FormLayout& form, std::string_view name, int xTwips, int yTwips) {
  for (const ImageLayout& c : form.Controls)
    if (c.Visible && xTwips >= c.Left && xTwips < c.Left + c.Width && yTwips >= c.Top && yTwips < c.Top + c.Height)
      return c.Name == name;
  return false;
}

// The rings the frame draws around a control, as their bands read from the control outwards: the
// keyboard's focus white, black, white; a lifted piece's black, white, black.
inline constexpr std::string_view kFocusRing = "WBW", kLiftedRing = "BWB";

// Whether `ring` shows around `control` (screen pixels): looking outwards from the middle of each of
// its sides, `reach` pixels past whatever lies there, the pure blacks and whites met come in the
// ring's order. A side whose ring the edge of `client` cuts off tells nothing; two sides must tell.
inline bool ringShows(const Screenshot& s, const Box& client, const Box& control, int reach, std::string_view ring) {
  const int midX = control.x + control.width / 2, midY = control.y + control.height / 2;
  const struct {
    Point start;
    int dx, dy;
  } sides[] = {{{midX, control.y - 1}, 0, -1}, {{midX, control.bottom()}, 0, 1}, {{control.x - 1, midY}, -1, 0},
               {{control.right(), midY}, 1, 0}};
  int told = 0;
  for (const auto& side : sides) {
    const Point end{side.start.x + (reach - 1) * side.dx, side.start.y + (reach - 1) * side.dy};
    if (end.x < client.x || end.y < client.y || end.x >= client.right() || end.y >= client.bottom()) continue;
    std::string met;
    for (int k = 0; k < reach; ++k) {
      const Rgb p = s.at({side.start.x + k * side.dx, side.start.y + k * side.dy});
      const char shade = std::max({p.r, p.g, p.b}) < 50 ? 'B' : std::min({p.r, p.g, p.b}) > 205 ? 'W' : 0;
      if (shade && (met.empty() || met.back() != shade)) met += shade;
    }
    if (met.find(ring) == std::string::npos) return false;
    ++told;
  }
  return told >= 2;
}

inline bool markYesGreen(Rgb p) { return p.g > 200 && p.r < 90 && p.b < 90; }
inline bool markNoRed(Rgb p) { return p.r > 200 && p.g < 90 && p.b < 90; }

class WizloE2e : public ::testing::Test {
 protected:
  WizloE2e() : WizloE2e(WizloOptions{WIZLO_PROGRAM, true, {}}) {}
  explicit WizloE2e(WizloOptions options) : run(display, std::move(options)) { menu = run.waitForWindows(1); }

  // Keeps the screen of a failing test for whoever reads the log.
  void TearDown() override {
    if (!HasFailure()) return;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    const std::string path = "/tmp/e2e-" + name + ".png";
    if (display.screenshot().savePng(path)) std::fprintf(stderr, "screen kept in %s\n", path.c_str());
    std::fprintf(stderr, "wizlo's standard error:\n%s\n", run.standardError().c_str());
  }

  static Point centre(const WindowInfo& window, const ImageLayout& c) {
    return WizloRun::at(window, c.Left + c.Width / 2, c.Top + c.Height / 2);
  }
  void clickOn(const WindowInfo& window, const ImageLayout& c) { display.click(centre(window, c)); }
  void drag(const WindowInfo& window, const ImageLayout& from, const ImageLayout& to) {
    display.drag(centre(window, from), centre(window, to));
  }

  // Clicks a menu button and waits for the window it opens.
  WindowInfo open(std::string_view menuButton) {
    clickOn(menu, control(layouts::Form1, menuButton));
    return run.waitForWindows(2);
  }

  // Waits for the next sound and tells which it was ("" if none came).
  std::string nextSound() {
    const std::size_t heard = run.sounds().size();
    if (!run.waitForSounds(heard + 1, 10000ms)) return "";
    return run.sounds()[heard].name;
  }

  // Pixels of a control's rectangle (inset by `inset` pixels) that pass `test`, as a fraction.
  static double share(const Screenshot& shot, const WindowInfo& window, const ImageLayout& c,
                      const std::function<bool(Point, Rgb)>& test, int inset = 2) {
    const Point topLeft = WizloRun::at(window, c.Left, c.Top);
    const int w = c.Width / 15 - 2 * inset, h = c.Height / 15 - 2 * inset;
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const Point p{topLeft.x + inset + x, topLeft.y + inset + y};
        n += test(p, shot.at(p));
      }
    return w > 0 && h > 0 ? double(n) / (w * h) : 0;
  }
  // How much of a control's rectangle looks as it did in `before`.
  static double unchanged(const Screenshot& before, const Screenshot& now, const WindowInfo& window,
                          const ImageLayout& c) {
    return share(now, window, c, [&](Point p, Rgb colour) { return before.at(p) == colour; });
  }
  // The board's ground: its most common colour.
  static Rgb ground(const Screenshot& shot, const WindowInfo& window) {
    std::map<unsigned, int> seen;
    for (int y = window.y; y < window.y + window.height; y += 7)
      for (int x = window.x; x < window.x + window.width; x += 7) {
        const Rgb p = shot.at({x, y});
        ++seen[unsigned(p.r) << 16 | unsigned(p.g) << 8 | p.b];
      }
    const auto most = std::max_element(seen.begin(), seen.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return {std::uint8_t(most->first >> 16), std::uint8_t(most->first >> 8), std::uint8_t(most->first)};
  }
  static double markShown(const Screenshot& shot, const WindowInfo& window, const ImageLayout& mark,
                          bool (*colour)(Rgb)) {
    return share(shot, window, mark, [colour](Point, Rgb p) { return colour(p); });
  }

  // Waits until `check` holds on a fresh screenshot; returns the last one taken.
  Screenshot screenWhen(const std::function<bool(const Screenshot&)>& check, Milliseconds timeout = 10000ms) {
    std::optional<Screenshot> shot;
    waitUntil([&] {
      shot.emplace(display.screenshot());
      return check(*shot);
    }, timeout, 20ms);
    return *shot;
  }

  VirtualDisplay display;
  WizloRun run;
  WindowInfo menu;
};

}  // namespace wizlo::e2e
