// The page around the program: its sounds heard whole (the first one too, which the browser lets
// play only after a gesture), the board deaf while one plays; the web hot spot's new tab with popups
// blocked; a second visit with the network gone; and what a pupil sees when something is missing.
import { test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { siteAndBrowser, openSite, FORMS, control, centre, form, soundsHeard, windowsOn, SITE } from "./harness.mjs";

const site = siteAndBrowser();

// A sound file's length in seconds, from its header.
function lengthOf(file) {
  const bytes = readFileSync(join(SITE, file));
  const channels = bytes.readUInt16LE(22), rate = bytes.readUInt32LE(24), bits = bytes.readUInt16LE(34);
  let at = 12;
  while (bytes.toString("latin1", at, at + 4) !== "data") at += 8 + bytes.readUInt32LE(at + 4);
  return bytes.readUInt32LE(at + 4) / (rate * channels * (bits / 8));
}

async function openBoard(page, pupil, name) {
  await pupil.click("Form1", centre(control("Form1", FORMS.menu.find((r) => r.form === name).hotSpot)));
  await page.waitForFunction(() => [...document.querySelectorAll(".window canvas")].filter((c) => c.width > 0).length === 2);
}

const pieceFor = (board, circle) =>
  form(board).controls.find((c) => c.name === "c" && c.visible && c.tag === control(board, "l", circle).tag);

test("the first drop's sound is heard whole, and the board takes nothing in while a sound plays", async () => {
  const { page, pupil, problems, context } = await openSite(site.browser, site.server);
  await openBoard(page, pupil, "Form2");
  // Straight away, a right drop and then a wrong one: the second is handled after the first "yes".
  await pupil.drag("Form2", centre(pieceFor("Form2", 0)), centre(control("Form2", "g", 0)));
  await pupil.drag("Form2", centre(pieceFor("Form2", 1)), centre(control("Form2", "g", 2)));
  const heard = await soundsHeard(page, 2);
  assert.equal(heard.length, 2, `heard ${JSON.stringify(heard)}`);
  const [yes, no] = heard;
  assert.ok(Math.abs(yes.duration - lengthOf("yes.wav")) < 0.01, `the first sound is not "yes": ${yes.duration} s`);
  assert.ok(Math.abs(no.duration - lengthOf("no.wav")) < 0.01, `the second sound is not "no": ${no.duration} s`);
  for (const sound of heard) assert.ok(sound.heard > 0.9 && sound.heard < 1.1, `a sound not heard whole: ${sound.heard}`);
  assert.ok(no.at >= yes.at + yes.duration - 0.02, "the wrong drop was judged while \"yes\" still played");
  assert.deepEqual(problems, []);
  await context.close();
});

test("the web hot spot opens the address in a new tab, with popups blocked", async () => {
  const { page, pupil, context } = await openSite(site.browser, site.server);
  // The address's site, as the network would give it.
  await context.route(/^https:\/\/wizlo\.example\.org\//, (route) => route.fulfill({ body: "the author's site" }));
  for (const where of ["Form1", "Form2"]) {
    if (where !== "Form1") await openBoard(page, pupil, where);
    const opened = context.waitForEvent("page");
    await pupil.click(where, centre(control(where, "wex")));
    const tab = await opened;
    await tab.waitForLoadState();
    assert.match(tab.url(), /^https:\/\/wizlo\.example\.org\/?$/, `${where} opened ${tab.url()}`);
    await tab.close();
  }
  await context.close();
});

test("a second visit starts with the network gone", async () => {
  const { page, pupil, context } = await openSite(site.browser, site.server);
  // The service worker keeps every file once the first frame is up.
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    while (!navigator.serviceWorker.controller) await new Promise((resolve) => setTimeout(resolve, 50));
  });
  const port = site.server.port;
  await site.server.stop();
  try {
    await page.reload();
    await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
    await openBoard(page, pupil, "Form4");
    await pupil.drag("Form4", centre(pieceFor("Form4", 0)), centre(control("Form4", "g", 0)));
    const heard = await soundsHeard(page, 1);
    assert.equal(heard.length, 1, "no sound offline");
  } finally {
    await site.server.start(port);
  }
  await context.close();
});

test("what is missing is said on the page, and a missing sound is skipped", async () => {
  // A picture one board needs cannot be fetched: that board says so and closes, the menu stays,
  // and another board opens and plays.
  const { page, pupil, context, problems } = await openSite(site.browser, site.server);
  site.server.missing = (path) => path.startsWith("/pictures/Backdrop2");
  try {
    await pupil.click("Form1", centre(control("Form1", FORMS.menu.find((r) => r.form === "Form2").hotSpot)));
    const notice = await page.waitForSelector(".notice.refusal", { timeout: 10000 });
    assert.match(await notice.textContent(), /^تعذّر الفتح.*لوحة: .*Backdrop2.*A picture it needs did not arrive \(Backdrop2/s);
    assert.equal((await windowsOn(page)).length, 1, "the board's window stayed");
    assert.equal(await page.$(".notice.error"), null, "the program stopped");
    await notice.$("button").then((back) => back.click());
    await openBoard(page, pupil, "Form3");
    await pupil.drag("Form3", centre(pieceFor("Form3", 0)), centre(control("Form3", "g", 0)));
    await page.waitForFunction(() => document.querySelector(".announcer")?.textContent.startsWith("صحيح"));
  } finally {
    site.server.missing = null;
  }
  assert.deepEqual(problems.filter((text) => !/Backdrop2|404/.test(text)), []);
  await context.close();

  // No sound files: the drops are judged as ever, in silence.
  site.server.missing = (path) => path.endsWith(".wav");
  const silent = await openSite(site.browser, site.server);
  try {
    await openBoard(silent.page, silent.pupil, "Form2");
    await silent.pupil.drag("Form2", centre(pieceFor("Form2", 0)), centre(control("Form2", "g", 0)));
    await silent.pupil.drag("Form2", centre(pieceFor("Form2", 1)), centre(control("Form2", "g", 1)));
    assert.equal((await soundsHeard(silent.page)).length, 0);
    assert.equal(await silent.page.$(".notice"), null, "a missing sound stopped the program");
  } finally {
    site.server.missing = null;
  }
  await silent.context.close();
});

test("a browser without WebAssembly, or that refuses audio, is met with a message or silence", async () => {
  const context = await site.browser.newContext();
  const page = await context.newPage();
  await page.addInitScript(() => { delete window.WebAssembly; });
  await page.goto(site.server.url);
  const notice = await page.waitForSelector(".notice.error");
  assert.match(await notice.textContent(), /WebAssembly/);
  await context.close();

  const refused = await openSite(site.browser, site.server, {
    before: () => { window.AudioContext = function () { throw new Error("audio refused"); }; } });
  await openBoard(refused.page, refused.pupil, "Form5");
  await refused.pupil.drag("Form5", centre(pieceFor("Form5", 0)), centre(control("Form5", "g", 0)));
  await refused.page.waitForTimeout(300);
  assert.equal(await refused.page.$(".notice"), null, "refused audio stopped the program");
  await refused.context.close();
});
