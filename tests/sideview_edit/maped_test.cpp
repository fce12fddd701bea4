// maped_test.cpp -- the level editor's keys in both modes, the mouse, load
// and save, undo and redo, the Esc question and the drawing, headless with
// plain tile pictures: tile i is filled with colour i + 1.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "click_latch.h"
#include "edit_history.h"
#include "edit_keys.h"
#include "maped.h"
#include "scratch.h"
#include "tile.h"

namespace {

// Stand-ins for the dialogs and the screen mode: the selector "chooses"
// chosen (or is cancelled when it is empty); alerts and questions are
// counted, questions answered with answer; screen modes are set unless
// they are in refused.
std::string chosen, asked;
int alerts, questions;
bool answer;
int refused_w;
bool fake_select(const char *, char *name, int size) {
  if (chosen.empty()) return false;
  snprintf(name, size, "%s", chosen.c_str());
  return true;
}
void fake_alert(const char *, const char *) { alerts++; }
bool fake_confirm(const char *question) {
  questions++;
  asked = question;
  return answer;
}
bool fake_gfx_mode(int w, int) { return w != refused_w; }

class MapedTest : public ::testing::Test {
 protected:
  Scratch scratch{true};
  void SetUp() override {
    if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(8);
    fr = fopen("report.txt", "w");
    for (int i = 0; i < 256; i++) {
      destroy_bmp(tiles[i].bitmap);
      tiles[i].bitmap = nullptr;
      tiles[i].attribute = 0;
    }
    for (int i = 0; i < N_TILE_PICTURES; i++) {
      tiles[i].bitmap = new_bmp(TILE_SIZE, TILE_SIZE);
      clear(tiles[i].bitmap, i + 1);
    }
    buffer = create_bitmap(640, 480);
    course_default(map);
    OX = OY = CT = 0;
    mouse_x = mouse_y = mouse_b = 0;
    key[KEY_LCONTROL] = key[KEY_RCONTROL] = key[KEY_LSHIFT] = key[KEY_RSHIFT] = 0;
    maped_gfx_mode = fake_gfx_mode;
    maped_select_file = fake_select;
    maped_alert = fake_alert;
    maped_confirm = fake_confirm;
    chosen.clear();
    alerts = questions = 0;
    answer = false;
    refused_w = 0;
    maped_name[0] = '\0';
    maped_mouse();  // ends any stroke an earlier test left open
    maped_start();
  }
  void TearDown() override {
    fclose(fr);
    fr = nullptr;
    destroy_bitmap(buffer);
    buffer = nullptr;
  }

