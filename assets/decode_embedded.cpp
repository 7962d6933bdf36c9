#include "assets/catalogue.hpp"
#include "assets/image_decode.hpp"

namespace wizlo::assets {

Bitmap decode(const EncodedImage& image) {
  return image.format == ImageFormat::Jpeg ? decodeJpeg(image.bytes()) : decodePng(image.bytes());
}

void fetchAhead(const EncodedImage& /*image*/) {}

}  // namespace wizlo::assets
