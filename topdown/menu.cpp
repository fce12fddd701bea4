// menu.cpp -- keyboard menus drawn as a tree, and topdown's main menu
#include "menu.h"

#include <cstdio>

#include "course_panel.h"
#include "game.h"
#include "ghost.h"
#include "share.h"
#include "times.h"

FONT *menu_font = font;

// ---------------------------------------------------------------------------
// NumChanger

NumChanger::NumChanger(int *value, int min, int max)
    : value(value), min(min), max(max) {}

// OnUp / OnDown
// One step up or down, stopping at the limits (never wrapping).
void NumChanger::OnUp() {
  if (*value < max) (*value)++;
}

void NumChanger::OnDown() {
  if (*value > min) (*value)--;
}

// ---------------------------------------------------------------------------
// MenuItem

MenuItem::MenuItem()
    : type(0), sub(nullptr), y(0), code(0), flag(nullptr), num(nullptr) {}

MenuItem::MenuItem(std::string text, int code)
    : type(MENU_CHOICE), sub(nullptr), text(text), y(0), code(code),
      flag(nullptr), num(nullptr) {}

MenuItem::MenuItem(int type, std::string text, int code)
    : type(type), sub(nullptr), text(text), y(0), code(code), flag(nullptr),
      num(nullptr) {}

MenuItem::MenuItem(std::string text, MenuList *sub)
    : type(MENU_OPTION), sub(sub), text(text), y(0), code(0), flag(nullptr),
      num(nullptr) {}

MenuItem::MenuItem(MenuList *sub, std::string text)
    : type(MENU_LINK), sub(sub), text(text), y(0), code(0), flag(nullptr),
      num(nullptr) {}

MenuItem::MenuItem(std::string text, int *value, int min, int max)
    : type(MENU_NUMBER), sub(nullptr), text(text), y(0), code(0),
      flag(nullptr), num(new NumChanger(value, min, max)) {}

MenuItem::MenuItem(std::string text, bool *flag)
    : type(MENU_SWITCH), sub(nullptr), text(text), y(0), code(0), flag(flag),
      num(nullptr) {}

MenuItem::~MenuItem() { delete num; }

// The label of the cursor item of l, or "" when there is none.
static std::string cursor_label(const MenuList *l) {
  if (!l || l->cursor < 0 || l->cursor >= l->count) return "";
  return l->items[l->cursor]->text;
}

// Rhs
// The right-hand text: a number as two digits (tens, units), a switch "On" or
// "Off", a link one blank, an option its chosen label, anything else "".
// Numbers outside 0 ... 99 have no two-digit form and are written in full.
std::string MenuItem::Rhs() {
  switch (type) {
    case MENU_NUMBER: {
      if (!num) return "";
      int v = *num->value;
      if (v < 0 || v > 99) return std::to_string(v);
      return std::string(1, char('0' + v / 10)) + char('0' + v % 10);
    }
    case MENU_SWITCH:
      return flag && *flag ? "On" : "Off";
    case MENU_LINK:
      return " ";
    case MENU_OPTION:
      return cursor_label(sub);
  }
  return "";
}

// ---------------------------------------------------------------------------
// MenuList

MenuList::MenuList() : count(0), y(0), x(0), cursor(0), width(0) {}

// Add
// Appends an item below the last one (line height * 1.1 + 2 apart) and
// widens the list to its label + 30 pixels.
void MenuList::Add(MenuItem *item) {
  int wd = text_length(menu_font, item->text.c_str()) + 30;
  if (count == 0) {
    item->y = 0;
    width = wd;
  } else {
    if (wd > width) width = wd;
    item->y = items[count - 1]->y + (text_height(menu_font) * 11) / 10 + 2;
  }
  items.push_back(item);
  count++;
}

void MenuList::Add(MenuItem &item) { Add(&item); }

MenuList &MenuList::operator<<(MenuItem *item) {
  Add(item);
  return *this;
}

MenuList &MenuList::operator<<(MenuItem &item) {
  Add(&item);
  return *this;
}

// OnUp / OnDown
// Cursor moves that stop at both ends.
void MenuList::OnUp() {
  if (cursor > 0) cursor--;
}

void MenuList::OnDown() {
  if (cursor < count - 1) cursor++;
}

// ---------------------------------------------------------------------------
// MenuSet

static MenuItem *cursor_item(MenuList *l) {
  if (l->cursor < 0 || l->cursor >= l->count) return nullptr;
  return l->items[l->cursor];
}

