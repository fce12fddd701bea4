// game.cpp -- play state, player input, cast production and the play loop
#include "game.h"

#include <cstdio>
#include <cstdlib>

#include "controls.h"
#include "ghost.h"
#include "race.h"
#include "keys.h"
#include "key_screen.h"
#include "pause_hook.h"
#include "desktop.h"
#include "share.h"
#include "quiet_wait.h"
#include "tick_wait.h"
#include "times.h"

volatile int t1;
int t2;
int fts;
int fps;
int n_players;
bool USA;
int clap_t;
bool silent_logic;

// Program change to the applause instrument on channel 16, full volume
// (sent to channel 9), and the applause note on channel 16.
unsigned char clapping[8] = {0xCF, 0x7E, 0xB8, 0x07, 0x7F, 0x9F, 0x3E, 0x7F};
unsigned char stop_clapping[3] = {0x8F, 0x3E, 0x00};

Bits bits;
BITMAP *buf2;

// The longest the play loop sleeps waiting for a tick.
enum { WAIT_MS = 20 };

// timer_click
// The 50 Hz timer callback: one tick of the game clock, which also wakes
// the play loop.
static void timer_click() {
  t1 = t1 + 1;
  tick_post();
}
END_OF_STATIC_FUNCTION(timer_click)

// ---------------------------------------------------------------------------
// Player input

// One player's word from a joystick: stick 0 for the turns and thrust,
// button 2 for thrust too, button 1 fires, button 0 is action.
static int joystick_word(int n) {
  JOYSTICK_INFO &j = joy[n];
  JOYSTICK_AXIS_INFO &h = j.stick[0].axis[0], &v = j.stick[0].axis[1];
  bits - 0;
  bits < (h.d1 != 0) < (h.d2 != 0) < (v.d1 != 0 || j.button[2].b != 0) <
      (v.d2 != 0) < (j.button[1].b != 0) < (j.button[0].b != 0);
  return bits.value;
}

// get_input
// One player: the one player's keys or joystick 0. Two players: player 1
// has its keys (usually the letters W A S D, B, V) or joystick 0; player 2
// its keys (usually the arrows, Ctrl, Shift) or joystick 1.
int get_input() {
  poll_joystick();
  int j0 = joystick_word(0);
  int j1 = joystick_word(1);
  if (n_players == 1) return keys_word(SET_ONE) | j0;
  return (keys_word(SET_P1) | j0) | ((keys_word(SET_P2) | j1) << 8);
}

// ---------------------------------------------------------------------------
// Cast

// produce_cast
// Players first (all code-11 starts, then with two players all code-12
// starts), then the vehicles and items the course places, in their order.
bool produce_cast(int entry) {
  n_characs = 0;
  for (int i = 0; i < map.n; i++)
    if (map.ins[i].code == 11) add_charac(map.ins[i].x, map.ins[i].y, 1);
  if (n_players == 2)
    for (int i = 0; i < map.n; i++)
      if (map.ins[i].code == 12) add_charac(map.ins[i].x, map.ins[i].y, 1);
  if (n_characs == 0) {
    if (fr) fprintf(fr, "No entry code %d found\n", entry);
    return false;
  }
  for (int i = 0; i < map.n; i++) {
    const Insertion &in = map.ins[i];
    static const int VEHICLE[3] = {KIND_CAR, KIND_BIKE, KIND_BOAT};
    int cls = in.code / 10, variant = in.code % 10;
    if (cls >= 2 && cls <= 4) {
      if (!add_charac(in.x, in.y, VEHICLE[cls - 2])) break;
      Charac &c = C[n_characs - 1];
      c.angle = variant * 25;
      if (variant == RANDOM_DRIVER) c.sub = RANDOM_DRIVER;
    } else if (cls == 5) {
      if (!add_charac(in.x, in.y, KIND_ITEM)) break;
      C[n_characs - 1].sub = variant;
    }
  }
  return true;
}

// scatter_extras
// Over a 30-pixel grid covering the course, a few points get a boost,
// slowing or ammunition item or a whirl, drawn from the race's random
// numbers. Stops when the table is full.
void scatter_extras() {
  for (int x = 20; x < map.w * 32 - 20; x += 30)
    for (int y = 20; y < map.h * 32 - 20; y += 30) {
      int r = race_rand() % 5000, kind = 0, sub = 0;
      if (r >= 100 && r <= 111) kind = KIND_ITEM, sub = ITEM_BOOST;
      else if (r >= 200 && r <= 219) kind = KIND_ITEM, sub = ITEM_SLOW;
      else if (r >= 300 && r <= 324) kind = KIND_ITEM, sub = ITEM_AMMO;
      else if (r >= 400 && r <= 405) kind = KIND_WHIRL;
      if (!kind) continue;
      if (!add_charac(x, y, kind)) return;
      C[n_characs - 1].sub = sub;
    }
}

// ---------------------------------------------------------------------------
// Play loop

