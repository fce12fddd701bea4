// controls.h -- what steers the player: the keys of each action (the usual
// ones, or those "keys.txt" gives) and the pad, wired to the keyboard ports
// the game reads; and the lines that tell the player which they are.
#ifndef CONTROLS_H
#define CONTROLS_H

#include <string>
#include <vector>

#include "bmp.h"
#include "keys_file.h"

// The actions, in the order of controls.
enum { ACT_LEFT, ACT_RIGHT, ACT_UP, ACT_DOWN, ACT_JUMP, ACT_FIRE, N_ACTIONS };

// The keys of each action in force: "left", "right", "up", "down", "jump",
// "fire".
extern std::vector<key_action> controls;

// The usual keys: the arrows, Right Ctrl or X to jump, AltGr or Z to fire.
void controls_default();
// The usual keys, then those of "keys.txt" when it is there (what can't
// be read goes to the log), wired to the ports.
void controls_init();
// Wires each action's port bit to its keys in force and to its input of
// the pad: stick 0 for the arrows, button 0 jumps, button 1 fires. Call
// after the machine's set-up.
void controls_wire();

// The keys in force, one line each: an action (or what a fixed key does)
// in a column of KEYS_COLUMN characters, then its keys.
enum { KEYS_COLUMN = 11 };
std::vector<std::string> keys_lines();

// The keys page of the credits: the lines written into bit mask of the
// pixels of a 320 x 240 picture in Allegro's 8x8 font, from row KEYS_TOP
// down, inside the picture's frame (whose inner line is KEYS_FRAME pixels
// from the edges). A line too long for the frame goes on below after the
// column. The bit is cleared inside the frame from KEYS_TOP down first,
// so only the keys in force show there.
enum { KEYS_TOP = 52, KEYS_FRAME = 7, KEYS_LINE_HEIGHT = 12 };
void draw_keys_lines(bmp *picture, int mask);
// A line cut into pieces of at most width characters, after a ", " where
// it can; pieces after the first start with KEYS_COLUMN spaces.
std::vector<std::string> wrap_keys_line(const std::string &line, int width);

#endif
