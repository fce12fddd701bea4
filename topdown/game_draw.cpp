// game_draw.cpp -- character pictures and the heads-up display
#include <cstdio>

#include "game.h"
#include "share.h"

BITMAP *hud;

enum { WALK_PHASE_STEPS = 9 };

// The walking cycle: resting, early step, resting, late step.
static const int WALK_FRAMES[4] = {OBJ_WALKER, OBJ_WALKER_STEP_EARLY,
                                   OBJ_WALKER, OBJ_WALKER_STEP_LATE};

// charac_picture
// The datafile object that shows c and how it is drawn; 0 when c is not
// drawn at all.
int charac_picture(const Charac &c, Pose &pose) {
  int shot = USA ? OBJ_SHOT_US : OBJ_SHOT_AU;
  pose = TURNED;
  switch (c.kind) {
    case KIND_WALKER:
      if (c.link) return OBJ_WALKER_RIDING;
      if (!(c.ctrl & CTRL_UP)) return OBJ_WALKER;
      return WALK_FRAMES[(t2 / WALK_PHASE_STEPS) % 4];
    case KIND_ITEM:
      pose = UPRIGHT;
      switch (c.sub) {
        case ITEM_BOOST: return OBJ_ITEM_1;
        case ITEM_SLOW: return OBJ_ITEM_2;
        case ITEM_ACCESS: return OBJ_ITEM_PASS;
        case ITEM_AMMO: return shot;
        default: return 0;
      }
    case KIND_SHOT: return shot;
    case KIND_BIKE: return c.link || c.sub ? OBJ_BIKE : OBJ_BIKE_EMPTY;
    case KIND_CAR:
      if (!USA) pose = MIRRORED;
      return OBJ_CAR;
    case KIND_BOAT:
      if (!USA) pose = MIRRORED;
      return OBJ_BOAT;
    case KIND_WHIRL: return OBJ_WHIRL;
    default: return 0;
  }
}

// Charac::draw
// Draws this character's picture into buf, centred on its place in the view
// and turned to its heading (items stand upright; cars and boats are
// mirrored in Australia, where the driver sits on the other side).
void Charac::draw() {
  Pose pose;
  int obj = charac_picture(*this, pose);
  if (!obj) return;
  BITMAP *b = (BITMAP *)D[obj].dat;
  int left = x - OX - b->w / 2;
  int top = y - OY - b->h / 2;
  if (pose == UPRIGHT) {
    draw_sprite(buf, b, left, top);
  } else if (pose == TURNED) {
    rotate_scaled_sprite(buf, b, left, top, (64 - angle).v, itofix(1));
  } else {
    rotate_scaled_sprite_v_flip(buf, b, left, top, (-64 - angle).v,
                                itofix(1));
  }
}

// ---------------------------------------------------------------------------
// Heads-up display

enum { HUD_W = 300, HUD_H = 36 };

// hud_texts
// The panel of player p shows its vehicle's speed, top speed and ammunition
// when it sits in one (its own otherwise), its access and its time.
HudTexts hud_texts(int p) {
  HudTexts h;
  Charac &pl = C[p];
  Charac &s = pl.link ? *pl.link : pl;
  h.has_access = pl.access || s.access;
  h.finished = pl.finished;
  int tenths = (pl.finished ? pl.finish_time : t2) / 5;
  fix unit = USA ? fix(12.9) / 1.61 : fix(12.9) / 1.0;
  double boat = s.kind == KIND_BOAT ? 0.8 : 1.0;
  snprintf(h.speed, sizeof h.speed, "%d%s", (int)(s.speed() * unit),
           USA ? "mph" : "km/h");
  snprintf(h.top, sizeof h.top, "%d", (int)(s.max_speed() * unit * boat));
  snprintf(h.ammo, sizeof h.ammo, "%d", s.ammo);
  snprintf(h.access, sizeof h.access, "%s", h.has_access ? "Yes" : "No");
  snprintf(h.clock, sizeof h.clock, "%d:%02d", tenths / 600,
           (tenths / 10) % 60);
  snprintf(h.tenths, sizeof h.tenths, ".%d", tenths % 10);
  return h;
}

// draw_hud
// Redraws player p's panel into hud from scratch.
void draw_hud(int p) {
  HudTexts h = hud_texts(p);
  FONT *value = (FONT *)D[OBJ_FONT].dat;
  clear_to_color(hud, makecol(88, 88, 88));
  rect(hud, 0, 0, HUD_W - 1, HUD_H - 1, makecol(166, 166, 166));
  textout_centre_ex(hud, value, h.speed, 40, 11, col_white, -1);
  textout_centre_ex(hud, font, "SPEED", 40, 3, col_white, -1);
  textout_centre_ex(hud, value, h.top, 110, 11, col_white, -1);
  textout_centre_ex(hud, font, "(MAX)", 110, 3, col_white, -1);
  textout_centre_ex(hud, value, h.ammo, 150, 11, col_white, -1);
  textout_centre_ex(hud, font, "AMMO", 150, 3, col_white, -1);
  textout_centre_ex(hud, value, h.access, 195, 11,
                    h.has_access ? col_green : col_red, -1);
  textout_centre_ex(hud, font, "ACCESS", 195, 3, col_white, -1);
  int tc = h.finished ? col_yellow : col_white;
  textout_right_ex(hud, value, h.clock, 270, 11, tc, -1);
  textout_ex(hud, value, h.tenths, 270, 11, tc, -1);
  textout_centre_ex(hud, font, "TIME", 260, 3, col_white, -1);
}
