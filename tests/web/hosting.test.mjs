// The site as a school hosts it: a new version copied over one served with stock caching headers
// runs whole at the next start and keeps the teacher's chosen board; two copies on one server keep
// their own offline files; a pupil's device keeps the pictures of its own scale and nothing of the
// teacher's board; a file the server lacks is named (a picture while caching, wizlo.wasm at the
// start); index.html opened as a file says where to open it instead.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { cpSync, mkdtempSync, readFileSync, readdirSync, utimesSync, writeFileSync } from "node:fs";
import { createHash } from "node:crypto";
import { deflateSync } from "node:zlib";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { SiteServer, launch, SITE, SAMPLE_PACK, FORMS, form, control, centre, Pupil } from "./harness.mjs";

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

const sha256 = (bytes) => createHash("sha256").update(bytes).digest("hex");

// A copy of the site in a folder of a new server root, its files as old as `days`.
function copyOfSite(root, folder, days = 0) {
  const copy = join(root, folder);
  cpSync(SITE, copy, { recursive: true });
  const then = new Date(Date.now() - days * 86400e3);
  const age = (dir) => {
    for (const entry of readdirSync(dir, { withFileTypes: true }))
      entry.isDirectory() ? age(join(dir, entry.name)) : utimesSync(join(dir, entry.name), then, then);
  };
  age(copy);
  return copy;
}

// A new version written over a copy, as an administrator's copy would: the page, its script and the
// program each marked "new", and the worker's list of digests and version made again.
function newVersion(copy) {
  const worker = join(copy, "service-worker.js");
  let list = readFileSync(worker, "utf8");
  const marks = { "index.html": ["<head>", '<head><meta name="wizlo-trial" content="new">'],
                  "start.js": [/$/, '\nwindow.wizloTrialStart = "new";\n'],
                  "wizlo.js": [/$/, '\nwindow.wizloTrialProgram = "new";\n'] };
  for (const [name, [at, mark]] of Object.entries(marks)) {
    const file = join(copy, name);
    const old = readFileSync(file);
    const made = Buffer.from(old.toString("utf8").replace(at, mark));
    writeFileSync(file, made);
    list = list.replaceAll(sha256(old), sha256(made));
  }
  writeFileSync(worker, list.replace(/const VERSION = "[0-9a-f]+"/, 'const VERSION = "0123456789abcdef"'));
}

// Each start of the page, as the three marks say at its first frame.
async function startsOf(context) {
  const starts = [];
  await context.exposeFunction("wizloStarted", (marks) => starts.push(marks));
  await context.addInitScript(() => document.addEventListener("wizlo-frame", () => window.wizloStarted(
    [document.querySelector('meta[name="wizlo-trial"]')?.content, window.wizloTrialStart, window.wizloTrialProgram]
      .map((mark) => mark || "old").join(" ")), { once: true }));
  return starts;
}

// A fresh browser profile for `body`, on `server`; both gone after, whatever the test did to them.
async function inProfile(server, options, body) {
  const context = await browser.newContext(options);
  try {
    await body(context);
  } finally {
    await context.close();
    await server.stop().catch(() => {});
  }
}

const started = (page) => page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
const offline = (page, state = "ready") =>
  page.waitForFunction((state) => document.documentElement.dataset.offline === state, state, { timeout: 30000 });