  static bool press(int scancode, int ch = 0) { return maped_key(scancode << 8 | ch); }
  static void undo() { press(KEY_Z, 26); }  // Ctrl+Z: the character is 26
  static void redo() { press(KEY_Y, 25); }
  static void point_at(int x, int y) {
    mouse_x = x;
    mouse_y = y;
  }
  // A button held over one pass.
  static void click(int button) {
    mouse_b = button;
    maped_mouse();
    mouse_b = 0;
    maped_mouse();
  }
  // A click shorter than a pass: pressed and released between two passes.
  static void tap(int button) {
    click_latch_press(button == 1 ? LATCH_LEFT : LATCH_RIGHT);
    mouse_b = 0;
    maped_mouse();
  }
  static void ctrl_click() {
    key[KEY_LCONTROL] = 1;
    click(1);
    key[KEY_LCONTROL] = 0;
  }
  static void add_at(int x, int y, int code) {
    Insertion &in = map.ins[map.n++];
    in.x = x;
    in.y = y;
    in.code = code;
  }
  // A palette file whose slot s is (s / 4, 63 - s / 4, 7).
  static void write_palette() {
    PALETTE p;
    for (int s = 0; s < 256; s++) p[s] = RGB{(unsigned char)(s / 4), (unsigned char)(63 - s / 4), 7, 0};
    BITMAP *b = create_bitmap(8, 8);
    clear_to_color(b, 5);
    ASSERT_EQ(save_pcx("pallette.pcx", b, p), 0);
    destroy_bitmap(b);
  }
};

TEST_F(MapedTest, TileKeysAttributesAndStatusText) {
  CT = 4;
  EXPECT_EQ(status_text(), "Current tile: 4   Attributes:     ");
  for (int k = KEY_F1; k <= KEY_F5; k++) press(k);
  EXPECT_EQ(tiles[4].attribute, 0x1F);
  EXPECT_EQ(status_text(), "Current tile: 4   Attributes: Solid-Top Solid-LRB Ladder Door Hurt");
  press(KEY_F3);
  EXPECT_EQ(status_text(), "Current tile: 4   Attributes: Solid-Top Solid-LRB  Door Hurt");
  tiles[4].attribute |= 0xE0;  // bits without a name
  press(KEY_F8);
  EXPECT_EQ(tiles[4].attribute, 0);
  EXPECT_EQ(status_text(), "Current tile: 4   Attributes:     ");

  CT = 0;
  press(KEY_MINUS);
  EXPECT_EQ(CT, 255);
  press(KEY_EQUALS);
  EXPECT_EQ(CT, 0);
  press(KEY_PGUP);
  EXPECT_EQ(CT, 240);
  CT = 250;
  press(KEY_PGDN);
  EXPECT_EQ(CT, 10);

  press(KEY_RIGHT);
  press(KEY_RIGHT);
  press(KEY_UP);
  EXPECT_EQ(OX, 8);
  EXPECT_EQ(OY, -4);
  press(KEY_LEFT);
  press(KEY_DOWN);
  press(KEY_DOWN);
  EXPECT_EQ(OX, 4);
  EXPECT_EQ(OY, 4);
}

TEST_F(MapedTest, RowsAndColumnsAtTheMouse) {
  OX = OY = 4;
  point_at(3 * 16 - 4, 5 * 16 - 4);  // level pixel (48, 80): tile (3, 5)
  map.t[3][0] = 7;
  map.t[1][6] = 8;
  press(KEY_INSERT);  // column 3 is now there twice
  EXPECT_EQ(map.w, 26);
  EXPECT_EQ(map.t[3][0], 7);
  EXPECT_EQ(map.t[4][0], 7);
  press(KEY_END);  // row 6 moves up into row 5
  EXPECT_EQ(map.h, 24);
  EXPECT_EQ(map.t[1][5], 8);
  press(KEY_DEL);
  press(KEY_HOME);  // and row 5 is there twice
  EXPECT_EQ(map.w, 25);
  EXPECT_EQ(map.h, 25);
  EXPECT_EQ(map.t[1][5], 8);
  EXPECT_EQ(map.t[1][6], 8);

  OX = -1;  // one pixel left of the level: tile column -1, off the level
  point_at(0, 40);
  EXPECT_EQ(mouse_tile_x(), -1);
  EXPECT_FALSE(mouse_in());
  press(KEY_DEL);
  CT = 9;
  click(1);
  EXPECT_EQ(map.w, 25);
  EXPECT_EQ(map.t[0][2], 1);  // nothing painted either
  OX = 0;
  point_at(25 * 16, 0);  // one pixel right of it
  EXPECT_FALSE(mouse_in());

  map.w = map.h = 256;  // a full grid grows no further
  point_at(0, 40);
  press(KEY_INSERT);
  press(KEY_HOME);
  EXPECT_EQ(map.w, 256);
  EXPECT_EQ(map.h, 256);
}

TEST_F(MapedTest, InsertionsAddedTypedMovedCycledAndDeleted) {
  press(KEY_TAB);  // nothing to cycle through
  EXPECT_EQ(CI, -1);
  OX = 20;
  OY = -3;
  point_at(100, 60);
  ctrl_click();  // code 0 at the mouse's level position, selected
  ASSERT_EQ(CI, 0);
  ASSERT_EQ(map.n, 1);
  EXPECT_EQ(map.ins[0].x, 120);
  EXPECT_EQ(map.ins[0].y, 57);
  EXPECT_EQ(map.ins[0].code, 0);
  EXPECT_EQ(status_text(), "Insertion #0: 0 at (120,57)");
  press(KEY_2, '2');
  press(KEY_5, '5');
  EXPECT_EQ(map.ins[0].code, 25);
  press(KEY_BACKSPACE, 8);
  EXPECT_EQ(map.ins[0].code, 2);
  press(KEY_LEFT);
  press(KEY_DOWN);
  press(KEY_DOWN);
  EXPECT_EQ(status_text(), "Insertion #0: 2 at (116,65)");
  EXPECT_EQ(OX, 20);  // the arrows moved the insertion, not the view
  ctrl_click();  // with one selected: no new insertion
  EXPECT_EQ(map.n, 1);
  point_at(100, 100);
  map.t[7][6] = 3;
  click(1);  // nor paint
  EXPECT_EQ(map.t[7][6], 3);

  press(KEY_TAB);
  EXPECT_EQ(CI, -1);
  ctrl_click();
  press(KEY_TAB);
  ctrl_click();
  ASSERT_EQ(map.n, 3);
  map.ins[2].code = 77;
  for (int want : {-1, 0, 1, 2, -1}) {
    press(KEY_TAB);
    EXPECT_EQ(CI, want);
  }
  press(KEY_TAB);
  press(KEY_DEL);  // the last insertion takes slot 0
  EXPECT_EQ(CI, -1);
  ASSERT_EQ(map.n, 2);
  EXPECT_EQ(map.ins[0].code, 77);
  EXPECT_EQ(map.w, 25);  // Del on an insertion deletes no column

  map.n = 256;  // a full level gets no more
  ctrl_click();
  EXPECT_EQ(map.n, 256);
  EXPECT_EQ(CI, -1);
}

TEST_F(MapedTest, RightClickSelectsWithinEightPixelsAndPicks) {
  map.t[6][6] = 77;
  add_at(100, 100, 11);
  add_at(104, 104, 12);
  add_at(96, 104, 13);
  point_at(103, 103);  // 6, 2 and 8 pixels away: the nearest wins
  click(2);
  EXPECT_EQ(CI, 1);
  EXPECT_EQ(CT, 77);
  point_at(100, 106);  // 6 from each of the first two: the first wins
  click(2);
  EXPECT_EQ(CI, 0);
  CT = 0;
  point_at(104, 96);  // 8 or more from each: none, but the tile is picked
  click(2);
  EXPECT_EQ(CI, -1);
  EXPECT_EQ(CT, 77);
  OX = -500;  // off the level: the current tile stays
  click(2);
  EXPECT_EQ(CT, 77);
}

TEST_F(MapedTest, ShortClicksAndHeldStrokes) {
  CT = 9;
  point_at(20, 20);
  tap(1);  // released before the pass: still paints
  EXPECT_EQ(map.t[1][1], 9);
  map.t[3][3] = 44;
  point_at(50, 50);
  tap(2);  // picks
  EXPECT_EQ(CT, 44);
  EXPECT_FALSE(maped_mouse());  // nothing pressed since: nothing acts

  // Held over several passes while the pointer moves: paints every tile on
  // the way, and the whole stroke is one step.
  CT = 5;
  mouse_b = 1;
  for (int x = 4; x <= 8; x++) {
    point_at(x * 16, 32);
    EXPECT_TRUE(maped_mouse());
  }
  mouse_b = 0;
  maped_mouse();
  for (int x = 4; x <= 8; x++) EXPECT_EQ(map.t[x][2], 5);
  undo();
  for (int x = 4; x <= 8; x++) EXPECT_EQ(map.t[x][2], 2);
  EXPECT_EQ(map.t[1][1], 9);  // the tap before is a step of its own
  undo();
  EXPECT_EQ(map.t[1][1], 2);

  key[KEY_RCONTROL] = 1;  // a quick Ctrl-click adds one insertion
  tap(1);
  key[KEY_RCONTROL] = 0;
  EXPECT_EQ(map.n, 1);
  EXPECT_EQ(CI, 0);
}

TEST_F(MapedTest, DrawsTilesInsertionsAndTheBand) {
  map.t[3][5] = 63;
  map.t[4][5] = 64;   // no picture: nothing drawn
  map.t[5][5] = 255;
  add_at(200, 300, 0);
  OX = 8;
  OY = -2;
  draw_editor();
  EXPECT_EQ(getpixel(buffer, 3 * 16 - 8, 5 * 16 + 2), 64);  // tile 63's colour
  EXPECT_EQ(getpixel(buffer, 3 * 16 + 7, 5 * 16 + 17), 64);
  EXPECT_EQ(getpixel(buffer, 4 * 16 - 8 + 7, 5 * 16 + 9), 0);
  EXPECT_EQ(getpixel(buffer, 5 * 16 - 8 + 7, 5 * 16 + 9), 0);
  EXPECT_EQ(getpixel(buffer, 6 * 16 - 8 + 7, 5 * 16 + 9), 3);  // tile 2 inside
  EXPECT_EQ(getpixel(buffer, 25 * 16 - 8, 100), 0);  // right of the level
  EXPECT_EQ(getpixel(buffer, 0, 49), 2);  // the border, scrolled half a tile
  // The insertion: a ring of 211 round a centre of the background colour.
  EXPECT_EQ(getpixel(buffer, 192, 302), 0);
  EXPECT_EQ(getpixel(buffer, 194, 302), 211);
  EXPECT_EQ(getpixel(buffer, 190, 302), 211);
  EXPECT_EQ(getpixel(buffer, 192, 304), 211);

  // The band: 48 rows of background, the current tile's picture at (1, 1)
  // and the text in 200 from (31, 10).
  auto count = [](int x0, int y0, int x1, int y1, int colour) {
    int n = 0;
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++) n += getpixel(buffer, x, y) == colour;
    return n;
  };
  EXPECT_EQ(count(0, 0, 639, 48, 2), 0);  // no tile shows through
  EXPECT_EQ(count(1, 1, 16, 16, 1), 256);  // tile 0's picture
  EXPECT_GT(count(31, 10, 400, 17, 200), 100);
  EXPECT_EQ(count(0, 18, 639, 48, 200), 0);
  CT = 100;  // no picture: the band stays clear there
  draw_editor();
  EXPECT_EQ(count(1, 1, 16, 16, 0), 256);
}

