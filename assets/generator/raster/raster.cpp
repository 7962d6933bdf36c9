#include "assets/generator/raster/raster.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace wizlo::raster {

namespace {

constexpr double kPi = 3.14159265358979323846;
// Sub-scanlines a pixel row is sampled on, each at the centre of its band: coverage is exact along
// x and sampled along y, and each sample point sees its own winding number. Fifteen lands nearest
// Cairo's pixels where edges cross (16 and 17 put one in a hundred of an overlap's pixels 3+ off).
constexpr int kSubScanlines = 15;

inline std::uint8_t mul(unsigned a, unsigned b) {  // a * b / 255, rounded
  const unsigned t = a * b + 128;
  return static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
}

// A channel from 0 to 1 as Cairo makes it into 8 bits: through 16.
inline unsigned toByte(double v) {
  v = std::clamp(v, 0.0, 1.0);
  return static_cast<unsigned>(v * 65535.0 + 0.5) >> 8;
}

inline std::uint32_t premultiplied(double r, double g, double b, double a) {
  return toByte(a) << 24 | toByte(r * a) << 16 | toByte(g * a) << 8 | toByte(b * a);
}

int strideFor(Format f, int width) {
  const int bytes = f == Format::A8 ? width : width * 4;
  return (bytes + 3) & ~3;
}

// The largest factor the matrix stretches a length by.
double largestScale(const Matrix& m) {
  const double s = (m.xx * m.xx + m.yx * m.yx + m.xy * m.xy + m.yy * m.yy) / 2;
  const double det = m.determinant();
  return std::sqrt(s + std::sqrt(std::max(0.0, s * s - det * det)));
}

using Edge = Context::Edge;

void addEdge(std::vector<Edge>& edges, Point a, Point b, int dir) {
  if (a.y == b.y) return;
  if (a.y < b.y) edges.push_back({a.x, a.y, b.x, b.y, dir});
  else edges.push_back({b.x, b.y, a.x, a.y, -dir});
}

// A closed polygon in device space, wound positively whichever way it was given, so the pieces of a
// stroke add up rather than cancel.
void addPolygon(std::vector<Edge>& edges, const std::vector<Point>& p) {
  if (p.size() < 3) return;
  double area = 0;
  for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) area += p[j].x * p[i].y - p[i].x * p[j].y;
  if (area == 0) return;
  const int dir = area > 0 ? 1 : -1;
  for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) addEdge(edges, p[j], p[i], dir);
}

// An edge while it crosses the sub-scanlines: its x on the current one, from its start (never by
// steps, so that no error builds up down a long edge).
struct ActiveEdge {
  double x, x0, y0, slope, y1;
  int dir;
};

// One pixel row's coverage, in sample lengths: `partial` holds the fractional ends of spans, `steps`
// the starts and ends of their whole pixels, summed along the row only over the touched range.
class RowCoverage {
 public:
  explicit RowCoverage(int width) : width_(width), partial_(std::size_t(width) + 2, 0.0), steps_(std::size_t(width) + 2, 0.0) {}

  void addSpan(double xa, double xb) {
    xa = std::max(xa, 0.0), xb = std::min(xb, double(width_));
    if (!(xa < xb)) return;
    const int ia = static_cast<int>(xa), ib = static_cast<int>(xb);
    lo_ = std::min(lo_, ia), hi_ = std::max(hi_, ib + 1);
    if (ia == ib) {
      partial_[ia] += xb - xa;
      return;
    }
    partial_[ia] += ia + 1 - xa;
    steps_[ia + 1] += 1;
    steps_[ib] -= 1;
    partial_[ib] += xb - ib;
  }

  bool empty() const { return lo_ >= hi_; }
  int lo() const { return lo_; }
  int hi() const { return std::min(hi_, width_); }

  // Turns [lo, hi) into bytes and clears what was touched.
  void resolve(std::uint8_t* out, double samples) {
    const int end = hi();
    const double scale = 255 / samples;
    double run = 0;
    for (int i = lo_; i < end; ++i) {
      run += steps_[i];
      const double v = (partial_[i] + run) * scale;
      out[i - lo_] = static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0) + 0.5);
    }
    std::fill(partial_.begin() + lo_, partial_.begin() + hi_ + 1, 0.0);
    std::fill(steps_.begin() + lo_, steps_.begin() + hi_ + 1, 0.0);
    lo_ = std::numeric_limits<int>::max(), hi_ = std::numeric_limits<int>::min();
  }

 private:
  int width_;
  std::vector<double> partial_, steps_;
  int lo_ = std::numeric_limits<int>::max(), hi_ = std::numeric_limits<int>::min();
};

