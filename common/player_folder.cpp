// player_folder.cpp -- the player's own folder beside an installed program
#include "player_folder.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "course_file.h"  // write_file_atomic

const char *const INSTALLED_MARK = "installed.txt";
const char *const INSTALL_RECORD = "install-record.txt";
const long LINK_SIZE = 256 * 1024;

// The project's folder under the data home.
static const char PROJECT[] = "tilegames";
// A record larger than this is not one a program wrote: it is ignored.
static const long MAX_RECORD = 1024 * 1024;

bool is_install_folder(const std::string &data) {
  struct stat st;
  std::string mark = data + "/" + INSTALLED_MARK;
  if (stat(mark.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return true;
  return access(data.c_str(), W_OK) != 0;
}

std::string player_folder_path(const std::string &name, const char *xdg_data_home,
                               const char *home) {
  std::string base;
  // A relative XDG_DATA_HOME is not to be used, as if it were unset.
  if (xdg_data_home && xdg_data_home[0] == '/')
    base = xdg_data_home;
  else if (home && home[0] == '/')
    base = std::string(home) + "/.local/share";
  else
    return "";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  if (base == "/") base.clear();
  return base + "/" + PROJECT + "/" + name;
}

std::string from_install_name(const std::string &name) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return name + ".from-install";
  return name.substr(0, dot) + ".from-install" + name.substr(dot);
}

// ---------------------------------------------------------------------------
// Files

// FNV-1a, 64 bits: enough to tell a changed file from the one copied.
static uint64_t fnv(const unsigned char *p, size_t n, uint64_t h = 14695981039346656037ull) {
  for (size_t i = 0; i < n; i++) h = (h ^ p[i]) * 1099511628211ull;
  return h;
}

static std::string hex(uint64_t h) {
  char s[17];
  snprintf(s, sizeof s, "%016llx", (unsigned long long)h);
  return s;
}

// The whole of a file of at most max bytes into bytes; false if it can't be
// read or is larger.
static bool read_whole(const std::string &path, long max, std::string &bytes) {
  FILE *f = fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  char chunk[8192];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0 && (long)bytes.size() <= max)
    bytes.append(chunk, n);
  bool ok = !ferror(f) && (long)bytes.size() <= max;
  fclose(f);
  return ok;
}

// The hash of a file of any size; false if it can't be read.
static bool hash_file(const std::string &path, uint64_t &h) {
  FILE *f = fopen(path.c_str(), "rb");
  if (!f) return false;
  h = fnv(nullptr, 0);
  unsigned char chunk[8192];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) h = fnv(chunk, n, h);
  bool ok = !ferror(f);
  fclose(f);
  return ok;
}

