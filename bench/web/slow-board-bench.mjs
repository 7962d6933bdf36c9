// A board opened over a slow link: each board of the menu tapped on Slow 4G (562.5 ms round trip,
// 180 KB/s down) with the processor slowed 4 times, from the press to the board's first frame
// painted. The menu itself loads at full speed; every run is a fresh browser context, so nothing of
// the board is cached. Without the service worker, so that only the board's own files travel; and,
// with --offline-cache, also with it filling the offline cache meanwhile, as on a first visit.
//   node bench/web/slow-board-bench.mjs [--runs N] [--offline-cache]
//   (WIZLO_WEB_SITE, WIZLO_LINUX_BUILD as for the tests)
import { SiteServer, launch, control, centre, FORMS, Pupil } from "../../tests/web/harness.mjs";

const runs = Number(process.argv[process.argv.indexOf("--runs") + 1]) || 3;
const withCache = process.argv.includes("--offline-cache");
const SLOW_4G = { offline: false, latency: 562.5, downloadThroughput: 180000, uploadThroughput: 84375 };

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

async function openBoard(browser, server, board, serviceWorkers) {
  const context = await browser.newContext({ viewport: { width: 1180, height: 820 }, deviceScaleFactor: 2,
                                             serviceWorkers });
  const page = await context.newPage();
  await page.addInitScript(() => {
    addEventListener("pointerdown", () => { window.__pressedAt ??= performance.now(); }, true);
    document.addEventListener("wizlo-frame", (event) => {
      if (event.detail.window !== 1) requestAnimationFrame(() => { window.__boardAt = performance.now(); });
    });
  });
  await page.goto(server.url);
  await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
  const cdp = await context.newCDPSession(page);
  await cdp.send("Network.enable");
  await cdp.send("Network.emulateNetworkConditions", SLOW_4G);
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await new Pupil(page).click("Form1", centre(control("Form1", FORMS.menu.find((row) => row.form === board).hotSpot)));
  await page.waitForFunction(() => window.__boardAt, null, { timeout: 60000 });
  const ms = await page.evaluate(() => window.__boardAt - window.__pressedAt);
  await context.close();
  return ms;
}

const server = await new SiteServer().start();
const browser = await launch();
const boards = FORMS.menu.map((row) => row.form).filter((name) => FORMS.forms.find((f) => f.name === name)?.controls
  .some((c) => c.name === "g"));
console.log(`Chromium ${browser.version()}, 1180x820 at ratio 2, Slow 4G, processor slowed 4x, ${runs} runs a board`);
for (const variant of withCache ? ["block", "allow"] : ["block"]) {
  const times = Object.fromEntries(boards.map((board) => [board, []]));
  for (let i = 0; i < runs; i++)
    for (const board of boards) times[board].push(await openBoard(browser, server, board, variant));
  console.log(variant === "block" ? "\nthe board's own files only:" : "\nwith the offline cache filling meanwhile:");
  for (const board of boards)
    console.log(`  ${board}: median ${(median(times[board]) / 1000).toFixed(2)} s` +
                ` (${times[board].map((t) => (t / 1000).toFixed(2)).join(", ")}) target within 4 s`);
}
await browser.close();
await server.stop();
