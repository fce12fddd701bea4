// keys_file.h -- "keys.txt": the keys a player chooses for each action of a
// game, and the names of Allegro's keys
//
// The file is optional and lives in the program's folder. A line gives an
// action its keys by Allegro's key names, "#" starts a comment:
//
//   jump = KEY_X KEY_SPACE    # two keys: either one jumps
//
// Names are matched without regard to case; keys may also be parted by
// commas. An action the file does not name keeps its usual keys. A line
// that can't be read is skipped and told in a note ("keys.txt line 3:
// ..."), and the rest of the file is used.
#ifndef KEYS_FILE_H
#define KEYS_FILE_H

#include <string>
#include <vector>

// The file both games read their keys from.
extern const char KEYS_FILE[];

enum {
  KEYS_PER_ACTION = 8,         // the most keys one action can have
  KEYS_FILE_MAX = 64 * 1024,   // bytes of the file that are read
  KEYS_NOTES_MAX = 20,         // notes on single lines; the rest are counted
};

// An action a player can give keys to: its name in the file ("jump",
// "p1.fire"), the KEY_ codes in force (its usual keys until the file says
// otherwise) and its group: actions that one player (or two playing at
// once) may hold together. A key given to two actions of a group is noted.
struct key_action {
  const char *name;
  std::vector<int> keys;
  int group;
};

// A key the program keeps for itself, with what it does there ("ends the
// game"): no action may have it.
struct kept_key {
  int key;
  const char *use;
};

// The KEY_ code of an Allegro key name such as "KEY_X" (any case), or 0.
int key_code(const std::string &name);
// The Allegro name of a code, "KEY_X"; "" for none.
const char *key_name(int code);
// The name a player knows the key by: "X", "Right Ctrl", "Space"; "" for
// none.
const char *key_label(int code);
// The labels of the keys, parted by ", ".
std::string key_labels(const std::vector<int> &keys);

// Reads the text of a keys file over the actions. Every line that can't
// be read adds a note beginning with source and its line number.
void read_keys_text(const std::string &text, const char *source, std::vector<key_action> &actions,
                    const std::vector<kept_key> &kept, std::vector<std::string> &notes);

// The same from the file named; false (nothing changed, no note) when it
// can't be opened. Only its first KEYS_FILE_MAX bytes are read.
bool read_keys_file(const char *name, std::vector<key_action> &actions,
                    const std::vector<kept_key> &kept, std::vector<std::string> &notes);

// A game's keys at start-up: read_keys_file on KEYS_FILE, each note a line
// of the log.
void read_keys_file_to_log(std::vector<key_action> &actions, const std::vector<kept_key> &kept);

#endif
