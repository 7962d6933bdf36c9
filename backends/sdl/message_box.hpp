#pragma once
// What the Linux message box shows, laid out and drawn with Pango and Cairo, so that its Arabic is
// shaped and right to left. Only the wizlo-message helper and its tests link this: the program itself
// stays free of Pango and Cairo and starts as fast as it did.

#include <cairo.h>
#include <pango/pango.h>

#include <string>
#include <string_view>
#include <vector>

namespace wizlo::message_box {

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
};

// A message's paragraphs, parted by its blank lines: the Arabic first, then the English.
std::vector<std::string> paragraphsOf(std::string_view message);

// Whether a paragraph's first strong letter reads right to left.
bool readsRightToLeft(std::string_view paragraph);

// The face a paragraph is drawn in at 96 dpi: Naskh for one that reads right to left, a sans face
// otherwise.
struct Face {
  const char* family;
  double pixels;
};
Face faceFor(std::string_view paragraph);

// The box at `scale` screen pixels to a 96-dpi pixel: its size follows its text, up to a width a
// reader takes in without turning the head.
class MessageBox {
 public:
  MessageBox(std::string_view message, double scale);
  ~MessageBox();
  MessageBox(const MessageBox&) = delete;
  MessageBox& operator=(const MessageBox&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  double scale() const { return scale_; }
  // Where each paragraph lies in the box (its layout's logical extent) and the OK button.
  const std::vector<Rect>& paragraphs() const { return boxes_; }
  const Rect& button() const { return button_; }

  // Paints the whole box onto `cairo`, whose origin is the box's top left corner, in screen pixels.
  void draw(cairo_t* cairo, bool buttonPressed = false) const;

 private:
  double scale_;
  PangoContext* context_ = nullptr;
  std::vector<PangoLayout*> layouts_;
  std::vector<Rect> boxes_;
  PangoLayout* label_ = nullptr;
  Rect button_;
  int width_ = 0, height_ = 0;
};

}  // namespace wizlo::message_box
