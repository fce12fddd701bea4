// controls.h -- the keys of topdown's players: the one player's, and those
// of player 1 and player 2 of two; the usual ones, or those "keys.txt"
// gives; and the lines that tell the players which they are.
#ifndef CONTROLS_H
#define CONTROLS_H

#include <string>
#include <vector>

#include "keys_file.h"

// Key sets: one player; player 1 of two (left half); player 2 of two.
enum { SET_ONE, SET_P1, SET_P2, N_KEY_SETS };
// The actions of a set, in its order in key_table.
enum { CTL_LEFT, CTL_RIGHT, CTL_ACCELERATE, CTL_FIRE, CTL_GET_OUT, N_CONTROLS };

// The keys in force: action c of set s is entry s * N_CONTROLS + c, named
// in "keys.txt" as "one.left", "p1.fire", "p2.get_out" and so on. It holds
// the usual keys from the start.
extern std::vector<key_action> key_table;

// The usual keys: the arrows, either Ctrl and either Shift for one player
// and for player 2 of two; W A D, B and V for player 1 of two.
void controls_default();
// The usual keys, then those of "keys.txt" when it is there; what can't be
// read goes to the log.
void controls_init();
// The control word (the layout of get_input) that the keys of set s held
// now give. The down bit has fixed keys: Down, or S for player 1 of two.
int keys_word(int s);

// The keys in force, one line each, under a heading per set, then the
// joysticks and Esc.
std::vector<std::string> keys_lines();

#endif