// Calls row(y, x0, x1, coverage) for each pixel row the shape touches, x0..x1 spanning every pixel of
// the row with coverage.
template <typename Row>
void rasterize(std::vector<Edge>& edges, FillRule rule, int width, int height, Row&& row) {
  if (edges.empty() || width <= 0 || height <= 0) return;
  double minY = std::numeric_limits<double>::infinity(), maxY = -minY;
  for (const Edge& e : edges) minY = std::min(minY, e.y0), maxY = std::max(maxY, e.y1);
  if (!(minY < maxY)) return;
  const int by0 = static_cast<int>(std::clamp(std::floor(minY), 0.0, double(height)));
  const int by1 = static_cast<int>(std::clamp(std::ceil(maxY), 0.0, double(height)));
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  RowCoverage coverage(width);
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width));
  std::vector<ActiveEdge> active;
  std::size_t next = 0;
  const bool evenOdd = rule == FillRule::EvenOdd;
  for (int y = by0; y < by1; ++y) {
    for (int k = 0; k < kSubScanlines; ++k) {
      const double ys = y + (k + 0.5) / kSubScanlines;
      // An edge crosses the sample lines in [y0, y1): a vertex shared by two edges is met once.
      while (next < edges.size() && edges[next].y0 <= ys) {
        const Edge& e = edges[next++];
        if (e.y1 > ys) active.push_back({0, e.x0, e.y0, (e.x1 - e.x0) / (e.y1 - e.y0), e.y1, e.dir});
      }
      std::size_t kept = 0;
      for (std::size_t i = 0; i < active.size(); ++i) {
        ActiveEdge a = active[i];
        if (a.y1 <= ys) continue;
        a.x = a.x0 + (ys - a.y0) * a.slope;
        // Kept in order of x by insertion: from one sample line to the next it hardly changes.
        std::size_t j = kept++;
        for (; j > 0 && active[j - 1].x > a.x; --j) active[j] = active[j - 1];
        active[j] = a;
      }
      active.resize(kept);
      int winding = 0;
      for (std::size_t i = 0; i + 1 < active.size(); ++i) {
        winding += active[i].dir;
        if (evenOdd ? (winding & 1) != 0 : winding != 0) coverage.addSpan(active[i].x, active[i + 1].x);
      }
    }
    if (coverage.empty()) {
      if (active.empty() && next == edges.size()) break;
      continue;
    }
    const int x0 = coverage.lo(), x1 = coverage.hi();
    coverage.resolve(out.data(), kSubScanlines);
    row(y, x0, x1, out.data());
  }
}

struct Rgba {
  double r, g, b, a;
};

Rgba stopColourAt(const std::vector<ColourStop>& stops, double t) {
  if (stops.empty()) return {0, 0, 0, 0};
  if (t <= stops.front().offset) return {stops.front().r, stops.front().g, stops.front().b, stops.front().a};
  for (std::size_t i = 1; i < stops.size(); ++i) {
    const ColourStop &a = stops[i - 1], &b = stops[i];
    if (t < b.offset) {
      const double f = b.offset > a.offset ? (t - a.offset) / (b.offset - a.offset) : 1;
      return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f, a.a + (b.a - a.a) * f};
    }
  }
  return {stops.back().r, stops.back().g, stops.back().b, stops.back().a};
}

