// maped_test.cpp -- the course editor's keys, mouse, clipboard, insertions,
// load and save and drawing, headless with a fake datafile.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "click_latch.h"
#include "edit_history.h"
#include "headless_test.h"
#include "maped.h"
#include "scratch.h"
#include "share.h"
#include "status_note.h"
#include "editor_test.h"  // after maped.h: the stand-ins, keys and mouse

namespace {

class MapedTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    course_default(map);
    CT = 0;
    memset(tile_attr, 0, sizeof tile_attr);  // other tests of this program set them
    CI = -1;
    scale = 1;
    selON = false;
    selL = selR = selU = selD = selW = selH = 0;
    use_stand_ins();
    note_clear();
    click_latch_clear();
    keys_shown = false;
    maped_mouse();  // ends any stroke an earlier test left open
    history_reset(map, tile_attr);  // as the editor does when it opens
  }
};

TEST_F(MapedTest, InsertionsAddedTypedCycledAndDeleted) {
  press(KEY_TAB);  // nothing to cycle through
  EXPECT_EQ(CI, -1);
  point_at(100, 100);
  ctrl_click();  // code 0 at the pointer, selected
  ASSERT_EQ(CI, 0);
  EXPECT_EQ(map.ins[0].x, 100);
  press(KEY_2, '2');
  press(KEY_5, '5');
  EXPECT_EQ(map.ins[0].code, 25);
  press(KEY_BACKSPACE, 8);
  EXPECT_EQ(map.ins[0].code, 2);
  EXPECT_EQ(map.n, 1);  // '2' typed a digit; it added no player start

  press(KEY_TAB);
  EXPECT_EQ(CI, -1);
  point_at(40, 50);
  press(KEY_R);
  EXPECT_EQ(map.ins[1].code, 20);
  CI = -1;
  press(KEY_P);
  EXPECT_EQ(map.ins[2].code, 53);
  check_tab_cycles_and_del_deletes(53);

  map.n = 256;  // a full course gets no more
  press(KEY_1);
  ctrl_click(KEY_RCONTROL);
  EXPECT_EQ(map.n, 256);
  EXPECT_EQ(CI, -1);
}

TEST_F(MapedTest, RightClickSelectsWithinEightPixelsAndPicks) {
  map.t[3][3] = 77;  // the tile under (100, 100)
  check_right_click_selects_within_eight_pixels();
}

TEST_F(MapedTest, RowsColumnsAndAttributesAtTheMouse) {
  point_at(3 * 32, 5 * 32);
  check_rows_and_columns_at_the_mouse();
  point_at(30 * 32, 0);  // off the course: no grid edit
  press(KEY_DEL);
  EXPECT_EQ(map.w, 25);
  map.w = map.h = 256;  // a full grid grows no further
  press(KEY_INSERT);
  press(KEY_HOME);
  EXPECT_EQ(map.w, 256);
  EXPECT_EQ(map.h, 256);

  CT = 4;
  for (int k = KEY_F1; k <= KEY_F6; k++) press(k);
  EXPECT_EQ(tile_attr[4], 0x3F);
  press(KEY_F3);
  EXPECT_EQ(tile_attr[4], 0x3B);
  press(KEY_F9);
  EXPECT_EQ(tile_attr[4], Dry);
}

TEST_F(MapedTest, CurrentTileWrapsAndScaleKeepsCentre) {
  press(KEY_MINUS);
  EXPECT_EQ(CT, 255);
  CT = 250;
  press(KEY_PGDN);
  EXPECT_EQ(CT, 10);

  set_scale(2);
  EXPECT_EQ(OX, -320);
  EXPECT_EQ(OY, -240);
  press(KEY_RIGHT);  // scrolling moves 16 screen pixels
  EXPECT_EQ(OX, -320 + 32);
  press(KEY_Z);
  EXPECT_EQ(OX, -320 + 32 + 320);
  EXPECT_EQ(OY, 0);
}

