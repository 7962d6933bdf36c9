#include "platform/linux/app_path.hpp"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/platform/scratch_folder.hpp"

extern char** environ;

namespace wizlo::platform {
namespace {

constexpr const char* kProbeVariable = "WIZLO_APP_PATH_PROBE";

// Started as a probe by the test below (a copy of this program in an awkward
// folder), the program only writes what appPath() says and leaves.
const bool kStartedAsProbe = [] {
  const char* answerFile = std::getenv(kProbeVariable);
  if (answerFile == nullptr) return false;
  std::ofstream(answerFile) << appPath();
  std::_Exit(0);
}();

TEST(FolderOf, KeepsTheFolderAndDropsTheFileName) {
  struct Case {
    const char* executable;
    const char* folder;
  } cases[] = {
      {"/opt/wizlo/wizlo", "/opt/wizlo"},
      {"/wizlo", "/"},
      {"wizlo", "."},
      {"/home/pupil/my programs/برامج/wizlo", "/home/pupil/my programs/برامج"},
      {"/opt/v1.0\\beta/wizlo", "/opt/v1.0\\beta"},
      {"/opt/wizlo/wizlo (deleted)", "/opt/wizlo"},
  };
  for (const Case& c : cases) EXPECT_EQ(folderOf(c.executable), c.folder) << c.executable;
}

std::string appPathOfACopyIn(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / "wizlo probe";
  std::filesystem::copy_file("/proc/self/exe", copy);
  const std::string answerFile = (folder.parent_path() / "answer").string();
  setenv(kProbeVariable, answerFile.c_str(), 1);
  std::string program = copy.string();
  char* argv[] = {program.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ);
  unsetenv(kProbeVariable);
  if (spawned != 0) return "<not started>";
  int status = 0;
  waitpid(child, &status, 0);
  std::ifstream in(answerFile);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AppPath, FindsTheProgramInFoldersWithSpacesArabicLettersBackslashesAndLongNames) {
  ASSERT_FALSE(kStartedAsProbe);
  std::string longName = "long";
  for (int i = 0; i < 12; ++i) longName += "/" + std::string(120, static_cast<char>('a' + i)) + "مجلد";
  for (const std::string& name : {std::string("تمارين اللغة/v1.0 (مدرسة)\\beta"), longName}) {
    testing::ScratchFolder scratch;
    const std::filesystem::path folder = scratch.path() / "program" / name;
    EXPECT_EQ(appPathOfACopyIn(folder), folder.string()) << name;
  }
}

}  // namespace
}  // namespace wizlo::platform
