// The page's half of the window system (web_backend.cpp is the other): a stage fitted to the
// viewport, a framed window a form on it with a caption, a close box and a canvas (on a small screen
// the form alone, with no frame, as large as fits), and the pointer's and the keys' events queued for
// the program, which takes them one at a time.
"use strict";

const WizloWindows = (() => {
  // Sizes of a frame, in 96-dpi pixels; the stage scales them with everything else.
  const CAPTION = 28;
  const BORDER = 1;
  const MARGIN = 8;  // around the first window, so the next ones, placed a little off it, fit too

  const EVENT = {press: 0, release: 1, move: 2, cancel: 3, close: 4, exposed: 5, grabLost: 6, rescaled: 7, key: 8};
  // The keys a pupil moves about a form with, by the program's codes; the browser keeps every other.
  const KEYS = {Tab: 1, Enter: 2, " ": 3, Escape: 4, ArrowLeft: 5, ArrowRight: 6, ArrowUp: 7, ArrowDown: 8};
  const BUTTONS = {0: 1, 1: 4, 2: 2};  // a DOM button to the program's: left 1, right 2, middle 4

  const windows = new Map();
  const queue = [];
  let wake = null;
  let first = null;    // the first window's client area, in 96-dpi pixels
  let largest = null;  // the largest client area of any window so far
  let stage = null;    // what is fitted to the viewport, in 96-dpi pixels: the first window's frame and margin,
                       // or with no frames the largest client area
  let framed = true;   // whether windows have a frame (a caption, a border)
  let fit = 1;       // CSS pixels to a 96-dpi pixel
  let ratio = 1;     // device pixels to a CSS pixel
  let topLayer = 1;
  const cursors = new Map();

  function root() { return document.getElementById("stage"); }

  // Keys reach the program wherever the page's focus lies but on a control of the page's own (the
  // teacher's-board button, a notice's button), so the stage takes it back whenever a form is touched.
  function focusStage() { root()?.focus({preventScroll: true}); }

  function post(event) {
    queue.push(event);
    if (wake) {
      const resolve = wake;
      wake = null;
      resolve();
    }
  }

  async function nextEvent() {
    while (queue.length === 0) await new Promise((resolve) => { wake = resolve; });
    return queue.shift();
  }

  // The stage a first window of this client area (96-dpi pixels) makes, framed.
  function stageFor({left, top, width, height}) {
    return {left: left - BORDER - MARGIN, top: top - CAPTION - BORDER - MARGIN,
            width: width + 2 * BORDER + 2 * MARGIN, height: height + CAPTION + 2 * BORDER + 2 * MARGIN};
  }

  // Framed, as on a desktop, where the frames leave the forms at least three quarters of their size.
  // A smaller screen (a phone) gives each form the whole room, with no frame: a title bar there only
  // makes the pieces smaller, and every form but the menu has its own way back to it. The stage is
  // then the largest form so far, each centred on it.
  const FRAMED_AT_LEAST = 0.75;
  function settle(client, biggest) {
    const framedStage = stageFor(client);
    if (largestFit(framedStage) >= FRAMED_AT_LEAST) return {stage: framedStage, framed: true};
    return {stage: {left: 0, top: 0, width: biggest.width, height: biggest.height}, framed: false};
  }

  // The page's own controls for a teacher (start.js's) stand in a tray beside the stage, on whichever
  // side leaves the stage the larger, a row along the foot or a column at the side, and the stage is
  // fitted to what the tray leaves: nothing of the page's ever covers a form the pupil plays on.
  const TRAY_ROW = 60, TRAY_COLUMN = 184;  // CSS pixels: a 44-pixel button for a finger, and its margins
  function roomFor(box) {
    const view = document.documentElement;
    const width = view.clientWidth, height = view.clientHeight;
    const row = Math.min(width / box.width, (height - TRAY_ROW) / box.height);
    const column = Math.min((width - TRAY_COLUMN) / box.width, height / box.height);
    return row >= column ? {left: 0, width, height: height - TRAY_ROW, side: "row"}
                         : {left: TRAY_COLUMN, width: width - TRAY_COLUMN, height, side: "column"};
  }
  let room = null;

  // The largest scale at which the whole stage fits the viewport; but a little less where that
  // lets the pictures be drawn at a size they were drawn at (1x, 2x): as sharp as they can be, and
  // with nothing to resample.
  const NATURAL = [2, 1];
  const CLOSE = 1.2;
  function largestFit(box) {
    const space = roomFor(box);
    return Math.min(space.width / box.width, space.height / box.height);
  }
  // Where there is no room for a frame, every piece is to be as large as it can be: sharper would be
  // smaller there.
  function fitOf(box, withFrame) {
    const pixelRatio = window.devicePixelRatio || 1;
    const most = largestFit(box);
    const natural = withFrame && NATURAL.find((scale) => most * pixelRatio >= scale && most * pixelRatio < scale * CLOSE);
    return natural ? natural / pixelRatio : most;
  }

  function measure() {
    ratio = window.devicePixelRatio || 1;
    if (!first) return;
    ({stage, framed} = settle(first, largest));
    root().dataset.frame = framed ? "drawn" : "none";
    fit = fitOf(stage, framed);
    room = roomFor(stage);
    // A column takes all the side the stage leaves it, so that the stage stays in the middle where it can.
    if (room.side === "column") {
      const slack = (document.documentElement.clientWidth - css(stage.width)) / 2;
      if (slack > room.left) Object.assign(room, {left: slack, width: css(stage.width)});
    }
    const tray = document.querySelector(".tray");
    if (tray) {
      tray.dataset.side = room.side;
      tray.style.width = room.side === "column" ? room.left + "px" : "";
    }
  }

  // A length of 96-dpi pixels in CSS pixels, on a whole device pixel.
  function css(pixels) { return Math.round(pixels * fit * ratio) / ratio; }

  // Where a window's frame goes on the stage, in 96-dpi pixels; with no frame, where its client area goes.
  function placeOf(win) {
    if (!framed) return {left: (stage.width - win.width) / 2, top: (stage.height - win.height) / 2};
    const frameWidth = win.width + 2 * BORDER;
    const frameHeight = win.height + CAPTION + 2 * BORDER;
    // The window system's choice: the middle of the stage.
    if (win.placedBySystem)
      return {left: stage.left + (stage.width - frameWidth) / 2, top: stage.top + (stage.height - frameHeight) / 2};
    // Where the form asks to be, kept on the stage.
    const clamp = (value, low, high) => Math.max(low, Math.min(value, high));
    return {left: clamp(win.left - BORDER, stage.left, stage.left + stage.width - frameWidth),
            top: clamp(win.top - CAPTION - BORDER, stage.top, stage.top + stage.height - frameHeight)};
  }

  function layOut(win) {
    const place = placeOf(win);
    const border = framed ? BORDER : 0;
    const left = room.left + (room.width - css(stage.width)) / 2 + css(place.left - stage.left);
    const top = (room.height - css(stage.height)) / 2 + css(place.top - stage.top);
    // On whole device pixels, and with nothing of fractional size between the window's corner and
    // its canvas (the border is an outline), so that the browser draws the canvas unscaled.
    Object.assign(win.element.style, {
      left: Math.round((left + css(border)) * ratio) / ratio + "px",
      top: Math.round((top + css(border)) * ratio) / ratio + "px",
      outlineWidth: css(border) + "px",
    });
    win.element.classList.toggle("frameless", !framed);
    win.caption.style.height = css(CAPTION) + "px";
    win.caption.style.fontSize = css(CAPTION * 0.5) + "px";
    win.close.style.width = css(CAPTION * 1.5) + "px";
    if (win.canvas.width) sizeCanvas(win);
    else if (win.coming) Object.assign(win.coming.style, {width: css(win.width) + "px", height: css(win.height) + "px"});
  }

  function sizeCanvas(win) {
    win.canvas.style.width = win.canvas.width / ratio + "px";
    win.canvas.style.height = win.canvas.height / ratio + "px";
  }

  function pointerEvent(kind, win, event) {
    const box = win.canvas.getBoundingClientRect();
    const x = Math.floor((event.clientX - box.left) * (win.canvas.width / (box.width || 1)));
    const y = Math.floor((event.clientY - box.top) * (win.canvas.height / (box.height || 1)));
    const inside = x >= 0 && y >= 0 && x < win.canvas.width && y < win.canvas.height;
    let buttons = 0;
    for (const [bit, ours] of [[1, 1], [2, 2], [4, 4]]) if (event.buttons & bit) buttons |= ours;
    return [kind, win.id, x, y, BUTTONS[event.button] || 0, buttons, inside ? 1 : 0,
            event.pointerType === "touch" ? 1 : 0, event.pointerId | 0];
  }

  function listen(win) {
    const canvas = win.canvas;
    canvas.addEventListener("pointerdown", (event) => {
      event.preventDefault();
      focusStage();
      // The window that takes the press keeps the pointer until the button or finger comes up,
      // wherever it goes meanwhile, as a desktop does.
      try { canvas.setPointerCapture(event.pointerId); } catch (error) { /* a pointer already gone */ }
      post(pointerEvent(EVENT.press, win, event));
    });
    canvas.addEventListener("pointermove", (event) => {
      // A fast pointer's moves come together in one event; only its last point matters here.
      post(pointerEvent(EVENT.move, win, event));
    });
    canvas.addEventListener("pointerup", (event) => post(pointerEvent(EVENT.release, win, event)));
    canvas.addEventListener("pointercancel", (event) => post(pointerEvent(EVENT.cancel, win, event)));
    canvas.addEventListener("contextmenu", (event) => event.preventDefault());
    win.close.addEventListener("click", () => {
      focusStage();
      post([EVENT.close, win.id, 0, 0, 0, 0, 0, 0, 0]);
    });
  }

  // A window says which form it is (`description`) to assistive technology, and until its first
  // frame is drawn, that the form is on its way (but the first window: the page has nothing else to show).
  function open(id, caption, description, left, top, width, height, placedBySystem, owner) {
    if (!first) {
      first = {left, top, width, height};
      largest = {width, height};
      measure();
    } else if (width > largest.width || height > largest.height) {
      // With no frames, the stage grows to hold the larger form whole, and the others follow it.
      largest = {width: Math.max(width, largest.width), height: Math.max(height, largest.height)};
      refit();
    }
    const win = {id, owner, width, height, left, top, placedBySystem};
    win.element = document.createElement("div");
    win.element.className = "window";
    win.element.setAttribute("role", owner ? "dialog" : "region");
    win.element.setAttribute("aria-label", description);
    win.element.style.zIndex = String(++topLayer);
    win.caption = document.createElement("div");
    win.caption.className = "caption";
    const title = document.createElement("span");
    title.className = "title";
    title.textContent = caption;
    title.setAttribute("aria-hidden", "true");
    win.close = document.createElement("button");
    win.close.className = "close";
    win.close.type = "button";
    win.close.setAttribute("aria-label", "إغلاق");
    win.close.textContent = "✕";
    win.close.tabIndex = -1;  // Escape does what it does; Tab goes round the form's own stops
    win.caption.append(title, win.close);
    win.canvas = document.createElement("canvas");
    win.canvas.width = win.canvas.height = 0;
    win.canvas.setAttribute("role", "img");
    win.canvas.setAttribute("aria-label", description);
    win.coming = loaded?.coming();
    win.element.append(win.caption, win.coming || "", win.canvas);
    windows.set(id, win);
    layOut(win);
    listen(win);
    root().append(win.element);
    // The menu is the page itself; a form opened over it is said as it opens.
    if (windows.size > 1) announce(description);
  }

  function close(id) {
    const win = windows.get(id);
    if (!win) return;
    win.element.remove();
    windows.delete(id);
  }

  function raise(id) {
    const win = windows.get(id);
    if (win) win.element.style.zIndex = String(++topLayer);
  }

  // The frame's pixels, of which only the part `changed` ([x, y, width, height]) is new.
  function show(id, rgba, width, height, changed) {
    const win = windows.get(id);
    if (!win) return;
    if (win.canvas.width !== width || win.canvas.height !== height) {
      win.canvas.width = width;
      win.canvas.height = height;
      win.context = null;
      sizeCanvas(win);
    }
    if (!win.context) win.context = win.canvas.getContext("2d", {alpha: false});
    win.context.putImageData(new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length),
                                           width, height), 0, 0, ...changed);
    if (!win.shown) {
      win.shown = true;
      win.coming?.remove();
      document.dispatchEvent(new CustomEvent("wizlo-frame", {detail: {window: id}}));
    }
  }

  // The drag pointer: the piece's picture, made once for each artwork and size.
  function setPointer(shape, rgba, size, key) {
    let cursor = shape === 1 ? "crosshair" : "default";
    if (rgba) {
      cursor = cursors.get(key);
      if (!cursor) {
        const canvas = document.createElement("canvas");
        canvas.width = canvas.height = size;
        canvas.getContext("2d").putImageData(new ImageData(new Uint8ClampedArray(rgba), size, size), 0, 0);
        const hot = Math.round(size / 2 / ratio);
        cursor = `image-set(url(${canvas.toDataURL()}) ${ratio}x) ${hot} ${hot}, default`;
        cursors.set(key, cursor);
      }
    }
    document.body.style.cursor = cursor;
  }

  // Said by a screen reader as it happens: a live region the page keeps out of sight. Words given as
  // "Arabic — English" are read each in its own language.
  let live = null;
  function announce(words) {
    if (!live) {
      live = document.createElement("div");
      live.className = "announcer";
      live.setAttribute("aria-live", "polite");
      live.setAttribute("role", "status");
      document.body.append(live);
    }
    const [arabic, english] = words.split(" — ");
    const said = [Object.assign(document.createElement("span"), {textContent: arabic})];
    if (english) said.push(" — ", Object.assign(document.createElement("span"), {lang: "en", textContent: english}));
    // The same words twice in a row (two wrong drops) are new words all the same.
    live.replaceChildren(...said);
  }

  // A script of the page's, loaded when first needed: what it defines, by its global name.
  const scripts = new Map();
  function script(src, name) {
    if (!scripts.has(src)) scripts.set(src, new Promise((resolve, reject) => {
      const element = Object.assign(document.createElement("script"), {src});
      element.onload = () => resolve(window[name]);
      element.onerror = () => {
        scripts.delete(src);
        reject(new Error(src + " cannot be loaded"));
      };
      document.head.append(element);
    }));
    return scripts.get(src);
  }
  // What a first frame does without (notices.js): loaded once it is drawn, or at once when
  // something fails before.
  let loaded = null;
  const later = (then) => script("notices.js", "WizloNotices").then((notices) => then(loaded = notices));
  document.addEventListener("wizlo-frame", () => later(() => {}).catch(() => {}), {once: true});

  const cannotOpen = (what, file) => later((n) => n.cannotOpen(what, file, focusStage));
  const reportError = (message) => later((n) => n.stopped("error", "توقّف البرنامج — Wizlo stopped", message, "ابدأ من جديد — Start again"));

  function ended(status) {
    document.body.style.cursor = "default";
    if (status === 0) later((n) => n.stopped("ended", "انتهى البرنامج — Wizlo has ended", "", "ابدأ من جديد — Start again"));
  }

  // The program's keys, as the pupil presses them: never while the browser's own shortcuts are
  // held (Ctrl+Tab, Alt+Left...), nor while the focus is on one of the page's buttons, nor once a
  // notice covers the stage. Taken, they do nothing else: Tab stays on the stage, Space scrolls nothing.
  function keyEvent(event) {
    const key = KEYS[event.key];
    if (!key || event.defaultPrevented || event.isComposing || event.ctrlKey || event.altKey || event.metaKey) return;
    if (windows.size === 0 || document.querySelector(".notice")) return;
    if (event.target instanceof Element && event.target.closest("button, a, input, select, textarea")) return;
    event.preventDefault();
    post([EVENT.key, 0, key, event.shiftKey ? 1 : 0, event.repeat ? 1 : 0, 0, 0, 0, 0]);
  }
  window.addEventListener("keydown", keyEvent);
  // The pupil's keys work from the start, with nothing clicked first.
  if (document.readyState === "loading") document.addEventListener("DOMContentLoaded", focusStage, {once: true});
  else focusStage();

  // The stage fitted again; at a new scale, every window is to be composed again.
  function refit() {
    const before = [fit, ratio];
    measure();
    for (const win of windows.values()) layOut(win);
    if (first && (before[0] !== fit || before[1] !== ratio)) post([EVENT.rescaled, 0, 0, 0, 0, 0, 0, 0, 0]);
  }
  window.addEventListener("resize", refit);
  // The window behind the page may have dropped our pixels: paint again.
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "visible")
      for (const id of windows.keys()) post([EVENT.exposed, id, 0, 0, 0, 0, 0, 0, 0]);
  });

  return {open, close, raise, show, setPointer, nextEvent, reportError, ended, cannotOpen, announce, later, script,
          scale: () => fit * ratio, pixelRatio: () => ratio,
          // The scale the stage will have once a first window of this size opens.
          scaleFor: (width, height) => {
            const settled = settle({left: 0, top: 0, width, height}, {width, height});
            return fitOf(settled.stage, settled.framed) * (window.devicePixelRatio || 1);
          }};
})();
