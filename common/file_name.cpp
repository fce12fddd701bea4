// file_name.cpp -- fitting a chosen file name into a name buffer
#include "file_name.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

std::string working_folder() {
  char *cwd = getcwd(nullptr, 0);
  std::string s = cwd ? cwd : "";
  free(cwd);
  return s;
}

// store_file_name
// A selector gives whole paths; the editors keep names of up to 80
// characters, so a path inside the working folder is kept relative to it.
bool store_file_name(const char *chosen, char *name, int size) {
  size_t len = strlen(chosen);
  if (len < (size_t)size) {
    memcpy(name, chosen, len + 1);
    return true;
  }
  std::string cwd = working_folder();
  if (cwd.empty()) return false;
  size_t cl = cwd.size();
  if (cwd[cl - 1] == '/') cl--;  // the root folder "/"
  if (strncmp(chosen, cwd.c_str(), cl) != 0 || chosen[cl] != '/') return false;
  const char *rest = chosen + cl + 1;
  len = strlen(rest);
  if (len == 0 || len >= (size_t)size) return false;
  memcpy(name, rest, len + 1);
  return true;
}

std::string file_base_name(const char *name) {
  const char *slash = strrchr(name, '/');
  return slash ? slash + 1 : name;
}

bool same_file(const char *a, const char *b) {
  struct stat sa, sb;
  return stat(a, &sa) == 0 && stat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}
