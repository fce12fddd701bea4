// score.h -- sideview's tune: melody, bass and arpeggio for three square waves
#pragma once

#include <string>

#include "midi.h"

enum {
  TUNE_DIVISION = 96,          // ticks per quarter note
  TUNE_TEMPO_US = 400000,      // 150 quarter notes a minute
  TUNE_SIXTEENTH = TUNE_DIVISION / 4,
  TUNE_BAR = TUNE_DIVISION * 4,
  MELODY_CHANNEL = 0,
  BASS_CHANNEL = 1,
  ARPEGGIO_CHANNEL = 2,
};

// Writes the whole tune into track and returns its length in ticks. On a
// fault in the score (a bar that doesn't add up, an unknown note or chord)
// it names it in `error` and returns -1.
long compose(MidiTrack &track, std::string &error);
