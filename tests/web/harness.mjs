// What the browser tests share: the real site (build-web/) served over HTTP by a server of the
// test's own, Debian's Chromium driven by playwright-core, the pupil's mouse and finger in the
// twips of a form, the canvas's pixels, and every sound the page plays, heard at its audio graph.
import { before, after } from "node:test";
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { extname, join, normalize } from "node:path";
import { execFileSync } from "node:child_process";
import { gzipSync } from "node:zlib";
import { chromium } from "playwright-core";
import { PNG } from "pngjs";

export const SITE = process.env.WIZLO_WEB_SITE;
export const LINUX_BUILD = process.env.WIZLO_LINUX_BUILD;
if (!SITE || !LINUX_BUILD) throw new Error("set WIZLO_WEB_SITE (build-web) and WIZLO_LINUX_BUILD (build)");

// The forms as the program defines them: client sizes, controls, the menu's table.
// The sample teacher's board, when the build made one, is among them as the form "Lesson".
export const SAMPLE_PACK = process.env.WIZLO_SAMPLE_PACK;
export const FORMS = JSON.parse(execFileSync(join(LINUX_BUILD, "tests", "web", "wizlo-web-layouts"),
                                             SAMPLE_PACK ? [SAMPLE_PACK] : [], { encoding: "utf8" }));

const TYPES = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript; charset=utf-8", ".mjs": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8", ".ttf": "font/ttf",
  ".wasm": "application/wasm", ".webmanifest": "application/manifest+json", ".png": "image/png",
  ".jpg": "image/jpeg", ".wav": "audio/wav", ".json": "application/json", ".wizlo": "application/octet-stream",
};

// A static server for the site, on a port of its own; it counts what it sends, and can be stopped
// and started again on the same port, as a network that goes away and comes back.
export class SiteServer {
  constructor(root = SITE) {
    this.root = root;
    this.sent = [];  // [path, bytes, at]
    this.missing = null;  // a test's predicate on paths: those it holds are not found
    this.extra = {};      // more files to serve, by path: {"/lessons/a.wizlo": "/tmp/a.wizlo"}
    // As stock nginx and Apache serve files: the file's date and no Cache-Control, which leaves the
    // browser to guess how long to keep it (a tenth of its age).
    this.stock = false;
    // As Debian's nginx with the README's gzip_types: text, scripts and the program sent compressed.
    this.compress = false;
  }

  async start(port = 0) {
    this.server = createServer(async (request, response) => {
      const path = decodeURIComponent(new URL(request.url, "http://here").pathname);
      const file = this.extra[path] || normalize(join(this.root, path.endsWith("/") ? path + "index.html" : path));
      try {
        if (!this.extra[path] && !file.startsWith(normalize(this.root))) throw new Error("outside the site");
        if (this.missing?.(path)) throw new Error("kept back by the test");
        const about = await stat(file);
        if (!about.isFile()) throw new Error("not a file");
        const modified = new Date(Math.floor(about.mtimeMs / 1000) * 1000);
        if (this.stock && new Date(request.headers["if-modified-since"]) >= modified) {
          response.writeHead(304);
          response.end();
          return;
        }
        const type = TYPES[extname(file)] || "application/octet-stream";
        const compressed = this.compress && /text|json|wasm/.test(type) && /gzip/.test(request.headers["accept-encoding"]);
        const body = compressed ? gzipSync(await readFile(file), { level: 1 }) : await readFile(file);
        response.writeHead(200, { "Content-Type": type, ...(compressed ? { "Content-Encoding": "gzip" } : {}),
                                  ...(this.stock ? { "Last-Modified": modified.toUTCString() } : { "Cache-Control": "no-cache" }) });
        response.end(body);
        this.sent.push([path, body.length, performance.now()]);
      } catch {
        response.writeHead(404, { "Content-Type": "text/plain" });
        response.end("not found");
      }
    });
    await new Promise((resolve) => this.server.listen(port, "127.0.0.1", resolve));
    this.port = this.server.address().port;
    this.url = `http://127.0.0.1:${this.port}/`;
    return this;
  }

