// The real Wizlo.exe under Wine, driven through the real pointer and by finger: every board played to
// the end, wrong drops and the spare circles, both pages, the close box, the web hot spot through
// ShellExecute, the sounds sndPlaySound played, a program folder with an Arabic name, and the forms at
// 120, 144 and 192 dpi. One Wine prefix for all of them, made once.

#include <SDL_image.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "app/lesson.hpp"
#include "forms/frame.hpp"
#include "platform/web_site.hpp"
#include "tests/e2e/e2e_fixture.hpp"
#include "tests/wine/wine_checks.hpp"
#include "tests/wine/wine_session.hpp"

namespace wizlo::wine {
namespace {

using e2e::FormCase;
using e2e::control;
using e2e::kBoards;
using e2e::pieceFor;
using e2e::Point;
using e2e::Rgb;
using e2e::Screenshot;

// Large enough for the menu and a board at twice the pixel size.
struct Machine {
  VirtualDisplay display{2560, 1600};
  WineSession session{display, WIZLO_PROGRAM};
};
Machine& machine() {
  static Machine made;
  return made;
}

class OnWine : public ::testing::Test {
 protected:
  // The program for this test, kept until after TearDown so a failing test's screen still shows it.
  WizloOnWine& start(const std::string& path = WIZLO_PROGRAM, double scale = 1,
                     std::vector<std::string> environment = {}, std::vector<std::string> arguments = {},
                     const FormLayout* first = nullptr) {
    wizlo_.reset();
    return wizlo_.emplace(session, path, scale, std::move(environment), std::move(arguments), first);
  }

  void TearDown() override {
    if (!HasFailure()) return;
    const std::string path = std::string("/tmp/wine-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
    if (display.screenshot().savePng(path)) std::fprintf(stderr, "screen kept in %s\n", path.c_str());
  }

  std::string nextSound(std::size_t heard) const { return wine::nextSound(session, heard); }
  std::vector<std::string> soundsSince(std::size_t heard) const {
    const std::vector<std::string> all = session.sounds();
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(heard, all.size())), all.end()};
  }
  double share(const Screenshot& shot, const WizloOnWine& wizlo, const WindowInfo& client, const ImageLayout& c,
               const std::function<bool(Point, Rgb)>& test) const {
    return shareOf(shot, wizlo, client, c, test);
  }
  double unchanged(const Screenshot& before, const Screenshot& now, const WizloOnWine& wizlo, const WindowInfo& client,
                   const ImageLayout& c) const {
    return unchangedShare(before, now, wizlo, client, c);
  }
  Screenshot screenWhen(const std::function<bool(const Screenshot&)>& check) const {
    return wine::screenWhen(display, check);
  }
  Screenshot screenWhen(const WindowInfo& window, const std::function<bool(const Screenshot&)>& check) const {
    return wine::screenWhen(display, window, check);
  }
  // Runs the touch screen helper through its steps: "down", x, y, finger... (screen pixels).
  void touch(const std::vector<std::string>& steps) {
    std::vector<std::string> arguments{WIZLO_TOUCH_SCREEN};
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    ChildProcess screen = session.wine(arguments);
    EXPECT_EQ(screen.waitForExit(30000ms), 0) << "the touch screen failed: " << readFile(session.prefix().parent_path() / "wine.txt");
  }

  VirtualDisplay& display = machine().display;
  WineSession& session = machine().session;