async function until(check, what, timeout = 30000) {
  for (const end = performance.now() + timeout; !check();) {
    if (performance.now() > end) assert.fail(`never: ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

test("a new version copied over an old one, under stock caching headers, runs whole and keeps the chosen board", async () => {
  const root = mkdtempSync(join(tmpdir(), "wizlo-update-"));
  const copy = copyOfSite(root, "class", 20);
  const server = await new SiteServer(root).start();
  server.stock = true;
  await inProfile(server, {}, async (context) => {
    const starts = await startsOf(context);
    const page = await context.newPage();
    await page.goto(server.url + "class/");
    await offline(page);
    // A teacher's board, chosen with the page's button: the page opens again with it.
    await page.setInputFiles("input[type=file]", SAMPLE_PACK);
    await page.waitForURL(/\?pack=chosen/);
    await started(page);
    const chosen = page.url();

    newVersion(copy);
    await page.goto(server.url + "class/");
    // The old version from the worker's cache, then the new one whole once it is kept, at the menu.
    await until(() => starts.at(-1) === "new new new", "the new version started");
    for (const start of starts) assert.match(start, /^(old old old|new new new)$/, `a start of two versions: ${starts}`);

    // Both are kept: the new version's files, and the chosen board.
    await server.stop();
    const online = starts.length;
    await page.reload();
    await until(() => starts.length > online, "the offline start");
    assert.equal(starts.at(-1), "new new new", `offline: ${starts}`);
    await page.goto(chosen);
    await started(page);
  });
});

test("two copies on one server, of two versions, each start with the network gone", async () => {
  const root = mkdtempSync(join(tmpdir(), "wizlo-copies-"));
  copyOfSite(root, "a");
  newVersion(copyOfSite(root, "b"));
  const server = await new SiteServer(root).start();
  await inProfile(server, {}, async (context) => {
    const starts = await startsOf(context);
    const page = await context.newPage();
    for (const folder of ["a", "b"]) {
      await page.goto(server.url + folder + "/");
      await offline(page);
    }
    await server.stop();
    for (const [folder, marks] of [["a", "old old old"], ["b", "new new new"]]) {
      const before = starts.length;
      await page.goto(server.url + folder + "/");
      await started(page);
      await until(() => starts.length > before, `${folder} started`);
      assert.equal(starts.at(-1), marks, `${folder}: ${starts}`);
    }
  });
});

// Each backdrop's images in the site, smallest first.
const backdrops = [...new Set(readdirSync(join(SITE, "pictures")).filter((name) => name.startsWith("Backdrop")).map((name) => name.split("-")[0]))]
  .map((picture) => readdirSync(join(SITE, "pictures")).filter((name) => name.startsWith(picture + "-"))
    .sort((a, b) => Number(a.match(/-(\d+)x/)[1]) - Number(b.match(/-(\d+)x/)[1])));

const keptBackdrops = (page) => page.evaluate(async () => {
  const names = [];
  for (const name of await caches.keys())
    for (const request of await (await caches.open(name)).keys()) names.push(new URL(request.url).pathname.split("/").pop());
  return names.filter((name) => name.startsWith("Backdrop")).sort();
});

// Every board from the menu, drawn, and a piece of each dragged to its circle: the pointer's and the
// mark's pictures too.
async function everyBoardOpens(page) {
  const pupil = new Pupil(page);
  for (const route of FORMS.menu) {
    await pupil.click("Form1", centre(control("Form1", route.hotSpot)));
    await page.waitForFunction(() => [...document.querySelectorAll(".window canvas")].filter((c) => c.width > 0).length === 2,
                               null, { timeout: 20000 }).catch(() => assert.fail(`${route.form} did not open`));
    if (route.board) {
      const key = control(route.form, "l", 0);
      const piece = form(route.form).controls.find((c) => c.name === "c" && c.visible && c.tag === key.tag);
      await page.evaluate(() => document.querySelector(".announcer")?.replaceChildren());
      await pupil.drag(route.form, centre(piece), centre(control(route.form, "g", 0)));
      await page.waitForFunction(() => document.querySelector(".announcer")?.textContent.startsWith("صحيح"), null, { timeout: 20000 })
        .catch(() => assert.fail(`${route.form}: the right drop was not judged`));
      assert.equal(await page.$(".notice"), null, `${route.form} could not go on`);
      assert.equal((await page.$$(".window")).length, 2, `${route.form} closed`);
    }
    await page.click(".window:last-child .close");
    await page.waitForFunction(() => document.querySelectorAll(".window").length === 1);
  }
}

test("a pupil's first visit keeps the pictures of the device's scale and nothing of the teacher's board; a new scale's are kept once drawn at it", async () => {
  const server = await new SiteServer().start();
  await inProfile(server, { viewport: { width: 1180, height: 820 }, deviceScaleFactor: 1 }, async (context) => {
    const page = await context.newPage();
    await page.goto(server.url);
    await offline(page);
    assert.deepEqual(server.sent.map(([path]) => path).filter((path) => /^\/(maker\/|wizlo-lesson\.|shared-board|teacher-board)/.test(path)), []);
    assert.deepEqual(await keptBackdrops(page), backdrops.map((images) => images[0]).sort());
    await server.stop();
    await page.reload();
    await started(page);
    await everyBoardOpens(page);

    // A larger screen at the same ratio: the stage now draws past the small pictures.
    await server.start(server.port);
    await page.setViewportSize({ width: 1920, height: 1080 });
    await page.waitForFunction(() => WizloWindows.scale() > 1.2 && document.documentElement.dataset.offline === "ready",
                               null, { timeout: 30000 });
    assert.deepEqual(await keptBackdrops(page), backdrops.flatMap((images) => [images[0], images.at(-1)]).sort());
    await server.stop();
    await page.reload();
    await started(page);
    await everyBoardOpens(page);
  });
});

test("a teacher's board shared as a link and opened on a first visit opens again with the network gone", async () => {
  const server = await new SiteServer().start();
  const board = 'title = "درس"\nsentence = "ذهبت الطالبة"\n[[group]]\nletters = "ذهب(ت)"\nskill = "تاء مفتوحة"\n';
  await inProfile(server, {}, async (context) => {
    const page = await context.newPage();
    await page.goto(server.url + "#board=1." + deflateSync(Buffer.from(board)).toString("base64url"));
    await started(page);
    await offline(page);
    await server.stop();
    await page.reload();
    await started(page);
  });
});

test("a picture the server lacks while caching is named, over no window, the rest kept, and kept once it is back", async () => {
  const server = await new SiteServer().start();
  // The 1x backdrop: what the default viewport draws.
  const picture = backdrops.find((images) => images[0].startsWith("Backdrop3-"))[0];
  server.missing = (path) => path === `/pictures/${picture}`;
  await inProfile(server, {}, async (context) => {
    const page = await context.newPage();
    await page.goto(server.url);
    await offline(page, "partly");
    assert.match(await page.textContent(".not-kept"), new RegExp(picture.replace(".", "\\.")));
    const line = await page.$eval(".not-kept", (e) => e.getBoundingClientRect().toJSON());
    const windows = await page.$$eval(".window", (all) => all.map((e) => e.getBoundingClientRect().toJSON()));
    for (const w of windows)
      assert.ok(line.bottom <= w.top || line.top >= w.bottom || line.right <= w.left || line.left >= w.right,
                `the line ${JSON.stringify(line)} covers a window ${JSON.stringify(w)}`);
    await server.stop();
    await page.reload();
    await started(page);
    server.missing = null;
    await server.start(server.port);
    await page.reload();
    await offline(page);
    assert.equal(await page.$(".not-kept"), null);
  });
});

test("a missing wizlo.wasm is one notice that names it, and its button tries again", async () => {
  const server = await new SiteServer().start();
  server.missing = (path) => path === "/wizlo.wasm";
  await inProfile(server, {}, async (context) => {
    const page = await context.newPage();
    await page.goto(server.url);
    await page.waitForSelector(".notice");
    await page.waitForLoadState("networkidle");
    assert.equal((await page.$$(".notice")).length, 1);
    // The file's name and the server's answer each in their own direction, inside the Arabic too.
    assert.deepEqual(await page.$$eval(".notice [dir=ltr]", (all) => all.map((e) => e.textContent)),
                     ["wizlo.wasm", "The server does not have this file; please tell whoever looks after the school's site: wizlo.wasm", "404 Not Found"]);
    server.missing = null;
    await page.click(".notice button");
    await started(page);
  });

  // Opened as a file: where to open it instead.
  const file = await browser.newContext();
  const opened = await file.newPage();
  await opened.goto("file://" + join(SITE, "index.html"));
  const notice = await opened.waitForSelector(".notice");
  assert.match(await notice.textContent(), /عنوان موقع المدرسة.*school's web address/s);
  await file.close();
});
