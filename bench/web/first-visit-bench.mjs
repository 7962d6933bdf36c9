// A pupil's first visit, in a fresh browser profile on a 1180x820 tablet viewport at device pixel
// ratio 2 and 1: every byte the server sent until the page says its offline copy is ready (the page
// and the program, what the service worker keeps), what the worker's cache then holds, and whether
// anything only a teacher's board needs came along; as files are served by default, and compressed as
// the README tells a server to. Each site given is measured in turn, in one run.
//   node bench/web/first-visit-bench.mjs [SITE_DIR ...]   (default WIZLO_WEB_SITE; WIZLO_LINUX_BUILD as for the tests)
import { SiteServer, launch, SITE } from "../../tests/web/harness.mjs";

const sites = process.argv.slice(2).length ? process.argv.slice(2) : [SITE];
const TEACHER = /^\/(maker\/|wizlo-lesson\.|shared-board\.js)/;
const browser = await launch();
console.log(`Chromium ${browser.version()}, viewport 1180x820, a fresh profile each visit; target at most 2,500,000 bytes`);

for (const ratio of [2, 1]) {
  for (const [site, compress] of sites.flatMap((site) => [[site, false], [site, true]])) {
    const server = await new SiteServer(site).start();
    server.compress = compress;
    const context = await browser.newContext({ viewport: { width: 1180, height: 820 }, deviceScaleFactor: ratio });
    const page = await context.newPage();
    await page.goto(server.url);
    await page.waitForFunction(() => /^(ready|partly)$/.test(document.documentElement.dataset.offline ?? ""),
                               null, { timeout: 120000 });
    const kept = await page.evaluate(async () => {
      let bytes = 0, files = 0;
      for (const name of await caches.keys()) {
        const cache = await caches.open(name);
        for (const request of await cache.keys()) {
          bytes += (await (await cache.match(request)).arrayBuffer()).byteLength;
          files += 1;
        }
      }
      return { bytes, files };
    });
    const sent = server.sent.reduce((sum, [, bytes]) => sum + bytes, 0);
    const teacher = server.sent.filter(([path]) => TEACHER.test(path)).map(([path]) => path);
    console.log(`ratio ${ratio}, ${site}${compress ? ", compressed" : ""}:\n  sent ${sent} bytes in ${server.sent.length} responses;` +
                ` kept ${kept.bytes} bytes in ${kept.files} files;` +
                ` teacher's-board files sent: ${teacher.length ? teacher.join(", ") : "none"}`);
    await context.close();
    await server.stop();
  }
}
await browser.close();
