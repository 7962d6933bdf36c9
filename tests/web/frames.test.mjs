// On a tablet, a laptop and a high-density screen, every form fits the viewport, is sharp (its
// canvas's pixels are the device's), and shows the frame the Linux program composes for the same
// form at the same scale: the same core, the same pictures, decoded by the browser. The backdrops
// are JPEG, which the browser decodes exactly as libjpeg-turbo does, so the menu and the pages are
// the same to the pixel; the boards' translucent icons pass through the browser's premultiplied
// canvas, where a level or two could differ (none did when this was written).
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { PNG } from "pngjs";
import { siteAndBrowser, openSite, FORMS, control, centre, frameOf, LINUX_BUILD } from "./harness.mjs";

const site = siteAndBrowser();

const scratch = mkdtempSync(join(tmpdir(), "wizlo-frames-"));

function linuxFrame(formName, scale) {
  const file = join(scratch, `${formName}-${scale}.png`);
  execFileSync(join(LINUX_BUILD, "tools", "wizlo-render"), [formName, file, String(scale)]);
  return PNG.sync.read(readFileSync(file));
}

// The client area of the web frame (its canvas may be a few pixels larger, so that its size in CSS
// pixels is whole) against the Linux frame.
function compare(web, linux) {
  assert.ok(web.width >= linux.width && web.width < linux.width + 16, `frame width ${web.width} for ${linux.width}`);
  assert.ok(web.height >= linux.height && web.height < linux.height + 16, `frame height ${web.height} for ${linux.height}`);
  let differing = 0, worst = 0;
  for (let y = 0; y < linux.height; y++)
    for (let x = 0; x < linux.width; x++) {
      const i = (y * web.width + x) * 4, j = (y * linux.width + x) * 4;
      let d = 0;
      for (let k = 0; k < 3; k++) d = Math.max(d, Math.abs(web.data[i + k] - linux.data[j + k]));
      if (d) differing++;
      worst = Math.max(worst, d);
    }
  return { differing, worst };
}

// Every window on the page lies inside the viewport, and the top one's frame is on the screen pixel
// for pixel, unscaled by the browser: the page's screenshot holds it exactly.
async function fitsAndIsSharp(page, frame, viewport, ratio) {
  // The screenshot shows what the compositor has put on the screen, a frame or two after the canvas.
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  const windows = await page.$$eval(".window", (all) => all.map((w) => {
    const box = w.getBoundingClientRect();
    return { left: box.left, top: box.top, right: box.right, bottom: box.bottom, z: Number(w.style.zIndex),
             canvas: w.querySelector("canvas").getBoundingClientRect().toJSON() };
  }));
  for (const w of windows)
    assert.ok(w.left >= 0 && w.top >= 0 && w.right <= viewport.width + 0.01 && w.bottom <= viewport.height + 0.01,
              `a window outside the ${viewport.width}x${viewport.height} viewport: ${JSON.stringify(w)}`);
  const top = windows.sort((a, b) => a.z - b.z).at(-1).canvas;
  const shot = PNG.sync.read(await page.screenshot());
  const sameAt = (dx, dy) => {
    const x0 = Math.round(top.left * ratio) + dx, y0 = Math.round(top.top * ratio) + dy;
    // At a fractional ratio the window's outline may cover the outermost row or column of pixels.
    for (let y = 1; y < frame.height - 1; y += 3)
      for (let x = 1; x < frame.width - 1; x += 3)
        for (let k = 0; k < 3; k++)
          if (frame.data[(y * frame.width + x) * 4 + k] !== shot.data[((y + y0) * shot.width + x + x0) * 4 + k]) return false;
    return true;
  };
  // Where the browser puts the canvas, to the device pixel, is its own affair; that it draws it unscaled is ours.
  assert.ok([-1, 0, 1].some((dx) => [-1, 0, 1].some((dy) => sameAt(dx, dy))), "the browser scales the frame: it is blurred");
}

const SCREENS = [
  { name: "a 1024x768 tablet", width: 1024, height: 768, ratio: 1 },
  { name: "a 1024x768 tablet at ratio 2", width: 1024, height: 768, ratio: 2 },
  { name: "a 1366x768 laptop at ratio 1.5", width: 1366, height: 768, ratio: 1.5 },
];

for (const screen of SCREENS) {
  test(`every form on ${screen.name} fits, is sharp and looks as the Linux program draws it`, async () => {
    const { page, pupil, context } = await openSite(site.browser, site.server, screen);
    const scale = await page.evaluate(() => WizloWindows.scale());
    const results = {};
    const menu = await frameOf(page);
    await fitsAndIsSharp(page, menu, screen, screen.ratio);
    results.Form1 = compare(menu, linuxFrame("Form1", scale));
    for (const route of FORMS.menu) {
      await pupil.click("Form1", centre(control("Form1", route.hotSpot)));
      await page.waitForFunction(() => document.querySelectorAll(".window canvas").length === 2 &&
                                       [...document.querySelectorAll(".window canvas")].every((c) => c.width > 0));
      const frame = await frameOf(page);
      await fitsAndIsSharp(page, frame, screen, screen.ratio);
      results[route.form] = compare(frame, linuxFrame(route.form, scale));
      await page.locator(".window .close").last().click();
      await page.waitForFunction(() => document.querySelectorAll(".window").length === 1);
    }
    console.log(`scale ${scale}:`, JSON.stringify(results));
    for (const [name, r] of Object.entries(results)) {
      const board = FORMS.menu.find((route) => route.form === name)?.board;
      assert.ok(r.worst <= (board ? 2 : 0), `${name} differs from the Linux frame by up to ${r.worst} levels`);
    }
    await context.close();
  });
}
