#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "forms/compose.hpp"

namespace wizlo::testing {
namespace {

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// The README shows what a pupil sees; it must show today's art, not last
// month's. tools/update-readme-pictures draws the pictures again.
TEST(ReadmePictures, ShowTheFormsAsTheyAreDrawnNow) {
  for (const auto& [form, file] : {std::pair{"Form1", "menu.png"}, std::pair{"Form2", "board.png"}}) {
    const ControlSet controls(*layoutNamed(form), assets::picture);
    const Bitmap drawn = composeClientArea(controls, 1);
    const std::string path = std::string(WIZLO_SOURCE_DIR) + "/docs/" + file;
    Surface loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
    ASSERT_TRUE(loaded) << path << ": " << IMG_GetError();
    Surface kept(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0), SDL_FreeSurface);
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->w, drawn.width) << file;
    ASSERT_EQ(kept->h, drawn.height) << file;
    long differing = 0;
    for (int y = 0; y < drawn.height; ++y) {
      const auto* a = reinterpret_cast<const std::uint8_t*>(&drawn.argb[static_cast<std::size_t>(y) * drawn.width]);
      const auto* b = reinterpret_cast<const std::uint8_t*>(kept->pixels) + y * kept->pitch;
      for (int i = 0; i < drawn.width * 4; ++i)
        if (std::abs(int{a[i]} - int{b[i]}) > 2) {
          ++differing;
          break;
        }
    }
    EXPECT_LT(differing, drawn.height / 100 + 1)
        << "docs/" << file << " is out of date: run tools/update-readme-pictures";
  }
}

}  // namespace
}  // namespace wizlo::testing
