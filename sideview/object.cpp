// object.cpp -- the player, mums, pickups, items and bullets
#include "object.h"

#include <cmath>
#include <cstdlib>

#include "bm.h"
#include "game.h"  // the keyboard ports
#include "log.h"
#include "tile.h"
#include "video.h"

charac C[MAX_CHARACS];
int n_characs;

// Movement, in pixels and frames.
static const float GRAVITY = 0.2f;
static const float PLAYER_WALK = 3.0f;
static const float OTHER_WALK = 2.2f;
static const float JUMP = -5.2f;
static const float CLIMB_UP = -1.3f;
static const float CLIMB_DOWN = 1.5f;
static const float BULLET_SPEED = 9.0f;
enum {
  DOOR_REACH = 20,   // exit points closer than this (|dx| + |dy|) to a door
  HURT_COUNTER = 0xB4,  // the counter wraps 76 frames after a hit
  BULLET_ARMING = 2,
};

// A signed byte raised by k, stopping at 127 instead of turning negative.
static signed char raise(signed char v, int k) {
  int r = v + k;
  return (signed char)(r > 127 ? 127 : r);
}

// The attribute of the tile under level pixel (x, y), truncating.
static unsigned char attr_at(float x, float y) { return tile_attr((int)x >> 4, (int)y >> 4); }

// An object is placed at most this many pixels from the level's top-left
// corner on either axis, wherever an insertion says (a level is at most
// 4096 pixels wide, and past the grid everything is solid), so that the
// view and the drawing can always turn its place into an int.
static const int POSITION_LIMIT = 16384;

static float within_limit(int v) {
  return (float)(v < -POSITION_LIMIT ? -POSITION_LIMIT : v > POSITION_LIMIT ? POSITION_LIMIT : v);
}

// add_charac
void add_charac(int x, int y, int made) {
  if (n_characs >= MAX_CHARACS) return;
  charac *c = &C[n_characs++];
  int kind = made & 0xFF, param = (made >> 8) & 0xFF;
  *c = charac{};
  c->kind = kind;
  c->x = within_limit(x);
  c->y = within_limit(y);
  switch (kind) {
    case K_PLAYER:
      c->rx = 7, c->ry = 16, c->hp = 5;
      break;
    case K_MUM:
      c->rx = 7, c->ry = 16, c->hp = (signed char)param, c->ammo = 2;
      c->state = rand() & 0xFF;
      break;
    case K_HEALTH:
      c->rx = 6, c->ry = 6;
      break;
    case K_AMMO:
      c->rx = 7, c->ry = 5;
      break;
    case K_ITEM:
      c->rx = 16, c->ry = 16, c->state = param;
      break;
    case K_BULLET:
      c->rx = 1, c->ry = 1;
      c->vx = param ? BULLET_SPEED : -BULLET_SPEED;
      c->state = (param ? ST_RIGHT : 0) | BULLET_ARMING;
      break;
  }
}

// produce_cast
// One player at the entry point's insertion (code 10 + entry), then mums
// (30..39, hit points from the last digit), health (41), ammo (42) and the
// items 0..3 (50..53) not collected yet. Codes 54..59 would be items the
// status bar can't hold: they place nothing.
int produce_cast(int entry) {
  n_characs = 0;
  int players = 0;
  for (int i = 0; i < map.n; i++)
    if (map.ins[i].code == entry + 10) {
      add_charac(map.ins[i].x, map.ins[i].y, K_PLAYER);
      players++;
    }
  if (players == 0) {
    if (fr) fprintf(fr, "No entry code %d found\n", entry);
    return 0;
  }
  if (players > 1) {
    if (fr) fprintf(fr, ">1 entry code %d found\n", entry);
    return 0;
  }
  for (int i = 0; i < map.n; i++) {
    const Insertion &in = map.ins[i];
    int c = in.code;
    if (c / 10 == 3) {
      add_charac(in.x, in.y, K_MUM | (c % 10) << 8);
      if (fr) fprintf(fr, "made a mum with hp=%d,\n", c % 10);
    } else if (c == 41) {
      add_charac(in.x, in.y, K_HEALTH);
    } else if (c == 42) {
      add_charac(in.x, in.y, K_AMMO);
    } else if (c >= 50 && c <= 53 && !bar.treasure[c - 50]) {
      add_charac(in.x, in.y, K_ITEM | (c - 50) << 8);
    }
  }
  return 1;
}