TEST_F(MapedTest, ScreenModesKeepTheLevelAndThePalette) {
  write_palette();
  ASSERT_TRUE(set_video_mode(640, 480));
  EXPECT_EQ(pal[200].r, 50);
  EXPECT_EQ(pal[200].g, 13);
  gui_fg_color = 0;
  press(KEY_F11);
  EXPECT_EQ(gui_fg_color, 211);  // the dialogs' text stays readable
  ASSERT_EQ(buffer->w, 320);
  ASSERT_EQ(buffer->h, 200);
  draw_editor();
  for (int y = 0; y < 20; y++) EXPECT_EQ(getpixel(buffer, 300, y), 0) << y;
  EXPECT_EQ(getpixel(buffer, 300, 21), 3);  // the level shows below the band
  EXPECT_EQ(getpixel(buffer, 390, 21), -1);  // and the picture ends at 320
  remove("pallette.pcx");  // gone meanwhile: the palette read before stays
  press(KEY_F12);
  EXPECT_EQ(buffer->w, 640);
  EXPECT_EQ(pal[200].r, 50);
  EXPECT_EQ(alerts, 0);
  refused_w = 320;  // a mode that can't be set: the one before again
  press(KEY_F11);
  EXPECT_EQ(alerts, 1);
  EXPECT_EQ(buffer->w, 640);
}

