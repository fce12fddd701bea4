// notation.h -- the note names, phrases and chords the tunes are written in
//
// A phrase is a line of "NAME:LENGTH" notes, "-" for a rest, with "|"
// between bars; LENGTH counts the phrase's unit (eighths in topdown's tune,
// sixteenths in sideview's). Chords are written "C", "F#", "Bb", "Am",
// "Ebm", and "-" for none.
#pragma once
#include <string>
#include <vector>

// MIDI key of a note name with sharp (#) or flat (b) and octave 0..9, such
// as "C4" (60), "G#5" (80) or "Bb3" (58); -1 for a rest ("-") or for text
// that is not a note.
int note_key(const std::string &name);

// One note of a phrase: a MIDI key (-1 for a rest) and a length in units.
struct PhraseNote {
  int key;
  int length;
};

// The text between the "|" marks, one string per bar.
std::vector<std::string> split_bars(const std::string &text);

// The notes of a bar (or of any text without "|"). False on a token that is
// not "NAME:LENGTH" with a note or "-" and a length of at least 1; `error`
// then names it.
bool read_notes(const std::string &text, std::vector<PhraseNote> &notes, std::string &error);

// A chord: its root as a pitch class (-1: no chord) and whether its third
// is minor.
struct Chord {
  int root;
  bool minor;
};

// Reads a chord name; false for anything that is not one.
bool read_chord(const std::string &name, Chord &chord);

// Appends the chords of a line of chord names (a bar's, or one a bar);
// false on a name that is not a chord, which `error` then gives.
bool read_chords(const std::string &text, std::vector<Chord> &chords, std::string &error);

// The four tones of a broken chord: the root at or above `lowest_root` and
// below it plus an octave, the third, the fifth and the octave.
void chord_tones(const Chord &chord, int lowest_root, int tones[4]);
