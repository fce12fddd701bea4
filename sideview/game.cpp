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
#include "log.h"
#include "music.h"
#include "object.h"
#include "tile.h"
#include "video.h"

int hsyncs;
int status_bar;
int OX, OY;

static const char *HOPS_FILE = "hops.txt";

// Reads the next whitespace-separated integer of f into v; false at the
// end of the file or at text that is not an integer. Values beyond int
// stop at its limits.
static bool read_int(FILE *f, int &v) {
  int ch;
  do ch = getc(f);
  while (ch != EOF && isspace(ch));
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
    while (read_int(f, from) && read_int(f, to))
      if (from == code) {
        result = to;
        break;
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

// init
void init() {
  fr = fopen("report.txt", "w");
  music_init();
  tiles_init();
  sprites_init();
  if (bmSetup() != 0) fail("Couldn't set up the machine: no memory for it");
  bmSetCallBack(0, on_vsync);
  bmSetCallBack(1, on_hsync);
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
// goes into the background plane and the palette shows them in turn.
void credits() {
  set_gfx2();
  OX = OY = 0;
  place_screen();
  bmp *four = load_bmp1("four.bmp");
  auto pix = [four](int x, int y) -> unsigned char {
    return x < four->w && y < four->h ? four->data[y * four->w + x] & 0x0F : 0;
  };
  for (int y = 0; y < BM_VISIBLE_LINES; y++)
    for (int x = 0; x < 160; x++) {
      Plot1((unsigned char)x, (unsigned char)y, pix(2 * x, y), pix(2 * x + 1, y));
      Plot2((unsigned char)x, (unsigned char)y, 0, 0);
    }
  destroy_bmp(four);
  for (int t = 0; !held(PORT_ESC, 0x02) && !held(PORT_SPACE, 0x80); t++) {
    for (int j = 0; j < 16; j++) bmPut8(BM_PALETTE + j, (unsigned char)credits_code(t, j));
    if (t == 718) t = 717;
    bmWait(0);
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
  for (int i = 0; i < n_characs; i++) think_charac(&C[i]);
  for (int i = 0; i < n_characs;) {
    int r = move_charac(&C[i]);
    if (!r) {
      i++;
      continue;
    }
    if (C[i].kind == K_PLAYER) {
      p.result = r;
      p.countdown = 50;
    }
    C[i] = C[--n_characs];
  }
  for (int i = 0; i < n_characs; i++)
    for (int j = i + 1; j < n_characs; j++) two_body(&C[i], &C[j]);
  return p.countdown && --p.countdown == 0;
}

// play_map
int play_map(int level, int entry) {
  char name[32];
  snprintf(name, sizeof name, "tr%02d.map", level);
  load_map(name);
  if (!produce_cast(entry)) {
    if (fr) fprintf(fr, "Produce cast failed\n");
    return -1;
  }
  C[0].hp = (signed char)bar.health;
  C[0].ammo = (signed char)bar.ammunition;
  set_gfx1();
  level_play p = {0, 0};
  while (!held(PORT_ESC, 0x02)) {
    if (play_frame(p)) return p.result;
    if (hsyncs >= 223)
      bmWait(0);
    else if (fr)
      fprintf(fr, "Too slow!");
  }
  if (fr) fprintf(fr, "Esc");
  return -1;
}

// level_chain
// Starts where link 0 says; each level left through exit x goes on where
// link level * 10 + x says, until a level ends otherwise or a link is
// missing (a level whose number is too large for a code has no links).
int level_chain(int (*play)(int level, int entry)) {
  int code = 0, result = 0, next;
  while (result >= 0 && (next = HoPs(code)) != 0) {
    result = play(next / 10, next % 10);
    long long from = (long long)(next / 10) * 10 + result;
    if (from > INT_MAX) break;
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
  for (int t = 1; !held(PORT_ESC, 0x02); t++) {
    for (int y = 0; y < BM_VISIBLE_LINES; y++) {
      bmPut16(2 * y, (unsigned short)((OY + y + t) * 256 + OX));
      bmPut16(480 + 2 * y, (unsigned short)((OY + y) * 256 + OX + t));
    }
    bmWait(0);
  }
}
