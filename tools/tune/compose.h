// compose.h -- the background tune of topdown, composed from note patterns
#pragma once
#include <string>
#include <vector>

#include "midi.h"

constexpr int TUNE_PPQ = 192;     // ticks per quarter note (one beat)
constexpr int TUNE_BPM = 132;
constexpr int MELODY_CH = 0, BASS_CH = 1, ARP_CH = 2, DRUM_CH = 9;

// One note of a written phrase: a MIDI key (-1 for a rest) and a length
// in eighth notes.
struct PhraseNote {
  int key;
  int eighths;
};

// "A4" -> 69, "G#5" -> 80, "Bb3" -> 58 (octaves 0..9); -1 for "-" (a
// rest) or bad text.
int note_number(const std::string &name);

// Reads a phrase written as "NOTE:EIGHTHS ..." with "|" between bars.
std::vector<PhraseNote> parse_phrase(const std::string &text);

// The whole piece: its tracks (tempo, melody, bass, arpeggio, drums) and
// its length in ticks.
std::vector<MidiTrack> compose_tune(long &length);
