// The page's half of the sound service (web_sound.cpp): each sound fetched and decoded once, played
// through Web Audio, and a promise that settles when it has been heard, never later than its length
// and 250 ms. Nothing here ever throws at the program: a sound that cannot be had is skipped.
"use strict";

const WizloAudio = (() => {
  const Context = window.AudioContext || window.webkitAudioContext;
  let context = null;
  try {
    context = Context ? new Context() : null;
  } catch (error) {
    context = null;  // audio refused: every sound is skipped
  }
  const decoded = new Map();  // file name to a promise of its AudioBuffer, or of null

  // The browser lets a page's sound start only after a gesture of the pupil's: every press and key
  // counts, so the first drop's own press wakes the sound in time for its "yes" or "no".
  const wakeUp = () => {
    if (context && context.state === "suspended") context.resume().catch(() => {});
  };
  for (const type of ["pointerdown", "pointerup", "keydown"]) window.addEventListener(type, wakeUp, true);

  function load(file) {
    if (!decoded.has(file)) {
      decoded.set(file, fetch(file)
        .then((response) => (response.ok ? response.arrayBuffer() : Promise.reject(new Error(response.status))))
        .then((bytes) => context.decodeAudioData(bytes))
        .catch((error) => {
          console.warn(`wizlo: the sound ${file} cannot be played: ${error}`);
          decoded.delete(file);  // tried again at the next play: the network may be back
          return null;
        }));
    }
    return decoded.get(file);
  }

  async function play(file) {
    if (!context) return;
    const buffer = await load(file);
    if (!buffer) return;
    wakeUp();
    await new Promise((resolve) => {
      const source = context.createBufferSource();
      source.buffer = buffer;
      source.connect(context.destination);
      const bound = setTimeout(resolve, buffer.duration * 1000 + 250);
      source.onended = () => {
        clearTimeout(bound);
        resolve();
      };
      try {
        source.start();
      } catch (error) {
        clearTimeout(bound);
        resolve();
      }
    });
  }

  return {play, load, context: () => context};
})();
