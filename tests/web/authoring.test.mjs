// A teacher makes and shares a board in the browser: on the authoring page at a tablet's size, by
// taps alone, a board with a word the sentence has twice and a mark coloured alone; a problem shown
// beside its cause and mended; "Try it" opening the board in the pupil's program. Its link, opened in
// a fresh browser on a phone, then again with the network gone, played to its end by touch. The
// pack it downloads read by the Linux program's reader. Links nobody shared refused with a message.
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { deflateSync } from "node:zlib";
import { siteAndBrowser, Pupil, centre, soundsHeard, listenToTheAudioGraph, LINUX_BUILD } from "./harness.mjs";

const site = siteAndBrowser();

const folder = mkdtempSync(join(tmpdir(), "wizlo-authoring-"));
let shared = null;  // {link, pack}

const status = (page) => page.textContent("#status");
const letter = (page, text, nth = 0) => page.locator(`#letters button.letter[aria-label^="${text}"]`).nth(nth);

// After a change, the page answers in three steps; this waits until the sentence and the checks it
// shows are those of the draft as changed, not of one before.
async function checked(page, change) {
  await change();
  const revision = await page.getAttribute("body", "data-revision");
  await page.waitForFunction((r) => document.body.dataset.made === r && document.getElementById("letters").dataset.drawn === r,
                             revision);
}

test("a board made by taps on a tablet, a problem mended, tried and shared", async () => {
  const context = await site.browser.newContext({viewport: {width: 1180, height: 820}, deviceScaleFactor: 2, hasTouch: true});
  const page = await context.newPage();
  const problems = [];
  page.on("pageerror", (error) => problems.push(error.message));
  await page.goto(site.server.url + "maker/");
  await page.waitForFunction(() => document.getElementById("status").textContent.includes("تُكتب"));

  await checked(page, () => page.fill("#sentence", "قرأ الولدُ الدرسَ، وكتب الدرسَ"));
  // The lam of the first الدرس, the damma alone on الولدُ, and the lam of the second الدرس (الولد has two).
  await checked(page, () => letter(page, "ل", 2).tap());
  await page.locator("#groups .group input").nth(0).fill("لام شمسية");
  await checked(page, () => page.tap("#add-group"));
  await checked(page, () => letter(page, "دُ").tap());
  await checked(page, () => page.locator("#groups .group .marks").tap());
  await page.locator("#groups .group input").nth(1).fill("ضمة");
  await checked(page, () => page.tap("#add-group"));
  await checked(page, () => letter(page, "ل", 3).tap());
  await page.locator("#groups .group input").nth(2).fill("لام شمسية");
  await checked(page, () => page.tap("#add-decoy"));
  await checked(page, () => page.locator("#decoys input").fill("تاء مربوطة"));

  const written = await page.locator("#groups .group .written").allTextContents();
  assert.deepEqual(written, ["ا(ل)درسَ", "الولد(ُ)", "ا(ل)درسَ"]);
  // One skill asked twice: said beside the group that repeats it, and nowhere else.
  const third = page.locator("#groups .group").nth(2).locator(".problems li");
  assert.equal(await third.count(), 1);
  assert.match(await third.textContent(), /مذكورة في السطر/);
  assert.ok(await page.isDisabled("#try"));
  await checked(page, () => page.locator("#groups .group input").nth(2).fill("لام قمرية"));
  assert.equal(await page.locator(".problems li").count(), 0);
  assert.match(await status(page), /اللوحة سليمة/);
  assert.ok(Number(await page.getAttribute("#preview", "data-drawn-in")) > 0);

  // "Try it": the pupil's own program, in the page.
  await page.tap("#try");
  const trial = page.frameLocator("#trial");
  await trial.locator(".window canvas").waitFor();
  assert.equal(await trial.locator(".window").count(), 1, "the board alone, without the menu");
  await page.tap("#stop-trying");

  // Its pack and its link.
  const [download] = await Promise.all([page.waitForEvent("download"), page.tap("#download-pack")]);
  const pack = join(folder, "board.wizlo");
  await download.saveAs(pack);
  await page.tap("#share");
  await page.waitForFunction(() => document.getElementById("link").value.includes("#board=1."));
  shared = {link: await page.inputValue("#link"), pack};
  assert.ok(Number(await page.getAttribute("#qr", "data-modules")) > 20, "a QR code was drawn");

  // A reload brings the draft back.
  await page.reload();
  await page.waitForFunction(() => document.getElementById("status").textContent.includes("تُكتب"));
  assert.equal(await page.inputValue("#sentence"), "قرأ الولدُ الدرسَ، وكتب الدرسَ");
  assert.equal(await page.locator("#groups .group").count(), 3);
  // Cleared, then opened again from its pack alone, to be changed.
  page.once("dialog", (dialog) => dialog.accept());
  await page.tap("#start-again");
  assert.equal(await page.inputValue("#sentence"), "");
  await page.setInputFiles("#open-file", pack);
  await page.waitForFunction(() => document.getElementById("sentence").value !== "");
  await checked(page, async () => {});  // the opened draft's own groups written out
  assert.equal(await page.inputValue("#sentence"), "قرأ الولدُ الدرسَ، وكتب الدرسَ");
  // The same groups, listed as the sentence reads them.
  assert.deepEqual((await page.locator("#groups .group .written").allTextContents()).sort(), [...written].sort());
  assert.deepEqual(problems, []);
  await context.close();
});

