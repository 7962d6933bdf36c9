// The shaper on the system's HarfBuzz, with its own OpenType font functions: the same outlines,
// advances and extents as the font file gives, unhinted, with no FreeType.
#include <hb-ot.h>
#include <hb.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "assets/generator/text/face_cache.hpp"
#include "assets/generator/text/fonts.hpp"
#include "assets/generator/text/shaper.hpp"

namespace wizlo::art {

struct Face {
  Face(hb_font_t* f, double k) : font(f), perUnit(k) {}
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;
  // Faces are kept to the end of the process, and given back then, so that a leak checker sees
  // nothing of them.
  ~Face() { hb_font_destroy(font); }

  hb_font_t* font;  // scaled to font units, so every value HarfBuzz gives is exact
  double perUnit;   // 1 / units per em
};

namespace {

std::unique_ptr<Face> load(const char* family) {
  const std::string file = fontFileOf(family);
  hb_blob_t* blob = hb_blob_create_from_file_or_fail(file.c_str());
  if (!blob) throw std::runtime_error("cannot read the font file " + file);
  hb_face_t* face = hb_face_create(blob, 0);
  hb_blob_destroy(blob);
  const unsigned upem = hb_face_get_upem(face);
  if (hb_face_get_glyph_count(face) == 0 || upem == 0) {
    hb_face_destroy(face);
    throw std::runtime_error("the font file " + file + " holds no glyphs");
  }
  hb_font_t* font = hb_font_create(face);
  hb_face_destroy(face);
  hb_ot_font_set_funcs(font);
  hb_font_set_scale(font, static_cast<int>(upem), static_cast<int>(upem));
  hb_font_make_immutable(font);
  return std::make_unique<Face>(font, 1.0 / upem);
}

// Where an outline goes, and the scale from font units to ems on the way.
struct Drawing {
  OutlineSink& sink;
  double k;
};

void moveTo(hb_draw_funcs_t*, void* to, hb_draw_state_t*, float x, float y, void*) {
  auto& d = *static_cast<Drawing*>(to);
  d.sink.moveTo(x * d.k, -y * d.k);
}
void lineTo(hb_draw_funcs_t*, void* to, hb_draw_state_t*, float x, float y, void*) {
  auto& d = *static_cast<Drawing*>(to);
  d.sink.lineTo(x * d.k, -y * d.k);
}
void quadTo(hb_draw_funcs_t*, void* to, hb_draw_state_t*, float cx, float cy, float x, float y, void*) {
  auto& d = *static_cast<Drawing*>(to);
  d.sink.quadTo(cx * d.k, -cy * d.k, x * d.k, -y * d.k);
}
void cubicTo(hb_draw_funcs_t*, void* to, hb_draw_state_t*, float c1x, float c1y, float c2x, float c2y, float x,
             float y, void*) {
  auto& d = *static_cast<Drawing*>(to);
  d.sink.cubicTo(c1x * d.k, -c1y * d.k, c2x * d.k, -c2y * d.k, x * d.k, -y * d.k);
}
void closePath(hb_draw_funcs_t*, void* to, hb_draw_state_t*, void*) { static_cast<Drawing*>(to)->sink.close(); }

}  // namespace

const Face& faceOf(const char* family) { return cachedFace<Face>(family, load); }

bool hasGlyph(const Face& face, char32_t c) {
  hb_codepoint_t glyph = 0;
  return hb_font_get_nominal_glyph(face.font, c, &glyph);
}

FaceExtents extentsOf(const Face& face) {
  hb_font_extents_t e{};
  hb_font_get_h_extents(face.font, &e);
  return {e.ascender * face.perUnit, -e.descender * face.perUnit};
}

std::vector<ShapedGlyph> shapeRun(const Face& face, std::string_view text, std::size_t start, std::size_t length,
                                  Direction direction, Script script) {
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf8(buffer, text.data(), static_cast<int>(text.size()), static_cast<unsigned>(start),
                     static_cast<int>(length));
  hb_buffer_set_direction(buffer, direction == Direction::RightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  // Marks keep clusters of their own, so a mark can be measured and coloured apart from its letter.
  hb_buffer_set_cluster_level(buffer, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_CHARACTERS);
  unsigned flags = HB_BUFFER_FLAG_DEFAULT;
  if (start == 0) flags |= HB_BUFFER_FLAG_BOT;
  if (start + length == text.size()) flags |= HB_BUFFER_FLAG_EOT;
  hb_buffer_set_flags(buffer, static_cast<hb_buffer_flags_t>(flags));
  hb_buffer_set_script(buffer, script == Script::Arabic ? HB_SCRIPT_ARABIC : HB_SCRIPT_LATIN);
  // The language said outright, never the machine's locale: under a Persian or Urdu one the font
  // would draw its Persian or Urdu forms (of the digits, say), and every machine's pictures must agree.
  static hb_language_t const arabic = hb_language_from_string("ar", -1), english = hb_language_from_string("en", -1);
  hb_buffer_set_language(buffer, script == Script::Arabic ? arabic : english);
  hb_shape(face.font, buffer, nullptr, 0);

  unsigned count = 0;
  const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
  const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
  std::vector<ShapedGlyph> glyphs;
  glyphs.reserve(count);
  for (unsigned i = 0; i < count; ++i)
    glyphs.push_back({info[i].codepoint, info[i].cluster, pos[i].x_advance * face.perUnit,
                      pos[i].x_offset * face.perUnit, pos[i].y_offset * face.perUnit});
  hb_buffer_destroy(buffer);
  return glyphs;
}

GlyphInk inkOfGlyph(const Face& face, std::uint32_t glyph) {
  hb_glyph_extents_t e{};
  if (!hb_font_get_glyph_extents(face.font, glyph, &e)) return {};
  return {e.x_bearing * face.perUnit, -e.y_bearing * face.perUnit, e.width * face.perUnit, -e.height * face.perUnit};
}

void outlineOf(const Face& face, std::uint32_t glyph, OutlineSink& sink) {
  static hb_draw_funcs_t* const funcs = [] {
    hb_draw_funcs_t* f = hb_draw_funcs_create();
    hb_draw_funcs_set_move_to_func(f, moveTo, nullptr, nullptr);
    hb_draw_funcs_set_line_to_func(f, lineTo, nullptr, nullptr);
    hb_draw_funcs_set_quadratic_to_func(f, quadTo, nullptr, nullptr);
    hb_draw_funcs_set_cubic_to_func(f, cubicTo, nullptr, nullptr);
    hb_draw_funcs_set_close_path_func(f, closePath, nullptr, nullptr);
    hb_draw_funcs_make_immutable(f);
    return f;
  }();
  Drawing drawing{sink, face.perUnit};
  hb_font_get_glyph_shape(face.font, glyph, funcs, &drawing);
}

}  // namespace wizlo::art
