// What the drawn pictures look like, checked on their decoded pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "assets/catalogue.hpp"
#include "assets/generator/icons/palette.hpp"
#include "assets/generator/output/recipe.hpp"
#include "boards/form3.hpp"
#include "boards/form4.hpp"
#include "boards/form5.hpp"

namespace wizlo::assets {
namespace {

using art::Family;

struct Argb {
  int a, r, g, b;
  explicit Argb(std::uint32_t p)
      : a(static_cast<int>(p >> 24)), r(static_cast<int>((p >> 16) & 0xFF)),
        g(static_cast<int>((p >> 8) & 0xFF)), b(static_cast<int>(p & 0xFF)) {}
  bool dark() const { return a == 255 && r < 70 && g < 70 && b < 70; }
  bool red() const { return a == 255 && r > 170 && g < 90 && b < 90; }
};

Argb at(const Bitmap& image, int x, int y) { return Argb(image.argb[static_cast<std::size_t>(y) * image.width + x]); }

template <typename Check>
void forEachImageOf(Family family, Check check) {
  for (std::size_t i = 0; i < kPictureCount; ++i) {
    const PictureId id = pictureAt(i);
    if (art::familyOf(id) != family) continue;
    const auto drawn = artwork(id);
    for (std::size_t n = 0; n < drawn->imageCount(); ++n) {
      const Bitmap& image = drawn->image(n);
      SCOPED_TRACE(std::string(nameOf(id)) + " at " + std::to_string(image.width));
      check(id, image);
    }
  }
}

bool opaque(const Bitmap& image) {
  return std::all_of(image.argb.begin(), image.argb.end(), [](std::uint32_t p) { return p >> 24 == 0xFF; });
}

bool cornersClear(const Bitmap& image) {
  const int w = image.width - 1, h = image.height - 1;
  return at(image, 0, 0).a == 0 && at(image, w, 0).a == 0 && at(image, 0, h).a == 0 && at(image, w, h).a == 0;
}

TEST(PictureLook, PiecesKeysAndBackdropsAreOpaqueWhileMarksAndTheIconStandOnClearGround) {
  const struct {
    Family family;
    bool opaque;
  } cases[] = {
      {Family::Disk, true},     {Family::KeyDisk, true},    {Family::BlueTile, true},
      {Family::YellowTile, true}, {Family::PinkTile, true}, {Family::Backdrop, true},
      {Family::Mark, false},    {Family::AppIcon, false},
  };
  for (const auto& c : cases) {
    forEachImageOf(c.family, [&](PictureId, const Bitmap& image) {
      if (c.opaque)
        EXPECT_TRUE(opaque(image));
      else
        EXPECT_TRUE(cornersClear(image));
    });
  }
}

TEST(PictureLook, TileGroundIsExactlyItsBoardsGround) {
  const struct {
    Family family;
    std::uint32_t ground;
  } cases[] = {
      {Family::BlueTile, layouts::Form3Content.groundColour},
      {Family::YellowTile, layouts::Form4Content.groundColour},
      {Family::PinkTile, layouts::Form5Content.groundColour},
  };
  for (const auto& c : cases) {
    forEachImageOf(c.family, [&](PictureId, const Bitmap& image) {
      const int last = image.width - 1;
      for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
        EXPECT_EQ(image.argb[static_cast<std::size_t>(y) * image.width + x], 0xFF000000u | c.ground);
    });
  }
}

// A disk is a numeral inside a red ring: dark pixels near the middle, red
// ones between the middle and each edge, and white in the square's corners.
TEST(PictureLook, DiskShowsADarkNumeralInsideARedRing) {
  forEachImageOf(Family::Disk, [](PictureId, const Bitmap& image) {
    const int s = image.width, c = s / 2;
    int darkInMiddle = 0;
    for (int y = s / 4; y < s - s / 4; ++y)
      for (int x = s / 4; x < s - s / 4; ++x) darkInMiddle += at(image, x, y).dark();
    EXPECT_GT(darkInMiddle, s * s / 64);

    const auto redAlong = [&](int dx, int dy) {
      for (int step = 0; step < c; ++step)
        if (at(image, c + dx * step, c + dy * step).red()) return true;
      return false;
    };
    EXPECT_TRUE(redAlong(1, 0) && redAlong(-1, 0) && redAlong(0, 1) && redAlong(0, -1));

    const Argb corner = at(image, 0, 0);
    EXPECT_TRUE(corner.r == 255 && corner.g == 255 && corner.b == 255);
  });
}

// The marks keep their pure colours somewhere in the stroke, whatever the
// outline and shading around them.
TEST(PictureLook, MarksShowTheirPureColour) {
  forEachImageOf(Family::Mark, [](PictureId id, const Bitmap& image) {
    const std::uint32_t pure = 0xFF000000u | (id == PictureId::MarkYes ? art::kMarkYes : art::kMarkNo);
    const auto count = std::count(image.argb.begin(), image.argb.end(), pure);
    EXPECT_GT(count, static_cast<long>(image.argb.size() / 20));
  });
}

}  // namespace
}  // namespace wizlo::assets
