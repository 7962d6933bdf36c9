// A random pupil against the seven real forms, their real pictures and the
// real board behaviour, for hundreds of thousands of events.
//
// WIZLO_STORM_SEED=<n> replays a storm; WIZLO_STORM_EVENTS=<n> makes it
// longer or shorter.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "tests/storm/storm_pupil.hpp"

namespace wizlo::testing {
namespace {

class HeardSound final : public platform::SoundService {
 public:
  explicit HeardSound(StormPupil& pupil) : pupil_(pupil) {}
  void play(std::string_view) override { pupil_.soundRequested(); }

 private:
  StormPupil& pupil_;
};

class HeardWeb final : public platform::WebOpener {
 public:
  explicit HeardWeb(StormPupil& pupil) : pupil_(pupil) {}
  void open(std::uintptr_t owner, std::string_view) override {
    ++opened;
    pupil_.webRequested(owner);
  }
  int opened = 0;

 private:
  StormPupil& pupil_;
};

std::uint64_t eventBudget() {
  if (const char* given = std::getenv("WIZLO_STORM_EVENTS"); given && *given) return std::strtoull(given, nullptr, 0);
  return 250'000;
}

TEST(PointerStorm, NothingThePupilDoesBreaksAFormOrLosesAPiece) {
  const std::uint64_t seed = stormSeed();
  const auto started = std::chrono::steady_clock::now();
  StormPupil pupil(seed, eventBudget());
  HeardSound sound(pupil);
  HeardWeb web(pupil);
  int sessions = 0;
  while (pupil.budgetLeft()) {
    // Each session is a fresh start of the program; closing the menu ends it.
    Runtime runtime(pupil, assets::picture);
    defineForms(runtime, platform::Services{sound, web, "/opt/wizlo"});
    pupil.startSession(runtime);
    ++sessions;
    int status = -1;
    try {
      status = runtime.run(kStartForm);
    } catch (const std::exception& escaped) {
      ADD_FAILURE() << "escaped the runtime: " << escaped.what();
    }
    if (status != 0) break;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::cout << "storm seed " << seed << ": " << pupil.delivered() << " events in " << sessions << " sessions, "
            << seconds << " s, " << pupil.sounds() << " sounds, " << web.opened << " web requests\n";
  for (const auto& [form, events] : pupil.eventsByForm())
    std::cout << "  " << form << ": " << events << " events in " << pupil.visitsByForm().at(form) << " visits\n";

  ASSERT_FALSE(pupil.failure()) << *pupil.failure() << "replay with WIZLO_STORM_SEED=" << seed;
  EXPECT_GE(pupil.delivered(), eventBudget()) << "seed " << seed;
  EXPECT_EQ(pupil.eventsByForm().size(), 7u) << "a form was never reached; seed " << seed;
  EXPECT_GT(pupil.sounds(), 0u);
}

}  // namespace
}  // namespace wizlo::testing
