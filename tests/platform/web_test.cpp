#include "platform/linux/xdg_opener.hpp"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/platform/scratch_folder.hpp"

namespace wizlo::platform {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kSignalProbeVariable = "WIZLO_SIGNAL_PROBE";

// Started as a stand-in opener by the signal test below, this program only
// writes which signals it was started with ignored, and leaves.
const bool kStartedAsProbe = [] {
  const char* record = std::getenv(kSignalProbeVariable);
  if (record == nullptr) return false;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigIgn:", 0) == 0) std::ofstream(std::string(record) + ".part") << line.substr(7);
  }
  std::rename((std::string(record) + ".part").c_str(), record);
  std::_Exit(0);
}();

// A /proc file of a process that may end while we read it: a stream would
// throw on the read error (ESRCH), so this reads plainly and keeps what came.
std::string readWhileItLasts(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string text;
  char buffer[512];
  ssize_t got = 0;
  while ((got = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
  close(fd);
  return text;
}

// Our own children, zombies included, from /proc: the only way to see a
// zombie without reaping it.
std::vector<pid_t> childrenOfThisProcess() {
  std::vector<pid_t> children;
  // Processes come and go while we look; error codes keep that from throwing.
  std::error_code error;
  for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = readWhileItLasts(entry->path() / "stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    long parent = 0;
    if (std::sscanf(stat.c_str() + close + 1, " %c %ld", &state, &parent) == 2 && parent == getpid()) {
      children.push_back(static_cast<pid_t>(std::stol(name)));
    }
  }
  return children;
}

bool noChildLeftWithin(std::chrono::milliseconds patience) {
  const auto giveUp = Clock::now() + patience;
  while (!childrenOfThisProcess().empty()) {
    if (Clock::now() > giveUp) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

// A stand-in xdg-open on PATH. The recording one writes its argument count
// and then each argument ended by NUL, and renames the record into place so
// that a reader never sees half of it.
class XdgOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(kStartedAsProbe);
    if (const char* path = std::getenv("PATH")) savedPath_ = path;
    std::filesystem::create_directory(bin_);
    setenv("PATH", (bin_ + ":/usr/bin:/bin").c_str(), 1);
    setenv("WIZLO_TEST_RECORD", record_.c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    unsetenv("WIZLO_TEST_RECORD");
  }

  void installOpener(const std::string& body) {
    const std::string opener = bin_ + "/xdg-open";
    testing::writeFile(opener, "#!/bin/sh\n" + body);
    chmod(opener.c_str(), 0755);
  }
  void installRecordingOpener() {
    installOpener(
        "{ printf '%s\\n' \"$#\"; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > \"$WIZLO_TEST_RECORD.part\"\n"
        "mv \"$WIZLO_TEST_RECORD.part\" \"$WIZLO_TEST_RECORD\"\n");
  }

  // The record of the opener's run, or "" when it did not run within a while.
  std::string awaitRecord() {
    const auto giveUp = Clock::now() + 3s;
    while (!std::filesystem::exists(record_) && Clock::now() < giveUp) std::this_thread::sleep_for(5ms);
    std::ifstream in(record_, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(record_);
    return text;
  }

  testing::ScratchFolder scratch_;
  const std::string bin_ = scratch_ / "bin";
  const std::string record_ = scratch_ / "record";
  std::string savedPath_;
};

TEST_F(XdgOpen, HandsTheAddressOverAsExactlyOneArgumentUntouched) {
  installRecordingOpener();
  const std::string addresses[] = {
      "https://example.org/wizlo",
      "https://example.org/a page with spaces?q=1&r=2",
      "https://example.org/; touch pwned",
      "https://example.org/$(touch pwned)`touch pwned`$HOME",
      "https://example.org/it's \"quoted\" \\ back",
      "https://example.org/مرحبا",
      "",
  };
  XdgOpener opener;
  for (const std::string& address : addresses) {
    opener.open(0x1234, address);
    EXPECT_EQ(awaitRecord(), "1\n" + address + std::string(1, '\0')) << address;
  }
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "pwned"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  EXPECT_TRUE(noChildLeftWithin(2s)) << "a finished opener was left a zombie";
}

TEST_F(XdgOpen, DoesNotWaitForAnOpenerThatHangsAndReapsItWhenItEnds) {
  installOpener("exec /bin/sleep 30\n");
  XdgOpener opener;
  const auto start = Clock::now();
  opener.open(0, "https://example.org/");
  EXPECT_LT(Clock::now() - start, 200ms);

  const auto children = childrenOfThisProcess();
  ASSERT_EQ(children.size(), 1u);
  kill(children[0], SIGKILL);
  EXPECT_TRUE(noChildLeftWithin(2s));
}

TEST_F(XdgOpen, DoesNothingWithoutAnOpenerOnPath) {
  setenv("PATH", bin_.c_str(), 1);  // an empty folder
  XdgOpener opener;
  const auto start = Clock::now();
  opener.open(0, "https://example.org/");
  EXPECT_LT(Clock::now() - start, 200ms);
  EXPECT_TRUE(noChildLeftWithin(0ms));
}

TEST_F(XdgOpen, StartsTheOpenerWithSigchldAtItsDefaultEvenWhenTheProgramIgnoresIt) {
  // A shell would reset SIGCHLD itself and hide the fault, so the stand-in
  // here is this test program, which answers as a probe (above).
  std::filesystem::create_symlink(std::filesystem::canonical("/proc/self/exe"), bin_ + "/xdg-open");
  setenv(kSignalProbeVariable, record_.c_str(), 1);
  struct sigaction previous {};
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGCHLD, &ignore, &previous);
  XdgOpener().open(0, "https://example.org/");
  const std::string ignored = awaitRecord();
  sigaction(SIGCHLD, &previous, nullptr);
  unsetenv(kSignalProbeVariable);

  ASSERT_FALSE(ignored.empty());
  // SigIgn in /proc/<pid>/status is a hex mask of the ignored signals.
  EXPECT_EQ(std::stoull(ignored, nullptr, 16) & (1ull << (SIGCHLD - 1)), 0u) << ignored;
}

}  // namespace
}  // namespace wizlo::platform