 private:
  std::optional<WizloOnWine> wizlo_;
};

TEST_F(OnWine, EveryBoardOpensFromTheMenuAndIsPlayedToTheEndWithChecksAndYes) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  for (const FormCase& b : kBoards) {
    const FormLayout& form = *b.layout;
    display.click(wizlo.centre(menu, control(layouts::Form1, b.button)));
    const WindowInfo board = wizlo.waitForWindows(2, form);
    const Screenshot opening = display.screenshot();
    const ImageLayout& check = control(form, names::kRightMark);
    for (int i = 0; i < e2e::arraySize(form, names::kCircles); ++i) {
      const ImageLayout* piece = pieceFor(form, i);
      if (!piece) continue;
      const std::string what = std::string(form.Name) + " g(" + std::to_string(i) + ")";
      const std::size_t heard = session.sounds().size();
      display.drag(wizlo.centre(board, *piece), wizlo.centre(board, control(form, names::kCircles, i)));
      EXPECT_EQ(nextSound(heard), "yes") << what;
      const auto checked = [&](const Screenshot& s) {
        return share(s, wizlo, board, check, [](Point, Rgb p) { return e2e::markYesGreen(p); }) > 0.05;
      };
      // The check shows while the sound plays; the piece leaves the pool when it has been heard.
      const Screenshot now =
          screenWhen([&](const Screenshot& s) { return checked(s) && unchanged(opening, s, wizlo, board, *piece) < 0.7; });
      EXPECT_TRUE(checked(now)) << what << ": no check";
      EXPECT_LT(unchanged(opening, now, wizlo, board, *piece), 0.7) << what << ": the piece stayed in the pool";
    }
    const Screenshot end = display.screenshot();
    for (int i = 0; i < e2e::arraySize(form, names::kCircles); ++i) {
      const ImageLayout& circle = control(form, names::kCircles, i);
      if (pieceFor(form, i))
        EXPECT_LT(unchanged(opening, end, wizlo, board, circle), 0.7) << form.Name << " g(" << i << ") hardly changed";
      else
        EXPECT_GT(unchanged(opening, end, wizlo, board, circle), 0.99) << form.Name << ": the spare g(" << i << ") changed";
    }
    display.click(wizlo.centre(board, control(form, names::kBoardBack)));
    wizlo.waitForWindows(1, layouts::Form1);
  }
}

TEST_F(OnWine, WrongDropsAndTheSpareCirclesShowTheCrossSayNoAndLeaveThePiece) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  const auto wrong = [&](const FormLayout& form, const WindowInfo& board, const Screenshot& opening,
                         const ImageLayout& piece, const ImageLayout& circle, const std::string& what) {
    const std::size_t heard = session.sounds().size();
    display.drag(wizlo.centre(board, piece), wizlo.centre(board, circle));
    EXPECT_EQ(nextSound(heard), "no") << what;
    const auto crossed = [&](const Screenshot& s) {
      return share(s, wizlo, board, control(form, names::kWrongMark), [](Point, Rgb p) { return e2e::markNoRed(p); }) > 0.05;
    };
    const Screenshot now = screenWhen(crossed);
    EXPECT_TRUE(crossed(now)) << what << ": no cross";
    EXPECT_GT(unchanged(opening, now, wizlo, board, piece), 0.98) << what << ": the piece left its slot";
  };
  // A wrong circle on the first board, then the right one still takes the piece.
  display.click(wizlo.centre(menu, control(layouts::Form1, kBoards[0].button)));
  const FormLayout& first = *kBoards[0].layout;
  WindowInfo board = wizlo.waitForWindows(2, first);
  wrong(first, board, display.screenshot(), *pieceFor(first, 0), control(first, names::kCircles, 1), "g(1)");
  const std::size_t heard = session.sounds().size();
  display.drag(wizlo.centre(board, *pieceFor(first, 0)), wizlo.centre(board, control(first, names::kCircles, 0)));
  EXPECT_EQ(nextSound(heard), "yes");
  display.click(wizlo.centre(board, control(first, names::kBoardBack)));
  wizlo.waitForWindows(1, layouts::Form1);
  // The book and computer boards' spare circle g(9) takes no piece at all.
  for (const FormCase& b : {kBoards[1], kBoards[2]}) {
    const FormLayout& form = *b.layout;
    display.click(wizlo.centre(menu, control(layouts::Form1, b.button)));
    board = wizlo.waitForWindows(2, form);
    const Screenshot opening = display.screenshot();
    for (const ImageLayout& piece : form.Controls)
      if (piece.Name == names::kPieces && piece.Visible)
        wrong(form, board, opening, piece, control(form, names::kCircles, 9),
              std::string(form.Name) + " c(" + std::to_string(*piece.Index) + ") on g(9)");
    display.click(wizlo.centre(board, control(form, names::kBoardBack)));
    wizlo.waitForWindows(1, layouts::Form1);
  }
}