std::uint32_t sampleImage(const Image& img, Filter filter, double u, double v) {
  if (filter == Filter::Nearest) return img.pixel(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)));
  u -= 0.5, v -= 0.5;
  const double fx = std::floor(u), fy = std::floor(v);
  const int x = static_cast<int>(fx), y = static_cast<int>(fy);
  if (x < -1 || y < -1 || x >= img.width() || y >= img.height()) return 0;
  const double wx = u - fx, wy = v - fy;
  const std::uint32_t p[4] = {img.pixel(x, y), img.pixel(x + 1, y), img.pixel(x, y + 1), img.pixel(x + 1, y + 1)};
  const double w[4] = {(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy};
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    double c = 0;
    for (int i = 0; i < 4; ++i) c += w[i] * ((p[i] >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(std::min(255.0, c + 0.5)) << shift;
  }
  return out;
}

// A surface's alpha alone, as a mask reads it: the same weights as sampleImage's alpha channel.
unsigned sampleAlpha(const Image& img, Filter filter, double u, double v) {
  if (filter == Filter::Nearest) return img.pixel(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v))) >> 24;
  u -= 0.5, v -= 0.5;
  const double fx = std::floor(u), fy = std::floor(v);
  const int x = static_cast<int>(fx), y = static_cast<int>(fy);
  if (x < -1 || y < -1 || x >= img.width() || y >= img.height()) return 0;
  const double wx = u - fx, wy = v - fy;
  unsigned p0, p1, p2, p3;
  if (img.format() == Format::A8 && x >= 0 && y >= 0 && x + 1 < img.width() && y + 1 < img.height()) {
    // Inside, as nearly every sample of a mask is: its bytes read directly.
    const std::uint8_t* r0 = img.data() + std::size_t(y) * img.stride() + x;
    const std::uint8_t* r1 = r0 + img.stride();
    p0 = r0[0], p1 = r0[1], p2 = r1[0], p3 = r1[1];
  } else {
    p0 = img.pixel(x, y) >> 24, p1 = img.pixel(x + 1, y) >> 24, p2 = img.pixel(x, y + 1) >> 24;
    p3 = img.pixel(x + 1, y + 1) >> 24;
  }
  if ((p0 | p1 | p2 | p3) == 0) return 0;
  double c = 0;
  c += (1 - wx) * (1 - wy) * p0;
  c += wx * (1 - wy) * p1;
  c += (1 - wx) * wy * p2;
  c += wx * wy * p3;
  return static_cast<unsigned>(std::min(255.0, c + 0.5));
}

// The source's premultiplied colour at a device pixel's centre, `m` taking device space to the
// pattern's.
std::uint32_t sourceAt(const Pattern& p, const Matrix& m, int x, int y) {
  double u = x + 0.5, v = y + 0.5;
  m.apply(u, v);
  switch (p.kind) {
    case Pattern::Solid: return premultiplied(p.r, p.g, p.b, p.a);
    case Pattern::Surface: return p.image ? sampleImage(*p.image, p.filter, u, v) : 0;
    case Pattern::Linear: {
      const double dx = p.x1 - p.x0, dy = p.y1 - p.y0, l2 = dx * dx + dy * dy;
      const double t = l2 > 0 ? ((u - p.x0) * dx + (v - p.y0) * dy) / l2 : 0;
      const Rgba c = stopColourAt(p.stops, t);
      return premultiplied(c.r, c.g, c.b, c.a);
    }
    case Pattern::Radial: {
      // The largest t whose circle, centre and radius both moving from the first to the second,
      // passes through the point with a radius not below zero.
      const double cdx = p.x1 - p.x0, cdy = p.y1 - p.y0, dr = p.r1 - p.r0;
      const double px = u - p.x0, py = v - p.y0;
      const double a = cdx * cdx + cdy * cdy - dr * dr, b = px * cdx + py * cdy + p.r0 * dr;
      const double c = px * px + py * py - p.r0 * p.r0;
      double t;
      if (std::fabs(a) < 1e-12) {
        if (b == 0) return 0;
        t = c / (2 * b);
      } else {
        const double disc = b * b - a * c;
        if (disc < 0) return 0;
        const double s = std::sqrt(disc);
        t = (b + s) / a;
        if (p.r0 + t * dr < 0) t = (b - s) / a;
      }
      if (p.r0 + t * dr < 0) return 0;
      const Rgba col = stopColourAt(p.stops, t);
      return premultiplied(col.r, col.g, col.b, col.a);
    }
  }
  return 0;
}

}  // namespace

Image::Image(Format format, int width, int height)
    : format_(format), width_(std::max(0, width)), height_(std::max(0, height)),
      stride_(strideFor(format, width_)), data_(std::size_t(stride_) * height_, 0) {
  if (format == Format::RGB24)
    for (int y = 0; y < height_; ++y) std::fill(row32(y), row32(y) + width_, 0xFF000000u);
}

std::uint32_t Image::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* r = data_.data() + std::size_t(y) * stride_;
  if (format_ == Format::A8) return std::uint32_t(r[x]) << 24;
  const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(r)[x];
  return format_ == Format::RGB24 ? (p | 0xFF000000u) : p;
}

void Matrix::apply(double& x, double& y) const {
  const double nx = xx * x + xy * y + x0, ny = yx * x + yy * y + y0;
  x = nx, y = ny;
}

void Matrix::applyDistance(double& x, double& y) const {
  const double nx = xx * x + xy * y, ny = yx * x + yy * y;
  x = nx, y = ny;
}

Matrix Matrix::inverse() const {
  const double det = determinant();
  if (det == 0) return {};
  Matrix m{yy / det, -yx / det, -xy / det, xx / det, 0, 0};
  m.x0 = -(m.xx * x0 + m.xy * y0);
  m.y0 = -(m.yx * x0 + m.yy * y0);
  return m;
}

