// smf.h -- a single-track (format 0) Standard MIDI File writer
#ifndef SMF_H
#define SMF_H

#include <vector>

// The events of one track at absolute times in ticks.
struct Smf {
  struct Event {
    long tick;
    int rank;  // at the same tick: releases (0), settings (1), notes (2)
    std::vector<unsigned char> bytes;
  };
  std::vector<Event> events;

  // A note-on at tick and its note-off `length` ticks later.
  void note(long tick, long length, int channel, int key, int velocity);
  // A program change.
  void program(long tick, int channel, int program);
  // A meta event of the given type.
  void meta(long tick, int type, const std::vector<unsigned char> &payload);
  // Set tempo, in microseconds per quarter note.
  void tempo(long tick, long microseconds);
  // The tick of the last event.
  long last_tick() const;
};

// The bytes of a format-0 file: header with `division` ticks per quarter
// note, then the track in time order (releases before notes at the same
// tick, so a voice is free before the next note wants it), channel messages
// in running status, closed by an end-of-track event at end_tick (or at the
// last event, if later).
std::vector<unsigned char> smf_bytes(const Smf &track, int division, long end_tick);

#endif