TEST_F(OnWine, BothPagesOpenAndCloseByTheCloseBoxAndTheMenusCloseBoxEndsTheProgram) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  EXPECT_EQ(menu.x, 615 / 15) << "the menu's client area is not at ClientLeft";
  EXPECT_EQ(menu.y, 2055 / 15) << "the menu's client area is not at ClientTop";
  const Screenshot menuLook = display.screenshot();
  for (const FormCase& c : e2e::kPages) {
    const FormLayout* page = c.layout;
    display.click(wizlo.centre(menu, control(layouts::Form1, c.button)));
    const WindowInfo shown = wizlo.waitForWindows(2, *page);
    EXPECT_EQ(shown.name, page->Caption);
    wizlo.clickCloseBox(wizlo.top());
    wizlo.waitForWindows(1, layouts::Form1);
    EXPECT_GT(unchanged(menuLook, display.screenshot(), wizlo, menu, control(layouts::Form1, names::kBackdrop)), 0.999)
        << "the menu after " << page->Name;
  }
  wizlo.clickCloseBox(wizlo.top());
  EXPECT_TRUE(e2e::waitUntil([&] { return !wizlo.running(); }, 10000ms)) << "the program went on";
}

TEST_F(OnWine, TheCreditHotSpotHandsTheAddressToTheDesktopThroughShellExecute) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  const std::size_t before = session.openedAddresses().size();
  display.click(wizlo.centre(menu, control(layouts::Form1, names::kWebSite)));
  EXPECT_TRUE(e2e::waitUntil([&] { return session.openedAddresses().size() > before; }, 10000ms));
  const std::vector<std::string> opened = session.openedAddresses();
  ASSERT_EQ(opened.size(), before + 1);
  EXPECT_EQ(opened.back(), platform::kWebSiteAddress);
  EXPECT_EQ(wizlo.windows().size(), 1u);
}

// A folder the teacher named in Arabic, on a Windows whose system locale is English (its 8-bit code
// page, 1252, has no Arabic letters, and the sound service opens its files through it), and on one
// whose locale is Arabic (code page 1256), as at many schools.
TEST_F(OnWine, FromAFolderWithAnArabicNameItPlaysBothSoundsUnderAnEnglishAndAnArabicSystemLocale) {
  const fs::path folder = session.driveC() / "مجلد الطالب" / "ويزلو";
  fs::create_directories(folder);
  for (const char* file : {"Wizlo.exe", "yes.wav", "no.wav"})
    fs::copy_file(session.program().parent_path() / file, folder / file, fs::copy_options::overwrite_existing);
  for (const auto& [locale, environment] : {std::pair{"English", std::vector<std::string>{}},
                                            std::pair{"Arabic", session.arabicSystem()}}) {
    WizloOnWine& wizlo = start("C:\\مجلد الطالب\\ويزلو\\Wizlo.exe", 1, environment);
    EXPECT_EQ(wrongThenRight(session, wizlo), (std::vector<std::string>{"no", "yes"})) << locale;
  }
}

// A picture the generator drew, at a size it drew, as the pointer shows it: premultiplied 0xAARRGGBB.
std::vector<std::uint32_t> pixelsOf(const std::string& image) {
  SDL_Surface* loaded = IMG_Load((std::string(WIZLO_ART_IMAGES) + "/" + image).c_str());
  SDL_Surface* argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
  std::vector<std::uint32_t> pixels;
  for (int i = 0; argb && i < argb->w * argb->h; ++i) {
    const std::uint32_t p = static_cast<const std::uint32_t*>(argb->pixels)[i], a = p >> 24;
    const auto premultiplied = [&](int shift) { return ((p >> shift & 0xFF) * a + 127) / 255 << shift; };
    pixels.push_back(a << 24 | premultiplied(16) | premultiplied(8) | premultiplied(0));
  }
  SDL_FreeSurface(argb);
  SDL_FreeSurface(loaded);
  return pixels;
}

