#pragma once

namespace wizlo {

// SDL now and then sends a request to a window it has just destroyed (a
// wake-up for its event wait, a focus change). Xlib's default answer to the
// resulting BadWindow is to end the program, which would end a pupil's
// session for nothing; this makes BadWindow harmless and leaves every other
// X error to the handler that was there before. Call it once the display
// is open; it does nothing off X11.
void tolerateStaleWindowErrors();

}  // namespace wizlo