Matrix Matrix::then(const Matrix& a) const {
  return {a.xx * xx + a.xy * yx,        a.yx * xx + a.yy * yx,        a.xx * xy + a.xy * yy,
          a.yx * xy + a.yy * yy,        a.xx * x0 + a.xy * y0 + a.x0, a.yx * x0 + a.yy * y0 + a.y0};
}

std::shared_ptr<Pattern> Pattern::solid(double r, double g, double b, double a) {
  auto p = std::make_shared<Pattern>();
  p->r = r, p->g = g, p->b = b, p->a = a;
  return p;
}

std::shared_ptr<Pattern> Pattern::linear(double x0, double y0, double x1, double y1) {
  auto p = std::make_shared<Pattern>();
  p->kind = Linear, p->x0 = x0, p->y0 = y0, p->x1 = x1, p->y1 = y1;
  return p;
}

std::shared_ptr<Pattern> Pattern::radial(double x0, double y0, double r0, double x1, double y1, double r1) {
  auto p = std::make_shared<Pattern>();
  p->kind = Radial, p->x0 = x0, p->y0 = y0, p->r0 = r0, p->x1 = x1, p->y1 = y1, p->r1 = r1;
  return p;
}

std::shared_ptr<Pattern> Pattern::surface(std::shared_ptr<Image> image) {
  auto p = std::make_shared<Pattern>();
  p->kind = Surface, p->image = std::move(image);
  return p;
}

void Pattern::addStop(double offset, double r, double g, double b, double a) {
  const ColourStop s{std::clamp(offset, 0.0, 1.0), r, g, b, a};
  const auto at = std::upper_bound(stops.begin(), stops.end(), s.offset,
                                   [](double o, const ColourStop& x) { return o < x.offset; });
  stops.insert(at, s);
}

// The clip: a coverage a device pixel, and the box outside which it is all zero.
struct Context::Clip {
  int width = 0;
  std::vector<std::uint8_t> coverage;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

Context::Context(std::shared_ptr<Image> target) {
  if (!target) throw std::invalid_argument("no target image");
  targets_.push_back(std::move(target));
  state_.source = Pattern::solid(0, 0, 0, 1);
}

Context::~Context() = default;

void Context::newPath() {
  path_.clear();
  hasCurrent_ = false;
}

void Context::newSubPath() { hasCurrent_ = false; }

void Context::moveTo(double x, double y) {
  state_.ctm.apply(x, y);
  path_.push_back({PathElement::Move, {{x, y}}});
  hasCurrent_ = true;
  current_ = subpathStart_ = {x, y};
}

void Context::lineTo(double x, double y) {
  if (!hasCurrent_) return moveTo(x, y);
  state_.ctm.apply(x, y);
  if (!path_.empty() && path_.back().kind == PathElement::Close) path_.push_back({PathElement::Move, {current_}});
  path_.push_back({PathElement::Line, {{x, y}}});
  current_ = {x, y};
}

void Context::curveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  if (!hasCurrent_) moveTo(x1, y1);
  state_.ctm.apply(x1, y1), state_.ctm.apply(x2, y2), state_.ctm.apply(x3, y3);
  if (!path_.empty() && path_.back().kind == PathElement::Close) path_.push_back({PathElement::Move, {current_}});
  path_.push_back({PathElement::Curve, {{x1, y1}, {x2, y2}, {x3, y3}}});
  current_ = {x3, y3};
}

namespace {

// An arc as cubics of at most a quarter turn each, close enough to the circle (under 3e-4 of its
// radius) for any picture here.
template <typename Line, typename Curve>
void arcAsCurves(double xc, double yc, double r, double a1, double a2, Line&& line, Curve&& curve) {
  line(xc + r * std::cos(a1), yc + r * std::sin(a1));
  const double sweep = a2 - a1;
  if (sweep == 0 || r == 0) return;
  const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / (kPi / 2) - 1e-9)));
  const double step = sweep / n, k = 4.0 / 3.0 * std::tan(step / 4);
  for (int i = 0; i < n; ++i) {
    const double t0 = a1 + step * i, t1 = i + 1 == n ? a2 : t0 + step;
    const double c0 = std::cos(t0), s0 = std::sin(t0), c1 = std::cos(t1), s1 = std::sin(t1);
    curve(xc + r * (c0 - k * s0), yc + r * (s0 + k * c0), xc + r * (c1 + k * s1), yc + r * (s1 - k * c1),
          xc + r * c1, yc + r * s1);
  }
}

}  // namespace

