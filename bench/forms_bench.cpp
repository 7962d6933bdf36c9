// In-process costs of the forms runtime: decoding a picture, loading a form, composing one full frame
// (and showing it in a real window), hit testing, and one drag step over a board.
//
// Showing a frame and the SDL drag step need a display (run under Xvfb); without one they are
// skipped with a note.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "backends/sdl/sdl_backend.hpp"
#include "forms/compose.hpp"
#include "forms/runtime.hpp"
#include "tests/support/scripted_backend.hpp"

namespace wizlo {
namespace {

const FormLayout& layoutAt(int index) { return *allLayouts().at(static_cast<std::size_t>(index)); }

void nameFormArgument(benchmark::internal::Benchmark* bench) {
  for (int i = 0; i < static_cast<int>(allLayouts().size()); ++i) bench->Arg(i);
}

// --- pictures --------------------------------------------------------------------------------------

// Each embedded image of a picture decoded from its bytes: what the first use of that image costs,
// once a run. Arguments: the picture, then the image (0 is the smallest).
void decodePicture(benchmark::State& state) {
  const auto id = static_cast<PictureId>(state.range(0));
  const auto& image = assets::encodedImages(id)[static_cast<std::size_t>(state.range(1))];
  for (auto _ : state) benchmark::DoNotOptimize(assets::decode(image));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size));
  state.SetLabel(std::string(nameOf(id)) + " " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                 (image.format == assets::ImageFormat::Jpeg ? " jpeg" : " png"));
}
void eachImageOfSomePictures(benchmark::internal::Benchmark* bench) {
  for (const PictureId id : {PictureId::Backdrop1, PictureId::Backdrop2, PictureId::AppIcon, PictureId::Disk1,
                             PictureId::BlueTile1, PictureId::MarkYes})
    for (std::size_t i = 0; i < assets::encodedImages(id).size(); ++i)
      bench->Args({static_cast<std::int64_t>(id), static_cast<std::int64_t>(i)});
}
BENCHMARK(decodePicture)->Apply(eachImageOfSomePictures)->Unit(benchmark::kMillisecond);

// --- loading ---------------------------------------------------------------------------------------

// Making a form's controls and the pictures they show, as every load does. Pictures are decoded once a
// run, so this is a second or later load; a first load adds the decodes above.
void loadForm(benchmark::State& state) {
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  { const ControlSet warm(layout, assets::picture); }
  for (auto _ : state) {
    ControlSet controls(layout, assets::picture);
    benchmark::DoNotOptimize(&controls);
  }
  state.SetLabel(std::string(layout.Name));
}
BENCHMARK(loadForm)->Apply(nameFormArgument)->Unit(benchmark::kMicrosecond);

// --- drawing ---------------------------------------------------------------------------------------

// One full frame composed into the form's client area, images kept prepared as a window keeps them:
// the steady cost of every repaint. Arguments: the form, then the screen's scale in percent.
void composeFrame(benchmark::State& state) {
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  const double scale = static_cast<double>(state.range(1)) / 100;
  const ControlSet controls(layout, assets::picture);
  Bitmap frame{toPixels(layout.ClientWidth, scale), toPixels(layout.ClientHeight, scale), {}};
  frame.argb.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
  const FrameView view{frame.argb.data(), frame.width, frame.height, frame.width};
  PreparedImages images;
  compose(controls, {}, scale, view, images);  // the images, once
  for (auto _ : state) {
    compose(controls, {}, scale, view, images);
    benchmark::DoNotOptimize(frame.argb.data());
  }
  state.SetLabel(std::string(layout.Name) + " at " + std::to_string(scale).substr(0, 4) + "x");
}
BENCHMARK(composeFrame)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {100, 150, 200}})->Unit(benchmark::kMillisecond);

// The first frame of a window: its images prepared at the sizes it shows them, then composed.
void composeFirstFrame(benchmark::State& state) {
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  const double scale = static_cast<double>(state.range(1)) / 100;
  const ControlSet controls(layout, assets::picture);
  for (auto _ : state) benchmark::DoNotOptimize(composeClientArea(controls, scale));
  state.SetLabel(std::string(layout.Name) + " at " + std::to_string(scale).substr(0, 4) + "x");
}
BENCHMARK(composeFirstFrame)->ArgsProduct({{0, 1}, {100, 150, 200}})->Unit(benchmark::kMillisecond);

// One full frame in a real window through the SDL backend, as the program paints it: composed into
// the window's own surface and shown.
void showFrame(benchmark::State& state) {
  if (!SDL_getenv("DISPLAY")) {
    state.SkipWithError("no display: run under Xvfb");
    return;
  }
  std::optional<SdlBackend> backend;
  try {
    backend.emplace();
  } catch (const NoDisplayError& error) {
    state.SkipWithError(error.what());
    return;
  }
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  const ControlSet controls(layout, assets::picture);
  WindowSpec request;
  request.caption = layout.Caption;
  request.client = {0, 0, layout.ClientWidth, layout.ClientHeight};
  const WindowId window = backend->openWindow(request);
  PreparedImages images;
  for (auto _ : state) {
    compose(controls, {}, backend->scale(), backend->frame(window), images);
    backend->show(window);
  }
  state.SetLabel(std::string(layout.Name));
}
BENCHMARK(showFrame)->Apply(nameFormArgument)->Unit(benchmark::kMillisecond);

// --- hit testing -----------------------------------------------------------------------------------

// The control under the pointer, for points spread over the whole client area; time per point.
void hitTest(benchmark::State& state) {
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  ControlSet controls(layout, assets::picture);
  std::vector<std::pair<Twips, Twips>> points;
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) points.emplace_back(layout.ClientWidth * i / 16, layout.ClientHeight * j / 16);
  for (auto _ : state)
    for (const auto& [x, y] : points) benchmark::DoNotOptimize(controls.controlAt(x, y));
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * points.size()));
  state.SetLabel(std::string(layout.Name));
}
BENCHMARK(hitTest)->Apply(nameFormArgument)->Unit(benchmark::kMicrosecond);

