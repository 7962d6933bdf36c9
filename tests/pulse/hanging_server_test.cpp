// The real program on a desktop whose sound server hangs: a right drop holds the board no longer
// than its sound, the next drop is judged, and the program still ends on SIGTERM.

#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>

#include "assets/control_names.hpp"
#include "tests/e2e/e2e_fixture.hpp"
#include "tests/e2e/harness/pulse_server.hpp"

namespace wizlo::e2e {
namespace {

using Clock = std::chrono::steady_clock;

struct WithPulseServer {
  PulseServer pulse;
  const std::string frameLog = "/tmp/wizlo-frames-" + std::to_string(::getpid()) + ".log";
};

class HangingSoundServer : public WithPulseServer, public WizloE2e {
 protected:
  HangingSoundServer()
      : WizloE2e(WizloOptions{WIZLO_PROGRAM,
                              true,
                              {"SDL_AUDIODRIVER=pulseaudio", "PULSE_SERVER=" + pulse.address(),
                               "WIZLO_FRAME_LOG=" + frameLog}}) {}
  ~HangingSoundServer() override { std::remove(frameLog.c_str()); }

  // When each frame went on screen, in seconds, as the program itself logs them.
  std::vector<double> frames() const {
    std::vector<double> times;
    std::ifstream log(frameLog);
    for (long long ns = 0; log >> ns;) {
      times.push_back(static_cast<double>(ns) / 1e9);
      log.ignore(64, '\n');
    }
    return times;
  }
};

TEST_F(HangingSoundServer, NeverHoldsTheBoardLongerThanTheSoundNorKeepsTheProgramFromEnding) {
  const struct {
    const char* what;
    std::function<void()> begin, end;
  } faults[] = {
      {"a suspended sink", [&] { pulse.suspendSink(true); }, [&] { pulse.suspendSink(false); }},
      {"a stopped server", [&] { pulse.stop(); }, [] {}},
  };
  const FormLayout& form = layouts::Form2;
  const WindowInfo board = open(layouts::hotSpotOpening(form));
  const auto shows = [&](std::string_view mark, bool (*colour)(Rgb)) {
    return [&form, &board, mark, colour](const Screenshot& s) {
      return markShown(s, board, control(form, mark), colour) > 0.05;
    };
  };
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(faults[round].what);
    faults[round].begin();
    const std::size_t before = frames().size();
    drag(board, *pieceFor(form, round), control(form, names::kCircles, round));
    drag(board, *pieceFor(form, 5), control(form, names::kCircles, 4));  // wrong: judged once the board is free
    EXPECT_TRUE(shows(names::kWrongMark, markNoRed)(screenWhen(shows(names::kWrongMark, markNoRed), 3000ms)));
    // The board shows its check before the sound and paints again as soon as it is free: the
    // longest pause between its frames is how long the sound held it. The yes sound lasts 0.82 s.
    const std::vector<double> times = frames();
    double held = 0;
    for (std::size_t i = before + 1; i < times.size(); ++i) held = std::max(held, times[i] - times[i - 1]);
    std::printf("%s: the board was held %.2f s\n", faults[round].what, held);
    EXPECT_GT(held, 0.8) << "the board did not wait for the sound";
    EXPECT_LT(held, 0.82 + 0.5) << "the board was held longer than the sound and its patience";
    faults[round].end();
  }
  ::kill(run.pid(), SIGTERM);
  const auto sent = Clock::now();
  EXPECT_EQ(run.waitForExit(3000ms), 0);
  const double ending = std::chrono::duration<double>(Clock::now() - sent).count();
  std::printf("SIGTERM to exit: %.2f s\n", ending);
  EXPECT_LT(ending, 1.0) << "SIGTERM took too long";
}

}  // namespace
}  // namespace wizlo::e2e
