// maped_test.cpp -- the level editor's keys in both modes, the mouse, load
// and save, undo and redo, the Esc question and the drawing, headless with
// plain tile pictures: tile i is filled with colour i + 1.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "click_latch.h"
#include "edit_history.h"
#include "edit_keys.h"
#include "maped.h"
#include "scratch.h"
#include "status_note.h"
#include "tile.h"
#include "editor_test.h"  // after maped.h: the stand-ins, keys and mouse

namespace {

// The screen mode's stand-in: modes are set unless they are refused.
int refused_w;
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
    use_stand_ins();
    maped_gfx_mode = fake_gfx_mode;
    refused_w = 0;
    maped_mouse();  // ends any stroke an earlier test left open
    maped_start();
  }
  void TearDown() override {
    fclose(fr);
    fr = nullptr;
    destroy_bitmap(buffer);
    buffer = nullptr;
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
  check_rows_and_columns_at_the_mouse();

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
  check_tab_cycles_and_del_deletes(77);

  map.n = 256;  // a full level gets no more
  ctrl_click();
  EXPECT_EQ(map.n, 256);
  EXPECT_EQ(CI, -1);
}

TEST_F(MapedTest, RightClickSelectsWithinEightPixelsAndPicks) {
  map.t[6][6] = 77;  // the tile under (100, 100)
  check_right_click_selects_within_eight_pixels();
  OX = -500;  // off the level: the current tile stays
  click(2);
  EXPECT_EQ(CT, 77);
}

TEST_F(MapedTest, ShortClicksAndHeldStrokes) {
  check_short_clicks_and_held_strokes(16, 44, KEY_RCONTROL);
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

TEST_F(MapedTest, RingsJustOffTheRightAndBottomEdgesStillShowTheirNearSide) {
  add_at(641, 300, 0);  // centre one pixel off the right edge
  add_at(300, 481, 0);  // and off the bottom
  draw_editor();
  EXPECT_EQ(getpixel(buffer, 639, 300), 211);
  EXPECT_EQ(getpixel(buffer, 300, 479), 211);
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
  check_failed_load_keeps_work();

  chosen = "new.map";
  press(KEY_S);
  EXPECT_EQ(slurp("new.map").size(), 6u + 25 * 25 + 12);
  std::vector<unsigned char> attr = slurp("tileattr.wz");
  ASSERT_EQ(attr.size(), 256u);
  EXPECT_EQ(attr[3], LADDER);
  map.t[5][5] = 0;
  answer_key = 'd';  // the change given up for the file's level
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

  check_steps_undone(16, 0, 3, tiles[7].attribute, SOLID_LRB, 5, 7, before);

  for (int i = 0; i < 5; i++) redo();
  EXPECT_EQ(map.n, 1);
  EXPECT_EQ(tiles[7].attribute, 0);
  check_redone_to(after);
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
  EXPECT_TRUE(asked.empty());

  press(KEY_F5);  // an attribute counts as a change
  EXPECT_TRUE(press(KEY_ESC));  // Esc again: Cancel, back to the editor
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].line1, "Save the changes to the new level?");
  for (int k : {int(ENTER), int(SPACE)}) {  // no name yet: these cancel too
    answer_key = k;
    EXPECT_TRUE(press(KEY_ESC));
  }
  EXPECT_EQ(tiles[0].attribute, HURT);
  answer_key = 'd';  // Discard: leaves
  EXPECT_FALSE(press(KEY_ESC));
  press(KEY_F5);  // back to what was loaded: nothing to ask
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(asked.size(), 4u);

  point_at(64, 64);
  press(KEY_HOME);
  chosen = "saved.map";
  press(KEY_S);
  EXPECT_FALSE(press(KEY_ESC));  // saved
  EXPECT_EQ(status_text().rfind("Current tile", 0), 0u);
  EXPECT_EQ(note_text(), "Saved saved.map");
  ctrl_click();
  answer_key = ENTER;  // Esc then Enter: saved under its name, then leaves
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(slurp("saved.map").size(), 6u + 25 * 26 + 12);
  press(KEY_TAB);  // back to the tiles, and a change
  press(KEY_F1);
  snprintf(maped_name, MAPED_NAME_SIZE, "no/such/folder/x.map");
  EXPECT_TRUE(press(KEY_ESC));  // a save that fails keeps the editor open
  EXPECT_EQ(alerts, 1);
  EXPECT_EQ(asked.size(), 6u);
}