// --- dragging --------------------------------------------------------------------------------------

class SilentSound final : public platform::SoundService {
 public:
  void play(std::string_view) override {}
};
class NoWeb final : public platform::WebOpener {
 public:
  void open(std::uintptr_t, std::string_view) override {}
};

// Passes everything on to a window system, noting the window it opened last: the id that its events
// carry, which a form does not tell.
class NotingBackend final : public Backend {
 public:
  explicit NotingBackend(Backend& inner) : inner_(inner) {}
  WindowId openWindow(const WindowSpec& request) override { return opened = inner_.openWindow(request); }
  void closeWindow(WindowId window) override { inner_.closeWindow(window); }
  void raise(WindowId window) override { inner_.raise(window); }
  double scale() const override { return inner_.scale(); }
  FrameView frame(WindowId window) override { return inner_.frame(window); }
  void show(WindowId window) override {
    ++presents;
    inner_.show(window);
  }
  void setPointer(PointerShape shape, const PictureValue& picture) override {
    ++pointerChanges;
    inner_.setPointer(shape, picture);
  }
  InputEvent nextEvent() override { return inner_.nextEvent(); }
  std::uintptr_t nativeHandle(WindowId window) const override { return inner_.nativeHandle(window); }
  void reportError(std::string_view message) override { inner_.reportError(message); }

  WindowId opened = 0;
  std::int64_t presents = 0, pointerChanges = 0;

 private:
  Backend& inner_;
};

// A board shown in `backend`, a piece picked up, and a path for the pointer to travel with the button
// held: through the pieces' slots and the circles, so the pointer image changes on the way.
class DragScene {
 public:
  explicit DragScene(Backend& backend) : backend_(backend), runtime_(backend_, assets::picture) {
    defineForms(runtime_, platform::Services{sound_, web_, "/nowhere"});
    board_ = &runtime_.form("Form2");
    board_->Show();
    const ImageControl* piece = nullptr;
    for (const ImageControl& control : board_->controls().inStackingOrder())
      if (control.Visible() && control.DragMode() == kDragAutomatic && !control.Picture().isEmpty()) {
        piece = &control;
        break;
      }
    const Rect r = piece->rect();
    runtime_.handle(event(InputEvent::Kind::Press, r.Left + r.Width / 2, r.Top + r.Height / 2));
    runtime_.presentChanges();
    const FormLayout& layout = board_->layout();
    for (int i = 0; i < 200; ++i) {  // a slow zig-zag over the board, in 200 steps one way
      const Twips x = layout.ClientWidth / 20 + layout.ClientWidth * 9 / 10 * i / 200;
      const Twips y = layout.ClientHeight * (i % 40 < 20 ? 3 + i % 20 : 23 - i % 20) / 30;
      path_.push_back(event(InputEvent::Kind::Move, x, y));
    }
  }

  void step() {
    runtime_.handle(path_[next_]);
    runtime_.presentChanges();
    if (++next_ == path_.size()) next_ = 0;
  }
  bool dragging() const { return runtime_.pointer().dragging(); }
  // Frames presented and pointer images set per step, over `steps` steps.
  void count(benchmark::State& state) {
    state.counters["frames/step"] = benchmark::Counter(static_cast<double>(backend_.presents - presentsBefore_) /
                                                       static_cast<double>(state.iterations()));
    state.counters["pointers/step"] = benchmark::Counter(
        static_cast<double>(backend_.pointerChanges - pointersBefore_) / static_cast<double>(state.iterations()));
  }
  void startCounting() {
    presentsBefore_ = backend_.presents;
    pointersBefore_ = backend_.pointerChanges;
  }

 private:
  InputEvent event(InputEvent::Kind kind, Twips x, Twips y) const {
    InputEvent e;
    e.kind = kind;
    e.window = backend_.opened;
    e.x = x;
    e.y = y;
    e.button = kLeftButton;
    e.buttons = kLeftButton;
    return e;
  }

  SilentSound sound_;
  NoWeb web_;
  NotingBackend backend_;
  Runtime runtime_;
  std::int64_t presentsBefore_ = 0, pointersBefore_ = 0;
  Form* board_ = nullptr;
  std::vector<InputEvent> path_;
  std::size_t next_ = 0;
};

// One drag step through the runtime core (hit testing, the drag state machine, the board's DragOver
// handler, the pointer image bookkeeping), with a window system that only records.
void dragStepCore(benchmark::State& state) {
  testing::ScriptedBackend backend;
  DragScene scene(backend);
  scene.startCounting();
  for (auto _ : state) scene.step();
  scene.count(state);
  if (!scene.dragging()) state.SkipWithError("the drag ended on the way");
}
BENCHMARK(dragStepCore)->Unit(benchmark::kMicrosecond);

// The same step through the real SDL2 backend: pointer images made and set, frames presented when
// something changed.
void dragStepSdl(benchmark::State& state) {
  if (!SDL_getenv("DISPLAY")) {
    state.SkipWithError("no display: run under Xvfb");
    return;
  }
  std::optional<SdlBackend> backend;
  try {
    backend.emplace();
  } catch (const NoDisplayError& error) {
    state.SkipWithError(error.what());
    return;
  }
  {
    DragScene scene(*backend);
    scene.startCounting();
    for (auto _ : state) scene.step();
    scene.count(state);
    if (!scene.dragging()) state.SkipWithError("the drag ended on the way");
  }
}
BENCHMARK(dragStepSdl)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wizlo

BENCHMARK_MAIN();
