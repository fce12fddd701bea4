// datafile.cpp -- topdown's start-up checks of "data.dat" on any table of
// objects: check_datafile must refuse a datafile with objects missing or of
// the wrong type, and the program must draw with any datafile it accepts,
// whatever the sizes of its pictures: the title, the tiles, every kind of
// character in the game, the heads-up display and the editor's screen.
//
// The bytes say how many objects there are, their types and the sizes of
// the pictures; the objects are made in memory (Allegro's own reader of
// datafiles is not what is tested here).
#include <cstring>
#include <vector>

#include "fuzz.h"
#include "game.h"
#include "headless.h"
#include "maped.h"
#include "menu.h"
#include "share.h"

static BITMAP *shown;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  headless_datafile();  // Allegro headless at 16 bits, the colours
  buf = create_bitmap(160, 120);
  shown = create_bitmap(160, 120);
  return 0;
}

// The bytes, one at a time; 0 once they run out.
struct Bytes {
  const uint8_t *p;
  size_t left;
  int next() {
    if (!left) return 0;
    left--;
    return *p++;
  }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  Bytes in{data, size};
  // Mostly the objects the program wants; the bytes change some of them.
  int count = N_OBJECTS - 8 + in.next() % 16;
  std::vector<DATAFILE> d(count + 1);
  std::vector<BITMAP *> made;
  for (int i = 0; i < count; i++) {
    int want = i == OBJ_FONT ? DAT_FONT : i == OBJ_MUSIC ? DAT_MIDI : DAT_BITMAP;
    int what = in.next();
    int type = what < 240 ? want : (what & 3) == 0 ? DAT_FONT : (what & 3) == 1 ? DAT_MIDI
                                 : (what & 3) == 2 ? DAT_BITMAP : DAT_DATA;
    void *dat = nullptr;
    if (type == DAT_BITMAP && what < 200) {
      // The usual picture: 32 x 32, made once for each index.
      static BITMAP *usual[N_OBJECTS + 16];
      if (!usual[i]) {
        usual[i] = create_bitmap(32, 32);
        clear_to_color(usual[i], makecol(i, 255 - i, 128));
      }
      dat = usual[i];
    } else if (type == DAT_BITMAP) {
      BITMAP *b = create_bitmap(1 + in.next() % 80, 1 + in.next() % 80);
      clear_to_color(b, makecol(i, 255 - i, what));
      made.push_back(b);
      dat = b;
    } else if (type == DAT_FONT) {
      dat = font;
    }
    d[i] = {dat, type, 0, nullptr};
  }
  d[count] = {nullptr, DAT_END, 0, nullptr};

  const char *why = check_datafile(d.data());
  bool complete = count >= N_OBJECTS;
  for (int i = 1; i < N_OBJECTS && complete; i++) {
    if (i == 16 || i == 18 || i == 20) continue;
    int want = i == OBJ_FONT ? DAT_FONT : i == OBJ_MUSIC ? DAT_MIDI : DAT_BITMAP;
    complete = d[i].type == want;
  }
  FUZZ_CHECK(!why == complete);
  if (!why) {
    D = d.data();
    // The menu over the title picture.
    BITMAP *menu_bmp = create_bitmap(500, 200);
    menu_font = (FONT *)D[OBJ_FONT].dat;
    main_menu_build(3);
    main_menu_draw(menu_bmp, (BITMAP *)D[OBJ_TITLE].dat);
    main_menu_destroy();
    destroy_bitmap(menu_bmp);
    // A game with a character of every kind, and its frame.
    memset(&map, 0, sizeof map);
    course_default(map);
    for (int x = 0; x < 25; x++) map.t[x][x] = (unsigned char)(x * 11);
    n_players = 1 + (size & 1);
    n_characs = 0;
    for (int k = KIND_WALKER; k <= KIND_WHIRL; k++)
      for (int s = 0; s < 6; s++) {
        add_charac(60 + 20 * s, 60 + 10 * k, k);
        C[n_characs - 1].sub = s;
      }
    C[1].kind = KIND_WALKER;
    make_game_bitmaps();
    t1 = 3;
    t2 = 0;
    while (t2 < t1) logic_step();
    draw_frame(shown);
    free_game_bitmaps();
    n_characs = 0;
    // The editor's screen at each scale.
    for (int s = 1; s <= 4; s *= 2) {
      scale = s;
      draw_editor();
    }
    scale = 1;
    D = nullptr;
  }
  for (BITMAP *b : made) destroy_bitmap(b);
  return 0;
}
