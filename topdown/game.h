// game.h -- characters, movement, contact, drawing and the play loop
#ifndef GAME_H
#define GAME_H

// Plays course number course (file "m%02d.map") until Esc. Returns -1.
int play_map(int course, int entry);

#endif
