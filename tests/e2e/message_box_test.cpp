// The message box on Linux, with the real program: a damaged pack opened under Xvfb brings up the box,
// centred and at the display's scale, its Arabic ending at its right; each way of dismissing it ends
// the program with status 1; without the helper, SDL's own box says it.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

bool ink(Rgb c) { return c.r + c.g + c.b < 3 * 128; }
bool buttonBlue(Rgb c) { return c.b > 150 && c.r < 80; }

// The first visible window xdotool finds by `by` ("--classname", "--name") matching `pattern`; 0 when
// none shows within the deadline.
WindowId visibleWindow(const VirtualDisplay& display, const char* by, const char* pattern) {
  std::string found;
  waitUntil([&] {
    try {
      found = display.xdotool({"search", "--onlyvisible", by, pattern});
    } catch (const std::runtime_error&) {
      found.clear();
    }
    return !found.empty();
  }, 10000ms);
  return found.empty() ? 0 : std::stoul(found);
}

TEST(MessageBox, ADamagedPackShowsItsMessageCentredAtTheDisplaysScaleUntilDismissed) {
  char folder[] = "/tmp/wizlo-message-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string damaged = std::string(folder) + "/lesson.wizlo";
  std::ofstream(damaged, std::ios::binary) << "not a pack";

  const struct {
    int dpi;
    const char* key;  // nullptr: the window's close box
  } cases[] = {{96, "Return"}, {144, "Escape"}, {192, nullptr}};
  int widthAt96 = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key ? c.key : "close box");
    VirtualDisplay display(1280, 800, c.dpi);
    WizloRun run(display, WizloOptions{WIZLO_PROGRAM, true, {}}, {damaged});
    const WindowId shown = visibleWindow(display, "--classname", "^wizlo-message$");
    ASSERT_NE(shown, 0u) << run.standardError();
    const WindowInfo box = display.window(shown);
    const Point topLeft{box.x, box.y};
    // Drawn: the OK button and the text, once the box has been painted.
    const auto drawn = [&] {
      const Screenshot shot = display.screenshot();
      return shot.count(topLeft, box.width, box.height, buttonBlue) > 1000 &&
             shot.count(topLeft, box.width, box.height / 3, ink) > 200;
    };
    ASSERT_TRUE(waitUntil(drawn, 10000ms));
    const Screenshot shot = display.screenshot();
    if (c.dpi == 96) {
      widthAt96 = box.width;
    } else {
      EXPECT_NEAR(box.width, widthAt96 * c.dpi / 96.0, widthAt96 * 0.1) << c.dpi;
    }
    EXPECT_NEAR(box.x + box.width / 2, 640, 2);
    EXPECT_NEAR(box.y + box.height / 2, 400, 2);
    // The Arabic, first, ends at the right margin and leaves the left one clear: right to left.
    const int margin = 24 * c.dpi / 96;
    const int firstLine = box.height / 4;
    EXPECT_GT(shot.count({box.x + box.width - margin - 3 * c.dpi / 96, box.y}, 3 * c.dpi / 96 + 1, firstLine, ink), 0);
    EXPECT_EQ(shot.count({box.x + 2, box.y + 2}, margin - 4, firstLine, ink), 0);
    if (::testing::Test::HasFailure() && shot.savePng("/tmp/e2e-message-box.png"))
      std::fprintf(stderr, "screen kept in /tmp/e2e-message-box.png\n");

    if (c.key)
      display.pressKeys(box.id, {c.key});
    else
      display.requestClose(box.id);
    const std::optional<int> status = run.waitForExit(5000ms);
    ASSERT_TRUE(status) << "the box stayed";
    EXPECT_EQ(*status, 1);
    EXPECT_NE(run.standardError().find("لا يمكن فتح لوحة الدرس"), std::string::npos) << run.standardError();
  }
  std::filesystem::remove_all(folder);
}

TEST(MessageBox, WithoutItsHelperTheProgramFallsBackOnSdlsOwnBox) {
  char folder[] = "/tmp/wizlo-nohelper-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::filesystem::path alone(folder), program(WIZLO_PROGRAM);
  for (const char* file : {"wizlo", "yes.wav", "no.wav"})
    std::filesystem::copy_file(program.parent_path() / file, alone / file);
  std::ofstream(alone / "lesson.wizlo", std::ios::binary) << "not a pack";

  VirtualDisplay display;
  WizloRun run(display, WizloOptions{(alone / "wizlo").string(), true, {}}, {(alone / "lesson.wizlo").string()});
  const WindowId sdlBox = visibleWindow(display, "--name", "^Wizlo$");
  ASSERT_NE(sdlBox, 0u) << run.standardError();
  display.pressKeys(sdlBox, {"Return"});
  const std::optional<int> status = run.waitForExit(5000ms);
  ASSERT_TRUE(status) << "SDL's box stayed";
  EXPECT_EQ(*status, 1);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace wizlo::e2e
