// Starts the program, or says plainly why it cannot run in this browser; once the first frame is on
// screen, keeps the program's files for the next visit without a network.
"use strict";

const WizloStart = (() => {
  // Read in the page's head, before its body exists: a message waits for it.
  function whenBody(then) {
    if (document.body) then();
    else document.addEventListener("DOMContentLoaded", then, {once: true});
  }

  // Said by notices.js, which only a start that fails loads.
  const cannotRun = (...what) => WizloWindows.later((notices) => notices.cannotRun(...what));
  const cannotLoad = (...what) => WizloWindows.later((notices) => notices.cannotLoad(...what));

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

  // A teacher's board, given in the page's address, by a file chosen or dropped, or by the system:
  // teacher-board.js, loaded only then.
  const teacherBoard = () => WizloWindows.script("teacher-board.js", "WizloTeacherBoard");
  if (program === "wizlo-lesson") teacherBoard();
  const openChosen = (file) => file && teacherBoard().then((board) => board.openChosen(file)).catch((error) =>
    cannotRun("تعذّر فتح الملف المختار.", "The chosen file cannot be opened.", {file: file.name, detail: String(error)}));

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

  return {givenPack: () => teacherBoard().then((board) => board.givenPack(sharedPack),
                                              (error) => ({name: "", problem: error.message}))};
})();
