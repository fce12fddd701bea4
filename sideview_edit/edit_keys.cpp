// edit_keys.cpp -- sideview_edit's keys as its keys screen lists them
#include "edit_keys.h"

// sideview_edit_keys
// Short enough for the 320x200 screen: one column of 18 lines of 38
// characters.
std::vector<KeyHelp> sideview_edit_keys() {
  return {
      {"", "sideview_edit"},
      {"F10", "these keys"},
      {"Left button", "paint the tile"},
      {"Ctrl+left", "add an insertion"},
      {"Right button", "select; pick the tile"},
      {"Ins / Del", "insert/delete column"},
      {"Home / End", "insert/delete row"},
      {"F1 ... F5", "toggle an attribute"},
      {"F8", "clear the attributes"},
      {"- = PgUp PgDn", "tile -1 +1 -16 +16"},
      {"Arrows", "scroll; move insertion"},
      {"0 ... 9, BkSp", "the insertion's code"},
      {"Del", "delete the insertion"},
      {"Tab", "next insertion"},
      {"Ctrl+Z / Y", "undo / redo"},
      {"L / S", "load / save"},
      {"F11 / F12", "320x200 / 640x480"},
      {"Esc", "leave"},
  };
}
