#include "assets/catalogue.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "assets/generator/output/recipe.hpp"

namespace wizlo::assets {
namespace {

using art::Family;

std::vector<PictureId> allPictures() {
  std::vector<PictureId> ids;
  for (std::size_t i = 0; i < kPictureCount; ++i) ids.push_back(pictureAt(i));
  return ids;
}

class EveryPicture : public testing::TestWithParam<PictureId> {};

TEST_P(EveryPicture, DecodesToTheImagesTheGeneratorWasAskedFor) {
  const PictureId id = GetParam();
  const std::span<const EncodedImage> encoded = encodedImages(id);
  const std::shared_ptr<const Artwork> drawn = artwork(id);
  ASSERT_NE(drawn, nullptr);
  ASSERT_EQ(drawn->imageCount(), encoded.size());

  if (art::familyOf(id) == Family::Backdrop) {
    ASSERT_EQ(encoded.size(), std::size(art::kBackdropSizes));
    for (std::size_t i = 0; i < encoded.size(); ++i) {
      EXPECT_EQ(encoded[i].format, ImageFormat::Jpeg);
      EXPECT_EQ(drawn->image(i).width, art::kBackdropSizes[i].width);
      EXPECT_EQ(drawn->image(i).height, art::kBackdropSizes[i].height);
    }
    return;
  }
  const std::span<const int> sizes = art::iconSizesOf(id);
  ASSERT_EQ(drawn->imageCount(), sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    SCOPED_TRACE(sizes[i]);
    const Bitmap& image = drawn->image(i);
    EXPECT_EQ(encoded[i].format, ImageFormat::Png);
    EXPECT_EQ(image.width, sizes[i]);
    EXPECT_EQ(image.height, sizes[i]) << "icons are square";
    EXPECT_EQ(encoded[i].width, image.width);
    EXPECT_EQ(encoded[i].height, image.height);
    EXPECT_EQ(image.argb.size(), static_cast<std::size_t>(image.width) * image.height);
  }
}

TEST_P(EveryPicture, GivesEveryUseItsOwnHandleOverOneSharedArtwork) {
  const PictureId id = GetParam();
  const PictureValue first = picture(id);
  const PictureValue second = picture(id);
  EXPECT_FALSE(first.isEmpty());
  EXPECT_NE(first.handle(), second.handle());
  EXPECT_NE(first.handle(), LoadPicture().handle());
  EXPECT_EQ(first.artwork(), second.artwork()) << "decoded once, shared by every value of the id";
  EXPECT_EQ(first.artwork(), artwork(id).get());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryPicture, testing::ValuesIn(allPictures()),
                         [](const testing::TestParamInfo<PictureId>& info) {
                           return std::string(nameOf(info.param));
                         });

// The generator reads a piece's number from its picture's name, so a slip in a name would put
// the wrong numeral on a piece: each family counts 1, 2, 3... in the catalogue's order.
TEST(Catalogue, NumbersEveryFamilyOfPiecesFromOneWithoutAGap) {
  std::map<Family, int> last;
  for (PictureId id : allPictures()) {
    const Family family = art::familyOf(id);
    if (family == Family::AppIcon || family == Family::Mark || family == Family::Backdrop) continue;
    EXPECT_EQ(art::numberOf(id), ++last[family]) << nameOf(id);
  }
}

TEST(Catalogue, DifferentPicturesHaveDifferentArtwork) {
  std::set<const Artwork*> seen;
  for (PictureId id : allPictures()) EXPECT_TRUE(seen.insert(artwork(id).get()).second) << nameOf(id);
}

TEST(Catalogue, StoresEachDistinctImageOnce) {
  std::map<std::vector<std::uint8_t>, const std::uint8_t*> storedAt;
  for (PictureId id : allPictures()) {
    for (const EncodedImage& image : encodedImages(id)) {
      const std::vector<std::uint8_t> bytes(image.bytes().begin(), image.bytes().end());
      const auto [place, isNew] = storedAt.try_emplace(bytes, image.data);
      if (!isNew) {
        EXPECT_EQ(place->second, image.data) << nameOf(id) << " repeats an image under another name";
      }
    }
  }
}

TEST(Catalogue, RefusesBytesThatAreNoImage) {
  static const std::uint8_t garbage[] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_THROW(decode({garbage, sizeof garbage, 2, 2, ImageFormat::Png, "garbage.png"}), std::runtime_error);
}

}  // namespace
}  // namespace wizlo::assets
