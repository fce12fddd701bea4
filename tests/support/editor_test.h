// editor_test.h -- what the tests of the two editors (topdown's course
// editor and sideview_edit) share: stand-ins for the file selector, the
// alert and the question, the keys and the mouse worked as a user works
// them, and the checks of what both editors do alike. A test file includes
// its editor's maped.h first: the names here (map, CT, CI, maped_key,
// maped_mouse, maped_select_file ...) are that editor's.
#ifndef EDITOR_TEST_H
#define EDITOR_TEST_H

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "click_latch.h"
#include "scratch.h"

// ------------------------------------------------------------ the dialogs

// The selector "chooses" chosen (or is cancelled when it is empty); alerts
// are counted and their lines kept in alerted; questions are kept in asked
// and answered as the key answer_key answers them in the dialog.
inline std::string chosen, alerted;
inline int alerts;
inline std::vector<Question> asked;
inline int answer_key;
enum { ENTER = 13, SPACE = 32, ESC = 27 };
inline bool fake_select(const char *, char *name, int size) {
  if (chosen.empty()) return false;
  snprintf(name, size, "%s", chosen.c_str());
  return true;
}
inline void fake_alert(const char *line1, const char *line2) {
  alerts++;
  alerted = std::string(line1) + " / " + (line2 ? line2 : "");
}
inline int fake_ask(const Question &q) {
  asked.push_back(q);
  return question_key_answer(q, answer_key);
}

// use_stand_ins
// Hands the editor's dialogs to the stand-ins, with nothing chosen, nothing
// alerted or asked and questions answered with Esc; no file name yet; no
// button or modifier key down.
inline void use_stand_ins() {
  maped_select_file = fake_select;
  maped_alert = fake_alert;
  maped_ask = fake_ask;
  chosen.clear();
  alerts = 0;
  alerted.clear();
  asked.clear();
  answer_key = ESC;
  maped_name[0] = '\0';
  mouse_x = mouse_y = mouse_b = 0;
  key[KEY_LCONTROL] = key[KEY_RCONTROL] = key[KEY_LSHIFT] = key[KEY_RSHIFT] = 0;
}

// ------------------------------------------------------- keys and mouse

inline bool press(int scancode, int ch = 0) { return maped_key(scancode << 8 | ch); }
inline void undo() { press(KEY_Z, 26); }  // Ctrl+Z: the character is 26
inline void redo() { press(KEY_Y, 25); }
// Puts the pointer at screen pixel (x, y).
inline void point_at(int x, int y) {
  mouse_x = x;
  mouse_y = y;
}
// A button held over one pass, released over the next.
inline void click(int button) {
  mouse_b = button;
  maped_mouse();
  mouse_b = 0;
  maped_mouse();
}
// A click shorter than a pass: pressed and released between two passes.
inline void tap(int button) {
  click_latch_press(button == 1 ? LATCH_LEFT : LATCH_RIGHT);
  mouse_b = 0;
  maped_mouse();
}
// A left click with a Ctrl key held (either one).
inline void ctrl_click(int ctrl_key = KEY_LCONTROL) {
  key[ctrl_key] = 1;
  click(1);
  key[ctrl_key] = 0;
}
inline void add_at(int x, int y, int code) {
  Insertion &in = map.ins[map.n++];
  in.x = x;
  in.y = y;
  in.code = code;
}

// ---------------------------------------------- what both editors do alike

