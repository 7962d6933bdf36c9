// The board maker off the page's thread: the font files loaded into the shaper, the maker
// (wizlo-maker.wasm) started, and the page's questions answered in turn. A board drawn again as the
// teacher types answers three times: its board file, then its backdrop at 1x, then the checks and the
// pack; a newer board waiting skips the older one's checks.
const kFonts = {
  "Noto Naskh Arabic": "fonts/NotoNaskhArabic-Bold.ttf",
  "Noto Kufi Arabic": "fonts/NotoKufiArabic-Bold.ttf",
  "Noto Sans Arabic": "fonts/NotoSansArabic-Bold.ttf",
};
// Imported once the listener below is in place: HarfBuzz's module waits at its top level, and a
// question the page asks meanwhile would find no one listening.
const maker = (async () => {
  await import("./shaping.js");
  const {default: WizloMaker} = await import("./wizlo-maker.js");
  await globalThis.wizloShaping.load(kFonts);
  return WizloMaker();
})();

// A C string of the maker's memory for `text`, freed by the caller.
function cString(m, text) {
  const size = m.lengthBytesUTF8(text) + 1;
  const at = m._malloc(size);
  m.stringToUTF8(text, at, size);
  return at;
}

// The maker's memory holding `bytes`, freed by the caller.
function bytesIn(m, bytes) {
  const at = m._malloc(Math.max(bytes.length, 1));
  m.HEAPU8.set(bytes, at);
  return at;
}

// A string goes as a C string; bytes go as their address and their length.
function call(m, name, ...args) {
  const kept = [];
  const keep = (at) => (kept.push(at), at);
  const given = args.flatMap((a) => (typeof a === "string" ? [keep(cString(m, a))]
                                     : a instanceof Uint8Array ? [keep(bytesIn(m, a)), a.length] : [a]));
  try {
    return JSON.parse(m.UTF8ToString(m["_wizlo_" + name](...given)));
  } finally {
    kept.forEach((at) => m._free(at));
  }
}

function bytesAt(m, at, size) { return m.HEAPU8.slice(at, at + size); }

// TOML's basic string: what the teacher typed, with nothing in it read as anything but text.
function quoted(text) {
  return '"' + String(text).replace(/[\\"]/g, (c) => "\\" + c)
    .replace(/[\u0000-\u001f\u007f]/g, (c) => "\\u" + c.charCodeAt(0).toString(16).padStart(4, "0")) + '"';
}

const runLines = (runs, group) => runs.map(([w, l, n, marks]) => `${w} ${l} ${n} ${marks ? 1 : 0} ${group}`).join("\n");

// The board file of the page's draft, and the line each of its parts is on, for the problems.
function boardFileOf(m, draft) {
  const out = [];
  const lines = {groups: [], decoys: []};
  const line = (text) => out.push(text);
  const field = (key, value) => {
    if (!value) return;
    line(`${key} = ${quoted(value)}`);
    lines[key] = out.length;
  };
  field("title", draft.title);
  line(`sentence = ${quoted(draft.sentence || "")}`);
  lines.sentence = out.length;
  field("instruction", draft.instruction);
  field("teacher", draft.teacher);
  field("school", draft.school);
  draft.groups.forEach((group, i) => {
    const written = group.runs.length ? call(m, "group_lines", draft.sentence || "", runLines(group.runs, i)) : {};
    line("");
    line("[[group]]");
    const at = {group: out.length};
    line(`letters = ${quoted(written.letters || "")}`);
    at.letters = out.length;
    if (written.appearances > 1) line(`word = ${written.appearance}`);
    line(`skill = ${quoted(group.skill || "")}`);
    at.skill = out.length;
    lines.groups.push({...at, written: written.letters || ""});
  });
  draft.decoys.forEach((skill) => {
    line("");
    line("[[decoy]]");
    line(`skill = ${quoted(skill)}`);
    lines.decoys.push(out.length);
  });
  return {text: out.join("\n") + "\n", lines};
}

const queue = [];
let working = false;

async function work() {
  if (working) return;
  working = true;
  const m = await maker;
  while (queue.length) {
    const {id, ask, args} = queue.shift();
    try {
      if (ask === "board") {
        const [draft, width, height] = args;
        const file = boardFileOf(m, draft);
        postMessage({id, step: "file", ...file});
        const preview = call(m, "preview", file.text, width, height);
        const pixels = preview.drawn ? bytesAt(m, m._wizlo_preview_pixels(), width * height * 4) : null;
        postMessage({id, step: "preview", preview, width, height, pixels}, pixels ? [pixels.buffer] : []);
        if (queue.some((q) => q.ask === "board")) continue;  // the teacher has changed it again
        const made = call(m, "make", file.text, 1);
        const pack = made.pack ? bytesAt(m, m._wizlo_pack(), m._wizlo_pack_size()) : null;
        postMessage({id, step: "made", made, pack}, pack ? [pack.buffer] : []);
      } else if (ask === "sentence") {
        const [draft, pixelSize] = args;
        const runs = draft.groups.map((g, i) => runLines(g.runs, i)).filter(Boolean).join("\n");
        const view = call(m, "sentence", draft.sentence || "", runs, pixelSize);
        const pixels = view.error ? null : bytesAt(m, m._wizlo_sentence_pixels(), view.width * view.height * 4);
        postMessage({id, view, pixels}, pixels ? [pixels.buffer] : []);
      } else if (ask === "make") {  // a board file as it is, from a shared link, only to be played
        const made = call(m, "make", args[0], 0);
        const pack = made.pack && !made.problems?.length ? bytesAt(m, m._wizlo_pack(), m._wizlo_pack_size()) : null;
        postMessage({id, made, pack}, pack ? [pack.buffer] : []);
      } else if (ask === "file") {
        postMessage({id, ...boardFileOf(m, args[0])});
      } else {
        // read_draft (a board file), link (a board file), read_link (an address's fragment), read_pack (a pack's bytes)
        postMessage({id, answer: call(m, ask, args[0])});
      }
    } catch (error) {
      postMessage({id, error: String(error && error.message || error)});
    }
  }
  working = false;
}

onmessage = (event) => {
  if (event.data.ask === "board") {  // only the newest board is worth drawing
    for (let i = queue.length - 1; i >= 0; --i) if (queue[i].ask === "board") queue.splice(i, 1);
  }
  queue.push(event.data);
  work();
};