// think_charac
// The keyboard steers the player, or with Enter held the mums too, or with
// Right Shift only the mums. Other mums walk by their frame counter,
// turning every 128 frames, and when level with the player (and their
// counter, bit 4 aside, below their ammo) mark it in their state and fire:
// once per 256 frames, until their ammo runs out.
void think_charac(charac *c) {
  int mask = 1;
  if (!(bmGet8(PORT_ENTER) & 0x02)) mask = 3;
  if (!(bmGet8(PORT_RSHIFT) & 0x04)) mask = 2;
  if (c->kind >= K_HEALTH || (c->state & ST_DEAD)) {
    c->bits = 0;
    return;
  }
  if (c->kind & mask) {
    unsigned char arrows = bmGet8(PORT_ARROWS), ctrl = bmGet8(PORT_CTRL);
    int b = 0;
    if (!(arrows & 0x80)) b |= B_RIGHT;
    if (!(arrows & 0x40)) b |= B_UP;
    if (!(arrows & 0x20)) b |= B_DOWN;
    if (!(arrows & 0x10)) b |= B_LEFT;
    if (!(ctrl & 0x80)) b |= B_FIRE;
    if (!(ctrl & 0x40)) b |= B_JUMP;
    if (c->bits & B_JUMP) b |= B_JUMP_HELD;
    if (c->bits & B_FIRE) b |= B_FIRE_HELD;
    c->bits = (unsigned char)b;
  } else if (c->kind == K_MUM) {
    c->bits = (c->state & 0x80) ? B_LEFT : B_RIGHT;
    if ((c->state & 0xEF) < c->ammo && std::fabs(c->y - C[0].y) < 10) {
      if (!(c->state & 0x10)) c->bits |= B_FIRE;
      c->state |= 0x10;
    }
  } else {
    c->bits = 0;
  }
}

// hurt_charac
// One hit point off and 76 frames of protection; at 0 the object dies
// when the protection ends.
int hurt_charac(charac *c) {
  if (c->state & ST_HURT) return 0;
  c->state = (c->state & ~ST_COUNTER) | HURT_COUNTER | ST_HURT;
  c->hp = (signed char)(c->hp - 1);
  if (fr) fprintf(fr, "A %d got hit. hp=%d.\n", c->kind, c->hp);
  if (c->hp == 0) c->state |= ST_DEAD;
  return 1;
}

// leave_by_door
// The first exit point (codes 10..19) within reach of the door: its number,
// or -5 for exit 9 with all four items; -1 if there is none.
static int leave_by_door(charac *c) {
  for (int i = 0; i < map.n; i++) {
    const Insertion &in = map.ins[i];
    if (std::fabs(c->x - in.x) + std::fabs(c->y - in.y) < DOOR_REACH && in.code / 10 == 1) {
      int n = in.code % 10;
      bool all = bar.treasure[0] && bar.treasure[1] && bar.treasure[2] && bar.treasure[3];
      return n == 9 && all ? -5 : n;
    }
  }
  if (fr) fprintf(fr, "Couldn't find an exit point by door.\n");
  return -1;
}

// Whether any tile of column tx, rows ty0..ty1 (or of row ty, columns
// tx0..tx1) has one of the bits.
static bool column_has(int tx, int ty0, int ty1, int bits) {
  for (int ty = ty0; ty <= ty1; ty++)
    if (tile_attr(tx, ty) & bits) return true;
  return false;
}

