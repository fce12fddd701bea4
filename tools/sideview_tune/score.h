// score.h -- sideview's tune: melody, bass and arpeggio for three square waves
#ifndef SCORE_H
#define SCORE_H

#include <string>

#include "smf.h"

enum {
  TUNE_DIVISION = 96,          // ticks per quarter note
  TUNE_TEMPO_US = 400000,      // 150 quarter notes a minute
  TUNE_SIXTEENTH = TUNE_DIVISION / 4,
  TUNE_BAR = TUNE_DIVISION * 4,
  MELODY_CHANNEL = 0,
  BASS_CHANNEL = 1,
  ARPEGGIO_CHANNEL = 2,
};

// MIDI key of a note name such as "C4" (60), "F#5" or "Bb3"; -1 for a rest
// ("-") or text that is not a note.
int note_key(const std::string &name);

// Writes the whole tune into track and returns its length in ticks. On a
// fault in the score (a bar that doesn't add up, an unknown note or chord)
// it names it in `error` and returns -1.
long compose(Smf &track, std::string &error);

#endif
