#include "platform/linux/sound_file.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/platform/scratch_folder.hpp"

namespace wizlo::platform {
namespace {

using Paths = std::vector<std::string>;

TEST(SoundFileCandidates, ReadTheLastBackslashAsASeparatorAndAddWavWhenThereIsNoExtension) {
  struct Case {
    const char* name;
    Paths files;
  } cases[] = {
      {"/opt/wizlo\\yes", {"/opt/wizlo/yes.wav", "/opt/wizlo/yes"}},
      // The root folder, and a folder given with its separator: no "//".
      {"/\\yes", {"/yes.wav", "/yes"}},
      {"/opt/wizlo//\\no", {"/opt/wizlo/no.wav", "/opt/wizlo/no"}},
      {"/home/pupil/my folder/برنامج التمارين\\yes",
       {"/home/pupil/my folder/برنامج التمارين/yes.wav", "/home/pupil/my folder/برنامج التمارين/yes"}},
      // Dots in a folder are not the sound's extension.
      {"/opt/wizlo-1.0\\yes", {"/opt/wizlo-1.0/yes.wav", "/opt/wizlo-1.0/yes"}},
      // Earlier backslashes belong to the folder's own name.
      {"/opt/a\\b\\yes", {"/opt/a\\b/yes.wav", "/opt/a\\b/yes"}},
      {"/opt/wizlo\\yes.wav", {"/opt/wizlo/yes.wav"}},
      {"/opt/wizlo\\.yes", {"/opt/wizlo/.yes.wav", "/opt/wizlo/.yes"}},
      {"\\yes", {"/yes.wav", "/yes"}},
      {"sounds/yes", {"sounds/yes.wav", "sounds/yes"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(soundFileCandidates(c.name), c.files) << c.name;
}

class ReadSoundFile : public ::testing::Test {
 protected:
  std::string nameOf(const char* sound) const { return scratch_.path().string() + "\\" + sound; }
  testing::ScratchFolder scratch_;
};

TEST_F(ReadSoundFile, PrefersTheWavFileFallsBackToTheBareNameAndStopsAtTheCap) {
  testing::writeFile(scratch_ / "yes.wav", "with extension");
  testing::writeFile(scratch_ / "yes", "bare");
  testing::writeFile(scratch_ / "no", "bare, and longer than the cap");
  const auto yes = readSoundFile(nameOf("yes"), 1000);
  const auto no = readSoundFile(nameOf("no"), 4);
  ASSERT_TRUE(yes && no);
  EXPECT_EQ(std::string(yes->begin(), yes->end()), "with extension");
  EXPECT_EQ(std::string(no->begin(), no->end()), "bare");
  EXPECT_FALSE(readSoundFile(nameOf("missing"), 1000));
}

TEST_F(ReadSoundFile, SkipsWhatIsNotARegularFileWithoutBlocking) {
  std::filesystem::create_directory(scratch_ / "yes.wav");
  testing::writeFile(scratch_ / "yes", "bare");
  ASSERT_EQ(mkfifo((scratch_ / "no.wav").c_str(), 0600), 0);
  const auto yes = readSoundFile(nameOf("yes"), 1000);
  ASSERT_TRUE(yes);
  EXPECT_EQ(std::string(yes->begin(), yes->end()), "bare");
  EXPECT_FALSE(readSoundFile(nameOf("no"), 1000));  // a FIFO with no writer: must not hang
}

}  // namespace
}  // namespace wizlo::platform
