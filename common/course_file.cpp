// course_file.cpp -- reading, writing and reshaping courses
#include "course_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "file_name.h"
#include "log.h"

// Two bytes, big-endian; a missing byte reads as EOF (-1).
static int read16(FILE *f) {
  int hi = getc(f);
  int lo = getc(f);
  return hi * 256 + lo;
}

// Four bytes, big-endian, taken as a signed 32-bit value. Missing bytes are
// -1 as in the rest of the reader; the sum is formed in 64 bits and wrapped.
static int read32(FILE *f) {
  long long v = 0;
  for (int i = 0; i < 4; i++) v = v * 256 + getc(f);
  return (int)(unsigned int)(unsigned long long)v;
}

void course_read(FILE *f, Map &m) {
  m.w = read16(f);
  m.h = read16(f);
  m.n = read16(f);
  // The header may announce more than the store can hold: read every byte
  // the file says is there, but keep only what fits. Once the file has
  // ended every further byte is -1, so the rest of the grid is filled
  // without reading on (a huge header on a short file must not spin).
  int kw = m.w < MAP_SIZE ? m.w : MAP_SIZE, kh = m.h < MAP_SIZE ? m.h : MAP_SIZE;
  for (int x = 0; x < m.w; x++)
    for (int y = 0; y < m.h; y++) {
      int c = getc(f);
      if (c == EOF) {
        for (int xx = x; xx < kw; xx++)
          for (int yy = (xx == x ? y : 0); yy < kh; yy++) m.t[xx][yy] = 255;
        x = m.w;
        break;
      }
      if (x < MAP_SIZE && y < MAP_SIZE) m.t[x][y] = (unsigned char)c;
    }
  // Nothing follows the insertions, so those past the ones kept are not
  // read at all (a count of 65535 on a short file would be 786,420 reads
  // of nothing).
  for (int i = 0; i < m.n && i < MAX_INSERTIONS; i++) {
    m.ins[i].x = read32(f);
    m.ins[i].y = read32(f);
    m.ins[i].code = read32(f);
  }
  if (m.w > MAP_SIZE) m.w = MAP_SIZE;
  if (m.h > MAP_SIZE) m.h = MAP_SIZE;
  if (m.n > MAX_INSERTIONS) m.n = MAX_INSERTIONS;
}

bool course_load(const char *name, Map &m) {
  FILE *f = fopen(name, "rb");
  if (!f) return false;
  course_read(f, m);
  fclose(f);
  return true;
}

// course_load_whole
// course_read stops at the end of a file and never reads past the bytes
// that the header announces: it has met the end exactly when the file is
// short.
CourseRead course_load_whole(const char *name, Map &m) {
  FILE *f = fopen(name, "rb");
  if (!f) return COURSE_UNOPENED;
  course_read(f, m);
  bool short_file = feof(f) != 0;
  fclose(f);
  return short_file ? COURSE_CUT_SHORT : COURSE_WHOLE;
}

long course_file_size(const Map &m) {
  long w = m.w > 0 ? m.w : 0, h = m.h > 0 ? m.h : 0, n = m.n > 0 ? m.n : 0;
  return 6 + w * h + 12 * n;
}

// The sizes as the file gets them: w, h within 0 ... 256, n within 0 ... 256.
static int clamp_size(int v, int most) { return v < 0 ? 0 : (v > most ? most : v); }

bool course_same_file(const Map &a, const Map &b) {
  int w = clamp_size(a.w, MAP_SIZE), h = clamp_size(a.h, MAP_SIZE),
      n = clamp_size(a.n, MAX_INSERTIONS);
  if (w != clamp_size(b.w, MAP_SIZE) || h != clamp_size(b.h, MAP_SIZE) ||
      n != clamp_size(b.n, MAX_INSERTIONS))
    return false;
  for (int x = 0; x < w; x++)
    if (memcmp(a.t[x], b.t[x], h) != 0) return false;
  for (int i = 0; i < n; i++)
    if (a.ins[i].x != b.ins[i].x || a.ins[i].y != b.ins[i].y ||
        a.ins[i].code != b.ins[i].code)
      return false;
  return true;
}

