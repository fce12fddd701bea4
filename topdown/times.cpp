// times.cpp -- best finishing times per course and number of players
#include "times.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "course_file.h"
#include "log.h"

const char *const TIMES_FILE = "times.txt";

// A file larger than this is not one the program wrote: damaged.
static const long MAX_TIMES_FILE = 64 * 1024;

// best[course][players] in logic steps, 0 = none.
static int best[TIMES_COURSES + 1][3];

static bool valid(int course, int players) {
  return course >= 1 && course <= TIMES_COURSES && players >= 1 && players <= 2;
}

// Reads one whole number from s at p (skipping blanks before it) into v.
// False if there is none or it does not fit.
static bool read_number(const char *&p, long &v) {
  while (*p == ' ' || *p == '\t') p++;
  if (*p < '0' || *p > '9') return false;
  char *end;
  errno = 0;
  v = strtol(p, &end, 10);
  if (errno || v > INT_MAX) return false;
  p = end;
  return *p == '\0' || *p == ' ' || *p == '\t';
}

bool times_parse(const std::string &text) {
  static int got[TIMES_COURSES + 1][3];
  memset(got, 0, sizeof got);
  memset(best, 0, sizeof best);
  if (text.find('\0') != std::string::npos) return false;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const char *p = line.c_str();
    long course, players, steps;
    if (!read_number(p, course) || !read_number(p, players) ||
        !read_number(p, steps) || !valid((int)course, (int)players) || steps < 1)
      return false;
    // What follows is the time as shown, for the reader; the steps count.
    int &slot = got[course][players];
    if (slot == 0 || steps < slot) slot = (int)steps;
  }
  memcpy(best, got, sizeof best);
  return true;
}

// times_load
// A missing file is simply no records yet; a damaged one is noted in the log.
void times_load() {
  memset(best, 0, sizeof best);
  FILE *f = fopen(TIMES_FILE, "rb");
  if (!f) return;
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0 &&
         (long)text.size() <= MAX_TIMES_FILE)
    text.append(chunk, n);
  fclose(f);
  if ((long)text.size() > MAX_TIMES_FILE || !times_parse(text)) {
    memset(best, 0, sizeof best);
    if (fr) fprintf(fr, "\"%s\" is damaged: no best times\n", TIMES_FILE);
  }
}

std::string times_text() {
  std::string s =
      "# Best times of topdown: course, players, logic steps (50 a second),\n"
      "# and the time as shown.\n";
  char line[64];
  for (int c = 1; c <= TIMES_COURSES; c++)
    for (int p = 1; p <= 2; p++)
      if (best[c][p]) {
        snprintf(line, sizeof line, "%d %d %d %s\n", c, p, best[c][p],
                 format_time(best[c][p]).c_str());
        s += line;
      }
  return s;
}

int best_time(int course, int players) {
  return valid(course, players) ? best[course][players] : 0;
}

// record_time
// A faster finish replaces the record and is written at once, so that it
// survives whatever happens to the program later.
bool record_time(int course, int players, int steps) {
  if (!valid(course, players) || steps < 1) return false;
  int &slot = best[course][players];
  if (slot != 0 && steps >= slot) return false;
  slot = steps;
  std::string text = times_text();
  if (!write_file_atomic(TIMES_FILE, text.data(), text.size()) && fr)
    fprintf(fr, "Couldn't write file \"%s\"\n", TIMES_FILE);
  return true;
}

// format_time
// Tenths are whole fifths of steps, as on the heads-up display.
std::string format_time(int steps) {
  int tenths = steps / 5;
  char s[32];
  snprintf(s, sizeof s, "%d:%02d.%d", tenths / 600, (tenths / 10) % 60, tenths % 10);
  return s;
}

std::string best_time_label(int course, int players) {
  int t = best_time(course, players);
  return t ? "best " + format_time(t) : "";
}
