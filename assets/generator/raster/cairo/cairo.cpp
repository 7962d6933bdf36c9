// Cairo's C functions over wizlo::raster, for the builds that have no Cairo.
#include "cairo.h"

#include <memory>
#include <new>

#include "assets/generator/raster/raster.hpp"

namespace r = wizlo::raster;

struct _cairo {
  explicit _cairo(std::shared_ptr<r::Image> target) : context(std::move(target)) {}
  r::Context context;
};
struct _cairo_surface {
  std::shared_ptr<r::Image> image;
  int references = 1;
};
struct _cairo_pattern {
  std::shared_ptr<r::Pattern> pattern;
  int references = 1;
};
struct _cairo_font_options {};

namespace {

r::Format formatOf(cairo_format_t f) {
  return f == CAIRO_FORMAT_A8 ? r::Format::A8 : f == CAIRO_FORMAT_RGB24 ? r::Format::RGB24 : r::Format::ARGB32;
}

r::Matrix matrixOf(const cairo_matrix_t& m) { return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0}; }

cairo_pattern_t* wrap(std::shared_ptr<r::Pattern> p) { return new _cairo_pattern{std::move(p)}; }

}  // namespace

extern "C" {

cairo_surface_t* cairo_image_surface_create(cairo_format_t format, int width, int height) {
  return new _cairo_surface{std::make_shared<r::Image>(formatOf(format), width, height)};
}
unsigned char* cairo_image_surface_get_data(cairo_surface_t* s) { return s->image->data(); }
int cairo_image_surface_get_stride(cairo_surface_t* s) { return s->image->stride(); }
int cairo_image_surface_get_width(cairo_surface_t* s) { return s->image->width(); }
int cairo_image_surface_get_height(cairo_surface_t* s) { return s->image->height(); }
cairo_format_t cairo_image_surface_get_format(cairo_surface_t* s) {
  switch (s->image->format()) {
    case r::Format::A8: return CAIRO_FORMAT_A8;
    case r::Format::RGB24: return CAIRO_FORMAT_RGB24;
    case r::Format::ARGB32: break;
  }
  return CAIRO_FORMAT_ARGB32;
}
int cairo_format_stride_for_width(cairo_format_t format, int width) {
  return ((format == CAIRO_FORMAT_A8 ? width : width * 4) + 3) & ~3;
}
cairo_status_t cairo_surface_status(cairo_surface_t* s) { return s ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_NO_MEMORY; }
// Drawing goes straight to the bytes, so there is nothing to flush or to read back.
void cairo_surface_flush(cairo_surface_t*) {}
void cairo_surface_mark_dirty(cairo_surface_t*) {}
cairo_surface_t* cairo_surface_reference(cairo_surface_t* s) {
  if (s) ++s->references;
  return s;
}
void cairo_surface_destroy(cairo_surface_t* s) {
  if (s && --s->references == 0) delete s;
}

cairo_t* cairo_create(cairo_surface_t* target) { return new _cairo(target->image); }
void cairo_destroy(cairo_t* cr) { delete cr; }
cairo_status_t cairo_status(cairo_t*) { return CAIRO_STATUS_SUCCESS; }
void cairo_save(cairo_t* cr) { cr->context.save(); }
void cairo_restore(cairo_t* cr) { cr->context.restore(); }
void cairo_push_group_with_content(cairo_t* cr, cairo_content_t content) {
  cr->context.pushGroup(content == CAIRO_CONTENT_ALPHA   ? r::Content::Alpha
                        : content == CAIRO_CONTENT_COLOR ? r::Content::Colour
                                                         : r::Content::ColourAlpha);
}
cairo_pattern_t* cairo_pop_group(cairo_t* cr) { return wrap(cr->context.popGroup()); }

void cairo_translate(cairo_t* cr, double tx, double ty) { cr->context.translate(tx, ty); }
void cairo_scale(cairo_t* cr, double sx, double sy) { cr->context.scale(sx, sy); }
void cairo_rotate(cairo_t* cr, double angle) { cr->context.rotate(angle); }
void cairo_get_matrix(cairo_t* cr, cairo_matrix_t* m) {
  const r::Matrix& c = cr->context.matrix();
  *m = {c.xx, c.yx, c.xy, c.yy, c.x0, c.y0};
}
void cairo_set_matrix(cairo_t* cr, const cairo_matrix_t* m) { cr->context.setMatrix(matrixOf(*m)); }
void cairo_identity_matrix(cairo_t* cr) { cr->context.setMatrix({}); }
void cairo_user_to_device(cairo_t* cr, double* x, double* y) { cr->context.userToDevice(*x, *y); }
void cairo_device_to_user(cairo_t* cr, double* x, double* y) { cr->context.deviceToUser(*x, *y); }

void cairo_set_source_rgba(cairo_t* cr, double red, double green, double blue, double alpha) {
  cr->context.setSourceRgba(red, green, blue, alpha);
}
void cairo_set_source_rgb(cairo_t* cr, double red, double green, double blue) {
  cr->context.setSourceRgba(red, green, blue, 1);
}
void cairo_set_source(cairo_t* cr, cairo_pattern_t* source) { cr->context.setSource(source->pattern); }
void cairo_set_operator(cairo_t* cr, cairo_operator_t op) {
  cr->context.setOperator(op == CAIRO_OPERATOR_CLEAR ? r::Operator::Clear
                          : op == CAIRO_OPERATOR_ADD ? r::Operator::Add
                                                     : r::Operator::Over);
}
void cairo_set_fill_rule(cairo_t* cr, cairo_fill_rule_t rule) {
  cr->context.setFillRule(rule == CAIRO_FILL_RULE_EVEN_ODD ? r::FillRule::EvenOdd : r::FillRule::Winding);
}
void cairo_set_line_width(cairo_t* cr, double width) { cr->context.setLineWidth(width); }
void cairo_set_line_cap(cairo_t* cr, cairo_line_cap_t cap) {
  cr->context.setLineCap(cap == CAIRO_LINE_CAP_ROUND    ? r::LineCap::Round
                         : cap == CAIRO_LINE_CAP_SQUARE ? r::LineCap::Square
                                                        : r::LineCap::Butt);
}
void cairo_set_line_join(cairo_t* cr, cairo_line_join_t join) {
  cr->context.setLineJoin(join == CAIRO_LINE_JOIN_ROUND   ? r::LineJoin::Round
                          : join == CAIRO_LINE_JOIN_BEVEL ? r::LineJoin::Bevel
                                                          : r::LineJoin::Miter);
}
void cairo_set_miter_limit(cairo_t* cr, double limit) { cr->context.setMiterLimit(limit); }
void cairo_set_tolerance(cairo_t* cr, double tolerance) { cr->context.setTolerance(tolerance); }

void cairo_new_path(cairo_t* cr) { cr->context.newPath(); }
void cairo_new_sub_path(cairo_t* cr) { cr->context.newSubPath(); }
void cairo_move_to(cairo_t* cr, double x, double y) { cr->context.moveTo(x, y); }
void cairo_line_to(cairo_t* cr, double x, double y) { cr->context.lineTo(x, y); }
void cairo_curve_to(cairo_t* cr, double x1, double y1, double x2, double y2, double x3, double y3) {
  cr->context.curveTo(x1, y1, x2, y2, x3, y3);
}
void cairo_arc(cairo_t* cr, double xc, double yc, double radius, double angle1, double angle2) {
  cr->context.arc(xc, yc, radius, angle1, angle2);
}
void cairo_arc_negative(cairo_t* cr, double xc, double yc, double radius, double angle1, double angle2) {
  cr->context.arcNegative(xc, yc, radius, angle1, angle2);
}
void cairo_rectangle(cairo_t* cr, double x, double y, double width, double height) {
  cr->context.rectangle(x, y, width, height);
}
void cairo_close_path(cairo_t* cr) { cr->context.closePath(); }
cairo_bool_t cairo_has_current_point(cairo_t* cr) { return cr->context.hasCurrentPoint(); }
void cairo_get_current_point(cairo_t* cr, double* x, double* y) {
  const r::Point p = cr->context.currentPoint();
  *x = p.x, *y = p.y;
}

cairo_path_t* cairo_copy_path(cairo_t* cr) {
  const r::Path path = cr->context.copyPath();
  int count = 0;
  for (const r::PathElement& e : path) count += e.kind == r::PathElement::Curve ? 4 : e.kind == r::PathElement::Close ? 1 : 2;
  auto* out = new cairo_path_t{CAIRO_STATUS_SUCCESS, new cairo_path_data_t[count > 0 ? count : 1], count};
  cairo_path_data_t* d = out->data;
  for (const r::PathElement& e : path) {
    const int points = e.kind == r::PathElement::Curve ? 3 : e.kind == r::PathElement::Close ? 0 : 1;
    d->header.type = e.kind == r::PathElement::Move    ? CAIRO_PATH_MOVE_TO
                     : e.kind == r::PathElement::Line  ? CAIRO_PATH_LINE_TO
                     : e.kind == r::PathElement::Curve ? CAIRO_PATH_CURVE_TO
                                                       : CAIRO_PATH_CLOSE_PATH;
    d->header.length = points + 1;
    for (int i = 0; i < points; ++i) d[1 + i].point = {e.p[i].x, e.p[i].y};
    d += points + 1;
  }
  return out;
}

void cairo_append_path(cairo_t* cr, const cairo_path_t* path) {
  r::Path elements;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t* d = &path->data[i];
    r::PathElement e{r::PathElement::Close, {}};
    switch (d->header.type) {
      case CAIRO_PATH_MOVE_TO: e.kind = r::PathElement::Move; break;
      case CAIRO_PATH_LINE_TO: e.kind = r::PathElement::Line; break;
      case CAIRO_PATH_CURVE_TO: e.kind = r::PathElement::Curve; break;
      case CAIRO_PATH_CLOSE_PATH: break;
    }
    for (int k = 1; k < d->header.length && k <= 3; ++k) e.p[k - 1] = {d[k].point.x, d[k].point.y};
    elements.push_back(e);
    if (d->header.length <= 0) break;
  }
  cr->context.appendPath(elements);
}

