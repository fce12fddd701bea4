// smf.cpp -- a single-track (format 0) Standard MIDI File writer
#include "smf.h"

#include <algorithm>

// note
void Smf::note(long tick, long length, int channel, int key, int velocity) {
  unsigned char ch = (unsigned char)(channel & 0x0F);
  events.push_back({tick, 2, {(unsigned char)(0x90 | ch), (unsigned char)key, (unsigned char)velocity}});
  events.push_back({tick + length, 0, {(unsigned char)(0x80 | ch), (unsigned char)key, 0x40}});
}

// program
void Smf::program(long tick, int channel, int program) {
  events.push_back({tick, 1, {(unsigned char)(0xC0 | (channel & 0x0F)), (unsigned char)program}});
}

// put_varlen
// Seven bits a byte, most significant first, the high bit set on all
// bytes but the last.
static void put_varlen(std::vector<unsigned char> &out, unsigned long v) {
  unsigned char b[5];
  int n = 0;
  do {
    b[n++] = (unsigned char)(v & 0x7F);
    v >>= 7;
  } while (v && n < 5);
  while (n > 1) out.push_back((unsigned char)(b[--n] | 0x80));
  out.push_back(b[0]);
}

// meta
void Smf::meta(long tick, int type, const std::vector<unsigned char> &payload) {
  std::vector<unsigned char> b = {0xFF, (unsigned char)type};
  put_varlen(b, payload.size());
  b.insert(b.end(), payload.begin(), payload.end());
  events.push_back({tick, 1, b});
}

// tempo
void Smf::tempo(long tick, long us) {
  meta(tick, 0x51, {(unsigned char)(us >> 16), (unsigned char)(us >> 8), (unsigned char)us});
}

// last_tick
long Smf::last_tick() const {
  long t = 0;
  for (const Event &e : events) t = std::max(t, e.tick);
  return t;
}

// put_be
// A big-endian number of n bytes.
static void put_be(std::vector<unsigned char> &out, unsigned long v, int n) {
  for (int s = 8 * (n - 1); s >= 0; s -= 8) out.push_back((unsigned char)(v >> s));
}

// smf_bytes
std::vector<unsigned char> smf_bytes(const Smf &track, int division, long end_tick) {
  std::vector<Smf::Event> ev = track.events;
  std::stable_sort(ev.begin(), ev.end(), [](const Smf::Event &a, const Smf::Event &b) {
    return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
  });
  std::vector<unsigned char> body;
  long now = 0;
  unsigned char running = 0;
  for (const Smf::Event &e : ev) {
    put_varlen(body, (unsigned long)(e.tick - now));
    now = e.tick;
    size_t from = 0;
    if (e.bytes[0] < 0xF0) {
      if (e.bytes[0] == running) from = 1;
      running = e.bytes[0];
    } else {
      running = 0;  // meta and system messages cancel running status
    }
    body.insert(body.end(), e.bytes.begin() + (long)from, e.bytes.end());
  }
  put_varlen(body, (unsigned long)(std::max(end_tick, now) - now));
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<unsigned char> out = {'M', 'T', 'h', 'd'};
  put_be(out, 6, 4);
  put_be(out, 0, 2);  // format 0: one track
  put_be(out, 1, 2);
  put_be(out, (unsigned long)division, 2);
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  put_be(out, body.size(), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}