// The fault of old: F3, a load, Esc left the program with the attribute
// change never written. A load reads the level but not "tileattr.wz".
TEST_F(MapedTest, AttributeEditsStayUnsavedAcrossALoad) {
  std::vector<unsigned char> attr(256, 0);
  ASSERT_TRUE(spit("tileattr.wz", attr));
  ASSERT_TRUE(course_write("tr01.map", map));
  press(KEY_F3);  // tile 0 gets the ladder bit
  chosen = "tr01.map";
  press(KEY_L);  // the level itself is unchanged: loaded without a question
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(tiles[0].attribute, LADDER);
  EXPECT_TRUE(press(KEY_ESC));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].line1, "Save the changes to tr01.map?");
  EXPECT_EQ(slurp("tileattr.wz"), attr);
  undo();  // the load began a new history: nothing to undo
  EXPECT_EQ(tiles[0].attribute, LADDER);
  answer_key = ENTER;
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(slurp("tileattr.wz")[0], LADDER);

  // A painted tile and a load: asked, and Cancel keeps it.
  point_at(40, 40);
  CT = 7;
  click(1);
  answer_key = ESC;
  press(KEY_L);
  EXPECT_EQ(map.t[2][2], 7);
  EXPECT_EQ(asked.size(), 3u);
}

TEST_F(MapedTest, RefusesFilesThatAreNotLevels) {
  map.t[4][4] = 9;
  check_saves_refused({{"tileattr.wz", std::vector<unsigned char>(256, 3)},
                       {"hops.txt", {'0', ' ', '1', '0', '\n'}},
                       {"tiles.bmp", {'B', 'M', 0x36, 0x10, 0, 0, 0, 0}}});
  EXPECT_EQ(alerted, "Not saved: tiles.bmp is not a level. / its header says 16973 tiles "
                     "wide (most is 256)");
  EXPECT_EQ(maped_name[0], '\0');
  chosen = "tileattr.wz";
  press(KEY_L);
  EXPECT_EQ(alerted, "tileattr.wz is not a level: / its header says 771 tiles wide (most is "
                     "256)");
  EXPECT_EQ(map.t[4][4], 9);
  EXPECT_TRUE(asked.empty());

  // The level written, "tileattr.wz" not: the alert says exactly that.
  ASSERT_EQ(0, mkdir("tileattr.wz.tmp", 0755));
  chosen = "mine.map";
  press(KEY_S);
  EXPECT_EQ(alerted, "The level is saved as mine.map, / but tileattr.wz couldn't be written.");
  EXPECT_EQ(slurp("mine.map").size(), 631u);
  EXPECT_EQ(note_text(), "Saved mine.map");
  rmdir("tileattr.wz.tmp");
  chosen = "other.map";
  ASSERT_TRUE(course_write("other.map", map));
  answer_key = ENTER;
  press(KEY_S);  // another level: asked, and Enter is No
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].line1, "other.map is another level.");
  EXPECT_STREQ(maped_name, "mine.map");
}

TEST_F(MapedTest, CtrlClickOutsideTheLevelAddsNothing) {
  for (int x : {-1, 25 * 16}) {
    OX = x < 0 ? -1 : 0;
    point_at(x < 0 ? 0 : x, 40);
    ctrl_click();
  }
  OX = 0;
  point_at(100, 25 * 16 + 3);
  ctrl_click();
  EXPECT_EQ(map.n, 0);
  point_at(100, 100);
  ctrl_click();
  EXPECT_EQ(map.n, 1);
}

TEST_F(MapedTest, SavedNoteBelowTheTextOrInItsPlace) {
  static long long now;
  long long (*real)() = note_clock_ms;
  note_clock_ms = [] { return now; };
  auto text_pixels = [](int y0, int y1) {
    draw_editor();
    int n = 0;
    for (int y = y0; y < y1; y++)
      for (int x = 31; x < 300; x++) n += getpixel(buffer, x, y) == 200;
    return n;
  };
  int plain = text_pixels(10, 18);
  chosen = "tr07.map";
  press(KEY_S);
  EXPECT_GT(text_pixels(28, 36), 20);  // a second line in the 48-pixel band
  EXPECT_EQ(text_pixels(10, 18), plain);
  now += NOTE_MILLISECONDS;
  EXPECT_EQ(text_pixels(28, 36), 0);
  press(KEY_S);
  destroy_bitmap(buffer);  // a 320 x 200 screen: a 20-pixel band, one line
  buffer = create_bitmap(320, 200);
  EXPECT_NE(text_pixels(10, 18), plain);
  EXPECT_EQ(text_pixels(19, 20), 0);
  now += NOTE_MILLISECONDS;
  EXPECT_EQ(text_pixels(10, 18), plain);
  note_clock_ms = real;
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
  EXPECT_TRUE(asked.empty());
  undo();  // F10 is no edit: one undo takes back the F2
  EXPECT_EQ(tiles[0].attribute, 0);
}

TEST(EditKeys, TheListFitsTheSmallScreen) {
  std::vector<KeyHelp> lines = sideview_edit_keys();
  EXPECT_EQ(key_screen_layout((int)lines.size(), 200).columns, 1);
  for (const KeyHelp &l : lines) EXPECT_LE(l.keys.size() + l.action.size(), 35u) << l.keys;
}

}  // namespace
