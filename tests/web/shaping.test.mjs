// The board maker's text in the browser: HarfBuzz for WebAssembly, given the very font files the Linux
// build draws with, shapes every sample as the system's HarfBuzz does there, glyph for glyph: the
// same glyphs, clusters, advances, offsets, ink and outlines.
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { join } from "node:path";
import { siteAndBrowser, SITE, LINUX_BUILD } from "./harness.mjs";

const site = siteAndBrowser(join(`${SITE}-checks`, "shaping"));

test("every sample is shaped in the browser exactly as on Linux", async () => {
  const linux = execFileSync(join(LINUX_BUILD, "tests", "web", "wizlo-shaping-samples"), { encoding: "utf8" })
    .trim().split("\n");
  const page = await site.browser.newPage();
  const failures = [];
  page.on("pageerror", (error) => failures.push(String(error)));
  await page.goto(site.server.url);
  await page.waitForFunction(() => globalThis.finished === true || undefined, null, { timeout: 30000 });
  const browsers = await page.evaluate(() => globalThis.lines);
  assert.deepEqual(failures, []);
  assert.equal(browsers.length, linux.length);
  for (let i = 0; i < linux.length; ++i) {
    const [want, got] = [JSON.parse(linux[i]), JSON.parse(browsers[i])];
    assert.ok(want.glyphs.length > 0, want.text);
    assert.deepEqual(got, want, want.text);
  }
  await page.close();
});
