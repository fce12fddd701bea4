// maped_test.cpp -- the course editor's keys, mouse, clipboard, insertions,
// load and save and drawing, headless with a fake datafile.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "click_latch.h"
#include "edit_history.h"
#include "headless.h"
#include "maped.h"
#include "scratch.h"
#include "share.h"

namespace {

// The file selector, alert and question stand-ins: the selector "chooses"
// chosen (or is cancelled when it is empty); alerts are counted; questions
// are counted and answered with answer.
std::string chosen;
int alerts, questions;
bool answer;
std::string asked;
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

class MapedTest : public ::testing::Test {
 protected:
  Scratch scratch{true};
  void SetUp() override {
    fr = fopen("report.txt", "w");
    D = headless_datafile();
    buf = create_bitmap(640, 480);
    course_default(map);
    OX = OY = 0;
    CT = 0;
    memset(tile_attr, 0, sizeof tile_attr);  // other tests of this program set them
    CI = -1;
    scale = 1;
    selON = false;
    selL = selR = selU = selD = selW = selH = 0;
    mouse_x = mouse_y = mouse_b = 0;
    key[KEY_LCONTROL] = key[KEY_RCONTROL] = 0;
    maped_select_file = fake_select;
    maped_alert = fake_alert;
    maped_confirm = fake_confirm;
    chosen.clear();
    alerts = questions = 0;
    answer = false;
    key[KEY_LSHIFT] = key[KEY_RSHIFT] = 0;
    click_latch_clear();
    keys_shown = false;
    maped_mouse();  // ends any stroke an earlier test left open
    history_reset(map, tile_attr);  // as the editor does when it opens
  }
  void TearDown() override {
    fclose(fr);
    fr = nullptr;
    destroy_bitmap(buf);
    buf = nullptr;
  }