// Makes path and its missing parents, private to the player as the data
// home should be.
static bool make_folders(const std::string &path) {
  for (size_t i = 1; i <= path.size(); i++) {
    if (i < path.size() && path[i] != '/') continue;
    std::string part = path.substr(0, i);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Points link at target, replacing a link that points elsewhere in one
// step (a new link under a scratch name, renamed over the old one).
static bool point_link(const std::string &link, const std::string &target) {
  std::string tmp = link + ".tmp";
  unlink(tmp.c_str());
  if (symlink(target.c_str(), tmp.c_str()) != 0) return false;
  if (rename(tmp.c_str(), link.c_str()) != 0) {
    unlink(tmp.c_str());
    return false;
  }
  return true;
}

// What a link points at ("" if it is none).
static std::string link_target(const std::string &path) {
  for (size_t size = 256; size <= (1u << 20); size *= 2) {
    std::string buf(size, '\0');
    ssize_t n = readlink(path.c_str(), &buf[0], size);
    if (n < 0) return "";
    if ((size_t)n < size) return buf.substr(0, (size_t)n);
  }
  return "";
}

// ---------------------------------------------------------------------------
// The record: "HASH NAME" a line, for each file last copied from the
// install, so that a later start can tell a file the player changed from
// one only a newer install did.

typedef std::map<std::string, std::string> Record;

// A name the record may hold: a plain file name of the folder.
static bool plain_name(const std::string &name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

// Reads the record; a missing or damaged one is an empty record (every
// file that differs then counts as the player's, the safe way round), a
// damaged line is skipped.
static Record read_record(const std::string &path, std::string &text) {
  Record r;
  if (!read_whole(path, MAX_RECORD, text)) {
    text.clear();
    return r;
  }
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (line.size() < 18 || line[0] == '#' || line[16] != ' ') continue;
    std::string h = line.substr(0, 16), name = line.substr(17);
    if (h.find_first_not_of("0123456789abcdef") != std::string::npos || !plain_name(name))
      continue;
    r[name] = h;
  }
  return r;
}

static std::string record_text(const Record &r, const std::string &install) {
  std::string s = "# The files last copied here from \"" + install +
                   "\" (hash, name): a file that\n"
                   "# no longer has its hash was changed here and is kept.\n";
  for (const auto &e : r) s += e.second + " " + e.first + "\n";
  return s;
}

// ---------------------------------------------------------------------------
// Bringing the player's folder up to date

// What update_player_folder does for one installed entry.
struct Updater {
  std::string install, player;
  Record record;
  std::vector<std::string> &notes;
  int copied = 0, updated = 0;

  std::string there(const std::string &name) const { return install + "/" + name; }
  std::string here(const std::string &name) const { return player + "/" + name; }

  // A large file or a folder: a link to the installed one, unless the
  // player put something of their own in its place.
  void link(const std::string &name) {
    std::string p = here(name), target = there(name);
    struct stat st;
    if (lstat(p.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
      notes.push_back("Using the player's own \"" + name + "\" instead of the installed one");
      return;
    }
    if (lstat(p.c_str(), &st) == 0 && link_target(p) == target) return;
    if (!point_link(p, target)) notes.push_back("Couldn't link \"" + p + "\" to \"" + target + "\"");
  }

  bool write(const std::string &path, const std::string &bytes) {
    if (write_file_atomic(path.c_str(), bytes.data(), bytes.size())) return true;
    notes.push_back("Couldn't write file \"" + path + "\"");
    return false;
  }

  // A small file: a copy of the installed one, kept up to date unless the
  // player changed it.
  void copy(const std::string &name) {
    std::string bytes;
    if (!read_whole(there(name), LINK_SIZE, bytes)) {
      notes.push_back("Couldn't read the installed file \"" + there(name) + "\"");
      return;
    }
    std::string fresh = hex(fnv((const unsigned char *)bytes.data(), bytes.size()));
    std::string p = here(name), beside = here(from_install_name(name));
    struct stat st;
    if (lstat(p.c_str(), &st) != 0 || S_ISLNK(st.st_mode)) {
      // Not there yet, or a link from when the installed file was large.
      if (write(p, bytes)) {
        record[name] = fresh;
        copied++;
      }
      return;
    }
    uint64_t h;
    if (!S_ISREG(st.st_mode) || !hash_file(p, h)) {
      notes.push_back("Kept \"" + p + "\", which is not a file that can be read");
      return;
    }
    std::string mine = hex(h);
    if (mine == fresh) {
      record[name] = fresh;
      unlink(beside.c_str());
      return;
    }
    auto last = record.find(name);
    if (last != record.end() && last->second == mine) {
      // Only the install changed it: take the new version.
      if (write(p, bytes)) {
        record[name] = fresh;
        unlink(beside.c_str());
        updated++;
      }
      return;
    }
    // The player's own version: kept, the installed one put beside it.
    uint64_t hb;
    if (!(hash_file(beside, hb) && hex(hb) == fresh) && !write(beside, bytes)) return;
    notes.push_back("Kept \"" + name + "\", changed here; the installed version is beside it as \"" +
                    from_install_name(name) + "\"");
  }
};

// The entries of a folder worth bringing over, in name order: no hidden
// files, scratch files, notes of earlier starts or versions kept beside.
static bool list_install(const std::string &install, std::vector<std::string> &names) {
  DIR *d = opendir(install.c_str());
  if (!d) return false;
  while (struct dirent *e = readdir(d)) {
    std::string name = e->d_name;
    if (name.empty() || name[0] == '.' || name == INSTALLED_MARK || name == INSTALL_RECORD ||
        name == "report.txt" || name.find(".from-install") != std::string::npos ||
        name.find(".from-build") != std::string::npos ||
        (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0))
      continue;
    names.push_back(name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return true;
}

// update_player_folder
// Programs (executable files) are not brought over: they run from the
// install.
bool update_player_folder(const std::string &install, const std::string &player,
                          std::vector<std::string> &notes, std::string &why) {
  std::vector<std::string> names;
  if (!list_install(install, names)) {
    why = "can't read the folder \"" + install + "\"";
    return false;
  }
  if (!make_folders(player)) {
    why = "can't make the folder \"" + player + "\"";
    return false;
  }
  Updater u{install, player, {}, notes};
  std::string old_text;
  u.record = read_record(u.here(INSTALL_RECORD), old_text);
  for (const std::string &name : names) {
    struct stat st;
    if (stat(u.there(name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      u.link(name);
    else if (!S_ISREG(st.st_mode) || (st.st_mode & 0111))
      continue;
    else if (st.st_size > LINK_SIZE)
      u.link(name);
    else
      u.copy(name);
  }
  if (u.copied)
    notes.push_back("Copied " + std::to_string(u.copied) + " file(s) from \"" + install + "\"");
  if (u.updated)
    notes.push_back("Took " + std::to_string(u.updated) + " newer file(s) from \"" + install + "\"");
  std::string text = record_text(u.record, install);
  if (text != old_text &&
      !write_file_atomic(u.here(INSTALL_RECORD).c_str(), text.data(), text.size()))
    notes.push_back("Couldn't write file \"" + u.here(INSTALL_RECORD) + "\"");
  return true;
}

// The folder a path names, without trailing slashes, for its last name.
static std::string last_name(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return name.empty() || name == "/" || name == "." || name == ".." ? PROJECT : name;
}

static const char *home_folder() {
  const char *home = getenv("HOME");
  if (home && home[0] == '/') return home;
  struct passwd *pw = getpwuid(getuid());
  return pw ? pw->pw_dir : nullptr;
}

// enter_player_folder
std::string enter_player_folder(const std::string &data, std::vector<std::string> &notes,
                                std::string &why) {
  if (!is_install_folder(data)) return "";
  std::string player = player_folder_path(last_name(data), getenv("XDG_DATA_HOME"), home_folder());
  if (player.empty()) {
    why = "no home folder is known";
    return "";
  }
  std::vector<std::string> found;
  if (!update_player_folder(data, player, found, why)) return "";
  if (chdir(player.c_str()) != 0) {
    why = "can't enter the folder \"" + player + "\"";
    return "";
  }
  notes.push_back("Running in \"" + player + "\", the player's folder for the installed files of \"" +
                  data + "\"");
  notes.insert(notes.end(), found.begin(), found.end());
  return player;
}