// MenuSet
// Opens the root list at (30, 20).
MenuSet::MenuSet(MenuList *root)
    : lists{root}, level(0), list(root), editing(nullptr), col_line(0),
      col_text(0), col_cursor(0), col_mark(0) {
  root->x = 30;
  root->y = 20;
  item = cursor_item(root);
}

// Push
// Opens l to the right of the active list, level with the active item.
// A list without items is not opened.
void MenuSet::Push(MenuList *l) {
  if (!l || l->count == 0 || !item) return;
  lists.push_back(l);
  level++;
  l->x = list->x + list->width;
  l->y = list->y + item->y;
}

// Pop
// Closes the last list, or ends the editing of a number (level then lies one
// past the last list). The root never closes.
void MenuSet::Pop() {
  if (level <= 0) return;
  if (level == (int)lists.size() - 1) lists.pop_back();
  level--;
}

// OnKey
// Handles one readkey() value (scancode in the high byte). Returns the code
// of a choice taken with Enter, -1 when Esc is pressed on the root's exit
// item, otherwise 0.
int MenuSet::OnKey(int key) {
  if (!item) return 0;
  switch (key / 256) {
    case KEY_LEFT:
      if (level != 0) Pop();
      break;
    case KEY_RIGHT:
      if (editing) return 0;
      if (item->type == MENU_LINK || item->type == MENU_OPTION)
        Push(item->sub);
      else if (item->type == MENU_NUMBER && item->num)
        level++;
      break;
    case KEY_UP:
      if (editing)
        editing->OnUp();
      else
        lists[level]->OnUp();
      break;
    case KEY_DOWN:
      if (editing)
        editing->OnDown();
      else
        lists[level]->OnDown();
      break;
    case KEY_ENTER:
      if (editing) {
        Pop();
        break;
      }
      switch (item->type) {
        case MENU_NUMBER:
          if (item->num) level++;
          break;
        case MENU_CHOICE:
          return item->code;
        case MENU_SWITCH:
          if (item->flag) *item->flag = !*item->flag;
          break;
        case MENU_LINK:
        case MENU_OPTION:
          Push(item->sub);
          break;
      }
      break;
    case KEY_ESC:
      if (level != 0)
        Pop();
      else if (item->code == -1)
        return -1;
      else
        list->cursor = list->count - 1;
      break;
  }

  editing = nullptr;
  if (level < (int)lists.size())
    list = lists[level];
  else if (item->type == MENU_NUMBER)
    editing = item->num;
  item = cursor_item(list);
  return 0;
}

// The right-hand text that Draw shows: numbers in plain decimal.
static std::string draw_rhs(MenuItem *it) {
  if (it->type == MENU_NUMBER)
    return it->num ? std::to_string(*it->num->value) : "";
  if (it->type == MENU_CHOICE) return "";
  return it->Rhs();
}

// Draw
// Draws the open lists as a tree: spines and ticks, labels, and for the last
// list the right-hand texts behind leader lines; a list that has the next one
// open shows a leader line from its cursor item instead. Lists scroll so that
// their cursor item stays 20 pixels inside the bitmap.
void MenuSet::Draw(BITMAP *bmp) {
  int half = text_height(menu_font) / 2;
  int n = (int)lists.size();
  for (int i = 0; i < n; i++) {
    MenuList *L = lists[i];
    MenuItem *s = cursor_item(L);
    if (!s) continue;
    if (L->y + s->y > bmp->h - 20) L->y = bmp->h - 20 - s->y;
    if (L->y + s->y < 20) L->y = 20 - s->y;

    vline(bmp, L->x, L->y, L->y + L->items[L->count - 1]->y, col_line);
    bool last = i == n - 1;
    for (int j = 0; j < L->count; j++) {
      MenuItem *it = L->items[j];
      int iy = L->y + it->y;
      bool at_cursor = j == L->cursor;
      int fg = at_cursor ? col_cursor : col_text;
      hline(bmp, L->x, iy, L->x + 10, col_line);
      textout_ex(bmp, menu_font, it->text.c_str(), L->x + 15, iy - half, fg,
                 at_cursor && i == level ? col_mark : -1);
      if (!last) continue;
      std::string v = draw_rhs(it);
      if (v.empty()) continue;
      int lw = text_length(menu_font, it->text.c_str());
      hline(bmp, L->x + 20 + lw, iy, L->x + L->width, col_line);
      bool marked =
          at_cursor && (level == i + 1 || it->type == MENU_SWITCH);
      textout_ex(bmp, menu_font, v.c_str(), L->x + L->width + 5, iy - half,
                 fg, marked ? col_mark : -1);
    }
    if (!last) {
      int lw = text_length(menu_font, s->text.c_str());
      hline(bmp, L->x + 20 + lw, L->y + s->y, L->x + L->width, col_line);
    }
  }
}

