#include <emscripten.h>

#include <string>

#include "assets/browser_image.hpp"
#include "assets/catalogue.hpp"

// The page starts fetching and decoding; the program's later ask for the same file takes the result.
EM_JS(void, wizlo_fetch_ahead, (const char* file), { WizloPictures.fetchAhead(UTF8ToString(file)); });

namespace wizlo::assets {

// In the browser no picture is linked into the program: each is a file in the page's folder of
// pictures, fetched when it is first drawn, or before, all of a form's at once.
Bitmap decode(const EncodedImage& image) { return browserImage(image.file); }

void fetchAhead(const EncodedImage& image) { wizlo_fetch_ahead(std::string(image.file).c_str()); }

}  // namespace wizlo::assets