TEST_F(MapedTest, ArrowsScrollSixteenScreenPixelsAtEveryScale) {
  for (int s : {2, 4}) {
    set_scale(s);
    int ox = OX, oy = OY;
    press(KEY_LEFT);
    EXPECT_EQ(OX, ox - 16 * s) << "scale " << s;
    press(KEY_RIGHT);
    EXPECT_EQ(OX, ox) << "scale " << s;
    press(KEY_UP);
    EXPECT_EQ(OY, oy - 16 * s) << "scale " << s;
    press(KEY_DOWN);
    EXPECT_EQ(OY, oy) << "scale " << s;
  }
}

TEST_F(MapedTest, MouseJustLeftOfCourseCountsAsOnIt) {
  OX = -31;
  point_at(0, 40);
  EXPECT_TRUE(mouse_in());
  CT = 9;
  click(1);
  EXPECT_EQ(map.t[0][1], 9);
  OX = -32;
  EXPECT_FALSE(mouse_in());
}

TEST_F(MapedTest, CopyAndPasteClipToCourse) {
  for (int x = 0; x < 25; x++)
    for (int y = 0; y < 25; y++) map.t[x][y] = x * 10 + y;
  selL = -3;  // corners beyond the course are clipped
  selU = 22;
  selR = 1;
  selD = 40;
  press(KEY_C);
  EXPECT_EQ(selW, 1);
  EXPECT_EQ(selH, 2);
  point_at(24 * 32, 0);  // only the clipboard's left column fits
  press(KEY_V);
  EXPECT_EQ(map.t[24][0], 22);
  EXPECT_EQ(map.t[24][2], 24);
  EXPECT_EQ(map.t[23][0], 230);
  OX = -32;  // target corner at column -1: the clipboard's corner follows
  point_at(0, 32 * 5);
  press(KEY_V);
  EXPECT_EQ(map.t[0][5], 22);

  // A rectangle set the wrong way round copies nothing and pastes nothing.
  selL = 5;
  selR = 4;
  sel[0] = 99;
  press(KEY_C);
  EXPECT_LT(selW, 0);
  EXPECT_EQ(sel[0], 99);
  point_at(32 * 10, 32 * 10);
  press(KEY_V);
  EXPECT_EQ(map.t[10][10], 110);
}

TEST_F(MapedTest, FailedLoadAndSaveKeepWork) {
  map.t[5][5] = 42;
  add_at(1, 2, 11);
  check_failed_load_keeps_work();

  chosen = "new.map";
  press(KEY_S);
  map.t[5][5] = 0;
  answer_key = 'd';  // the change given up for the file's course
  press(KEY_L);
  EXPECT_EQ(map.t[5][5], 42);
  EXPECT_EQ(alerts, 1);
  chosen = "no/such/folder/x.map";
  press(KEY_S);
  EXPECT_EQ(alerts, 2);
}


TEST_F(MapedTest, ItemMarkerLetters) {
  int white = makecol(255, 255, 255);
  add_at(100, 200, 57);  // an item without a letter
  add_at(300, 200, 53);  // the access item: "P"
  draw_editor();
  auto whites = [&](int cx, int cy) {
    int n = 0;
    for (int y = cy - 4; y < cy + 4; y++)
      for (int x = cx - 4; x < cx + 4; x++) n += getpixel(buf, x, y) == white;
    return n;
  };
  EXPECT_EQ(getpixel(buf, 100, 200), makecol(0, 0, 255));
  EXPECT_EQ(whites(100, 200), 0);
  EXPECT_GT(whites(300, 200), 0);
}

TEST_F(MapedTest, ShortClicksAndHeldButtons) {
  check_short_clicks_and_held_strokes(32, 77, KEY_LCONTROL);
}

