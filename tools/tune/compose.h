// compose.h -- the background tune of topdown, composed from note patterns
#pragma once
#include <vector>

#include "midi.h"

constexpr int TUNE_PPQ = 192;     // ticks per quarter note (one beat)
constexpr int TUNE_BPM = 132;
constexpr int MELODY_CH = 0, BASS_CH = 1, ARP_CH = 2, DRUM_CH = 9;

// The whole piece: its tracks (tempo, melody, bass, arpeggio, drums) and
// its length in ticks.
std::vector<MidiTrack> compose_tune(long &length);
