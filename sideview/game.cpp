// game.cpp -- the top of sideview: start-up, credits, the level chain, the
// play loop, the winning sequence and the machine's callbacks
#include "game.h"

#include <strings.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "bm.h"
#include "controls.h"
#include "data_folder.h"
#include "keys.h"
#include "log.h"
#include "music.h"
#include "object.h"
#include "pause_hook.h"
#include "tile.h"
#include "video.h"

int hsyncs;
int status_bar;
int OX, OY;

static const char *HOPS_FILE = "hops.txt";

std::string game_fault;

// Whether the last reading of HOPS_FILE stopped at text that is not a
// pair of integers, rather than at its end.
static bool hops_damaged;

// Reads the next whitespace-separated integer of f into v; false at the
// end of the file (at_end then true) or at text that is not an integer.
// Values beyond int stop at its limits.
static bool read_int(FILE *f, int &v, bool &at_end) {
  int ch;
  do ch = getc(f);
  while (ch != EOF && isspace(ch));
  at_end = ch == EOF;
  bool negative = false;
  if (ch == '+' || ch == '-') {
    negative = ch == '-';
    ch = getc(f);
  }
  if (ch == EOF || !isdigit(ch)) return false;
  long long n = 0;
  for (; ch != EOF && isdigit(ch); ch = getc(f))
    if (n <= INT_MAX) n = n * 10 + (ch - '0');
  if (ch != EOF) ungetc(ch, f);
  if (negative) n = -n;
  v = (int)(n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : n);
  return true;
}

// HoPs
// The level link: pairs (from-code, to-code) read in order, the first
// whose from-code matches wins. Reading stops at the end of the file or at
// anything that is not a pair of integers. No link is logged; a missing
// table means no links at all.
int HoPs(int code) {
  int result = 0;
  FILE *f = fopen(HOPS_FILE, "r");
  if (!f) {
    log_open_failure(HOPS_FILE);
    if (fr) fputc('\n', fr);
  } else {
    int from, to;
    bool at_end;
    hops_damaged = false;
    for (;;) {
      if (!read_int(f, from, at_end)) {
        hops_damaged = !at_end;  // text, not the end
        break;
      }
      if (!read_int(f, to, at_end)) {
        hops_damaged = true;  // half a pair
        break;
      }
      if (from == code) {
        result = to;
        break;
      }
    }
    fclose(f);
  }
  if (result == 0 && fr) fprintf(fr, "Couldn't find one for %d\n", code);
  return result;
}

// on_hsync
// After every scan line: the status bar shows from line 220 on (its rows
// are in bank 0); the music moves on by a line.
void on_hsync(int) {
  hsyncs++;
  if (status_bar && hsyncs == 220) {
    bmPut8(BM_PAGE0, 0);
    bmPut8(BM_PAGE1, 0);
  }
  music_update();
}

// on_vsync
// After every frame: the playfield banks again for the top of the screen.
void on_vsync(int) {
  hsyncs = 0;
  bmPut8(BM_PAGE0, 1);
  bmPut8(BM_PAGE1, 2);
}

// ---------------------------------------------------------------------------
// Start-up

// The files sideview can't start without.
static const std::vector<std::string> NEEDED = {"tileattr.wz", "tiles.bmp", "sprites.bmp",
                                                "status.bmp", "four.bmp"};

// init
void init() {
  start_in_data_folder("sideview", NEEDED);
  music_init();
  tiles_init();
  sprites_init();
  if (bmSetup() != 0) fail("Couldn't set up the machine: no memory for it");
  controls_init();
  bmSetCallBack(0, on_vsync);
  bmSetCallBack(1, on_hsync);
  hold_watch_focus();
  hold_reset();
  bar_init();
  srand((unsigned)time(NULL));
}

// music_file
// Options ("--scale=3", "--window" ...) are never the music, whatever
// they end in.
const char *music_file(int argc, char **argv) {
  const char *name = "tr1.mid";
  for (int i = 1; i < argc; i++) {
    if (strncmp(argv[i], "--", 2) == 0) continue;
    const char *dot = strrchr(argv[i], '.');
    if (dot && strcasecmp(dot + 1, "mid") == 0) name = argv[i];
  }
  return name;
}

// True while the key of the port's bit is held (a pressed key reads 0).
static bool held(int port, int bit) { return !(bmGet8(port) & bit); }

// ---------------------------------------------------------------------------
// Holding the game: paused, or showing its keys

