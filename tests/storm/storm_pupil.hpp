#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "forms/backend.hpp"
#include "forms/runtime.hpp"
#include "tests/support/board_watch.hpp"

namespace wizlo::testing {

// A window system whose only user is a seeded random pupil: every time a
// loop of the runtime asks for the next event, it first checks what must
// always hold, then makes the pupil's next move. Clicks and drags aimed at
// controls, presses and releases anywhere, both buttons at once, releases
// outside the window, releases it never sees, lost grabs, closed windows,
// events for windows already gone. After `budget` events it asks the
// session to end.
class StormPupil final : public Backend {
 public:
  StormPupil(std::uint64_t seed, std::uint64_t budget);

  // The runtime of the session now running; a new one for each start.
  void startSession(Runtime& runtime);
  bool budgetLeft() const { return delivered_ < budget_ && !failure_; }

  WindowId openWindow(const WindowSpec& request) override;
  void closeWindow(WindowId window) override;
  void raise(WindowId) override {}
  double scale() const override { return 1; }
  FrameView frame(WindowId) override { return {}; }  // nothing composed: a storm is about events
  void show(WindowId window) override;
  void setPointer(PointerShape shape, const PictureValue&) override { pointerShape_ = shape; }
  InputEvent nextEvent() override;
  std::uintptr_t nativeHandle(WindowId window) const override { return window; }
  void reportError(std::string_view message) override;

  // A board's sound or web request, heard while its handler runs.
  void soundRequested();
  void webRequested(std::uintptr_t owner);

  const std::optional<std::string>& failure() const { return failure_; }
  std::uint64_t delivered() const { return delivered_; }
  const std::map<std::string, std::uint64_t>& eventsByForm() const { return byForm_; }
  const std::map<std::string, std::uint64_t>& visitsByForm() const { return visits_; }
  std::uint64_t sounds() const { return sounds_; }

 private:
  void check();
  void fail(const std::string& what);
  void plan();
  void planKey(Form& form);
  void planClick(Form& form, int button);
  void planDrag(Form& form);
  InputEvent randomEvent(Form& form);
  InputEvent pointer(InputEvent::Kind kind, Form& form, Twips x, Twips y);
  Twips randomX(Form& form, const ImageControl* near);
  Twips randomY(Form& form, const ImageControl* near);
  ImageControl* randomControl(Form& form, std::string_view onlyName = {});
  int chance(int outOf) { return std::uniform_int_distribution<int>(0, outOf - 1)(random_); }
  void remember(const InputEvent& event);

  std::mt19937_64 random_;
  std::uint64_t budget_;
  std::uint64_t delivered_ = 0;
  Runtime* runtime_ = nullptr;
  std::deque<InputEvent> planned_;
  std::map<WindowId, bool> windows_;  // open or closed
  WindowId nextWindow_ = 1;
  PointerShape pointerShape_ = PointerShape::Arrow;
  int held_ = 0;                        // the buttons the pupil holds down
  std::optional<InputEvent> last_;      // the event delivered last
  WindowId watchedWindow_ = 0;          // the board visit the watch was taken on
  std::unique_ptr<BoardWatch> watch_;
  std::optional<std::string> failure_;
  std::map<std::string, std::uint64_t> byForm_, visits_;
  std::set<WindowId> seenWindows_;      // one visit a window
  std::uint64_t sounds_ = 0;
  std::array<std::string, 24> trail_;   // the last events, for the report of a failure
  std::size_t trailNext_ = 0;
};

// The seed of a storm: WIZLO_STORM_SEED when set, else a fresh one.
std::uint64_t stormSeed();

}  // namespace wizlo::testing
