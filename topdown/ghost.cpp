// ghost.cpp -- the best run's path, made by running its replay unseen, and
// drawn see-through in the live race
#include "ghost.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "game.h"
#include "race.h"
#include "share.h"

bool ghost_on = true;
const char *const GHOST_FILE = "ghost.txt";

// The path: the pictures of step k are sprites[first[k]] up to (not
// including) sprites[first[k + 1]].
static std::vector<GhostSprite> sprites;
static std::vector<int> first;

// How strongly the ghost shows over the ground, and how far its pictures
// are first paled toward its colour, out of 255.
enum { GHOST_ALPHA = 140, GHOST_PALE = 120 };
static const int GHOST_R = 210, GHOST_G = 235, GHOST_B = 255;

// ---------------------------------------------------------------------------
// The setting

// ghost_setting_load
// Only the two lines the program writes count; a carriage return before the
// line end is allowed.
void ghost_setting_load() {
  ghost_on = true;
  FILE *f = fopen(GHOST_FILE, "rb");
  if (!f) return;
  char text[32];
  size_t n = fread(text, 1, sizeof text - 1, f);
  fclose(f);
  text[n] = '\0';
  std::string s(text, n);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  if (s == "ghost off")
    ghost_on = false;
  else if (s != "ghost on" && fr)
    fprintf(fr, "\"%s\" is damaged: the ghost is on\n", GHOST_FILE);
}

bool ghost_setting_save() {
  const char *text = ghost_on ? "ghost on\n" : "ghost off\n";
  if (write_file_atomic(GHOST_FILE, text, strlen(text))) return true;
  if (fr) fprintf(fr, "Couldn't write file \"%s\"\n", GHOST_FILE);
  return false;
}

// ---------------------------------------------------------------------------
// Making the path

// Adds c's picture to the step being noted.
static void note_sprite(const Charac &c) {
  Pose pose;
  int obj = charac_picture(c, pose);
  if (obj) sprites.push_back(GhostSprite{obj, pose, c.x, c.y, c.angle});
}

// The shots the player has fired that are still flying (records of C).
static std::vector<int> shots;

// After a step: the shots it fired that are the player's. The player (or
// the vehicle it drives) fires at most once a step, and its ammunition
// tells when; of the shots new in this step those nearest the player are
// its own (another shooter in the same step is rare and far away).
static void find_new_shots(int before, int ammo_before, Charac *vehicle, int vehicle_ammo) {
  int fired = 0;
  if (C[0].ammo < ammo_before) fired++;
  if (vehicle && vehicle->ammo < vehicle_ammo) fired++;
  while (fired-- > 0) {
    int best = -1;
    double best_d = 1e18;
    for (int i = before; i < n_characs; i++) {
      if (C[i].kind != KIND_SHOT) continue;
      bool taken = false;
      for (int s : shots) taken = taken || s == i;
      double dx = fixtof((C[i].x - C[0].x).v), dy = fixtof((C[i].y - C[0].y).v);
      if (!taken && dx * dx + dy * dy < best_d) {
        best = i;
        best_d = dx * dx + dy * dy;
      }
    }
    if (best >= 0) shots.push_back(best);
  }
}

// Notes the pictures of the ghost as the race stands: its shots, the
// vehicle it rides, the walker on top.
static void note_step() {
  first.push_back((int)sprites.size());
  size_t kept = 0;
  for (int s : shots)
    if (C[s].kind == KIND_SHOT) {
      note_sprite(C[s]);
      shots[kept++] = s;
    }
  shots.resize(kept);
  if (C[0].link) note_sprite(*C[0].link);
  note_sprite(C[0]);
}

