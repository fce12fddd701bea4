// keys.h -- topdown's keys as its keys screens list them: F1 in the menu
// and in a race, F10 in the course editor
#ifndef KEYS_H
#define KEYS_H

#include <vector>

#include "key_screen.h"

// The keys of the menu and of a race, or with editor those of the course
// editor.
std::vector<KeyHelp> topdown_keys(bool editor);

#endif
