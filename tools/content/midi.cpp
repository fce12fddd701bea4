// midi.cpp -- timed MIDI events and the Standard MIDI File writer
#include "midi.h"

#include <algorithm>

// MidiTrack::note
void MidiTrack::note(long tick, long length, int channel, int key, int velocity) {
  unsigned char ch = (unsigned char)(channel & 15);
  events.push_back({tick, 2, {(unsigned char)(0x90 | ch), (unsigned char)key, (unsigned char)velocity}});
  events.push_back({tick + length, 0,
                    {(unsigned char)(0x80 | ch), (unsigned char)key, (unsigned char)release_velocity}});
}

// MidiTrack::program
void MidiTrack::program(long tick, int channel, int prog) {
  events.push_back({tick, 1, {(unsigned char)(0xC0 | (channel & 15)), (unsigned char)prog}});
}

// MidiTrack::control
void MidiTrack::control(long tick, int channel, int controller, int value) {
  events.push_back({tick, 1,
                    {(unsigned char)(0xB0 | (channel & 15)), (unsigned char)controller,
                     (unsigned char)value}});
}

// MidiTrack::meta
void MidiTrack::meta(long tick, int type, const std::vector<unsigned char> &bytes) {
  std::vector<unsigned char> d = {0xFF, (unsigned char)type};
  put_varlen(d, bytes.size());
  d.insert(d.end(), bytes.begin(), bytes.end());
  events.push_back({tick, 1, d});
}

// MidiTrack::name
void MidiTrack::name(const std::string &text) {
  meta(0, 0x03, std::vector<unsigned char>(text.begin(), text.end()));
}

// MidiTrack::tempo
void MidiTrack::tempo(long tick, long us) {
  meta(tick, 0x51, {(unsigned char)(us >> 16), (unsigned char)(us >> 8), (unsigned char)us});
}

// put_varlen
void put_varlen(std::vector<unsigned char> &out, unsigned long value) {
  unsigned char b[10];
  int n = 0;
  do {
    b[n++] = (unsigned char)(value & 0x7F);
    value >>= 7;
  } while (value);
  while (n > 1) out.push_back((unsigned char)(b[--n] | 0x80));
  out.push_back(b[0]);
}

// put_be
// A big-endian number of n bytes, for the chunk headers.
static void put_be(std::vector<unsigned char> &out, unsigned long v, int n) {
  for (int s = 8 * (n - 1); s >= 0; s -= 8) out.push_back((unsigned char)(v >> s));
}

// track_chunk
// One "MTrk" chunk: the events in time order, then the end of the track.
static void track_chunk(std::vector<unsigned char> &out, const MidiTrack &track, long end_tick,
                        bool running_status) {
  std::vector<MidiEvent> ev = track.events;
  std::stable_sort(ev.begin(), ev.end(), [](const MidiEvent &a, const MidiEvent &b) {
    return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
  });
  std::vector<unsigned char> body;
  long now = 0;
  unsigned char running = 0;
  for (const MidiEvent &e : ev) {
    put_varlen(body, (unsigned long)(e.tick - now));
    now = e.tick;
    size_t from = 0;
    if (e.data[0] < 0xF0) {
      if (running_status && e.data[0] == running) from = 1;
      running = e.data[0];
    } else {
      running = 0;  // meta and system messages cancel running status
    }
    body.insert(body.end(), e.data.begin() + (long)from, e.data.end());
  }
  put_varlen(body, (unsigned long)(std::max(end_tick, now) - now));
  body.insert(body.end(), {0xFF, 0x2F, 0x00});
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  put_be(out, body.size(), 4);
  out.insert(out.end(), body.begin(), body.end());
}

// midi_file
// Header chunk, then one track chunk per track.
std::vector<unsigned char> midi_file(const std::vector<MidiTrack> &tracks, int division,
                                     long end_tick, bool running_status) {
  std::vector<unsigned char> out = {'M', 'T', 'h', 'd'};
  put_be(out, 6, 4);
  put_be(out, tracks.size() == 1 ? 0 : 1, 2);
  put_be(out, tracks.size(), 2);
  put_be(out, (unsigned long)division, 2);
  for (const MidiTrack &t : tracks) track_chunk(out, t, end_tick, running_status);
  return out;
}
