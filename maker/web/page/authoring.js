// The authoring page: a teacher types her sentence, taps its letters into groups, names each group's
// skill, and sees her board drawn and checked as she goes, by the board maker itself (worker.js).
// Her draft is kept in this browser at every change; she shares it as a link, a pack or a board file.
import { skills } from "./skills.js";
import { drawQrCode } from "./qr.js";

const kDraftKey = "wizlo-maker-draft";
const kMaxGroups = 12, kMaxDecoys = 3;
const $ = (id) => document.getElementById(id);

// --- The maker, in its worker --------------------------------------------------------------------
const worker = new Worker(new URL("worker.js", import.meta.url), {type: "module"});
const waiting = new Map();
let asked = 0;
function ask(question, args, onStep) {
  const id = ++asked;
  return new Promise((resolve, reject) => {
    waiting.set(id, {resolve, reject, onStep});
    worker.postMessage({id, ask: question, args});
  });
}
worker.onmessage = ({data}) => {
  const w = waiting.get(data.id);
  if (!w) return;
  if (data.error) {
    waiting.delete(data.id);
    w.reject(new Error(data.error));
  } else if (data.step && data.step !== "made") {
    w.onStep?.(data);
    if (data.step === "preview" && !data.preview.drawn) {  // no backdrop: no checks follow
      waiting.delete(data.id);
      w.resolve(data);
    }
  } else {
    waiting.delete(data.id);
    if (data.step) w.onStep?.(data);
    w.resolve(data);
  }
};
worker.onerror = () => say("تعذّر تشغيل صانع اللوحات في هذا المتصفح.", "The board maker cannot run in this browser.", true);

// --- The draft -----------------------------------------------------------------------------------
const empty = () => ({title: "", sentence: "", instruction: "", teacher: "", school: "", groups: [], decoys: []});
let draft = empty();
let current = -1;  // the group taps go to
let file = {text: "", lines: {groups: [], decoys: []}};
let pack = null;

function keep() {
  try {
    localStorage.setItem(kDraftKey, JSON.stringify(draft));
  } catch {
    // A private window may keep nothing: the page still works, the draft lasts as long as the tab.
  }
}

function kept() {
  try {
    const d = JSON.parse(localStorage.getItem(kDraftKey) || "null");
    if (d && typeof d.sentence === "string" && Array.isArray(d.groups) && Array.isArray(d.decoys)) return {...empty(), ...d};
  } catch {}
  return null;
}

// --- Words on the page: Arabic, and English a tap away --------------------------------------------
function bilingual(element, arabic, english) {
  element.replaceChildren();
  const ar = document.createElement("span");
  ar.className = "ar";
  ar.textContent = arabic;
  const en = document.createElement("span");
  en.className = "en";
  en.lang = "en";
  en.dir = "ltr";
  en.textContent = english;
  element.append(ar, en);
  return element;
}

function say(arabic, english, problem = false) {
  bilingual($("status"), arabic, english).classList.toggle("problem", problem);
}

$("english").addEventListener("click", () => {
  const on = document.body.classList.toggle("english");
  $("english").setAttribute("aria-pressed", String(on));
  $("english").textContent = on ? "العربية" : "English";
});

// --- The sentence, drawn for tapping ---------------------------------------------------------------
let view = null;

let letterSize = 40;  // CSS px: as large as a finger wants, smaller where the sentence is long

