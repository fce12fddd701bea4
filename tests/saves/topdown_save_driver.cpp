// topdown_save_driver.cpp -- topdown's course editor saving a large course
// again and again through its own S key (save_driver.h).
#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "maped.h"
#include "save_driver.h"
#include "share.h"

static void put(const Map &m, const unsigned char attr[256]) {
  map = m;
  memcpy(tile_attr, attr, 256);
}

static void press_save(const char *name) {
  chosen_name = name;
  maped_key(KEY_S << 8);
}

int main(int argc, char **argv) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  fr = fopen("report.txt", "w");
  maped_select_file = select_chosen_name;
  maped_alert = alert_and_fail;
  maped_ask = answer_yes;
  return save_driver_main(argc, argv, Editor{put, press_save});
}
