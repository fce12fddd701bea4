// main_menu_test.cpp -- the main menu's tree, options and course number
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "game.h"
#include "ghost.h"
#include "menu.h"
#include "scratch.h"
#include "share.h"
#include "times.h"

namespace {

class MainMenuTest : public ::testing::Test {
 protected:
  Scratch scratch{true};  // the working folder, where the courses are counted
  void SetUp() override {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    make_colours();
    menu_font = font;
    course = 1;
    n_players = 0;
    USA = false;
    main_menu_build(3);
  }
  void TearDown() override { main_menu_destroy(); }
  static int press(int scancode) { return main_menu_key(scancode << 8); }
  static void touch(const char *name) { fclose(fopen(name, "wb")); }
};

TEST_F(MainMenuTest, OptionsFollowCursorsAfterEveryKey) {
  EXPECT_EQ(n_players, 0);
  press(KEY_DOWN);  // Course editor
  EXPECT_EQ(n_players, 1);
  EXPECT_FALSE(USA);
  press(KEY_DOWN);
  press(KEY_DOWN);  // Players
  press(KEY_ENTER);
  EXPECT_EQ(n_players, 1);
  press(KEY_DOWN);  // "Two", set at this key
  EXPECT_EQ(n_players, 2);
  EXPECT_EQ(press(KEY_ENTER), 0);
  EXPECT_EQ(main_menu->lists.size(), 2u);
  press(KEY_LEFT);
  EXPECT_EQ(main_menu->lists.size(), 1u);
  EXPECT_EQ(main_menu->item->Rhs(), "Two");

  press(KEY_DOWN);  // Country
  press(KEY_RIGHT);
  press(KEY_DOWN);
  EXPECT_TRUE(USA);
  press(KEY_UP);
  EXPECT_FALSE(USA);
  press(KEY_DOWN);
  press(KEY_ESC);
  EXPECT_TRUE(USA);
  EXPECT_EQ(n_players, 2);
}

TEST_F(MainMenuTest, ChoicesAndCourseFile) {
  EXPECT_EQ(press(KEY_ENTER), MENU_PLAY);
  press(KEY_DOWN);
  EXPECT_EQ(press(KEY_ENTER), MENU_EDITOR);
  press(KEY_DOWN);
  press(KEY_ENTER);
  press(KEY_UP);
  EXPECT_EQ(press(KEY_ENTER), 0);
  char name[16];
  course_file_name(name, sizeof name);
  EXPECT_STREQ(name, "m02.map");
  EXPECT_EQ(press(KEY_ESC), 0);  // to Quit
  EXPECT_EQ(press(KEY_ESC), MENU_QUIT);
}

// "Ghost" switches the ghost and keeps the choice in its file at once;
// "Watch best run" is a choice of its own; Esc still goes to "Quit".
TEST_F(MainMenuTest, GhostSwitchIsKeptAndWatchBestRunChosen) {
  ghost_on = true;
  for (int i = 0; i < 5; i++) press(KEY_DOWN);
  EXPECT_EQ(main_menu->item->text, "Ghost");
  EXPECT_EQ(main_menu->item->Rhs(), "On");
  EXPECT_EQ(press(KEY_ENTER), 0);
  EXPECT_FALSE(ghost_on);
  EXPECT_EQ(main_menu->item->Rhs(), "Off");
  ghost_on = true;
  ghost_setting_load();
  EXPECT_FALSE(ghost_on);
  press(KEY_DOWN);
  EXPECT_EQ(main_menu->item->text, "Watch best run");
  EXPECT_EQ(press(KEY_ENTER), MENU_WATCH);
  press(KEY_UP);
  press(KEY_ENTER);
  EXPECT_TRUE(ghost_on);
  ghost_setting_load();
  EXPECT_TRUE(ghost_on);
  // A note shows until the next key.
  menu_note = "No best run of this course to watch yet";
  press(KEY_UP);
  EXPECT_EQ(menu_note, "");
  EXPECT_EQ(press(KEY_ESC), 0);
  EXPECT_EQ(main_menu->item->text, "Quit");
}

TEST_F(MainMenuTest, CourseNumberFollowsTheCountAfterEditor) {
  touch("m01.map");
  touch("m02.map");
  course = 3;
  main_menu_after_editor();
  EXPECT_EQ(course, 2);
  // Courses saved beyond the start-up count can be chosen at once.
  touch("m03.map");
  touch("m04.map");
  main_menu_after_editor();
  EXPECT_EQ(course, 2);
  for (int i = 0; i < 2; i++) press(KEY_DOWN);
  press(KEY_ENTER);
  for (int i = 0; i < 5; i++) press(KEY_UP);
  EXPECT_EQ(course, 4);
  press(KEY_ENTER);
  // No course files at all: the number stays a valid course number.
  remove("m01.map");
  main_menu_after_editor();
  EXPECT_EQ(course, 1);
}

TEST_F(MainMenuTest, BestTimeBesideTheCourseNumber) {
  times_load();  // no "times.txt" here
  buf = create_bitmap(640, 480);
  BITMAP *menu_bmp = create_bitmap(500, 200);
  // The ink right of the number "1" on the "Course number" row.
  auto ink_right_of_number = [&]() {
    main_menu_draw(menu_bmp, nullptr);
    MenuList *root = main_menu->lists[0];
    int y = root->y + root->items[2]->y;
    int x0 = root->x + root->width + 5 + text_length(menu_font, "1") + 2;
    int n = 0;
    for (int x = x0; x < 500; x++)
      for (int dy = -4; dy <= 4; dy++) n += getpixel(menu_bmp, x, y + dy) != col_white;
    return n;
  };
  EXPECT_EQ(ink_right_of_number(), 0);
  record_time(1, 2, 2117);
  EXPECT_EQ(ink_right_of_number(), 0);  // one player has no time yet
  record_time(1, 1, 2117);
  int with_time = ink_right_of_number();
  EXPECT_GT(with_time, 0);
  BITMAP *label = create_bitmap(200, 20);  // the same ink as the label
  clear_to_color(label, col_white);
  textout_ex(label, menu_font, "best 0:42.3", 0, 0, col_black, -1);
  int label_ink = 0;
  for (int y = 0; y < 20; y++)
    for (int x = 0; x < 200; x++) label_ink += getpixel(label, x, y) != col_white;
  EXPECT_EQ(with_time, label_ink);
  press(KEY_DOWN);  // Players: Two
  press(KEY_DOWN);
  press(KEY_DOWN);
  press(KEY_RIGHT);
  press(KEY_DOWN);
  press(KEY_LEFT);
  EXPECT_EQ(ink_right_of_number(), label_ink);  // same time, 2 players
  record_time(1, 2, 50 * 60 * 10);
  times_load();
  EXPECT_GT(ink_right_of_number(), 0);
  destroy_bitmap(label);
  destroy_bitmap(menu_bmp);
  destroy_bitmap(buf);
  buf = nullptr;
}

}  // namespace
