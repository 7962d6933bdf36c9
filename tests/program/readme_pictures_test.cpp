#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/program.hpp"
#include "assets/catalogue.hpp"
#include "forms/sdl_draw.hpp"

namespace wizlo::testing {
namespace {

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// The README shows what a pupil sees; it must show today's art, not last
// month's. tools/update-readme-pictures draws the pictures again.
TEST(ReadmePictures, ShowTheFormsAsTheyAreDrawnNow) {
  for (const auto& [form, file] : {std::pair{"Form1", "menu.png"}, std::pair{"Form2", "board.png"}}) {
    const ControlSet controls(*layoutNamed(form), assets::picture);
    Surface drawn(drawFormToSurface(controls, 1), SDL_FreeSurface);
    const std::string path = std::string(WIZLO_SOURCE_DIR) + "/docs/" + file;
    Surface loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
    ASSERT_TRUE(loaded) << path << ": " << IMG_GetError();
    Surface kept(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0), SDL_FreeSurface);
    ASSERT_TRUE(drawn && kept);
    ASSERT_EQ(kept->w, drawn->w) << file;
    ASSERT_EQ(kept->h, drawn->h) << file;
    long differing = 0;
    for (int y = 0; y < drawn->h; ++y) {
      const auto* a = reinterpret_cast<const std::uint8_t*>(drawn->pixels) + y * drawn->pitch;
      const auto* b = reinterpret_cast<const std::uint8_t*>(kept->pixels) + y * kept->pitch;
      for (int i = 0; i < drawn->w * 4; ++i)
        if (std::abs(int{a[i]} - int{b[i]}) > 2) {
          ++differing;
          break;
        }
    }
    EXPECT_LT(differing, drawn->h / 100 + 1)
        << "docs/" << file << " is out of date: run tools/update-readme-pictures";
  }
}

}  // namespace
}  // namespace wizlo::testing
