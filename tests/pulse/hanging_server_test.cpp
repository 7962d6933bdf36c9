// The real program on a desktop whose sound server hangs: a right drop holds the board no longer
// than its sound, the next drop is judged, and the program still ends on SIGTERM.

#include <csignal>
#include <cstdio>
#include <functional>

#include "tests/e2e/e2e_fixture.hpp"
#include "tests/e2e/harness/pulse_server.hpp"

namespace wizlo::e2e {
namespace {

using Clock = std::chrono::steady_clock;

struct WithPulseServer {
  PulseServer pulse;
};

class HangingSoundServer : public WithPulseServer, public WizloE2e {
 protected:
  HangingSoundServer()
      : WizloE2e(WizloOptions{WIZLO_PROGRAM, true, {"SDL_AUDIODRIVER=pulseaudio", "PULSE_SERVER=" + pulse.address()}}) {}
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
  const WindowInfo board = open("Image2");
  const auto shows = [&](const char* mark, bool (*colour)(Rgb)) {
    return [&form, &board, mark, colour](const Screenshot& s) {
      return markShown(s, board, control(form, mark), colour) > 0.05;
    };
  };
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(faults[round].what);
    faults[round].begin();
    drag(board, *pieceFor(form, round), control(form, "g", round));
    const auto released = Clock::now();
    screenWhen(shows("Imy", markYesGreen));
    drag(board, *pieceFor(form, 5), control(form, "g", 4));  // wrong: judged once the board is free
    EXPECT_TRUE(shows("Imn", markNoRed)(screenWhen(shows("Imn", markNoRed), 3000ms)));
    // The yes sound lasts 0.82 s; the second drag itself takes about 0.1 s.
    const double held = std::chrono::duration<double>(Clock::now() - released).count();
    std::printf("%s: the next drop was judged %.2f s after the right one\n", faults[round].what, held);
    EXPECT_LT(held, 0.82 + 0.5 + 0.15) << "the cross of the next drop came late";
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
