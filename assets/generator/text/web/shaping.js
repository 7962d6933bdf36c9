// The page's half of the shaper in the browser (shaper_web.cpp, beside it): HarfBuzz built for
// WebAssembly (npm's harfbuzzjs, put beside the page in harfbuzz/) and the very font files the Linux
// build draws with, fetched once: `await wizloShaping.load({family: url, ...})` before the program
// that shapes starts.
import { Blob, Buffer, Face, Font, shape } from "./harfbuzz/index.mjs";

const faces = [];  // {family, font, upem}
const byFamily = new Map();

// As the Linux shaper does: cluster level 1 (every mark a cluster of its own), the text around the
// run as its context, the language said outright.
const kMonotoneCharacters = 1, kBeginningOfText = 1, kEndOfText = 2;
const kLeftToRight = 4, kRightToLeft = 5;

globalThis.wizloShaping = {
  async load(urls) {
    await Promise.all(Object.entries(urls).map(async ([family, url]) => {
      const response = await fetch(url);
      if (!response.ok) throw new Error(`the font ${family} cannot be fetched (${response.status})`);
      const face = new Face(new Blob(await response.arrayBuffer()), 0);
      byFamily.set(family, faces.length);
      faces.push({ family, font: new Font(face), upem: face.upem });
    }));
  },

  faceOf(family) { return byFamily.has(family) ? byFamily.get(family) : -1; },
  upem(id) { return faces[id].upem; },
  extents(id) {
    const e = faces[id].font.hExtents();
    return [e.ascender, e.descender];
  },
  hasGlyph(id, codePoint) { return faces[id].font.nominalGlyph(codePoint) !== undefined; },

  // Code points, the run among them, and what it is; glyphs left to right as flat rows of five:
  // glyph id, cluster (a code point's index), x advance, x offset, y offset, in font units.
  shape(id, codePoints, start, length, rightToLeft, arabic) {
    const buffer = new Buffer();
    buffer.addCodePoints(codePoints, start, length);
    buffer.setDirection(rightToLeft ? kRightToLeft : kLeftToRight);
    buffer.setClusterLevel(kMonotoneCharacters);
    buffer.setFlags((start === 0 ? kBeginningOfText : 0) | (start + length === codePoints.length ? kEndOfText : 0));
    buffer.setScript(arabic ? "Arab" : "Latn");
    buffer.setLanguage(arabic ? "ar" : "en");
    shape(faces[id].font, buffer);
    const infos = buffer.getGlyphInfos(), positions = buffer.getGlyphPositions();
    const rows = new Int32Array(infos.length * 5);
    infos.forEach((info, i) => {
      const p = positions[i];
      rows.set([info.codepoint, info.cluster, p.xAdvance, p.xOffset, p.yOffset], i * 5);
    });
    return rows;
  },

  // x bearing, y bearing, width, height, in font units with y upwards; none for an empty glyph.
  ink(id, glyph) {
    const e = faces[id].font.glyphExtents(glyph);
    return e ? [e.xBearing, e.yBearing, e.width, e.height] : [0, 0, 0, 0];
  },

  // The outline as flat commands: 0 x y (move), 1 x y (line), 2 cx cy x y (quadratic),
  // 3 c1x c1y c2x c2y x y (cubic), 4 (close), in font units with y upwards.
  outline(id, glyph) {
    const kinds = { M: 0, L: 1, Q: 2, C: 3, Z: 4 };
    const flat = [];
    for (const { type, values } of faces[id].font.glyphToJson(glyph)) flat.push(kinds[type], ...values);
    return Float64Array.from(flat);
  },
};