// How many pixels of two images differ by more than a little in any channel.
int differences(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  if (a.size() != b.size()) return static_cast<int>(std::max(a.size(), b.size()));
  int differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    for (int shift = 0; shift < 32; shift += 8)
      if (std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)) > 24) {
        ++differ;
        break;
      }
  return differ;
}

// A drag shows the piece's DragIcon as the pointer, alpha and colours, at 32 pixels with the hot spot
// in the middle, and a handler's change of it at once: on the book board a piece's DragIcon is the
// disk, but the piece's own slot swaps in the piece's face the moment the drag starts over it. When
// the drag ends the arrow is back. Over the web hot spot the pointer is a crosshair.
TEST_F(OnWine, TheDragPointerIsTheDragIconAsAHandlerLeavesItAndTheWebHotSpotShowsACrosshair) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  display.moveTo(wizlo.centre(menu, control(layouts::Form1, names::kBackdrop)));
  ASSERT_TRUE(e2e::waitUntil([&] { return shownPointer(display).hotX < 8; }, 10000ms)) << "no arrow to start with";
  display.moveTo(wizlo.centre(menu, control(layouts::Form1, names::kWebSite)));
  EXPECT_TRUE(e2e::waitUntil([&] {
    const ShownPointer cross = shownPointer(display);
    return std::abs(cross.hotX - cross.width / 2) <= 2 && std::abs(cross.hotY - cross.height / 2) <= 2;
  }, 10000ms)) << "no crosshair over wex";

  const FormLayout& book = *kBoards[1].layout;
  display.click(wizlo.centre(menu, control(layouts::Form1, kBoards[1].button)));
  const WindowInfo board = wizlo.waitForWindows(2, book);
  const ImageLayout& piece = control(book, names::kPieces, 0);
  ASSERT_EQ(piece.DragIcon, PictureId::Disk1);
  ASSERT_EQ(piece.Picture, PictureId::BlueTile1);
  const Point from = wizlo.centre(board, piece);
  display.moveTo(from);
  display.press();
  display.moveTo({from.x + 2, from.y + 1});
  const auto shows = [&](const std::string& image) {
    const ShownPointer shown = shownPointer(display);
    return shown.width == 32 && shown.hotX == 16 && shown.hotY == 16 && differences(shown.argb, pixelsOf(image)) < 16;
  };
  EXPECT_TRUE(e2e::waitUntil([&] { return shows("BlueTile1-32x32.png"); }, 10000ms))
      << "the drag pointer is not the piece's face";
  EXPECT_FALSE(shows("Disk1-32x32.png"));
  display.moveTo(wizlo.centre(board, control(book, names::kCircles, 9)));
  EXPECT_TRUE(shows("BlueTile1-32x32.png")) << "the drag pointer changed while it went";
  display.moveTo(from);
  display.release();
  EXPECT_TRUE(e2e::waitUntil([&] { return shownPointer(display).hotX < 8; }, 10000ms)) << "no arrow after the drag";
}

// A finger, as Windows hands it to a program that leaves its pointer messages to the system: the
// pointer messages, and mouse input marked as the first finger's (the touch screen helper makes it
// with SendInput, and Wine gives the mark back through GetMessageExtraInfo). Wine 8 makes no pointer
// messages of its own, so the helper posts them, WM_POINTERCAPTURECHANGED when the system takes the
// finger back among them.
class ByFinger : public OnWine {
 protected:
  static std::vector<std::string> step(const char* what, Point p, int finger) {
    return {what, std::to_string(p.x), std::to_string(p.y), std::to_string(finger)};
  }
  static std::vector<std::string> steps(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  }
};

