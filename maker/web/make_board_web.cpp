// makeBoard in the browser: the same reading, plan, drawing and checks as the Linux maker, one after the
// other on the page's one thread, and checked on the drawn pixels themselves: the browser has no JPEG
// encoder of ours to make the backdrop's file and decode it back. No pack is written.
#include <chrono>
#include <cstring>
#include <stdexcept>

#include "assets/generator/backdrops/board.hpp"
#include "assets/generator/draw/owned.hpp"
#include "assets/generator/draw/shapes.hpp"
#include "assets/generator/output/recipe.hpp"
#include "maker/board_checks.hpp"
#include "maker/make_board.hpp"
#include "maker/web/make_board_web.hpp"

namespace wizlo::maker {

// The drawn surface's pixels as the checks take a decoded image: both are 0xAARRGGBB words, and the
// backdrop is opaque, so premultiplied and straight alpha agree.
DrawnBackdrop drawBackdropPixels(const BoardContent& content, int width, int height) {
  const art::Surface surface = art::makeSurface(width, height);
  DrawnBackdrop drawn;
  {
    const art::Context cr = art::drawingOn(surface.get());
    art::setSource(cr.get(), art::kWhite);
    cairo_paint(cr.get());
    cairo_scale(cr.get(), width / art::kPageWidth, height / art::kPageHeight);
    art::drawBoard(cr.get(), content, drawn.ink);
  }
  cairo_surface_flush(surface.get());
  drawn.image.width = width;
  drawn.image.height = height;
  drawn.image.argb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y)
    std::memcpy(drawn.image.argb.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                data + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(width) * 4);
  return drawn;
}

namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

MadeBoard makeBoard(std::string_view boardFile) { return makeBoardTimed(boardFile, nullptr); }

MadeBoard makeBoardTimed(std::string_view boardFile, MakingTimes* times) {
  MadeBoard made;
  const art::Surface scratch = art::makeSurface(1, 1);
  const art::Context measure = art::drawingOn(scratch.get());
  if (!readAndPlan(boardFile, measure.get(), made)) return made;
  const PlannedBoard& plan = *made.plan;

  std::vector<DrawnBackdrop> backdrops;
  for (std::size_t i = 0; i < 2; ++i) {
    const auto start = std::chrono::steady_clock::now();
    backdrops.push_back(drawBackdropPixels(plan.content, art::kBackdropSizes[i].width, art::kBackdropSizes[i].height));
    if (times) times->drawn[i] = millisecondsSince(start);
  }
  // The tile's ground: the colour the backdrop shows around it, as the Linux maker takes it.
  const std::uint32_t tileGround = backdrops.front().image.argb[static_cast<std::size_t>(backdrops.front().image.width) * 4 - 5];
  const auto start = std::chrono::steady_clock::now();
  made.problems = checkBoard(measure.get(), plan, backdrops, tileGround);
  if (times) times->checked = millisecondsSince(start);
  return made;
}

}  // namespace wizlo::maker