static void put16(std::string &s, int v) {
  s += (char)((v >> 8) & 0xFF);
  s += (char)(v & 0xFF);
}

static void put32(std::string &s, int v) {
  unsigned u = (unsigned)v;
  for (int sh = 24; sh >= 0; sh -= 8) s += (char)((u >> sh) & 0xFF);
}

std::string course_bytes(const Map &m) {
  int w = clamp_size(m.w, MAP_SIZE), h = clamp_size(m.h, MAP_SIZE),
      n = clamp_size(m.n, MAX_INSERTIONS);
  std::string s;
  s.reserve(6 + w * h + 12 * n);
  put16(s, w);
  put16(s, h);
  put16(s, n);
  for (int x = 0; x < w; x++)
    for (int y = 0; y < h; y++) s += (char)m.t[x][y];
  for (int i = 0; i < n; i++) {
    put32(s, m.ins[i].x);
    put32(s, m.ins[i].y);
    put32(s, m.ins[i].code);
  }
  return s;
}

bool course_write(const char *name, const Map &m) {
  std::string s = course_bytes(m);
  return write_file_atomic(name, s.data(), s.size());
}

SaveResult course_save(const char *name, const Map &m, const unsigned char attr[256],
                       const char *attr_name) {
  SaveResult r = !course_write(name, m)                    ? SAVE_FAILED
                 : !write_file_atomic(attr_name, attr, 256) ? SAVE_COURSE_ONLY
                                                            : SAVE_DONE;
  if (r != SAVE_DONE && fr)
    fprintf(fr, "Couldn't write file \"%s\"\n", r == SAVE_FAILED ? name : attr_name);
  return r;
}

// course_file_check
// Only the header can tell: a course file has no magic, and a short body
// still loads (its missing tiles read as 255). Pictures, the datafile, the
// text files and music all begin with bytes that make a width or height
// far beyond 256.
CourseCheck course_file_check(const char *name, std::string *why) {
  FILE *f = fopen(name, "rb");
  if (!f) return COURSE_UNREADABLE;
  unsigned char h[6];
  size_t got = fread(h, 1, sizeof h, f);
  fclose(f);
  char reason[96];
  if (got < sizeof h) {
    snprintf(reason, sizeof reason, "it is %d bytes long, too short for the 6-byte header",
             (int)got);
  } else if (h[0] * 256 + h[1] > MAP_SIZE) {
    snprintf(reason, sizeof reason, "its header says %d tiles wide (most is 256)",
             h[0] * 256 + h[1]);
  } else if (h[2] * 256 + h[3] > MAP_SIZE) {
    snprintf(reason, sizeof reason, "its header says %d tiles high (most is 256)",
             h[2] * 256 + h[3]);
  } else {
    return COURSE_OK;
  }
  if (why) *why = reason;
  return COURSE_NOT_COURSE;
}

// course_save_target
// A course save also writes the attribute file, so a course written under
// that name would be overwritten at once by the 256 attribute bytes.
SaveTarget course_save_target(const char *name, const char *current, std::string *why) {
  std::string reason;
  SaveTarget t = SAVE_TARGET_REFUSED;
  struct stat st;
  if (file_base_name(name) == ATTR_FILE_NAME || same_file(name, ATTR_FILE_NAME)) {
    reason = "it is the tile attribute file";
  } else if (stat(name, &st) != 0) {
    t = SAVE_TARGET_NEW;
  } else if (S_ISDIR(st.st_mode)) {
    reason = "it is a folder";
  } else {
    switch (course_file_check(name, &reason)) {
      case COURSE_UNREADABLE: reason = "it can't be read"; break;
      case COURSE_NOT_COURSE: break;
      case COURSE_OK:
        t = current && *current && same_file(name, current) ? SAVE_TARGET_SAME
                                                            : SAVE_TARGET_OTHER;
        break;
    }
  }
  if (t == SAVE_TARGET_REFUSED && why) *why = reason;
  return t;
}