// ---------------------------------------------------------------------------
// The main menu

int course = 1;
MenuSet *main_menu;
MenuList *players_list, *country_list;
static MenuList *main_list;
static MenuItem *course_item;  // "Course number"
static std::vector<MenuItem *> main_items;

// Keeps item for main_menu_destroy and returns it.
static MenuItem *own(MenuItem *item) {
  main_items.push_back(item);
  return item;
}

// main_menu_build
// Builds the players, country and main lists and opens the main one.
void main_menu_build(int n_courses) {
  players_list = new MenuList;
  *players_list << own(new MenuItem("One", 0)) << own(new MenuItem("Two", 0));
  country_list = new MenuList;
  *country_list << own(new MenuItem("Australia", 0))
                << own(new MenuItem("United States", 0));
  main_list = new MenuList;
  *main_list << own(new MenuItem("Play", MENU_PLAY))
             << own(new MenuItem("Course editor", MENU_EDITOR))
             << (course_item = own(new MenuItem("Course number", &course, 1, n_courses)))
             << own(new MenuItem("Players", players_list))
             << own(new MenuItem("Country", country_list))
             << own(new MenuItem("Ghost", &ghost_on))
             << own(new MenuItem("Watch best run", MENU_WATCH))
             << own(new MenuItem("Quit", MENU_QUIT));
  main_menu = new MenuSet(main_list);
  main_menu->col_line = col_black;
  main_menu->col_text = col_black;
  main_menu->col_cursor = col_black;
  main_menu->col_mark = col_yellow;
}

std::string menu_note;

// main_menu_key
// One key for the menu; the options follow the list cursors after every key.
int main_menu_key(int k) {
  bool ghost_was = ghost_on;
  menu_note.clear();
  int r = main_menu->OnKey(k);
  n_players = players_list->cursor + 1;
  USA = country_list->cursor == 1;
  if (ghost_on != ghost_was) ghost_setting_save();
  return r;
}

// Beside the course number, while the main list shows its numbers: the
// selected course's best time for the selected number of players.
static void draw_best_time(BITMAP *bmp) {
  if (main_menu->lists.size() != 1) return;
  std::string label = best_time_label(course, players_list->cursor + 1);
  if (label.empty()) return;
  std::string number = std::to_string(course);
  int x = main_list->x + main_list->width + 5 +
          text_length(menu_font, number.c_str()) + text_length(menu_font, "  ");
  int y = main_list->y + course_item->y - text_height(menu_font) / 2;
  textout_ex(bmp, menu_font, label.c_str(), x, y, main_menu->col_text, -1);
}

// main_menu_draw
void main_menu_draw(BITMAP *menu_bmp, BITMAP *title) {
  clear_to_color(buf, col_white);
  clear_to_color(menu_bmp, col_white);
  main_menu->Draw(menu_bmp);
  draw_best_time(menu_bmp);
  if (main_menu->lists.size() == 1) course_panel_draw(menu_bmp, course, players_list->cursor + 1);
  if (!menu_note.empty())
    textout_ex(menu_bmp, font, menu_note.c_str(), 30, menu_bmp->h - 12, main_menu->col_text, -1);
  blit(menu_bmp, buf, 0, 0, 60, 240, menu_bmp->w, menu_bmp->h);
  if (title) blit(title, buf, 0, 0, 0, 0, buf->w, 200);
}

void course_file_name(char *name, int size) {
  snprintf(name, size, "m%02d.map", course);
}

// main_menu_after_editor
// The editor may have saved new courses, or the last one may have gone: the
// number item's limit follows the new count at once, and course never
// points past the last course file.
void main_menu_after_editor() {
  count_maps();
  course_item->num->max = n_maps;
  if (course > n_maps) course = n_maps;
  if (course < 1) course = 1;
}

void main_menu_destroy() {
  delete main_menu;
  main_menu = nullptr;
  for (MenuItem *item : main_items) delete item;
  main_items.clear();
  delete main_list;
  delete players_list;
  delete country_list;
  main_list = players_list = country_list = nullptr;
  course_item = nullptr;
}
