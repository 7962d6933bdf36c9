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

// A line at the top, which a tap hides: the menu and the boards stay as they are.
function sayNotKept(names) {
  const line = document.createElement("div");
  line.className = "not-kept";
  line.setAttribute("role", "status");
  line.style.cssText = "position:fixed;inset-block-start:0;inset-inline:0;z-index:1;padding:0.2em 0.6em;" +
    "background:#fff4c2;color:#1b1b1b;font-size:0.8rem;text-align:center";
  const files = names.join(", ");
  const arabic = document.createElement("p");
  const english = Object.assign(document.createElement("p"), {dir: "ltr", lang: "en"});
  arabic.append("لم تُحفظ هذه الملفات للعمل دون اتصال لأنها ناقصة على الخادم: ",
                Object.assign(document.createElement("bdi"), {dir: "ltr", textContent: files}));
  english.append("Not kept for use without a network, as the server does not have them: " + files);
  for (const part of [arabic, english]) part.style.margin = "0";
  line.append(arabic, english);
  line.title = "إخفاء — Hide";
  line.addEventListener("click", () => line.remove());
  document.body.append(line);
}

export async function keepForOffline(wholePage) {
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
  const names = await new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = ({data}) => resolve(data);
    ready.active.postMessage("missing", [channel.port2]);
  });
  if (names.length) sayNotKept(names);
  document.documentElement.dataset.offline = names.length ? "partly" : "ready";
}
