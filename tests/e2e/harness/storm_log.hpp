// What a storm tells when it fails, so that the log of a CI run alone explains the failure: the seed,
// the pupil's last moves, and the screen as the storm saw it (its windows, and a coarse picture of it
// drawn in characters), besides the screenshot it keeps in a file.

#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

// A storm goes on for `seconds`, or, told WIZLO_STORM_VISITS, for exactly that many visits to a form
// whatever the time: a seed replays the pupil's choices, but how far a run gets in its time depends
// on the machine's load, so a failure late in a run replays only with the visits it had made.
class StormLog {
 public:
  StormLog(std::uint64_t seed, long seconds, std::size_t kept = 16);

  // Whether the pupil goes back to the menu for another visit; counts it when so.
  bool anotherVisit();
  // Whether the pupil's time is left for one more move within a visit.
  bool timeLeft() const { return replayVisits_ > 0 || std::chrono::steady_clock::now() < end_; }
  std::size_t visits() const { return visits_; }

  // One move of the pupil's, as it will read in the log: "drag (412,300)->(88,95) on Form2".
  void note(std::string move);
  // The seed, the last moves (oldest first) and the screen with the windows the storm found on it.
  std::string report(const Screenshot& screen, const std::vector<WindowInfo>& windows) const;

 private:
  std::uint64_t seed_;
  std::size_t kept_;
  std::size_t replayVisits_;  // 0: the storm goes on for its time
  std::size_t count_ = 0, visits_ = 0;
  std::deque<std::string> moves_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now(), end_;
};

// The screen in characters, a cell for each `cell` pixels square: ' ' black, '.' '+' '#' dark to light
// greys, and r g b y c m w for the colours that stand out. Enough to tell a drawn window from a black
// one or from the stale pixels of one just gone.
std::string screenInCharacters(const Screenshot& screen, int cell = 16);

std::string describe(Point p);

}  // namespace wizlo::e2e
