// midi.h -- timed MIDI events and the Standard MIDI File writer
#pragma once
#include <string>
#include <vector>

// One event at an absolute time in ticks. Events at the same tick are
// written in the order of `rank` (note-offs before note-ons, so a repeated
// note is released before it sounds again), then in the order added.
struct MidiEvent {
  long tick;
  int rank;
  std::vector<unsigned char> data;
};

// One track of a format-1 file.
struct MidiTrack {
  std::vector<MidiEvent> events;
  void note(long tick, long length, int channel, int key, int velocity);
  void program(long tick, int channel, int program);
  void control(long tick, int channel, int controller, int value);
  void meta(long tick, int type, const std::vector<unsigned char> &bytes);
  void name(const std::string &text);
  void tempo(long tick, int beats_per_minute);
};

// The bytes of a format-1 Standard MIDI File: the tracks in order, each
// sorted by time and closed with an end-of-track event at end_tick (or at
// its last event, if later), with `division` ticks per quarter note.
std::vector<unsigned char> midi_file(const std::vector<MidiTrack> &tracks, int division,
                                     long end_tick);

// The variable-length quantity encoding of a delta time.
std::vector<unsigned char> midi_varlen(unsigned long value);
