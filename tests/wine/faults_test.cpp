// Wizlo.exe under Wine on a hostile machine: its yes sound missing or damaged, its folder read-only,
// a second copy started beside the first, a folder path of over 200 characters (Latin or Arabic), no
// audio device. In each a wrong drop and a right one are judged as always, the pupil sees the cross
// and the check, the piece moves, nothing hangs, and the program goes on. One Wine prefix for all.

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "tests/wine/wine_checks.hpp"

namespace wizlo::wine {
namespace {

using e2e::control;
using e2e::pieceFor;
using e2e::Screenshot;

struct Machine {
  VirtualDisplay display{1280, 1024};
  WineSession session{display, WIZLO_PROGRAM};
};
Machine& machine() {
  static Machine made;
  return made;
}

// What one wrong drop and then one right drop on the first board came to.
struct Played {
  bool crossed = false, checked = false, pieceLeft = false;
  std::vector<std::string> heard;  // in order, "" for a sound that is neither
  std::chrono::milliseconds longest{0};  // from a drop to its mark on screen
};

class OnAHostileMachine : public ::testing::Test {
 protected:
  // A folder of drive C with the program and its two sounds in it; `path` from drive C's root.
  fs::path installed(const std::string& path) const {
    const fs::path folder = session.driveC() / path;
    fs::create_directories(folder);
    for (const char* file : {"Wizlo.exe", "yes.wav", "no.wav"})
      fs::copy_file(session.program().parent_path() / file, folder / file, fs::copy_options::overwrite_existing);
    return folder;
  }
  static std::string windowsPath(const std::string& path) {
    std::string out = "C:\\" + path + "\\Wizlo.exe";
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
  }

