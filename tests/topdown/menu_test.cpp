// menu_test.cpp -- menu items, lists and the navigator, headless with
// Allegro's built-in font (8 pixels high, 8 wide per character).
#include <gtest/gtest.h>

#include "menu.h"

namespace {

// A root list: a choice (code 5), a number 1..3, a switch, a link to a
// sub-list of two choices (codes 7, 8) and a number, a link to an empty
// list, and an exit item (code -1).
struct MenuTest : ::testing::Test {
  int number = 2;
  bool on = false;
  MenuList root, sub, empty;
  MenuItem go{"Go", 5}, num{"Number", &number, 1, 3}, sw{"Sound", &on};
  MenuItem link{&sub, "More"}, none{&empty, "None"}, quit{"Quit", -1};
  MenuItem deep{"Deep", 7}, deeper{"Deeper", 8}, count{"Count", &number, 1, 3};
  MenuSet *set = nullptr;

  void SetUp() override {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    menu_font = font;
    root << go << num << sw << link << none << quit;
    sub << deep << deeper << count;
    set = new MenuSet(&root);
  }
  void TearDown() override { delete set; }

  int press(int scancode) { return set->OnKey(scancode << 8); }
  void cursor_to(MenuItem &it) {
    for (int i = 0; i < 10 && set->item != &it; i++) press(KEY_DOWN);
    ASSERT_EQ(set->item, &it);
  }
};

TEST_F(MenuTest, CursorStopsAndEscLeavesFromRoot) {
  press(KEY_UP);
  EXPECT_EQ(root.cursor, 0);
  EXPECT_EQ(press(KEY_LEFT), 0);  // the root never closes
  EXPECT_EQ(set->lists.size(), 1u);
  EXPECT_EQ(press(KEY_ESC), 0);   // first Esc: to the last item
  EXPECT_EQ(set->item, &quit);
  press(KEY_DOWN);
  EXPECT_EQ(root.cursor, 5);
  EXPECT_EQ(press(KEY_ESC), -1);
  EXPECT_EQ(press(KEY_ENTER), -1);
}

TEST_F(MenuTest, NumberEditingStates) {
  cursor_to(num);
  press(KEY_RIGHT);
  EXPECT_EQ(set->level, 1);
  EXPECT_EQ(set->editing, num.num);
  press(KEY_UP);
  press(KEY_UP);
  EXPECT_EQ(number, 3);          // stops at the upper limit
  EXPECT_EQ(set->item, &num);    // Up changed the number, not the cursor
  for (int i = 0; i < 4; i++) press(KEY_DOWN);
  EXPECT_EQ(number, 1);
  EXPECT_EQ(press(KEY_RIGHT), 0);  // changes nothing while editing
  EXPECT_EQ(set->level, 1);
  // Left, Enter and Esc each end the editing and leave the cursor.
  for (int k : {KEY_LEFT, KEY_ENTER, KEY_ESC}) {
    ASSERT_NE(set->editing, nullptr);
    press(k);
    EXPECT_EQ(set->editing, nullptr);
    EXPECT_EQ(set->level, 0);
    EXPECT_EQ(set->item, &num);
    press(KEY_ENTER);
  }
  press(KEY_ENTER);
  press(KEY_DOWN);
  press(KEY_ENTER);
  EXPECT_TRUE(on);
  EXPECT_EQ(sw.Rhs(), "On");
}

TEST_F(MenuTest, SubListsOpenCloseAndReturnChoices) {
  cursor_to(link);
  press(KEY_ENTER);
  ASSERT_EQ(set->lists.size(), 2u);
  EXPECT_EQ(sub.x, root.x + root.width);
  EXPECT_EQ(sub.y, root.y + link.y);
  press(KEY_DOWN);
  EXPECT_EQ(press(KEY_ENTER), 8);  // the sub-list stays open and active
  EXPECT_EQ(set->lists.size(), 2u);
  EXPECT_EQ(set->list, &sub);
  // Left while editing a number in the sub-list ends only the editing.
  press(KEY_DOWN);
  press(KEY_ENTER);
  EXPECT_EQ(set->level, 2);
  press(KEY_LEFT);
  EXPECT_EQ(set->editing, nullptr);
  EXPECT_EQ(set->lists.size(), 2u);
  EXPECT_EQ(set->item, &count);
  press(KEY_LEFT);
  press(KEY_RIGHT);
  EXPECT_EQ(set->item, &count);  // its cursor was kept
  press(KEY_ESC);
  EXPECT_EQ(set->item, &link);

  // A list without items is never opened.
  press(KEY_DOWN);
  press(KEY_RIGHT);
  press(KEY_ENTER);
  set->Push(&empty);
  EXPECT_EQ(set->level, 0);
  EXPECT_EQ(set->lists.size(), 1u);
}

TEST_F(MenuTest, LayoutAndNumberTexts) {
  MenuList l;
  MenuItem a("ab", 0), b("abcdef", 0), c("abcd", 0);
  l << a << b << c;
  EXPECT_EQ(b.y, 10);  // 8 * 11 / 10 + 2
  EXPECT_EQ(c.y, 20);
  EXPECT_EQ(l.width, 48 + 30);
  EXPECT_EQ(root.x, 30);
  EXPECT_EQ(root.y, 20);
  number = 7;
  EXPECT_EQ(num.Rhs(), "07");
}

// Draw: numbers in plain decimal at width + 5, the mark behind the label
// while browsing and behind the number while editing it, right-hand texts
// only for the last open list, and scrolling to keep the cursor 20 pixels in.
TEST_F(MenuTest, DrawTextsMarksAndScrolling) {
  BITMAP *bmp = create_bitmap(300, 200);
  int white = makecol(255, 255, 255), black = makecol(0, 0, 0);
  int yellow = makecol(255, 255, 0);
  set->col_line = set->col_text = set->col_cursor = black;
  set->col_mark = yellow;
  auto count_in = [&](int colour, int x0, int y0) {
    int n = 0;
    for (int y = y0; y < y0 + 8; y++)
      for (int x = x0; x < x0 + 8; x++) n += getpixel(bmp, x, y) == colour;
    return n;
  };
  auto draw = [&] {
    clear_to_color(bmp, white);
    set->Draw(bmp);
  };
  int label_x = root.x + 15, value_x = root.x + root.width + 5;
  int row = root.y + num.y - 4;

  number = 7;
  cursor_to(num);
  draw();
  EXPECT_GT(count_in(black, value_x, row), 0);  // "7", not "07"
  EXPECT_EQ(count_in(black, value_x + 8, row), 0);
  EXPECT_GT(count_in(yellow, label_x, row), 0);
  EXPECT_EQ(count_in(yellow, value_x, row), 0);
  EXPECT_EQ(getpixel(bmp, root.x, root.y), black);  // spine and tick
  EXPECT_EQ(getpixel(bmp, root.x + 10, root.y), black);

  press(KEY_ENTER);  // editing: the mark moves to the number
  draw();
  EXPECT_EQ(count_in(yellow, label_x, row), 0);
  EXPECT_GT(count_in(yellow, value_x, row), 0);
  press(KEY_ENTER);

  cursor_to(link);  // with the sub-list open the root shows no values
  press(KEY_ENTER);
  draw();
  EXPECT_EQ(count_in(black, value_x, row), 0);
  EXPECT_EQ(count_in(yellow, label_x, root.y + link.y - 4), 0);
  EXPECT_GT(count_in(yellow, sub.x + 15, sub.y - 4), 0);
  press(KEY_LEFT);

  // A list taller than the bitmap scrolls to keep its cursor 20 pixels in.
  cursor_to(quit);
  BITMAP *low = create_bitmap(300, 60);
  set->Draw(low);
  EXPECT_EQ(root.y + quit.y, 60 - 20);
  destroy_bitmap(low);
  destroy_bitmap(bmp);
}

}  // namespace
