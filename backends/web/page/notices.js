// What the page says when something goes wrong, and a form's window while its pictures come: none
// of it is needed for the first frame, so it is loaded after it, or at once when the start fails
// (windows.js, `later`).
"use strict";

window.WizloNotices = (() => {
  const made = (tag, properties = {}) => Object.assign(document.createElement(tag), properties);

  function whenBody(then) {
    if (document.body) then();
    else document.addEventListener("DOMContentLoaded", then, {once: true});
  }

  // An Arabic line that ends with a file's name, kept left to right inside it (bdi), then the English.
  function lines(arabic, english, file = "") {
    const first = made("p");
    first.append(arabic, made("bdi", {dir: "ltr", textContent: file}));
    return [first, made("p", {dir: "ltr", lang: "en", textContent: english + file})];
  }

  const again = (words) => {
    const button = made("button", {type: "button", textContent: words});
    button.addEventListener("click", () => location.reload());
    return button;
  };

  // One notice, the first problem's: what follows from it says nothing new. The browser's own words
  // keep their left-to-right order inside the Arabic (dir).
  function cannotRun(arabic, english, {file = "", detail = "", retry = false} = {}) {
    whenBody(() => {
      if (document.querySelector(".notice")) return;
      const box = made("div", {className: "notice error"});
      box.setAttribute("role", "alert");
      box.append(made("h1", {textContent: "لا يعمل ويزلو هنا — Wizlo cannot run here"}), ...lines(arabic, english, file));
      if (detail) box.append(made("p", {dir: "ltr", textContent: detail}));
      if (retry) box.append(again("إعادة المحاولة — Try again"));
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

  // The program stopped or ended: the page can only start it again.
  function stopped(className, heading, text, action) {
    const box = made("div", {className: "notice " + className});
    box.append(made("h1", {textContent: heading}), made("p", {textContent: text}), again(action));
    // A teacher's board opened alone: the menu is the page without it.
    if (new URLSearchParams(location.search).has("pack"))
      box.append(made("a", {href: location.pathname, textContent: "القائمة — The menu"}));
    document.body.append(box);
  }

  // A form over the menu that could not open for want of a picture: its window is gone again, the
  // menu stays, and this says why until the pupil goes back to it.
  function cannotOpen(what, file, back) {
    const box = made("div", {className: "notice refusal"});
    box.setAttribute("role", "alertdialog");
    box.setAttribute("aria-label", what);
    const button = made("button", {type: "button", textContent: "العودة إلى القائمة — Back to the menu"});
    box.append(made("h1", {textContent: "تعذّر الفتح — It cannot open"}),
               made("p", {textContent: `${what.split(" — ")[0]}: لم تصل صورة لازمة (${file}). القائمة باقية لاختيار غير هذا.`}),
               made("p", {lang: "en", dir: "ltr",
                          textContent: `A picture it needs did not arrive (${file}). The menu is still here: another can be chosen.`}),
               button);
    button.addEventListener("click", () => {
      box.remove();
      back();
    });
    document.body.append(box);
    button.focus();
  }

  // In a form's window until its first frame is drawn: its pictures may still be coming over a slow link.
  function coming() {
    const box = made("div", {className: "coming"});
    box.innerHTML = '<span class="spinner"></span><span>جارٍ التحميل…</span><span lang="en" dir="ltr">Loading…</span>';
    return box;
  }

  return {lines, cannotRun, cannotLoad, stopped, cannotOpen, coming};
})();
