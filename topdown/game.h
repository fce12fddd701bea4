// game.h -- characters, movement, contact, drawing and the play loop
//
// The module is split over several files that share this header:
//   game.cpp          play state, timer, player input, cast, the play loop
//   game_charac.cpp   the character record, think, movement
//   game_contact.cpp  contact between characters
//   game_draw.cpp     character drawing and the heads-up display
#ifndef GAME_H
#define GAME_H

#include <allegro.h>

#include <string>

// ---------------------------------------------------------------------------
// Play state

extern volatile int t1;  // timer ticks of this game (50 a second)
extern int t2;           // logic steps done in this game
extern int fts;          // frames drawn since the last frame-rate sample
extern int fps;          // frames drawn during the last 50 logic steps
extern int n_players;    // 1 or 2, from the main menu
extern bool USA;         // country: United States (true) or Australia
extern int clap_t;       // logic steps until the applause is stopped
extern bool silent_logic;  // a race run unseen (a ghost's): no applause
extern unsigned char clapping[8];       // MIDI bytes that start the applause
extern unsigned char stop_clapping[3];  // MIDI bytes that stop it

enum {
  STEPS_PER_SECOND = 50,
  APPLAUSE_STEPS = 200,
};

// ---------------------------------------------------------------------------
// Player input

// Control word bits, one 6-bit word per player.
enum {
  CTRL_LEFT = 0x01,
  CTRL_RIGHT = 0x02,
  CTRL_UP = 0x04,
  CTRL_DOWN = 0x08,
  CTRL_FIRE = 0x10,
  CTRL_ACTION = 0x20,
};

// Packs a run of truth values into an int, one bit after another.
class Bits {
 public:
  int value;
  int pos;
  Bits &operator-(int n) {
    value = 0;
    pos = n;
    return *this;
  }
  Bits &operator<(bool b) {
    if (b) value |= 1 << pos;
    pos++;
    return *this;
  }
};

extern Bits bits;

// Samples the keys and joysticks: player 1's word in bits 0-7, player 2's in
// bits 8-15.
int get_input();

// ---------------------------------------------------------------------------
// Characters

enum {
  KIND_NONE = 0,
  KIND_WALKER = 1,
  KIND_ITEM = 2,
  KIND_SHOT = 3,
  KIND_BIKE = 4,
  KIND_CAR = 5,
  KIND_BOAT = 6,
  KIND_WHIRL = 7,
};

// Item effects (sub of an item); sub RANDOM_DRIVER on any kind drives it at
// random.
enum {
  ITEM_BOOST = 1,
  ITEM_SLOW = 2,
  ITEM_ACCESS = 3,
  ITEM_AMMO = 4,
  RANDOM_DRIVER = 5,
};

enum { MAX_CHARACS = 10000, CONTACT_LIMIT = 40 };

class Charac {
 public:
  int kind;
  int ctrl;
  int sub;
  int ammo;
  int eject_timer;
  int reload_timer;
  int finish_time;
  fix angle;
  fix x, y;
  fix rx, ry;
  fix vx, vy;
  fix boost;
  bool access;
  bool finished;
  Charac *link;

  Charac();
  void init(int x, int y, int kind);
  fix speed();
  fix max_speed();
  fix seat_x();
  fix seat_y();
  void think();
  void move();
  void draw();
};

extern Charac C[MAX_CHARACS];
extern int n_characs;

// Appends a new character to C. Returns false (and adds nothing) when all
// records are in use.
bool add_charac(int x, int y, int kind);

// The change of velocity on one axis that brings a follower onto a target
// moving at relative velocity v from relative position d, accelerating by at
// most a.
fix smove(fix d, fix v, fix a);

// Attribute bits of cell (cx, cy); 0 outside the 256 x 256 grid.
int cell_attr(int cx, int cy);

// Brings an angle back into [0, 256). Sine, cosine and the sprite rotation
// repeat every 256 units, so nothing changes but the raw value, which would
// otherwise overflow after a few minutes of a whirl's spinning.
inline void wrap_angle(fix &a) { a.v &= 0xFFFFFF; }

// How a character is drawn: the datafile object that shows it (0 when it
// is not drawn) and whether it stands upright, turns to its heading, or
// turns mirrored (cars and boats in Australia).
enum Pose { UPRIGHT, TURNED, MIRRORED };
int charac_picture(const Charac &c, Pose &pose);

// ---------------------------------------------------------------------------
// Contact

void two_body(Charac *a, Charac *b);
// Each of the first CONTACT_LIMIT characters with every later one, in that
// order (i, then j, both ascending): two_body for every pair that touches.
void contact_all();
void eq_bounce(Charac *a, Charac *b);
void uneq_bounce(Charac *heavy, Charac *light);
void grab(Charac *taker, Charac *item);

// ---------------------------------------------------------------------------
// Heads-up display

extern BITMAP *hud;  // 300 x 36, one player's panel

// The texts of a player's panel, as they are drawn.
struct HudTexts {
  char speed[24];   // "12km/h"
  char top[16];     // "36"
  char ammo[16];    // "3"
  char access[4];   // "Yes" or "No"
  char clock[24];   // "1:00" (minutes and seconds)
  char tenths[8];   // ".1"
  bool has_access;
  bool finished;
};

// Computes the panel texts for player p (C[p]).
HudTexts hud_texts(int p);

// Draws player p's panel into hud.
void draw_hud(int p);

// ---------------------------------------------------------------------------
// Cast and play loop

extern BITMAP *buf2;  // two players: the full-screen composition bitmap

// Turns the loaded course's insertions into the cast. False (and a log line)
// when no player start is found for this game.
bool produce_cast(int entry);

// Scatters random items and whirls over the whole course.
void scatter_extras();

// Creates the game's bitmaps (the half-width view for two players and hud)
// and frees them again; init and cleanup of the play loop use these.
void make_game_bitmaps();
void free_game_bitmaps();

// One logic step of the game.
void logic_step();

// One frame of every player's view, composed in the start-up buf (buf2
// with two players) and copied to dest unless dest is null.
void draw_frame(BITMAP *dest);

// One pass of the play loop: nothing while the game is held (paused or
// showing its keys), else a logic step if one is due, else a frame if a
// step has run since the last one, else nothing (the loop then waits).
enum PlayPass { PASS_STEP, PASS_FRAME, PASS_WAIT, PASS_HELD };
PlayPass play_pass(BITMAP *dest);

// After a hold: the clock goes on from the last logic step (the ticks that
// came meanwhile are dropped).
void restart_clock();

// The held game's picture on dest: the last frame with "Paused" or the
// keys screen over it.
void draw_held(BITMAP *dest);

// Notes the finishing times of the players who have finished since the
// game began (once each) in the best times of course.
void note_finishes(int course);

// A new game: no finish noted yet.
void forget_finishes();

// Plays course number course (file "m%02d.map") until Esc or the window's
// close button, showing each frame through the desktop. Returns -1. A
// course that can't be played (its file can't be opened, or it has no
// player start) is not started: play_refusal then says why, for the
// player; after a game it is "".
int play_map(int course, int entry);
extern std::string play_refusal;

// The play loop's per-game set-up (game clock, bitmaps) and tear-down, for
// the films of the best runs (film.h).
void play_setup();
void play_teardown();

#endif
