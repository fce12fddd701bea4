// object.h -- everything that moves or can be picked up in a level: the
// player, mums, pickups, items and bullets; how they think, move through
// the tiles, touch each other and are drawn.
#ifndef OBJECT_H
#define OBJECT_H

// Kinds.
enum {
  K_PLAYER = 1,
  K_MUM = 2,
  K_HEALTH = 3,
  K_AMMO = 4,
  K_ITEM = 5,
  K_BULLET = 6,
};

// state bits.
enum {
  ST_COUNTER = 0xFF,     // frame counter (a bullet's arming delay)
  ST_GROUND = 0x700,     // 0x100 idle or airborne, 0x200 walking, 0x300 ladder
  ST_IDLE = 0x100,
  ST_WALKING = 0x200,
  ST_LADDER = 0x300,
  ST_RIGHT = 0x800,      // facing right
  ST_HURT = 0x1000,      // recently hurt: can't be hurt again
  ST_DEAD = 0x2000,      // dying or used up
};

// Control bits.
enum {
  B_LEFT = 0x01,
  B_RIGHT = 0x02,
  B_UP = 0x04,
  B_DOWN = 0x08,
  B_FIRE = 0x10,
  B_FIRE_HELD = 0x20,
  B_JUMP = 0x40,
  B_JUMP_HELD = 0x80,
};

struct charac {
  int kind;
  int state;
  float x, y;    // centre of the box, level pixels
  float rx, ry;  // half-width and half-height of the box
  float vx, vy;  // pixels per frame
  signed char hp;
  signed char ammo;
  unsigned char bits;  // controls of this frame
};

enum { MAX_CHARACS = 100 };
extern charac C[MAX_CHARACS];
extern int n_characs;

// Appends an object made from `made`: kind in the low byte, its parameter
// in the next (a mum's hit points, an item's number, 1 for a rightward
// bullet). Nothing is added when the array is full.
void add_charac(int x, int y, int made);
// The cast of the loaded level entered at entry point entry; 0 if the
// level has no such entry point, or more than one.
int produce_cast(int entry);
void think_charac(charac *c);
// One frame of movement; non-zero means remove the object (for the player,
// how the level ends).
int move_charac(charac *c);
int hurt_charac(charac *c);
int two_body(charac *a, charac *b);
// One frame of the cast without drawing: every object thinks, then each
// moves (one whose move says so is removed at once, the last one taking
// its place and its move), then every pair touches. How the level ends if
// the player was removed, else 0.
int run_characs();
void draw_charac(charac *c);

#endif
