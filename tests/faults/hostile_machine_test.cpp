// The real sound and web services under a hostile machine, seen from a board:
// whatever the sound files, the audio system and the web opener do, a drop
// is judged, the board answers at once (or after no more than the sound),
// and nothing is reported to the pupil.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "assets/control_names.hpp"
#include "platform/linux/sdl_sound.hpp"
#include "platform/linux/xdg_opener.hpp"
#include "tests/faults/watchdog.hpp"
#include "tests/support/real_program.hpp"
#include "tests/platform/scratch_folder.hpp"
#include "tests/platform/wav_bytes.hpp"
#include "tests/support/test_board.hpp"

namespace wizlo::testing {
namespace {

using platform::SdlSoundService;
using platform::testing::ScratchFolder;
using platform::testing::WavFormat;
using platform::testing::wavFile;
using platform::testing::writeFile;
using Bytes = std::vector<unsigned char>;

Bytes silence(std::size_t bytes) { return Bytes(bytes, 0x80); }

struct SoundFiles {
  const char* what;
  std::function<void(const std::string& folder, const char* sound)> make;  // writes one sound into the folder
  double longest;  // seconds a drop may take
};

void put(const std::string& folder, const char* sound, const Bytes& bytes) {
  writeFile(folder + "/" + sound + ".wav", bytes);
}

// A format chunk that says whatever it likes, over some samples.
Bytes lyingWav(WavFormat format, std::uint32_t bytesPerSecond, std::uint16_t blockAlign, std::size_t dataBytes,
               std::uint32_t declared) {
  Bytes out = wavFile(format, silence(dataBytes), declared);
  auto patch = [&out](std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
  };
  patch(28, bytesPerSecond, 4);
  patch(32, blockAlign, 2);
  return out;
}

const SoundFiles kSoundFiles[] = {
    {"no sound files", [](const std::string&, const char*) {}, 0.5},
    {"empty files", [](const std::string& f, const char* s) { put(f, s, {}); }, 0.5},
    {"text, not a WAV", [](const std::string& f, const char* s) { writeFile(f + "/" + s + ".wav", "not a sound\n"); }, 0.5},
    {"a header cut short",
     [](const std::string& f, const char* s) {
       Bytes whole = wavFile({1, 1, 8000, 8}, silence(800));
       put(f, s, Bytes(whole.begin(), whole.begin() + 30));
     },
     0.5},
    {"samples cut short", [](const std::string& f, const char* s) { put(f, s, wavFile({1, 1, 8000, 8}, silence(400), 80000)); },
     1.5},
    {"8-bit mono at 8 kHz", [](const std::string& f, const char* s) { put(f, s, wavFile({1, 1, 8000, 8}, silence(800))); },
     1.5},
    {"six channels", [](const std::string& f, const char* s) { put(f, s, wavFile({1, 6, 48000, 16}, silence(57600))); },
     1.5},
    {"no channels", [](const std::string& f, const char* s) { put(f, s, lyingWav({1, 0, 8000, 16}, 16000, 2, 800, 800)); },
     0.5},
    {"no sample rate", [](const std::string& f, const char* s) { put(f, s, lyingWav({1, 1, 0, 16}, 0, 2, 800, 800)); },
     0.5},
    {"a sample rate of four billion",
     [](const std::string& f, const char* s) { put(f, s, lyingWav({1, 1, 0xFFFFFFF0u, 16}, 0xFFFFFFE0u, 2, 800, 800)); },
     0.5},
    {"one sample a second", [](const std::string& f, const char* s) { put(f, s, wavFile({1, 1, 1, 8}, silence(40))); },
     1.5},
    {"a hundred samples a second",
     [](const std::string& f, const char* s) { put(f, s, wavFile({1, 1, 100, 8}, silence(400))); }, 1.5},
    {"255 channels of 32 bits", [](const std::string& f, const char* s) { put(f, s, wavFile({1, 255, 8000, 32}, silence(1020 * 8))); },
     1.5},
    {"a block size that disagrees", [](const std::string& f, const char* s) { put(f, s, lyingWav({1, 2, 8000, 16}, 3, 3, 900, 900)); },
     1.5},
    {"a data size of four gigabytes", [](const std::string& f, const char* s) { put(f, s, wavFile({1, 1, 8000, 8}, silence(800), 0xFFFFFFF0u)); },
     1.5},
    {"compressed samples", [](const std::string& f, const char* s) { put(f, s, wavFile({2, 1, 8000, 4}, silence(800))); },
     1.5},
    {"a folder under the name", [](const std::string& f, const char* s) { std::filesystem::create_directories(f + "/" + s + ".wav"); },
     0.5},
    {"a FIFO under the name",
     [](const std::string& f, const char* s) { mkfifo((f + "/" + s + ".wav").c_str(), 0600); }, 0.5},
    {"a link to an endless device",
     [](const std::string& f, const char* s) { std::filesystem::create_symlink("/dev/zero", f + "/" + s + ".wav"); }, 0.5},
    {"a dangling link",
     [](const std::string& f, const char* s) { std::filesystem::create_symlink(f + "/gone", f + "/" + s + ".wav"); }, 0.5},
    {"a very large file",
     [](const std::string& f, const char* s) { put(f, s, wavFile({1, 1, 8000, 8}, silence(std::size_t{48} << 20))); },
     SdlSoundService::kMaxSeconds + 3.0},
};

// SDL reads its audio settings when audio starts: every case makes its own service.
class WithAudioDriver {
 public:
  WithAudioDriver(const char* driver, const std::string& output) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);  // a long sound plays fast, but still through the device
  }
  ~WithAudioDriver() {
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
  }
};

