// send_close.cpp -- presses a window's close button as a window manager
// does: a WM_PROTOCOLS message carrying WM_DELETE_WINDOW. The end-to-end
// tests run with no window manager, so they send it themselves.
//   send_close WINDOW_ID      (decimal or 0x... as xdotool prints it)
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: send_close WINDOW_ID\n");
    return 2;
  }
  Display *d = XOpenDisplay(nullptr);
  if (!d) {
    fprintf(stderr, "send_close: no display\n");
    return 1;
  }
  Window w = (Window)strtoul(argv[1], nullptr, 0);
  XEvent e = {};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
  e.xclient.data.l[1] = CurrentTime;
  Status sent = XSendEvent(d, w, False, NoEventMask, &e);
  XFlush(d);
  XCloseDisplay(d);
  return sent ? 0 : 1;
}
