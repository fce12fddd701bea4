// keys.cpp -- sideview's keys as its keys screen lists them
#include "keys.h"

// sideview_keys
// Short enough for the 320x240 picture: 40 characters a line.
std::vector<KeyHelp> sideview_keys() {
  return {
      {"", "sideview"},
      {"F1", "these keys"},
      {"Space", "start (credits)"},
      {"Left, Right", "walk"},
      {"Up, Down", "climb a ladder"},
      {"Up at a door", "go through it"},
      {"Right Ctrl", "jump"},
      {"AltGr", "fire a bullet"},
      {"P, Pause", "pause; go on"},
      {"Esc", "end the game"},
      {"Enter held", "the mums follow too"},
      {"R. Shift held", "only the mums move"},
  };
}
