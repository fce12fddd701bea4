// tick_wait.h -- the program's own thread asleep until the next timer tick
//
// A loop that has nothing to do until the 50 Hz timer ticks again would
// otherwise look every millisecond (rest(1)): a thousand wake-ups a second,
// which on a desktop cost more than the game itself. The timer callback
// posts each tick here; the loop sleeps until one has been posted.
#ifndef TICK_WAIT_H
#define TICK_WAIT_H

// Counts one tick and wakes a waiting thread. Safe to call from the timer's
// thread.
void tick_post();

// Sleeps until a tick has been posted since the last call (at once if one
// already has) or max_ms milliseconds have passed. True if a tick came.
bool tick_wait(int max_ms);

#endif
