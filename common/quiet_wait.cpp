// quiet_wait.cpp -- waits that hold Allegro's background thread
#include "quiet_wait.h"

#include <allegro.h>
#include <allegro/platform/aintunix.h>  // Allegro's background thread
#include <xalleg.h>

#include "tick_wait.h"

// Whether the thread may be held now: a real X11 system whose background
// work is a thread of its own, and (unless silence will do) no sound
// driver that needs it.
static bool may_hold(bool silence_will_do) {
  return system_driver && system_driver->id != SYSTEM_NONE && _unix_bg_man &&
         _unix_bg_man->multi_threaded && _xwin.display &&
         (silence_will_do || !digi_driver || digi_driver->id == DIGI_NONE);
}

// Holds the thread (it finishes the pass it is in first), runs wait, takes
// in what came meanwhile and lets the thread go again.
template <class Wait>
static auto held(Wait wait, bool silence_will_do = false) {
  if (!may_hold(silence_will_do)) return wait();
  _unix_bg_man->disable_interrupts();
  auto result = wait();
  _xwin_handle_input();
  _unix_bg_man->enable_interrupts();
  return result;
}

bool quiet_tick_wait(int max_ms) {
  return held([=] { return tick_wait(max_ms); });
}

void quiet_rest(int ms) {
  held([=] {
    rest(ms);
    return 0;
  });
}

void quiet_pause_rest(int ms) {
  held(
      [=] {
        rest(ms);
        return 0;
      },
      true);
}
