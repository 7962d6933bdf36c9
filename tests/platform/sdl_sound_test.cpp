#include <gtest/gtest.h>
#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "platform/linux/sdl_sound.hpp"
#include "tests/platform/scratch_folder.hpp"
#include "tests/platform/wav_bytes.hpp"

namespace wizlo::platform {
namespace {

using testing::WavFormat;
using Clock = std::chrono::steady_clock;

constexpr WavFormat kCdMono{1, 1, 44100, 16};

// SDL's disk driver writes what it plays to a file, in real time unless told
// otherwise. SDL reads these variables when audio starts and when a device
// opens; every test makes its own service, whose end stops audio again, so
// each test sees its own settings.
class SdlSound : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", played_.c_str(), 1);
    unsetenv("SDL_DISKAUDIODELAY");
  }
  void TearDown() override {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
  }

  // Plays the name with a fresh service; returns the seconds play() took.
  double secondsToPlay(const std::string& name) {
    SdlSoundService sound;
    const auto start = Clock::now();
    sound.play(name);
    return std::chrono::duration<double>(Clock::now() - start).count();
  }

  // The name the boards would form for a sound in the scratch folder.
  std::string soundName(const char* sound) const { return scratch_.path().string() + "\\" + sound; }

  std::vector<unsigned char> playedBytes() const { return testing::readFile(played_); }
  bool anythingPlayed() const { return std::filesystem::exists(played_); }

  testing::ScratchFolder scratch_;
  const std::string played_ = scratch_ / "played.raw";
};

// A device may sound a buffer or two of silence before it is unpaused, and
// pads its last buffers with silence. Between those, the played output must
// hold exactly the sound's samples. The samples must not begin with silence.
void expectPlayedExactly(const std::vector<unsigned char>& played, const std::vector<unsigned char>& samples,
                         unsigned char silence, std::size_t frameBytes) {
  const auto isSilence = [silence](unsigned char b) { return b == silence; };
  const auto start = std::find_if_not(played.begin(), played.end(), isSilence);
  const auto lead = static_cast<std::size_t>(start - played.begin());
  ASSERT_EQ(lead % frameBytes, 0u) << "the device was not given whole frames";
  ASSERT_GE(played.size() - lead, samples.size()) << "the end of the sound was not played";
  EXPECT_TRUE(std::equal(samples.begin(), samples.end(), start)) << "the samples were altered";
  EXPECT_TRUE(std::all_of(start + static_cast<std::ptrdiff_t>(samples.size()), played.end(), isSilence))
      << "more than the sound came out";
}

TEST_F(SdlSound, PlaysTheWholeSoundFromAnAwkwardFolderAndReturnsOnlyWhenItHasFinished) {
  const auto samples = testing::audibleSamples16(kCdMono, 0.3);
  const std::string folder = scratch_ / "تمارين 1.0 (مدرسة)/";
  testing::writeFile(folder + "yes.wav", testing::wavFile(kCdMono, samples));

  const double seconds = secondsToPlay(folder + "\\yes");

  EXPECT_GE(seconds, 0.28);
  EXPECT_LT(seconds, 1.0);
  const auto played = playedBytes();
  expectPlayedExactly(played, samples, 0, kCdMono.frameBytes());
  EXPECT_LT(played.size() - samples.size(), kCdMono.bytesPerSecond() / 4) << "too much silence around the sound";
}

TEST_F(SdlSound, PlaysOddFormatsThroughConversion) {
  struct Case {
    const char* what;
    WavFormat format;
  } cases[] = {
      {"8-bit mono at 8 kHz", {1, 1, 8000, 8}},
      {"16-bit six channels at 48 kHz", {1, 6, 48000, 16}},
      {"32-bit float stereo at 22.05 kHz", {3, 2, 22050, 32}},
  };
  for (const Case& c : cases) {
    std::vector<unsigned char> data(c.format.bytesPerSecond() / 10, 0x40);  // 0.1 s
    testing::writeFile(scratch_ / "no.wav", testing::wavFile(c.format, data));
    std::filesystem::remove(played_);

    const double seconds = secondsToPlay(soundName("no"));

    EXPECT_GE(seconds, 0.08) << c.what;
    EXPECT_LT(seconds, 0.8) << c.what;
    EXPECT_GE(playedBytes().size(), data.size() / 2) << c.what;
  }
}

TEST_F(SdlSound, ReturnsAtOnceWithoutPlayingWhenThereIsNothingToPlay) {
  const auto header = testing::wavFile(kCdMono, {});
  const std::pair<const char*, std::vector<unsigned char>> files[] = {
      {"an empty file", {}},
      {"text", {'R', 'I', 'F', 'F', '?'}},
      {"a header cut short", {header.begin(), header.begin() + 20}},
      {"no samples", header},
  };
  for (const auto& [what, bytes] : files) {
    testing::writeFile(scratch_ / "yes.wav", bytes);
    EXPECT_LT(secondsToPlay(soundName("yes")), 0.2) << what;
  }
  std::filesystem::remove(scratch_ / "yes.wav");
  std::filesystem::create_directory(scratch_ / "yes.wav");
  ASSERT_EQ(mkfifo((scratch_ / "no.wav").c_str(), 0600), 0);
  for (const std::string& name : {soundName("yes"), soundName("no"), soundName("missing"), std::string()}) {
    EXPECT_LT(secondsToPlay(name), 0.2) << name;
  }
  EXPECT_FALSE(anythingPlayed());
}

TEST_F(SdlSound, PlaysWhatThereIsOfATruncatedFile) {
  const auto samples = testing::audibleSamples16(kCdMono, 0.1);
  testing::writeFile(scratch_ / "yes.wav", testing::wavFile(kCdMono, samples, kCdMono.bytesPerSecond() * 5));

  const double seconds = secondsToPlay(soundName("yes"));

  EXPECT_GE(seconds, 0.08);
  EXPECT_LT(seconds, 0.8);
  expectPlayedExactly(playedBytes(), samples, 0, kCdMono.frameBytes());
}

TEST_F(SdlSound, CutsALongSoundAtTheLimit) {
  constexpr WavFormat kPhone{1, 1, 8000, 16};
  const auto samples = testing::audibleSamples16(kPhone, SdlSoundService::kMaxSeconds + 2);
  testing::writeFile(scratch_ / "yes.wav", testing::wavFile(kPhone, samples));
  setenv("SDL_DISKAUDIODELAY", "1", 1);  // about thirty times faster than real time

  secondsToPlay(soundName("yes"));

  const std::vector<unsigned char> allowed(samples.begin(),
                                           samples.begin() + kPhone.bytesPerSecond() * SdlSoundService::kMaxSeconds);
  expectPlayedExactly(playedBytes(), allowed, 0, kPhone.frameBytes());
}

TEST_F(SdlSound, ReturnsAtOnceWithoutAnAudioDevice) {
  testing::writeFile(scratch_ / "yes.wav", testing::wavFile(kCdMono, testing::audibleSamples16(kCdMono, 0.5)));
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlSoundService sound;
  const auto start = Clock::now();
  sound.play(soundName("yes"));
  sound.play(soundName("yes"));
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 0.2);
  EXPECT_FALSE(SDL_WasInit(SDL_INIT_AUDIO));
}

}  // namespace
}  // namespace wizlo::platform