TEST_F(MapedTest, LoadAndSaveKeepWorkWhenTheyFail) {
  map.t[5][5] = 42;
  tiles[3].attribute = LADDER;
  add_at(1, 2, 11);
  CI = 0;
  snprintf(maped_name, MAPED_NAME_SIZE, "mine.map");
  chosen = "missing.map";
  press(KEY_L);
  EXPECT_EQ(alerts, 1);
  EXPECT_EQ(CI, -1);
  EXPECT_EQ(map.t[5][5], 42);
  EXPECT_EQ(map.n, 1);
  EXPECT_STREQ(maped_name, "mine.map");  // still saved where it came from
  fflush(fr);
  std::vector<unsigned char> log = slurp("report.txt");
  EXPECT_EQ(std::string(log.begin(), log.end()), "Couldn't open file \"missing.map\"\n");

  chosen = "new.map";
  press(KEY_S);
  EXPECT_EQ(slurp("new.map").size(), 6u + 25 * 25 + 12);
  std::vector<unsigned char> attr = slurp("tileattr.wz");
  ASSERT_EQ(attr.size(), 256u);
  EXPECT_EQ(attr[3], LADDER);
  map.t[5][5] = 0;
  press(KEY_L);
  EXPECT_EQ(map.t[5][5], 42);
  EXPECT_EQ(alerts, 1);

  chosen.clear();  // cancelled: nothing happens
  press(KEY_S);
  press(KEY_L);
  EXPECT_EQ(alerts, 1);
  chosen = "no/such/folder/x.map";
  press(KEY_S);
  EXPECT_EQ(alerts, 2);
  EXPECT_EQ(access("no", F_OK), -1);
}

