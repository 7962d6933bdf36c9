// A teacher's board for the page (start.js loads this only when one is given): named in its address,
// chosen from a file, dropped on the page, or opened by the system with the installed program.
"use strict";

window.WizloTeacherBoard = (() => {
  const query = new URLSearchParams(location.search);
  // A file chosen or dropped is kept in a cache of its own, then the page opened again with
  // ?pack=chosen/NAME. Each copy on a server (a folder) keeps its own.
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

  async function givenPack(sharedPack) {
    const fromSystem = await launched;
    if (fromSystem) return fromSystem;
    if (sharedPack) return sharedPack;
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
    const key = "chosen/" + encodeURIComponent(file.name);
    const cache = await caches.open(CHOSEN);
    for (const old of await cache.keys()) await cache.delete(old);
    await cache.put(key, new Response(file));
    location.search = "?pack=" + key;
  }

  return {givenPack, openChosen};
})();
