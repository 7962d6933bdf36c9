// A teacher's board opened alone from its pack, as a double-click opens it: the real program under
// Xvfb, played with the real pointer to the end, then closed by its own back button.

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/lesson.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

std::unique_ptr<Lesson> samplePack() {
  std::ifstream in(WIZLO_SAMPLE_PACK, std::ios::binary);
  return Lesson::read(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

class LessonBoard : public ::testing::Test {
 protected:
  const std::unique_ptr<Lesson> lesson = samplePack();
  const FormLayout& form = lesson->layout();
  VirtualDisplay display;
  WizloRun run{display, WizloOptions{WIZLO_PROGRAM, true, {}}, {WIZLO_SAMPLE_PACK}};

  Point centre(const WindowInfo& window, const ImageLayout& c) const {
    return WizloRun::at(window, c.Left + c.Width / 2, c.Top + c.Height / 2);
  }
  std::string nextSound() {
    const std::size_t heard = run.sounds().size();
    if (!run.waitForSounds(heard + 1, 10000ms)) return "";
    return run.sounds()[heard].name;
  }
  double marked(const WindowInfo& board, std::string_view mark, bool (*colour)(Rgb)) {
    const ImageLayout& c = control(form, mark);
    int hits = 0;
    const Screenshot shot = display.screenshot();
    for (int y = c.Top / 15 + 2; y < (c.Top + c.Height) / 15 - 2; ++y)
      for (int x = c.Left / 15 + 2; x < (c.Left + c.Width) / 15 - 2; ++x) hits += colour(shot.at({board.x + x, board.y + y}));
    return double(hits) / ((c.Width / 15 - 4) * (c.Height / 15 - 4));
  }

  void TearDown() override {
    if (!HasFailure()) return;
    if (display.screenshot().savePng("/tmp/e2e-lesson.png")) std::fprintf(stderr, "screen kept in /tmp/e2e-lesson.png\n");
    std::fprintf(stderr, "wizlo's standard error:\n%s\n", run.standardError().c_str());
  }
};

TEST_F(LessonBoard, OpensAlonePlaysToTheEndWithTheDecoyFittingNowhereAndItsBackButtonEndsTheProgram) {
  const WindowInfo board = run.waitForWindows(1);
  EXPECT_EQ(board.name, form.Caption);
  // The decoy, the piece whose tag no key has, is judged wrong on the first circle.
  const ImageLayout* decoy = nullptr;
  for (const ImageLayout& c : form.Controls)
    if (c.Name == names::kPieces) {
      bool fits = false;
      for (const ImageLayout& key : form.Controls) fits |= key.Name == names::kKeys && key.Tag == c.Tag;
      if (!fits) decoy = &c;
    }
  ASSERT_NE(decoy, nullptr);
  display.drag(centre(board, *decoy), centre(board, control(form, names::kCircles, 0)));
  EXPECT_EQ(nextSound(), "no");
  EXPECT_TRUE(waitUntil([&] { return marked(board, names::kWrongMark, markNoRed) > 0.05; }, 10000ms)) << "no cross";

  for (int i = 0; i < arraySize(form, names::kCircles); ++i) {
    const ImageLayout* piece = pieceFor(form, i);
    ASSERT_NE(piece, nullptr) << "g(" << i << ")";
    display.drag(centre(board, *piece), centre(board, control(form, names::kCircles, i)));
    EXPECT_EQ(nextSound(), "yes") << "g(" << i << ")";
    EXPECT_TRUE(waitUntil([&] { return marked(board, names::kRightMark, markYesGreen) > 0.05; }, 10000ms))
        << "g(" << i << "): no check";
  }
  display.click(centre(board, control(form, names::kBoardBack)));
  const std::optional<int> status = run.waitForExit(5000ms);
  ASSERT_TRUE(status) << "the program went on after its only board closed";
  EXPECT_EQ(*status, 0);
}

TEST(LessonPack, ADamagedPackIsRefusedWithAMessageAndStatusOne) {
  char folder[] = "/tmp/wizlo-damaged-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string damaged = std::string(folder) + "/lesson.wizlo";
  {
    std::ifstream in(WIZLO_SAMPLE_PACK, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    bytes.resize(bytes.size() / 3);  // cut short, as by a copy that did not finish
    std::ofstream(damaged, std::ios::binary) << bytes;
  }
  VirtualDisplay display;
  // No display for its message box: it says why on standard error and ends, as with no display at all.
  WizloRun run(display, WizloOptions{WIZLO_PROGRAM, true, {"SDL_VIDEODRIVER=dummy", "DISPLAY="}}, {damaged});
  const std::optional<int> status = run.waitForExit(10000ms);
  ASSERT_TRUE(status);
  EXPECT_EQ(*status, 1);
  const std::string said = run.standardError();
  EXPECT_NE(said.find("لا يمكن فتح لوحة الدرس"), std::string::npos) << said;
  EXPECT_NE(said.find("cannot be opened: the file is damaged"), std::string::npos) << said;
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace wizlo::e2e
