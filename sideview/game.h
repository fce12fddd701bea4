// game.h -- the top of sideview: start-up, credits, the level chain, the
// play loop and the winning sequence, and the machine's two callbacks.
#ifndef GAME_H
#define GAME_H

#include <string>

extern int hsyncs;      // scan lines since the last frame callback
extern int status_bar;  // 1 while a level is played: the bottom 20 lines
extern int OX;          // view origin: bytes of a machine row (2 pixels)
extern int OY;          // and rows

// Keys read through the keyboard ports: port address and the key's bit.
enum {
  PORT_ESC = 0x40023,    // KEY_ESC: 0x02
  PORT_ENTER = 0x40026,  // KEY_ENTER: 0x02
  PORT_RSHIFT = 0x4002A, // KEY_RSHIFT: 0x04
  PORT_SPACE = 0x4002B,  // KEY_SPACE: 0x80
  PORT_CTRL = 0x4002C,   // KEY_ALTGR 0x80 (fire), KEY_RCONTROL 0x40 (jump)
  PORT_ARROWS = 0x4002D, // RIGHT 0x80, UP 0x40, DOWN 0x20, LEFT 0x10
};

// A level being played: how it ended, and the frames it goes on after the
// player has left it.
struct level_play {
  int result;
  int countdown;
};

// The colour codes of the held game's label and keys screen.
enum { HOLD_WHITE = 0xFA, HOLD_BLACK = 0x0A };

// Start-up: the folder with the game's files and the log there, music,
// tiles, sprites, the machine and its callbacks, the focus watch, the
// status bar.
void init();
// Where the credits, a level and the winning sequence may be held, after
// each frame: returns once the game goes on, true when Esc was pressed
// while it was held (the game then ends as on Esc).
bool hold_point();
// The music file: "tr1.mid", or the last argument whose extension is
// "mid" in any case (an option starting with "--" is never one).
const char *music_file(int argc, char **argv);
// The colour code the credits give palette entry j (0..15) at frame t.
int credits_code(int t, int j);
// The bit of "four.bmp" that holds the keys page of the credits.
enum { CREDITS_KEYS_BIT = 4 };
// Shows "four.bmp" with its palette animation until Esc or Space, with
// the keys in force on its keys page.
void credits();
// Plays one level from its entry point; returns its result: the exit
// taken (1..9), -5 for exit 9 with all four items, -1 for Esc, a door
// without an exit point or a failed cast, -2 for the player's death.
int play_map(int level, int entry);
// Why the game ended on bad data (a level whose cast can't be made, a
// door without an exit point, a link missing from "hops.txt"), for the
// player; "" while none has been met.
extern std::string game_fault;
// The view origin from the player's centre, kept inside the level.
void view_from_player();
// One frame of a level: view, status bar, tiles, then every object drawn,
// thinking, moving, touching. Returns 1 once the level is over.
int play_frame(level_play &p);
// Plays the chain of levels from the start, each level played by play;
// returns the last result. A link that is missing sets game_fault.
int level_chain(int (*play)(int level, int entry));
// The winning sequence, until Esc.
void win();

// The level link for code (level * 10 + exit, or 0 for the start) from
// "hops.txt": level * 10 + entry, or 0 when there is none.
int HoPs(int code);

void on_hsync(int);
void on_vsync(int);

#endif
