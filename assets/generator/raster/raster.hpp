#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// A small 2D rasterizer doing what the art generator asks of Cairo, in plain C++ so that the browser's
// build draws a board with the very pixels the native one does. Coverage is sampled on 15 lines a
// pixel row, exact along each: the fill rule sees every sample point's own winding, so overlapping
// pieces (a stroke's segments and joins) are counted once and crossings come out right. Everything is
// deterministic: doubles without fused multiply-adds, then 8-bit premultiplied compositing.
namespace wizlo::raster {

enum class Format { ARGB32, RGB24, A8 };

// Rows of premultiplied 0xAARRGGBB words (RGB24: alpha ignored, kept 0xFF) or of alpha bytes, each
// row `stride` bytes, a multiple of 4.
class Image {
 public:
  Image(Format format, int width, int height);
  Format format() const { return format_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }
  std::uint8_t* data() { return data_.data(); }
  const std::uint8_t* data() const { return data_.data(); }
  std::uint32_t* row32(int y) { return reinterpret_cast<std::uint32_t*>(data_.data() + std::size_t(y) * stride_); }
  std::uint8_t* row8(int y) { return data_.data() + std::size_t(y) * stride_; }
  // The premultiplied pixel, 0 outside.
  std::uint32_t pixel(int x, int y) const;

 private:
  Format format_;
  int width_, height_, stride_;
  std::vector<std::uint8_t> data_;
};

// x' = xx x + xy y + x0, y' = yx x + yy y + y0, as Cairo's matrix.
struct Matrix {
  double xx = 1, yx = 0, xy = 0, yy = 1, x0 = 0, y0 = 0;
  static Matrix scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
  void apply(double& x, double& y) const;
  void applyDistance(double& x, double& y) const;
  Matrix inverse() const;
  double determinant() const { return xx * yy - yx * xy; }
  // This transformation first, then `after`.
  Matrix then(const Matrix& after) const;
};

struct Point {
  double x = 0, y = 0;
};

struct PathElement {
  enum Kind { Move, Line, Curve, Close } kind;
  Point p[3];  // Move, Line: p[0]; Curve: two controls and the end
};
using Path = std::vector<PathElement>;

struct Extents {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

enum class FillRule { Winding, EvenOdd };
enum class Operator { Over, Add, Clear };
enum class LineCap { Butt, Round, Square };
enum class LineJoin { Miter, Round, Bevel };
enum class Filter { Nearest, Bilinear };
enum class Content { Colour, Alpha, ColourAlpha };

struct ColourStop {
  double offset, r, g, b, a;
};

// A source: a colour, a gradient or an image. Its matrix takes user space to the pattern's own.
struct Pattern {
  enum Kind { Solid, Linear, Radial, Surface } kind = Solid;
  double r = 0, g = 0, b = 0, a = 1;               // Solid
  double x0 = 0, y0 = 0, r0 = 0, x1 = 0, y1 = 0, r1 = 0;  // the gradients' line or circles
  std::vector<ColourStop> stops;
  std::shared_ptr<Image> image;  // Surface, sampled with `filter`, transparent outside
  Filter filter = Filter::Bilinear;
  Matrix matrix;

  static std::shared_ptr<Pattern> solid(double r, double g, double b, double a);
  static std::shared_ptr<Pattern> linear(double x0, double y0, double x1, double y1);
  static std::shared_ptr<Pattern> radial(double x0, double y0, double r0, double x1, double y1, double r1);
  static std::shared_ptr<Pattern> surface(std::shared_ptr<Image> image);
  // Keeps stops in offset order, a later one of the same offset after an earlier one.
  void addStop(double offset, double r, double g, double b, double a);
};

class Context {
 public:
  explicit Context(std::shared_ptr<Image> target);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Image& target() { return *targets_.back(); }

  // The path, kept in device space as it is built, so later changes of the matrix leave it alone.
  void newPath();
  void newSubPath();
  void moveTo(double x, double y);
  void lineTo(double x, double y);
  void curveTo(double x1, double y1, double x2, double y2, double x3, double y3);
  void arc(double xc, double yc, double radius, double angle1, double angle2);
  void arcNegative(double xc, double yc, double radius, double angle1, double angle2);
  void rectangle(double x, double y, double width, double height);
  void closePath();
  bool hasCurrentPoint() const { return hasCurrent_; }
  // In user space; (0, 0) without one.
  Point currentPoint() const;
  Path copyPath() const;  // in user space
  void appendPath(const Path& userPath);
  Extents pathExtents() const;  // user space, of the flattened path
  Extents fillExtents() const;

  void translate(double tx, double ty);
  void scale(double sx, double sy);
  void rotate(double radians);
  const Matrix& matrix() const { return state_.ctm; }
  void setMatrix(const Matrix& m) { state_.ctm = m; }
  void userToDevice(double& x, double& y) const { state_.ctm.apply(x, y); }
  void deviceToUser(double& x, double& y) const { state_.ctm.inverse().apply(x, y); }
  void save();
  void restore();

  void setSourceRgba(double r, double g, double b, double a);
  // The pattern is locked to the user space of this moment, as Cairo's is.
  void setSource(std::shared_ptr<Pattern> pattern);
  std::shared_ptr<Pattern> source() const { return state_.source; }
  void setOperator(Operator op) { state_.op = op; }
  void setFillRule(FillRule rule) { state_.fillRule = rule; }
  void setLineWidth(double width) { state_.lineWidth = width; }
  void setLineCap(LineCap cap) { state_.cap = cap; }
  void setLineJoin(LineJoin join) { state_.join = join; }
  void setMiterLimit(double limit) { state_.miterLimit = limit; }
  void setTolerance(double tolerance) { state_.tolerance = tolerance; }
  double lineWidth() const { return state_.lineWidth; }

  void fill();
  void fillPreserve();
  void stroke();
  void strokePreserve();
  void clip();  // intersects the clip with the path, and clears the path
  void paint();
  void mask(std::shared_ptr<Pattern> mask);

  void pushGroup(Content content);
  std::shared_ptr<Pattern> popGroup();

  struct Edge {
    double x0, y0, x1, y1;  // y0 < y1
    int dir;
  };

 private:
  struct Clip;
  struct State {
    Matrix ctm;
    std::shared_ptr<Pattern> source;
    Matrix sourceMatrix;  // device space to the source's
    Operator op = Operator::Over;
    FillRule fillRule = FillRule::Winding;
    double lineWidth = 2, miterLimit = 10, tolerance = 0.1;
    LineCap cap = LineCap::Butt;
    LineJoin join = LineJoin::Miter;
    std::shared_ptr<const Clip> clip;
  };
  struct Polyline {
    std::vector<Point> points;
    bool closed = false;
  };

  std::vector<Polyline> flatten() const;  // device space
  void fillEdges(const std::vector<Edge>& edges, FillRule rule);
  void strokeEdges(std::vector<Edge>& edges) const;
  void composite(int y, int x0, int x1, const std::uint8_t* coverage);

  std::vector<std::shared_ptr<Image>> targets_;
  State state_;
  std::vector<State> saved_;
  std::vector<std::size_t> groupDepths_;
  Path path_;  // device space
  bool hasCurrent_ = false;
  Point current_, subpathStart_;
};

}  // namespace wizlo::raster
