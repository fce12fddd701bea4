// key_screen.h -- a program's keys shown over its picture
//
// Each program makes its list of keys in one function of its own (from the
// keys in force); this draws such a list in a framed box over whatever the
// screen shows, and waits for the key that closes it.
#ifndef KEY_SCREEN_H
#define KEY_SCREEN_H

#include <allegro.h>

#include <string>
#include <vector>

// One line of the list: the keys and what they do. A line without keys is
// a heading.
struct KeyHelp {
  std::string keys;
  std::string action;
};

// How the list is laid out in a picture of w x h pixels with Allegro's
// 8 x 8 font: lines per column and the number of columns (more than one
// only when one column is too tall).
struct KeyScreenLayout {
  int rows;
  int columns;
};
KeyScreenLayout key_screen_layout(int lines, int h);

// The list, and "Press any key" below it, in a box of colour bg framed in
// fg, in the middle of b; keys and actions in two aligned columns.
void draw_key_screen(BITMAP *b, const std::vector<KeyHelp> &lines, int fg, int bg);

// Waits, giving up the processor, for a key; takes it from the buffer.
void wait_for_any_key();

#endif
