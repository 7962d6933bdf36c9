// In-process costs of the forms runtime: decoding a picture, loading a form, drawing one full frame
// (software and default renderer), hit testing, and one drag step over a board.
//
// The default renderer and the SDL drag step need a display (run under Xvfb); without one they are
// skipped with a note.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "forms/control_set.hpp"
#include "forms/runtime.hpp"
#include "forms/sdl_backend.hpp"
#include "forms/sdl_draw.hpp"
#include "tests/support/scripted_backend.hpp"

namespace wizlo {
namespace {

const FormLayout& layoutAt(int index) { return *allLayouts().at(static_cast<std::size_t>(index)); }

void nameFormArgument(benchmark::internal::Benchmark* bench) {
  for (int i = 0; i < static_cast<int>(allLayouts().size()); ++i) bench->Arg(i);
}

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
struct RendererDeleter {
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
};
struct WindowDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

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

// One full frame with SDL's software renderer into a surface of the form's size, textures kept as a
// window keeps them: the steady cost of every repaint.
// Arguments: the form, then the screen's scale (1 at 96 dpi, 2 on a doubled display).
void drawSoftware(benchmark::State& state) {
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  const int scale = static_cast<int>(state.range(1));
  const ControlSet controls(layout, assets::picture);
  const SDL_Rect size = pixelRect({0, 0, layout.ClientWidth, layout.ClientHeight}, scale);
  std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(
      SDL_CreateRGBSurfaceWithFormat(0, size.w, size.h, 32, SDL_PIXELFORMAT_ARGB8888));
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer(SDL_CreateSoftwareRenderer(surface.get()));
  TextureCache textures(renderer.get());
  drawForm(renderer.get(), textures, controls, {}, scale);  // the textures, once
  for (auto _ : state) {
    drawForm(renderer.get(), textures, controls, {}, scale);
    SDL_RenderPresent(renderer.get());
  }
  state.SetLabel(std::string(layout.Name) + " at " + std::to_string(scale) + "x");
}
BENCHMARK(drawSoftware)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {1, 2}})->Unit(benchmark::kMillisecond);

// The first frame of a window: the textures made from the decoded pictures, then drawn.
void drawSoftwareFirstFrame(benchmark::State& state) {
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  const ControlSet controls(layout, assets::picture);
  const SDL_Rect size = pixelRect({0, 0, layout.ClientWidth, layout.ClientHeight}, 1);
  std::unique_ptr<SDL_Surface, SurfaceDeleter> surface(
      SDL_CreateRGBSurfaceWithFormat(0, size.w, size.h, 32, SDL_PIXELFORMAT_ARGB8888));
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer(SDL_CreateSoftwareRenderer(surface.get()));
  for (auto _ : state) {
    TextureCache textures(renderer.get());
    drawForm(renderer.get(), textures, controls, {}, 1);
    SDL_RenderPresent(renderer.get());
  }
  state.SetLabel(std::string(layout.Name));
}
BENCHMARK(drawSoftwareFirstFrame)->Apply(nameFormArgument)->Unit(benchmark::kMillisecond);

bool videoUp() {
  static const bool up = [] {
    if (!SDL_getenv("DISPLAY") && !SDL_getenv("SDL_VIDEODRIVER")) return false;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  }();
  return up;
}

// One full frame in a real window with the renderer SDL picks by default, as the program draws it.
void drawDefault(benchmark::State& state) {
  if (!videoUp()) {
    state.SkipWithError("no display: run under Xvfb");
    return;
  }
  const FormLayout& layout = layoutAt(static_cast<int>(state.range(0)));
  const ControlSet controls(layout, assets::picture);
  const SDL_Rect size = pixelRect({0, 0, layout.ClientWidth, layout.ClientHeight}, 1);
  std::unique_ptr<SDL_Window, WindowDeleter> window(
      SDL_CreateWindow("bench", 0, 0, size.w, size.h, SDL_WINDOW_RESIZABLE));
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer(SDL_CreateRenderer(window.get(), -1, 0));
  if (!renderer) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(renderer.get(), &info);
  {
    TextureCache textures(renderer.get());
    drawForm(renderer.get(), textures, controls, {}, 1);
    SDL_RenderPresent(renderer.get());
    for (auto _ : state) {
      drawForm(renderer.get(), textures, controls, {}, 1);
      SDL_RenderPresent(renderer.get());
    }
  }
  state.SetLabel(std::string(layout.Name) + " " + (info.name ? info.name : "?"));
}
BENCHMARK(drawDefault)->Apply(nameFormArgument)->Unit(benchmark::kMillisecond);

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
  void present(WindowId window, const ControlSet& controls, const Overlay& overlay) override {
    ++presents;
    inner_.present(window, controls, overlay);
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
    defineForms(runtime_, ProgramServices{sound_, web_, "/nowhere"});
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