// What a held game shows over its last frame.
static void draw_hold(BITMAP *frame) {
  int white = bmSlotOfCode(HOLD_WHITE), black = bmSlotOfCode(HOLD_BLACK);
  if (hold_state() == HOLD_KEYS)
    draw_key_screen(frame, sideview_keys(), white, black);
  else
    draw_paused_label(frame, font, white, black);
}

// Set once Esc was pressed while the game was held: the game ends as on
// Esc, in the credits too.
static bool quitting;

// hold_point
// Between two frames, where the machine stands at the start of the next
// one. While the game is held the machine does not run, so nothing moves,
// and the music, which the scan lines drive, stands still; the sound
// output stops. The keys are looked at a few times a second and the
// picture is drawn only when the hold changes. Esc (unless it only closes
// the keys screen) ends the game.
bool hold_point() {
  hold_poll(KEY_F1);
  if (!hold_active()) return quitting;
  bmPauseSound(1);
  bool changed = true;
  while (hold_active()) {
    if (hold_take_esc() || (key[KEY_ESC] && !hold_swallows(KEY_ESC))) {
      quitting = true;
      break;
    }
    if (changed && hold_state() != HOLD_NONE) bmShowStill(draw_hold);
    hold_rest();
    changed = hold_poll(KEY_F1);
  }
  bmPauseSound(0);
  return quitting;
}

// ---------------------------------------------------------------------------
// Credits

// Brightness of each of the four pictures of the credits at frame t: each
// fades in over 60 frames in steps of 4, holds 60, and fades out while the
// next fades in; the last holds for 180 frames and hands back to the first,
// which stays.
static void credits_levels(int t, int c[4]) {
  int p = t / 60;
  if (p > 7) p--;
  if (p > 7) p--;
  int s = (t % 60) / 4;
  for (int i = 0; i < 4; i++)
    c[i] = p % 8 == 2 * i ? s : p % 8 == 2 * i + 1 ? 14 : p == 2 * i + 2 ? 14 - s : 0;
}

// The colour code of palette entry j at frame t: a grey as bright as the
// pictures whose bits j has.
int credits_code(int t, int j) {
  int c[4];
  credits_levels(t, c);
  int v = ((j & 1) ? c[0] + 1 : 0) + ((j & 2) ? c[1] : 0) + ((j & 4) ? c[2] : 0) + ((j & 8) ? c[3] : 0);
  return (v * 16) & 0xFF;
}

// credits
// "four.bmp" holds four one-bit pictures, one per bit of its pixels; it
// goes into the background plane and the palette shows them in turn. The
// third picture, the keys page, gets the keys in force written in.
void credits() {
  set_gfx2();
  OX = OY = 0;
  place_screen();
  bmp *four = load_bmp1("four.bmp");
  bmp *shown = new_bmp(320, BM_VISIBLE_LINES);
  blit1(four, shown, 0, 0, 0, 0, 320, BM_VISIBLE_LINES);
  destroy_bmp(four);
  draw_keys_lines(shown, CREDITS_KEYS_BIT);
  auto pix = [shown](int x, int y) -> unsigned char { return shown->data[y * shown->w + x] & 0x0F; };
  for (int y = 0; y < BM_VISIBLE_LINES; y++)
    for (int x = 0; x < 160; x++) {
      Plot1((unsigned char)x, (unsigned char)y, pix(2 * x, y), pix(2 * x + 1, y));
      Plot2((unsigned char)x, (unsigned char)y, 0, 0);
    }
  destroy_bmp(shown);
  for (int t = 0; !quitting && !held(PORT_ESC, 0x02) && !held(PORT_SPACE, 0x80); t++) {
    for (int j = 0; j < 16; j++) bmPut8(BM_PALETTE + j, (unsigned char)credits_code(t, j));
    if (t == 718) t = 717;
    bmWait(0);
    if (hold_point()) break;
  }
}

// ---------------------------------------------------------------------------
// Levels

// view_from_player
// The player in the middle of the playfield, 160 pixels from the left and
// 110 from the top, unless that would show beyond the level's edges.
void view_from_player() {
  int x = (int)C[0].x - 160, y = (int)C[0].y - 110;
  int W = 16 * map.w - 320, H = 16 * map.h - VIEW_LINES;
  OX = x < 0 || W < 0 ? 0 : (x < W ? x : W) / 2;
  OY = y < 0 || H < 0 ? 0 : (y < H ? y : H);
}

