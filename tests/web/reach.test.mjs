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

// A phone held sideways: the board takes the screen's whole height with no frame, and a finger that
// lands 150 twips (six CSS pixels) beside each piece, on the ground, takes it to its circle.
test("on a phone held sideways a board fills the screen unframed and plays by touch beside its pieces", async () => {
  const { page, pupil, context } = await openSite(site.browser, site.server, { width: 740, height: 360, ratio: 2 });
  await openBoard(page, pupil, "Form4");
  const [top, bottom, frame] = await page.$eval(".window:last-child", (w) => {
    const box = w.querySelector("canvas").getBoundingClientRect();
    return [box.top, box.bottom, w.querySelector(".caption").offsetHeight + parseFloat(getComputedStyle(w).outlineWidth)];
  });
  assert.deepEqual([top, bottom, frame].map(Math.round), [0, 360, 0], "the board is not the screen's height, unframed");
  const ground = ([x, y]) => form("Form4").controls.every((c) => !c.visible || c.name === "Image1" ||
    x < c.left || x >= c.left + c.width || y < c.top || y >= c.top + c.height);
  let drops = 0;
  for (const key of form("Form4").controls.filter((c) => c.name === "l" && pieceFor("Form4", c.index))) {
    const piece = pieceFor("Form4", key.index), y = piece.top + piece.height / 2;
    await pupil.fingerDrag("Form4", [[piece.left - 150, y], [piece.left + piece.width + 150, y]].find(ground),
                           centre(control("Form4", "g", key.index)));
    assert.equal((await soundsHeard(page, ++drops)).length, drops, `the piece ${piece.tag}, taken from beside it, was not judged`);
    assert.equal(await page.$eval(".announcer", (e) => e.textContent), "صحيح — Right", `the piece ${piece.tag} was judged wrong`);
  }
  assert.ok(drops >= 9);
  await context.close();
});
