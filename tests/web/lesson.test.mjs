// A teacher's board in the browser: the sample pack named in the page's address, played to its end as
// the program's own boards are, its decoy fitting no circle, its back button ending the program; the
// same pack chosen from a file; and a damaged or missing pack refused with its name.
import { test } from "node:test";
import assert from "node:assert/strict";
import { mkdtempSync, readFileSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { siteAndBrowser, openSite, form, control, centre, soundsHeard, SAMPLE_PACK } from "./harness.mjs";

const damaged = join(mkdtempSync(join(tmpdir(), "wizlo-lesson-")), "damaged.wizlo");
const bytes = readFileSync(SAMPLE_PACK);
bytes.fill(0x41, 200, 400);  // somewhere in its directory and first entry
writeFileSync(damaged, bytes);
const site = siteAndBrowser(undefined, { "/lessons/second-grade.wizlo": SAMPLE_PACK, "/lessons/damaged.wizlo": damaged });

const LESSON = "Lesson";

async function colourShare(page, c, green) {
  const client = form(LESSON);
  return page.evaluate(({ rect, client, green }) => {
    const canvas = document.querySelector(".window canvas");
    const sx = canvas.width / client.clientWidth, sy = canvas.height / client.clientHeight;
    const data = canvas.getContext("2d").getImageData(Math.round(rect.left * sx), Math.round(rect.top * sy),
      Math.max(1, Math.round(rect.width * sx)), Math.max(1, Math.round(rect.height * sy))).data;
    let hits = 0;
    for (let i = 0; i < data.length; i += 4)
      if (green ? data[i + 1] > 140 && data[i] < 110 && data[i + 2] < 110 : data[i] > 170 && data[i + 1] < 90 && data[i + 2] < 90) hits++;
    return hits / (data.length / 4);
  }, { rect: c, client, green });
}

async function waitForMark(page, green) {
  const mark = control(LESSON, green ? "Imy" : "Imn");
  for (let tries = 0; tries < 100; tries++) {
    if ((await colourShare(page, mark, green)) > 0.05) return;
    await page.waitForTimeout(50);
  }
  assert.fail(`the ${green ? "check" : "cross"} never showed`);
}

async function playToTheEnd(page, pupil) {
  const controls = form(LESSON).controls;
  const keys = controls.filter((c) => c.name === "l");
  const keyTags = new Set(keys.map((k) => k.tag));
  const decoy = controls.find((c) => c.name === "c" && c.visible && !keyTags.has(c.tag));
  assert.ok(decoy, "the sample board has a decoy");
  await pupil.drag(LESSON, centre(decoy), centre(control(LESSON, "g", 0)));
  await waitForMark(page, false);
  for (const key of keys) {
    const piece = controls.find((c) => c.name === "c" && c.tag === key.tag);
    await pupil.drag(LESSON, centre(piece), centre(control(LESSON, "g", key.index)));
    await waitForMark(page, true);
  }
  const heard = await soundsHeard(page, keys.length + 1);
  assert.equal(heard.length, keys.length + 1, "every judged drop sounds once");
  await pupil.click(LESSON, centre(control(LESSON, "rrr")));
  const ended = await page.waitForSelector(".notice.ended");
  assert.ok(await ended.$("a"), "no way back to the menu");
}

test("a teacher's board named in the address is played to its end, and its back button ends it", async () => {
  const { page, pupil, problems, context } = await openSite(site.browser, site.server, { path: "?pack=lessons/second-grade.wizlo" });
  assert.equal(await page.$$eval(".window", (all) => all.length), 1, "the board is shown alone");
  await playToTheEnd(page, pupil);
  assert.deepEqual(problems, []);
  await context.close();
});

test("a teacher's board chosen from a file opens alone", async () => {
  const { page, context } = await openSite(site.browser, site.server);
  const chosen = page.waitForURL(/pack=chosen/);
  await page.setInputFiles("input[type=file]", SAMPLE_PACK);
  await chosen;
  await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
  const canvas = await page.$eval(".window canvas", (c) => [c.width, c.height]);
  assert.ok(canvas[0] > 0);
  await context.close();
});

test("a damaged or missing pack is refused with its name, and nothing else opens", async () => {
  for (const [path, says] of [["lessons/damaged.wizlo", /damaged\.wizlo/], ["lessons/none.wizlo", /none\.wizlo.*404/s]]) {
    const context = await site.browser.newContext();
    const page = await context.newPage();
    await page.goto(site.server.url + "?pack=" + path);
    const notice = await page.waitForSelector(".notice.error");
    assert.match(await notice.textContent(), says);
    assert.equal(await page.$$eval(".window", (all) => all.length), 0);
    await context.close();
  }
});
