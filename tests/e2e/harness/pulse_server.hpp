// A private PulseAudio server for tests that need a real sound server: one null sink, whose
// monitor is recorded from start to end, and the faults a desktop's server shows (a suspended
// sink, a server that stops answering). Nothing of the machine's own sound setup is touched.

#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness.hpp"

namespace wizlo::e2e {

class PulseServer {
 public:
  static constexpr int kRate = 44100;  // the sink's format: 16-bit mono, so samples pass unchanged

  PulseServer();  // throws std::runtime_error when it does not come up
  ~PulseServer();
  PulseServer(const PulseServer&) = delete;
  PulseServer& operator=(const PulseServer&) = delete;

  // For PULSE_SERVER.
  std::string address() const;

  void suspendSink(bool suspended) const;  // as `pactl suspend-sink` does
  void stop() const;                       // SIGSTOP: the server takes connections but never answers
  void resume() const;                     // SIGCONT

  // Every sample the sink has played since the server started.
  std::vector<std::int16_t> recorded() const;
  // When sample `index` of the recording reached the sink, on the steady clock.
  std::chrono::steady_clock::time_point playedAt(std::size_t index) const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// Where `sound` lies in `recording` from its first to its last sample, exactly, searching from
// `from`; nothing if it is not there whole.
std::optional<std::size_t> findExactly(const std::vector<std::int16_t>& recording,
                                       const std::vector<std::int16_t>& sound, std::size_t from = 0);

}  // namespace wizlo::e2e
