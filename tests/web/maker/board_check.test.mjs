// `wizlo-board check` built for WebAssembly (maker/web), run under Node, gives every board the very
// verdict the Linux tool gives it, byte for byte: the guide's example, each kind of mistake a teacher
// can make (those of the maker's own table, tests/maker/board_file_mistakes_test.cpp), a board the
// drawing itself refuses, and boards it passes.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { copyFileSync, mkdtempSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";

const check = join(`${process.env.WIZLO_WEB_SITE}-checks`, "maker", "check.mjs");
const linux = join(process.env.WIZLO_LINUX_BUILD, "maker", "wizlo-board");
const root = resolve("../..");
const folder = mkdtempSync(join(tmpdir(), "wizlo-board-web-"));

const board = (groups, sentence = "ذهبت الطالبة إلى المدرسة") => `title = "درس"\nsentence = "${sentence}"\n\n${groups}`;
const group = (letters, skill) => `[[group]]\nletters = "${letters}"\nskill = "${skill}"\n`;
const thirteenGroups = () => {
  const letters = ["ذ(ه)بت", "ذه(ب)ت", "ذهب(ت)", "(ا)لطالبة", "ا(ل)طالبة", "ال(ط)البة", "الط(ا)لبة", "الطا(ل)بة",
                   "الطال(ب)ة", "الطالب(ة)", "(إ)لى", "إ(ل)ى", "إل(ى)"];
  return 'sentence = "ذهبت الطالبة إلى المدرسة مبكرًا وقرأت كتابًا جميلًا"\n' +
         letters.map((l, i) => `[[group]]\nletters = "${l}"\nskill = "مهارة ${i + 1}"\n`).join("");
};

// The maker's own table of mistakes, and one the drawing finds.
const mistakes = [
  ["a word that is not in the sentence", board(group("ذهب(ث)", "تاء مفتوحة"))],
  ["a parenthesis between a letter and its shadda", board(group("ال(ت)ّفاحة", "حرف مضعف"), "أكل سعود التّفاحة")],
  ["only the alef of a lam-alef", board(group("إل(ا)", "مد بالألف"), "ما هذا إلا كتاب")],
  ["too many groups", thirteenGroups()],
  ["a sentence too long to fit", board(group("ذهب(ت)", "تاء مفتوحة"),
     "ذهبت الطالبة المجتهدة إلى المدرسة القريبة من البيت مبكرًا في الصباح الباكر مع أختها الصغيرة وصديقتها")],
  ["a Latin letter in the sentence", board(group("ذهب(ت)", "تاء مفتوحة"), "ذهبت Amal إلى المدرسة")],
  ["an invisible direction mark in the sentence", board(group("ذهب(ت)", "تاء مفتوحة"), "ذهبت\u200F الطالبة")],
  ["letters in the printed forms a PDF gives", board(group("ذهب(ت)", "تاء مفتوحة"), "ذهبت \uFEBF\uFEA0")],
  ["a text without its quotes", 'title = "درس"\nsentence = ذهبت الطالبة\n'],
  ["a misspelt name", 'title = "درس"\nsentence = "ذهبت"\nteachr = "أ. سارة"\n' + group("ذهب(ت)", "تاء مفتوحة")],
  ["no sentence at all", 'title = "درس"\n' + group("ذهب(ت)", "تاء مفتوحة")],
  ["no groups at all", board("")],
  ["one skill asked twice", board(group("ذهب(ت)", "تاء") + group("الطالب(ة)", "تاء"))],
  ["two groups colouring one letter", board(group("(ذهبت)", "فعل") + group("ذهب(ت)", "تاء مفتوحة"))],
  ["which time of a word the sentence has only twice", board(group("(ك)تاب", "حرف") + "word = ٣\n", "كتاب على كتاب")],
  ["a file saved in the Arabic code page of old Windows", Buffer.from('sentence = "\xD0\xE5\xC8\xCA"\n', "latin1")],
  ["punctuation inside the parentheses", board(group("الطالب(ة،)", "تاء مربوطة"), "ذهبت الطالبة، إلى المدرسة")],
  ["a parenthesis never closed", board(group("ذهب(ت", "تاء مفتوحة"))],
  ["a group across two words", board(group("ذهبت (ا)لطالبة", "همزة وصل"))],
  ["marks alone where the sentence has none", board(group("ذهبت(ْ)", "سكون"))],
  ["a skill's name too long for the board", board(group("ذهب(ت)", "تاء مفتوحة في آخر الفعل الماضي تدل على"))],
  ["four decoys", board(group("ذهب(ت)", "تاء مفتوحة") + ["أ", "ب", "ج", "د"].map((s) => `[[decoy]]\nskill = "${s}"\n`).join(""))],
  // Found only on the drawn backdrop.
  ["a shadda coloured alone, out of its arrow's reach", board(group("الت(ّ)فاحة", "شدة"), "أكل سعود التّفاحة")],
];

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