void Context::arc(double xc, double yc, double radius, double angle1, double angle2) {
  while (angle2 < angle1) angle2 += 2 * kPi;
  arcAsCurves(
      xc, yc, radius, angle1, angle2, [this](double x, double y) { lineTo(x, y); },
      [this](double a, double b, double c, double d, double e, double f) { curveTo(a, b, c, d, e, f); });
}

void Context::arcNegative(double xc, double yc, double radius, double angle1, double angle2) {
  while (angle2 > angle1) angle2 -= 2 * kPi;
  arcAsCurves(
      xc, yc, radius, angle1, angle2, [this](double x, double y) { lineTo(x, y); },
      [this](double a, double b, double c, double d, double e, double f) { curveTo(a, b, c, d, e, f); });
}

void Context::rectangle(double x, double y, double width, double height) {
  moveTo(x, y);
  lineTo(x + width, y);
  lineTo(x + width, y + height);
  lineTo(x, y + height);
  closePath();
}

void Context::closePath() {
  if (!hasCurrent_) return;
  path_.push_back({PathElement::Close, {}});
  current_ = subpathStart_;
}

Point Context::currentPoint() const {
  if (!hasCurrent_) return {};
  double x = current_.x, y = current_.y;
  state_.ctm.inverse().apply(x, y);
  return {x, y};
}

Path Context::copyPath() const {
  const Matrix inv = state_.ctm.inverse();
  Path out = path_;
  for (PathElement& e : out) {
    const int n = e.kind == PathElement::Curve ? 3 : e.kind == PathElement::Close ? 0 : 1;
    for (int i = 0; i < n; ++i) inv.apply(e.p[i].x, e.p[i].y);
  }
  return out;
}

void Context::appendPath(const Path& userPath) {
  for (const PathElement& e : userPath) {
    switch (e.kind) {
      case PathElement::Move: moveTo(e.p[0].x, e.p[0].y); break;
      case PathElement::Line: lineTo(e.p[0].x, e.p[0].y); break;
      case PathElement::Curve: curveTo(e.p[0].x, e.p[0].y, e.p[1].x, e.p[1].y, e.p[2].x, e.p[2].y); break;
      case PathElement::Close: closePath(); break;
    }
  }
}

std::vector<Context::Polyline> Context::flatten() const {
  std::vector<Polyline> out;
  // Finer than asked: a chord sagging the whole tolerance would already take 25 levels off an edge.
  const double tol = std::max(state_.tolerance, 1e-3) / 4;
  for (const PathElement& e : path_) {
    switch (e.kind) {
      case PathElement::Move: out.push_back({{e.p[0]}, false}); break;
      case PathElement::Line: out.back().points.push_back(e.p[0]); break;
      case PathElement::Curve: {
        // Evenly in t, as many pieces as keep every chord within the tolerance of the curve: a
        // chord of a piece h long in t strays at most h^2/8 of the largest second derivative.
        const Point p0 = out.back().points.back(), p1 = e.p[0], p2 = e.p[1], p3 = e.p[2];
        const double d = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                                  std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
        const int n = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * d / tol))), 1, 1000);
        for (int i = 1; i <= n; ++i) {
          const double t = double(i) / n, u = 1 - t;
          const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, dd = t * t * t;
          out.back().points.push_back(i == n ? p3
                                             : Point{a * p0.x + b * p1.x + c * p2.x + dd * p3.x,
                                                     a * p0.y + b * p1.y + c * p2.y + dd * p3.y});
        }
        break;
      }
      case PathElement::Close: out.back().closed = true; break;
    }
  }
  return out;
}