  async stop() {
    this.server.closeAllConnections();
    await new Promise((resolve) => this.server.close(resolve));
  }
}

// Debian's Chromium, headless, as root; nothing reaches beyond this machine. Popups are blocked as in
// a real browser (Playwright turns that off unless told).
// A site server (serving `extra` files too, as SiteServer's) and a browser for one file's tests:
// started before them, closed after them.
export function siteAndBrowser(root = SITE, extra = {}) {
  const site = {server: null, browser: null};
  before(async () => {
    site.server = new SiteServer(root);
    site.server.extra = extra;
    await site.server.start();
    site.browser = await launch();
  });
  after(async () => {
    await site.browser?.close();
    await site.server?.stop();
  });
  return site;
}

export async function launch() {
  return chromium.launch({
    executablePath: "/usr/bin/chromium",
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
    ignoreDefaultArgs: ["--disable-popup-blocking"],
  });
}

// Every sound the page plays, heard at the audio graph: a tap between the graph and its destination
// adds up what reaches the speakers, block by block, and each sound started is kept with its own
// length and energy, so that a test can tell which sound played and whether all of it was heard.
export function listenToTheAudioGraph() {
  const sounds = [];
  const blocks = [];  // [context time the block is heard at, its length in seconds, its energy]
  const connect = AudioNode.prototype.connect;
  const taps = new WeakMap();
  AudioNode.prototype.connect = function (target, ...rest) {
    if (!(target instanceof AudioDestinationNode)) return connect.call(this, target, ...rest);
    let tap = taps.get(target);
    if (!tap) {
      tap = target.context.createScriptProcessor(1024, 1, 1);
      tap.onaudioprocess = (event) => {
        const samples = event.inputBuffer.getChannelData(0);
        event.outputBuffer.getChannelData(0).set(samples);
        let energy = 0;
        for (const s of samples) energy += s * s;
        if (energy > 0) blocks.push([event.playbackTime, samples.length / event.inputBuffer.sampleRate, energy]);
      };
      connect.call(tap, target);
      taps.set(target, tap);
    }
    return connect.call(this, tap, ...rest);
  };
  const start = AudioBufferSourceNode.prototype.start;
  AudioBufferSourceNode.prototype.start = function (...args) {
    let energy = 0;
    for (const s of this.buffer.getChannelData(0)) energy += s * s;
    const sound = { at: this.context.currentTime, duration: this.buffer.duration, energy, ended: false };
    sounds.push(sound);
    this.addEventListener("ended", () => { sound.ended = true; });
    return start.apply(this, args);
  };
  // Each sound: its length in seconds, and how much of its energy was heard while it played.
  window.__wizloSounds = () => sounds.map((sound) => {
    let heard = 0;
    for (const [at, length, energy] of blocks)
      if (at + length > sound.at && at < sound.at + sound.duration + 0.05) heard += energy;
    return { at: sound.at, duration: sound.duration, heard: heard / sound.energy, ended: sound.ended };
  });
}

// A page of the site at a viewport and device pixel ratio, with the program's first frame on it.
// `before` runs in the page before any of its scripts.
export async function openSite(browser, server, { width = 1024, height = 768, ratio = 1, path = "", before = null } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: ratio });
  const page = await context.newPage();
  if (before) await page.addInitScript(before);
  const problems = [];
  page.on("pageerror", (error) => problems.push(error.message));
  page.on("console", (message) => { if (message.type() === "error") problems.push(message.text()); });
  await page.addInitScript(listenToTheAudioGraph);
  await page.goto(server.url + path);
  await page.waitForFunction(() => document.querySelector(".window canvas")?.width > 0);
  return { context, page, problems, pupil: new Pupil(page) };
}

// The windows on the page, bottom first.
export async function windowsOn(page) {
  return page.$$eval(".window", (all) => all.map((w) => ({
    caption: w.querySelector(".title").textContent, z: Number(w.style.zIndex),
    width: w.querySelector("canvas").width, height: w.querySelector("canvas").height,
  })).sort((a, b) => a.z - b.z));
}