async function drawSentence() {
  const ratio = window.devicePixelRatio || 1, of = revision;
  let {view: v, pixels} = await ask("sentence", [draft, letterSize * ratio]);
  if (v.error) return;
  // The whole sentence in view, never scrolled out of sight on a narrow screen.
  const room = $("letters").clientWidth - 12;
  const fitted = Math.max(22, Math.min(40, Math.floor(letterSize * room / (v.width / ratio))));
  if (fitted !== letterSize && (fitted < letterSize || v.width / ratio < room * 0.8)) {
    letterSize = fitted;
    ({view: v, pixels} = await ask("sentence", [draft, letterSize * ratio]));
    if (v.error) return;
  }
  view = v;
  const canvas = $("drawn-sentence");
  canvas.width = v.width;
  canvas.height = v.height;
  canvas.style.width = `${v.width / ratio}px`;
  canvas.style.height = `${v.height / ratio}px`;
  if (v.width * v.height > 0 && pixels) canvas.getContext("2d").putImageData(new ImageData(new Uint8ClampedArray(pixels.buffer), v.width, v.height), 0, 0);
  const box = $("letters");
  box.querySelectorAll("button").forEach((b) => b.remove());
  // Each letter's button spans from half way to the letter before it to half way to the one after,
  // so that narrow letters still take a finger and no two buttons overlap.
  const spans = new Map();
  const words = new Map();
  for (const letter of v.letters) (words.get(letter.word) || words.set(letter.word, []).get(letter.word)).push(letter);
  for (const row of words.values()) {
    row.sort((a, b) => (a.box[0] + a.box[2]) - (b.box[0] + b.box[2]));
    row.forEach((letter, i) => {
      const centre = (l) => (l.box[0] + l.box[2]) / 2;
      const left = i > 0 ? (centre(row[i - 1]) + centre(letter)) / 2 : Math.min(letter.box[0], centre(letter) - 12 * ratio);
      const right = i + 1 < row.length ? (centre(letter) + centre(row[i + 1])) / 2 : Math.max(letter.box[2], centre(letter) + 12 * ratio);
      spans.set(letter, [left / ratio, right / ratio]);
    });
  }
  const [inkTop, inkBottom] = [Math.min(...v.letters.map((l) => l.box[1])), Math.max(...v.letters.map((l) => l.box[3]))];
  for (const letter of v.letters) {
    const b = document.createElement("button");
    b.type = "button";
    b.className = "letter";
    const owner = groupOf(letter);
    b.setAttribute("aria-pressed", String(owner >= 0 && owner === current));
    b.setAttribute("aria-label", letter.text + (owner >= 0 ? ` — ${owner + 1}` : ""));
    const [x0, x1] = spans.get(letter);
    const y0 = inkTop / ratio, h = Math.max((inkBottom - inkTop) / ratio, 44);
    Object.assign(b.style, {left: `${canvas.offsetLeft + x0}px`, top: `${canvas.offsetTop + y0}px`, width: `${x1 - x0}px`,
                            height: `${h}px`});
    b.addEventListener("click", () => tap(letter));
    box.append(b);
  }
  if (of === revision) box.dataset.drawn = String(of);
  document.querySelectorAll("#groups .group .pick").forEach((pick, i) => pick.style.setProperty("--colour", v.colours[i] || "#888"));
}

const sameLetter = (run, letter) => run[0] === letter.word && run[1] === letter.letter;

function groupOf(letter) {
  return draft.groups.findIndex((g) => g.runs.some((r) => sameLetter(r, letter)));
}

function tap(letter) {
  const owner = groupOf(letter);
  if (owner >= 0 && owner === current) {
    const g = draft.groups[owner];
    g.runs = g.runs.filter((r) => !sameLetter(r, letter));
  } else {
    if (owner >= 0) draft.groups[owner].runs = draft.groups[owner].runs.filter((r) => !sameLetter(r, letter));
    if (current < 0 || current >= draft.groups.length) {
      if (draft.groups.length >= kMaxGroups) return say("في اللوحة ١٢ مجموعة، وهو أكثر ما تتسع له.", "The board has 12 groups, the most it can hold.", true);
      draft.groups.push({skill: "", runs: []});
      current = draft.groups.length - 1;
    }
    const g = draft.groups[current];
    // A group is letters of one word: a letter of another word starts the group again there.
    if (g.runs.length && g.runs[0][0] !== letter.word) g.runs = [];
    g.runs.push([letter.word, letter.letter, letter.count, 0]);
    g.runs.sort((a, b) => a[1] - b[1]);
  }
  changed();
}