// The downloaded pack, as the Linux program reads it: its layout, for the finger to aim at.
function layoutOf(pack) {
  const json = JSON.parse(execFileSync(join(LINUX_BUILD, "tests", "web", "wizlo-web-layouts"), [pack], {encoding: "utf8"}));
  return json.forms.at(-1);
}

async function playByTouch(page, lesson) {
  const pupil = new Pupil(page, {[lesson.name]: lesson});
  const keys = lesson.controls.filter((c) => c.name === "l");
  for (const key of keys) {
    const piece = lesson.controls.find((c) => c.name === "c" && c.tag === key.tag);
    const circle = lesson.controls.find((c) => c.name === "g" && c.index === key.index);
    await pupil.fingerDrag(lesson.name, centre(piece), centre(circle));
  }
  const heard = await soundsHeard(page, keys.length);
  assert.equal(heard.length, keys.length, "each right drop sounds once");
  assert.ok(heard.every((sound) => sound.heard > 0.9), "and is heard whole");
}

test("the shared link plays on a phone, then again with the network gone", async () => {
  assert.ok(shared, "the board was shared");
  const lesson = layoutOf(shared.pack);
  assert.equal(lesson.controls.filter((c) => c.name === "l").length, 3, "the Linux reader reads three circles' keys");
  const context = await site.browser.newContext({viewport: {width: 740, height: 360}, deviceScaleFactor: 2, hasTouch: true});
  const page = await context.newPage();
  await page.addInitScript(listenToTheAudioGraph);
  await page.goto(shared.link);
  await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
  await page.waitForFunction(() => navigator.serviceWorker?.controller);
  await context.setOffline(true);
  await page.reload();
  await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
  assert.equal(await page.locator(".window").count(), 1);
  await playByTouch(page, lesson);
  await context.close();
});

// A link as anyone can make one, packed here by Node's own zlib.
const linkTo = (text) => "#board=1." + deflateSync(Buffer.from(text)).toString("base64url");

test("links nobody shared are refused with a message, and nothing in them becomes markup", async () => {
  const sly = 'title = "<img src=x onerror=\'window.pwned=1\'>"\nsentence = "ذهبت الطالبة"\n' +
              '[[group]]\nletters = "ذهب(ت)"\nskill = "تاء مفتوحة"\n';
  const cases = [
    ["#board=1.AAAA-_", /نُسخ ناقصًا/],
    ["#board=1." + "A".repeat(20000), /أطول من أن يحمل/],
    [linkTo(" ".repeat(1 << 20)), /أكبر من أن تكون لوحة درس/],
    [linkTo(sly.replace("ذهبت الطالبة", "ذهبت <b>الطالبة</b>")), /ما لا تعرضه اللوحة/],
    [linkTo(sly), null],  // a good board: its title is the window's caption, as letters
  ];
  for (const [fragment, says] of cases) {
    const context = await site.browser.newContext({viewport: {width: 1024, height: 768}});
    const page = await context.newPage();
    await page.goto(site.server.url + fragment);
    if (says) {
      const notice = await page.waitForSelector(".notice.error");
      assert.match(await notice.textContent(), says);
    } else {
      await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
      assert.match(await page.textContent(".window .title"), /<img src=x/);
    }
    assert.equal(await page.locator("img, b").count(), 0, fragment.slice(0, 40));
    assert.equal(await page.evaluate(() => window.pwned), undefined);
    await context.close();
  }
});
