// status_note.cpp -- a short line shown in an editor's status band
#include "status_note.h"

#include <chrono>

static long long steady_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long long (*note_clock_ms)() = steady_ms;

static std::string note;
static long long note_until;

void note_show(const std::string &text) {
  note = text;
  note_until = note_clock_ms() + NOTE_MILLISECONDS;
}

std::string note_text() {
  if (!note.empty() && note_clock_ms() >= note_until) note.clear();
  return note;
}

void note_clear() { note.clear(); }
