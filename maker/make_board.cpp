#include "maker/make_board.hpp"

#include <chrono>
#include <cstring>
#include <future>
#include <stdexcept>

#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/draw/owned.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/icons/icons.hpp"
#include "assets/generator/output/image_file.hpp"
#include "assets/generator/output/recipe.hpp"
#include "assets/image_decode.hpp"
#include "maker/board_checks.hpp"
#include "maker/board_link.hpp"
#include "maker/palette.hpp"
#include "packs/board_pack.hpp"
#include "packs/pack_error.hpp"

namespace wizlo::maker {
namespace {

constexpr int kBackdropQuality = 90;  // as the program's own backdrops
// The browser's build has one thread, the page's: there each step waits for the one before.
#ifdef __EMSCRIPTEN__
constexpr std::launch kBeside = std::launch::deferred;
#else
constexpr std::launch kBeside = std::launch::async;
#endif

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

struct Drawn {
  DrawnBackdrop backdrop;
  packs::NewImage file;
};

art::Surface drawnBackdrop(const BoardContent& content, int width, int height, art::InkMap& ink) {
  art::Surface surface = art::makeSurface(width, height);
  const art::Context cr = art::drawingOn(surface.get());
  art::setSource(cr.get(), art::kWhite);
  cairo_paint(cr.get());
  cairo_scale(cr.get(), width / art::kPageWidth, height / art::kPageHeight);
  art::drawBoard(cr.get(), content, ink);
  return surface;
}

// The backdrop at one size, encoded as the program's own are and decoded again as the program will.
Drawn drawBackdrop(const BoardContent& content, int width, int height) {
  Drawn drawn;
  const art::Surface surface = drawnBackdrop(content, width, height, drawn.backdrop.ink);
  drawn.file = {packs::ImageKind::Jpeg, width, height, art::encodeJpeg(surface.get(), kBackdropQuality)};
  drawn.backdrop.image = assets::decodeJpeg(drawn.file.bytes);
  return drawn;
}

packs::NewPicture icon(const std::string& key, std::span<const int> sizes, const std::function<void(cairo_t*, int)>& draw) {
  packs::NewPicture picture{key, {}};
  for (const int size : sizes) {
    const art::Surface surface = art::makeSurface(size, size);
    draw(art::drawingOn(surface.get()).get(), size);
    picture.images.push_back({packs::ImageKind::Png, size, size, art::encodePng(surface.get())});
  }
  return picture;
}

}  // namespace

std::optional<Bitmap> previewBoard(std::string_view boardFile, int width, int height, MadeBoard& made) {
  const art::Surface scratch = art::makeSurface(1, 1);
  const art::Context measure = art::drawingOn(scratch.get());
  if (!readAndPlan(boardFile, measure.get(), made)) return std::nullopt;
  art::InkMap ink;
  const art::Surface surface = drawnBackdrop(made.plan->content, width, height, ink);
  cairo_surface_flush(surface.get());
  Bitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y)  // opaque: premultiplied and straight alike
    std::memcpy(&bitmap.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)],
                data + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(width) * 4);
  return bitmap;
}

MadeBoard makeBoard(std::string_view boardFile, MakingTimes* times, bool checks) {
  MadeBoard made;
  const art::Surface scratch = art::makeSurface(1, 1);
  const art::Context measure = art::drawingOn(scratch.get());
  if (!readAndPlan(boardFile, measure.get(), made)) return made;
  const PlannedBoard& plan = *made.plan;

  // Both sizes at once: each has a surface of its own, and the faces are shared read-only.
  const auto timed = [times](int i, auto step) {
    const auto start = std::chrono::steady_clock::now();
    auto done = step();
    if (times) times->drawn[i] = millisecondsSince(start);
    return done;
  };
  auto twoX = std::async(kBeside, [&] {
    return timed(1, [&] { return drawBackdrop(plan.content, art::kBackdropSizes[1].width, art::kBackdropSizes[1].height); });
  });
  Drawn oneX = timed(0, [&] { return drawBackdrop(plan.content, art::kBackdropSizes[0].width, art::kBackdropSizes[0].height); });
  Drawn doubled = twoX.get();
  // A tile's ground is the very colour the decoded backdrop shows around it, so the tile vanishes
  // into the board and leaves its ring and number.
  const std::uint32_t tileGround = oneX.backdrop.image.argb[static_cast<std::size_t>(oneX.backdrop.image.width) * 4 - 5];
  std::vector<DrawnBackdrop> backdrops;
  backdrops.push_back(std::move(oneX.backdrop));
  backdrops.push_back(std::move(doubled.backdrop));
  // The pieces' pictures drawn while the board is checked.
  auto icons = std::async(kBeside, [&] {
    std::vector<packs::NewPicture> pictures;
    const art::TileColours tile{art::Colour::hex(tileGround & 0xFFFFFF), art::Colour::hex(kTeacherColours.tileRing)};
    for (std::size_t j = 0; j < plan.pieces.size(); ++j) {
      const int number = static_cast<int>(j) + 1;
      pictures.push_back(icon(tileKey(number), art::kTileSizes, [&](cairo_t* cr, int size) { art::drawTile(cr, tile, number, size); }));
      if (number > kCatalogueDisks)
        pictures.push_back(icon(diskKey(number), art::kDiskSizes, [&](cairo_t* cr, int size) { art::drawDisk(cr, number, size); }));
    }
    return pictures;
  });
  // A board with problems is still packed, so `preview` can show the teacher what they are; `make`
  // writes no such pack.
  const auto checking = std::chrono::steady_clock::now();
  if (checks) made.problems = checkBoard(measure.get(), plan, backdrops, tileGround);
  if (times) times->checked = millisecondsSince(checking);

  std::vector<packs::NewPicture> pictures;
  oneX.file.bytes = withBoardFile(std::move(oneX.file.bytes), boardFile);
  pictures.push_back({std::string(kBackdropKey), {std::move(oneX.file), std::move(doubled.file)}});
  for (packs::NewPicture& p : icons.get()) pictures.push_back(std::move(p));
  made.pack = packs::writeBoardPack(plan.form, pictures);
  // Read back as the program reads it: whatever the program would refuse is the maker's own fault.
  try {
    packs::BoardPack::read(made.pack);
  } catch (const packs::PackError& e) {
    throw std::logic_error(std::string("the board maker made a pack the program refuses: ") + e.english());
  }
  return made;
}

}  // namespace wizlo::maker
