#include "assets/browser_image.hpp"
#include "assets/catalogue.hpp"

namespace wizlo::assets {

// In the browser no picture is linked into the program: each is a file in the page's folder of
// pictures, fetched when it is first drawn.
Bitmap decode(const EncodedImage& image) { return browserImage(image.file); }

}  // namespace wizlo::assets
