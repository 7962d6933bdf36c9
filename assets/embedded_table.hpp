#pragma once
#include <cstdint>

#include "assets/catalogue.hpp"

// The table the generator writes into the build tree, next to the images it
// embeds. Only the catalogue reads it.
namespace wizlo::assets::embedded {

// Every image, grouped by picture in id order, smallest first within one.
extern const EncodedImage kImages[];

// Picture i owns kImages[kFirstImage[i]] up to, not including, kImages[kFirstImage[i + 1]].
extern const std::uint16_t kFirstImage[kPictureCount + 1];

}  // namespace wizlo::assets::embedded
