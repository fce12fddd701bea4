// desktop_x11.cpp -- the full screen asked of the X window manager
//
// Allegro's own full-screen mode on X11 covers the desktop with a window the
// window manager never sees and grabs the keyboard and the mouse from every
// other program. A full screen here is a plain window of the desktop's size,
// which the window manager is asked (by the usual _NET_WM_STATE message) to
// show without its frame over everything; it keeps focus and input as any
// window does. With no window manager (Xvfb in the tests) nothing answers
// the message, and the window, at +0+0 and as large as the root, covers it.
#include <allegro.h>
#include <xalleg.h>

#include "desktop.h"

// desktop_ask_fullscreen
// Allegro's display connection is shared with its input thread, so every
// use goes between XLOCK and XUNLOCK.
void desktop_ask_fullscreen(bool on) {
  Display *d = _xwin.display;
  Window w = _xwin.wm_window ? _xwin.wm_window : _xwin.window;
  if (!d || !w) return;
  XLOCK();
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = on ? 1 : 0;  // _NET_WM_STATE_ADD or _REMOVE
  e.xclient.data.l[1] = (long)XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
  e.xclient.data.l[2] = 0;
  e.xclient.data.l[3] = 1;  // asked by a normal program
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &e);
  XFlush(d);
  XUNLOCK();
}
