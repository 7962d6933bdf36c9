#pragma once
// The program's own forms and pictures on the scripted window system, with whatever sound and web
// services a test hands in; and the pieces of a board that fit, or do not fit, a circle.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "assets/control_names.hpp"
#include "tests/support/board_watch.hpp"
#include "tests/support/scripted_backend.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {

class RealProgram {
 public:
  RealProgram(platform::SoundService& sound, platform::WebOpener& web, std::string appPath = "/opt/wizlo") {
    defineForms(runtime, platform::Services{sound, web, std::move(appPath)});
  }

  // Shows a board as the only form, the way a test wants it: fresh.
  Form& board(const char* name) {
    Form& form = runtime.form(name);
    form.Show();
    runtime.presentChanges();
    return form;
  }

  ScriptedBackend backend;
  Runtime runtime{backend, assets::picture};
  Mouse mouse{runtime};
};

struct Fit {
  std::int16_t piece, circle;
};

// The first shown piece and the circle it belongs in, and one it does not.
inline Fit rightFit(Form& board) {
  const std::int16_t circles = arraySize(board, names::kCircles);
  for (std::int16_t i = 0; i < circles; ++i)
    for (std::int16_t j = 0; j < arraySize(board, names::kPieces); ++j)
      if (board.control(names::kPieces, j).Visible() && board.control(names::kPieces, j).Tag() == board.control(names::kKeys, i).Tag()) return {j, i};
  ADD_FAILURE() << board.name() << " has no piece that fits";
  return {0, 0};
}

inline Fit wrongFit(Form& board) {
  const Fit right = rightFit(board);
  return {right.piece, static_cast<std::int16_t>((right.circle + 1) % arraySize(board, names::kCircles))};
}

inline double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Drags the piece onto the circle; the seconds the drop took.
inline double timedDrop(Mouse& mouse, Form& board, Fit fit) {
  const Point from = centreOf(board.control(names::kPieces, fit.piece));
  const Point to = centreOf(board.control(names::kCircles, fit.circle));
  mouse.press(board, from.x, from.y);
  mouse.moveTo(board, to.x, to.y);
  const auto start = std::chrono::steady_clock::now();
  mouse.release(board, to.x, to.y);
  return secondsSince(start);
}

}  // namespace wizlo::testing