// --- Groups and decoys -----------------------------------------------------------------------------
function skillInput(value, label, onInput) {
  const input = document.createElement("input");
  input.setAttribute("list", "skills");
  input.autocomplete = "off";
  input.value = value;
  input.setAttribute("aria-label", label);
  input.addEventListener("input", () => onInput(input.value));
  return input;
}

function drawGroups() {
  const list = $("groups");
  list.replaceChildren();
  draft.groups.forEach((g, i) => {
    const item = document.createElement("li");
    item.className = "group" + (i === current ? " current" : "");
    item.dataset.group = String(i);
    const pick = document.createElement("button");
    pick.type = "button";
    pick.className = "pick";
    pick.setAttribute("aria-pressed", String(i === current));
    pick.style.setProperty("--colour", view?.colours?.[i] || "#888");
    const written = file.lines.groups[i]?.written;
    pick.textContent = (i + 1).toLocaleString("ar-EG");
    pick.setAttribute("aria-label", `المجموعة ${i + 1} — group ${i + 1}`);
    pick.addEventListener("click", () => { current = i; drawSentence(); drawGroups(); });
    const letters = document.createElement("span");
    letters.className = "written";
    letters.textContent = written || "—";
    letters.lang = "ar";
    const skill = skillInput(g.skill, `مهارة المجموعة ${i + 1} — the skill of group ${i + 1}`, (v) => { g.skill = v; changed(false); });
    skill.addEventListener("focus", () => { if (current !== i) { current = i; drawSentence(); markCurrent(); } });
    const remove = document.createElement("button");
    remove.type = "button";
    remove.className = "remove";
    remove.setAttribute("aria-label", `حذف المجموعة ${i + 1} — delete group ${i + 1}`);
    remove.textContent = "×";
    remove.addEventListener("click", () => {
      draft.groups.splice(i, 1);
      current = Math.min(current, draft.groups.length - 1);
      changed();
    });
    item.append(pick, letters, skill, remove);
    // One letter that carries marks: its marks alone may be what the group asks about.
    const only = g.runs.length === 1 && g.runs[0][2] === 1 ? g.runs[0] : null;
    const letter = only && view?.letters.find((l) => sameLetter(only, l));
    if (letter?.marks) {
      const marks = document.createElement("button");
      marks.type = "button";
      marks.className = "marks";
      marks.setAttribute("aria-pressed", String(!!only[3]));
      bilingual(marks, "العلامة وحدها", "the mark alone");
      marks.addEventListener("click", () => { only[3] = only[3] ? 0 : 1; changed(); });
      item.append(marks);
    }
    const problems = document.createElement("ul");
    problems.className = "problems";
    item.append(problems);
    list.append(item);
  });
  $("add-group").disabled = draft.groups.length >= kMaxGroups;
  const decoys = $("decoys");
  decoys.replaceChildren();
  draft.decoys.forEach((skill, i) => {
    const item = document.createElement("li");
    item.className = "decoy";
    const input = skillInput(skill, `مهارة بلا حروف ${i + 1} — decoy ${i + 1}`, (v) => { draft.decoys[i] = v; changed(false); });
    const remove = document.createElement("button");
    remove.type = "button";
    remove.className = "remove";
    remove.textContent = "×";
    remove.setAttribute("aria-label", `حذف ${i + 1} — delete decoy ${i + 1}`);
    remove.addEventListener("click", () => { draft.decoys.splice(i, 1); changed(); });
    const problems = document.createElement("ul");
    problems.className = "problems";
    item.append(input, remove, problems);
    decoys.append(item);
  });
  $("add-decoy").disabled = draft.decoys.length >= kMaxDecoys;
}

function markCurrent() {
  document.querySelectorAll("#groups .group").forEach((item, i) => {
    item.classList.toggle("current", i === current);
    item.querySelector(".pick").setAttribute("aria-pressed", String(i === current));
  });
}

