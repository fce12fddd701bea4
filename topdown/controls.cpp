// controls.cpp -- the keys of topdown's players and the lines that show them
#include "controls.h"

#include <allegro.h>

#include "game.h"  // Bits, the control word's layout

namespace {

const char *const SET_NAMES[N_KEY_SETS] = {"one", "p1", "p2"};
const char *const CONTROL_NAMES[N_CONTROLS] = {"left", "right", "accelerate", "fire", "get_out"};
// How the lines call each action and each set.
const char *const CONTROL_LABELS[N_CONTROLS] = {"turn left", "turn right", "accelerate", "fire",
                                                "get out"};
const char *const SET_HEADINGS[N_KEY_SETS] = {"One player:", "Player 1 of two (left half):",
                                              "Player 2 of two (right half):"};
// The down bit's key in each set; it does nothing in play.
const int DOWN_KEYS[N_KEY_SETS] = {KEY_DOWN, KEY_S, KEY_DOWN};

// Keys the game reads for other things, and those the program keeps for
// pausing, the keys screen and the full screen.
const std::vector<kept_key> KEPT = {
    {KEY_ESC, "ends the game"},
    {KEY_P, "pauses the game"},
    {KEY_PAUSE, "pauses the game"},
    {KEY_F1, "shows the keys"},
    {KEY_F11, "switches the full screen"},
};

// The names of the file's actions: the set's, a dot, the action's. They
// live as long as the program.
const char *action_name(int s, int c) {
  static std::string names[N_KEY_SETS][N_CONTROLS];
  std::string &n = names[s][c];
  if (n.empty()) n = std::string(SET_NAMES[s]) + "." + CONTROL_NAMES[c];
  return n.c_str();
}

std::vector<key_action> default_table() {
  static const std::vector<int> arrows[N_CONTROLS] = {
      {KEY_LEFT}, {KEY_RIGHT}, {KEY_UP}, {KEY_LCONTROL, KEY_RCONTROL}, {KEY_LSHIFT, KEY_RSHIFT}};
  static const std::vector<int> letters[N_CONTROLS] = {{KEY_A}, {KEY_D}, {KEY_W}, {KEY_B}, {KEY_V}};
  std::vector<key_action> t;
  for (int s = 0; s < N_KEY_SETS; s++)
    for (int c = 0; c < N_CONTROLS; c++)
      // One player is a group, the two players of a game another.
      t.push_back({action_name(s, c), s == SET_P1 ? letters[c] : arrows[c], s == SET_ONE ? 0 : 1});
  return t;
}

bool any_held(const std::vector<int> &keys) {
  for (int k : keys)
    if (key[k]) return true;
  return false;
}

}  // namespace

std::vector<key_action> key_table = default_table();

void controls_default() { key_table = default_table(); }

// controls_init
void controls_init() {
  controls_default();
  read_keys_file_to_log(key_table, KEPT);
}

// keys_word
int keys_word(int s) {
  const key_action *a = &key_table[s * N_CONTROLS];
  bits - 0;
  bits < any_held(a[CTL_LEFT].keys) < any_held(a[CTL_RIGHT].keys) <
      any_held(a[CTL_ACCELERATE].keys) < (key[DOWN_KEYS[s]] != 0) < any_held(a[CTL_FIRE].keys) <
      any_held(a[CTL_GET_OUT].keys);
  return bits.value;
}

// keys_lines
std::vector<std::string> keys_lines() {
  std::vector<std::string> lines;
  for (int s = 0; s < N_KEY_SETS; s++) {
    lines.push_back(SET_HEADINGS[s]);
    for (int c = 0; c < N_CONTROLS; c++) {
      std::string l = std::string("  ") + CONTROL_LABELS[c];
      l.resize(14, ' ');
      lines.push_back(l + key_labels(key_table[s * N_CONTROLS + c].keys));
    }
  }
  lines.push_back("Joystick 1: the one player, or player 1 of two;");
  lines.push_back("joystick 2: player 2 of two. Stick: turn and");
  lines.push_back("accelerate; button 2 accelerates, button 1 fires,");
  lines.push_back("button 0 gets out.");
  lines.push_back("Esc ends the game.");
  return lines;
}
