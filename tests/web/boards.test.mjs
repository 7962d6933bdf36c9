// Every board played to its end in the browser from the menu, by mouse and by finger: each right
// drop shows the check and says "yes", a wrong one the cross and "no", the spare circles take only
// wrong drops; the practice pages and the close boxes lead back to the menu. And without dragging:
// a board by tapping a piece and then its circle, and the menu, a page and a board by keys alone.
import { test } from "node:test";
import assert from "node:assert/strict";
import { siteAndBrowser, openSite, FORMS, control, centre, form, windowsOn, soundsHeard } from "./harness.mjs";

const site = siteAndBrowser();

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

// Waits until `count` windows are on the page, each drawn, and says what did not happen if they never are.
async function untilWindows(page, count, what) {
  try {
    await page.waitForFunction((n) => document.querySelectorAll(".window").length === n &&
      [...document.querySelectorAll(".window canvas")].every((c) => c.width > 0), count);
  } catch {
    assert.fail(what);
  }
}

async function openFromMenu(page, pupil, formName) {
  const route = FORMS.menu.find((r) => r.form === formName);
  await press(pupil, "Form1", centre(control("Form1", route.hotSpot)));
  await untilWindows(page, 2, `${formName} did not open from the menu`);
}

async function backToMenu(page, pupil, formName, byCloseBox) {
  if (byCloseBox) {
    const closes = await page.$$(".window .close");
    await closes.at(-1).click();
  } else {
    const board = FORMS.menu.find((r) => r.form === formName).board;
    await press(pupil, formName, centre(control(formName, board ? "rrr" : "Image6")));
  }
  await untilWindows(page, 1, `${formName} did not lead back to the menu`);
}