namespace {

Extents boxOf(const std::vector<std::vector<Point>>& lines, const Matrix& toUser) {
  double x0 = std::numeric_limits<double>::infinity(), y0 = x0, x1 = -x0, y1 = -x0;
  for (const auto& l : lines)
    for (Point p : l) {
      toUser.apply(p.x, p.y);
      x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
  if (x0 > x1) return {};
  return {x0, y0, x1, y1};
}

}  // namespace

Extents Context::pathExtents() const {
  std::vector<std::vector<Point>> lines;
  for (Polyline& l : flatten()) lines.push_back(std::move(l.points));
  return boxOf(lines, state_.ctm.inverse());
}

Extents Context::fillExtents() const {
  // Only what encloses some area: a lone point or line fills nothing.
  std::vector<std::vector<Point>> lines;
  for (Polyline& l : flatten()) {
    std::vector<Edge> e;
    addPolygon(e, l.points);
    if (!e.empty()) lines.push_back(std::move(l.points));
  }
  return boxOf(lines, state_.ctm.inverse());
}

void Context::translate(double tx, double ty) { state_.ctm = Matrix{1, 0, 0, 1, tx, ty}.then(state_.ctm); }
void Context::scale(double sx, double sy) { state_.ctm = Matrix::scaling(sx, sy).then(state_.ctm); }
void Context::rotate(double radians) {
  const double c = std::cos(radians), s = std::sin(radians);
  state_.ctm = Matrix{c, s, -s, c, 0, 0}.then(state_.ctm);
}

void Context::save() { saved_.push_back(state_); }

void Context::restore() {
  if (saved_.empty() || (!groupDepths_.empty() && saved_.size() <= groupDepths_.back())) return;
  state_ = std::move(saved_.back());
  saved_.pop_back();
}

void Context::setSourceRgba(double r, double g, double b, double a) {
  state_.source = Pattern::solid(r, g, b, a);
  state_.sourceMatrix = {};
}

void Context::setSource(std::shared_ptr<Pattern> pattern) {
  if (!pattern) return;
  state_.sourceMatrix = state_.ctm.inverse().then(pattern->matrix);
  state_.source = std::move(pattern);
}

void Context::composite(int y, int x0, int x1, const std::uint8_t* coverage) {
  Image& img = target();
  const Clip* clip = state_.clip.get();
  if (clip && (y < clip->y0 || y >= clip->y1)) return;
  const int base = x0;
  if (clip) x0 = std::max(x0, clip->x0), x1 = std::min(x1, clip->x1);
  const std::uint8_t* clipRow = clip ? &clip->coverage[std::size_t(y) * clip->width] : nullptr;
  const Pattern& src = *state_.source;
  const bool solid = src.kind == Pattern::Solid;
  const std::uint32_t flat = solid ? premultiplied(src.r, src.g, src.b, src.a) : 0;
  const Operator op = state_.op;
  const Format format = img.format();
  // Over an opaque colour, a fully covered pixel is the colour itself: most of a fill's pixels.
  const bool opaqueOver = solid && op == Operator::Over && (flat >> 24) == 0xFF;
  std::uint8_t* row8 = format == Format::A8 ? img.row8(y) : nullptr;
  std::uint32_t* row32 = format == Format::A8 ? nullptr : img.row32(y);
  for (int x = x0; x < x1; ++x) {
    unsigned c = coverage[x - base];
    if (clipRow) c = mul(c, clipRow[x]);
    if (c == 0) continue;
    if (op == Operator::Clear) {
      if (row8) row8[x] = mul(row8[x], 255 - c);
      else {
        std::uint32_t& d = row32[x];
        if (format == Format::RGB24) d = 0xFF000000u;
        else
          d = std::uint32_t(mul(d >> 24, 255 - c)) << 24 | std::uint32_t(mul((d >> 16) & 0xFF, 255 - c)) << 16 |
              std::uint32_t(mul((d >> 8) & 0xFF, 255 - c)) << 8 | mul(d & 0xFF, 255 - c);
      }
      continue;
    }
    if (opaqueOver && c == 255) {
      if (row8) row8[x] = 255;
      else row32[x] = flat;
      continue;
    }
    const std::uint32_t s = solid ? flat : sourceAt(src, state_.sourceMatrix, x, y);
    const unsigned ta = mul(s >> 24, c);
    if (row8) {
      std::uint8_t& d = row8[x];
      d = op == Operator::Add ? std::min(255u, d + ta) : ta + mul(d, 255 - ta);
      continue;
    }
    std::uint32_t& d = row32[x];
    std::uint32_t outWord = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      const unsigned t = shift == 24 ? ta : mul((s >> shift) & 0xFF, c);
      const unsigned dc = (d >> shift) & 0xFF;
      const unsigned v = op == Operator::Add ? std::min(255u, dc + t) : t + mul(dc, 255 - ta);
      outWord |= std::uint32_t(v) << shift;
    }
    d = format == Format::RGB24 ? (outWord | 0xFF000000u) : outWord;
  }
}

void Context::fillEdges(const std::vector<Edge>& edges, FillRule rule) {
  std::vector<Edge> e = edges;
  rasterize(e, rule, target().width(), target().height(),
            [this](int y, int x0, int x1, const std::uint8_t* c) { composite(y, x0, x1, c); });
}

void Context::fill() {
  fillPreserve();
  newPath();
}

void Context::fillPreserve() {
  std::vector<Edge> edges;
  for (const Polyline& l : flatten())
    for (std::size_t i = 0, j = l.points.size() - 1; i < l.points.size(); j = i++)
      addEdge(edges, l.points[j], l.points[i], 1);
  fillEdges(edges, state_.fillRule);
}

