// The shaper in the browser: HarfBuzz built for WebAssembly, reached through the page's half
// (shaping.js, beside it), with the same font files as on Linux. Text crosses as code points;
// clusters come back as code point indexes and are made byte offsets here, as the Linux shaper
// gives them.
#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "assets/generator/text/face_cache.hpp"
#include "assets/generator/text/shaper.hpp"

namespace wizlo::art {

struct Face {
  int id = -1;
  double perUnit = 1;  // 1 / units per em
};

namespace {

EM_JS(int, faceIdOf, (const char* family), { return globalThis.wizloShaping.faceOf(UTF8ToString(family)); });
EM_JS(int, unitsPerEm, (int face), { return globalThis.wizloShaping.upem(face); });
EM_JS(int, nominalGlyph, (int face, int c), { return globalThis.wizloShaping.hasGlyph(face, c) ? 1 : 0; });
// Each writes its numbers into the program's memory at `out` and says how many there are; a list of
// unknown length is handed over in memory the program frees.
EM_JS(void, fontExtents, (int face, double* out), {
  HEAPF64.set(globalThis.wizloShaping.extents(face), out >> 3);
});
EM_JS(void, glyphInk, (int face, int glyph, double* out), {
  HEAPF64.set(globalThis.wizloShaping.ink(face, glyph), out >> 3);
});
EM_JS(int, shapeCodePoints, (int face, const char32_t* codePoints, int count, int start, int length, int rightToLeft,
                             int arabic, int** rows), {
  const text = HEAPU32.slice(codePoints >> 2, (codePoints >> 2) + count);
  const shaped = globalThis.wizloShaping.shape(face, text, start, length, rightToLeft !== 0, arabic !== 0);
  const at = _malloc(Math.max(shaped.byteLength, 4));
  HEAP32.set(shaped, at >> 2);
  HEAP32[rows >> 2] = at;
  return shaped.length / 5;
});
EM_JS(int, glyphOutline, (int face, int glyph, double** commands), {
  const flat = globalThis.wizloShaping.outline(face, glyph);
  const at = _malloc(Math.max(flat.byteLength, 8));
  HEAPF64.set(flat, at >> 3);
  HEAP32[commands >> 2] = at;
  return flat.length;
});

// The text's code points, and where each starts in its bytes (one more: the end).
struct CodePoints {
  std::u32string points;
  std::vector<std::size_t> starts;
};

CodePoints codePointsOf(std::string_view s) {
  CodePoints out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < s.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.points.push_back(c);
    out.starts.push_back(i);
    i += static_cast<std::size_t>(extra) + 1;
  }
  out.starts.push_back(s.size());
  return out;
}

std::size_t indexOfByte(const CodePoints& text, std::size_t byte) {
  std::size_t k = 0;
  while (k + 1 < text.starts.size() && text.starts[k] < byte) ++k;
  return k;
}

}  // namespace

const Face& faceOf(const char* family) {
  return cachedFace<Face>(family, [](const char* name) {
    const int id = faceIdOf(name);
    if (id < 0) throw std::runtime_error(std::string("the font \"") + name + "\" was not loaded by the page");
    return std::make_unique<Face>(Face{id, 1.0 / unitsPerEm(id)});
  });
}

bool hasGlyph(const Face& face, char32_t c) { return nominalGlyph(face.id, static_cast<int>(c)) != 0; }

FaceExtents extentsOf(const Face& face) {
  double e[2];
  fontExtents(face.id, e);
  return {e[0] * face.perUnit, 0.0 - e[1] * face.perUnit};
}

std::vector<ShapedGlyph> shapeRun(const Face& face, std::string_view text, std::size_t start, std::size_t length,
                                  Direction direction, Script script) {
  const CodePoints points = codePointsOf(text);
  const std::size_t first = indexOfByte(points, start), last = indexOfByte(points, start + length);
  int* rows = nullptr;
  const int count = shapeCodePoints(face.id, points.points.data(), static_cast<int>(points.points.size()),
                                    static_cast<int>(first), static_cast<int>(last - first),
                                    direction == Direction::RightToLeft, script == Script::Arabic, &rows);
  std::vector<ShapedGlyph> glyphs;
  glyphs.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int* r = rows + 5 * i;
    glyphs.push_back({static_cast<std::uint32_t>(r[0]), points.starts[static_cast<std::size_t>(r[1])],
                      r[2] * face.perUnit, r[3] * face.perUnit, r[4] * face.perUnit});
  }
  std::free(rows);
  return glyphs;
}

GlyphInk inkOfGlyph(const Face& face, std::uint32_t glyph) {
  double e[4];
  glyphInk(face.id, static_cast<int>(glyph), e);
  // 0.0 - x, not -x: an empty glyph's ink is +0, as the Linux shaper's integers give it.
  return {e[0] * face.perUnit, 0.0 - e[1] * face.perUnit, e[2] * face.perUnit, 0.0 - e[3] * face.perUnit};
}

void outlineOf(const Face& face, std::uint32_t glyph, OutlineSink& sink) {
  double* commands = nullptr;
  const int n = glyphOutline(face.id, static_cast<int>(glyph), &commands);
  const double k = face.perUnit;
  for (int i = 0; i < n;) {
    const double* v = commands + i + 1;
    switch (static_cast<int>(commands[i])) {
      case 0: sink.moveTo(v[0] * k, -v[1] * k); i += 3; break;
      case 1: sink.lineTo(v[0] * k, -v[1] * k); i += 3; break;
      case 2: sink.quadTo(v[0] * k, -v[1] * k, v[2] * k, -v[3] * k); i += 5; break;
      case 3: sink.cubicTo(v[0] * k, -v[1] * k, v[2] * k, -v[3] * k, v[4] * k, -v[5] * k); i += 7; break;
      default: sink.close(); i += 1; break;
    }
  }
  std::free(commands);
}

}  // namespace wizlo::art