// One right and one wrong drop, each judged within `longest` seconds.
void expectBoardJudges(platform::SoundService& sound, const std::string& folder, double longest) {
  RecordingWeb web;
  RealProgram program(sound, web, folder);
  for (const char* boardName : {"Form2", "Form5"}) {
    SCOPED_TRACE(boardName);
    Form& board = program.board(boardName);
    EXPECT_LE(timedDrop(program.mouse, board, wrongFit(board)), longest);
    EXPECT_TRUE(board.control(names::kWrongMark).Visible());
    EXPECT_LE(timedDrop(program.mouse, board, rightFit(board)), longest);
    EXPECT_TRUE(board.control(names::kRightMark).Visible());
    EXPECT_FALSE(board.control(names::kCircles, rightFit(board).circle).Picture().isEmpty());
    board.Unload();
  }
  EXPECT_TRUE(program.backend.errors.empty());
}

TEST(HostileMachine, ABoardJudgesDropsWhateverTheSoundFilesHold) {
  for (const SoundFiles& files : kSoundFiles) {
    SCOPED_TRACE(files.what);
    const Watchdog watchdog(files.what, std::chrono::seconds(60));
    ScratchFolder folder;
    for (const char* sound : {"yes", "no"}) files.make(folder.path().string(), sound);
    WithAudioDriver driver("disk", folder / "played.raw");
    SdlSoundService sound;
    expectBoardJudges(sound, folder.path().string(), files.longest);
  }
}

TEST(HostileMachine, ABoardAnswersAtOnceWhenAudioCannotStartOrOpen) {
  const struct {
    const char* what;
    const char* driver;
    const char* output;
  } kAudio[] = {
      {"no such audio driver", "nonexistent", ""},
      {"a device that cannot open", "disk", "/nonexistent-folder/played.raw"},
      {"no sound server", "pulseaudio", ""},
      {"no sound card", "alsa", ""},
  };
  for (const auto& audio : kAudio) {
    SCOPED_TRACE(audio.what);
    ScratchFolder folder;
    for (const char* name : {"yes", "no"}) put(folder.path().string(), name, wavFile({1, 1, 8000, 8}, silence(400)));
    WithAudioDriver driver(audio.driver, audio.output);
    setenv("PULSE_SERVER", (folder / "no-server").c_str(), 1);
    SdlSoundService sound;
    expectBoardJudges(sound, folder.path().string(), 2.0);
    unsetenv("PULSE_SERVER");
  }
}

// Stand-in openers on PATH. Each that runs first notes its process id, so the
// test knows it ran and can end the one that hangs rather than leave it behind.
struct Opener {
  const char* what;
  const char* script;  // null: no xdg-open at all
  bool runs = true;
  bool hangs = false;
};

const Opener kOpeners[] = {
    {"no xdg-open", nullptr, false},
    {"one that fails", "exit 3\n"},
    {"one that crashes", "kill -SEGV $$\n"},
    {"one that hangs for a minute", "exec sleep 60 </dev/null >/dev/null 2>&1\n", true, true},
    {"one that floods its output", "yes 'no browser' | head -c 1000000 >/dev/null\n"},
    {"one that cannot run", "", false},
};

TEST(HostileMachine, TheWebHotSpotsAnswerAtOnceWhateverTheOpener) {
  for (const Opener& opener : kOpeners) {
    SCOPED_TRACE(opener.what);
    ScratchFolder folder;
    const std::string bin = folder / "bin", pidFile = folder / "opener.pid";
    std::filesystem::create_directories(bin);
    if (opener.script) {
      const std::string interpreter = opener.runs ? "#!/bin/sh\n" : "#!/nonexistent/interpreter\n";
      writeFile(bin + "/xdg-open", interpreter + "echo $$ >> \"$WIZLO_OPENER_PID\"\n" + opener.script);
      chmod((bin + "/xdg-open").c_str(), 0755);
    }
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin + (opener.script ? ":/usr/bin:/bin" : "")).c_str(), 1);
    setenv("WIZLO_OPENER_PID", pidFile.c_str(), 1);

    RecordingSound sound;
    platform::XdgOpener web;
    RealProgram program(sound, web, "/opt/wizlo");
    Form& menu = program.runtime.form("Form1");
    menu.Show();
    auto start = std::chrono::steady_clock::now();
    program.mouse.click(menu, menu.control(names::kWebSite));
    EXPECT_LT(secondsSince(start), 0.5) << "the menu";
    menu.Unload();
    Form& board = program.board("Form3");
    start = std::chrono::steady_clock::now();
    program.mouse.click(board, board.control(names::kWebSite));
    EXPECT_LT(secondsSince(start), 0.5) << "the board";
    timedDrop(program.mouse, board, rightFit(board));
    EXPECT_TRUE(board.control(names::kRightMark).Visible());
    EXPECT_TRUE(program.backend.errors.empty());

    setenv("PATH", savedPath.c_str(), 1);
    unsetenv("WIZLO_OPENER_PID");
    std::vector<pid_t> pids;
    for (int wait = 0; opener.runs && wait < 300 && pids.size() < 2; ++wait) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      std::ifstream in(pidFile);
      pids.clear();
      for (pid_t pid; in >> pid;) pids.push_back(pid);
    }
    EXPECT_EQ(pids.size(), opener.runs ? 2u : 0u) << "the opener ran from both hot spots, or from none";
    // The program leaves a hanging opener running, as it should; the test ends it.
    if (opener.hangs)
      for (pid_t pid : pids) kill(pid, SIGTERM);
  }
}

}  // namespace
}  // namespace wizlo::testing
