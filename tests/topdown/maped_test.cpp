// maped_test.cpp -- the course editor's keys, mouse, clipboard, insertions,
// load and save and drawing, headless with a fake datafile.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "headless.h"
#include "maped.h"
#include "scratch.h"
#include "share.h"

namespace {

// The file selector and alert stand-ins: the selector "chooses" chosen
// (or is cancelled when it is empty); alerts are counted.
std::string chosen;
int alerts;
bool fake_select(const char *, char *name, int size) {
  if (chosen.empty()) return false;
  snprintf(name, size, "%s", chosen.c_str());
  return true;
}
void fake_alert(const char *, const char *) { alerts++; }

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
    chosen.clear();
    alerts = 0;
  }
  void TearDown() override {
    fclose(fr);
    fr = nullptr;
    destroy_bitmap(buf);
    buf = nullptr;
  }

  static void press(int scancode, int ch = 0) { maped_key(scancode << 8 | ch); }
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

TEST_F(MapedTest, ChosenNamesNeverOverrunTheBuffer) {
  char name[MAPED_NAME_SIZE] = "old.map";
  std::string deep = scratch.dir + "/" + std::string(90, 'x') + ".map";
  EXPECT_FALSE(store_file_name(deep.c_str(), name, sizeof name));
  EXPECT_STREQ(name, "old.map");
  std::string inside = scratch.dir + "/" + std::string(70, 'y') + ".map";
  EXPECT_TRUE(store_file_name(inside.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), std::string(70, 'y') + ".map");
  std::string exact(79, 'z');
  EXPECT_TRUE(store_file_name(exact.c_str(), name, sizeof name));
  EXPECT_FALSE(store_file_name((exact + "z").c_str(), name, sizeof name));
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

}  // namespace
