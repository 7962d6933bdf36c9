// Starts the program, or says plainly why it cannot run in this browser; once the first frame is on
// screen, keeps every file for the next visit without a network.
"use strict";

const WizloStart = (() => {
  // Read in the page's head, before its body exists: a message waits for it.
  function whenBody(then) {
    if (document.body) then();
    else document.addEventListener("DOMContentLoaded", then, {once: true});
  }

  // One notice, the first problem's: what follows from it says nothing new. The browser's own words,
  // and a file's name, keep their left-to-right order inside the Arabic (dir, bdi).
  function cannotRun(arabic, english, {file = "", detail = "", retry = false} = {}) {
    whenBody(() => {
      if (document.querySelector(".notice")) return;
      const box = document.createElement("div");
      box.className = "notice error";
      box.setAttribute("role", "alert");
      const heading = document.createElement("h1");
      heading.textContent = "لا يعمل ويزلو هنا — Wizlo cannot run here";
      const arabicText = document.createElement("p");
      const englishText = Object.assign(document.createElement("p"), {dir: "ltr", lang: "en"});
      arabicText.append(arabic, Object.assign(document.createElement("bdi"), {dir: "ltr", textContent: file}));
      englishText.append(english, file);
      box.append(heading, arabicText, englishText);
      if (detail) box.append(Object.assign(document.createElement("p"), {dir: "ltr", textContent: detail}));
      if (retry) {
        const again = Object.assign(document.createElement("button"), {type: "button", textContent: "إعادة المحاولة — Try again"});
        again.addEventListener("click", () => location.reload());
        box.append(again);
      }
      document.body.append(box);
    });
  }

  // A file the program cannot start without: named, with what the server answered.
  async function cannotLoad(file, detail = "") {
    let answer = null;
    try {
      answer = await fetch(file, {method: "HEAD", cache: "no-store"});
    } catch {}
    if (answer && !answer.ok)
      cannotRun("الملف ناقص على الخادم، فليُبلَّغ به من يعتني بموقع المدرسة: ", "The server does not have this file; please tell whoever looks after the school's site: ",
                {file, detail: `${answer.status} ${answer.statusText}`.trim(), retry: true});
    else if (!answer)
      cannotRun("تعذّر تحميل البرنامج؛ يُرجى التحقّق من الاتصال: ", "The program could not be loaded; please check the connection: ", {file, retry: true});
    else cannotRun("تعذّر بدء البرنامج في هذا المتصفح.", "The program could not start in this browser.", {detail, retry: true});
  }

  // Opened as a file (a teacher double-clicks index.html): a browser runs nothing of it from there.
  if (location.protocol === "file:") {
    cannotRun("يُفتح ويزلو من عنوان موقع المدرسة على الشبكة، لا من ملف على هذا الجهاز.",
              "Open Wizlo from the school's web address, not from a file on this computer.");
    return {};
  }

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    cannotRun("يحتاج ويزلو إلى متصفح حديث يدعم WebAssembly.", "Wizlo needs a recent browser with WebAssembly.");
    window.Module = {onAbort: () => {}};  // the program's own script stops at once, quietly
    return {};
  }

  // The menu's program, or, given a teacher's board, the board's (which carries the pack reader).
  const query = new URLSearchParams(location.search);
  const shared = location.hash.startsWith("#board=");  // a board in the link itself (shared-board.js)
  const program = shared || query.has("pack") || query.get("launch") === "file" ? "wizlo-lesson" : "wizlo";
  window.Module = {
    onAbort: (what) => cannotLoad(program + ".wasm", "" + what),
    printErr: (text) => console.error(text),
    // The program opens its first window on the page's stage, which exists once the page is read.
    preRun: [() => {
      if (document.readyState !== "loading") return;
      Module.addRunDependency("page");
      document.addEventListener("DOMContentLoaded", () => Module.removeRunDependency("page"), {once: true});
    }],
  };
  // Made while the program loads, not after it asks.
  const sharedPack = shared && import("./shared-board.js").then((board) => board.packFromLink(location.hash.slice(1)));
  const preload = document.createElement("link");
  Object.assign(preload, {rel: "preload", href: program + ".wasm", as: "fetch", type: "application/wasm",
                          crossOrigin: "anonymous"});
  const script = document.createElement("script");
  Object.assign(script, {src: program + ".js", async: true});
  script.addEventListener("error", () => cannotLoad(script.src.split("/").pop()));
  document.head.append(preload, script);
  if (program === "wizlo")
    WizloPictures.prefetchFirstFrame(JSON.parse(document.getElementById("first-frame").textContent),
                                     WizloWindows.scaleFor);

  document.addEventListener("wizlo-frame", () => {
    // Once the frame is painted, so that nothing competes with it: the sounds, then every file.
    requestAnimationFrame(() => setTimeout(() => {
      WizloAudio.load("yes.wav");
      WizloAudio.load("no.wav");
      if ("serviceWorker" in navigator)
        import("./offline.js").then((offline) => offline.keepForOffline(program === "wizlo"))
          .catch((error) => console.warn("wizlo: offline use: " + error));
    }, 0));
  }, {once: true});

  // A teacher's board: named in the page's address (?pack=ADDRESS), chosen from a file with the
  // page's button or dropped on the page (kept in a cache of its own, then the page opened again
  // with ?pack=chosen/NAME), or a file the system opened with the installed program.
  // Each copy on a server (a folder) keeps its own.
  const CHOSEN = "wizlo-chosen " + new URL(".", location.href).pathname;
  const MAX_BYTES = 16 * 1024 * 1024;
  const launched = new Promise((resolve) => {
    if (!("launchQueue" in window) || query.get("launch") !== "file") {
      resolve(null);
      return;
    }
    launchQueue.setConsumer(async (launch) => {
      const file = launch.files?.[0] && await launch.files[0].getFile();
      resolve(file ? {name: file.name, bytes: new Uint8Array(await file.arrayBuffer())} : null);
    });
  });

  async function givenPack() {
    const fromSystem = await launched;
    if (fromSystem) return fromSystem;
    if (shared) return sharedPack;
    const asked = query.get("pack");
    if (!asked) return null;
    const name = decodeURIComponent(asked.split("/").pop() || asked);
    try {
      const response = asked.startsWith("chosen/")
        ? await caches.match(asked, {cacheName: CHOSEN}) || await caches.match(asked, {cacheName: "wizlo-chosen"})
        : await fetch(new URL(asked, location.href));
      if (!response) return {name, problem: "it is no longer kept here; choose it again"};
      if (!response.ok) return {name, problem: `${response.status} ${response.statusText}`.trim()};
      const bytes = new Uint8Array(await response.arrayBuffer());
      if (bytes.length > MAX_BYTES) return {name, problem: "larger than 16 MiB"};
      return {name, bytes};
    } catch (error) {
      return {name, problem: error.message || String(error)};
    }
  }

  async function openChosen(file) {
    if (!file) return;
    const key = "chosen/" + encodeURIComponent(file.name);
    try {
      const cache = await caches.open(CHOSEN);
      for (const old of await cache.keys()) await cache.delete(old);
      await cache.put(key, new Response(file));
      location.search = "?pack=" + key;
    } catch (error) {
      cannotRun("تعذّر فتح الملف المختار.", "The chosen file cannot be opened.", {file: file.name, detail: String(error)});
    }
  }

  whenBody(() => {
    const chooser = document.createElement("input");
    chooser.type = "file";
    chooser.accept = ".wizlo";
    chooser.hidden = true;
    chooser.addEventListener("change", () => openChosen(chooser.files[0]));
    // Each says its words in both languages, a line each where the tray is a narrow column.
    const words = (control, arabic, english) => {
      control.innerHTML = '<span></span> <span lang="en" dir="ltr"></span>';
      control.firstChild.textContent = arabic;
      control.lastChild.textContent = english;
      return control;
    };
    const button = words(document.createElement("button"), "فتح لوحة معلّم", "Open a teacher's board");
    button.type = "button";
    button.className = "open-board";
    button.addEventListener("click", () => chooser.click());
    // A teacher's way to the authoring page, which loads nothing until she follows it.
    const make = words(Object.assign(document.createElement("a"), {className: "open-board make-board", href: "maker/"}),
                       "صنع لوحة", "Make a board");
    // In a tray beside the stage, which the stage leaves room for (windows.js): never over a form.
    const tray = document.createElement("nav");
    tray.className = "tray";
    tray.setAttribute("aria-label", "للمعلّم — For the teacher");
    tray.append(button, make);
    document.body.append(chooser, tray);
    document.addEventListener("dragover", (event) => event.preventDefault());
    document.addEventListener("drop", (event) => {
      event.preventDefault();
      openChosen(event.dataTransfer.files[0]);
    });
  });

  return {givenPack};
})();
