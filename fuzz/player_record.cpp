// player_record.cpp -- the player's folder of an installed program on any
// "install-record.txt": whatever the record says, the update succeeds, a
// file the player changed ends either kept with the install's version
// beside it or, only when the record vouches for it, replaced; a file the
// player left alone follows the install; the record written back is well
// formed, and a second update changes nothing.
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz.h"
#include "player_folder.h"

static std::string install, player;
static const std::string MINE = "the player's course", NEW_COURSE = "course one, new",
                         ATTRIBUTES = "attributes";

static std::string text_of(const std::string &path) {
  std::string s;
  FILE *f = fopen(path.c_str(), "rb");
  if (!f) return "<none>";
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) s.append(chunk, n);
  fclose(f);
  return s;
}

static void put(const std::string &path, const std::string &text) {
  fuzz_write(path.c_str(), (const uint8_t *)text.data(), text.size());
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  install = fuzz_scratch() + "/install";
  player = fuzz_scratch() + "/player";
  FUZZ_CHECK(mkdir(install.c_str(), 0755) == 0 && mkdir(player.c_str(), 0755) == 0);
  put(install + "/m01.map", NEW_COURSE);
  put(install + "/tileattr.wz", ATTRIBUTES);
  return 0;
}

// The lines of a record as written: a comment, or 16 hex digits, a space
// and a plain name.
static bool well_formed(const std::string &text) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) return false;  // every line ends
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line[0] == '#') continue;
    if (line.size() < 18 || line[16] != ' ' ||
        line.find_first_not_of("0123456789abcdef") != 16 ||
        line.find('/', 17) != std::string::npos)
      return false;
  }
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  for (const char *name : {"m01.map", "m01.from-install.map", "tileattr.wz",
                           "tileattr.from-install.wz", "install-record.txt"})
    unlink((player + "/" + name).c_str());
  put(player + "/m01.map", MINE);
  put(player + "/tileattr.wz", ATTRIBUTES);
  fuzz_write((player + "/" + INSTALL_RECORD).c_str(), data, size);

  std::vector<std::string> notes;
  std::string why;
  FUZZ_CHECK(update_player_folder(install, player, notes, why));
  std::string course = text_of(player + "/m01.map"), beside = text_of(player + "/m01.from-install.map");
  FUZZ_CHECK((course == MINE && beside == NEW_COURSE) || (course == NEW_COURSE && beside == "<none>"));
  FUZZ_CHECK(text_of(player + "/tileattr.wz") == ATTRIBUTES);
  FUZZ_CHECK(text_of(player + "/tileattr.from-install.wz") == "<none>");
  std::string record = text_of(player + "/" + INSTALL_RECORD);
  FUZZ_CHECK(well_formed(record));

  FUZZ_CHECK(update_player_folder(install, player, notes, why));
  FUZZ_CHECK(text_of(player + "/m01.map") == course);
  FUZZ_CHECK(text_of(player + "/" + INSTALL_RECORD) == record);
  return 0;
}
