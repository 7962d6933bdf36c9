// `wizlo-board check` built for WebAssembly (maker/web), run under Node, gives every board the very
// verdict the Linux tool gives it, byte for byte: the guide's example, each kind of mistake a teacher
// can make (the maker's own table, tests/maker/mistakes/), and boards the drawing passes.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { copyFileSync, mkdtempSync, readdirSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";

const check = join(`${process.env.WIZLO_WEB_SITE}-checks`, "maker", "check.mjs");
const linux = join(process.env.WIZLO_LINUX_BUILD, "maker", "wizlo-board");
const root = resolve("../..");
const folder = mkdtempSync(join(tmpdir(), "wizlo-board-web-"));

const board = (groups, sentence = "ذهبت الطالبة إلى المدرسة") => `title = "درس"\nsentence = "${sentence}"\n\n${groups}`;
const group = (letters, skill) => `[[group]]\nletters = "${letters}"\nskill = "${skill}"\n`;
// The maker's own table of mistakes: a folder of board files, one a case.
const mistakesFolder = join(root, "tests/maker/mistakes");
const mistakes = readdirSync(mistakesFolder).sort().map((name) => [name, readFileSync(join(mistakesFolder, name))]);

// Boards the drawing passes.
const good = [
  ["a sukun coloured alone", board(group("ذهبت(ْ)", "سكون"), "ذهبتْ الطالبة إلى المدرسة")],
  ["two groups", board(group("ذهب(ت)", "تاء مفتوحة") + group("الطالب(ة)", "تاء مربوطة"))],
  ["three long decoys", board(group("ذهب(ت)", "تاء مفتوحة") + group("الطالب(ة)", "تاء مربوطة") +
     [0, 1, 2].map((i) => `[[decoy]]\nskill = "مهارة طويلة الاسم جدا في الدر${i}"\n`).join(""))],
];

function sameAsLinux(name) {
  const web = spawnSync(process.execPath, ["--no-experimental-fetch", check, name], { cwd: folder, encoding: "utf8" });
  const native = spawnSync(linux, ["check", name], { cwd: folder, encoding: "utf8" });
  assert.equal(web.stderr, native.stderr);
  assert.equal(web.stdout, native.stdout);
  assert.equal(web.status, native.status);
  return web;
}

test("the guide's example is good in both", () => {
  copyFileSync(join(root, "docs/examples/second-grade.toml"), join(folder, "second-grade.toml"));
  assert.equal(sameAsLinux("second-grade.toml").status, 0);
});

let count = 0;
for (const [what, text] of [...mistakes, ...good])
  test(`${what}: the same verdict in both`, () => {
    const name = `board-${String(++count).padStart(2, "0")}.toml`;
    writeFileSync(join(folder, name), text);
    sameAsLinux(name);
  });

// The pictures agree too: each backdrop the browser's maker packs, at 1x and at 2x, against the Linux
// maker's, within a few levels over the board and with few pixels further off (the two draw with
// different rasterizers and JPEG encoders, each within a level or two of the other almost everywhere).
function backdropsOf(pack) {
  const count = pack.readUInt16LE(10);
  let at = 12;
  const entries = [];
  for (let i = 0; i < count; ++i) {
    const length = pack[at];
    const name = pack.toString("latin1", at + 1, at + 1 + length);
    at += 1 + length;
    entries.push([name, pack.readUInt32LE(at)]);
    at += 8;
  }
  const out = {};
  for (const [name, size] of entries) {
    if (name.startsWith("backdrop-")) out[name] = pack.subarray(at, at + size);
    at += size;
  }
  return out;
}

const nineGroups = 'title = "درس"\nsentence = "استخرج التلميذُ الكتابَ من الحقيبة وقرأ قصةً جميلة"\n' +
  [["(ا)ستخرج", "همزة وصل"], ["ا(س)تخرج", "حرف السين"], ["اس(ت)خرج", "حرف التاء"], ["است(خ)رج", "حرف الخاء"],
   ["ا(ل)تلميذُ", "لام شمسية"], ["التلميذ(ُ)", "ضمة"], ["ا(ل)كتابَ", "لام قمرية"], ["الحقيب(ة)", "تاء مربوطة"],
   ["و(قرأ)", "فعل"]].map(([l, s]) => group(l, s)).join("");

for (const [what, text] of [["the guide's example", null], ["nine groups, four in one word and a mark alone", nineGroups]])
  test(`${what}: the same pictures from both, within a few levels`, () => {
    const name = join(folder, `pictures-${text ? "nine" : "guide"}.toml`);
    if (text) writeFileSync(name, text);
    else copyFileSync(join(root, "docs/examples/second-grade.toml"), name);
    const web = spawnSync(process.execPath, ["--no-experimental-fetch", check, name, "--pack", `${name}.web.wizlo`], { encoding: "utf8" });
    const native = spawnSync(linux, ["make", name, `${name}.linux.wizlo`], { encoding: "utf8" });
    assert.equal(web.status, 0, web.stderr);
    assert.equal(native.status, 0, native.stderr);
    const [ours, theirs] = [`${name}.web.wizlo`, `${name}.linux.wizlo`].map((p) => backdropsOf(readFileSync(p)));
    assert.deepEqual(Object.keys(ours).sort(), Object.keys(theirs).sort());
    for (const file of Object.keys(ours)) {
      writeFileSync(join(folder, "web.jpg"), ours[file]);
      writeFileSync(join(folder, "linux.jpg"), theirs[file]);
      const measure = (...how) => Number(spawnSync("compare", ["-metric", ...how, "linux.jpg", "web.jpg", "null:"],
                                                  { cwd: folder, encoding: "utf8" }).stderr.match(/[\d.e+]+/)[0]);
      const [w, h] = file.match(/(\d+)x(\d+)/).slice(1).map(Number);
      const rmse = measure("RMSE") / 65535 * 255;
      const farOff = measure("AE", "-fuzz", `${(16 / 255) * 100}%`) / (w * h);
      assert.ok(rmse < 3, `${file}: ${rmse.toFixed(2)} levels apart (root mean square)`);
      assert.ok(farOff < 0.003, `${file}: ${(farOff * 100).toFixed(2)} % of its pixels more than 16 levels apart`);
    }
  });