$("add-group").addEventListener("click", () => {
  draft.groups.push({skill: "", runs: []});
  current = draft.groups.length - 1;
  changed();
  document.querySelector(`#groups .group[data-group="${current}"] input`)?.focus();
});
$("add-decoy").addEventListener("click", () => {
  draft.decoys.push("");
  changed();
  document.querySelector("#decoys li:last-child input")?.focus();
});

// --- The board, drawn and checked ------------------------------------------------------------------
function problemItem(p) {
  const li = document.createElement("li");
  return bilingual(li, p.arabic, p.english);
}

// Each problem beside what it is about: the line of the board file says which part of the page.
function showProblems(problems) {
  document.querySelectorAll(".problems").forEach((p) => p.replaceChildren());
  const lines = file.lines;
  const placeOf = (line) => {
    for (const key of ["title", "sentence", "instruction", "teacher", "school"])
      if (lines[key] === line) return document.querySelector(`.problems[data-for="${key}"]`);
    const g = lines.groups.findIndex((at) => line >= at.group && line <= at.skill);
    if (g >= 0) return document.querySelectorAll("#groups .group .problems")[g];
    const d = lines.decoys.findIndex((at) => line === at || line === at - 1);
    if (d >= 0) return document.querySelectorAll("#decoys .decoy .problems")[d];
    return $("board-problems");
  };
  for (const p of problems) {
    const place = placeOf(p.line) || $("board-problems");
    place.append(problemItem(p));
  }
}

let drawing = 0;
async function drawBoard() {
  const mine = ++drawing, of = revision;
  const canvas = $("preview");
  const ratio = Math.min(window.devicePixelRatio || 1, 2);
  const width = Math.round(905 * ratio), height = Math.round(609 * ratio);
  pack = null;
  for (const id of ["try", "share", "download-pack"]) $(id).disabled = true;
  const started = performance.now();
  const result = await ask("board", [draft, width, height], (step) => {
    if (mine !== drawing) return;
    if (step.step === "file") {
      file = step;
      document.querySelectorAll("#groups .group .written").forEach((el, i) => { el.textContent = step.lines.groups[i]?.written || "—"; });
    } else if (step.step === "preview") {
      canvas.dataset.drawnIn = String(Math.round(performance.now() - started));
      if (step.pixels) {
        canvas.width = width;
        canvas.height = height;
        canvas.getContext("2d").putImageData(new ImageData(new Uint8ClampedArray(step.pixels.buffer), width, height), 0, 0);
        canvas.dataset.paintedAt = String(performance.now());
      }
      canvas.classList.toggle("stale", !step.preview.drawn);
      if (!step.preview.drawn) {  // nothing follows: the verdict is said here, or the last one would stand
        showProblems(step.preview.problems);
        sayVerdict(step.preview.problems.length || 1);
      }
    } else if (step.step === "made") {
      showProblems(step.made.error ? [{line: 0, arabic: "تعذّر صنع اللوحة.", english: "The board cannot be made: " + step.made.error}]
                                   : step.made.problems);
      canvas.dataset.checkedIn = String(Math.round(performance.now() - started));
      const good = !step.made.error && step.made.problems.length === 0;
      pack = good ? step.pack : null;
      for (const id of ["try", "share", "download-pack"]) $(id).disabled = !good;
      if (step.made.error) say("تعذّر صنع اللوحة.", "The board cannot be made.", true);
      else sayVerdict(step.made.problems.length);
    }
  }).catch((error) => say("تعذّر رسم اللوحة.", "The board cannot be drawn: " + error.message, true));
  if (mine === drawing) document.body.dataset.made = String(of);
  return result;
}

