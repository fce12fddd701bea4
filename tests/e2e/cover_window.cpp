// cover_window.cpp -- lays a white window over part of the screen for a
// moment and takes it away again, as another program's window on a desktop
// would: what was under it must be drawn again.
//   cover_window X Y WIDTH HEIGHT
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char **argv) {
  if (argc != 5) {
    fprintf(stderr, "usage: cover_window X Y WIDTH HEIGHT\n");
    return 2;
  }
  Display *d = XOpenDisplay(nullptr);
  if (!d) {
    fprintf(stderr, "cover_window: no display\n");
    return 1;
  }
  XSetWindowAttributes a = {};
  a.override_redirect = True;  // placed where asked, with no window manager
  a.background_pixel = WhitePixel(d, DefaultScreen(d));
  Window w = XCreateWindow(d, DefaultRootWindow(d), atoi(argv[1]), atoi(argv[2]),
                           (unsigned)atoi(argv[3]), (unsigned)atoi(argv[4]), 0, CopyFromParent,
                           InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
  XMapRaised(d, w);
  XSync(d, False);
  usleep(500000);
  XDestroyWindow(d, w);
  XSync(d, False);
  XCloseDisplay(d);
  return 0;
}
