// click_hook.h -- feeds the click latch from Allegro's mouse_callback
//
// The one Allegro-facing piece of the click latch (click_latch.h), in the
// library common_allegro so that the library common stays free of Allegro.
// Both editors use it: install it after install_mouse(), remove it when the
// editor ends.
#ifndef CLICK_HOOK_H
#define CLICK_HOOK_H

// Sets Allegro's mouse_callback to count presses, after clearing old counts.
void click_hook_install();

// Takes the callback away again.
void click_hook_remove();

// The callback itself: counts the presses named in Allegro's event flags
// (MOUSE_FLAG_LEFT_DOWN, ..._RIGHT_DOWN, ..._MIDDLE_DOWN).
void click_hook_flags(int flags);

#endif