// The topmost window's frame, as its canvas holds it: {width, height, data} (bytes R, G, B, A),
// carried out of the page as a lossless PNG.
export async function frameOf(page) {
  const url = await page.evaluate(() => {
    const windows = [...document.querySelectorAll(".window")].sort((a, b) => a.style.zIndex - b.style.zIndex);
    return windows.at(-1).querySelector("canvas").toDataURL("image/png");
  });
  return PNG.sync.read(Buffer.from(url.slice(url.indexOf(",") + 1), "base64"));
}

export function form(name) {
  const found = FORMS.forms.find((f) => f.name === name);
  if (!found) throw new Error(`no form ${name}`);
  return found;
}

export function control(formName, name, index) {
  const found = form(formName).controls.find((c) => c.name === name && (index === undefined || c.index === index));
  if (!found) throw new Error(`${formName} has no ${name}${index === undefined ? "" : `(${index})`}`);
  return found;
}

export const centre = (c) => [c.left + c.width / 2, c.top + c.height / 2];

// The pupil's mouse and finger, aimed in twips at the topmost window.
export class Pupil {
  // `forms`: layouts by name for forms the program does not know itself, a teacher's board's say.
  constructor(page, forms = {}) {
    this.page = page;
    this.forms = forms;
    this.fingers = 0;
  }

  async point(formName, [x, y]) {
    const canvases = await this.page.$$(".window canvas");
    let top = null;
    let z = -1;
    for (const canvas of canvases) {
      const layer = Number(await canvas.evaluate((c) => c.parentElement.style.zIndex));
      if (layer > z) [top, z] = [canvas, layer];
    }
    const box = await top.boundingBox();
    const client = this.forms[formName] || form(formName);
    return [box.x + (x / client.clientWidth) * box.width, box.y + (y / client.clientHeight) * box.height];
  }

  async click(formName, spot) {
    const [x, y] = await this.point(formName, spot);
    await this.page.mouse.click(x, y);
  }

  async drag(formName, from, to, steps = 8) {
    const [x0, y0] = await this.point(formName, from);
    const [x1, y1] = await this.point(formName, to);
    await this.page.mouse.move(x0, y0);
    await this.page.mouse.down();
    for (let i = 1; i <= steps; i++) await this.page.mouse.move(x0 + ((x1 - x0) * i) / steps, y0 + ((y1 - y0) * i) / steps);
    await this.page.mouse.up();
  }

  async touch(type, points) {
    const session = this.session || (this.session = await this.page.context().newCDPSession(this.page));
    await session.send("Input.dispatchTouchEvent", {
      type, touchPoints: points.map(([x, y, id]) => ({ x, y, id, radiusX: 8, radiusY: 8, force: 1 })) });
  }

  // A finger from one place to another; `meanwhile` runs with the finger down halfway.
  async fingerDrag(formName, from, to, { steps = 8, meanwhile = null, end = "touchEnd" } = {}) {
    const id = ++this.fingers;
    const [x0, y0] = await this.point(formName, from);
    const [x1, y1] = await this.point(formName, to);
    await this.touch("touchStart", [[x0, y0, id]]);
    for (let i = 1; i <= steps; i++) {
      const x = x0 + ((x1 - x0) * i) / steps, y = y0 + ((y1 - y0) * i) / steps;
      await this.touch("touchMove", [[x, y, id]]);
      if (meanwhile && i === steps >> 1) await meanwhile([x, y, id]);
    }
    await this.touch(end, end === "touchEnd" ? [] : [[x1, y1, id]]);
  }

  async tap(formName, spot) {
    const [x, y] = await this.point(formName, spot);
    const id = ++this.fingers;
    await this.touch("touchStart", [[x, y, id]]);
    await this.touch("touchEnd", []);
  }
}

// The sounds played so far, once each has been heard to its end: [{at, duration, heard}], where heard
// is the share of the sound's energy that reached the speakers (1 when it was heard whole).
export async function soundsHeard(page, count = 0, timeout = 10000) {
  const until = performance.now() + timeout;
  for (;;) {
    const sounds = await page.evaluate(() => window.__wizloSounds());
    const done = sounds.length >= count && sounds.every((s) => s.ended);
    if (done || performance.now() > until) return sounds;
    await page.waitForTimeout(100);
  }
}
