// keys.cpp -- topdown's keys as its keys screens list them
#include "keys.h"

// topdown_keys
// One place for the lists, so that what the screens say follows the keys
// the program reads.
std::vector<KeyHelp> topdown_keys(bool editor) {
  if (editor)
    return {
        {"", "Course editor"},
        {"F10", "these keys"},
        {"Left button", "paint the current tile"},
        {"Ctrl+left button", "add an insertion (code 0)"},
        {"Right button", "select an insertion, pick a tile"},
        {"Insert / Del", "insert / delete the column"},
        {"Home / End", "insert / delete the row"},
        {"Z / A / Q", "full / half / quarter size"},
        {"Arrows", "scroll (move the insertion)"},
        {"F1 ... F6", "NoWalk, Dry, Ice, Slow, Restricted, Sharp"},
        {"F9", "attributes: Dry alone"},
        {"- / =", "current tile - 1 / + 1"},
        {"Page Up / Down", "current tile - 16 / + 16"},
        {"[ / ]", "selection's corners at the pointer"},
        {"Space", "hide the selection"},
        {"C / V", "copy / paste the selection"},
        {"1 / 2", "player 1 / player 2 start"},
        {"R / K / O / P", "car / bike / boat / access pass"},
        {"0 ... 9, Backspace", "the insertion's code"},
        {"Del", "delete the insertion"},
        {"Tab", "select the next insertion"},
        {"Ctrl+Z", "undo"},
        {"Ctrl+Y, Ctrl+Shift+Z", "redo"},
        {"L / S", "load / save the course"},
        {"Esc", "back to the menu"},
    };
  return {
      {"", "Menu"},
      {"F1", "these keys"},
      {"Up, Down", "move the cursor"},
      {"Return, Right", "choose; open a list; edit a number"},
      {"Left, Esc", "close a list; leave a number"},
      {"", ""},
      {"", "Race: one player, or player 2 of two"},
      {"Left, Right", "turn"},
      {"Up", "accelerate"},
      {"Ctrl", "fire"},
      {"Shift", "get out of a vehicle"},
      {"", ""},
      {"", "Race: player 1 of two"},
      {"A, D", "turn"},
      {"W", "accelerate"},
      {"B", "fire"},
      {"V", "get out of a vehicle"},
      {"", ""},
      {"P, Pause", "pause; go on"},
      {"F1", "these keys"},
      {"Esc", "end the race"},
  };
}
