// Fingers on the real program under Xvfb. Xvfb has no touch screen, so the SDL backend and the seven
// forms with their pictures run in this process, and the test hands SDL what a touch screen gives it
// for a finger: the finger's own event, after the mouse events SDL makes of the first finger.

#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <functional>
#include <mutex>
#include <thread>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/sdl/sdl_backend.hpp"
#include "forms/compose.hpp"
#include "tests/e2e/e2e_fixture.hpp"

namespace wizlo::e2e {
namespace {

// The sounds the board asks for, by their last word ("yes", "no").
class HeardSounds final : public platform::SoundService {
 public:
  void play(std::string_view name) override {
    const std::lock_guard lock(mutex_);
    heard_.emplace_back(name.substr(name.find_last_of('\\') + 1));
  }
  std::vector<std::string> heard() const {
    const std::lock_guard lock(mutex_);
    return heard_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> heard_;
};

class NoWeb final : public platform::WebOpener {
  void open(std::uintptr_t, std::string_view) override {}
};

// The SDL backend as the program uses it, telling the test which windows are open and drawn and
// whether a picture pointer was ever asked for.
class WatchedBackend final : public Backend {
 public:
  wizlo::WindowId openWindow(const WindowSpec& request) override {
    const wizlo::WindowId id = sdl->openWindow(request);
    const std::lock_guard lock(mutex_);
    open_.push_back({id, false});
    return id;
  }
  void closeWindow(wizlo::WindowId window) override {
    sdl->closeWindow(window);
    const std::lock_guard lock(mutex_);
    std::erase_if(open_, [&](const auto& w) { return w.first == window; });
  }
  void raise(wizlo::WindowId window) override { sdl->raise(window); }
  double scale() const override { return sdl->scale(); }
  FrameView frame(wizlo::WindowId window) override { return sdl->frame(window); }
  void show(wizlo::WindowId window) override {
    sdl->show(window);
    const std::lock_guard lock(mutex_);
    for (auto& [id, drawn] : open_) drawn = drawn || id == window;
  }
  void setPointer(PointerShape shape, const PictureValue& picture) override {
    picturePointers += shape == PointerShape::Picture;
    sdl->setPointer(shape, picture);
  }
  InputEvent nextEvent() override { return sdl->nextEvent(); }
  std::uintptr_t nativeHandle(wizlo::WindowId window) const override { return sdl->nativeHandle(window); }
  void reportError(std::string_view message) override { sdl->reportError(message); }

  // The newest window once `count` are open and the newest is drawn.
  std::optional<wizlo::WindowId> newestOf(std::size_t count) const {
    const std::lock_guard lock(mutex_);
    if (open_.size() != count || !open_.back().second) return std::nullopt;
    return open_.back().first;
  }

  SdlBackend* sdl = nullptr;  // made on the program's thread
  std::atomic<int> picturePointers = 0;

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<wizlo::WindowId, bool>> open_;  // and whether it has been drawn
};

// A window of the program: SDL's id for it, and where it lies on the screen.
struct Shown {
  wizlo::WindowId sdl = 0;
  WindowInfo screen;
  double scale = 1;
  Point at(Twips x, Twips y) const {
    return {screen.x + static_cast<int>(x * scale / kTwipsPerPixel), screen.y + static_cast<int>(y * scale / kTwipsPerPixel)};
  }
};

// The program on a thread of its own, made as `main` makes it, its sounds heard by the test.
class ProgramOnThread {
 public:
  ProgramOnThread(const VirtualDisplay& display, double scale) : display_(display), scale_(scale) {
    setenv("DISPLAY", display.name().c_str(), 1);
    thread_ = std::thread([this] {
      try {
        SdlBackend sdl;
        backend_.sdl = &sdl;
        started_ = true;
        Runtime runtime(backend_, assets::picture);
        defineForms(runtime, platform::Services{sound, web_, "/opt/wizlo"});
        runtime.run(kStartForm);
      } catch (const std::exception& error) {
        std::fprintf(stderr, "the program failed: %s\n", error.what());
      }
      SDL_TLSCleanup();  // SDL keeps a thread's error text until told, in a thread it did not start
      ended_ = true;
    });
  }
  ~ProgramOnThread() {
    waitUntil([&] { return ended_ || started_; }, 10000ms);
    if (!ended_) {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
    thread_.join();
  }

  // Waits until `count` windows are open and the newest is drawn; returns the newest.
  Shown waitForWindows(std::size_t count) const {
    Shown shown;
    shown.scale = scale_;
    const bool up = waitUntil([&] {
      const std::optional<wizlo::WindowId> newest = backend_.newestOf(count);
      if (!newest) return false;
      const std::vector<WindowInfo> windows = display_.windowsOf(getpid());
      if (windows.size() != count) return false;
      shown.sdl = *newest;
      shown.screen = windows.back();
      return true;
    }, 10000ms, 20ms);
    if (!up) throw std::runtime_error("window " + std::to_string(count) + " of the program did not come");
    return shown;
  }
  int picturePointers() const { return backend_.picturePointers; }
  // The next sound after the first `heard`; "" if none came.
  std::string soundAfter(std::size_t heard) const {
    if (!waitUntil([&] { return sound.heard().size() > heard; }, 5000ms, 10ms)) return "";
    return sound.heard()[heard];
  }

  HeardSounds sound;

 private:
  const VirtualDisplay& display_;
  double scale_;
  NoWeb web_;
  WatchedBackend backend_;
  std::atomic<bool> started_ = false, ended_ = false;
  std::thread thread_;
};

// A finger on a touch screen, in twips of a window's client area. SDL makes mouse events of the
// first finger down (which == SDL_TOUCH_MOUSEID) and queues them before the finger's own.
class Finger {
 public:
  Finger(SDL_FingerID id, bool first) : id_(id), first_(first) {}

