// ghost.h -- the best run of a course raced alongside: before a one-player
// race the course's replay is run unseen, and the path of its player (the
// walker's place, heading and picture, the vehicle it rides, the shots it
// fires) is kept for every step. In the race that path is drawn see-through
// at the race's own step; it touches nothing and changes nothing.
//
// Whether there is a ghost is a setting of its own, "ghost.txt" in the
// working folder: the line "ghost on" or "ghost off". A missing file means
// on; a damaged one too, with a log line.
#ifndef GHOST_H
#define GHOST_H

#include <allegro.h>

#include "replay.h"

extern bool ghost_on;                 // "Ghost" in the main menu
extern const char *const GHOST_FILE;  // "ghost.txt"

// Reads and writes the setting (write: through a temporary file; false,
// with a log line, if it can't).
void ghost_setting_load();
bool ghost_setting_save();

// One picture of the ghost: a datafile object, how it is turned, where.
struct GhostSprite {
  int obj;
  int pose;  // Pose of game.h
  fix x, y, angle;
};

// Makes the ghost of course's best one-player run when ghosts are on, the
// game has one player and the course (in memory) has a usable replay. The
// replay runs through the game's own state, so call this before the live
// race is set up.
void ghost_prepare(int course);

// Runs r on the course in memory and keeps its player's path as the ghost.
// False (and no ghost) if the run can't be made.
bool ghost_make(const Replay &r);

// Forgets the ghost.
void ghost_drop();

// The number of steps the ghost's path covers (0: no ghost). At steps past
// them the ghost stays where its run ended.
int ghost_steps();

// The ghost's pictures after step steps of the race; count gets how many.
const GhostSprite *ghost_sprites(int step, int &count);

// Draws the ghost as it is after t2 steps into buf, through OX and OY,
// see-through. Nothing when there is no ghost.
void ghost_draw();

#endif
