// The sound service against a real PulseAudio server of the test's own, recorded at its sink:
// every sound heard whole, the call ending right after it, and a server that hangs never holding
// the caller for longer than the sound and its patience.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/linux/sdl_sound.hpp"
#include "tests/e2e/harness/pulse_server.hpp"
#include "tests/platform/scratch_folder.hpp"
#include "tests/platform/wav_bytes.hpp"

namespace wizlo::platform {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

class PulseSound : public ::testing::Test {
 protected:
  static constexpr testing::WavFormat kFormat{1, 1, e2e::PulseServer::kRate, 16};
  static constexpr double kSeconds = 0.5;

  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
    setenv("PULSE_SERVER", server_.address().c_str(), 1);
    const auto bytes = testing::audibleSamples16(kFormat, kSeconds);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
      samples_.push_back(static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8));
    testing::writeFile(scratch_ / "yes.wav", testing::wavFile(kFormat, bytes));
  }
  void TearDown() override {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("PULSE_SERVER");
  }

  double millisecondsToPlay(SoundService& sound) {
    const auto start = Clock::now();
    sound.play(name_);
    return millisecondsBetween(start, Clock::now());
  }
  std::optional<std::size_t> heardFrom(std::size_t from) const {
    return e2e::findExactly(server_.recorded(), samples_, from);
  }
  // For a failure's message: how much of the sound's start came out as it should.
  double wholeFrom(std::size_t from) const {
    const auto recording = server_.recorded();
    const std::vector<std::int16_t> start(samples_.begin(), samples_.begin() + 64);
    const auto at = e2e::findExactly(recording, start, from);
    if (!at) return 0;
    const auto end = std::mismatch(samples_.begin(), samples_.end(), recording.begin() + *at, recording.end());
    return double(end.first - samples_.begin()) * 1000 / kFormat.rate;
  }

  e2e::PulseServer server_;
  testing::ScratchFolder scratch_;
  const std::string name_ = scratch_.path().string() + "\\yes";
  std::vector<std::int16_t> samples_;
};

// A machine starved of CPU by something else may break a sound now and then (the server plays a few
// milliseconds of silence where samples came late): one such round of eight is allowed, and shown;
// a fault of ours breaks every sound. Built with the sanitizers, the program and the server's client
// library run several times slower and break more rounds: three are allowed there.
#ifdef WIZLO_SANITIZED
constexpr int kBrokenRoundsAllowed = 3;
#else
constexpr int kBrokenRoundsAllowed = 1;
#endif

TEST_F(PulseSound, EverySoundIsHeardWholeAndTheCallEndsRightAfterIt) {
  SdlSoundService sound;
  std::vector<double> latency, tail;
  int broken = 0;
  for (int round = 0; round < 8; ++round) {
    const std::size_t from = server_.recorded().size();
    const auto start = Clock::now();
    sound.play(name_);
    const auto end = Clock::now();
    if (!e2e::waitUntil([&] { return heardFrom(from).has_value(); }, 2000ms)) {
      ++broken;
      std::printf("round %d: the sink did not play the sound whole; %.1f ms of its start came out unbroken\n", round,
                  wholeFrom(from));
      continue;
    }
    const std::size_t at = *heardFrom(from);
    latency.push_back(millisecondsBetween(start, server_.playedAt(at)));
    tail.push_back(millisecondsBetween(server_.playedAt(at + samples_.size() - 1), end));
    std::this_thread::sleep_for(150ms);
  }
  ASSERT_LE(broken, kBrokenRoundsAllowed) << "sounds did not reach the sink whole, from their first sample to their last";
  std::sort(latency.begin(), latency.end());
  std::sort(tail.begin(), tail.end());
  std::printf("call to first sample heard: %.1f / %.1f / %.1f ms; last sample heard to the call's end: "
              "%.1f / %.1f / %.1f ms (min / median / max of %zu)\n",
              latency.front(), latency[latency.size() / 2], latency.back(), tail.front(), tail[tail.size() / 2],
              tail.back(), tail.size());
  EXPECT_LT(latency[latency.size() / 2], 40);
  EXPECT_GT(tail.front(), -10) << "the call ended before the sound was heard";
  EXPECT_LT(tail.back(), 30) << "the board stayed frozen after the sound";
}

TEST_F(PulseSound, AServerThatHangsHoldsTheCallNoLongerThanTheSoundAndSoundsComeBackWithIt) {
  const struct Fault {
    const char* what;
    std::function<void()> begin, end;
  } faults[] = {
      {"a suspended sink", [&] { server_.suspendSink(true); }, [&] { server_.suspendSink(false); }},
      {"a stopped server", [&] { server_.stop(); }, [&] { server_.resume(); }},
      {"no server at all", [] { setenv("PULSE_SERVER", "unix:/nonexistent/native", 1); },
       [&] { setenv("PULSE_SERVER", server_.address().c_str(), 1); }},
  };
  const double bound = kSeconds * 1000 + 500;
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.what);
    SdlSoundService sound;
    fault.begin();
    EXPECT_LT(millisecondsToPlay(sound), bound);
    EXPECT_LT(millisecondsToPlay(sound), bound);
    fault.end();
    // Once the server answers again, the thread it held comes back and a sound is heard again.
    const std::size_t from = server_.recorded().size();
    EXPECT_TRUE(e2e::waitUntil([&] { return millisecondsToPlay(sound) >= 0 && heardFrom(from); }, 5000ms, 100ms));
  }
}

}  // namespace
}  // namespace wizlo::platform
