// Found first by the rooms that know no window system (cmake/rooms.cmake): a window system lives in
// backends/, and reaches these rooms only through forms/backend.hpp.
#error "X11/Xlib.h: this room knows no window system (see its README); windows, input and pixels on screen belong to backends/"