// play_frame
// Objects are drawn, think, move and touch in that order. An object whose
// move says so is removed at once, the last one taking its place and its
// move; the player's removal ends the level 50 frames later.
int play_frame(level_play &p) {
  if (n_characs > 0 && C[0].kind == K_PLAYER) {
    view_from_player();
    set_bar_h(C[0].hp);
    set_bar_a(C[0].ammo);
  }
  place_screen();
  draw_tiles();
  for (int i = 0; i < n_characs; i++) draw_charac(&C[i]);
  if (int r = run_characs()) {
    p.result = r;
    p.countdown = 50;
  }
  return p.countdown && --p.countdown == 0;
}

// play_map
// A level cut short still plays if its cast can be made; if not, the cut
// is the reason given.
int play_map(int level, int entry) {
  char name[32];
  snprintf(name, sizeof name, "tr%02d.map", level);
  CourseRead got = load_map(name);
  if (!produce_cast(entry)) {
    if (fr) fprintf(fr, "Produce cast failed\n");
    game_fault = got == COURSE_CUT_SHORT
                     ? std::string(name) + " is cut short"
                     : std::string(name) + " has no entry point " + std::to_string(entry) +
                           " (one insertion of code " + std::to_string(10 + entry) + ")";
    return -1;
  }
  if (got == COURSE_CUT_SHORT && fr) fprintf(fr, "\"%s\" is cut short\n", name);
  C[0].hp = (signed char)bar.health;
  C[0].ammo = (signed char)bar.ammunition;
  set_gfx1();
  level_play p = {0, 0};
  while (!quitting && !held(PORT_ESC, 0x02)) {
    if (play_frame(p)) {
      // The player left by a door with no exit point near it.
      if (p.result == -1) game_fault = std::string(name) + " has a door without an exit point";
      return p.result;
    }
    if (hsyncs >= 223)
      bmWait(0);
    else if (fr)
      fprintf(fr, "Too slow!");
    if (hold_point()) break;
  }
  if (fr) fprintf(fr, "Esc");
  return -1;
}

// Why there is no link for code: the table can't be read, it is damaged
// before the link, or it lacks the link.
static std::string missing_link(int code) {
  FILE *f = fopen(HOPS_FILE, "r");
  if (!f) return std::string("Couldn't open file \"") + HOPS_FILE + "\"";
  fclose(f);
  std::string what = code == 0 ? "0 (the start)"
                               : std::to_string(code) + " (level " + std::to_string(code / 10) +
                                     ", exit " + std::to_string(code % 10) + ")";
  std::string s = std::string(HOPS_FILE) + " has no link for " + what;
  if (hops_damaged) s += ": it holds something other than pairs of numbers";
  return s;
}

// level_chain
// Starts where link 0 says; each level left through exit x goes on where
// link level * 10 + x says, until a level ends otherwise or a link is
// missing (a level whose number is too large for a code has no links).
int level_chain(int (*play)(int level, int entry)) {
  int code = 0, result = 0;
  game_fault.clear();
  while (result >= 0) {
    int next = HoPs(code);
    if (next == 0) {
      game_fault = missing_link(code);
      break;
    }
    result = play(next / 10, next % 10);
    long long from = (long long)(next / 10) * 10 + result;
    if (from > INT_MAX) {
      if (result >= 0)
        game_fault = std::string(HOPS_FILE) + " leads to level " + std::to_string(next / 10) +
                     ", too large to have links of its own";
      break;
    }
    code = (int)from;
  }
  return result;
}

// ---------------------------------------------------------------------------
// Winning

// win
// Four treasure icons over the last view; then the two colour halves of
// the picture drift apart, one upward and one sideways, until Esc.
void win() {
  play_music();
  draw_sprite1(bar.item, 300, 300);
  draw_sprite1(bar.item, 400, 300);
  draw_sprite2(bar.item, 300, 250);
  draw_sprite2(bar.item, 400, 250);
  for (int t = 1; !quitting && !held(PORT_ESC, 0x02); t++) {
    for (int y = 0; y < BM_VISIBLE_LINES; y++) {
      bmPut16(2 * y, (unsigned short)((OY + y + t) * 256 + OX));
      bmPut16(480 + 2 * y, (unsigned short)((OY + y) * 256 + OX + t));
    }
    bmWait(0);
    if (hold_point()) break;
  }
}