TEST_F(MapedTest, OutlineOnlyWhereItsTilesLieOnTheCourse) {
  selL = 20;
  selR = 24;
  selU = 5;
  selD = 10;
  selON = true;
  point_at(21 * 32, 0);
  press(KEY_DEL);  // two columns deleted under the selection: width 23
  press(KEY_DEL);
  ASSERT_EQ(map.w, 23);
  OX = 400;
  draw_editor();
  auto dot = [](int x, int y) {
    return getpixel(buf, x * 32 - OX + 8, y * 32 - OY + 8);
  };
  EXPECT_EQ(dot(20, 7), col_magenta);  // left edge, on the course
  EXPECT_EQ(dot(21, 5), col_green);    // top edge, on the course
  EXPECT_EQ(dot(23, 5), 0);            // beyond the course: nothing
  EXPECT_EQ(dot(24, 7), 0);
  EXPECT_EQ(dot(24, 10), 0);
  map.h = 8;  // and below it
  draw_editor();
  EXPECT_EQ(dot(20, 7), col_magenta);
  EXPECT_EQ(dot(20, 10), 0);
  EXPECT_EQ(dot(21, 10), 0);
}

TEST_F(MapedTest, EscAsksOnlyWhenSomethingIsUnsaved) {
  EXPECT_FALSE(press(KEY_ESC));  // nothing changed: leaves at once
  EXPECT_TRUE(asked.empty());

  snprintf(maped_name, MAPED_NAME_SIZE, "m07.map");
  press(KEY_F2);  // an attribute counts as a change
  for (int k : {int(ESC), int('c'), int('y'), int('n')}) {
    answer_key = k;  // Cancel, or a key that answers nothing: back to the editor
    EXPECT_TRUE(press(KEY_ESC)) << k;
  }
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].line1, "Save the changes to m07.map?");
  EXPECT_EQ(tile_attr[0], Dry);
  answer_key = 'd';  // Discard: leaves, and writes nothing
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_TRUE(slurp("m07.map").empty());
  EXPECT_TRUE(slurp("tileattr.wz").empty());

  answer_key = ENTER;  // Esc then Enter: saved, then leaves
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(slurp("m07.map").size(), 631u);
  EXPECT_EQ(slurp("tileattr.wz")[0], Dry);
  EXPECT_EQ(note_text(), "Saved m07.map");
  EXPECT_FALSE(press(KEY_ESC));  // all saved: no question
  EXPECT_EQ(asked.size(), 6u);
  point_at(64, 64);
  press(KEY_HOME);
  answer_key = SPACE;  // Esc then Space: the same
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(slurp("m07.map").size(), 631u + 25);

  // A save that fails keeps the editor open with the work unsaved.
  press(KEY_K);
  snprintf(maped_name, MAPED_NAME_SIZE, "no/such/folder/x.map");
  answer_key = ENTER;
  EXPECT_TRUE(press(KEY_ESC));
  EXPECT_EQ(alerts, 1);
  EXPECT_TRUE(history_unsaved(map, tile_attr));

  // With no name yet, Enter cancels; S asks for a name and then saves.
  maped_name[0] = '\0';
  EXPECT_TRUE(press(KEY_ESC));
  EXPECT_EQ(asked.back().line1, "Save the changes to the new course?");
  answer_key = 's';
  EXPECT_TRUE(press(KEY_ESC));  // the selector cancelled: nothing saved
  chosen = "new.map";
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(slurp("new.map").size(), 631u + 25 + 12);
  EXPECT_STREQ(maped_name, "new.map");
}

