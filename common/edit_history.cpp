// edit_history.cpp -- undo and redo for the editors, and the mark of changes
// not yet saved
#include "edit_history.h"

#include <cstring>
#include <deque>
#include <string>
#include <vector>

// The editor's state as one run of bytes: the course record, then the
// attribute table. Offsets in steps count into this.
struct State {
  Map m;
  unsigned char attr[256];
};

enum {
  MAP_BYTES = sizeof(Map),
  STATE_BYTES = sizeof(Map) + 256,
  MERGE_GAP = 16,  // changes fewer equal bytes apart are kept as one
};

static const size_t HISTORY_MAX_BYTES = 32u << 20;

// One changed run: its offset and its bytes before and after.
struct Change {
  size_t offset;
  std::string before, after;
};

struct Step {
  std::vector<Change> changes;
  size_t bytes = 0;
};

static State base;   // the state at the last commit, undo or redo
static State saved;  // the state last saved or loaded
static std::deque<Step> done;
static std::vector<Step> undone;
static size_t done_bytes;

// The byte at offset of a live state.
static unsigned char *byte_ptr(Map &m, unsigned char *attr, size_t offset) {
  if (offset < MAP_BYTES) return reinterpret_cast<unsigned char *>(&m) + offset;
  return attr + (offset - MAP_BYTES);
}

// Adds the runs where now differs from old (size bytes starting at origin)
// to step.
static void diff(const unsigned char *old, const unsigned char *now, size_t size,
                 size_t origin, Step &step) {
  size_t i = 0;
  while (i < size) {
    if (i + 64 <= size && memcmp(old + i, now + i, 64) == 0) {
      i += 64;
      continue;
    }
    if (old[i] == now[i]) {
      i++;
      continue;
    }
    size_t start = i, end = i + 1;
    for (i = end; i < size && i - end < MERGE_GAP; i++)
      if (old[i] != now[i]) end = i + 1;
    Change c;
    c.offset = origin + start;
    c.before.assign((const char *)old + start, end - start);
    c.after.assign((const char *)now + start, end - start);
    step.bytes += 2 * (end - start) + sizeof(Change);
    step.changes.push_back(std::move(c));
    i = end;
  }
}

// Writes a step's bytes (before or after) into a live state and into base.
static void apply(const Step &s, bool forward, Map &m, unsigned char *attr) {
  for (const Change &c : s.changes) {
    const std::string &b = forward ? c.after : c.before;
    for (size_t k = 0; k < b.size(); k++) {
      *byte_ptr(m, attr, c.offset + k) = (unsigned char)b[k];
      *byte_ptr(base.m, base.attr, c.offset + k) = (unsigned char)b[k];
    }
  }
}

void history_reset(const Map &m, const unsigned char attr[256]) {
  memcpy(&base.m, &m, sizeof m);
  memcpy(base.attr, attr, 256);
  saved = base;
  done.clear();
  undone.clear();
  done_bytes = 0;
}

void history_reset_course(const Map &m, const unsigned char attr[256]) {
  unsigned char saved_attr[256];
  memcpy(saved_attr, saved.attr, 256);
  history_reset(m, attr);
  memcpy(saved.attr, saved_attr, 256);
}

bool history_commit(const Map &m, const unsigned char attr[256]) {
  Step s;
  diff(reinterpret_cast<const unsigned char *>(&base.m),
       reinterpret_cast<const unsigned char *>(&m), MAP_BYTES, 0, s);
  diff(base.attr, attr, 256, MAP_BYTES, s);
  if (s.changes.empty()) return false;
  memcpy(&base.m, &m, sizeof m);
  memcpy(base.attr, attr, 256);
  undone.clear();
  done_bytes += s.bytes;
  done.push_back(std::move(s));
  // The oldest steps go first, but never below the promised number.
  while (done.size() > HISTORY_MIN_STEPS &&
         (done.size() > HISTORY_MAX_STEPS || done_bytes > HISTORY_MAX_BYTES)) {
    done_bytes -= done.front().bytes;
    done.pop_front();
  }
  return true;
}

bool history_undo(Map &m, unsigned char attr[256]) {
  history_commit(m, attr);
  if (done.empty()) return false;
  Step s = std::move(done.back());
  done.pop_back();
  done_bytes -= s.bytes;
  apply(s, false, m, attr);
  undone.push_back(std::move(s));
  return true;
}

bool history_redo(Map &m, unsigned char attr[256]) {
  if (history_commit(m, attr) || undone.empty()) return false;
  Step s = std::move(undone.back());
  undone.pop_back();
  apply(s, true, m, attr);
  done_bytes += s.bytes;
  done.push_back(std::move(s));
  return true;
}

int history_undo_steps() { return (int)done.size(); }
int history_redo_steps() { return (int)undone.size(); }

void history_mark_saved(const Map &m, const unsigned char attr[256]) {
  history_mark_course_saved(m);
  history_mark_attributes_saved(attr);
}

void history_mark_course_saved(const Map &m) { memcpy(&saved.m, &m, sizeof m); }

void history_mark_attributes_saved(const unsigned char attr[256]) {
  memcpy(saved.attr, attr, 256);
}

void history_mark_attributes_from_file(const char *attr_name) {
  unsigned char attr[256];
  if (attr_read(attr_name, attr) == 256) history_mark_attributes_saved(attr);
}

bool history_unsaved(const Map &m, const unsigned char attr[256]) {
  return history_course_unsaved(m) || memcmp(saved.attr, attr, 256) != 0;
}

bool history_course_unsaved(const Map &m) { return !course_same_file(saved.m, m); }