  static bool press(int scancode, int ch = 0) { return maped_key(scancode << 8 | ch); }
  static void undo() { press(KEY_Z, 26); }  // Ctrl+Z: the character is 26
  static void redo() { press(KEY_Y, 25); }
  // A click shorter than a pass: pressed and released between two passes.
  static void tap(int button) {
    click_latch_press(button == 1 ? LATCH_LEFT : LATCH_RIGHT);
    mouse_b = 0;
    maped_mouse();
  }
  // Puts the pointer at screen pixel (x, y).
  static void point_at(int x, int y) {
    mouse_x = x;
    mouse_y = y;
  }
  static void click(int button) {
    mouse_b = button;
    maped_mouse();
    mouse_b = 0;
  }
  static void add_at(int x, int y, int code) {
    Insertion &in = map.ins[map.n++];
    in.x = x;
    in.y = y;
    in.code = code;
  }
};

TEST_F(MapedTest, InsertionsAddedTypedCycledAndDeleted) {
  press(KEY_TAB);  // nothing to cycle through
  EXPECT_EQ(CI, -1);
  point_at(100, 100);
  key[KEY_LCONTROL] = 1;
  click(1);  // Ctrl-click: code 0 at the pointer, selected
  key[KEY_LCONTROL] = 0;
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
  for (int want : {-1, 0, 1, 2, -1}) {
    press(KEY_TAB);
    EXPECT_EQ(CI, want);
  }
  press(KEY_TAB);
  press(KEY_DEL);  // the last insertion takes slot 0
  EXPECT_EQ(CI, -1);
  ASSERT_EQ(map.n, 2);
  EXPECT_EQ(map.ins[0].code, 53);
  EXPECT_EQ(map.w, 25);  // Del on an insertion deletes no column

  map.n = 256;  // a full course gets no more
  press(KEY_1);
  key[KEY_RCONTROL] = 1;
  click(1);
  key[KEY_RCONTROL] = 0;
  EXPECT_EQ(map.n, 256);
  EXPECT_EQ(CI, -1);
}

TEST_F(MapedTest, RightClickSelectsWithinEightPixelsAndPicks) {
  map.t[3][3] = 77;
  add_at(100, 100, 11);
  add_at(104, 104, 12);
  add_at(96, 104, 13);
  point_at(103, 103);  // 6, 2 and 8 pixels away: the nearest wins
  click(2);
  EXPECT_EQ(CI, 1);
  EXPECT_EQ(CT, 77);
  point_at(100, 106);  // 6 from each: the first found wins
  click(2);
  EXPECT_EQ(CI, 0);
  CT = 0;
  point_at(104, 96);  // 8 or more from each: none, but the tile is picked
  click(2);
  EXPECT_EQ(CI, -1);
  EXPECT_EQ(CT, 77);
}

TEST_F(MapedTest, RowsColumnsAndAttributesAtTheMouse) {
  point_at(3 * 32, 5 * 32);
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
  char line[64] = "";
  FILE *log = fopen("report.txt", "r");
  ASSERT_TRUE(fgets(line, sizeof line, log));
  fclose(log);
  EXPECT_STREQ(line, "Couldn't open file \"missing.map\"\n");

  chosen = "new.map";
  press(KEY_S);
  map.t[5][5] = 0;
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
  CT = 9;
  point_at(40, 40);
  tap(1);  // released before the pass: still paints
  EXPECT_EQ(map.t[1][1], 9);
  map.t[3][3] = 77;
  point_at(100, 100);
  tap(2);  // picks
  EXPECT_EQ(CT, 77);
  EXPECT_FALSE(maped_mouse());  // nothing pressed since: nothing acts

  // Held over several passes while the pointer moves: paints every tile on
  // the way, and the whole stroke is one step.
  CT = 5;
  mouse_b = 1;
  for (int x = 4; x <= 8; x++) {
    point_at(x * 32, 64);
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

  // A quick Ctrl-click adds one insertion.
  key[KEY_LCONTROL] = 1;
  tap(1);
  key[KEY_LCONTROL] = 0;
  EXPECT_EQ(map.n, 1);
  EXPECT_EQ(CI, 0);
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
  EXPECT_EQ(questions, 0);

  press(KEY_F2);  // an attribute counts as a change
  EXPECT_TRUE(press(KEY_ESC));  // No: back to the editor
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(asked, "Leave without saving?");
  EXPECT_EQ(tile_attr[0], Dry);
  answer = true;
  EXPECT_FALSE(press(KEY_ESC));  // Yes: leaves
  EXPECT_EQ(questions, 2);

  press(KEY_F2);  // undone back to what was loaded: nothing to ask
  EXPECT_FALSE(press(KEY_ESC));
  EXPECT_EQ(questions, 2);

  point_at(64, 64);
  press(KEY_HOME);
  chosen = "saved.map";
  press(KEY_S);
  EXPECT_FALSE(press(KEY_ESC));  // saved
  press(KEY_K);  // an insertion
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

  undo();  // the deletion
  ASSERT_EQ(map.n, 1);
  EXPECT_EQ(map.ins[0].x, 5 * 32 + 4);
  undo();
  EXPECT_EQ(map.ins[0].x, 5 * 32);
  EXPECT_EQ(map.ins[0].code, 113);
  undo();
  EXPECT_EQ(map.ins[0].code, 11);
  undo();
  EXPECT_EQ(map.n, 0);
  undo();
  EXPECT_EQ(tile_attr[3], NoWalk);
  undo();
  EXPECT_EQ(tile_attr[3], 0);
  undo();
  EXPECT_EQ(map.w, 26 - 1);
  EXPECT_EQ(map.t[6][6], 41);
  undo();
  EXPECT_EQ(memcmp(&map, &before, sizeof map), 0);
  undo();  // nothing more
  EXPECT_EQ(memcmp(&map, &before, sizeof map), 0);

  for (int i = 0; i < 5; i++) redo();
  EXPECT_EQ(map.n, 1);
  key[KEY_LSHIFT] = 1;
  for (int i = 0; i < 3; i++) press(KEY_Z, 26);  // Ctrl+Shift+Z redoes too
  key[KEY_LSHIFT] = 0;
  EXPECT_EQ(memcmp(&map, &after, sizeof map), 0);
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
  EXPECT_EQ(questions, 0);
  draw_editor();
  EXPECT_EQ(getpixel(buf, 320, 240), getpixel(before, 320, 240));
  // F10 is no edit: one undo takes back the F2.
  undo();
  EXPECT_EQ(tile_attr[0], 0);
  destroy_bitmap(before);
}

}  // namespace