TEST_F(ByFinger, ARightDropCountsWhileASecondFingerAndATouchTheSystemTakesBackDropNothing) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  const Point button = wizlo.centre(menu, control(layouts::Form1, kBoards[0].button));
  touch(steps({step("down", button, 1), step("up", button, 1)}));
  const FormLayout& form = *kBoards[0].layout;
  const WindowInfo board = wizlo.waitForWindows(2, form);
  const Screenshot opening = display.screenshot();
  const ShownPointer arrow = shownPointer(display);
  const std::size_t heard = session.sounds().size();
  const auto centre = [&](const ImageLayout& c) { return wizlo.centre(board, c); };
  const auto halfway = [](Point a, Point b) { return Point{(a.x + b.x) / 2, (a.y + b.y) / 2}; };

  // The first finger carries the piece for g(0); meanwhile a second drags the piece for g(1) onto its
  // circle, where the first finger's piece would be a wrong drop.
  const Point piece0 = centre(*pieceFor(form, 0)), circle0 = centre(control(form, names::kCircles, 0));
  const Point piece1 = centre(*pieceFor(form, 1)), circle1 = centre(control(form, names::kCircles, 1));
  touch(steps({step("down", piece0, 1), step("move", halfway(piece0, circle0), 1)}));
  EXPECT_EQ(shownPointer(display).argb, arrow.argb) << "a finger's drag shows a pointer";
  display.screenshot().savePng("/tmp/wine-finger-carries.png");
  touch(steps({step("down", piece1, 2), step("move", halfway(piece1, circle1), 2), step("move", circle1, 2),
               step("up", circle1, 2), step("move", circle0, 1), step("up", circle0, 1)}));
  EXPECT_EQ(nextSound(heard), "yes");

  // The piece for g(2) over its circle, taken back by the system: no drop where the finger lifts.
  const Point piece2 = centre(*pieceFor(form, 2)), circle2 = centre(control(form, names::kCircles, 2));
  touch(steps({step("down", piece2, 3), step("move", halfway(piece2, circle2), 3), step("move", circle2, 3),
               {"pause", "300"}, step("cancel", circle2, 3), {"pause", "300"}, step("up", circle2, 3)}));
  // Then a wrong drop, whose "no" tells that everything before it has been handled.
  touch(steps({step("down", piece2, 4), step("move", halfway(piece2, circle0), 4), step("move", circle1, 4),
               step("up", circle1, 4)}));
  EXPECT_EQ(nextSound(heard + 1), "no");
  EXPECT_EQ(session.sounds().size(), heard + 2);
  const Screenshot now = display.screenshot();
  EXPECT_LT(unchanged(opening, now, wizlo, board, control(form, names::kCircles, 0)), 0.7) << "g(0) took nothing";
  EXPECT_GT(unchanged(opening, now, wizlo, board, control(form, names::kCircles, 1)), 0.99) << "g(1) took a piece";
  EXPECT_GT(unchanged(opening, now, wizlo, board, control(form, names::kCircles, 2)), 0.99) << "g(2) took a piece";
}