bool write_file_atomic(const char *name, const void *data, size_t size) {
  std::string tmp = std::string(name) + ".tmp";
  FILE *f = fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = fwrite(data, 1, size, f) == size;
  ok = fflush(f) == 0 && ok;
  ok = fsync(fileno(f)) == 0 && ok;
  ok = fclose(f) == 0 && ok;
  if (ok) ok = rename(tmp.c_str(), name) == 0;
  if (!ok) remove(tmp.c_str());
  return ok;
}

// course_clip
bool course_clip(const Map &m, int &l, int &u, int &r, int &d) {
  if (l < 0) l = 0;
  if (u < 0) u = 0;
  if (r > m.w - 1) r = m.w - 1;
  if (d > m.h - 1) d = m.h - 1;
  return l <= r && u <= d;
}

void course_insert_row(Map &m, int r) {
  if (r < 0 || m.h >= MAP_SIZE) return;
  for (int x = 0; x < m.w && x < MAP_SIZE; x++)
    for (int y = m.h; y > r; y--) m.t[x][y] = m.t[x][y - 1];
  m.h++;
}

void course_delete_row(Map &m, int r) {
  if (r < 0 || m.h < 1) return;
  for (int x = 0; x < m.w && x < MAP_SIZE; x++)
    for (int y = r; y < m.h && y + 1 < MAP_SIZE; y++) m.t[x][y] = m.t[x][y + 1];
  m.h--;
}

void course_insert_column(Map &m, int c) {
  if (c < 0 || m.w >= MAP_SIZE) return;
  for (int y = 0; y < m.h && y < MAP_SIZE; y++)
    for (int x = m.w; x > c; x--) m.t[x][y] = m.t[x - 1][y];
  m.w++;
}

void course_delete_column(Map &m, int c) {
  if (c < 0 || m.w < 1) return;
  for (int y = 0; y < m.h && y < MAP_SIZE; y++)
    for (int x = c; x < m.w && x + 1 < MAP_SIZE; x++) m.t[x][y] = m.t[x + 1][y];
  m.w--;
}

int course_add_insertion(Map &m, int x, int y, int code) {
  if (m.n < 0 || m.n >= MAX_INSERTIONS) return -1;
  m.ins[m.n] = Insertion{x, y, code};
  return m.n++;
}

bool course_delete_insertion(Map &m, int i) {
  if (i < 0 || i >= m.n || m.n > MAX_INSERTIONS) return false;
  m.ins[i] = m.ins[--m.n];
  return true;
}

int course_nearest_insertion(const Map &m, int x, int y, int limit) {
  int found = -1;
  long long best = limit;
  for (int i = 0; i < m.n && i < MAX_INSERTIONS; i++) {
    long long d = llabs((long long)m.ins[i].x - x) + llabs((long long)m.ins[i].y - y);
    if (d < best) {
      best = d;
      found = i;
    }
  }
  return found;
}

void code_append_digit(int &code, int digit) {
  long long c = (long long)code * 10 + digit;
  if (c >= INT_MIN && c <= INT_MAX) code = (int)c;
}

void coordinate_nudge(int &v, int d) {
  long long w = (long long)v + d;
  v = w < INT_MIN ? INT_MIN : w > INT_MAX ? INT_MAX : (int)w;
}

void course_default(Map &m) {
  m.w = m.h = 25;
  m.n = 0;
  for (int x = 0; x < 25; x++)
    for (int y = 0; y < 25; y++)
      m.t[x][y] = (x == 0 || y == 0 || x == 24 || y == 24) ? 1 : 2;
}

int attr_read(const char *name, unsigned char attr[256]) {
  memset(attr, 0, 256);
  FILE *f = fopen(name, "rb");
  if (!f) return -1;
  int got = (int)fread(attr, 1, 256, f);
  fclose(f);
  return got;
}
