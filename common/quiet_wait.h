// quiet_wait.h -- waiting with Allegro's background thread asleep too
//
// Allegro's X11 port runs a thread that wakes every millisecond to take in
// the window's events (keys, mouse, focus, the close button): some 3% of a
// core on its own, more than a game's frame costs. The programs read their
// input once a pass, so while they wait (for the next tick of a game's
// clock, or between an editor's passes) that thread is held, and the
// events that came meanwhile are taken in at once on the program's own
// thread when the wait ends, just before the pass that reads them. Every
// press and release is still seen, in order.
//
// Where a sound driver plays, the thread runs as always: the driver feeds
// the sound device from it. Without X11 (headless tests) these are the
// plain waits.
#ifndef QUIET_WAIT_H
#define QUIET_WAIT_H

// tick_wait (tick_wait.h), with the thread held while it sleeps.
bool quiet_tick_wait(int max_ms);

// rest(ms), likewise.
void quiet_rest(int ms);

// rest(ms) with the thread held even where a sound driver plays: for a
// paused game, which plays nothing (the driver only mixes silence).
void quiet_pause_rest(int ms);

#endif
