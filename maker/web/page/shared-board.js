// A board shared as a link (index.html#board=...), made into its pack on the pupil's device by the
// board maker, which only such a page loads. The pack is kept under the link, so the board opens
// again with the network gone. Whatever the link holds is read as any board file is, and its pack
// as any pack; a problem is said in both languages, and nothing of the link becomes markup, a style
// or an address.
const kCache = "wizlo-shared";

async function digest(text) {
  const hash = await crypto.subtle.digest("SHA-256", new TextEncoder().encode(text));
  return [...new Uint8Array(hash)].map((b) => b.toString(16).padStart(2, "0")).join("");
}

function askWorker(worker, ask, args) {
  return new Promise((resolve, reject) => {
    worker.onmessage = ({data}) => (data.error ? reject(new Error(data.error)) : resolve(data));
    worker.onerror = (event) => reject(new Error(event.message || "the board maker cannot start"));
    worker.postMessage({id: 1, ask, args});
  });
}

export async function packFromLink(fragment) {
  const name = "لوحة مشتركة";
  const key = new URL(`shared/${await digest(fragment)}.wizlo`, location.href).href;
  const cache = "caches" in window ? await caches.open(kCache) : null;
  const kept = cache && await cache.match(key);
  if (kept) return {name, bytes: new Uint8Array(await kept.arrayBuffer())};
  const worker = new Worker(new URL("maker/worker.js", import.meta.url), {type: "module"});
  try {
    const read = await askWorker(worker, "read_link", [fragment]);
    if (read.answer.problem) return {name, refusal: read.answer.problem};
    const made = await askWorker(worker, "make", [read.answer.board]);
    if (made.made.error) return {name, problem: made.made.error};
    // A board the maker cannot lay out is refused, the first of its problems saying why; the pack it
    // makes of any other is read by the program's pack reader, which checks it as it checks any.
    if (made.made.problems.length || !made.pack) return {name, refusal: made.made.problems[0] ||
      {arabic: "تعذّر صنع اللوحة من الرابط.", english: "the board in the link cannot be made."}};
    if (cache) await cache.put(key, new Response(made.pack));
    return {name, bytes: made.pack};
  } catch (error) {
    return {name, problem: error.message || String(error)};
  } finally {
    worker.terminate();
  }
}