void cairo_path_destroy(cairo_path_t* path) {
  if (!path) return;
  delete[] path->data;
  delete path;
}

void cairo_path_extents(cairo_t* cr, double* x1, double* y1, double* x2, double* y2) {
  const r::Extents e = cr->context.pathExtents();
  *x1 = e.x0, *y1 = e.y0, *x2 = e.x1, *y2 = e.y1;
}
void cairo_fill_extents(cairo_t* cr, double* x1, double* y1, double* x2, double* y2) {
  const r::Extents e = cr->context.fillExtents();
  *x1 = e.x0, *y1 = e.y0, *x2 = e.x1, *y2 = e.y1;
}

void cairo_paint(cairo_t* cr) { cr->context.paint(); }
void cairo_mask(cairo_t* cr, cairo_pattern_t* pattern) { cr->context.mask(pattern->pattern); }
void cairo_fill(cairo_t* cr) { cr->context.fill(); }
void cairo_fill_preserve(cairo_t* cr) { cr->context.fillPreserve(); }
void cairo_stroke(cairo_t* cr) { cr->context.stroke(); }
void cairo_stroke_preserve(cairo_t* cr) { cr->context.strokePreserve(); }
void cairo_clip(cairo_t* cr) { cr->context.clip(); }

cairo_pattern_t* cairo_pattern_create_rgba(double red, double green, double blue, double alpha) {
  return wrap(r::Pattern::solid(red, green, blue, alpha));
}
cairo_pattern_t* cairo_pattern_create_linear(double x0, double y0, double x1, double y1) {
  return wrap(r::Pattern::linear(x0, y0, x1, y1));
}
cairo_pattern_t* cairo_pattern_create_radial(double cx0, double cy0, double radius0, double cx1, double cy1,
                                             double radius1) {
  return wrap(r::Pattern::radial(cx0, cy0, radius0, cx1, cy1, radius1));
}
cairo_pattern_t* cairo_pattern_create_for_surface(cairo_surface_t* surface) {
  return wrap(r::Pattern::surface(surface->image));
}
void cairo_pattern_add_color_stop_rgba(cairo_pattern_t* p, double offset, double red, double green, double blue,
                                       double alpha) {
  p->pattern->addStop(offset, red, green, blue, alpha);
}
void cairo_pattern_add_color_stop_rgb(cairo_pattern_t* p, double offset, double red, double green, double blue) {
  p->pattern->addStop(offset, red, green, blue, 1);
}
void cairo_pattern_set_matrix(cairo_pattern_t* p, const cairo_matrix_t* m) { p->pattern->matrix = matrixOf(*m); }
void cairo_pattern_set_filter(cairo_pattern_t* p, cairo_filter_t filter) {
  p->pattern->filter =
      filter == CAIRO_FILTER_FAST || filter == CAIRO_FILTER_NEAREST ? r::Filter::Nearest : r::Filter::Bilinear;
}
cairo_pattern_t* cairo_pattern_reference(cairo_pattern_t* p) {
  if (p) ++p->references;
  return p;
}
void cairo_pattern_destroy(cairo_pattern_t* p) {
  if (p && --p->references == 0) delete p;
}

void cairo_matrix_init(cairo_matrix_t* m, double xx, double yx, double xy, double yy, double x0, double y0) {
  *m = {xx, yx, xy, yy, x0, y0};
}
void cairo_matrix_init_identity(cairo_matrix_t* m) { *m = {1, 0, 0, 1, 0, 0}; }
void cairo_matrix_init_scale(cairo_matrix_t* m, double sx, double sy) { *m = {sx, 0, 0, sy, 0, 0}; }
void cairo_matrix_init_translate(cairo_matrix_t* m, double tx, double ty) { *m = {1, 0, 0, 1, tx, ty}; }

void cairo_font_options_destroy(cairo_font_options_t* options) { delete options; }

}  // extern "C"