  void down(const Shown& w, Twips x, Twips y) { send(SDL_FINGERDOWN, w, x, y); }
  void moveTo(const Shown& w, Twips x, Twips y) { send(SDL_FINGERMOTION, w, x, y); }
  void up(const Shown& w, Twips x, Twips y) { send(SDL_FINGERUP, w, x, y); }
  void tap(const Shown& w, const ImageLayout& c) {
    down(w, c.Left + c.Width / 2, c.Top + c.Height / 2);
    up(w, c.Left + c.Width / 2, c.Top + c.Height / 2);
  }
  // Down on the middle of one control, in steps to the middle of another.
  void dragOver(const Shown& w, const ImageLayout& from, const ImageLayout& to) {
    const Twips x0 = from.Left + from.Width / 2, y0 = from.Top + from.Height / 2;
    const Twips x1 = to.Left + to.Width / 2, y1 = to.Top + to.Height / 2;
    down(w, x0, y0);
    for (int step = 1; step <= 6; ++step) moveTo(w, x0 + (x1 - x0) * step / 6, y0 + (y1 - y0) * step / 6);
  }
  void drag(const Shown& w, const ImageLayout& from, const ImageLayout& to) {
    dragOver(w, from, to);
    up(w, to.Left + to.Width / 2, to.Top + to.Height / 2);
  }

 private:
  void send(Uint32 type, const Shown& w, Twips x, Twips y) {
    const double px = x * w.scale / kTwipsPerPixel, py = y * w.scale / kTwipsPerPixel;
    if (first_) sendMouse(type, w, static_cast<int>(px), static_cast<int>(py));
    SDL_Event event{};
    event.type = type;
    event.tfinger.touchId = kTouchScreen;
    event.tfinger.fingerId = id_;
    // As SDL's X11 driver normalises them: the last pixel of the window is 1.
    event.tfinger.x = static_cast<float>(px / (w.screen.width - 1));
    event.tfinger.y = static_cast<float>(py / (w.screen.height - 1));
    event.tfinger.pressure = 1;
    event.tfinger.windowID = w.sdl;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
  }
  static void sendMouse(Uint32 type, const Shown& w, int x, int y) {
    SDL_Event event{};
    if (type != SDL_FINGERUP) {
      event.motion = {SDL_MOUSEMOTION, 0, w.sdl, SDL_TOUCH_MOUSEID, type == SDL_FINGERMOTION ? SDL_BUTTON_LMASK : 0u, x, y, 0, 0};
      SDL_PushEvent(&event);
    }
    if (type == SDL_FINGERMOTION) return;
    const bool down = type == SDL_FINGERDOWN;
    event.button = {down ? Uint32(SDL_MOUSEBUTTONDOWN) : Uint32(SDL_MOUSEBUTTONUP), 0, w.sdl, SDL_TOUCH_MOUSEID,
                    SDL_BUTTON_LEFT, down ? Uint8(SDL_PRESSED) : Uint8(SDL_RELEASED), 1, 0, x, y};
    SDL_PushEvent(&event);
  }
  static constexpr SDL_TouchID kTouchScreen = 7;
  SDL_FingerID id_;
  bool first_;
};

// How much of a rectangle of the screen (in twips of a window, inset by a tenth) looks as in `before`.
double unchanged(const Screenshot& before, const Screenshot& now, const Shown& w, const Rect& r) {
  const Point from = w.at(r.Left + r.Width / 10, r.Top + r.Height / 10);
  const Point to = w.at(r.Left + r.Width * 9 / 10, r.Top + r.Height * 9 / 10);
  int same = 0, all = 0;
  for (int y = from.y; y < to.y; ++y)
    for (int x = from.x; x < to.x; ++x, ++all) same += before.at({x, y}) == now.at({x, y});
  return all ? double(same) / all : 0;
}
Rect rectOf(const ImageLayout& c) { return {c.Left, c.Top, c.Width, c.Height}; }

// The mean colour of a rectangle's middle half.
Rgb meanOf(const Screenshot& shot, const Shown& w, const Rect& r) {
  const Point from = w.at(r.Left + r.Width / 4, r.Top + r.Height / 4);
  const Point to = w.at(r.Left + r.Width * 3 / 4, r.Top + r.Height * 3 / 4);
  long sum[3] = {0, 0, 0}, n = 0;
  for (int y = from.y; y < to.y; ++y)
    for (int x = from.x; x < to.x; ++x, ++n) {
      const Rgb p = shot.at({x, y});
      sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
    }
  if (n == 0) return {};
  return {std::uint8_t(sum[0] / n), std::uint8_t(sum[1] / n), std::uint8_t(sum[2] / n)};
}

const FormLayout& kBoard = *kBoards[0].layout;

// Where a piece carried by a finger at (x, y) is drawn: above the fingertip, which would hide it.
Rect carriedAbove(Twips x, Twips y) { return {x - kCarriedSize / 2, y - kCarriedSize * 3 / 2, kCarriedSize, kCarriedSize}; }

class Touch : public ::testing::Test {
 protected:
  // At 192 dpi the program doubles its forms, and needs a screen large enough for that.
  explicit Touch(int dpi = 96) : display(dpi > 96 ? 2400 : 1280, dpi > 96 ? 1600 : 1024, dpi), program(display, dpi / 96.0) {}

