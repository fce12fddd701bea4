// save_driver.h -- what the two editors' save drivers share: two large
// versions of a course and its attribute table, Allegro without a display,
// and the loop that puts one and then the other in the editor and presses
// its S key, for ever, until the test kills the program. A driver includes
// its editor's maped.h first (maped_key and the dialog hooks are its).
//
//   DRIVER prepare NAME   writes the reference files NAME.a, NAME.b,
//                         tileattr.a, tileattr.b (plain writes) and saves
//                         version a as NAME through the editor
//   DRIVER save NAME      saves b, a, b, a ... as NAME through the editor
#ifndef SAVE_DRIVER_H
#define SAVE_DRIVER_H

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "course_file.h"
#include "log.h"
#include "question.h"

// Version v (0 or 1) of the course: 256 x 256 tiles and 256 insertions,
// every byte of the file depending on v, and of the attribute table.
inline void make_version(int v, Map &m, unsigned char attr[256]) {
  m.w = m.h = m.n = 256;
  for (int x = 0; x < 256; x++)
    for (int y = 0; y < 256; y++) m.t[x][y] = (unsigned char)(v ? x * 7 + y : x + y * 3 + 1);
  for (int i = 0; i < 256; i++) {
    m.ins[i] = Insertion{i * 32 + v, -i * 17 - v, 11 + i % 50 + v};
    attr[i] = (unsigned char)(v ? 255 - i : i);
  }
}

// The editor's file selector, alert and question as the driver answers
// them: the selector takes the name the driver chose; an alert means the
// save failed, which ends the driver (the test then fails: it ended by
// itself).
static const char *chosen_name;

inline bool select_chosen_name(const char *, char *name, int size) {
  snprintf(name, size, "%s", chosen_name);
  return true;
}

inline void alert_and_fail(const char *line1, const char *line2) {
  fprintf(stderr, "%s %s\n", line1, line2 ? line2 : "");
  exit(1);
}

// The editor asks before a save replaces a course it did not load (each
// run of the driver starts with no file name): the driver answers Y.
inline int answer_yes(const Question &q) { return question_key_answer(q, 'y'); }

// press_save
// The editor's S key, with the selector answering name.
inline void press_save(const char *name) {
  chosen_name = name;
  maped_key(KEY_S << 8);
}

inline bool write_plain(const std::string &name, const void *data, size_t size) {
  FILE *f = fopen(name.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(data, 1, size, f) == size;
  return fclose(f) == 0 && ok;
}

// save_driver_main
// The driver, with put() handing a course and table to the editor.
inline int save_driver_main(int argc, char **argv,
                            void (*put)(const Map &m, const unsigned char attr[256])) {
  install_allegro(SYSTEM_NONE, &errno, atexit);
  fr = fopen("report.txt", "w");
  maped_select_file = select_chosen_name;
  maped_alert = alert_and_fail;
  maped_ask = answer_yes;
  if (argc != 3) {
    fprintf(stderr, "usage: %s prepare|save NAME\n", argv[0]);
    return 2;
  }
  std::string what = argv[1], name = argv[2];
  static Map m;
  unsigned char attr[256];
  if (what == "prepare") {
    for (int v = 0; v < 2; v++) {
      make_version(v, m, attr);
      // The reference: the same course written by the shared writer to a
      // name of its own, and the table as it is.
      std::string ref = name + (v ? ".b" : ".a");
      if (!course_write(ref.c_str(), m) ||
          !write_plain(v ? "tileattr.b" : "tileattr.a", attr, 256))
        return 1;
    }
    make_version(0, m, attr);
    put(m, attr);
    press_save(name.c_str());
    return 0;
  }
  for (int v = 1;; v ^= 1) {
    make_version(v, m, attr);
    put(m, attr);
    press_save(name.c_str());
  }
}

#endif
