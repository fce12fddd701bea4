// keys.h -- sideview's keys as its keys screen (F1) lists them
#ifndef SIDEVIEW_KEYS_H
#define SIDEVIEW_KEYS_H

#include <vector>

#include "key_screen.h"

// The keys of the credits and of a level.
std::vector<KeyHelp> sideview_keys();

#endif