static bool row_has(int ty, int tx0, int tx1, int bits) {
  for (int tx = tx0; tx <= tx1; tx++)
    if (tile_attr(tx, ty) & bits) return true;
  return false;
}

// move_charac
// Pickups and items stay put. Bullets fly straight until a wall stops
// them. The player and mums fall, climb, walk and jump in sub-steps no
// longer than a pixel, each way (left, right, up, down) closing for the
// rest of the frame once a tile blocks it.
int move_charac(charac *c) {
  if (c->kind == K_HEALTH || c->kind == K_AMMO || c->kind == K_ITEM) return c->state & ST_DEAD;
  int n = (int)(1 + std::sqrt(c->vx * c->vx + c->vy * c->vy));
  if (c->kind == K_BULLET) {
    if (c->state & ST_COUNTER) c->state--;
    if (std::fabs(c->vx) < 1) return 1;
  }
  if (c->kind == K_PLAYER || c->kind == K_MUM) {
    int counter = (c->state + 1) & ST_COUNTER;
    c->state = (c->state & ~ST_COUNTER) | counter;
    if (counter == 0) {
      c->state &= ~ST_HURT;
      if (c->state & ST_DEAD) return -2;
    }
    c->vx = 0;
    c->vy += GRAVITY;
  }

  unsigned char here = attr_at(c->x, c->y);
  if ((here & DOOR) && (c->bits & B_UP)) return leave_by_door(c);
  // Spikes, fire and lava hurt what has hit points. A bullet is not
  // "hurt": that would only disarm it for 180 frames over a fire.
  if ((here & HURT) && (c->kind == K_PLAYER || c->kind == K_MUM)) hurt_charac(c);
  if (here & LADDER) {
    if ((c->state & ST_GROUND) == ST_LADDER) c->vy = 0;
    if ((c->bits & (B_UP | B_DOWN)) == B_UP) {
      c->vy = CLIMB_UP;
      c->state = (c->state & ~ST_GROUND) | ST_LADDER;
    } else if ((c->bits & (B_UP | B_DOWN)) == B_DOWN) {
      c->vy = CLIMB_DOWN;
      c->state = (c->state & ~ST_GROUND) | ST_LADDER;
    }
  } else {
    c->state &= ~ST_GROUND;
  }
  if ((c->bits & (B_LEFT | B_RIGHT)) == B_LEFT) {
    c->state &= ~ST_RIGHT;
    c->vx = c->kind == K_PLAYER ? -PLAYER_WALK : -OTHER_WALK;
  } else if ((c->bits & (B_LEFT | B_RIGHT)) == B_RIGHT) {
    c->state |= ST_RIGHT;
    c->vx = c->kind == K_PLAYER ? PLAYER_WALK : OTHER_WALK;
  }

  bool left = true, right = true, up = true, down = true;
  for (int s = 0; s < n; s++) {
    int L = (int)(c->x - c->rx), R = (int)(c->x + c->rx);
    int T = (int)(c->y - c->ry), B = (int)(c->y + c->ry);
    if (left && column_has((L - 1) >> 4, T >> 4, (B - 1) >> 4, SOLID_LRB)) left = false;
    if (right && column_has(R >> 4, T >> 4, (B - 1) >> 4, SOLID_LRB)) right = false;
    if (up && row_has((T - 1) >> 4, L >> 4, (R - 1) >> 4, SOLID_LRB)) up = false;
    if (down && row_has(B >> 4, L >> 4, (R - 1) >> 4, SOLID_TOP)) down = false;
    if (!down && (c->bits & (B_JUMP | B_JUMP_HELD)) == B_JUMP) c->vy = JUMP;
    if (s == 0 && (c->bits & (B_FIRE | B_FIRE_HELD)) == B_FIRE && c->ammo != 0) {
      c->ammo--;
      add_charac((int)c->x, (int)c->y, K_BULLET | ((c->state & ST_RIGHT) ? 1 << 8 : 0));
    }
    if (!(c->state & ST_GROUND))
      c->state |= (down || !(c->bits & (B_LEFT | B_RIGHT))) ? ST_IDLE : ST_WALKING;
    if (c->vy < 0) {
      if (up) c->y += c->vy / n; else c->vy = 0;
    } else if (c->vy > 0) {
      if (down) c->y += c->vy / n; else c->vy = 0;
    }
    if (c->vx < 0) {
      if (left) c->x += c->vx / n; else c->vx = 0;
    } else if (c->vx > 0) {
      if (right) c->x += c->vx / n; else c->vx = 0;
    }
  }
  return 0;
}

