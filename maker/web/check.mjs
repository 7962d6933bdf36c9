// Runs the WebAssembly `wizlo-board check` under Node: shaping.js and harfbuzz/ beside this file, as
// the page has them, and the font files read from the disk where fontconfig would find them.
//
//   node --no-experimental-fetch check.mjs LESSON.toml [--times]
import { readFile } from "node:fs/promises";
import { createRequire } from "node:module";

const kFontFolder = process.env.WIZLO_FONT_DIR || "/usr/share/fonts/truetype/noto";
const kFonts = {
  "Noto Naskh Arabic": "NotoNaskhArabic-Bold.ttf",
  "Noto Kufi Arabic": "NotoKufiArabic-Bold.ttf",
  "Noto Sans Arabic": "NotoSansArabic-Bold.ttf",
  "Noto Sans": "NotoSans-Bold.ttf",
};

await import("./shaping.js");
// shaping.js fetches its fonts, as a page does; here the fetch reads files, and only for as long as it loads.
const pageFetch = globalThis.fetch;
globalThis.fetch = async (path) => ({ ok: true, status: 200, arrayBuffer: async () => (await readFile(path)).buffer });
try {
  await globalThis.wizloShaping.load(
    Object.fromEntries(Object.entries(kFonts).map(([family, file]) => [family, `${kFontFolder}/${file}`])));
} finally {
  if (pageFetch) globalThis.fetch = pageFetch; else delete globalThis.fetch;
}

// Debian's emscripten writes Node's modules in CommonJS only.
const start = createRequire(import.meta.url)("./wizlo-board-check.cjs");
await start({ arguments: process.argv.slice(2) });