  // Taps the first board's button on the menu and waits for the board.
  Shown openBoard() {
    finger.tap(program.waitForWindows(1), control(layouts::Form1, kBoards[0].button));
    return program.waitForWindows(2);
  }
  void TearDown() override {
    if (!HasFailure()) return;
    const std::string path = std::string("/tmp/touch-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
    if (display.screenshot().savePng(path)) std::fprintf(stderr, "screen kept in %s\n", path.c_str());
  }

  VirtualDisplay display;
  ProgramOnThread program;
  Finger finger{1, true};
};

TEST_F(Touch, AFingerPlaysABoardToItsEndAndNeverAsksForADragPointer) {
  const Shown board = openBoard();
  const Screenshot opening = display.screenshot();
  for (int i = 0; i < arraySize(kBoard, names::kCircles); ++i) {
    const ImageLayout* piece = pieceFor(kBoard, i);
    if (!piece) continue;  // the spare circle of a hidden piece
    const std::size_t heard = program.sound.heard().size();
    finger.drag(board, *piece, control(kBoard, names::kCircles, i));
    EXPECT_EQ(program.soundAfter(heard), "yes") << "g(" << i << ")";
  }
  // The last piece moves into its circle once its "yes" has been heard.
  const auto emptyCircle = [&](const Screenshot& end) -> std::optional<int> {
    for (int i = 0; i < arraySize(kBoard, names::kCircles); ++i)
      if (pieceFor(kBoard, i) && unchanged(opening, end, board, rectOf(control(kBoard, names::kCircles, i))) > 0.7) return i;
    return std::nullopt;
  };
  std::optional<int> empty;
  waitUntil([&] { return !(empty = emptyCircle(display.screenshot())); }, 3000ms, 20ms);
  EXPECT_FALSE(empty) << "g(" << *empty << ") is empty";
  EXPECT_EQ(program.picturePointers(), 0);
}

// Something happens while a finger holds the piece for g(0) over that circle; then the finger lifts
// there, and another piece is dropped on a wrong circle, whose "no" says that all before it was handled.
struct Interruption {
  const char* what;
  std::function<void(const VirtualDisplay&, const Shown& menu, const Shown& board)> happen;
  bool dropCounts;
};

const Interruption kInterruptions[] = {
    {"a second finger drags the piece for g(1) onto it and lifts",
     [](const VirtualDisplay&, const Shown&, const Shown& board) {
       Finger(2, false).drag(board, *pieceFor(kBoard, 1), control(kBoard, names::kCircles, 1));
     },
     true},
    {"the window loses the focus to another",
     [](const VirtualDisplay& display, const Shown& menu, const Shown&) {
       display.xdotool({"windowfocus", "--sync", std::to_string(menu.screen.id)});
     },
     false},
};

void PrintTo(const Interruption& interruption, std::ostream* out) { *out << interruption.what; }

class Interrupted : public Touch, public ::testing::WithParamInterface<Interruption> {};

TEST_P(Interrupted, TheFirstFingersDropCountsOnlyIfItStillHoldsThePiece) {
  const Shown menu = program.waitForWindows(1);
  const Shown board = openBoard();
  const Screenshot opening = display.screenshot();
  const ImageLayout& circle = control(kBoard, names::kCircles, 0);
  const Twips x = circle.Left + circle.Width / 2, y = circle.Top + circle.Height / 2;
  const auto carried = [&] { return unchanged(opening, display.screenshot(), board, carriedAbove(x, y)) < 0.5; };
  finger.dragOver(board, *pieceFor(kBoard, 0), circle);
  ASSERT_TRUE(waitUntil(carried, 10000ms, 20ms)) << "the drag did not start";
  GetParam().happen(display, menu, board);
  // Handled: the piece is still carried only if the drag goes on.
  EXPECT_TRUE(waitUntil([&] { return carried() == GetParam().dropCounts; }, 10000ms, 20ms));
  finger.up(board, x, y);
  ASSERT_NE(pieceFor(kBoard, 2)->Tag, control(kBoard, names::kKeys, 3).Tag);
  finger.drag(board, *pieceFor(kBoard, 2), control(kBoard, names::kCircles, 3));
  ASSERT_TRUE(waitUntil([&] { return !program.sound.heard().empty() && program.sound.heard().back() == "no"; }, 10000ms));
  const std::vector<std::string> expected = GetParam().dropCounts ? std::vector<std::string>{"yes", "no"} : std::vector<std::string>{"no"};
  EXPECT_EQ(program.sound.heard(), expected);
  const Screenshot now = display.screenshot();
  EXPECT_EQ(unchanged(opening, now, board, rectOf(circle)) > 0.99, !GetParam().dropCounts) << "g(0)";
  EXPECT_GT(unchanged(opening, now, board, rectOf(control(kBoard, names::kCircles, 1))), 0.99) << "g(1) took a piece";
}

INSTANTIATE_TEST_SUITE_P(Touch, Interrupted, ::testing::ValuesIn(kInterruptions), [](const auto& info) {
  std::string name;
  for (const char* c = info.param.what; *c; ++c)
    if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
  return name;
});

// The carried piece, at a display of 96 and of 192 dpi.
class Carried : public Touch, public ::testing::WithParamInterface<int> {
 protected:
  Carried() : Touch(GetParam()) {}
};

TEST_P(Carried, APieceUnderAFingerIsDrawnAboveTheFingertipAndGoesWhenItLifts) {
  const Shown board = openBoard();
  const Screenshot opening = display.screenshot();
  const ImageLayout& piece = *pieceFor(kBoard, 0);
  const ImageLayout& circle = control(kBoard, names::kCircles, 0);
  // Halfway to its circle, over the board's ground.
  const Twips x = (piece.Left + piece.Width / 2 + circle.Left + circle.Width / 2) / 2;
  const Twips y = (piece.Top + piece.Height / 2 + circle.Top + circle.Height / 2) / 2;
  const Rect above = carriedAbove(x, y);
  const Rect under{x - kCarriedSize / 2, y, kCarriedSize, kCarriedSize};
  finger.down(board, piece.Left + piece.Width / 2, piece.Top + piece.Height / 2);
  finger.moveTo(board, x, y);
  const auto carried = [&](const Screenshot& s) { return unchanged(opening, s, board, above) < 0.5; };
  std::optional<Screenshot> dragging;
  EXPECT_TRUE(waitUntil([&] { return carried(dragging.emplace(display.screenshot())); }, 10000ms, 20ms));
  dragging->savePng("/tmp/touch-carried-" + std::to_string(GetParam()) + "dpi.png");
  // The piece's own picture: its colours are the piece's in its slot.
  const Rgb shown = meanOf(*dragging, board, above), own = meanOf(opening, board, rectOf(piece));
  EXPECT_NEAR(shown.r, own.r, 24);
  EXPECT_NEAR(shown.g, own.g, 24);
  EXPECT_NEAR(shown.b, own.b, 24);
  EXPECT_GT(unchanged(opening, *dragging, board, under), 0.99) << "drawn under the finger";
  EXPECT_EQ(program.picturePointers(), 0);

  finger.up(board, x, y);
  std::optional<Screenshot> after;
  EXPECT_TRUE(waitUntil([&] { return !carried(after.emplace(display.screenshot())); }, 10000ms, 20ms));
  EXPECT_GT(unchanged(opening, *after, board, above), 0.99);
  EXPECT_TRUE(program.sound.heard().empty());
}

INSTANTIATE_TEST_SUITE_P(Touch, Carried, ::testing::Values(96, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
}  // namespace wizlo::e2e
