#include "backends/sdl/message_box.hpp"

#include <fribidi.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace wizlo::message_box {

namespace {

// At 96 dpi, in pixels. Naskh reads small beside Latin of the same size, hence its larger face.
constexpr double kNaskhPixels = 20, kSansPixels = 14;
constexpr int kPadding = 24, kParagraphGap = 12, kButtonGap = 20;
constexpr int kMinColumn = 260, kMaxColumn = 460;
constexpr int kButtonHeight = 32, kMinButtonWidth = 96, kButtonRadius = 6;

struct Colour {
  double r, g, b;
};
constexpr Colour kPaper{0.984, 0.980, 0.969}, kEdge{0.80, 0.79, 0.76}, kInk{0.12, 0.14, 0.16},
    kSecondInk{0.35, 0.38, 0.41}, kButton{0.18, 0.44, 0.70}, kButtonPressed{0.15, 0.36, 0.58},
    kButtonInk{1, 1, 1};

void setColour(cairo_t* cairo, Colour c) { cairo_set_source_rgb(cairo, c.r, c.g, c.b); }

int px(double pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

PangoLayout* layoutIn(PangoContext* context, std::string_view text, Face face, double scale) {
  PangoLayout* layout = pango_layout_new(context);
  PangoFontDescription* font = pango_font_description_from_string(face.family);
  pango_font_description_set_absolute_size(font, face.pixels * scale * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, text.data(), static_cast<int>(text.size()));
  // A long file name has no spaces to break at.
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  return layout;
}

void roundedRectangle(cairo_t* cairo, double x, double y, double width, double height, double radius) {
  constexpr double kQuarter = M_PI / 2;
  cairo_new_sub_path(cairo);
  cairo_arc(cairo, x + width - radius, y + radius, radius, -kQuarter, 0);
  cairo_arc(cairo, x + width - radius, y + height - radius, radius, 0, kQuarter);
  cairo_arc(cairo, x + radius, y + height - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(cairo, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cairo);
}

// What a message quotes between « and », a file's name, is set apart from the Arabic around it, so that
// "/tmp/a.wizlo" keeps its slash in front rather than being pulled to the Arabic side. Each quote then
// reads in the direction of its own first letter.
std::string isolateQuotes(std::string_view text) {
  constexpr std::string_view kOpen = "«", kClose = "»", kIsolate = "\u2068", kEndIsolate = "\u2069";
  std::string out;
  std::size_t at = 0;
  for (std::size_t open; (open = text.find(kOpen, at)) != std::string_view::npos;) {
    const std::size_t close = text.find(kClose, open + kOpen.size());
    if (close == std::string_view::npos) break;
    out.append(text.substr(at, open + kOpen.size() - at)).append(kIsolate);
    out.append(text.substr(open + kOpen.size(), close - open - kOpen.size())).append(kEndIsolate);
    at = close;
  }
  return out.append(text.substr(at));
}

}  // namespace

std::vector<std::string> paragraphsOf(std::string_view message) {
  std::vector<std::string> paragraphs;
  std::string current;
  const auto finish = [&] {
    while (!current.empty() && (current.back() == '\n' || current.back() == ' ')) current.pop_back();
    if (!current.empty()) paragraphs.push_back(std::move(current));
    current.clear();
  };
  std::size_t at = 0;
  while (at <= message.size()) {
    const std::size_t end = std::min(message.find('\n', at), message.size());
    const std::string_view line = message.substr(at, end - at);
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) {
      finish();
    } else {
      if (!current.empty()) current += '\n';
      current += line;
    }
    at = end + 1;
  }
  finish();
  return paragraphs;
}

bool readsRightToLeft(std::string_view paragraph) {
  // As Pango itself decides a paragraph's direction: by the Unicode bidirectional algorithm.
  glong count = 0;
  gunichar* letters = g_utf8_to_ucs4_fast(paragraph.data(), static_cast<glong>(paragraph.size()), &count);
  std::vector<FriBidiCharType> types(static_cast<std::size_t>(count));
  fribidi_get_bidi_types(letters, static_cast<FriBidiStrIndex>(count), types.data());
  g_free(letters);
  return fribidi_get_par_direction(types.data(), static_cast<FriBidiStrIndex>(count)) == FRIBIDI_PAR_RTL;
}

Face faceFor(std::string_view paragraph) {
  return readsRightToLeft(paragraph) ? Face{"Noto Naskh Arabic", kNaskhPixels} : Face{"Noto Sans", kSansPixels};
}

MessageBox::MessageBox(std::string_view message, double scale) : scale_(scale > 0 ? scale : 1) {
  context_ = pango_font_map_create_context(pango_cairo_font_map_get_default());
  // Drawn once into an image: grey antialiasing, and outlines unhinted so that every scale draws
  // the same letters, only larger.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);

  std::vector<std::string> paragraphs = paragraphsOf(message);
  if (paragraphs.empty()) paragraphs.emplace_back("Wizlo");
  int column = px(kMinColumn, scale_);
  for (const std::string& paragraph : paragraphs) {
    layouts_.push_back(layoutIn(context_, isolateQuotes(paragraph), faceFor(paragraph), scale_));
    int natural = 0;
    pango_layout_get_pixel_size(layouts_.back(), &natural, nullptr);
    column = std::max(column, natural);
  }
  column = std::min(column, px(kMaxColumn, scale_));

  // One column for all: the Arabic ends at its right edge, the English starts at its left (a layout
  // that reads right to left takes its start, the left alignment, from the right).
  const int padding = px(kPadding, scale_);
  int y = padding;
  for (PangoLayout* layout : layouts_) {
    pango_layout_set_width(layout, column * PANGO_SCALE);
    pango_layout_set_alignment(layout, PANGO_ALIGN_LEFT);
    int height = 0;
    pango_layout_get_pixel_size(layout, nullptr, &height);
    if (!boxes_.empty()) y += px(kParagraphGap, scale_);
    boxes_.push_back({padding, y, column, height});
    y += height;
  }

  label_ = layoutIn(context_, "OK", {"Noto Sans", kSansPixels}, scale_);
  int labelWidth = 0;
  pango_layout_get_pixel_size(label_, &labelWidth, nullptr);
  width_ = column + 2 * padding;
  button_.width = std::max(px(kMinButtonWidth, scale_), labelWidth + 2 * padding);
  button_.height = px(kButtonHeight, scale_);
  button_.x = (width_ - button_.width) / 2;
  button_.y = y + px(kButtonGap, scale_);
  height_ = button_.bottom() + px(kPadding - 4, scale_);
}

MessageBox::~MessageBox() {
  for (PangoLayout* layout : layouts_) g_object_unref(layout);
  if (label_) g_object_unref(label_);
  g_object_unref(context_);
}

void MessageBox::draw(cairo_t* cairo, bool buttonPressed) const {
  cairo_save(cairo);
  setColour(cairo, kPaper);
  cairo_paint(cairo);
  // A hairline edge, for a desktop without window frames.
  const double line = std::max(1.0, std::floor(scale_));
  cairo_set_line_width(cairo, line);
  setColour(cairo, kEdge);
  cairo_rectangle(cairo, line / 2, line / 2, width_ - line, height_ - line);
  cairo_stroke(cairo);

  for (std::size_t i = 0; i < layouts_.size(); ++i) {
    // The English, for whoever helps the teacher, a shade quieter than the Arabic.
    setColour(cairo, i == 0 ? kInk : kSecondInk);
    cairo_move_to(cairo, boxes_[i].x, boxes_[i].y);
    pango_cairo_show_layout(cairo, layouts_[i]);
  }

  setColour(cairo, buttonPressed ? kButtonPressed : kButton);
  roundedRectangle(cairo, button_.x, button_.y, button_.width, button_.height, kButtonRadius * scale_);
  cairo_fill(cairo);
  int labelWidth = 0, labelHeight = 0;
  pango_layout_get_pixel_size(label_, &labelWidth, &labelHeight);
  setColour(cairo, kButtonInk);
  cairo_move_to(cairo, button_.x + (button_.width - labelWidth) / 2, button_.y + (button_.height - labelHeight) / 2);
  pango_cairo_show_layout(cairo, label_);
  cairo_restore(cairo);
}

}  // namespace wizlo::message_box
