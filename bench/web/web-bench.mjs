// The browser program in headless Chromium beside a bare page that fetches the same menu picture
// and paints it on a canvas with plain JavaScript, interleaved in one run:
//   - navigation to the menu's first painted frame (the bare page: to its picture painted);
//   - the bytes fetched before that frame;
//   - the size of every file of the site;
//   - a frame composed and shown while a finger drags a piece, at device pixel ratio 2.
// Each navigation is in a fresh browser context, so nothing is cached between runs.
//   node bench/web/web-bench.mjs [--runs N]   (WIZLO_WEB_SITE, WIZLO_LINUX_BUILD as for the tests)
import { mkdtempSync, writeFileSync, copyFileSync, readdirSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { SiteServer, launch, openSite, control, centre, SITE } from "../../tests/web/harness.mjs";

const runs = Number(process.argv[process.argv.indexOf("--runs") + 1]) || 10;
const VIEWPORT = { width: 1024, height: 768 };

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
const spread = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return `min ${sorted[0].toFixed(1)}, median ${median(values).toFixed(1)}, max ${sorted.at(-1).toFixed(1)}`;
};

function filesOf(folder) {
  return readdirSync(folder).flatMap((name) => {
    const path = join(folder, name);
    return statSync(path).isDirectory() ? filesOf(path) : [[path, statSync(path).size]];
  });
}

// When the page's first frame was painted (ms after navigation began) and what was fetched by then.
async function firstFrame(browser, url, ratio, frameEvent) {
  const context = await browser.newContext({ viewport: VIEWPORT, deviceScaleFactor: ratio });
  const page = await context.newPage();
  await page.addInitScript((eventName) => {
    document.addEventListener(eventName, () => requestAnimationFrame(() => { window.__paintedAt = performance.now(); }),
                              { once: true });
  }, frameEvent);
  await page.goto(url);
  await page.waitForFunction(() => window.__paintedAt);
  const figures = await page.evaluate(() => {
    const painted = window.__paintedAt;
    const [navigation] = performance.getEntriesByType("navigation");
    const fetched = performance.getEntriesByType("resource").filter((entry) => entry.responseEnd <= painted);
    return { painted, bytes: navigation.transferSize + fetched.reduce((sum, entry) => sum + entry.transferSize, 0),
             files: fetched.map((entry) => [new URL(entry.name).pathname, entry.transferSize]) };
  });
  await context.close();
  return figures;
}

// The bare page: the picture the program's menu shows at this ratio, fetched and painted.
function barePage(picture) {
  const folder = mkdtempSync(join(tmpdir(), "wizlo-bare-"));
  copyFileSync(join(SITE, "pictures", picture), join(folder, picture));
  writeFileSync(join(folder, "index.html"), `<!doctype html><html><body style="margin:0"><canvas></canvas><script>
fetch(${JSON.stringify(picture)}).then((r) => r.blob()).then((b) => createImageBitmap(b)).then((image) => {
  const canvas = document.querySelector("canvas");
  canvas.width = image.width;
  canvas.height = image.height;
  canvas.getContext("2d").drawImage(image, 0, 0);
  document.dispatchEvent(new Event("bare-frame"));
});
</script></body></html>`);
  return folder;
}

async function dragFrames(browser, server) {
  const { page, pupil, context } = await openSite(browser, server, { ...VIEWPORT, ratio: 2 });
  await pupil.click("Form1", centre(control("Form1", "Image3")));
  await page.waitForFunction(() => [...document.querySelectorAll(".window canvas")].filter((c) => c.width > 0).length === 2);
  // From the program taking a move to its frame put on the canvas.
  await page.evaluate(() => {
    window.__frames = [];
    const next = WizloWindows.nextEvent, show = WizloWindows.show;
    let taken = null;
    WizloWindows.nextEvent = async () => {
      const event = await next();
      taken = event[0] === 2 ? performance.now() : null;  // moves only
      return event;
    };
    WizloWindows.show = (...frame) => {
      show(...frame);
      if (taken !== null) window.__frames.push(performance.now() - taken);
      taken = null;
    };
  });
  await pupil.fingerDrag("Form3", centre(control("Form3", "c", 0)), [6000, 3000], { steps: 60 });
  await page.waitForTimeout(200);
  const frames = await page.evaluate(() => window.__frames);
  await context.close();
  return frames;
}

const server = await new SiteServer().start();
const browser = await launch();
console.log(`Chromium ${browser.version()}, viewport ${VIEWPORT.width}x${VIEWPORT.height}, ${runs} runs a ratio, interleaved`);

for (const ratio of [1, 2]) {
  // Which picture the menu shows at this ratio: the program's own first fetch tells.
  const probe = await firstFrame(browser, server.url, ratio, "wizlo-frame");
  const picture = probe.files.map(([path]) => path).find((path) => path.startsWith("/pictures/Backdrop1"));
  const bare = await new SiteServer(barePage(picture.slice("/pictures/".length))).start();
  const program = [], baseline = [], bytes = [];
  for (let i = 0; i < runs; i++) {
    const ours = await firstFrame(browser, server.url, ratio, "wizlo-frame");
    const theirs = await firstFrame(browser, bare.url, ratio, "bare-frame");
    program.push(ours.painted);
    baseline.push(theirs.painted);
    bytes.push(ours.bytes);
  }
  await bare.stop();
  const pictureBytes = statSync(join(SITE, picture)).size;
  console.log(`\nratio ${ratio}: the menu shows ${picture} (${pictureBytes} bytes)`);
  console.log(`  first frame, program:   ${spread(program)} ms`);
  console.log(`  first frame, bare page: ${spread(baseline)} ms`);
  console.log(`  ratio of the medians:   ${(median(program) / median(baseline)).toFixed(2)} x (target at most 1.5 x)`);
  console.log(`  fetched before it:      ${median(bytes)} bytes, the picture + ${median(bytes) - pictureBytes}` +
              ` (target at most the picture + 300 KB)`);
  console.log(`  files: ${probe.files.map(([path, size]) => `${path} ${size}`).join(", ")}`);
}

const files = filesOf(SITE);
const total = files.reduce((sum, [, size]) => sum + size, 0);
const pictures = files.filter(([path]) => path.includes("/pictures/")).reduce((sum, [, size]) => sum + size, 0);
const program = files.filter(([path]) => /wizlo\.(js|wasm)$/.test(path)).reduce((sum, [, size]) => sum + size, 0);
console.log(`\nthe site: ${files.length} files, ${total} bytes (target under 4.5 MB): pictures ${pictures},` +
            ` wizlo.js and wizlo.wasm ${program}, the rest ${total - pictures - program}`);

const frames = await dragFrames(browser, server);
console.log(`\na finger's drag at ratio 2, ${frames.length} frames: ${spread(frames)} ms a frame (target under 4 ms)`);

await browser.close();
await server.stop();
