// The program file's icon: what Windows reads from each entry of the .ico the icon file maker writes.

#include <gtest/gtest.h>

#include <cstring>

#include "packaging/windows/icon_file.hpp"

namespace wizlo::icon {
namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

struct Entry {
  int size, colours, bits;
  std::size_t offset, length;
};

std::vector<Entry> entriesOf(const std::vector<std::uint8_t>& file) {
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < std::size_t{file[4]} + 256u * file[5]; ++i) {
    const std::size_t at = 6 + 16 * i;
    entries.push_back({file[at] ? file[at] : 256, file[at + 2], file[at + 6] | file[at + 7] << 8, le32(file, at + 12),
                       le32(file, at + 8)});
  }
  return entries;
}

// A 16-pixel image: a transparent left half, and three opaque colours in the right half.
Image testImage() {
  Image image{16, std::vector<std::uint32_t>(256, 0x00000000), {}};
  for (int y = 0; y < 16; ++y)
    for (int x = 8; x < 16; ++x) image.argb[y * 16 + x] = y < 5 ? 0xFFC86414 : y < 10 ? 0xFF1E90FF : 0xFFF0D020;
  return image;
}

TEST(IconFile, EachSmallImageComesAtThreeDepthsAndTheLargeOneAsItsPngVerbatim) {
  const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', 1, 2, 3};
  const auto file = iconFile({testImage(), Image{256, {}, png}});
  const std::vector<Entry> entries = entriesOf(file);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ((std::vector<int>{entries[0].bits, entries[1].bits, entries[2].bits}), (std::vector<int>{4, 8, 32}));
  EXPECT_EQ(entries[0].colours, 16);
  EXPECT_EQ(entries[3].size, 256);
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + static_cast<long>(entries[3].offset), file.end()), png);
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) EXPECT_EQ(entries[i].offset + entries[i].length, entries[i + 1].offset);
}

TEST(IconFile, PalettedImagesKeepTheColoursAndMaskTheTransparentHalfOverBlack) {
  const Image image = testImage();
  const auto file = iconFile({image});
  for (const Entry& e : entriesOf(file)) {
    const std::size_t palette = e.offset + 40, colours = e.bits == 32 ? 0 : (std::size_t{1} << e.bits);
    const std::size_t pixels = palette + 4 * colours, colourRow = (16 * e.bits + 31) / 32 * 4;
    const std::size_t mask = pixels + colourRow * 16;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const std::size_t row = static_cast<std::size_t>(15 - y);  // bottom-up
        const bool masked = file[mask + row * 4 + x / 8] & (0x80 >> (x % 8));
        const std::uint32_t want = image.argb[y * 16 + x];
        EXPECT_EQ(masked, want >> 24 == 0) << e.bits << " bits at " << x << "," << y;
        std::uint32_t shown;
        if (e.bits == 32) {
          shown = le32(file, pixels + row * colourRow + 4 * x);
        } else {
          const std::size_t index = e.bits == 8 ? file[pixels + row * colourRow + x]
                                                : (file[pixels + row * colourRow + x / 2] >> (x % 2 ? 0 : 4)) & 15;
          shown = le32(file, palette + 4 * index) | (masked ? 0 : 0xFF000000);
        }
        if (e.bits != 4) {
          EXPECT_EQ(shown, want) << e.bits << " bits at " << x << "," << y;
        } else if (masked) {
          EXPECT_EQ(shown, 0u) << "a transparent pixel is not black";
        }
      }
  }
}

}  // namespace
}  // namespace wizlo::icon
