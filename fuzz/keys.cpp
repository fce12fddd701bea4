// keys.cpp -- "keys.txt" of either game on any bytes: every action ends up
// with one to eight real keys, none of them a key the program keeps, the
// notes stay few, and topdown reads the file, steers and shows its keys.
#include <allegro.h>

#include <cstring>

#include "controls.h"
#include "fuzz.h"
#include "keys_file.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

static void check_actions(const std::vector<key_action> &actions, const std::vector<kept_key> &kept) {
  for (const key_action &a : actions) {
    FUZZ_CHECK(!a.keys.empty() && a.keys.size() <= KEYS_PER_ACTION);
    for (int k : a.keys) {
      FUZZ_CHECK(*key_name(k) != '\0');
      for (const kept_key &c : kept) FUZZ_CHECK(c.key != k);
    }
  }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_write(KEYS_FILE, data, size);
  // sideview's actions and kept keys.
  std::vector<kept_key> kept = {{KEY_ESC, "ends the game"}, {KEY_ENTER, "moves the mums"}};
  std::vector<key_action> actions = {{"left", {KEY_LEFT}, 0},         {"right", {KEY_RIGHT}, 0},
                                     {"up", {KEY_UP}, 0},             {"down", {KEY_DOWN}, 0},
                                     {"jump", {KEY_RCONTROL, KEY_X}, 0}, {"fire", {KEY_ALTGR, KEY_Z}, 0}};
  std::vector<std::string> notes;
  FUZZ_CHECK(read_keys_file(KEYS_FILE, actions, kept, notes));
  check_actions(actions, kept);
  // At most the single-line notes, their count, the size and a clash per
  // pair of actions and key.
  FUZZ_CHECK(notes.size() <= KEYS_NOTES_MAX + 2 + 15 * KEYS_PER_ACTION);
  for (const std::string &n : notes) FUZZ_CHECK(n.compare(0, strlen(KEYS_FILE), KEYS_FILE) == 0);

  // topdown as it starts: its three sets steer with every key held.
  controls_init();
  check_actions(key_table, {{KEY_ESC, ""}, {KEY_P, ""}, {KEY_PAUSE, ""}, {KEY_F1, ""}, {KEY_F11, ""}});
  memset((void *)key, 1, KEY_MAX);
  for (int s = 0; s < N_KEY_SETS; s++) FUZZ_CHECK(keys_word(s) == 0x3F);
  memset((void *)key, 0, KEY_MAX);
  for (int s = 0; s < N_KEY_SETS; s++) FUZZ_CHECK(keys_word(s) == 0);
  FUZZ_CHECK(keys_lines().size() >= N_KEY_SETS * (N_CONTROLS + 1));
  return 0;
}