for (const board of FORMS.menu.filter((r) => r.board).map((r) => r.form)) {
  test(`${board} played to its end by ${BY}`, async () => {
    const { page, pupil, problems, context } = await openSite(site.browser, site.server);
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
  const { page, pupil, problems, context } = await openSite(site.browser, site.server);
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

// The drop just made was judged: the `count`-th sound has played, and the board shows the verdict.
async function judged(page, board, count, right) {
  const heard = await soundsHeard(page, count);
  assert.equal(heard.length, count, `${board}: drop ${count} was not judged, or not once`);
  await waitForMark(page, board, right ? "Imy" : "Imn", right ? "green" : "red");
  const other = right ? ["Imn", "red"] : ["Imy", "green"];
  assert.ok((await shareOf(page, board, control(board, other[0]), other[1])) < 0.05,
            `${board}: drop ${count} shows both marks`);
}

// What the pixels round a control look like, as a digest of the top window's canvas there.
async function looksOf(page, formName, c) {
  const client = form(formName);
  return page.evaluate(({ rect, client }) => {
    const all = [...document.querySelectorAll(".window")].sort((a, b) => a.style.zIndex - b.style.zIndex);
    const canvas = all.at(-1).querySelector("canvas");
    const sx = canvas.width / client.clientWidth, sy = canvas.height / client.clientHeight;
    const margin = 8 * (canvas.width * 15) / client.clientWidth;  // 8 pixels at 96 dpi: a ring and more
    const x = Math.max(0, Math.floor(rect.left * sx - margin)), y = Math.max(0, Math.floor(rect.top * sy - margin));
    const data = canvas.getContext("2d").getImageData(x, y, Math.ceil(rect.width * sx + 2 * margin),
                                                      Math.ceil(rect.height * sy + 2 * margin)).data;
    let hash = 2166136261;
    for (const byte of data) hash = Math.imul(hash ^ byte, 16777619);
    return hash >>> 0;
  }, { rect: c, client });
}

async function untilLooks(page, formName, c, wanted, what) {
  for (let tries = 0; tries < 60; tries++) {
    if (wanted(await looksOf(page, formName, c))) return;
    await page.waitForTimeout(50);
  }
  assert.fail(`${formName}: the piece ${c.tag} ${what}`);
}

const pieces = (board) => form(board).controls.filter((c) => c.name === "c" && c.visible);
// A piece's own circle: the one under the key that carries the piece's tag.
const circleOf = (board, piece) =>
  control(board, "g", form(board).controls.find((c) => c.name === "l" && c.tag === piece.tag).index);

// Taps a piece, sees it lifted, and puts it back with a tap on `where` (the ground, the piece itself):
// it looks as it did before.
async function liftAndPutBack(page, pupil, board, piece, where) {
  const unlifted = await looksOf(page, board, piece);
  await press(pupil, board, centre(piece));
  await untilLooks(page, board, piece, (look) => look !== unlifted, "never showed lifted");
  await press(pupil, board, where);
  await untilLooks(page, board, piece, (look) => look === unlifted, "was not put back");
}

async function focusOnThePagesButton(page) {
  await page.focus(".open-board");
  assert.equal(await page.evaluate(() => document.activeElement.className), "open-board");
}

const groundOf = (board) => [form(board).clientWidth / 2, form(board).clientHeight - 150];

// A board by taps alone, as a pupil who cannot hold a drag plays it: tap a piece, then the circle it
// goes to, each drop judged as a drag's. (By mouse, clicks do the same: the keyboard's test tries them.)
if (BY === "touch") test("a board played to its end by tapping a piece and then its circle", async () => {
  const board = "Form3";
  const { page, pupil, problems, context } = await openSite(site.browser, site.server);
  await openFromMenu(page, pupil, board);
  // The page's own button holds the keys' focus; a tap on the form takes it back.
  await focusOnThePagesButton(page);
  const all = pieces(board);
  const [first, second] = all;
  await liftAndPutBack(page, pupil, board, first, groundOf(board));
  await liftAndPutBack(page, pupil, board, first, centre(first));
  let count = 0;
  await press(pupil, board, centre(first));
  await press(pupil, board, centre(circleOf(board, second)));
  await judged(page, board, ++count, false);
  for (const piece of all) {
    await press(pupil, board, centre(piece));
    await press(pupil, board, centre(circleOf(board, piece)));
    await judged(page, board, ++count, true);
  }
  await page.keyboard.press("Escape");
  await untilWindows(page, 1, "Escape after the taps did not lead back to the menu");
  assert.deepEqual(problems, []);
  await context.close();
});

// Keys alone, with nothing clicked first: the ring goes round the menu's buttons, the pieces, and with
// a piece lifted the empty circles. Each key the program takes does nothing else in the browser (Tab
// leaves the focus where it was), and the browser's own shortcuts stay the browser's.
if (BY === "mouse") test("the menu, the practice pages and a board by the keyboard alone, and keys after a click", async () => {
  const { page, pupil, problems, context } = await openSite(site.browser, site.server, {
    before: () => addEventListener("load", () =>
      addEventListener("keydown", (e) => (window.__keys ||= []).push([e.key, e.ctrlKey, e.defaultPrevented]))),
  });
  const keys = async (...names) => { for (const name of names) await page.keyboard.press(name); };
  const times = (n, name) => Array(n).fill(name);
  // From one stop to another: forward or back, as many steps as lie between them.
  const steps = (by, forward, backward) => (by >= 0 ? times(by, forward) : times(-by, backward));
  // The menu's buttons as they read: from the top, the lowest row from the right, the web address last.
  const menu = ["Image5", "Image2", "Image3", "Image4", "Image7", "Image6", "wex"];
  const stop = (formName) => menu.indexOf(FORMS.menu.find((r) => r.form === formName).hotSpot);
  // Ctrl+Tab is the browser's. The first key of the program's shows the ring on the first button, and
  // moves it no further.
  await keys("Control+Tab", ...times(stop("Form6") + 1, "Tab"), "Enter");
  await untilWindows(page, 2, "Tab and Enter did not open the first practice page");
  assert.equal((await windowsOn(page))[1].caption, form("Form6").caption);
  await keys("Escape");
  await untilWindows(page, 1, "Escape did not leave the practice page");
  // Back on the menu, the ring is where it was.
  await keys(...steps(stop("Form7") - stop("Form6"), "ArrowDown", "ArrowRight"), " ");
  await untilWindows(page, 2, "the arrows and Space did not open the second practice page");
  assert.equal((await windowsOn(page))[1].caption, form("Form7").caption);
  await keys("Escape");
  await untilWindows(page, 1, "Escape did not leave the second practice page");
  const board = "Form5";
  await keys(...steps(stop(board) - stop("Form7"), "ArrowLeft", "ArrowUp"), "Enter");
  await untilWindows(page, 2, "the arrows and Enter did not open the board");

  // The board opens with the ring on its first piece; a piece put down right takes the ring on to the
  // next, a wrong one leaves it where it was, and so does Escape with a piece lifted. Lifted, a piece
  // has the ring on the first empty circle, and the ring goes round.
  let count = 0;
  // The pieces are numbered as they read.
  const order = pieces(board).sort((a, b) => a.index - b.index);
  const filled = new Set();
  // The circles lie along the sentence, a pupil meets them from right to left.
  const emptyCircles = () => form(board).controls.filter((c) => c.name === "g" && !filled.has(c.index))
    .sort((a, b) => (b.left + b.width / 2) - (a.left + a.width / 2));
  const onto = (circle) => emptyCircles().indexOf(circle);
  assert.notEqual(emptyCircles().at(-1), circleOf(board, order[0]), "the last circle must be wrong for the first piece");
  // Lifted and put back by Escape; lifted again, Shift+Tab goes round back to the last circle.
  await keys("Enter", "Escape", " ", "Shift+Tab", "Enter");
  await judged(page, board, ++count, false);
  const forward = ["Tab", "ArrowLeft", "ArrowDown"];
  for (const [n, piece] of order.entries()) {
    const circle = circleOf(board, piece);
    const [lift, putDown] = n % 2 ? [" ", "Enter"] : ["Enter", " "];
    await keys(lift, ...times(onto(circle), forward[n % forward.length]), putDown);
    await judged(page, board, ++count, true);
    filled.add(circle.index);
  }
  await keys("Escape");
  await untilWindows(page, 1, "Escape did not leave the board");
  assert.equal(await page.evaluate(() => document.activeElement?.id), "stage", "a key took the focus off the stage");
  const seen = await page.evaluate(() => window.__keys);
  assert.deepEqual(seen.filter(([, ctrl]) => ctrl).map(([key, , taken]) => [key, taken]), [["Control", false], ["Tab", false]]);
  const ours = seen.filter(([key, ctrl]) => !ctrl && key !== "Shift");
  assert.ok(ours.length > 0 && ours.every(([, , taken]) => taken), `a key of the program's reached the browser: ${JSON.stringify(seen)}`);

  // Clicks lift and put down as taps do, and the keys work on after them, though the page's own
  // button held the focus before.
  await focusOnThePagesButton(page);
  const piece = order.at(-1);
  await openFromMenu(page, pupil, board);
  await liftAndPutBack(page, pupil, board, piece, groundOf(board));
  await pupil.click(board, centre(piece));
  await pupil.click(board, centre(circleOf(board, piece)));
  await judged(page, board, ++count, true);
  await keys("Escape");
  await untilWindows(page, 1, "Escape after the clicks did not leave the board");
  assert.deepEqual(problems, []);
  await context.close();
});