// Tap, then tap: a click on a piece without moving lifts it, and a click on its circle puts it there as
// a drag there does, judged and sounded the same; a click on the lifted piece puts it back. The mouse
// shows no focus ring.
TEST_F(OnWine, ABoardIsPlayedToTheEndByAClickOnEachPieceAndThenOnItsCircle) {
  WizloOnWine& wizlo = start();
  const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
  const FormLayout& form = *kBoards[1].layout;
  display.click(wizlo.centre(menu, control(layouts::Form1, kBoards[1].button)));
  const WindowInfo board = wizlo.waitForWindows(2, form);
  const Screenshot opening = display.screenshot();
  const std::size_t heard = session.sounds().size();

  const ImageLayout& first = *pieceFor(form, 0);
  display.click(wizlo.centre(board, first));
  const auto isLifted = [&](const Screenshot& s) { return ringShows(s, wizlo, board, first, Ring::Lifted); };
  const Screenshot lifted = screenWhen(board, isLifted);
  ASSERT_TRUE(isLifted(lifted)) << "a click lifted nothing";
  EXPECT_EQ(ringedControl(lifted, wizlo, board, form, Ring::Focus), nullptr) << "a click showed the focus ring";
  display.click(wizlo.centre(board, first));
  const Screenshot putBack = screenWhen(board, [&](const Screenshot& s) { return !isLifted(s); });
  EXPECT_FALSE(isLifted(putBack)) << "a second click left the piece lifted";
  EXPECT_GT(unchanged(opening, putBack, wizlo, board, first), 0.98) << "the piece put back left its slot";

  int fitting = 0;
  for (int i = 0; i < e2e::arraySize(form, names::kCircles); ++i) {
    const ImageLayout* piece = pieceFor(form, i);
    if (!piece) continue;
    ++fitting;
    display.click(wizlo.centre(board, *piece));
    display.click(wizlo.centre(board, control(form, names::kCircles, i)));
    EXPECT_EQ(nextSound(heard + fitting - 1), "yes") << form.Name << " g(" << i << ")";
  }
  EXPECT_EQ(soundsSince(heard), std::vector<std::string>(fitting, "yes")) << "the put-back piece was judged";
}

// The circle that takes a piece, or -1.
int circleFor(const FormLayout& form, const ImageLayout& piece) {
  for (int i = 0; i < e2e::arraySize(form, names::kCircles); ++i)
    if (pieceFor(form, i) == &piece) return i;
  return -1;
}

// The keyboard alone, as a pupil who cannot hold a drag plays. xdotool's keys reach the window Wine
// gave the X focus, as Windows gives them to the active window; where the focus ring is, the screen
// tells, as it tells the pupil.
class ByKeys : public OnWine {
 protected:
  struct Shown {
    const WizloOnWine& wizlo;
    WindowInfo client;
    const FormLayout& form;
  };

  void press(const std::string& key) const { display.xdotool({"key", key}); }
  static std::string_view nameOf(const ImageLayout* control) { return control ? control->Name : "nothing"; }
  // The control the focus ring is around once `wanted` holds of it (or at the time limit).
  const ImageLayout* focusWhen(const Shown& on, const std::function<bool(const ImageLayout*)>& wanted) const {
    const ImageLayout* ringed = nullptr;
    screenWhen(on.client, [&](const Screenshot& s) {
      return wanted(ringed = ringedControl(s, on.wizlo, on.client, on.form, Ring::Focus));
    });
    return ringed;
  }
  // Presses `key`, and tells where the focus ring went from `from`.
  const ImageLayout* step(const Shown& on, const std::string& key, const ImageLayout* from) const {
    press(key);
    return focusWhen(on, [&](const ImageLayout* c) { return c && c != from; });
  }
  // Moves the focus ring from `from` with `key` until it is around `target`, within one round.
  bool focusOn(const Shown& on, const ImageLayout& target, const std::string& key, const ImageLayout* from) const {
    for (std::size_t n = 0; from && from != &target && n < on.form.Controls.size(); ++n) from = step(on, key, from);
    return from == &target;
  }
};