TEST_F(MapedTest, UndoAndRedoEveryKindOfChange) {
  static Map before, after;
  before = map;
  point_at(5 * 16, 6 * 16);
  CT = 7;
  click(1);
  press(KEY_INSERT);
  press(KEY_F2);
  press(KEY_F8);
  ctrl_click();
  press(KEY_3, '3');
  press(KEY_RIGHT);
  press(KEY_DEL);
  press(KEY_Z, 'z');  // Z alone: nothing
  EXPECT_EQ(history_undo_steps(), 8);
  after = map;

  undo();  // the deletion
  ASSERT_EQ(map.n, 1);
  EXPECT_EQ(map.ins[0].x, 5 * 16 + 4);
  undo();
  EXPECT_EQ(map.ins[0].x, 5 * 16);
  EXPECT_EQ(map.ins[0].code, 3);
  undo();
  EXPECT_EQ(map.ins[0].code, 0);
  undo();
  EXPECT_EQ(map.n, 0);
  undo();
  EXPECT_EQ(tiles[7].attribute, SOLID_LRB);
  undo();
  EXPECT_EQ(tiles[7].attribute, 0);
  undo();
  EXPECT_EQ(map.w, 25);
  EXPECT_EQ(map.t[5][6], 7);
  undo();
  EXPECT_EQ(memcmp(&map, &before, sizeof map), 0);
  undo();  // nothing more
  EXPECT_EQ(memcmp(&map, &before, sizeof map), 0);

  for (int i = 0; i < 5; i++) redo();
  EXPECT_EQ(map.n, 1);
  EXPECT_EQ(tiles[7].attribute, 0);
  key[KEY_LSHIFT] = 1;
  for (int i = 0; i < 3; i++) press(KEY_Z, 26);  // Ctrl+Shift+Z redoes too
  key[KEY_LSHIFT] = 0;
  EXPECT_EQ(memcmp(&map, &after, sizeof map), 0);
  EXPECT_EQ(CI, -1);

  // An undo that takes away the selected insertion leaves insertion mode.
  ctrl_click();
  ASSERT_EQ(CI, 0);
  undo();
  EXPECT_EQ(CI, -1);
  EXPECT_EQ(status_text().rfind("Current tile", 0), 0u);
}

TEST_F(MapedTest, EscAsksOnlyWhenSomethingIsUnsaved) {
  EXPECT_FALSE(press(KEY_ESC));  // nothing changed: leaves at once
  EXPECT_EQ(questions, 0);

  press(KEY_F5);  // an attribute counts as a change
  EXPECT_TRUE(press(KEY_ESC));  // No: back to the editor
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(asked, "Leave without saving?");
  EXPECT_EQ(tiles[0].attribute, HURT);
  answer = true;
  EXPECT_FALSE(press(KEY_ESC));  // Yes: leaves
  press(KEY_F5);  // back to what was loaded: nothing to ask
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(questions, 2);

  point_at(64, 64);
  press(KEY_HOME);
  chosen = "saved.map";
  press(KEY_S);
  EXPECT_FALSE(press(KEY_ESC));  // saved
  ctrl_click();
  chosen = "no/such/folder/x.map";
  press(KEY_S);  // a failed save leaves it unsaved
  answer = false;
  EXPECT_TRUE(press(KEY_ESC));
  EXPECT_EQ(questions, 3);
  chosen = "saved.map";
  press(KEY_L);  // a load: nothing unsaved, no history
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(questions, 3);
  EXPECT_EQ(history_undo_steps(), 0);
}
TEST_F(MapedTest, KeysScreenOnF10UntilAnyKey) {
  press(KEY_F2);  // a change, so Esc would ask
  EXPECT_TRUE(press(KEY_F10));
  EXPECT_TRUE(keys_shown);
  draw_editor();
  EXPECT_EQ(getpixel(buffer, 320, 240), 0);  // the box over the level
  CT = 9;
  point_at(320, 240);
  tap(1);  // a click on the keys paints nothing
  EXPECT_NE(map.t[20][15], 9);
  EXPECT_TRUE(press(KEY_ESC));  // only closes the keys
  EXPECT_FALSE(keys_shown);
  EXPECT_EQ(questions, 0);
  undo();  // F10 is no edit: one undo takes back the F2
  EXPECT_EQ(tiles[0].attribute, 0);
}

TEST(EditKeys, TheListFitsTheSmallScreen) {
  std::vector<KeyHelp> lines = sideview_edit_keys();
  EXPECT_EQ(key_screen_layout((int)lines.size(), 200).columns, 1);
  for (const KeyHelp &l : lines) EXPECT_LE(l.keys.size() + l.action.size(), 35u) << l.keys;
}

}  // namespace
