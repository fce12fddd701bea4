// replay.cpp -- replay files: the text format, reading, writing, checks
#include "replay.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "log.h"

static const char *const REPLAY_FOLDER = "replays";

// A file larger than this is not one the program wrote: every step its own
// run, at most "180000 3f3f" a line.
static const long MAX_REPLAY_FILE = 16L * MAX_REPLAY_STEPS + 4096;

int Replay::steps() const {
  long long n = 0;
  for (const ControlRun &r : runs) n += r.steps;
  return n > MAX_REPLAY_STEPS ? MAX_REPLAY_STEPS + 1 : (int)n;
}

void Replay::add(int word) {
  if (!runs.empty() && runs.back().word == word)
    runs.back().steps++;
  else
    runs.push_back(ControlRun{1, word});
}

void Replay::cut(int n) {
  size_t i = 0;
  for (; i < runs.size() && n > 0; i++) {
    if (runs[i].steps > n) runs[i].steps = n;
    n -= runs[i].steps;
  }
  runs.resize(i);
}

// course_check
// FNV-1a over the course file's bytes, then the attribute table.
unsigned course_check(const Map &m, const unsigned char attr[256]) {
  unsigned h = 2166136261u;
  auto mix = [&h](unsigned char b) { h = (h ^ b) * 16777619u; };
  for (char c : course_bytes(m)) mix((unsigned char)c);
  for (int i = 0; i < 256; i++) mix(attr[i]);
  return h;
}

std::string replay_file_name(int course, int players) {
  char name[64];
  snprintf(name, sizeof name, "%s/m%02d-%dp.replay", REPLAY_FOLDER, course, players);
  return name;
}

std::string replay_text(const Replay &r) {
  std::string s;
  char line[128];
  snprintf(line, sizeof line,
           "# topdown replay: the run that set the best time (see replay.h)\n"
           "replay %d\ncourse %d\ncheck %08x\nplayers %d\ncountry %d\n",
           REPLAY_VERSION, r.course, r.check, r.players, r.usa ? 1 : 0);
  s += line;
  snprintf(line, sizeof line, "seed %u\nfinish %d\nsteps %d\n", r.seed, r.finish, r.steps());
  s += line;
  for (const ControlRun &run : r.runs) {
    snprintf(line, sizeof line, "%d %x\n", run.steps, run.word);
    s += line;
  }
  s += "end\n";
  return s;
}

// ---------------------------------------------------------------------------
// Reading

// One number in the given base from the whole of word, within lo ... hi.
// Digits only: no sign, no blanks, no "0x".
static bool number(const std::string &word, int base, unsigned long long lo,
                   unsigned long long hi, unsigned long long &v) {
  if (word.empty() || word.size() > 12) return false;
  v = 0;
  for (char c : word) {
    int d = c >= '0' && c <= '9' ? c - '0'
            : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
            : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
    if (d < 0) return false;
    v = v * base + d;
  }
  return v >= lo && v <= hi;
}

// The lines of the text that count: comments and blank lines dropped, a
// carriage return before the line end taken off, split into words.
static std::vector<std::vector<std::string>> significant_lines(const std::string &text) {
  std::vector<std::vector<std::string>> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> words;
    std::istringstream ws(line);
    std::string w;
    while (ws >> w) words.push_back(w);
    out.push_back(words);
  }
  return out;
}

bool replay_parse(const std::string &text, Replay &r) {
  if (text.find('\0') != std::string::npos) return false;
  std::vector<std::vector<std::string>> lines = significant_lines(text);
  struct Field {
    const char *name;
    int base;
    unsigned long long lo, hi;
  };
  static const Field header[] = {
      {"replay", 10, REPLAY_VERSION, REPLAY_VERSION},
      {"course", 10, 1, 99},
      {"check", 16, 0, 0xFFFFFFFFu},
      {"players", 10, 1, 2},
      {"country", 10, 0, 1},
      {"seed", 10, 0, 0xFFFFFFFFu},
      {"finish", 10, 0, MAX_REPLAY_STEPS - 1},
      {"steps", 10, 1, MAX_REPLAY_STEPS},
  };
  const size_t n_header = sizeof header / sizeof header[0];
  unsigned long long v[n_header];
  if (lines.size() < n_header + 1) return false;
  for (size_t i = 0; i < n_header; i++) {
    const std::vector<std::string> &l = lines[i];
    if (l.size() != 2 || l[0] != header[i].name ||
        !number(l[1], header[i].base, header[i].lo, header[i].hi, v[i]))
      return false;
  }
  r = Replay();
  r.course = (int)v[1];
  r.check = (unsigned)v[2];
  r.players = (int)v[3];
  r.usa = v[4] == 1;
  r.seed = (unsigned)v[5];
  r.finish = (int)v[6];
  long long steps = (long long)v[7];
  if (steps != r.finish + 1LL) return false;
  long long total = 0;
  size_t i = n_header;
  for (; i < lines.size(); i++) {
    const std::vector<std::string> &l = lines[i];
    if (l.size() == 1 && l[0] == "end") break;
    unsigned long long count, word;
    if (l.size() != 2 || !number(l[0], 10, 1, MAX_REPLAY_STEPS, count) ||
        !number(l[1], 16, 0, 0xFFFF, word))
      return false;
    total += (long long)count;
    if (total > steps) return false;
    r.runs.push_back(ControlRun{(int)count, (int)word});
  }
  // "end" must be there and be the last line that counts.
  return i + 1 == lines.size() && total == steps;
}

bool replay_read(const char *name, Replay &r) {
  FILE *f = fopen(name, "rb");
  if (!f) return false;
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0 && (long)text.size() <= MAX_REPLAY_FILE)
    text.append(chunk, n);
  fclose(f);
  return (long)text.size() <= MAX_REPLAY_FILE && replay_parse(text, r);
}

// ---------------------------------------------------------------------------
// Writing and loading by course

bool replay_save(const Replay &r) {
  std::string name = replay_file_name(r.course, r.players);
  std::string text = replay_text(r);
  if ((mkdir(REPLAY_FOLDER, 0777) != 0 && errno != EEXIST) ||
      !write_file_atomic(name.c_str(), text.data(), text.size())) {
    if (fr) fprintf(fr, "Couldn't write file \"%s\"\n", name.c_str());
    return false;
  }
  return true;
}

ReplayStatus replay_load(int course, int players, unsigned check, Replay &r, bool log) {
  std::string name = replay_file_name(course, players);
  FILE *f = fopen(name.c_str(), "rb");
  if (!f) return REPLAY_NONE;
  fclose(f);
  if (!replay_read(name.c_str(), r) || r.course != course || r.players != players) {
    if (log && fr) fprintf(fr, "Replay \"%s\" is damaged: not used\n", name.c_str());
    return REPLAY_DAMAGED;
  }
  if (r.check != check) {
    if (log && fr)
      fprintf(fr, "Replay \"%s\" was run on another version of the course: not used\n",
              name.c_str());
    return REPLAY_CHANGED;
  }
  return REPLAY_USABLE;
}
