// edit_keys.h -- sideview_edit's keys as its keys screen (F10) lists them
#ifndef SIDEVIEW_EDIT_EDIT_KEYS_H
#define SIDEVIEW_EDIT_EDIT_KEYS_H

#include <vector>

#include "key_screen.h"

// The keys and mouse buttons of the level editor.
std::vector<KeyHelp> sideview_edit_keys();

#endif
