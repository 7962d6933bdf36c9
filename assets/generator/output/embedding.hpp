#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/picture_id.hpp"

namespace wizlo::art {

struct DrawnImage {
  PictureId id;
  int width = 0, height = 0;
  bool jpeg = false;  // else PNG
  std::vector<std::uint8_t> bytes;
};

// Writes every image file, an assembler file that pulls each distinct image
// into the program with .incbin, and the C++ table that says which images
// belong to which picture. `images` must be grouped by picture in id order.
void writeEmbedding(const std::vector<DrawnImage>& images, const std::filesystem::path& outDir);

}  // namespace wizlo::art
