// file_dialog.cpp -- the editors' file selector
#include "file_dialog.h"

#include <allegro.h>

#include <cstdio>
#include <string>
#include <vector>

#include "click_latch.h"
#include "desktop.h"
#include "file_name.h"

bool select_file_name(const char *title, const char *ext, char *name, int size,
                      void (*alert)(const char *, const char *)) {
  std::vector<char> path(working_folder().size() + 1024, '\0');
  snprintf(path.data(), path.size(), "%s", name);
  int ok = desktop_dialog(
      [&] { return file_select_ex(title, path.data(), ext, (int)path.size(), 0, 0); });
  click_latch_clear();
  if (!ok) return false;
  path.back() = '\0';
  if (store_file_name(path.data(), name, size)) return true;
  alert("That file name is too long:", path.data());
  return false;
}
