// The real program copied with its sounds into folders a school machine may
// have: spaces, Arabic letters, a folder that cannot be written. It starts,
// a right drop plays "yes", a wrong one "no", and closing the menu ends it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "assets/control_names.hpp"
#include "tests/e2e/e2e_fixture.hpp"
#include "tests/platform/scratch_folder.hpp"

namespace wizlo::e2e {
namespace {

namespace fs = std::filesystem;

TEST(OddFolders, TheProgramPlaysItsSoundsFromAnyFolder) {
  const struct {
    const char* what;
    const char* folder;
    bool readOnly;
  } kFolders[] = {
      {"spaces", "my programs/wizlo 1.0", false},
      {"Arabic letters", "برامج/التعرف على المهارة", false},
      {"a backslash and a trailing dot", "odd\\name./wizlo.", false},
      {"a read-only folder", "read only", true},
  };
  const fs::path built = fs::path(WIZLO_PROGRAM).parent_path();
  for (const auto& place : kFolders) {
    SCOPED_TRACE(place.what);
    platform::testing::ScratchFolder scratch;
    const fs::path folder = scratch.path() / place.folder;
    fs::create_directories(folder);
    for (const char* file : {"wizlo", "yes.wav", "no.wav"}) fs::copy_file(built / file, folder / file);
    if (place.readOnly) {
      for (const char* file : {"yes.wav", "no.wav"}) chmod((folder / file).c_str(), 0444);
      chmod((folder / "wizlo").c_str(), 0555);
      chmod(folder.c_str(), 0555);
    }

    VirtualDisplay display;
    WizloRun run(display, WizloOptions{(folder / "wizlo").string(), true, {}});
    const WindowInfo menu = run.waitForWindows(1);
    const auto centre = [](const WindowInfo& window, const ImageLayout& c) {
      return WizloRun::at(window, c.Left + c.Width / 2, c.Top + c.Height / 2);
    };
    const FormLayout& form = layouts::Form2;
    display.click(centre(menu, control(layouts::Form1, layouts::hotSpotOpening(form))));
    const WindowInfo board = run.waitForWindows(2);
    const ImageLayout* piece = pieceFor(form, 0);
    ASSERT_NE(piece, nullptr);
    display.drag(centre(board, *piece), centre(board, control(form, names::kCircles, 1)));  // wrong
    display.drag(centre(board, *piece), centre(board, control(form, names::kCircles, 0)));  // right
    ASSERT_TRUE(run.waitForSounds(2, 10000ms)) << run.standardError();
    EXPECT_EQ(run.sounds()[0].name, "no");
    EXPECT_EQ(run.sounds()[1].name, "yes");
    display.requestClose(board.id);
    ASSERT_TRUE(waitUntil([&] { return run.windows().size() == 1; }, 10000ms));
    display.requestClose(menu.id);
    EXPECT_EQ(run.waitForExit(10000ms), std::optional<int>(0));
    if (place.readOnly) chmod(folder.c_str(), 0755);
  }
}

}  // namespace
}  // namespace wizlo::e2e
