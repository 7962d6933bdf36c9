#pragma once
#include <cstdint>
#include <vector>

// A Windows icon file (.ico) from square images with straight alpha, for the program file's icon group.
namespace wizlo::icon {

// One drawn size: its pixels as 0xAARRGGBB words, row after row, and the PNG file it came from.
struct Image {
  int size = 0;
  std::vector<std::uint32_t> argb;
  std::vector<std::uint8_t> png;
};

// The classic 16-colour palette of Windows, which every 4-bit icon uses: 0xRRGGBB.
extern const std::uint32_t kSixteenColours[16];

// Each image under 256 pixels three times, at 16 colours (4 bits), 256 colours (8 bits) and 32 bits
// with alpha, so every display depth finds one drawn for it; an image of 256 pixels once, as its PNG,
// as Windows keeps its large icons. In the 4- and 8-bit ones the mask makes a pixel transparent where
// its alpha is under half.
std::vector<std::uint8_t> iconFile(const std::vector<Image>& images);

}  // namespace wizlo::icon