// make_game_bitmaps
// Two players draw each view into a half-width buf and compose the screen
// in buf2 (the screen-sized start-up buf); every view gets a heads-up panel.
void make_game_bitmaps() {
  if (n_players == 2) {
    buf2 = buf;
    buf = create_bitmap(buf2->w / 2, buf2->h);
  }
  hud = create_bitmap(300, 36);
}

// free_game_bitmaps
void free_game_bitmaps() {
  if (n_players == 2) {
    destroy_bitmap(buf);
    buf = buf2;
    buf2 = nullptr;
  }
  destroy_bitmap(hud);
  hud = nullptr;
}

// Starts the game clock's 50 Hz tick.
static void start_clock() { install_int_ex(timer_click, BPS_TO_TIMER(STEPS_PER_SECOND)); }

// init
// Per-game set-up: the game clock, the game's bitmaps, not held.
static void init() {
  LOCK_VARIABLE(t1);
  LOCK_FUNCTION(timer_click);
  start_clock();
  make_game_bitmaps();
  hold_reset();
}

// cleanup
// Per-game tear-down: stops the applause, frees the bitmaps, drops the keys
// typed during the game and empties the cast.
static void cleanup() {
  if (clap_t != 0) {
    midi_out(stop_clapping, sizeof stop_clapping);
    clap_t = 0;
  }
  free_game_bitmaps();
  while (keypressed()) readkey();
  n_characs = 0;
}

// logic_step
// Applause countdown, decisions, input, movement, contacts, clock.
void logic_step() {
  if (clap_t != 0 && --clap_t == 0 && !silent_logic)
    midi_out(stop_clapping, sizeof stop_clapping);
  for (int i = 0; i < n_characs; i++) C[i].think();
  int in = race_controls();
  C[0].ctrl = in;
  if (n_players != 1) {
    C[1].ctrl = in >> 8;
    C[0].ctrl = in & 0xff;
  }
  for (int i = 0; i < n_characs; i++) C[i].move();
  contact_all();
  t2++;
  if (t2 % STEPS_PER_SECOND == 0) {
    fps = fts;
    fts = 0;
  }
}

// Centres the view on a walker, kept within the course (a course narrower
// than the view shows from its left or top edge).
static void centre_view(Charac &c) {
  if (c.kind != KIND_WALKER) return;
  OX = (int)c.x - buf->w / 2;
  if (OX > map.w * 32 - buf->w) OX = map.w * 32 - buf->w;
  if (OX < 0) OX = 0;
  OY = (int)c.y - buf->h / 2;
  if (OY > map.h * 32 - buf->h) OY = map.h * 32 - buf->h;
  if (OY < 0) OY = 0;
}

// The two-player clock line over the seam: game time and frame rate, white
// on a dark shadow, crossed by the two magenta seam columns.
static void draw_seam() {
  FONT *f = (FONT *)D[OBJ_FONT].dat;
  int w = buf2->w, h = buf2->h, t = t1;
  char line[64];
  snprintf(line, sizeof line, "%2d:%02d (%2dfps)", t / 3000, (t / 50) % 60,
           fps);
  textout_centre_ex(buf2, f, line, w / 2 - 1, 10, col_black, -1);
  textout_centre_ex(buf2, f, line, w / 2, 9, col_white, -1);
  vline(buf2, w / 2 - 1, 0, h - 1, col_magenta);
  vline(buf2, w / 2, 0, h - 1, col_magenta);
}

// draw_frame
// Each player's view: tiles, characters from last to first (players on
// top), the player's panel; then the split screen's seam, all copied to
// dest unless it is null. The start-up buf (buf2 with two players) has the
// picture's size and holds the whole frame.
void draw_frame(BITMAP *dest) {
  for (int p = 0; p < n_players; p++) {
    centre_view(C[p]);
    clear_to_color(buf, col_black);
    draw_tiles();
    ghost_draw();
    for (int i = n_characs - 1; i >= 0; i--) C[i].draw();
    draw_hud(p);
    blit(hud, buf, 0, 0, 0, buf->h - hud->h, hud->w, hud->h);
    if (n_players == 2)
      blit(buf, buf2, 0, 0, p == 0 ? 0 : buf2->w / 2, 0, buf->w, buf->h);
    else if (dest)
      blit(buf, dest, 0, 0, 0, 0, buf->w, buf->h);
  }
  if (n_players == 2) {
    draw_seam();
    if (dest) blit(buf2, dest, 0, 0, 0, 0, buf2->w, buf2->h);
  }
  fts++;
}

// Whether a logic step has run since the last frame was drawn.
static bool stepped;

// play_pass
// The logic never waits for drawing: a step runs whenever one is due. A
// frame is drawn once the logic has caught up with the clock, and only if
// a step has run since the last one: the same picture is never drawn twice.
// A held game does neither.
PlayPass play_pass(BITMAP *dest) {
  if (hold_active()) return PASS_HELD;
  if (t2 < t1) {
    logic_step();
    stepped = true;
    return PASS_STEP;
  }
  if (!stepped) return PASS_WAIT;
  draw_frame(dest);
  stepped = false;
  return PASS_FRAME;
}

