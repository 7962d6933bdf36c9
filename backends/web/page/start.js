// Starts the program, or says plainly why it cannot run in this browser; once the first frame is on
// screen, keeps every file for the next visit without a network.
"use strict";

const WizloStart = (() => {
  // Read in the page's head, before its body exists: a message waits for it.
  function whenBody(then) {
    if (document.body) then();
    else document.addEventListener("DOMContentLoaded", then, {once: true});
  }

  function cannotRun(reason) {
    whenBody(() => {
      const box = document.createElement("div");
      box.className = "notice error";
      box.innerHTML = "<h1>لا يعمل ويزلو في هذا المتصفح — Wizlo cannot run in this browser</h1><p></p>";
      box.querySelector("p").textContent = reason;
      document.body.append(box);
    });
  }

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    cannotRun("يحتاج ويزلو إلى متصفح حديث يدعم WebAssembly. — Wizlo needs a recent browser with WebAssembly.");
    window.Module = {onAbort: () => {}};  // the program's own script stops at once, quietly
    return {cannotLoad: () => {}};
  }

  window.Module = {
    onAbort: (what) => cannotRun("" + what),
    printErr: (text) => console.error(text),
    // The program opens its first window on the page's stage, which exists once the page is read.
    preRun: [() => {
      if (document.readyState !== "loading") return;
      Module.addRunDependency("page");
      document.addEventListener("DOMContentLoaded", () => Module.removeRunDependency("page"), {once: true});
    }],
  };
  WizloPictures.prefetchFirstFrame(JSON.parse(document.getElementById("first-frame").textContent),
                                   WizloWindows.scaleFor);

  document.addEventListener("wizlo-frame", () => {
    // Once the frame is painted, so that nothing competes with it: the sounds, then every file.
    requestAnimationFrame(() => setTimeout(() => {
      WizloAudio.load("yes.wav");
      WizloAudio.load("no.wav");
      if ("serviceWorker" in navigator && location.protocol !== "file:")
        navigator.serviceWorker.register("service-worker.js").catch((error) => console.warn("wizlo: offline use: " + error));
    }, 0));
  }, {once: true});

  return {
    cannotLoad: () => cannotRun("تعذّر تحميل البرنامج؛ تحقّق من الاتصال ثم أعد المحاولة. — The program could not be loaded; check the connection and try again."),
  };
})();