void Context::strokeEdges(std::vector<Edge>& edges) const {
  // In user space, where the pen is round: each segment a quadrilateral, each join and cap its own
  // polygon meeting the segments along their ends exactly, all filled together by the winding rule.
  const Matrix& ctm = state_.ctm;
  const Matrix inv = ctm.inverse();
  const double hw = state_.lineWidth / 2;
  if (hw <= 0) return;
  const double radius = hw * largestScale(ctm);
  const double tol = std::min(std::max(state_.tolerance, 1e-3) / 4, radius);
  const double arcStep = radius > tol ? 2 * std::acos(1 - tol / radius) : kPi / 2;
  std::vector<Point> poly;
  const auto emit = [&]() {
    for (Point& p : poly) ctm.apply(p.x, p.y);
    addPolygon(edges, poly);
    poly.clear();
  };
  // The points of the circle round c from the direction of angle a0 sweeping by `sweep`, both ends in.
  const auto arcPoints = [&](Point c, double a0, double sweep, Point first, Point last) {
    poly.push_back(first);
    const int n = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / arcStep)));
    for (int i = 1; i < n; ++i) {
      const double a = a0 + sweep * i / n;
      poly.push_back({c.x + hw * std::cos(a), c.y + hw * std::sin(a)});
    }
    poly.push_back(last);
  };
  for (Polyline& line : flatten()) {
    std::vector<Point> p;
    for (Point q : line.points) {
      inv.apply(q.x, q.y);
      if (p.empty() || q.x != p.back().x || q.y != p.back().y) p.push_back(q);
    }
    bool closed = line.closed;
    if (closed && p.size() > 1 && p.front().x == p.back().x && p.front().y == p.back().y) p.pop_back();
    if (p.size() == 1) {
      // A dot: round and square caps still draw one.
      if (state_.cap == LineCap::Round) {
        arcPoints(p[0], 0, 2 * kPi, {p[0].x + hw, p[0].y}, {p[0].x + hw, p[0].y});
        poly.pop_back();
        emit();
      } else if (state_.cap == LineCap::Square) {
        poly = {{p[0].x - hw, p[0].y - hw}, {p[0].x + hw, p[0].y - hw}, {p[0].x + hw, p[0].y + hw},
                {p[0].x - hw, p[0].y + hw}};
        emit();
      }
      continue;
    }
    if (p.size() < 2) continue;
    if (p.size() == 2) closed = false;
    const std::size_t segments = closed ? p.size() : p.size() - 1;
    const auto dirOf = [&](std::size_t i) {
      const Point a = p[i], b = p[(i + 1) % p.size()];
      const double l = std::hypot(b.x - a.x, b.y - a.y);
      return Point{(b.x - a.x) / l, (b.y - a.y) / l};
    };
    for (std::size_t i = 0; i < segments; ++i) {
      const Point a = p[i], b = p[(i + 1) % p.size()], d = dirOf(i), n{-d.y * hw, d.x * hw};
      poly = {{a.x + n.x, a.y + n.y}, {b.x + n.x, b.y + n.y}, {b.x - n.x, b.y - n.y}, {a.x - n.x, a.y - n.y}};
      emit();
    }
    // Joins, on the outer side of each turn.
    for (std::size_t v = closed ? 0 : 1; v < (closed ? p.size() : p.size() - 1); ++v) {
      const Point c = p[v], da = dirOf((v + p.size() - 1) % p.size()), db = dirOf(v);
      const double cross = da.x * db.y - da.y * db.x, dot = da.x * db.x + da.y * db.y;
      if (cross == 0 && dot > 0) continue;
      const double side = cross > 0 ? -1 : 1;  // the outer side's normal, as a multiple of the left one
      const Point oa{c.x - da.y * hw * side, c.y + da.x * hw * side};
      const Point ob{c.x - db.y * hw * side, c.y + db.x * hw * side};
      const double turn = std::atan2(std::fabs(cross), dot);
      if (state_.join == LineJoin::Round) {
        const double a0 = std::atan2(oa.y - c.y, oa.x - c.x);
        poly.push_back(c);
        arcPoints(c, a0, cross > 0 ? turn : -turn, oa, ob);
      } else if (state_.join == LineJoin::Miter && 1 / std::sin((kPi - turn) / 2) <= state_.miterLimit) {
        const double len = hw / std::cos(turn / 2);
        const double mx = (oa.x + ob.x) / 2 - c.x, my = (oa.y + ob.y) / 2 - c.y, ml = std::hypot(mx, my);
        poly = {c, oa, {c.x + mx / ml * len, c.y + my / ml * len}, ob};
      } else {
        poly = {c, oa, ob};
      }
      emit();
    }
    if (closed || state_.cap == LineCap::Butt) continue;
    for (int end = 0; end < 2; ++end) {
      const Point c = end ? p.back() : p.front();
      Point d = end ? dirOf(p.size() - 2) : dirOf(0);
      if (!end) d = {-d.x, -d.y};  // outwards
      const Point left{c.x - d.y * hw, c.y + d.x * hw}, right{c.x + d.y * hw, c.y - d.x * hw};
      if (state_.cap == LineCap::Round) {
        arcPoints(c, std::atan2(right.y - c.y, right.x - c.x), kPi, right, left);
      } else {
        poly = {right, {right.x + d.x * hw, right.y + d.y * hw}, {left.x + d.x * hw, left.y + d.y * hw}, left};
      }
      emit();
    }
  }
}