  // On the first board: a piece dropped on a circle not its own, then on its own; then back to the menu.
  Played playFirstBoard(WizloOnWine& wizlo) const {
    Played played;
    const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
    const FormLayout& form = *e2e::kBoards[0].layout;
    display.click(wizlo.centre(menu, control(layouts::Form1, e2e::kBoards[0].button)));
    const WindowInfo board = wizlo.waitForWindows(2, form);
    const Screenshot opening = display.screenshot();
    const ImageLayout& piece = *pieceFor(form, 0);
    const std::size_t before = session.sounds().size();
    const auto dropAndWait = [&](const ImageLayout& circle, const std::function<bool(const Screenshot&)>& shown) {
      display.drag(wizlo.centre(board, piece), wizlo.centre(board, circle));
      const auto start = std::chrono::steady_clock::now();
      const Screenshot shot = screenWhen(display, shown, 5000ms);
      played.longest = std::max(played.longest, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                    std::chrono::steady_clock::now() - start));
      return shot;
    };
    const auto crossed = [&](const Screenshot& s) { return showsCross(s, wizlo, board, form); };
    played.crossed = crossed(dropAndWait(control(form, names::kCircles, 1), crossed));
    const auto done = [&](const Screenshot& s) {
      return showsCheck(s, wizlo, board, form) && unchangedShare(opening, s, wizlo, board, piece) < 0.7;
    };
    const Screenshot end = dropAndWait(control(form, names::kCircles, 0), done);
    played.checked = showsCheck(end, wizlo, board, form);
    played.pieceLeft = unchangedShare(opening, end, wizlo, board, piece) < 0.7;
    display.click(wizlo.centre(board, control(form, names::kBoardBack)));
    wizlo.waitForWindows(1, layouts::Form1);
    // Whatever was going to be heard has been by now: Wine writes a sound out as it is played.
    std::this_thread::sleep_for(500ms);
    const std::vector<std::string> all = session.sounds();
    played.heard.assign(all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size())), all.end());
    return played;
  }

  void expectJudgedAsAlways(const Played& played) const {
    EXPECT_TRUE(played.crossed) << "no cross after the wrong drop";
    EXPECT_TRUE(played.checked) << "no check after the right drop";
    EXPECT_TRUE(played.pieceLeft) << "the piece stayed in the pool";
    EXPECT_LT(played.longest, 3000ms) << "a drop took that long to be judged";
  }

  void TearDown() override {
    if (HasFailure())
      display.screenshot().savePng(std::string("/tmp/wine-fault-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
  }

  VirtualDisplay& display = machine().display;
  WineSession& session = machine().session;
};

// A missing sound is not the program's error: Windows plays its default sound in its place (flags 0);
// a fresh Wine prefix has none, so nothing is heard here.
TEST_F(OnAHostileMachine, WithItsYesSoundMissingOrDamagedEveryDropIsJudgedAndNoStillSounds) {
  const struct {
    const char* what;
    const char* folder;
    std::string yes;  // the bytes of yes.wav; none: no file
    bool exists;
  } kYes[] = {
      {"no yes.wav", "without yes", "", false},
      {"an empty yes.wav", "empty yes", "", true},
      {"text, not a sound", "text yes", "this is not a sound\n", true},
      {"a RIFF header cut short", "cut yes", std::string("RIFF\x24\x00\x00\x00WAVEfmt ", 16), true},
      {"a data chunk that claims four gigabytes",
       "lying yes",
       std::string("RIFF\xff\xff\xff\xffWAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00"
                   "\x02\x00\x10\x00data\xff\xff\xff\xff\x00\x00",
                   46),
       true},
  };
  for (const auto& yes : kYes) {
    SCOPED_TRACE(yes.what);
    const fs::path folder = installed(yes.folder);
    fs::remove(folder / "yes.wav");
    if (yes.exists) std::ofstream(folder / "yes.wav", std::ios::binary) << yes.yes;
    WizloOnWine wizlo(session, windowsPath(yes.folder));
    const Played played = playFirstBoard(wizlo);
    expectJudgedAsAlways(played);
    ASSERT_FALSE(played.heard.empty());
    EXPECT_EQ(played.heard.front(), "no");
    EXPECT_EQ(std::count(played.heard.begin(), played.heard.end(), "yes"), 0);
    EXPECT_TRUE(wizlo.running());
  }
}

// Root, as these tests run, may write anyway: what is tested is that the program needs nothing written.
TEST_F(OnAHostileMachine, FromAReadOnlyFolderItStartsAndPlaysAsAlways) {
  const fs::path folder = installed("read only");
  for (const auto& file : fs::directory_iterator(folder))
    fs::permissions(file.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  WizloOnWine wizlo(session, windowsPath("read only"));
  const Played played = playFirstBoard(wizlo);
  expectJudgedAsAlways(played);
  EXPECT_EQ(played.heard, (std::vector<std::string>{"no", "yes"}));
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
}

// Past the 128 characters of OpenFile's path, within Windows' 260; in Latin letters and, on this
// English system, in Arabic ones, which its 8-bit code page lacks.
TEST_F(OnAHostileMachine, FromAFolderPathOfOver200CharactersLatinOrArabicItFindsAndPlaysItsSounds) {
  // Windows counts UTF-16 units: one a letter here, however many bytes UTF-8 gives it.
  const auto characters = [](const std::string& text) {
    return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  };
  for (const auto& [root, part] : {std::pair{"Schools", "/Year exercises for reading "},
                                   std::pair{"المدارس", "/تمارين القراءة للسنة "}}) {
    std::string path = root;
    while (characters(path) < 200) path += part + std::to_string(path.size());
    SCOPED_TRACE(path);
    ASSERT_GT(characters(windowsPath(path)), 200);
    ASSERT_LT(characters(windowsPath(path)), 260);  // within MAX_PATH, as a program folder must be
    installed(path);
    WizloOnWine wizlo(session, windowsPath(path));
    const Played played = playFirstBoard(wizlo);
    expectJudgedAsAlways(played);
    EXPECT_EQ(played.heard, (std::vector<std::string>{"no", "yes"}));
  }
}

TEST_F(OnAHostileMachine, ASecondCopyStartedBesideTheFirstRunsAndBothGoOn) {
  WizloOnWine first(session, WIZLO_PROGRAM);
  first.waitForWindows(1, layouts::Form1);
  {
    WizloOnWine second(session, WIZLO_PROGRAM);
    const Played played = playFirstBoard(second);
    expectJudgedAsAlways(played);
    EXPECT_EQ(played.heard, (std::vector<std::string>{"no", "yes"}));
    EXPECT_TRUE(first.running());
    second.clickCloseBox(second.top());
    EXPECT_TRUE(e2e::waitUntil([&] { return !second.running(); }, 10000ms)) << "the second copy went on";
  }
  ASSERT_TRUE(first.running());
  const Played played = playFirstBoard(first);
  expectJudgedAsAlways(played);
}

TEST_F(OnAHostileMachine, WithNoAudioDeviceEveryDropIsJudgedAtOnceAndNothingIsHeard) {
  // A home without the capture device: ALSA finds no sound card, and Wine no wave output.
  const fs::path silent = session.prefix().parent_path() / "home without sound";
  fs::create_directories(silent);
  WizloOnWine wizlo(session, WIZLO_PROGRAM, 1, {"HOME=" + silent.string()});
  const Played played = playFirstBoard(wizlo);
  expectJudgedAsAlways(played);
  EXPECT_TRUE(played.heard.empty());
  EXPECT_TRUE(wizlo.running());
}

}  // namespace
}  // namespace wizlo::wine
