// The Linux message box as it draws, offscreen: its Arabic shaped and right to left as Pango draws that
// text on its own, at the right of the box, the English below it at the left, the box sized to its text.

#include "backends/sdl/message_box.hpp"

#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wizlo::message_box {
namespace {

constexpr const char* kArabic = "لا يمكن فتح لوحة الدرس: الملف تالف.";
constexpr const char* kMessage = "لا يمكن فتح لوحة الدرس: الملف تالف.\n\n"
                                 "The lesson board cannot be opened: the file is damaged.";

// A picture's ink (its darker pixels) as a mask, cropped to the ink's extent.
struct Ink {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<bool> dark;
  bool at(int x, int y) const { return x < width && y < height && dark[y * width + x]; }
};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface surface(int width, int height) {
  return {cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy};
}

Ink inkOf(cairo_surface_t* image, Rect within) {
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const auto dark = [&](int x, int y) {
    const std::uint32_t pixel = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    return ((pixel >> 16 & 255) + (pixel >> 8 & 255) + (pixel & 255)) < 3 * 128;
  };
  int left = within.right(), top = within.bottom(), right = within.x, bottom = within.y;
  for (int y = within.y; y < within.bottom(); ++y)
    for (int x = within.x; x < within.right(); ++x)
      if (dark(x, y)) left = std::min(left, x), right = std::max(right, x + 1), top = std::min(top, y),
                      bottom = std::max(bottom, y + 1);
  Ink ink{left, top, std::max(0, right - left), std::max(0, bottom - top), {}};
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) ink.dark.push_back(dark(x, y));
  return ink;
}

// The share of two masks' ink that is not in both, laid over each other at their top left corners.
double difference(const Ink& a, const Ink& b) {
  int differ = 0, inked = 0;
  for (int y = 0; y < std::max(a.height, b.height); ++y)
    for (int x = 0; x < std::max(a.width, b.width); ++x) {
      differ += a.at(x, y) != b.at(x, y);
      inked += a.at(x, y) || b.at(x, y);
    }
  return inked ? double(differ) / inked : 1;
}

Surface drawn(const MessageBox& box) {
  Surface image = surface(box.width(), box.height());
  cairo_t* cairo = cairo_create(image.get());
  box.draw(cairo);
  cairo_destroy(cairo);
  return image;
}

// `text` as Pango draws it alone, in the face the box gives its paragraph, dark on white.
Ink pangoInk(const char* text, double scale) {
  Surface image = surface(1600, 200);
  cairo_t* cairo = cairo_create(image.get());
  cairo_set_source_rgb(cairo, 1, 1, 1);
  cairo_paint(cairo);
  cairo_set_source_rgb(cairo, 0, 0, 0);
  PangoLayout* layout = pango_cairo_create_layout(cairo);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), options);
  cairo_font_options_destroy(options);
  pango_layout_context_changed(layout);
  const Face face = faceFor(kArabic);
  PangoFontDescription* font = pango_font_description_from_string(face.family);
  pango_font_description_set_absolute_size(font, face.pixels * scale * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, text, -1);
  cairo_move_to(cairo, 20, 20);
  pango_cairo_show_layout(cairo, layout);
  g_object_unref(layout);
  cairo_destroy(cairo);
  return inkOf(image.get(), {0, 0, 1600, 200});
}

TEST(MessageBox, DrawsItsArabicShapedRightToLeftAtTheRightAndItsEnglishBelowAtTheLeft) {
  for (const double scale : {1.0, 2.0}) {
    const MessageBox box(kMessage, scale);
    ASSERT_EQ(box.paragraphs().size(), 2u);
    const Surface image = drawn(box);
    const Rect arabic = box.paragraphs()[0], english = box.paragraphs()[1];
    const Ink arabicInk = inkOf(image.get(), arabic);

    // As Pango shapes it; and the comparison tells: the same letters unjoined (a zero-width non-joiner
    // between each two), or in the reverse order, differ from it by far.
    // (Not nil: the line starts at a fraction of a pixel in the box, which shades its edges otherwise.)
    EXPECT_LT(difference(arabicInk, pangoInk(kArabic, scale)), 0.2) << scale;
    std::string unjoined;
    for (const char* c = kArabic; *c; c = g_utf8_next_char(c)) {
      unjoined.append(c, g_utf8_next_char(c) - c);
      if (g_utf8_get_char(c) >= 0x0600) unjoined += "\u200c";
    }
    EXPECT_GT(difference(arabicInk, pangoInk(unjoined.c_str(), scale)), 0.3) << scale;
    gchar* reversed = g_utf8_strreverse(kArabic, -1);
    EXPECT_GT(difference(arabicInk, pangoInk(reversed, scale)), 0.3) << scale;
    g_free(reversed);

    // Right-aligned in the column that the English starts at the left of, below it.
    EXPECT_GE(arabicInk.left + arabicInk.width, arabic.right() - 3 * scale) << scale;
    EXPECT_GT(arabicInk.left - arabic.x, arabic.width / 10) << scale;
    EXPECT_LE(inkOf(image.get(), english).left, english.x + 2 * scale) << scale;
    EXPECT_GE(english.y, arabic.bottom()) << scale;
    EXPECT_GE(box.button().y, english.bottom()) << scale;
  }
}

TEST(MessageBox, IsSizedToItsText) {
  // A long message wraps rather than widening the box past a comfortable line; a short one is small.
  std::string message;
  for (int i = 0; i < 3; ++i) message.append(kMessage).append(" ");
  const MessageBox usual(kMessage, 1), longer(message, 1), shorter("OK?", 1);
  EXPECT_LE(longer.width(), 560);
  EXPECT_GT(longer.height(), usual.height());
  EXPECT_LT(shorter.width(), usual.width());
  EXPECT_LT(shorter.height(), usual.height());
}

}  // namespace
}  // namespace wizlo::message_box
