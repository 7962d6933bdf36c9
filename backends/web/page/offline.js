// Loaded once the first frame is up: the service worker that keeps every file for the next visit,
// and a new version's coming in. A version found on the server is fetched whole beside this one;
// the page changes over to it at the menu (never in the middle of a board), and says which files
// the server could not give, so that a teacher can tell whoever looks after the school's site.
const worker = navigator.serviceWorker;

// Only the menu's window open: nothing a pupil is in the middle of.
const atMenu = () => document.querySelectorAll("#stage .window").length === 1;

function whenAtMenu(then) {
  if (atMenu()) return then();
  const watch = new MutationObserver(() => {
    if (!atMenu()) return;
    watch.disconnect();
    then();
  });
  watch.observe(document.getElementById("stage"), {childList: true});
}

// A line in the tray beside the stage (windows.js), over nothing a pupil needs; a tap hides it.
function sayNotKept(names) {
  WizloWindows.later((notices) => {
    document.querySelector(".not-kept")?.remove();
    const line = document.createElement("div");
    line.className = "not-kept";
    line.setAttribute("role", "status");
    const files = names.join(", ");
    line.append(...notices.lines("لم تُحفظ هذه الملفات للعمل دون اتصال لأنها ناقصة على الخادم: ",
                                 "Not kept for use without a network, as the server does not have them: ", files));
    line.title = "إخفاء — Hide";
    line.addEventListener("click", () => line.remove());
    (document.querySelector(".tray") || document.body).append(line);
  });
}

// What this device uses, where the worker's install finds it: a version is kept whole with the
// pictures of the scale the page draws at, and the teacher's-board program once a board was opened.
const DEVICE = "wizlo-device " + new URL(".", location.href).href;
const say = (key, value) => caches.open(DEVICE).then((cache) => cache.put(key, new Response(String(value)))).catch(() => {});

export async function keepForOffline(wholePage) {
  await say("scale", WizloWindows.scale());
  if (!wholePage) await say("teacher", true);
  const registration = await worker.register("service-worker.js", {updateViaCache: "none"});
  // The program's own page (not a teacher's board opened alone, which has no menu to change at).
  if (wholePage) {
    let controlled = Boolean(worker.controller);
    worker.addEventListener("controllerchange", () => {
      // The first worker's taking over changes nothing; a new version's does, at the menu.
      if (controlled) whenAtMenu(() => location.reload());
      controlled = true;
    });
    const offer = () => whenAtMenu(() => registration.waiting?.postMessage("take over"));
    if (registration.waiting) offer();
    registration.addEventListener("updatefound", () => {
      const coming = registration.installing;
      coming.addEventListener("statechange", () => { if (coming.state === "installed" && worker.controller) offer(); });
    });
  }
  const ready = await worker.ready;
  // The pictures kept are those of the scale the page draws at; a new scale's (the page moved to
  // another screen) are kept from the next check on.
  let scale = 0;
  const check = async () => {
    if (scale === WizloWindows.scale()) return;
    scale = WizloWindows.scale();
    document.documentElement.dataset.offline = "keeping";
    say("scale", scale);
    const names = await new Promise((resolve) => {
      const channel = new MessageChannel();
      channel.port1.onmessage = ({data}) => resolve(data);
      ready.active.postMessage({missing: true, scale, teacher: !wholePage}, [channel.port2]);
    });
    if (names.length) sayNotKept(names);
    else document.querySelector(".not-kept")?.remove();
    if (scale === WizloWindows.scale()) document.documentElement.dataset.offline = names.length ? "partly" : "ready";
  };
  window.addEventListener("resize", check);
  await check();
}
