#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/picture_id.hpp"
#include "forms/layout.hpp"

namespace wizlo::art {

struct DrawnImage {
  PictureId id;
  int width = 0, height = 0;
  bool jpeg = false;  // else PNG
  std::vector<std::uint8_t> bytes;
};

// Writes every image file, an assembler file that pulls each distinct image
// into the program with .incbin, and the C++ tables that say which images
// belong to which picture. `images` must be grouped by picture in id order.
// Gives the file each image was written to (identical images share one).
std::vector<std::string> writeEmbedding(const std::vector<DrawnImage>& images, const std::filesystem::path& outDir);

// Writes first_frame.json for the browser's page: the start form's client size and how large its
// backdrop is drawn, in 96-dpi pixels, and that backdrop's images ([width, height, file]), so the page
// can fetch the one its first frame needs while the program is still loading.
void writeFirstFrame(const std::vector<DrawnImage>& images, const std::vector<std::string>& files,
                     const FormLayout& start, const std::filesystem::path& outDir);

// Writes scaled.json for the site's service worker: for each picture whose image is chosen by the
// screen's scale, the smallest and largest size it is shown at and its images, as
// [[smallest], [largest], [[width, height, file], ...]].
void writeScaled(const std::vector<DrawnImage>& images, const std::vector<std::string>& files,
                 const std::filesystem::path& outDir);

}  // namespace wizlo::art
