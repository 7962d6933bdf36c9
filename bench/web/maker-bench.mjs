// The board maker in the browser, in headless Chromium on this machine, served from localhost:
//   - a change on the authoring page to the board drawn again at 1x (a title typed one letter more),
//     for a nine-group board, median of N changes: from the keystroke to the backdrop painted;
//   - a shared board's link to the board's first frame: cold (a fresh context, nothing cached) and
//     once cached (the same context, the link opened again once the service worker keeps every file);
//   - the maker's download, every file of maker/, as gzip at level 9 would send it.
//   node bench/web/maker-bench.mjs [--runs N]   (WIZLO_WEB_SITE, WIZLO_LINUX_BUILD as for the tests)
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { deflateSync, gzipSync } from "node:zlib";
import { SiteServer, launch, SITE } from "../../tests/web/harness.mjs";

const runs = Number(process.argv[process.argv.indexOf("--runs") + 1]) || 10;
const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
const spread = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return `min ${sorted[0].toFixed(0)}, median ${median(values).toFixed(0)}, max ${sorted.at(-1).toFixed(0)} ms`;
};

// Nine groups, four of them in one word, and a mark coloured alone.
const nineGroups = `title = "درس"
sentence = "استخرج التلميذُ الكتابَ من الحقيبة وقرأ قصةً جميلة"
${[["(ا)ستخرج", "همزة وصل"], ["ا(س)تخرج", "حرف السين"], ["اس(ت)خرج", "حرف التاء"], ["است(خ)رج", "حرف الخاء"],
   ["ا(ل)تلميذُ", "لام شمسية"], ["التلميذ(ُ)", "ضمة"], ["ا(ل)كتابَ", "لام قمرية"], ["الحقيب(ة)", "تاء مربوطة"],
   ["و(قرأ)", "فعل"]].map(([letters, skill]) => `[[group]]\nletters = "${letters}"\nskill = "${skill}"\n`).join("")}`;
const link = "#board=1." + deflateSync(Buffer.from(nineGroups)).toString("base64url");

const server = await new SiteServer().start();
const browser = await launch();
try {
  // A change to the board drawn again, at 1x.
  {
    const context = await browser.newContext({viewport: {width: 1366, height: 900}, deviceScaleFactor: 1});
    const page = await context.newPage();
    await page.goto(server.url + "maker/" + link);
    await page.waitForFunction(() => document.getElementById("status").textContent.includes("تُكتب"));
    await page.waitForFunction(() => !document.getElementById("try").disabled, null, {timeout: 60000});
    const times = [];
    for (let i = 0; i < runs; ++i) {
      const painted = await page.getAttribute("#preview", "data-painted-at");
      const typed = await page.evaluate(() => performance.now());
      await page.locator("#title").pressSequentially(i % 2 ? "ب" : "ا");
      await page.waitForFunction((p) => document.getElementById("preview").dataset.paintedAt !== p, painted);
      times.push(Number(await page.getAttribute("#preview", "data-painted-at")) - typed);
      await page.waitForFunction(() => !document.getElementById("try").disabled, null, {timeout: 60000});
    }
    console.log(`a change to the nine-group board drawn again at 1x: ${spread(times)}`);
    await context.close();
  }
  // A shared link to the board's first frame.
  {
    const cold = [], cached = [];
    for (let i = 0; i < runs; ++i) {
      const context = await browser.newContext({viewport: {width: 1180, height: 820}, deviceScaleFactor: 2});
      const page = await context.newPage();
      for (const into of [cold, cached]) {
        const started = Date.now();
        await page.goto(server.url + (into === cached ? "?again" : "") + link);
        await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0, null, {timeout: 60000});
        into.push(Date.now() - started);
        // Cached means kept for good: the service worker has every file, as on a pupil's next visit,
        // not still fetching them while the link is opened again.
        if (into === cold) await page.evaluate(() => navigator.serviceWorker.ready);
      }
      await context.close();
    }
    console.log(`a shared link to the board's first frame, cold: ${spread(cold)}`);
    console.log(`the same once cached: ${spread(cached)}`);
  }
  // The maker's download.
  const listing = JSON.parse(readFileSync(join(SITE, "maker", "offline.json"), "utf8"));
  let raw = 0, zipped = 0;
  for (const file of listing.files) {
    const bytes = readFileSync(join(SITE, "maker", file === "./" ? "index.html" : file));
    raw += bytes.length;
    zipped += gzipSync(bytes, {level: 9}).length;
  }
  console.log(`the maker's download: ${zipped} bytes as gzip (${raw} bytes as files)`);
} finally {
  await browser.close();
  await server.stop();
}