function sayVerdict(n) {
  if (!n) say("اللوحة سليمة: يمكن تجربتها ومشاركتها.", "The board is good: try it and share it.");
  else say(n === 1 ? "في اللوحة مشكلة واحدة، مبيّنة بجانب سببها." : n === 2 ? "في اللوحة مشكلتان، مبيّنتان بجانب سببهما." : `في اللوحة ${n.toLocaleString("ar-EG")} ${n <= 10 ? "مشكلات" : "مشكلة"}، مبيّنة بجانب أسبابها.`,
           n === 1 ? "The board has one problem, shown beside its cause." : `The board has ${n} problems, each shown beside its cause.`, true);
}

let soon = 0;
let revision = 0;  // of the draft: what the page shows says which one it is of (data-made, data-drawn)
function changed(redrawList = true) {
  document.body.dataset.revision = String(++revision);
  keep();
  $("shared").hidden = true;
  if (redrawList) drawGroups();
  clearTimeout(soon);
  // Typing goes on: a pause as short as a keystroke's, and the maker draws only the newest board.
  soon = setTimeout(() => { drawSentence().then(() => redrawList && drawGroups()); drawBoard(); }, 40);
}

for (const key of ["sentence", "title", "instruction", "teacher", "school"])
  $(key).addEventListener("input", () => {
    const sentenceChanged = key === "sentence";
    draft[key] = $(key).value;
    // Other words, other letters: what was tapped in the old sentence no longer points anywhere.
    if (sentenceChanged) for (const g of draft.groups) g.runs = [];
    changed(sentenceChanged);
  });

function fill() {
  for (const key of ["sentence", "title", "instruction", "teacher", "school"]) $(key).value = draft[key] || "";
  $("more").open = !!(draft.title || draft.instruction || draft.teacher || draft.school) || $("more").open;
  current = draft.groups.length ? 0 : -1;
  changed();
}