TEST_F(ByKeys, APageAndABoardAreOpenedAndLeftAndTheBoardPlayedToTheEndByKeysAlone) {
  WizloOnWine& wizlo = start();
  const Shown menu{wizlo, wizlo.waitForWindows(1, layouts::Form1), layouts::Form1};
  EXPECT_EQ(ringedControl(display.screenshot(), wizlo, menu.client, menu.form, Ring::Focus), nullptr)
      << "a focus ring before any key";
  // Tab shows the ring; the arrows and Shift+Tab move it on and back.
  const ImageLayout* first = step(menu, "Tab", nullptr);
  ASSERT_NE(first, nullptr) << "Tab showed no focus ring";
  const ImageLayout* second = step(menu, "Down", first);
  ASSERT_NE(second, nullptr) << "Down moved no focus";
  EXPECT_EQ(step(menu, "Up", second), first) << "Up";
  EXPECT_EQ(step(menu, "Left", first), second) << "Left";
  EXPECT_EQ(step(menu, "Right", second), first) << "Right";
  const ImageLayout* last = step(menu, "shift+Tab", first);
  EXPECT_TRUE(last && last != second) << "Shift+Tab went from " << first->Name << " to " << nameOf(last);
  EXPECT_EQ(step(menu, "Tab", last), first) << "Tab after Shift+Tab";

  // A page: Enter opens it, Escape leaves it.
  const FormCase& page = e2e::kPages[0];
  ASSERT_TRUE(focusOn(menu, control(layouts::Form1, page.button), "Tab", first)) << "no Tab reached " << page.button;
  press("Return");
  wizlo.waitForWindows(2, *page.layout);
  press("Escape");
  wizlo.waitForWindows(1, layouts::Form1);

  // A board: Space opens it too; each piece lifted by Enter or Space, carried over the circles by the
  // left arrow and put down by Enter; Escape leaves.
  const FormCase& b = kBoards[2];
  const ImageLayout& button = control(layouts::Form1, b.button);
  const ImageLayout* back = focusWhen(menu, [](const ImageLayout* c) { return c; });
  ASSERT_TRUE(focusOn(menu, button, "Tab", back)) << "no Tab from " << nameOf(back) << " reached " << b.button;
  press("space");
  const Shown board{wizlo, wizlo.waitForWindows(2, *b.layout), *b.layout};
  const FormLayout& form = board.form;
  const std::size_t heard = session.sounds().size();
  int fitting = 0;
  for (int i = 0; i < e2e::arraySize(form, names::kCircles); ++i) fitting += pieceFor(form, i) != nullptr;
  const ImageLayout* at = focusWhen(board, [](const ImageLayout* c) { return c; });
  for (int placed = 0; placed < fitting;) {
    ASSERT_TRUE(at && at->Name == names::kPieces) << "after " << placed << " pieces the focus is on " << nameOf(at);
    const int circle = circleFor(form, *at);
    ASSERT_GE(circle, 0) << "c(" << *at->Index << ") fits nowhere";
    // The first by a held Enter, whose repeats must not put it straight down again.
    if (placed == 0) touch({"hold", "13", "2"});
    else press(placed % 2 ? "Return" : "space");
    const ImageLayout* place = nullptr;
    const Screenshot lifted = screenWhen(board.client, [&](const Screenshot& s) {
      place = ringedControl(s, wizlo, board.client, form, Ring::Focus);
      return ringShows(s, wizlo, board.client, *at, Ring::Lifted) && place && place->Name == names::kCircles;
    });
    ASSERT_TRUE(ringShows(lifted, wizlo, board.client, *at, Ring::Lifted)) << "c(" << *at->Index << ") not lifted";
    ASSERT_TRUE(place && place->Name == names::kCircles) << "the focus went to no circle";
    if (placed == 0) {
      EXPECT_EQ(session.sounds().size(), heard) << "a held Enter put the piece down";
    }
    const ImageLayout& target = control(form, names::kCircles, circle);
    ASSERT_TRUE(focusOn(board, target, "Left", place)) << "no Left reached g(" << circle << ")";
    press("Return");
    EXPECT_EQ(nextSound(heard + placed), "yes") << "g(" << circle << ")";
    ++placed;
    at = focusWhen(board, [&](const ImageLayout* c) { return c && c != &target; });
  }
  EXPECT_EQ(soundsSince(heard), std::vector<std::string>(fitting, "yes"));
  ASSERT_TRUE(at) << "no focus after the last piece";
  EXPECT_NE(at->Name, names::kPieces) << "the focus stayed on the pieces";
  press("Escape");
  wizlo.waitForWindows(1, layouts::Form1);
}

