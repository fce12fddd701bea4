// film.h -- the best run of a course played back as a film: the race its
// replay recorded, run again step for step on the same screens as a race,
// the clock running, until Esc
#ifndef FILM_H
#define FILM_H

#include "replay.h"

// Plays the best run of course for the number of players chosen, until
// Esc. Returns REPLAY_USABLE when it was shown, else why not (no replay,
// the course changed since, a damaged replay); a course file that can't be
// read counts as no replay.
ReplayStatus watch_best_run(int course);

// The label of the film in the corner of the screen, and the line shown
// when it is over.
extern const char *const FILM_LABEL;
extern const char *const FILM_END;

#endif
