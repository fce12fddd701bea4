// midi.h -- timed MIDI events and the Standard MIDI File writer of both
// games' tunes
#pragma once
#include <string>
#include <vector>

// One event at an absolute time in ticks. Events at the same tick are
// written in the order of `rank`, then in the order added: releases (0),
// settings (1), notes (2), so a voice is free before the next note wants it.
struct MidiEvent {
  long tick;
  int rank;
  std::vector<unsigned char> data;
};

// The events of one track.
struct MidiTrack {
  std::vector<MidiEvent> events;
  int release_velocity = 0;  // of the note-offs note() adds

  // A note-on at tick and its note-off `length` ticks later.
  void note(long tick, long length, int channel, int key, int velocity);
  // Chooses the instrument of a channel.
  void program(long tick, int channel, int program);
  // A controller change (volume, pan, ...).
  void control(long tick, int channel, int controller, int value);
  // A meta event of the given type.
  void meta(long tick, int type, const std::vector<unsigned char> &bytes);
  // The track's name, at its start.
  void name(const std::string &text);
  // Set tempo, in microseconds per quarter note.
  void tempo(long tick, long microseconds);
};

// The bytes of a Standard MIDI File with `division` ticks per quarter note:
// format 0 for one track, format 1 for several. Each track is sorted by
// time and closed with an end-of-track event at end_tick (or at its last
// event, if later). With running_status, a channel message that repeats
// the status of the one before leaves its status byte out.
std::vector<unsigned char> midi_file(const std::vector<MidiTrack> &tracks, int division,
                                     long end_tick, bool running_status = false);

// Appends the variable-length quantity of a delta time or a length: seven
// bits a byte, most significant first, the high bit set on all but the last.
void put_varlen(std::vector<unsigned char> &out, unsigned long value);
