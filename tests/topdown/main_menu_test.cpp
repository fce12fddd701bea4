// main_menu_test.cpp -- the main menu's tree, options and course number
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "game.h"
#include "menu.h"
#include "scratch.h"
#include "share.h"

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

TEST_F(MainMenuTest, CourseLoweredAfterEditor) {
  touch("m01.map");
  touch("m02.map");
  course = 3;
  main_menu_after_editor();
  EXPECT_EQ(course, 2);
  // A course saved beyond the start-up count does not widen the range.
  touch("m03.map");
  touch("m04.map");
  main_menu_after_editor();
  EXPECT_EQ(course, 2);
  for (int i = 0; i < 2; i++) press(KEY_DOWN);
  press(KEY_ENTER);
  for (int i = 0; i < 5; i++) press(KEY_UP);
  EXPECT_EQ(course, 3);
  // No course files at all: the number stays a valid course number.
  remove("m01.map");
  main_menu_after_editor();
  EXPECT_EQ(course, 1);
}

}  // namespace