// --- Sharing --------------------------------------------------------------------------------------
function download(bytes, name, type) {
  const a = document.createElement("a");
  a.href = URL.createObjectURL(new Blob([bytes], {type}));
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

// A file name from the title, in the teacher's own letters, with nothing a file system refuses.
const fileName = (ext) => ((draft.title || "لوحة").replace(/[\\/:*?"<>|\u0000-\u001f]/g, " ").trim().slice(0, 60) || "board") + ext;

$("download-pack").addEventListener("click", () => pack && download(pack, fileName(".wizlo"), "application/x-wizlo-board"));
$("download-file").addEventListener("click", async () => {
  const {text} = await ask("file", [draft]);
  download(new TextEncoder().encode(text), fileName(".toml"), "text/plain;charset=utf-8");
});

$("share").addEventListener("click", async () => {
  const {answer} = await ask("link", [file.text]);
  const link = new URL("../#" + answer.link, location.href).href;
  $("link").value = link;
  $("shared").hidden = false;
  drawQrCode($("qr"), link);
});
$("copy-link").addEventListener("click", async () => {
  try {
    await navigator.clipboard.writeText($("link").value);
    say("نُسخ الرابط.", "The link is copied.");
  } catch {
    $("link").select();
  }
});

// "Try it": the board played in the page, by the pupil's own program, as a chosen board is.
$("try").addEventListener("click", async () => {
  if (!pack) return;
  const key = new URL("../chosen/" + encodeURIComponent(fileName(".wizlo")), location.href).href;
  // The program's copy beside this page keeps its chosen boards under its own folder's name.
  const cache = await caches.open("wizlo-chosen " + new URL("..", location.href).pathname);
  await cache.put(key, new Response(pack));
  $("trial").src = "../?pack=" + encodeURIComponent("chosen/" + encodeURIComponent(fileName(".wizlo")));
  $("trying").showModal();
});
$("stop-trying").addEventListener("click", () => { $("trying").close(); $("trial").src = "about:blank"; });

// --- Opening a board made before ------------------------------------------------------------------
async function openBoardFile(text) {
  const {answer} = await ask("read_draft", [text]);
  if (answer.problems) {
    showProblems(answer.problems.map((p) => ({...p, line: 0})));
    return say("لا يمكن فتح هذه اللوحة للتعديل؛ المشكلات أدناه.", "This board cannot be opened to change it; the problems are below.", true);
  }
  draft = {...empty(), ...answer, decoys: answer.decoys || []};
  fill();
  say("فُتحت اللوحة.", "The board is open.");
}

async function openLink(fragment) {
  const {answer} = await ask("read_link", [fragment]);
  if (answer.problem) return say(answer.problem.arabic, answer.problem.english, true);
  await openBoardFile(answer.board);
}

$("open").addEventListener("click", () => $("open-file").click());
$("open-file").addEventListener("change", async () => {
  const chosen = $("open-file").files[0];
  if (!chosen) return;
  $("open-file").value = "";
  // A pack carries the board file it was made from; the maker finds it, or says why not.
  if (/\.wizlo$/i.test(chosen.name)) {
    if (chosen.size > 16 * 1024 * 1024) return say("الملف أكبر من أن يكون لوحة درس.", "The file is too large to be a lesson board.", true);
    const {answer} = await ask("read_pack", [new Uint8Array(await chosen.arrayBuffer())]);
    if (answer.problem) return say(answer.problem.arabic, answer.problem.english, true);
    return openBoardFile(answer.board);
  }
  if (chosen.size > 64 * 1024) return say("الملف أكبر من أن يكون ملف لوحة.", "The file is too large to be a board file.", true);
  // What Notepad saves as "Unicode" starts with its mark; anything else is read as UTF-8, and the
  // maker says what it cannot read.
  const bytes = new Uint8Array(await chosen.arrayBuffer());
  const encoding = bytes[0] === 0xFF && bytes[1] === 0xFE ? "utf-16le" : bytes[0] === 0xFE && bytes[1] === 0xFF ? "utf-16be" : "utf-8";
  await openBoardFile(new TextDecoder(encoding).decode(bytes));
});
$("start-again").addEventListener("click", () => {
  if (draft.sentence && !confirm("تُمحى اللوحة الحالية؟ — Clear this board?")) return;
  draft = empty();
  fill();
});

// --- Start ----------------------------------------------------------------------------------------
const list = $("skills");
for (const s of skills) {
  const option = document.createElement("option");
  option.value = s.arabic;
  option.label = s.english;
  list.append(option);
}

(async () => {
  const fromLink = location.hash.startsWith("#board=") ? location.hash.slice(1) : "";
  if (fromLink) {
    history.replaceState(null, "", location.pathname + location.search);
    await openLink(fromLink);
  } else {
    draft = kept() || empty();
    fill();
  }
  say("تُكتب الجملة، ثم يُنقر على حروفها.", "Type the sentence, then tap its letters.");
  keepForOffline();
})();

// Once the page works, its files are kept so that it opens again with the network gone: a cache of
// this copy's own, replaced whole when the copy's version changes, and the program's service worker
// to answer from it.
async function keepForOffline() {
  if (!("caches" in window) || !("serviceWorker" in navigator) || location.protocol === "file:") return;
  try {
    navigator.serviceWorker.register("../service-worker.js", {updateViaCache: "none"}).catch(() => {});
    const listing = await (await fetch("offline.json", {cache: "no-cache"})).json();
    const prefix = `wizlo-maker ${new URL(".", location.href).pathname} `;
    const name = prefix + listing.version;
    if (!(await caches.has(name))) {
      const cache = await caches.open(name);
      // Past the browser's own cache, which a server's default headers may leave holding old files.
      await cache.addAll(listing.files.map((f) => new Request(f, {cache: "reload"})));
    }
    for (const old of await caches.keys()) if (old.startsWith(prefix) && old !== name) await caches.delete(old);
    document.body.dataset.offline = "ready";
  } catch (error) {
    console.warn("wizlo: the authoring page is not kept for offline use: " + error);
  }
}