void Context::stroke() {
  strokePreserve();
  newPath();
}

void Context::strokePreserve() {
  std::vector<Edge> edges;
  strokeEdges(edges);
  fillEdges(edges, FillRule::Winding);
}

void Context::clip() {
  Image& img = target();
  auto next = std::make_shared<Clip>();
  next->width = img.width();
  next->coverage.assign(std::size_t(img.width()) * img.height(), 0);
  next->x0 = img.width(), next->y0 = img.height();
  std::vector<Edge> edges;
  for (const Polyline& l : flatten())
    for (std::size_t i = 0, j = l.points.size() - 1; i < l.points.size(); j = i++)
      addEdge(edges, l.points[j], l.points[i], 1);
  const Clip* old = state_.clip.get();
  rasterize(edges, state_.fillRule, img.width(), img.height(), [&](int y, int x0, int x1, const std::uint8_t* c) {
    std::uint8_t* row = &next->coverage[std::size_t(y) * next->width];
    for (int x = x0; x < x1; ++x) row[x] = old ? mul(c[x - x0], old->coverage[std::size_t(y) * old->width + x]) : c[x - x0];
    next->x0 = std::min(next->x0, x0), next->x1 = std::max(next->x1, x1);
    next->y0 = std::min(next->y0, y), next->y1 = std::max(next->y1, y + 1);
  });
  if (next->x1 <= next->x0) next->x0 = next->x1 = next->y0 = next->y1 = 0;
  state_.clip = std::move(next);
  newPath();
}

void Context::paint() {
  Image& img = target();
  int x0 = 0, y0 = 0, x1 = img.width(), y1 = img.height();
  if (state_.clip) x0 = state_.clip->x0, y0 = state_.clip->y0, x1 = state_.clip->x1, y1 = state_.clip->y1;
  if (x1 <= x0) return;
  const std::vector<std::uint8_t> full(std::size_t(x1 - x0), 255);
  for (int y = y0; y < y1; ++y) composite(y, x0, x1, full.data());
}

void Context::mask(std::shared_ptr<Pattern> maskPattern) {
  if (!maskPattern) return;
  Image& img = target();
  const Matrix toMask = state_.ctm.inverse().then(maskPattern->matrix);
  int x0 = 0, y0 = 0, x1 = img.width(), y1 = img.height();
  if (state_.clip) x0 = state_.clip->x0, y0 = state_.clip->y0, x1 = state_.clip->x1, y1 = state_.clip->y1;
  if (x1 <= x0) return;
  std::vector<std::uint8_t> coverage(std::size_t(x1 - x0));
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (maskPattern->kind == Pattern::Surface) {
        double u = x + 0.5, v = y + 0.5;
        toMask.apply(u, v);
        coverage[x - x0] = maskPattern->image ? sampleAlpha(*maskPattern->image, maskPattern->filter, u, v) : 0;
      } else {
        coverage[x - x0] = sourceAt(*maskPattern, toMask, x, y) >> 24;
      }
    }
    composite(y, x0, x1, coverage.data());
  }
}

void Context::pushGroup(Content content) {
  save();
  groupDepths_.push_back(saved_.size());
  const Image& below = target();
  targets_.push_back(std::make_shared<Image>(content == Content::Alpha ? Format::A8 : Format::ARGB32, below.width(),
                                             below.height()));
}

std::shared_ptr<Pattern> Context::popGroup() {
  if (groupDepths_.empty()) return nullptr;
  auto pattern = Pattern::surface(targets_.back());
  pattern->filter = Filter::Nearest;
  pattern->matrix = state_.ctm;  // the group lies in device space
  targets_.pop_back();
  groupDepths_.pop_back();
  restore();
  return pattern;
}

}  // namespace wizlo::raster
