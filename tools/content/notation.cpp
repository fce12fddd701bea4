// notation.cpp -- the note names, phrases and chords the tunes are written in
#include "notation.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

// note_key
int note_key(const std::string &name) {
  static const int base[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.empty() || name == "-") return -1;
  char letter = (char)toupper((unsigned char)name[0]);
  if (letter < 'A' || letter > 'G') return -1;
  int pc = base[letter - 'A'];
  size_t i = 1;
  if (i < name.size() && name[i] == '#') pc++, i++;
  else if (i < name.size() && name[i] == 'b') pc--, i++;
  if (i + 1 != name.size() || !isdigit((unsigned char)name[i])) return -1;
  int key = 12 * (name[i] - '0' + 1) + pc;
  return key >= 0 && key <= 127 ? key : -1;
}

// split_bars
std::vector<std::string> split_bars(const std::string &text) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text) {
    if (c == '|') {
      out.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(cur);
  return out;
}

// read_notes
bool read_notes(const std::string &text, std::vector<PhraseNote> &notes, std::string &error) {
  std::istringstream in(text);
  std::string tok;
  while (in >> tok) {
    size_t colon = tok.find(':');
    int length = colon == std::string::npos ? 0 : std::atoi(tok.c_str() + colon + 1);
    std::string name = tok.substr(0, colon);
    int key = note_key(name);
    if (length <= 0 || (key < 0 && name != "-")) {
      error = "bad note \"" + tok + "\"";
      return false;
    }
    notes.push_back({key, length});
  }
  return true;
}

// read_chord
bool read_chord(const std::string &name, Chord &chord) {
  chord = {-1, false};
  if (name == "-") return true;
  size_t end = name.size();
  if (end > 1 && name[end - 1] == 'm') chord.minor = true, end--;
  int key = note_key(name.substr(0, end) + "4");
  if (key < 0) return false;
  chord.root = key % 12;
  return true;
}

// read_chords
bool read_chords(const std::string &text, std::vector<Chord> &chords, std::string &error) {
  std::istringstream in(text);
  std::string name;
  while (in >> name) {
    Chord c;
    if (!read_chord(name, c)) {
      error = "bad chord \"" + name + "\"";
      return false;
    }
    chords.push_back(c);
  }
  return true;
}

// chord_tones
void chord_tones(const Chord &chord, int lowest_root, int tones[4]) {
  int root = lowest_root + (chord.root - lowest_root % 12 + 12) % 12;
  tones[0] = root;
  tones[1] = root + (chord.minor ? 3 : 4);
  tones[2] = root + 7;
  tones[3] = root + 12;
}
