#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "forms/picture.hpp"

namespace wizlo::assets {

// An image decoded by the browser, to ARGB8888 with straight alpha: the picture file of that name
// beside the page, fetched, or else the bytes given. Throws std::runtime_error when the browser can
// fetch or decode neither.
Bitmap browserImage(std::string_view file, std::span<const std::uint8_t> bytes = {});

}  // namespace wizlo::assets
