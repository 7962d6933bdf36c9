// The page's half of the picture catalogue (image_decode_web.cpp): an image decoded by the browser to
// its pixels, bytes R, G, B, A with straight alpha. JPEG and opaque PNG come out exactly as
// libjpeg-turbo and libpng give them; translucent PNG passes through the canvas premultiplied, where
// a colour of low alpha may lose a level (no frame measured so far showed it). The menu's picture is fetched and decoded while the program
// itself loads (start.js asks for it), so the first frame waits for neither in turn.
"use strict";

const WizloPictures = (() => {
  const early = new Map();  // file name to the promise of its pixels, asked for before the program

  // An image element is the browser's quickest way from a file to pixels (decoded off the main
  // thread, twice as fast as an ImageBitmap made from the bytes), and our pictures carry no colour
  // profile that drawing it could convert; a canvas kept in memory gives its pixels back quickest.
  async function pixelsOf(url) {
    const image = new Image();
    image.src = url;
    try {
      await image.decode();
    } catch {
      throw new Error(`${url.startsWith("blob:") ? "the image given" : url}: cannot be loaded or decoded`);
    }
    const canvas = new OffscreenCanvas(image.naturalWidth, image.naturalHeight);
    const context = canvas.getContext("2d", {willReadFrequently: true});
    context.drawImage(image, 0, 0);
    return context.getImageData(0, 0, canvas.width, canvas.height);
  }

  const fetched = (name) => pixelsOf("pictures/" + name);

  // Asked for now, taken when the program asks for it by its key: a file's name, or where the bytes
  // of a pack's picture lie.
  function ahead(key, decode) {
    if (early.has(key)) return;
    const asked = decode();
    asked.catch(() => {});  // said when the program asks for it
    early.set(key, asked);
  }

  function taken(key, decode) {
    const asked = early.get(key);
    early.delete(key);
    return asked || decode();
  }

  async function given(bytes) {
    const url = URL.createObjectURL(new Blob([bytes]));
    try {
      return await pixelsOf(url);
    } finally {
      URL.revokeObjectURL(url);
    }
  }

  return {
    // A picture file beside the page.
    file: (name) => taken(name, () => fetched(name)),
    // Bytes given by the program (a pack's picture), and those it will soon ask for.
    bytes: (bytes, key) => taken(key, () => given(bytes)),
    bytesAhead: (key, bytes) => ahead(key, () => given(bytes)),
    // A picture the program will soon ask for: a form's pictures are all asked for at once.
    fetchAhead: (name) => ahead(name, () => fetched(name)),
    // The image of the start form's backdrop that its first frame will draw, from what the build
    // wrote of it (first_frame.json): the smallest that covers the backdrop at the scale the stage
    // will have, as the program chooses. `scaleFor` gives that scale for the form's client size.
    prefetchFirstFrame(first, scaleFor) {
      try {
        const scale = scaleFor(first.client[0], first.client[1]);
        const width = Math.round(first.drawn[0] * scale), height = Math.round(first.drawn[1] * scale);
        const fits = first.images.filter(([w, h]) => w >= width && h >= height);
        const [, , name] = fits.length ? fits[0] : first.images.at(-1);
        ahead(name, () => fetched(name));
      } catch (error) {
        console.warn("wizlo: the first picture is fetched when the program asks for it: " + error);
      }
    },
  };
})();
