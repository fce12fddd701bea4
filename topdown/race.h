// race.h -- what makes a race repeatable: a clean start, random numbers of
// its own drawn from one seed, and the controls of every step, recorded
// from the players' keys or played back from a replay
//
// A race is given by its course (and the tile attributes), its number of
// players, its country, its seed and the control words of its steps.
// Nothing else it does depends on the clock, the frame rate or drawing, so
// the same five things always give the same race, step for step.
#ifndef RACE_H
#define RACE_H

#include "replay.h"

enum { RACE_RAND_MAX = 0x7FFFFFFF };

// The race's random numbers: a generator of its own, so that nothing else
// in the program draws from it and a seed gives the same numbers on every
// machine. race_rand returns 0 ... RACE_RAND_MAX.
void race_srand(unsigned seed);
int race_rand();

// A seed from the clock, different from race to race.
unsigned race_clock_seed();

// Starts a race of course (loaded in memory) with the number of players and
// country set: every character record as new, step 0, no applause, the
// random numbers from seed. From now on the controls of every step are
// recorded, for race_keep_replay. The cast comes next (produce_cast, then
// scatter_extras), as in every race.
void race_begin(int course, unsigned seed);

// Starts the race that r recorded on the course in memory, as race_begin
// does, with r's players and country, and makes its cast; the controls of
// the steps that follow come from r. False if the course has no player
// start for it.
bool race_begin_film(const Replay &r);

// True once every step a film recorded has been played.
bool race_film_over();

// Ends recording and playback: the controls are the keys' again.
void race_end();

// The control word of this step, asked once a step by logic_step: in a film
// the recorded one, else the keys' (get_input), recorded in a live race.
int race_controls();

// The live race's record: the steps recorded so far.
extern Replay race_recording;

// Keeps the steps up to and including finish (the finishing time of a new
// best time) as the replay of this course and number of players, written
// to its file. False outside a live race, when the run is too long for a
// replay, or when it can't be written.
bool race_keep_replay(int finish);

#endif