// check_short_clicks_and_held_strokes
// On an editor with tiles `tile` pixels square at a view origin of (0, 0):
// a tap paints, a right tap picks the tile under it (set to `picked`), a
// button held while the pointer moves paints every tile on the way as one
// step, and a quick Ctrl-click adds one insertion.
inline void check_short_clicks_and_held_strokes(int tile, int picked, int ctrl_key) {
  CT = 9;
  point_at(tile * 5 / 4, tile * 5 / 4);
  tap(1);  // released before the pass: still paints
  EXPECT_EQ(map.t[1][1], 9);
  map.t[3][3] = (unsigned char)picked;
  point_at(3 * tile + tile / 8, 3 * tile + tile / 8);
  tap(2);  // picks
  EXPECT_EQ(CT, picked);
  EXPECT_FALSE(maped_mouse());  // nothing pressed since: nothing acts

  // Held over several passes while the pointer moves: paints every tile on
  // the way, and the whole stroke is one step.
  CT = 5;
  mouse_b = 1;
  for (int x = 4; x <= 8; x++) {
    point_at(x * tile, 2 * tile);
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

  key[ctrl_key] = 1;  // a quick Ctrl-click adds one insertion
  tap(1);
  key[ctrl_key] = 0;
  EXPECT_EQ(map.n, 1);
  EXPECT_EQ(CI, 0);
}

// check_rows_and_columns_at_the_mouse
// With the pointer on tile (3, 5) of the default 25 x 25 level: Insert
// doubles column 3, End deletes row 5, Del deletes column 3 and Home
// doubles row 5.
inline void check_rows_and_columns_at_the_mouse() {
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
}

// check_right_click_selects_within_eight_pixels
// Three insertions round (100, 100) on the screen, over a tile of 77: a
// right click selects the nearest less than 8 pixels away (the first found
// of equals) and picks the tile in any case.
inline void check_right_click_selects_within_eight_pixels() {
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
}

// check_tab_cycles_and_del_deletes
// With three insertions and none selected: Tab runs through them and back
// to tile mode; Del on the last one moves the last record into its slot
// (here the third, of code `third`), and deletes no column.
inline void check_tab_cycles_and_del_deletes(int third) {
  for (int want : {-1, 0, 1, 2, -1}) {
    press(KEY_TAB);
    EXPECT_EQ(CI, want);
  }
  press(KEY_TAB);
  press(KEY_DEL);  // the last insertion takes slot 0
  EXPECT_EQ(CI, -1);
  ASSERT_EQ(map.n, 2);
  EXPECT_EQ(map.ins[0].code, third);
  EXPECT_EQ(map.w, 25);  // Del on an insertion deletes no column
}

// check_steps_undone
// Undoes the steps of an editor's undo test one by one, last first, and
// checks each: an insertion deleted, moved 4 pixels right from 5 tiles
// across, retyped (from code `first` to `typed`) and added; an attribute
// byte changed twice (to `between`, from 0); a column inserted with cell
// (x, 6) `painted` before it. The last brings `before` back, and another
// undo changes nothing.
inline void check_steps_undone(int tile, int first, int typed, const unsigned char &attribute,
                               int between, int x, int painted, const Map &before) {
  undo();  // the deletion
  ASSERT_EQ(map.n, 1);
  EXPECT_EQ(map.ins[0].x, 5 * tile + 4);
  undo();
  EXPECT_EQ(map.ins[0].x, 5 * tile);
  EXPECT_EQ(map.ins[0].code, typed);
  undo();
  EXPECT_EQ(map.ins[0].code, first);
  undo();
  EXPECT_EQ(map.n, 0);
  undo();
  EXPECT_EQ(attribute, between);
  undo();
  EXPECT_EQ(attribute, 0);
  undo();
  EXPECT_EQ(map.w, 25);
  EXPECT_EQ(map.t[x][6], painted);
  undo();
  EXPECT_EQ(memcmp(&map, &before, sizeof map), 0);
  undo();  // nothing more
  EXPECT_EQ(memcmp(&map, &before, sizeof map), 0);
}

// check_failed_load_keeps_work
// With cell (5, 5) at 42 and one insertion, selected, in a level saved as
// "mine.map": a load that fails alerts, leaves insertion mode, keeps the
// level and its name, and says why in the log.
inline void check_failed_load_keeps_work() {
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
}

// check_saves_refused
// Each file (a name and the bytes put there first) is not a level of the
// editor's kind: a save under its name alerts, once each, and leaves the
// file as it was.
inline void check_saves_refused(
    const std::vector<std::pair<std::string, std::vector<unsigned char>>> &files) {
  for (const auto &f : files) ASSERT_TRUE(spit(f.first, f.second)) << f.first;
  int before = alerts;
  for (const auto &f : files) {
    chosen = f.first;
    press(KEY_S);
  }
  EXPECT_EQ(alerts - before, (int)files.size());
  for (const auto &f : files) EXPECT_EQ(slurp(f.first), f.second) << f.first;
}

// check_redone_to
// Three more redos, with Ctrl+Shift+Z, bring `after` back.
inline void check_redone_to(const Map &after) {
  key[KEY_LSHIFT] = 1;
  for (int i = 0; i < 3; i++) press(KEY_Z, 26);  // Ctrl+Shift+Z redoes too
  key[KEY_LSHIFT] = 0;
  EXPECT_EQ(memcmp(&map, &after, sizeof map), 0);
}

#endif
