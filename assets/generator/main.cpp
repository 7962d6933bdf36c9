// wizlo_art_generator OUT_DIR: draws every picture of the program and writes
// the images and the files that embed them into OUT_DIR. With --measure DIR, prints
// instead what the backdrops' checks measure, and leaves the backdrops in DIR.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/control_names.hpp"
#include "assets/generator/backdrops/arrow_clearance.hpp"
#include "assets/generator/backdrops/backdrops.hpp"
#include "assets/generator/backdrops/legibility.hpp"
#include "assets/generator/backdrops/name_gaps.hpp"
#include "assets/generator/draw/owned.hpp"
#include "assets/generator/icons/icons.hpp"
#include "assets/generator/output/embedding.hpp"
#include "assets/generator/output/image_file.hpp"
#include "assets/generator/output/recipe.hpp"
#include "assets/generator/text/fonts.hpp"
#include "menu/form1.hpp"

namespace wizlo::art {

namespace {

// Backdrops are large pictures with soft shading: JPEG keeps the
// program small, and at this quality without chroma subsampling the coloured
// letters stay crisp.
constexpr int kBackdropQuality = 90;

// A tile is a piece of one board and takes that board's colours: its ground, so the tile reads as
// a ring with a number and not as a square, and its ring.
TileColours tileColoursOf(PictureId tile) {
  for (const MenuButton& button : layouts::kMenuButtons) {
    if (!button.board) continue;
    for (const ImageLayout& control : button.form().Controls)
      if (control.Name == names::kPieces && control.Picture == tile)
        return {Colour::hex(button.board->groundColour), Colour::hex(button.board->tileRing)};
  }
  throw std::invalid_argument("no board has " + std::string(nameOf(tile)) + " for a piece");
}

void drawIcon(PictureId id, cairo_t* cr, int size) {
  const int number = numberOf(id);
  switch (familyOf(id)) {
    case Family::AppIcon: return drawAppIcon(cr, size);
    case Family::Mark: return drawMark(cr, id == PictureId::MarkYes ? Mark::Yes : Mark::No, size);
    case Family::Disk: return drawDisk(cr, number, size);
    case Family::KeyDisk: return drawKeyDisk(cr, number, size);
    case Family::Backdrop: return;
    default: return drawTile(cr, tileColoursOf(id), number, size);
  }
}

// What the checks measure on each backdrop, as tables: each piece's own name and the nearest other
// name, and each coloured group's standout by its fill and by its rim. The checks stop the build on
// a fault; this shows how far from one every board is, and leaves each backdrop in `dir` as a PNG
// to look at, faults and all.
void measureBackdrops(const std::string& dir) {
  for (std::size_t i = 0; i < kPictureCount; ++i) {
    const PictureId id = pictureAt(i);
    if (familyOf(id) != Family::Backdrop) continue;
    for (const auto [w, h] : kBackdropSizes) {
      const Surface surface = makeSurface(w, h);
      InkMap ink;
      {
        const Context cr = drawingOn(surface.get());
        setSource(cr.get(), kWhite);
        cairo_paint(cr.get());
        drawBackdrop(id, cr.get(), w, h, ink);
      }
      cairo_surface_flush(surface.get());
      const auto* argb = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface.get()));
      const InkPixels pixels({argb, static_cast<std::size_t>(w) * h}, w, ink);
      const std::string picture = std::string(nameOf(id)) + " at " + std::to_string(w) + " px";
      const std::vector<std::uint8_t> png = encodePng(surface.get());
      std::FILE* file = std::fopen((dir + "/" + std::string(nameOf(id)) + "-" + std::to_string(w) + ".png").c_str(), "wb");
      if (!file || std::fwrite(png.data(), 1, png.size(), file) != png.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + picture + " into " + dir);
      for (const PieceNameGaps& g : nameGaps(pixels, ink, pieceBoxesOf(*formShowing(id))))
        std::printf("%s\tc(%d)\town %.1f px\tnearest other c(%d) %.1f px\n", picture.c_str(), g.piece, g.ownPx,
                    g.nearestOther, g.otherPx);
      for (const InkPart& part : ink.parts())
        if (part.kind == InkKind::Letters) {
          const Standout s = pixels.standout(part), outer = pixels.standout(part, 1.5, 2.5);
          std::printf("%s\t%s\tfill %.2f:1\trim %.2f:1\trim 1.5 to 2.5 px out %.2f:1\n", picture.c_str(),
                      part.name.c_str(), s.fill, s.rim, outer.rim);
        }
    }
  }
}

std::vector<DrawnImage> drawEverything() {
  std::vector<DrawnImage> images;
  for (std::size_t i = 0; i < kPictureCount; ++i) {
    const PictureId id = pictureAt(i);
    if (familyOf(id) == Family::Backdrop) {
      for (const auto [w, h] : kBackdropSizes) {
        Surface surface = makeSurface(w, h);
        Context cr = drawingOn(surface.get());
        setSource(cr.get(), kWhite);  // whatever the painter leaves is white, not black
        cairo_paint(cr.get());
        InkMap ink;
        drawBackdrop(id, cr.get(), w, h, ink);
        cr.reset();
        // Pale letters on a pale ground would pass every other check; they stop the build here.
        cairo_surface_flush(surface.get());
        const auto* argb = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface.get()));
        const InkPixels pixels({argb, static_cast<std::size_t>(w) * h}, w, ink);
        requireLegible(pixels, ink, nameOf(id));
        // A name nearer another piece than its own would send a pupil's piece to the wrong skill.
        requireOwnNamesNearest(pixels, ink, pieceBoxesOf(*formShowing(id)), nameOf(id));
        // An arrow over another letter hides it and points a pupil at the wrong one.
        requireArrowsClear(pixels, ink, nameOf(id));
        images.push_back({id, w, h, true, encodeJpeg(surface.get(), kBackdropQuality, w > kBackdropSizes[0].width)});
      }
      continue;
    }
    for (int size : iconSizesOf(id)) {
      Surface surface = makeSurface(size, size);
      Context cr = drawingOn(surface.get());
      drawIcon(id, cr.get(), size);
      cr.reset();
      images.push_back({id, size, size, false, encodePng(surface.get())});
    }
  }
  return images;
}

}  // namespace

}  // namespace wizlo::art

int main(int argc, char** argv) {
  const bool measure = argc == 3 && std::string(argv[1]) == "--measure";
  if (argc != 2 && !measure) {
    std::fprintf(stderr, "usage: %s OUT_DIR | --measure DIR\n", argv[0]);
    return 2;
  }
  try {
    wizlo::art::requireFonts();
    if (measure) {
      wizlo::art::measureBackdrops(argv[2]);
      return 0;
    }
    const std::vector<wizlo::art::DrawnImage> images = wizlo::art::drawEverything();
    const std::vector<std::string> files = wizlo::art::writeEmbedding(images, argv[1]);
    wizlo::art::writeFirstFrame(images, files, wizlo::layouts::Form1, argv[1]);
    wizlo::art::writeScaled(images, files, argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wizlo_art_generator: %s\n", e.what());
    return 1;
  }
  return 0;
}
