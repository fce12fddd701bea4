// menu.h -- keyboard menus drawn as a tree, and topdown's main menu
#ifndef MENU_H
#define MENU_H

#include <allegro.h>
#include <string>
#include <vector>

// Item kinds (MenuItem::type).
enum {
  MENU_CHOICE = 1,  // Enter returns the item's code
  MENU_NUMBER = 2,  // an int edited with Up and Down between two limits
  MENU_SWITCH = 3,  // a bool toggled with Enter
  MENU_LINK = 4,    // opens a sub-list
  MENU_OPTION = 5,  // a link whose sub-list's cursor is the option chosen
};

// The font of all menu text and measurements; Allegro's built-in font until
// the owner replaces it (before adding any item, as labels are measured then).
extern FONT *menu_font;

class MenuList;

// An int bound to a menu number, kept within min ... max (both inclusive).
class NumChanger {
 public:
  int *value;
  int min, max;
  NumChanger(int *value, int min, int max);
  void OnUp();
  void OnDown();
};

// One line of a menu.
class MenuItem {
 public:
  int type;
  MenuList *sub;
  std::string text;
  int y;  // offset within its list, in pixels
  int code;
  bool *flag;
  NumChanger *num;  // owned

  MenuItem();
  MenuItem(std::string text, int code);            // a choice
  MenuItem(int type, std::string text, int code);  // kind and code only
  MenuItem(std::string text, MenuList *sub);       // an option
  MenuItem(MenuList *sub, std::string text);       // a link
  MenuItem(std::string text, int *value, int min, int max);  // a number
  MenuItem(std::string text, bool *flag);                     // a switch
  ~MenuItem();
  MenuItem(const MenuItem &) = delete;
  MenuItem &operator=(const MenuItem &) = delete;

  std::string Rhs();
};

// A column of items with a cursor. Items are not owned.
class MenuList {
 public:
  std::vector<MenuItem *> items;
  int count;
  int y, x;  // top-left in the target bitmap
  int cursor;
  int width;  // widest label + 30: where right-hand texts begin

  MenuList();
  void Add(MenuItem *item);
  void Add(MenuItem &item);
  MenuList &operator<<(MenuItem *item);
  MenuList &operator<<(MenuItem &item);
  void OnUp();
  void OnDown();
};

// The navigator: the open lists side by side, root first. Lists are not
// owned. While a number is edited, level is one past the last list.
class MenuSet {
 public:
  std::vector<MenuList *> lists;
  int level;
  MenuList *list;
  MenuItem *item;
  NumChanger *editing;
  int col_line, col_text, col_cursor, col_mark;

  explicit MenuSet(MenuList *root);
  void Push(MenuList *l);
  void Pop();
  void Draw(BITMAP *bmp);
  int OnKey(int key);  // a choice's code, -1 to leave, else 0
};

// ---------------------------------------------------------------------------
// topdown's main menu: Play, Course editor, Course number, Players, Country,
// Ghost, Watch best run, Quit. The tree lives from main_menu_build to
// main_menu_destroy.

enum { MENU_PLAY = 1, MENU_EDITOR = 2, MENU_WATCH = 3, MENU_QUIT = -1 };

extern int course;            // the selected course number, from 1
extern MenuSet *main_menu;    // the navigator of the main menu
extern MenuList *players_list, *country_list;

// Builds the tree with n_courses as the upper limit of "Course number" and
// sets the menu colours. menu_font must be set first.
void main_menu_build(int n_courses);

// Hands one readkey() value to the menu and copies the players and country
// options into n_players and USA; a change of "Ghost" is saved at once.
// Returns what OnKey returned.
int main_menu_key(int k);

// A line the menu shows under its items until the next key ("" for none).
extern std::string menu_note;

// Composes the menu screen in buf: white, the menu drawn into menu_bmp (with
// the selected course's best time beside its number, and while only the
// main list is open the course's picture and its best run's state on the
// right) and copied to (60, 240), the title picture over the top 200 rows.
void main_menu_draw(BITMAP *menu_bmp, BITMAP *title);

// The file name of the selected course, "m%02d.map", into name.
void course_file_name(char *name, int size);

// After the course editor: recounts the courses, makes the count the upper
// limit of "Course number" and lowers course to it (never below 1).
void main_menu_after_editor();

void main_menu_destroy();

#endif
