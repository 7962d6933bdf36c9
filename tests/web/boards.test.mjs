// Every board played to its end in the browser from the menu, by mouse and by finger: each right
// drop shows the check and says "yes", a wrong one the cross and "no", the spare circles take only
// wrong drops; the practice pages and the close boxes lead back to the menu.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { SiteServer, launch, openSite, FORMS, control, centre, form, windowsOn, soundsHeard } from "./harness.mjs";

let server, browser;
before(async () => {
  server = await new SiteServer().start();
  browser = await launch();
});
after(async () => {
  await browser?.close();
  await server?.stop();
});

const BY = process.env.WIZLO_WEB_POINTER || "mouse";  // mouse or touch: one ctest run each

// How much of a control's rectangle on the top window's canvas is in a colour: "green" for the
// check, "red" for the cross.
async function shareOf(page, formName, c, colour) {
  const client = form(formName);
  return page.evaluate(({ rect, client, colour }) => {
    const all = [...document.querySelectorAll(".window")].sort((a, b) => a.style.zIndex - b.style.zIndex);
    const canvas = all.at(-1).querySelector("canvas");
    const sx = canvas.width / client.clientWidth, sy = canvas.height / client.clientHeight;
    const x = Math.round(rect.left * sx), y = Math.round(rect.top * sy);
    const w = Math.max(1, Math.round(rect.width * sx)), h = Math.max(1, Math.round(rect.height * sy));
    const data = canvas.getContext("2d").getImageData(x, y, w, h).data;
    let hits = 0;
    for (let i = 0; i < data.length; i += 4) {
      const [r, g, b] = [data[i], data[i + 1], data[i + 2]];
      if (colour === "green" ? g > 140 && r < 110 && b < 110 : r > 170 && g < 90 && b < 90) hits++;
    }
    return hits / (w * h);
  }, { rect: c, client, colour });
}

async function waitForMark(page, formName, name, colour) {
  const mark = control(formName, name);
  for (let tries = 0; tries < 100; tries++) {
    if ((await shareOf(page, formName, mark, colour)) > 0.05) return;
    await page.waitForTimeout(50);
  }
  assert.fail(`${formName}: the ${colour === "green" ? "check" : "cross"} never showed`);
}

async function move(pupil, formName, from, to) {
  if (BY === "touch") await pupil.fingerDrag(formName, from, to);
  else await pupil.drag(formName, from, to);
}

async function press(pupil, formName, spot) {
  if (BY === "touch") await pupil.tap(formName, spot);
  else await pupil.click(formName, spot);
}

async function openFromMenu(page, pupil, formName) {
  const route = FORMS.menu.find((r) => r.form === formName);
  await press(pupil, "Form1", centre(control("Form1", route.hotSpot)));
  await page.waitForFunction((n) => document.querySelectorAll(".window").length === n, 2);
  await page.waitForFunction(() => [...document.querySelectorAll(".window canvas")].every((c) => c.width > 0));
}

async function backToMenu(page, pupil, formName, byCloseBox) {
  if (byCloseBox) {
    const closes = await page.$$(".window .close");
    await closes.at(-1).click();
  } else {
    const board = FORMS.menu.find((r) => r.form === formName).board;
    await press(pupil, formName, centre(control(formName, board ? "rrr" : "Image6")));
  }
  await page.waitForFunction(() => document.querySelectorAll(".window").length === 1);
}

for (const board of FORMS.menu.filter((r) => r.board).map((r) => r.form)) {
  test(`${board} played to its end by ${BY}`, async () => {
    const { page, pupil, problems, context } = await openSite(browser, server);
    await openFromMenu(page, pupil, board);
    const controls = form(board).controls;
    const keys = controls.filter((c) => c.name === "l");
    let right = 0, wrong = 0;
    // One wrong drop first: the piece of the first key onto the second circle.
    const firstPiece = controls.find((c) => c.name === "c" && c.visible && c.tag === keys.find((k) => k.index === 0).tag);
    await move(pupil, board, centre(firstPiece), centre(control(board, "g", 1)));
    await waitForMark(page, board, "Imn", "red");
    wrong++;
    for (const key of keys) {
      const piece = controls.find((c) => c.name === "c" && c.visible && c.tag === key.tag);
      const circle = control(board, "g", key.index);
      if (!piece) {
        // A spare circle: nothing the pupil can drag fits it, and whatever comes is wrong.
        await move(pupil, board, centre(controls.find((c) => c.name === "c" && c.visible)), centre(circle));
        await waitForMark(page, board, "Imn", "red");
        wrong++;
        continue;
      }
      await move(pupil, board, centre(piece), centre(circle));
      await waitForMark(page, board, "Imy", "green");
      right++;
    }
    const heard = await soundsHeard(page, right + wrong);
    assert.equal(heard.length, right + wrong, "every judged drop says yes or no, once");
    assert.ok(right >= 9, `${board}: only ${right} pieces reached their circles`);
    await backToMenu(page, pupil, board, false);
    // And again: the board starts from its layout, and its close box leads back to the menu too.
    await openFromMenu(page, pupil, board);
    await backToMenu(page, pupil, board, true);
    assert.deepEqual(problems, []);
    await context.close();
  });
}

test(`the practice pages opened and left by ${BY}`, async () => {
  const { page, pupil, problems, context } = await openSite(browser, server);
  for (const route of FORMS.menu.filter((r) => !r.board)) {
    for (const byCloseBox of [false, true]) {
      await openFromMenu(page, pupil, route.form);
      const [, shown] = await windowsOn(page);
      assert.equal(shown.caption, form(route.form).caption);
      await backToMenu(page, pupil, route.form, byCloseBox);
    }
  }
  assert.deepEqual(problems, []);
  await context.close();
});
