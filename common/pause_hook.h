// pause_hook.h -- the Allegro side of a game's hold (pause.h): the focus
// watch, the keys that pause and resume, and the "Paused" label
//
// A game polls key[] for its own controls; the keys that pause it and show
// its keys come from Allegro's keyboard buffer instead, so that a press too
// short to fall on a poll still counts, and so that the held game, which
// polls seldom, still sees every key.
#ifndef PAUSE_HOOK_H
#define PAUSE_HOOK_H

#include <allegro.h>

#include "pause.h"

// The game keeps running when its window loses the focus, and the hold
// hears of it (focus_lost). Call once, after the screen mode is set.
void hold_watch_focus();

// The event a key of the keyboard buffer (its scancode) is for the hold:
// P and Pause pause, keys_key shows the keys screen, Esc is Esc, anything
// else is another key.
HoldEvent hold_key_event(int scancode, int keys_key);

// Hands one key of the keyboard buffer (its scancode) to the hold.
void hold_key(int scancode, int keys_key);

// Hands the keys waiting in the keyboard buffer and a focus lost to the
// hold; keys_key shows the keys screen. Returns true when the state
// changed (the held picture must be drawn again, or the game resumes).
bool hold_poll(int keys_key);

// True while the game must stand still: it is held, or the key that closed
// the keys screen is still down (so that Esc closing it does not also reach
// the game, which would end it).
bool hold_active();

// True while key scancode, held down, must not act in the game: the keys
// screen shows (any key only closes it), or the key closed it and is still
// down. A game that polls key[] asks this of its keys that act at once
// (Esc), since key[] may show a key before the hold has read it.
bool hold_swallows(int scancode);

// The held game's wait between two looks at the keys, about a tenth of a
// second, with Allegro's input thread asleep too (quiet_wait.h), even
// where a sound driver plays: a held game plays nothing.
void hold_rest();

// "Paused" in font f, in a box of colour bg framed in fg, in the middle of b.
void draw_paused_label(BITMAP *b, FONT *f, int fg, int bg);

#endif
