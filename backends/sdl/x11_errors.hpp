#pragma once

namespace wizlo {

// SDL now and then sends a request to a window it has just destroyed (a
// wake-up for its event wait, a focus change). Xlib's default answer to the
// resulting BadWindow is to end the program, which would end a pupil's
// session for nothing; this makes BadWindow harmless and leaves every other
// X error to the handler that was there before. Call it before SDL opens
// the display, so that the handler SDL restores at its end is this one;
// Xlib keeps one handler for the whole process, so it costs nothing off X11.
void tolerateStaleWindowErrors();

}  // namespace wizlo
