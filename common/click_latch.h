// click_latch.h -- mouse button presses counted as they happen
//
// An editor reads the mouse buttons once per pass of its loop; a press and
// release that both fall between two passes (a quick click, a touchpad tap)
// would never be seen. The input side counts every press here as it
// happens, and each pass takes the counts: every press acts once, and a
// button held over a pass acts as before, so holding still paints on.
//
// The counting needs no display. The hook that feeds it from Allegro's
// mouse_callback is click_hook.h (library common_allegro).
#ifndef CLICK_LATCH_H
#define CLICK_LATCH_H

enum { LATCH_LEFT = 0, LATCH_RIGHT = 1, LATCH_MIDDLE = 2, LATCH_BUTTONS = 3 };

// Counts one press of button (LATCH_LEFT ...). Safe to call from the input
// thread while the program's own thread takes counts.
void click_latch_press(int button);

// The presses of button counted since the last take; the count restarts.
int click_latch_take(int button);

// Forgets every press counted so far (presses made before an editor opens
// are not its clicks).
void click_latch_clear();

// How many times a button acts in one pass: once for every press counted
// since the last pass, or once if it is held and no press was counted (a
// press held down over several passes).
int click_acts(int presses, bool held);

#endif