// Load replaces the course but not the attributes: edits of the table
// still count after it, and the course's own changes are asked about
// before they are replaced.
TEST_F(MapedTest, LoadKeepsUnsavedWork) {
  static Map other;
  course_default(other);
  other.t[5][5] = 77;
  ASSERT_TRUE(course_write("other.map", other));
  ASSERT_TRUE(spit("tileattr.wz", std::vector<unsigned char>(256, 0)));
  history_reset(map, tile_attr);

  press(KEY_F3);  // tile 0 gets Ice, then a load: no question (the course is as it was)
  chosen = "other.map";
  press(KEY_L);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(map.t[5][5], 77);
  EXPECT_EQ(tile_attr[0], Ice);
  EXPECT_TRUE(press(KEY_ESC));  // the attribute is still unsaved
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].line1, "Save the changes to other.map?");
  press(KEY_F3);  // back to what the file holds: nothing to ask
  EXPECT_FALSE(press(KEY_ESC));
  press(KEY_F3);
  answer_key = ENTER;
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(slurp("tileattr.wz")[0], Ice);

  // A painted tile, then Load: Cancel keeps the course and its name.
  CT = 9;
  point_at(40, 40);
  tap(1);
  chosen = "m02.map";
  ASSERT_TRUE(course_write("m02.map", other));
  answer_key = ESC;
  press(KEY_L);
  EXPECT_EQ(asked.size(), 3u);
  EXPECT_EQ(map.t[1][1], 9);
  EXPECT_STREQ(maped_name, "other.map");
  undo();  // and its history
  EXPECT_EQ(map.t[1][1], 2);
  redo();
  answer_key = ENTER;  // Save: other.map gets the tile, then m02.map is loaded
  press(KEY_L);
  EXPECT_EQ(map.t[1][1], 2);
  EXPECT_STREQ(maped_name, "m02.map");
  EXPECT_EQ(slurp("other.map")[6 + 25 + 1], 9);
  tap(1);
  chosen = "other.map";
  answer_key = 'd';  // Discard: loaded, m02.map untouched
  press(KEY_L);
  EXPECT_EQ(map.t[1][1], 9);
  EXPECT_EQ(slurp("m02.map")[6 + 25 + 1], 2);

  // A file that is not a course is refused before anything is asked.
  CT = 11;
  tap(1);
  ASSERT_TRUE(spit("data.dat", {'s', 'l', 'h', '.', 'A', 'L', 'L', '.'}));
  ASSERT_TRUE(spit("tiny.map", {0, 1, 0}));
  size_t questions = asked.size();
  for (const char *name : {"data.dat", "tiny.map"}) {
    chosen = name;
    press(KEY_L);
  }
  EXPECT_EQ(asked.size(), questions);
  EXPECT_EQ(alerts, 2);
  EXPECT_EQ(alerted, "tiny.map is not a course: / it is 3 bytes long, too short for the "
                     "6-byte header");
  EXPECT_EQ(map.t[1][1], 11);
  EXPECT_STREQ(maped_name, "other.map");
}

TEST_F(MapedTest, SaveRefusesWhatIsNotACourseAndAsksBeforeReplacingAnother) {
  snprintf(maped_name, MAPED_NAME_SIZE, "mine.map");
  map.t[3][3] = 40;
  check_saves_refused({{"tileattr.wz", std::vector<unsigned char>(256, 5)},
                       {"times.txt", {'#', ' ', 't', 'i', 'm', 'e', 's', '\n'}}});
  EXPECT_EQ(alerted, "Not saved: times.txt is not a course. / its header says 8992 tiles "
                     "wide (most is 256)");
  EXPECT_STREQ(maped_name, "mine.map");
  EXPECT_EQ(note_text(), "");
  EXPECT_TRUE(history_unsaved(map, tile_attr));

  static Map other;
  course_default(other);
  ASSERT_TRUE(course_write("other.map", other));
  std::vector<unsigned char> old = slurp("other.map");
  chosen = "other.map";
  for (int k : {int(ENTER), int(SPACE), int(ESC), int('n')}) {
    answer_key = k;
    press(KEY_S);
  }
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].line1, "other.map is another course.");
  EXPECT_EQ(slurp("other.map"), old);
  EXPECT_STREQ(maped_name, "mine.map");
  answer_key = 'y';
  press(KEY_S);
  EXPECT_EQ(slurp("other.map")[6 + 3 * 25 + 3], 40);
  EXPECT_STREQ(maped_name, "other.map");
  EXPECT_EQ(note_text(), "Saved other.map");
  map.t[3][3] = 41;  // now the course being edited: no question
  press(KEY_S);
  EXPECT_EQ(asked.size(), 5u);
  EXPECT_EQ(slurp("other.map")[6 + 3 * 25 + 3], 41);
  EXPECT_FALSE(history_unsaved(map, tile_attr));

  // The course written, the attribute table not: the alert says so, and
  // only the table is still unsaved.
  ASSERT_EQ(0, mkdir("tileattr.wz.tmp", 0755));
  map.t[3][3] = 42;
  tile_attr[7] = Slow;
  press(KEY_S);
  EXPECT_EQ(alerted, "The course is saved as other.map, / but tileattr.wz couldn't be "
                     "written.");
  EXPECT_EQ(slurp("other.map")[6 + 3 * 25 + 3], 42);
  EXPECT_FALSE(history_course_unsaved(map));
  EXPECT_TRUE(history_unsaved(map, tile_attr));
}