// restart_clock
// The ticks that came while the game was held are not owed: the clock goes
// on from the last step, so a held game's time never counts.
void restart_clock() { t1 = t2; }

// draw_held
// The game's picture as it stands, with "Paused" or the keys screen over
// it, shown on dest. The frame-rate count is left as it was.
void draw_held(BITMAP *dest) {
  BITMAP *still = create_bitmap(dest->w, dest->h);
  if (!still) return;
  int frames = fts;
  draw_frame(still);
  fts = frames;
  if (hold_state() == HOLD_KEYS)
    draw_key_screen(still, topdown_keys(false), col_white, col_black);
  else
    draw_paused_label(still, (FONT *)D[OBJ_FONT].dat, col_white, col_black);
  blit(still, dest, 0, 0, 0, 0, still->w, still->h);
  destroy_bitmap(still);
}

// Holding the game still stops its clock's tick and the music (which cuts
// off the applause); going on gives both back, the applause too if it has
// steps left to sound.
static void freeze() {
  remove_int(timer_click);
  midi_pause();
}

static void thaw() {
  restart_clock();
  start_clock();
  midi_resume();
  if (clap_t != 0) midi_out(clapping, sizeof clapping);
}

// Which players' finishes have been noted in this game.
static bool noted[2];

// note_finishes
// A player who has just finished has a time for the course's records.
void note_finishes(int course) {
  for (int p = 0; p < n_players && p < 2; p++)
    if (C[p].finished && !noted[p]) {
      noted[p] = true;
      if (record_time(course, n_players, C[p].finish_time))
        race_keep_replay(C[p].finish_time);
    }
}

void forget_finishes() { noted[0] = noted[1] = false; }

// Why the course could not be played: its file can't be opened, is cut
// short (which loses the insertions at its end), or has no player start.
static std::string refusal(const char *name, CourseRead got) {
  std::string file = name;
  if (got == COURSE_UNOPENED) return file + " can't be opened";
  if (got == COURSE_CUT_SHORT) return file + " is cut short";
  if (n_players == 2) return file + " has no start for either player";
  return file + " has no start for player 1";
}

std::string play_refusal;

// The whole frame as draw_frame leaves it.
static BITMAP *frame_picture() { return n_players == 2 ? buf2 : buf; }

// play_map
// One game on course number course until Esc or the window's close
// button. The course is read and its cast made before the game's timer and
// bitmaps exist, so a course that can't be played leaves nothing to tear
// down.

int play_map(int course, int entry) {
  t1 = 1;
  t2 = 0;
  stepped = false;
  forget_finishes();
  play_refusal.clear();
  char name[16];
  snprintf(name, sizeof name, "m%02d.map", course);
  CourseRead got = read_map(name);
  bool cast = false;
  if (got != COURSE_UNOPENED) {
    ghost_prepare(course);  // runs the best run unseen: before the live cast
    race_begin(course, race_clock_seed());
    cast = produce_cast(entry);
    if (!cast) {
      race_end();
      ghost_drop();
    }
  }
  if (!cast) {
    if (got != COURSE_UNOPENED && fr) fprintf(fr, "Produce cast failed\n");
    play_refusal = refusal(name, got);
    if (fr) fprintf(fr, "Course %d can't be played: %s\n", course, play_refusal.c_str());
    n_characs = 0;
    return -1;
  }
  if (got == COURSE_CUT_SHORT && fr) fprintf(fr, "\"%s\" is cut short\n", name);
  init();
  scatter_extras();
  t1 = 1;  // the clock starts now, whatever the ghost's run took
  // With nothing to do until the next tick, the loop sleeps until it comes
  // (keys are looked at again at least every WAIT_MS). A held game looks
  // for its keys a few times a second and draws only when the hold
  // changes. Switching between window and full screen leaves the game as
  // it is.
  bool frozen = false;
  tick_wait(0);
  while ((!key[KEY_ESC] || hold_swallows(KEY_ESC)) && !hold_take_esc() &&
         !desktop_close_requested()) {
    if (hold_poll(KEY_F1) && hold_state() != HOLD_NONE) {
      if (!frozen) freeze();
      frozen = true;
      draw_held(frame_picture());
      desktop_present(frame_picture());
    }
    if (frozen && !hold_active()) {
      thaw();
      frozen = false;
    }
    PlayPass pass = play_pass(nullptr);
    if (pass == PASS_FRAME) desktop_present(frame_picture());
    if (pass == PASS_WAIT) quiet_tick_wait(WAIT_MS);
    if (pass == PASS_HELD) hold_rest();
    note_finishes(course);
    desktop_poll();
  }
  if (frozen) thaw();
  race_end();
  ghost_drop();
  cleanup();
  return -1;
}

void play_setup() { init(); }
void play_teardown() { cleanup(); }
