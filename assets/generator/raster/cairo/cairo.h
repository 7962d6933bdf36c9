#ifndef WIZLO_RASTER_CAIRO_H
#define WIZLO_RASTER_CAIRO_H
/* The part of Cairo's C API the art generator and the board maker use, with Cairo's names, types and
   values, drawn by wizlo_raster: on the include path in place of Cairo's where Cairo is not. */

#ifdef __cplusplus
extern "C" {
#endif

typedef int cairo_bool_t;
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_pattern cairo_pattern_t;
typedef struct _cairo_font_options cairo_font_options_t;

typedef struct _cairo_matrix {
  double xx, yx, xy, yy, x0, y0;
} cairo_matrix_t;

typedef enum _cairo_status { CAIRO_STATUS_SUCCESS = 0, CAIRO_STATUS_NO_MEMORY = 1 } cairo_status_t;

typedef enum _cairo_format {
  CAIRO_FORMAT_INVALID = -1,
  CAIRO_FORMAT_ARGB32 = 0,
  CAIRO_FORMAT_RGB24 = 1,
  CAIRO_FORMAT_A8 = 2
} cairo_format_t;

typedef enum _cairo_content {
  CAIRO_CONTENT_COLOR = 0x1000,
  CAIRO_CONTENT_ALPHA = 0x2000,
  CAIRO_CONTENT_COLOR_ALPHA = 0x3000
} cairo_content_t;

typedef enum _cairo_operator { CAIRO_OPERATOR_CLEAR = 0, CAIRO_OPERATOR_OVER = 2, CAIRO_OPERATOR_ADD = 12 } cairo_operator_t;
typedef enum _cairo_fill_rule { CAIRO_FILL_RULE_WINDING = 0, CAIRO_FILL_RULE_EVEN_ODD = 1 } cairo_fill_rule_t;
typedef enum _cairo_line_cap { CAIRO_LINE_CAP_BUTT = 0, CAIRO_LINE_CAP_ROUND = 1, CAIRO_LINE_CAP_SQUARE = 2 } cairo_line_cap_t;
typedef enum _cairo_line_join {
  CAIRO_LINE_JOIN_MITER = 0,
  CAIRO_LINE_JOIN_ROUND = 1,
  CAIRO_LINE_JOIN_BEVEL = 2
} cairo_line_join_t;
typedef enum _cairo_filter {
  CAIRO_FILTER_FAST = 0,
  CAIRO_FILTER_GOOD = 1,
  CAIRO_FILTER_BEST = 2,
  CAIRO_FILTER_NEAREST = 3,
  CAIRO_FILTER_BILINEAR = 4
} cairo_filter_t;

typedef enum _cairo_path_data_type {
  CAIRO_PATH_MOVE_TO = 0,
  CAIRO_PATH_LINE_TO = 1,
  CAIRO_PATH_CURVE_TO = 2,
  CAIRO_PATH_CLOSE_PATH = 3
} cairo_path_data_type_t;

typedef union _cairo_path_data_t {
  struct {
    cairo_path_data_type_t type;
    int length;
  } header;
  struct {
    double x, y;
  } point;
} cairo_path_data_t;

typedef struct cairo_path {
  cairo_status_t status;
  cairo_path_data_t* data;
  int num_data;
} cairo_path_t;

/* Surfaces */
cairo_surface_t* cairo_image_surface_create(cairo_format_t format, int width, int height);
unsigned char* cairo_image_surface_get_data(cairo_surface_t* surface);
int cairo_image_surface_get_stride(cairo_surface_t* surface);
int cairo_image_surface_get_width(cairo_surface_t* surface);
int cairo_image_surface_get_height(cairo_surface_t* surface);
cairo_format_t cairo_image_surface_get_format(cairo_surface_t* surface);
int cairo_format_stride_for_width(cairo_format_t format, int width);
cairo_status_t cairo_surface_status(cairo_surface_t* surface);
void cairo_surface_flush(cairo_surface_t* surface);
void cairo_surface_mark_dirty(cairo_surface_t* surface);
cairo_surface_t* cairo_surface_reference(cairo_surface_t* surface);
void cairo_surface_destroy(cairo_surface_t* surface);

/* Contexts */
cairo_t* cairo_create(cairo_surface_t* target);
void cairo_destroy(cairo_t* cr);
cairo_status_t cairo_status(cairo_t* cr);
void cairo_save(cairo_t* cr);
void cairo_restore(cairo_t* cr);
void cairo_push_group_with_content(cairo_t* cr, cairo_content_t content);
cairo_pattern_t* cairo_pop_group(cairo_t* cr);

void cairo_translate(cairo_t* cr, double tx, double ty);
void cairo_scale(cairo_t* cr, double sx, double sy);
void cairo_rotate(cairo_t* cr, double angle);
void cairo_get_matrix(cairo_t* cr, cairo_matrix_t* matrix);
void cairo_set_matrix(cairo_t* cr, const cairo_matrix_t* matrix);
void cairo_identity_matrix(cairo_t* cr);
void cairo_user_to_device(cairo_t* cr, double* x, double* y);
void cairo_device_to_user(cairo_t* cr, double* x, double* y);

void cairo_set_source_rgba(cairo_t* cr, double red, double green, double blue, double alpha);
void cairo_set_source_rgb(cairo_t* cr, double red, double green, double blue);
void cairo_set_source(cairo_t* cr, cairo_pattern_t* source);
void cairo_set_operator(cairo_t* cr, cairo_operator_t op);
void cairo_set_fill_rule(cairo_t* cr, cairo_fill_rule_t fill_rule);
void cairo_set_line_width(cairo_t* cr, double width);
void cairo_set_line_cap(cairo_t* cr, cairo_line_cap_t line_cap);
void cairo_set_line_join(cairo_t* cr, cairo_line_join_t line_join);
void cairo_set_miter_limit(cairo_t* cr, double limit);
void cairo_set_tolerance(cairo_t* cr, double tolerance);

/* Paths */
void cairo_new_path(cairo_t* cr);
void cairo_new_sub_path(cairo_t* cr);
void cairo_move_to(cairo_t* cr, double x, double y);
void cairo_line_to(cairo_t* cr, double x, double y);
void cairo_curve_to(cairo_t* cr, double x1, double y1, double x2, double y2, double x3, double y3);
void cairo_arc(cairo_t* cr, double xc, double yc, double radius, double angle1, double angle2);
void cairo_arc_negative(cairo_t* cr, double xc, double yc, double radius, double angle1, double angle2);
void cairo_rectangle(cairo_t* cr, double x, double y, double width, double height);
void cairo_close_path(cairo_t* cr);
cairo_bool_t cairo_has_current_point(cairo_t* cr);
void cairo_get_current_point(cairo_t* cr, double* x, double* y);
cairo_path_t* cairo_copy_path(cairo_t* cr);
void cairo_append_path(cairo_t* cr, const cairo_path_t* path);
void cairo_path_destroy(cairo_path_t* path);
void cairo_path_extents(cairo_t* cr, double* x1, double* y1, double* x2, double* y2);
void cairo_fill_extents(cairo_t* cr, double* x1, double* y1, double* x2, double* y2);

/* Drawing */
void cairo_paint(cairo_t* cr);
void cairo_mask(cairo_t* cr, cairo_pattern_t* pattern);
void cairo_fill(cairo_t* cr);
void cairo_fill_preserve(cairo_t* cr);
void cairo_stroke(cairo_t* cr);
void cairo_stroke_preserve(cairo_t* cr);
void cairo_clip(cairo_t* cr);

/* Patterns */
cairo_pattern_t* cairo_pattern_create_rgba(double red, double green, double blue, double alpha);
cairo_pattern_t* cairo_pattern_create_linear(double x0, double y0, double x1, double y1);
cairo_pattern_t* cairo_pattern_create_radial(double cx0, double cy0, double radius0, double cx1, double cy1,
                                             double radius1);
cairo_pattern_t* cairo_pattern_create_for_surface(cairo_surface_t* surface);
void cairo_pattern_add_color_stop_rgba(cairo_pattern_t* pattern, double offset, double red, double green,
                                       double blue, double alpha);
void cairo_pattern_add_color_stop_rgb(cairo_pattern_t* pattern, double offset, double red, double green,
                                      double blue);
void cairo_pattern_set_matrix(cairo_pattern_t* pattern, const cairo_matrix_t* matrix);
void cairo_pattern_set_filter(cairo_pattern_t* pattern, cairo_filter_t filter);
cairo_pattern_t* cairo_pattern_reference(cairo_pattern_t* pattern);
void cairo_pattern_destroy(cairo_pattern_t* pattern);

void cairo_matrix_init(cairo_matrix_t* matrix, double xx, double yx, double xy, double yy, double x0, double y0);
void cairo_matrix_init_identity(cairo_matrix_t* matrix);
void cairo_matrix_init_scale(cairo_matrix_t* matrix, double sx, double sy);
void cairo_matrix_init_translate(cairo_matrix_t* matrix, double tx, double ty);

void cairo_font_options_destroy(cairo_font_options_t* options);

#ifdef __cplusplus
}
#endif

#endif