TEST_F(MapedTest, SavedNoteInTheBandForTwoSeconds) {
  static long long now;
  long long (*real)() = note_clock_ms;
  note_clock_ms = [] { return now; };
  chosen = "m07.map";
  press(KEY_S);
  EXPECT_EQ(note_text(), "Saved m07.map");
  auto green_in_band = [] {
    draw_editor();
    int n = 0;
    for (int y = 28; y < 36; y++)
      for (int x = 31; x < 200; x++) n += getpixel(buf, x, y) == col_green;
    return n;
  };
  EXPECT_GT(green_in_band(), 20);
  now += NOTE_MILLISECONDS;
  EXPECT_EQ(green_in_band(), 0);
  note_clock_ms = real;
}

TEST_F(MapedTest, UndoAndRedoEveryKindOfChange) {
  static Map before;
  before = map;
  // A paste, a column, attributes, F9, and an insertion added, retyped,
  // moved and deleted: one step each.
  for (int x = 0; x < 3; x++) map.t[x][0] = 40 + x;
  selL = selU = 0;
  selR = 2;
  selD = 0;
  press(KEY_C);
  history_reset(map, tile_attr);
  before = map;
  point_at(5 * 32, 6 * 32);
  press(KEY_V);
  press(KEY_INSERT);
  CT = 3;
  press(KEY_F1);
  press(KEY_F9);
  press(KEY_1);
  press(KEY_3, '3');
  press(KEY_RIGHT);
  press(KEY_DEL);
  press(KEY_Z, 'z');  // Z alone is scale 1, no step
  EXPECT_EQ(history_undo_steps(), 8);
  static Map after;
  after = map;

  check_steps_undone(32, 11, 113, tile_attr[3], NoWalk, 6, 41, before);

  for (int i = 0; i < 5; i++) redo();
  EXPECT_EQ(map.n, 1);
  check_redone_to(after);
  EXPECT_EQ(tile_attr[3], Dry);
  EXPECT_EQ(scale, 1);
}

TEST_F(MapedTest, AHundredStepsBack) {
  for (int i = 0; i < 120; i++) {
    CT = i + 1;
    point_at((i % 20) * 32 + 40, (i / 20) * 32 + 40);
    tap(1);
  }
  for (int i = 0; i < 100; i++) undo();
  EXPECT_EQ(map.t[20][1], 20);  // the 20 first clicks are left
  EXPECT_EQ(map.t[1][2], 2);    // the 21st is undone: the course's own tile
  for (int i = 0; i < 20; i++) undo();
  static Map fresh;
  course_default(fresh);
  EXPECT_TRUE(course_same_file(map, fresh));
}

TEST_F(MapedTest, KeysScreenOnF10UntilAnyKey) {
  press(KEY_F2);  // a change, so Esc would ask
  BITMAP *before = create_bitmap(640, 480);
  draw_editor();
  blit(buf, before, 0, 0, 0, 0, 640, 480);
  EXPECT_TRUE(press(KEY_F10));
  EXPECT_TRUE(keys_shown);
  draw_editor();
  EXPECT_NE(getpixel(buf, 320, 240), getpixel(before, 320, 240));
  // The pointer on the keys: a click paints nothing.
  CT = 9;
  point_at(320, 240);
  tap(1);
  EXPECT_NE(map.t[10][7], 9);
  // Esc only closes the keys: no question, the editor stays.
  EXPECT_TRUE(press(KEY_ESC));
  EXPECT_FALSE(keys_shown);
  EXPECT_TRUE(asked.empty());
  draw_editor();
  EXPECT_EQ(getpixel(buf, 320, 240), getpixel(before, 320, 240));
  // F10 is no edit: one undo takes back the F2.
  undo();
  EXPECT_EQ(tile_attr[0], 0);
  destroy_bitmap(before);
}

}  // namespace
