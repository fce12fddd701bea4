// topdown_save_driver.cpp -- topdown's course editor saving a large course
// again and again through its own S key (save_driver.h).
#include <cstring>

#include "maped.h"
#include "save_driver.h"
#include "share.h"

static void put(const Map &m, const unsigned char attr[256]) {
  map = m;
  memcpy(tile_attr, attr, 256);
}

int main(int argc, char **argv) { return save_driver_main(argc, argv, put); }
