// Starts the program, or says plainly why it cannot run in this browser; once the first frame is on
// screen, keeps every file for the next visit without a network.
"use strict";

(() => {
  function cannotRun(reason) {
    const box = document.createElement("div");
    box.className = "notice error";
    box.innerHTML = "<h1>لا يعمل ويزلو في هذا المتصفح — Wizlo cannot run in this browser</h1><p></p>";
    box.querySelector("p").textContent = reason;
    document.body.append(box);
  }

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    cannotRun("يحتاج ويزلو إلى متصفح حديث يدعم WebAssembly. — Wizlo needs a recent browser with WebAssembly.");
    return;
  }

  window.Module = {
    onAbort: (what) => cannotRun("" + what),
    printErr: (text) => console.error(text),
  };
  const program = document.createElement("script");
  program.src = "wizlo.js";
  program.onerror = () => cannotRun("تعذّر تحميل البرنامج؛ تحقّق من الاتصال ثم أعد المحاولة. — The program could not be loaded; check the connection and try again.");
  document.body.append(program);

  document.addEventListener("wizlo-frame", () => {
    // After the first frame, so nothing competes with it: the sounds, then every file for offline.
    WizloAudio.load("yes.wav");
    WizloAudio.load("no.wav");
    if ("serviceWorker" in navigator && location.protocol !== "file:")
      navigator.serviceWorker.register("service-worker.js").catch((error) => console.warn("wizlo: offline use: " + error));
  }, {once: true});
})();