// A teacher's board pack named on the command line, as a double-click on it starts the program: the
// board alone, played to the end with checks and yes, its decoy fitting nowhere; its back button ends
// the program.
TEST_F(OnWine, ALessonBoardPackOpensAlonePlaysToTheEndAndItsBackButtonEndsTheProgram) {
  const std::unique_ptr<Lesson> lesson = [] {
    std::ifstream in(WIZLO_SAMPLE_PACK, std::ios::binary);
    return Lesson::read(std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  }();
  const FormLayout& form = lesson->layout();
  fs::create_directories(session.driveC() / "lessons");
  fs::copy_file(WIZLO_SAMPLE_PACK, session.driveC() / "lessons" / "second-grade.wizlo", fs::copy_options::overwrite_existing);
  WizloOnWine& wizlo = start(WIZLO_PROGRAM, 1, {}, {"C:\\lessons\\second-grade.wizlo"}, &form);
  const WindowInfo board = wizlo.waitForWindows(1, form);
  display.screenshot().savePng("/tmp/wine-lesson.png");  // to look at, as the dpi test keeps its boards
  for (const ImageLayout& piece : form.Controls) {
    if (piece.Name != names::kPieces) continue;
    bool fits = false;
    for (const ImageLayout& key : form.Controls) fits |= key.Name == names::kKeys && key.Tag == piece.Tag;
    if (fits) continue;
    const std::size_t heard = session.sounds().size();
    display.drag(wizlo.centre(board, piece), wizlo.centre(board, control(form, names::kCircles, 0)));
    EXPECT_EQ(nextSound(heard), "no") << "the decoy";
  }
  for (int i = 0; i < e2e::arraySize(form, names::kCircles); ++i) {
    const ImageLayout* piece = pieceFor(form, i);
    ASSERT_NE(piece, nullptr);
    const std::size_t heard = session.sounds().size();
    display.drag(wizlo.centre(board, *piece), wizlo.centre(board, control(form, names::kCircles, i)));
    EXPECT_EQ(nextSound(heard), "yes") << "g(" << i << ")";
  }
  display.click(wizlo.centre(board, control(form, names::kBoardBack)));
  EXPECT_TRUE(e2e::waitUntil([&] { return !wizlo.running(); }, 10000ms)) << "the program went on";
}

// At a desktop's larger text sizes the forms are drawn larger, by the quarter steps the system's dpi
// gives, with the client area where the layout puts it at that scale, and inside the screen.
TEST_F(OnWine, At120And144And192DpiTheFormsAreDrawnAtOneAndAQuarterOneAndAHalfAndTwice) {
  for (const auto& [dpi, scale] : {std::pair{120, 1.25}, std::pair{144, 1.5}, std::pair{192, 2.0}}) {
    session.setDpi(dpi);
    WizloOnWine& wizlo = start(WIZLO_PROGRAM, scale);
    const WindowInfo menu = wizlo.waitForWindows(1, layouts::Form1);
    EXPECT_EQ(menu.x, toPixels(615, scale)) << dpi << " dpi";
    EXPECT_EQ(menu.y, toPixels(2055, scale)) << dpi << " dpi";
    display.click(wizlo.centre(menu, control(layouts::Form1, kBoards[0].button)));
    const WindowInfo board = wizlo.waitForWindows(2, *kBoards[0].layout);
    const WindowInfo& frame = wizlo.top();
    EXPECT_LE(frame.x + frame.width, 2560) << dpi << " dpi";
    EXPECT_LE(frame.y + frame.height, 1600) << dpi << " dpi";
    display.screenshot().savePng("/tmp/wine-board-" + std::to_string(dpi) + "dpi.png");
    EXPECT_EQ(board.x, toPixels(layouts::Form2.ClientLeft, scale)) << dpi << " dpi";
  }
  session.setDpi(96);
}

}  // namespace
}  // namespace wizlo::wine
