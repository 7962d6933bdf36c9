// A shared board's link as a QR code a class can scan from the board at the front of the room, made
// by qrcode-generator (npm) and drawn on a canvas: dark modules on white, with the quiet zone of four
// modules that readers need around it.
import qrcode from "./qrcode-generator/qrcode.mjs";

export function drawQrCode(canvas, text) {
  const code = qrcode(0, "M");  // the smallest version that holds it; 15 % of it may be lost to a glare
  code.addData(text, "Byte");
  code.make();
  const count = code.getModuleCount(), quiet = 4;
  const ratio = window.devicePixelRatio || 1;
  const cssSize = 240;
  const module = Math.max(1, Math.floor((cssSize * ratio) / (count + 2 * quiet)));
  const size = module * (count + 2 * quiet);
  canvas.width = canvas.height = size;
  canvas.style.width = canvas.style.height = `${size / ratio}px`;
  const cr = canvas.getContext("2d");
  cr.fillStyle = "#fff";
  cr.fillRect(0, 0, size, size);
  cr.fillStyle = "#000";
  for (let y = 0; y < count; ++y)
    for (let x = 0; x < count; ++x)
      if (code.isDark(y, x)) cr.fillRect((x + quiet) * module, (y + quiet) * module, module, module);
  canvas.dataset.modules = String(count);
}