// two_body
// What happens when two boxes overlap, by the pair of kinds.
int two_body(charac *a, charac *b) {
  if (!(std::fabs(a->x - b->x) < a->rx + b->rx && std::fabs(a->y - b->y) < a->ry + b->ry)) return 0;
  if ((a->state | b->state) & ST_DEAD) return 0;
  if (a->kind > b->kind) {
    charac *t = a;
    a = b;
    b = t;
  }
  switch (a->kind * 10 + b->kind) {
    case 12:  // player - mum
      hurt_charac(a);
      break;
    case 13:  // player - health
      a->hp = raise(a->hp, 1);
      b->state |= ST_DEAD;
      break;
    case 14:  // player - ammo
      a->ammo = raise(a->ammo, 2);
      b->state |= ST_DEAD;
      break;
    case 15:  // player - item
      set_bar_t(b->state & 0x0F);
      b->state |= ST_DEAD;
      break;
    case 16:  // player - bullet
    case 26:  // mum - bullet
      if (!(b->state & ST_COUNTER)) {
        hurt_charac(a);
        b->state |= ST_DEAD;
      }
      break;
  }
  return 0;
}

// draw_charac
// The sprite for the kind and what it is doing; hurt objects blink (every
// other frame while dying); sprites face left as stored and are mirrored
// to face right, and climbers swap sides every 8 frames.
void draw_charac(charac *c) {
  int counter = c->state & ST_COUNTER, ground = c->state & ST_GROUND;
  bool walking = ground == ST_WALKING && (counter & 8);
  int s;
  switch (c->kind) {
    case K_PLAYER:
      s = ground == ST_LADDER ? SPR_PLAYER_LADDER : walking ? SPR_PLAYER_WALK : SPR_PLAYER;
      break;
    case K_MUM:
      s = ground == ST_LADDER ? SPR_MUM_LADDER : walking ? SPR_MUM_WALK : SPR_MUM;
      break;
    case K_HEALTH: s = SPR_HEALTH; break;
    case K_AMMO: s = SPR_AMMO; break;
    case K_ITEM: s = SPR_ITEM; break;
    case K_BULLET: s = SPR_BULLET; break;
    default: return;
  }
  if ((c->state & ST_HURT) && (counter & ((c->state & ST_DEAD) ? 1 : 4))) return;
  bmp *b = spr[s];
  if (!b) return;
  bool flip = (counter & 8) && ground == ST_LADDER;
  bool facing_right = (c->state & ST_RIGHT) != 0;
  int x = (int)(c->x - b->w / 2), y = (int)(c->y - b->h / 2);
  if (facing_right == flip)
    draw_sprite1(b, x, y);
  else
    draw_sprite2(b, x, y);
}

// run_characs
int run_characs() {
  int result = 0;
  for (int i = 0; i < n_characs; i++) think_charac(&C[i]);
  for (int i = 0; i < n_characs;) {
    int r = move_charac(&C[i]);
    if (!r) {
      i++;
      continue;
    }
    if (C[i].kind == K_PLAYER) result = r;
    C[i] = C[--n_characs];
  }
  for (int i = 0; i < n_characs; i++)
    for (int j = i + 1; j < n_characs; j++) two_body(&C[i], &C[j]);
  return result;
}
