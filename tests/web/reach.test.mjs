// What a pupil who cannot see the board, or who plays with a finger, meets on the page: the board
// that opened and each drop's judgement said aloud, and the teacher's buttons within reach, large
// enough and plain to read at every size of screen, over no form.
import { test } from "node:test";
import assert from "node:assert/strict";
import { siteAndBrowser, openSite, FORMS, control, centre, form, soundsHeard } from "./harness.mjs";

const site = siteAndBrowser();

async function openBoard(page, pupil, name) {
  await pupil.click("Form1", centre(control("Form1", FORMS.menu.find((r) => r.form === name).hotSpot)));
  await page.waitForFunction(() => [...document.querySelectorAll(".window canvas")].filter((c) => c.width > 0).length === 2);
}

const pieceFor = (board, circle) =>
  form(board).controls.find((c) => c.name === "c" && c.visible && c.tag === control(board, "l", circle).tag);
const said = (page, start) =>
  page.waitForFunction((words) => document.querySelector(".announcer")?.textContent.startsWith(words), start);

test("the board that opens and every drop's judgement are said aloud", async () => {
  const { page, pupil, context } = await openSite(site.browser, site.server);
  await openBoard(page, pupil, "Form4");
  const board = await page.$eval(".window:last-child", (w) => [w.getAttribute("aria-label"),
                                                              w.querySelector("canvas").getAttribute("aria-label")]);
  assert.equal(board[0], "لوحة: استخدم أحمد الحاسوب في التعلّم — a board");
  assert.equal(board[1], board[0], "the canvas is not labelled as its board");
  await said(page, board[0]);
  await pupil.drag("Form4", centre(pieceFor("Form4", 0)), centre(control("Form4", "g", 0)));
  await said(page, "صحيح — Right");
  await pupil.drag("Form4", centre(pieceFor("Form4", 1)), centre(control("Form4", "g", 2)));
  await said(page, "خطأ — Wrong");
  assert.equal(await page.$eval(".announcer [lang=en]", (e) => e.textContent), "Wrong");
  await context.close();
});

// The contrast of two colours "rgb(r, g, b)" by their relative luminance.
function contrast(one, other) {
  const luminance = (colour) => {
    const [r, g, b] = colour.match(/\d+(\.\d+)?/g).slice(0, 3).map((c) => {
      const s = Number(c) / 255;
      return s <= 0.03928 ? s / 12.92 : ((s + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [light, dark] = [luminance(one), luminance(other)].sort((a, b) => b - a);
  return (light + 0.05) / (dark + 0.05);
}

for (const [width, height, ratio] of [[1180, 820, 2], [1366, 657, 1], [1920, 1080, 1], [740, 360, 3]])
  test(`the teacher's buttons are within a finger's reach at ${width}x${height}`, async () => {
    const { page, pupil, context } = await openSite(site.browser, site.server, { width, height, ratio });
    await openBoard(page, pupil, "Form5");
    const found = await page.$$eval(".open-board", (all) => all.map((control) => {
      const box = control.getBoundingClientRect();
      const style = getComputedStyle(control);
      const ground = style.backgroundColor === "rgba(0, 0, 0, 0)" ? getComputedStyle(document.body).backgroundColor
                                                                 : style.backgroundColor;
      const on = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
      const windows = [...document.querySelectorAll(".window")].map((w) => w.getBoundingClientRect());
      return { text: control.textContent, box: [box.left, box.top, box.right, box.bottom], colour: style.color, ground,
               reached: control.contains(on),
               over: windows.some((w) => box.left < w.right && w.left < box.right && box.top < w.bottom && w.top < box.bottom) };
    }));
    assert.equal(found.length, 2);
    for (const { text, box: [left, top, right, bottom], colour, ground, reached, over } of found) {
      assert.ok(left >= 0 && top >= 0 && right <= width && bottom <= height, `${text} is off the screen: ${[left, top, right, bottom]}`);
      assert.ok(bottom - top >= 44, `${text} is ${bottom - top} px tall`);
      assert.ok(reached, `${text} cannot be reached: something lies over it`);
      assert.ok(!over, `${text} lies over a form`);
      assert.ok(contrast(colour, ground) >= 4.5, `${text}: ${colour} on ${ground}`);
    }
    await context.close();
  });

// A point 150 twips beside a piece (six CSS pixels on a phone) on the board's ground alone, with no
// other piece as near: a fingertip that lands just off the piece.
function besidePiece(board, piece) {
  const shown = form(board).controls.filter((c) => c.visible && c.name !== "Image1");
  const away = (c, [x, y]) => Math.hypot(Math.max(c.left - x, 0, x - c.left - c.width), Math.max(c.top - y, 0, y - c.top - c.height));
  const [x, y] = centre(piece);
  const sides = [[piece.left - 150, y], [piece.left + piece.width + 150, y], [x, piece.top - 150], [x, piece.top + piece.height + 150]];
  const spot = sides.find((p) => shown.every((c) => away(c, p) > 0) &&
    shown.filter((c) => c.name === "c").every((c) => c === piece || away(c, p) > away(piece, p)));
  assert.ok(spot, `no ground beside the piece ${piece.tag}`);
  return spot;
}

test("on a phone held sideways a board fills the screen unframed and plays by touch beside its pieces", async () => {
  const { page, pupil, context } = await openSite(site.browser, site.server, { width: 740, height: 360, ratio: 2 });
  await openBoard(page, pupil, "Form4");
  const seen = await page.$$eval(".window", (all) => all.map((w) => {
    const box = w.querySelector("canvas").getBoundingClientRect();
    return { top: box.top, bottom: box.bottom, caption: w.querySelector(".caption").offsetHeight,
             outline: parseFloat(getComputedStyle(w).outlineWidth) || 0, frame: document.getElementById("stage").dataset.frame };
  }));
  for (const { top, bottom, caption, outline, frame } of seen) {
    assert.equal(frame, "none");
    assert.ok(top >= 0 && bottom <= 360, `a form runs off the screen: ${top}..${bottom}`);
    assert.equal(caption + outline, 0, "a form still has a frame");
  }
  assert.ok(seen.at(-1).bottom - seen.at(-1).top >= 359, `the board is ${seen.at(-1).bottom - seen.at(-1).top} px tall of 360`);
  const keys = form("Form4").controls.filter((c) => c.name === "l");
  let drops = 0;
  for (const key of keys) {
    const piece = pieceFor("Form4", key.index);
    if (!piece) continue;  // a spare circle
    await pupil.fingerDrag("Form4", besidePiece("Form4", piece), centre(control("Form4", "g", key.index)));
    const heard = await soundsHeard(page, ++drops);
    assert.equal(heard.length, drops, `the piece ${piece.tag}, taken from beside it, was not judged`);
    assert.equal(await page.$eval(".announcer", (e) => e.textContent), "صحيح — Right", `the piece ${piece.tag} was judged wrong`);
  }
  assert.ok(drops >= 9);
  await context.close();
});
