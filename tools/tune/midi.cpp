// midi.cpp -- timed MIDI events and the Standard MIDI File writer
#include "midi.h"

#include <algorithm>

// note
// A note-on at tick and its note-off `length` ticks later.
void MidiTrack::note(long tick, long length, int channel, int key, int velocity) {
  unsigned char ch = (unsigned char)(channel & 15);
  events.push_back({tick, 2, {(unsigned char)(0x90 | ch), (unsigned char)key, (unsigned char)velocity}});
  events.push_back({tick + length, 0, {(unsigned char)(0x80 | ch), (unsigned char)key, 0}});
}

// program
// Chooses the instrument of a channel.
void MidiTrack::program(long tick, int channel, int prog) {
  events.push_back({tick, 1, {(unsigned char)(0xC0 | (channel & 15)), (unsigned char)prog}});
}

// control
// A controller change (volume, pan, ...).
void MidiTrack::control(long tick, int channel, int controller, int value) {
  events.push_back({tick, 1,
                    {(unsigned char)(0xB0 | (channel & 15)), (unsigned char)controller,
                     (unsigned char)value}});
}

// meta
// A meta event of the given type.
void MidiTrack::meta(long tick, int type, const std::vector<unsigned char> &bytes) {
  std::vector<unsigned char> d = {0xFF, (unsigned char)type};
  std::vector<unsigned char> len = midi_varlen(bytes.size());
  d.insert(d.end(), len.begin(), len.end());
  d.insert(d.end(), bytes.begin(), bytes.end());
  events.push_back({tick, 1, d});
}

// name
// The track's name, at its start.
void MidiTrack::name(const std::string &text) {
  meta(0, 0x03, std::vector<unsigned char>(text.begin(), text.end()));
}

// tempo
// Sets the tempo in quarter notes per minute.
void MidiTrack::tempo(long tick, int bpm) {
  long us = 60000000L / bpm;
  meta(tick, 0x51, {(unsigned char)(us >> 16), (unsigned char)(us >> 8), (unsigned char)us});
}

// midi_varlen
// Seven bits per byte, most significant first, the high bit set on all
// bytes but the last.
std::vector<unsigned char> midi_varlen(unsigned long value) {
  std::vector<unsigned char> out = {(unsigned char)(value & 0x7F)};
  while (value >>= 7) out.insert(out.begin(), (unsigned char)(0x80 | (value & 0x7F)));
  return out;
}

// put32, put16
// Big-endian numbers for the chunk headers.
static void put32(std::vector<unsigned char> &out, unsigned long v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back((unsigned char)(v >> s));
}
static void put16(std::vector<unsigned char> &out, unsigned v) {
  out.push_back((unsigned char)(v >> 8));
  out.push_back((unsigned char)v);
}

// midi_file
// Header chunk, then one track chunk per track.
std::vector<unsigned char> midi_file(const std::vector<MidiTrack> &tracks, int division,
                                     long end_tick) {
  std::vector<unsigned char> out = {'M', 'T', 'h', 'd'};
  put32(out, 6);
  put16(out, 1);
  put16(out, (unsigned)tracks.size());
  put16(out, (unsigned)division);
  for (const MidiTrack &t : tracks) {
    std::vector<MidiEvent> ev = t.events;
    std::stable_sort(ev.begin(), ev.end(), [](const MidiEvent &a, const MidiEvent &b) {
      return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });
    std::vector<unsigned char> body;
    long now = 0;
    for (const MidiEvent &e : ev) {
      std::vector<unsigned char> d = midi_varlen(e.tick - now);
      body.insert(body.end(), d.begin(), d.end());
      body.insert(body.end(), e.data.begin(), e.data.end());
      now = e.tick;
    }
    std::vector<unsigned char> d = midi_varlen(std::max(end_tick, now) - now);
    body.insert(body.end(), d.begin(), d.end());
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put32(out, body.size());
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}
