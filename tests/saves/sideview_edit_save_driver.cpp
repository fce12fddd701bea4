// sideview_edit_save_driver.cpp -- sideview's level editor saving a large
// level again and again through its own S key (save_driver.h).
#include <cstring>

#include "maped.h"
#include "save_driver.h"
#include "tile.h"

static void put(const Map &m, const unsigned char attr[256]) {
  map = m;
  for (int i = 0; i < 256; i++) tiles[i].attribute = attr[i];
}

int main(int argc, char **argv) { return save_driver_main(argc, argv, put); }
