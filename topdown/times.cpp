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
const char *const TIMES_BAD_FILE = "times.txt.bad";

// The program never writes more than 198 records: a longer file is damaged,
// and only this much of it is read.
static const size_t MAX_TIMES_FILE = 64 * 1024;

// At most this many bad lines are named one by one in the log.
static const int MAX_LOGGED_LINES = 10;

typedef int Records[TIMES_COURSES + 1][3];

// best[course][players] in logic steps, 0 = none.
static Records best;

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

// parse_records
// Every line that is a record goes into out (the fastest of repeated
// ones); the numbers of the other lines, blank and comment lines aside,
// go into bad.
static void parse_records(const std::string &text, Records &out, std::vector<int> &bad) {
  memset(out, 0, sizeof out);
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); number++) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const char *p = line.c_str();
    long course, players, steps;
    if (line.find('\0') != std::string::npos || !read_number(p, course) ||
        !read_number(p, players) || !read_number(p, steps) ||
        !valid((int)course, (int)players) || steps < 1) {
      bad.push_back(number);
      continue;
    }
    // What follows is the time as shown, for the reader; the steps count.
    int &slot = out[course][players];
    if (slot == 0 || steps < slot) slot = (int)steps;
  }
}

std::vector<int> times_parse(const std::string &text) {
  std::vector<int> bad;
  parse_records(text, best, bad);
  return bad;
}

// What reading the file found.
struct TimesFile {
  bool there;              // the file exists (readable or not)
  bool readable;
  bool cut;                // longer than MAX_TIMES_FILE: the rest unread
  std::string text;        // its bytes, up to the last whole line kept
  Records records;
  std::vector<int> bad;    // lines that are not records
  bool damaged() const { return cut || !bad.empty(); }
};

// read_times_file
// Reads and parses TIMES_FILE. A file cut at the size limit loses its last,
// partial line too, so that "1 1 2000" never reads as "1 1 20".
static void read_times_file(TimesFile &t) {
  t.there = t.readable = t.cut = false;
  t.text.clear();
  t.bad.clear();
  memset(t.records, 0, sizeof t.records);
  FILE *f = fopen(TIMES_FILE, "rb");
  if (!f) {
    t.there = errno != ENOENT;
    return;
  }
  t.there = t.readable = true;
  char chunk[4096];
  size_t n;
  while (t.text.size() <= MAX_TIMES_FILE && (n = fread(chunk, 1, sizeof chunk, f)) > 0)
    t.text.append(chunk, n);
  if (ferror(f)) t.readable = false;
  fclose(f);
  if (t.text.size() > MAX_TIMES_FILE) {
    t.cut = true;
    t.text.resize(MAX_TIMES_FILE);
    size_t end = t.text.rfind('\n');
    t.text.resize(end == std::string::npos ? 0 : end + 1);
  }
  parse_records(t.text, t.records, t.bad);
}

// Names what was skipped in the log.
static void log_damage(const TimesFile &t) {
  if (!fr) return;
  int shown = 0;
  for (int line : t.bad)
    if (shown++ < MAX_LOGGED_LINES)
      fprintf(fr, "\"%s\" line %d is not a record: skipped\n", TIMES_FILE, line);
  if (shown > MAX_LOGGED_LINES)
    fprintf(fr, "\"%s\": %d more lines skipped\n", TIMES_FILE, shown - MAX_LOGGED_LINES);
  if (t.cut)
    fprintf(fr, "\"%s\" is longer than %d bytes: the rest is skipped\n", TIMES_FILE,
            (int)MAX_TIMES_FILE);
}

// times_load
// A missing file is simply no records yet; bad lines are skipped and named
// in the log, every good record is kept.
void times_load() {
  TimesFile t;
  read_times_file(t);
  memcpy(best, t.records, sizeof best);
  if (t.there && !t.readable && fr)
    fprintf(fr, "Couldn't read file \"%s\": no best times\n", TIMES_FILE);
  log_damage(t);
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

// save_times
// Takes in the records the file holds now (another run may have written
// some), then rewrites it. A damaged file is first kept as TIMES_BAD_FILE;
// a file that can't be read, or kept, is not written over.
static void save_times() {
  TimesFile t;
  read_times_file(t);
  if (t.there && !t.readable) {
    if (fr) fprintf(fr, "Couldn't read file \"%s\": not rewritten\n", TIMES_FILE);
    return;
  }
  for (int c = 1; c <= TIMES_COURSES; c++)
    for (int p = 1; p <= 2; p++) {
      int theirs = t.records[c][p];
      if (theirs && (!best[c][p] || theirs < best[c][p])) best[c][p] = theirs;
    }
  if (t.damaged()) {
    log_damage(t);
    // The whole old file, not only the part read.
    std::string old;
    if (FILE *f = fopen(TIMES_FILE, "rb")) {
      char chunk[4096];
      size_t n;
      while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) old.append(chunk, n);
      fclose(f);
    }
    if (!write_file_atomic(TIMES_BAD_FILE, old.data(), old.size())) {
      if (fr) fprintf(fr, "Couldn't write file \"%s\": \"%s\" not rewritten\n",
                      TIMES_BAD_FILE, TIMES_FILE);
      return;
    }
    if (fr) fprintf(fr, "The old \"%s\" is kept as \"%s\"\n", TIMES_FILE, TIMES_BAD_FILE);
  }
  std::string text = times_text();
  if (!write_file_atomic(TIMES_FILE, text.data(), text.size()) && fr)
    fprintf(fr, "Couldn't write file \"%s\"\n", TIMES_FILE);
}

// record_time
// A faster finish replaces the record and is written at once, so that it
// survives whatever happens to the program later.
bool record_time(int course, int players, int steps) {
  if (!valid(course, players) || steps < 1) return false;
  int &slot = best[course][players];
  if (slot != 0 && steps >= slot) return false;
  slot = steps;
  save_times();
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