// ghost_make
// The replay's race, run through the game's own logic with no sound; what
// the live race needs is set up afresh after it.
bool ghost_make(const Replay &r) {
  ghost_drop();
  silent_logic = true;
  bool ok = race_begin_film(r);
  if (ok) {
    int total = r.steps();
    first.reserve(total + 2);
    sprites.reserve(2 * (total + 1));
    note_step();
    for (int s = 0; s < total; s++) {
      int before = n_characs, ammo = C[0].ammo;
      Charac *vehicle = C[0].link;
      int vehicle_ammo = vehicle ? vehicle->ammo : 0;
      logic_step();
      find_new_shots(before, ammo, vehicle, vehicle_ammo);
      note_step();
    }
    first.push_back((int)sprites.size());
    // A run that no longer ends as it did is not the record any more.
    ok = C[0].finished && C[0].finish_time == r.finish;
  }
  race_end();
  silent_logic = false;
  n_characs = 0;
  shots.clear();
  if (!ok) ghost_drop();
  return ok;
}

// ghost_prepare
void ghost_prepare(int course) {
  ghost_drop();
  if (!ghost_on || n_players != 1) return;
  Replay r;
  if (replay_load(course, 1, course_check(map, tile_attr), r, true) != REPLAY_USABLE) return;
  if (!ghost_make(r) && fr)
    fprintf(fr, "Replay \"%s\" no longer finishes as it did: not used\n",
            replay_file_name(course, 1).c_str());
}

void ghost_drop() {
  sprites.clear();
  sprites.shrink_to_fit();
  first.clear();
  first.shrink_to_fit();
}

int ghost_steps() { return first.size() < 2 ? 0 : (int)first.size() - 2; }

const GhostSprite *ghost_sprites(int step, int &count) {
  count = 0;
  if (first.size() < 2) return nullptr;
  int last = (int)first.size() - 2;
  if (step > last) step = last;
  if (step < 0) step = 0;
  count = first[step + 1] - first[step];
  return sprites.data() + first[step];
}

// ---------------------------------------------------------------------------
// Drawing

// Square scratch bitmap number k (0 or 1) of side size in buf's colour
// depth, kept for the next frames (the pictures come in a few sizes only).
static BITMAP *scratch_bitmap(int size, int k) {
  static BITMAP *kept[2][256];
  if (size < 1 || size > 255) return nullptr;
  BITMAP *&b = kept[k][size];
  if (b && bitmap_color_depth(b) != bitmap_color_depth(buf)) {
    destroy_bitmap(b);
    b = nullptr;
  }
  if (!b) b = create_bitmap_ex(bitmap_color_depth(buf), size, size);
  return b;
}

// Draws one picture see-through at its place: it is turned (as
// Charac::draw turns it, to the same pixel) into a scratch bitmap, paled
// toward the ghost's colour into a second one, and that is blended over
// the ground.
static void draw_see_through(const GhostSprite &s) {
  BITMAP *b = (BITMAP *)D[s.obj].dat;
  int left = s.x - OX - b->w / 2;
  int top = s.y - OY - b->h / 2;
  int side = (int)std::ceil(std::hypot(b->w, b->h)) + 2;
  if (left + b->w / 2 + side < 0 || top + b->h / 2 + side < 0 ||
      left + b->w / 2 - side >= buf->w || top + b->h / 2 - side >= buf->h)
    return;
  BITMAP *turned = scratch_bitmap(side, 0), *pale = scratch_bitmap(side, 1);
  if (!turned || !pale) return;
  int ox = (side - b->w) / 2, oy = (side - b->h) / 2;
  clear_to_color(turned, bitmap_mask_color(turned));
  if (s.pose == UPRIGHT)
    draw_sprite(turned, b, ox, oy);
  else if (s.pose == TURNED)
    rotate_scaled_sprite(turned, b, ox, oy, (64 - s.angle).v, itofix(1));
  else
    rotate_scaled_sprite_v_flip(turned, b, ox, oy, (-64 - s.angle).v, itofix(1));
  clear_to_color(pale, bitmap_mask_color(pale));
  set_trans_blender(GHOST_R, GHOST_G, GHOST_B, 0);
  draw_lit_sprite(pale, turned, 0, 0, GHOST_PALE);
  set_trans_blender(0, 0, 0, GHOST_ALPHA);
  draw_trans_sprite(buf, pale, left - ox, top - oy);
}

// ghost_draw
void ghost_draw() {
  int count;
  const GhostSprite *s = ghost_sprites(t2, count);
  if (!count) return;
  for (int i = 0; i < count; i++) draw_see_through(s[i]);
}
