// What the Wine tests read off the screen and the sound capture, shared by the program, storm and
// fault tests.

#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/e2e_fixture.hpp"
#include "tests/wine/wine_session.hpp"

namespace wizlo::wine {

// The next sound after the first `heard`, once it has been played ("" if none came in time).
inline std::string nextSound(const WineSession& session, std::size_t heard, Milliseconds timeout = 10000ms) {
  if (!e2e::waitUntil([&] { return session.sounds().size() > heard; }, timeout, 20ms)) return "";
  return session.sounds()[heard];
}

// What one wrong drop and then one right drop on the first board are heard as, the menu being up:
// the piece of g(1) dropped on g(2), then on g(1). Back at the menu after.
inline std::vector<std::string> wrongThenRight(const WineSession& session, WizloOnWine& wizlo) {
  VirtualDisplay& display = session.display();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  const FormLayout& form = *e2e::kBoards[0].layout;
  display.click(wizlo.centre(menu, e2e::control(layouts::Form1, e2e::kBoards[0].button)));
  const WindowInfo board = wizlo.waitForWindows(2, form);
  const e2e::Point piece = wizlo.centre(board, *e2e::pieceFor(form, 1));
  std::vector<std::string> heard;
  for (int circle : {2, 1}) {
    const std::size_t before = session.sounds().size();
    display.drag(piece, wizlo.centre(board, e2e::control(form, names::kCircles, circle)));
    heard.push_back(nextSound(session, before));
  }
  display.click(wizlo.centre(board, e2e::control(form, names::kBoardBack)));
  wizlo.waitForWindows(1, layouts::Form1);
  return heard;
}

// The share of a control's pixels, inset by two, that pass `test`.
inline double shareOf(const e2e::Screenshot& shot, const WizloOnWine& wizlo, const WindowInfo& client,
                      const ImageLayout& c, const std::function<bool(e2e::Point, e2e::Rgb)>& test) {
  const e2e::Point from = wizlo.at(client, c.Left, c.Top), to = wizlo.at(client, c.Left + c.Width, c.Top + c.Height);
  int passed = 0, all = 0;
  for (int y = from.y + 2; y < to.y - 2; ++y)
    for (int x = from.x + 2; x < to.x - 2; ++x, ++all) passed += test({x, y}, shot.at({x, y}));
  return all ? double(passed) / all : 0;
}

// How much of a control looks as it did in `before`.
inline double unchangedShare(const e2e::Screenshot& before, const e2e::Screenshot& now, const WizloOnWine& wizlo,
                             const WindowInfo& client, const ImageLayout& c) {
  return shareOf(now, wizlo, client, c, [&](e2e::Point p, e2e::Rgb colour) { return before.at(p) == colour; });
}

// The first screen that passes `check` within the time, else the last one taken.
inline e2e::Screenshot screenWhen(const VirtualDisplay& display, const std::function<bool(const e2e::Screenshot&)>& check,
                                  Milliseconds timeout = 10000ms) {
  std::optional<e2e::Screenshot> shot;
  e2e::waitUntil([&] { return check(shot.emplace(display.screenshot())); }, timeout, 50ms);
  return *shot;
}

// The same, looking at one window only, which is far quicker.
inline e2e::Screenshot screenWhen(const VirtualDisplay& display, const WindowInfo& window,
                                  const std::function<bool(const e2e::Screenshot&)>& check,
                                  Milliseconds timeout = 10000ms) {
  std::optional<e2e::Screenshot> shot;
  e2e::waitUntil([&] { return check(shot.emplace(screenPart(display, window))); }, timeout, 10ms);
  return *shot;
}

// Whether a board's screen shows its green check, or its red cross.
inline bool showsCheck(const e2e::Screenshot& s, const WizloOnWine& wizlo, const WindowInfo& board,
                       const FormLayout& form) {
  return shareOf(s, wizlo, board, e2e::control(form, names::kRightMark),
                 [](e2e::Point, e2e::Rgb p) { return e2e::markYesGreen(p); }) > 0.05;
}
inline bool showsCross(const e2e::Screenshot& s, const WizloOnWine& wizlo, const WindowInfo& board,
                       const FormLayout& form) {
  return shareOf(s, wizlo, board, e2e::control(form, names::kWrongMark),
                 [](e2e::Point, e2e::Rgb p) { return e2e::markNoRed(p); }) > 0.05;
}

// The two rings the frame draws around a control (e2e::kFocusRing, e2e::kLiftedRing).
enum class Ring { Focus, Lifted };

// Whether `ring` shows around a control of the window whose client area is `client`.
inline bool ringShows(const e2e::Screenshot& s, const WizloOnWine& wizlo, const WindowInfo& client,
                      const ImageLayout& c, Ring ring) {
  const e2e::Point from = wizlo.at(client, c.Left, c.Top), to = wizlo.at(client, c.Left + c.Width, c.Top + c.Height);
  return e2e::ringShows(s, {client.x, client.y, client.width, client.height},
                        {from.x, from.y, to.x - from.x, to.y - from.y}, static_cast<int>(std::ceil(10 * wizlo.scale())),
                        ring == Ring::Focus ? e2e::kFocusRing : e2e::kLiftedRing);
}

// The one visible control of `form` that `ring` shows around, or none.
inline const ImageLayout* ringedControl(const e2e::Screenshot& s, const WizloOnWine& wizlo, const WindowInfo& client,
                                        const FormLayout& form, Ring ring) {
  const ImageLayout* found = nullptr;
  for (const ImageLayout& c : form.Controls)
    if (c.Visible && ringShows(s, wizlo, client, c, ring)) {
      if (found) return nullptr;
      found = &c;
    }
  return found;
}

}  // namespace wizlo::wine
