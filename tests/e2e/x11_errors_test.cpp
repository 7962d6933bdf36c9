#include "backends/sdl/x11_errors.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/harness.hpp"

// Last: Xlib's macros (None, Bool...) would clash with the headers above.
#include <X11/Xlib.h>

namespace wizlo::e2e {
namespace {

// What SDL sometimes does: send a request to a window that is already gone.
void sendToAGoneWindow(const std::string& displayName) {
  Display* x = XOpenDisplay(displayName.c_str());
  if (!x) std::abort();
  const Window gone = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 10, 10, 0, 0, 0);
  XDestroyWindow(x, gone);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = gone;
  event.xclient.format = 32;
  XSendEvent(x, gone, False, NoEventMask, &event);
  XSync(x, False);
  XCloseDisplay(x);
}

TEST(StaleWindowErrors, WouldEndTheProgramWithXlibsOwnHandler) {
  VirtualDisplay display;
  EXPECT_EXIT(
      {
        sendToAGoneWindow(display.name());
        std::exit(0);
      },
      ::testing::ExitedWithCode(1), "BadWindow");
}

TEST(StaleWindowErrors, AreHarmlessOnceTolerated) {
  VirtualDisplay display;
  EXPECT_EXIT(
      {
        tolerateStaleWindowErrors();
        sendToAGoneWindow(display.name());
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

// SDL keeps the handler it finds when it opens the display and puts it back
// when it closes it, the moment its last requests (a wake-up sent to a closed
// window) are answered: tolerance set up after SDL's start is gone by then.
void startAndEndSdlVideo(const std::string& displayName, void (*whileUp)() = nullptr) {
  setenv("DISPLAY", displayName.c_str(), 1);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) std::abort();
  if (whileUp) whileUp();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(StaleWindowErrors, StayHarmlessThroughSdlsEndWhenToleratedBeforeItsStart) {
  VirtualDisplay display;
  EXPECT_EXIT(
      {
        tolerateStaleWindowErrors();
        startAndEndSdlVideo(display.name());
        sendToAGoneWindow(display.name());
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(StaleWindowErrors, AreFatalAgainAfterSdlsEndWhenToleratedOnlyAfterItsStart) {
  VirtualDisplay display;
  EXPECT_EXIT(
      {
        startAndEndSdlVideo(display.name(), tolerateStaleWindowErrors);
        sendToAGoneWindow(display.name());
        std::exit(0);
      },
      ::testing::ExitedWithCode(1), "BadWindow");
}

}  // namespace
}  // namespace wizlo::e2e
