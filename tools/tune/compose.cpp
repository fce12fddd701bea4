// compose.cpp -- the background tune of topdown, composed from note patterns
//
// A driving piece in A minor at 132 beats per minute. After an eight-bar
// intro, four rounds of the same form follow: verse (A), chorus (B), bridge
// (C) and a break; every round changes the lead instrument, the register,
// the ornaments of the melody, the bass figure and the drum groove, so the
// 928 beats never repeat exactly. The game keeps to four MIDI voices, so
// the parts are single lines: melody, bass, a soft arpeggio in some
// sections and a drum kit that strikes one drum at a time.
#include "compose.h"

#include <cstdint>
#include <cstring>

#include "notation.h"
#include "tool.h"

static const int EIGHTH = TUNE_PPQ / 2, SIXTEENTH = TUNE_PPQ / 4, BAR = TUNE_PPQ * 4;

// ---------------------------------------------------------------- the score

// Melody phrases, four or eight bars each, in "NOTE:EIGHTHS" notation.
static const char *verse_1 =
    "E5:2 A4:1 C5:1 E5:2 D5:1 C5:1 | D5:2 C5:1 A4:1 C5:4 |"
    "-:2 G5:1 E5:1 D5:2 C5:1 D5:1 | B4:2 G4:1 B4:1 D5:4";
static const char *verse_2 =
    "E5:2 A5:1 G5:1 E5:2 C5:2 | F5:2 E5:1 D5:1 C5:2 A4:2 |"
    "-:1 C5:1 E5:1 G5:1 E5:2 C5:2 | D5:3 B4:1 G4:4";
static const char *verse_3 =
    "E5:2 A5:1 G5:1 E5:2 C5:2 | F5:2 E5:1 D5:1 C5:2 A4:2 |"
    "-:1 C5:1 E5:1 G5:1 A5:2 G5:2 | B5:2 A5:1 G5:1 A5:4";
static const char *chorus_1 =
    "A5:3 G5:1 F5:2 E5:2 | D5:3 E5:1 G5:4 | E5:2 G5:2 B5:2 G5:2 | A5:6 E5:2 |"
    "-:2 A5:2 C6:2 A5:2 | B5:3 A5:1 G5:2 D5:2 | G#5:4 B5:2 G#5:2 | E5:6 -:2";
static const char *chorus_2 =
    "A5:3 G5:1 F5:2 E5:2 | D5:3 E5:1 G5:4 | E5:2 G5:2 B5:2 G5:2 | A5:6 E5:2 |"
    "-:2 A5:2 C6:2 A5:2 | B5:3 A5:1 G5:2 D5:2 | G#5:2 B5:2 D6:2 B5:2 | E6:4 D6:1 C6:1 B5:2";
static const char *bridge_1 =
    "F5:4 E5:2 D5:2 | C5:4 E5:4 | D5:2 F5:2 A5:4 | G#5:6 -:2 |"
    "-:4 G5:2 F5:2 | E5:4 C5:2 A4:2 | C5:2 F5:2 A5:2 G5:2 | E5:4 G#4:4";
static const char *bridge_2 =
    "A5:4 G5:2 F5:2 | E5:4 A5:4 | F5:2 E5:2 D5:4 | E5:6 -:2 |"
    "-:4 F5:2 A5:2 | C6:4 B5:2 A5:2 | A5:2 G5:2 F5:2 E5:2 | E5:8";
static const char *break_call =
    "A4:1 -:1 A4:1 C5:1 -:1 A4:1 G4:1 A4:1 | -:8 |"
    "-:1 -:1 F4:1 A4:1 -:1 C5:1 B4:1 A4:1 | G4:2 B4:2 D5:2 -:2";

// Chord progressions of the parts, one chord per bar; the break goes round
// the intro's.
enum Part { INTRO, VERSE, CHORUS, BRIDGE };
static const char *const progressions[] = {
    "Am Am F G Am Am F G",                        // INTRO
    "Am F C G Am F C G Am F C G Am F C G",        // VERSE
    "F G Em Am F G E E F G Em Am F G E E",        // CHORUS
    "Dm Am Dm E Dm Am F E Dm Am Dm E Dm Am F E",  // BRIDGE
};

// Drum grooves, one bar of sixteenth steps each; one drum per step:
// K kick, S snare, c clap, h closed hat, o open hat, r ride, C crash,
// t m f high, middle and low tom, . nothing.
enum Groove { HATS, BUILD, ROCK, BUSY, HALF, BREAK, FILL_SHORT, FILL_LONG };
static const char *const grooves[] = {
    "h.h.h.h.h.h.h.h.",  // HATS
    "K.h.h.h.K.h.h.o.",  // BUILD
    "K.h.S.h.K.hKS.h.",  // ROCK
    "K.hhS.h.K.hKS.ho",  // BUSY
    "K.r.r.r.S.r.r.rK",  // HALF
    "K..KS..K.KK.S.SS",  // BREAK
    "K.h.S.h.S.SStmf.",  // FILL_SHORT
    "SSttSSmmSSffSStf",  // FILL_LONG
};

// Bass figures: eight eighth-note offsets above the chord root, or -1 to
// hold the previous note.
static const int bass_drive[8] = {0, 0, 12, 0, 0, 0, 12, 0};
static const int bass_octaves[8] = {0, 12, 0, 12, 0, 12, 7, 12};
static const int bass_gallop[8] = {0, 0, 7, 0, 12, 0, 7, 0};
static const int bass_half[8] = {0, -1, -1, -1, 7, -1, 12, -1};
static const int bass_riff[8] = {0, -1, 0, 12, -1, 7, 12, 7};

// General MIDI programs, all of which the game's software synthesiser
// plays with its instrument set.
enum {
  PIANO = 0,
  RHODES = 4,
  CLAVINET = 7,
  OVERDRIVE = 29,
  ACOUSTIC_BASS = 32,
  PICK_BASS = 34,
  SLAP_BASS = 36,
  PIZZICATO = 45,
  TRUMPET = 56,
  ALTO_SAX = 65,
  FLUTE = 73
};

// ------------------------------------------------------------- the notation

// phrase
// The notes of a melody phrase, bar lines left out; stops the tool on a
// fault in the score.
static std::vector<PhraseNote> phrase(const char *text) {
  std::vector<PhraseNote> notes;
  std::string error;
  for (const std::string &bar : split_bars(text))
    if (!read_notes(bar, notes, error)) stop("melody: " + error);
  return notes;
}

// parse_chords
// "Am F C G" to chords, one per bar; stops the tool on a bad name.
static std::vector<Chord> parse_chords(const std::string &text) {
  std::vector<Chord> out;
  std::string error;
  if (!read_chords(text, out, error)) stop(error);
  return out;
}

// --------------------------------------------------------------- the parts

// The tracks being written.
struct Band {
  MidiTrack melody, bass, arp, drums;
};

// variant
// A deterministic yes/no with the given chance, for ornaments.
static bool variant(long where, int salt, double chance) {
  uint32_t h = (uint32_t)where * 2654435761u ^ (uint32_t)salt * 40503u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return (h & 0xFFFF) < chance * 65536;
}

// scale_step
// The note a scale step above (dir 1) or below (dir -1) key in A minor,
// raising G to G# where the chord is E major.
static int scale_step(int key, int dir, const Chord &chord) {
  static const bool in_scale[12] = {1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1};
  bool raise_g = chord.root == 4 && !chord.minor;
  for (int k = key + dir;; k += dir) {
    int pc = k % 12;
    if (raise_g && pc == 7) continue;
    if (in_scale[pc] || (raise_g && pc == 8)) return k;
  }
}

// play_melody
// Plays a phrase from tick t of a part that starts at `start` (for the
// chord under each note), shifted by `transpose`. With `ornament` > 0,
// some longer notes are broken into the note and a neighbour tone, and
// some quarter notes into repeated eighths, so repeats are not literal.
static void play_melody(Band &b, long start, long t, const char *text, int transpose,
                        double ornament, int salt, const std::vector<Chord> &chords) {
  for (const PhraseNote &n : phrase(text)) {
    long len = n.length * EIGHTH;
    if (n.key >= 0) {
      int key = n.key + transpose;
      int bar = (int)(((t - start) / BAR) % (long)chords.size());
      bool strong = t % (2 * TUNE_PPQ) == 0;
      int vel = strong ? 104 : 88;
      if (n.length >= 3 && variant(t, salt, ornament)) {
        long first = len - EIGHTH;
        int dir = variant(t, salt + 1, 0.5) ? 1 : -1;
        b.melody.note(t, first - 8, MELODY_CH, key, vel);
        b.melody.note(t + first, EIGHTH - 8, MELODY_CH, scale_step(key, dir, chords[bar]), 80);
      } else if (n.length == 2 && variant(t, salt + 2, ornament * 0.5)) {
        b.melody.note(t, EIGHTH - 10, MELODY_CH, key, vel);
        b.melody.note(t + EIGHTH, EIGHTH - 10, MELODY_CH, key, 78);
      } else {
        b.melody.note(t, len - (n.length == 1 ? 16 : 10), MELODY_CH, key, vel);
      }
    }
    t += len;
  }
}

// bass_root
// The bass key of a chord root: between E2 and D#3.
static int bass_root(const Chord &c) {
  int k = 36 + c.root;
  return k < 40 ? k + 12 : k;
}

// play_bass
// One figure per bar over the chords; the last bar of every eight leads
// into the next with a rising run when `runs` is set.
static void play_bass(Band &b, long t, const std::vector<Chord> &chords, const int figure[8],
                      bool runs) {
  for (size_t bar = 0; bar < chords.size(); bar++) {
    int root = bass_root(chords[bar]);
    bool run = runs && bar % 8 == 7;
    int run_key = root;
    for (int i = 0; i < 8; i++) {
      if (figure[i] < 0) continue;
      int held = 1;
      while (i + held < 8 && figure[i + held] < 0) held++;
      int key = root + figure[i];
      if (run && i >= 4) key = run_key = scale_step(run_key, 1, chords[bar]);
      int vel = i % 2 == 0 ? 108 : 90;
      b.bass.note(t + i * EIGHTH, held * EIGHTH - 12, BASS_CH, key, vel);
    }
    t += BAR;
  }
}

// play_arp
// A quiet broken chord in eighths (root, third, fifth, octave and down).
static void play_arp(Band &b, long t, const std::vector<Chord> &chords) {
  static const int order[8] = {0, 1, 2, 3, 2, 1, 2, 1};
  for (const Chord &c : chords) {
    int tones[4];
    chord_tones(c, 55, tones);  // roots G3 .. F#4
    for (int i = 0; i < 8; i++) b.arp.note(t + i * EIGHTH, EIGHTH - 20, ARP_CH, tones[order[i]], i % 2 ? 52 : 62);
    t += BAR;
  }
}

// drum_key
// The General MIDI percussion key of a groove letter, or -1.
static int drum_key(char c) {
  static const char letters[] = "KSchoCrtmf";
  static const int keys[] = {36, 38, 39, 42, 46, 49, 51, 50, 47, 43};
  const char *p = c ? strchr(letters, c) : nullptr;
  return p ? keys[p - letters] : -1;
}

// play_drums
// `bars` bars of a groove; a crash opens the part, and the last bar of
// every eight (and the part's last bar) is a fill.
static void play_drums(Band &b, long t, int bars, const char *groove, const char *fill) {
  for (int bar = 0; bar < bars; bar++) {
    const char *pattern = groove;
    if (fill && (bar % 8 == 7 || bar == bars - 1)) pattern = fill;
    for (int s = 0; s < 16; s++) {
      char c = pattern[s];
      if (bar == 0 && s == 0) c = 'C';
      int key = drum_key(c);
      if (key < 0) continue;
      int vel = s % 4 == 0 ? 112 : (s % 2 == 0 ? 92 : 72);
      if (c == 'h' || c == 'r') vel -= 20;
      b.drums.note(t + s * SIXTEENTH, SIXTEENTH, DRUM_CH, key, vel);
    }
    t += BAR;
  }
}

// set_voices
// Instruments of the three pitched parts from tick t.
static void set_voices(Band &b, long t, int lead, int bass, int arp) {
  b.melody.program(t, MELODY_CH, lead);
  b.bass.program(t, BASS_CH, bass);
  b.arp.program(t, ARP_CH, arp);
}

// ---------------------------------------------------------------- the piece

// The settings of one round of the form.
struct Round {
  int lead, bass_sound, arp_sound;
  int transpose;           // of the melody, in semitones
  double ornament;         // chance of an ornament per note
  const int *verse_bass, *chorus_bass;
  Groove groove;           // of verse and chorus
  bool chorus_arp, bridge_arp, break_call;
};

static const Round rounds[4] = {
    {TRUMPET, PICK_BASS, PIZZICATO, -12, 0.0, bass_drive, bass_gallop, ROCK, false, true, false},
    {ALTO_SAX, SLAP_BASS, RHODES, -12, 0.3, bass_octaves, bass_drive, ROCK, true, false, true},
    {FLUTE, PICK_BASS, CLAVINET, 0, 0.45, bass_gallop, bass_octaves, BUSY, true, true, false},
    {OVERDRIVE, ACOUSTIC_BASS, PIANO, -12, 0.6, bass_octaves, bass_gallop, BUSY, true, false, true},
};

// compose_tune
// Intro, then the four rounds; returns the tracks and the length.
std::vector<MidiTrack> compose_tune(long &length) {
  Band b;
  MidiTrack conductor;
  conductor.name("topdown");
  conductor.tempo(0, 60000000L / TUNE_BPM);
  conductor.meta(0, 0x58, {4, 2, 24, 8});   // 4/4
  conductor.meta(0, 0x59, {0, 1});          // A minor
  b.melody.name("melody");
  b.bass.name("bass");
  b.arp.name("arpeggio");
  b.drums.name("drums");
  b.melody.control(0, MELODY_CH, 7, 100);
  b.bass.control(0, BASS_CH, 7, 112);
  b.arp.control(0, ARP_CH, 7, 72);
  b.arp.control(0, ARP_CH, 10, 40);
  b.drums.control(0, DRUM_CH, 7, 110);

  long t = 0;
  // intro: hats, then kick and bass
  set_voices(b, 0, rounds[0].lead, rounds[0].bass_sound, rounds[0].arp_sound);
  std::vector<Chord> intro = parse_chords(progressions[INTRO]);
  play_drums(b, t, 4, grooves[HATS], nullptr);
  play_drums(b, t + 4 * BAR, 4, grooves[BUILD], grooves[FILL_SHORT]);
  play_bass(b, t + 4 * BAR, std::vector<Chord>(intro.begin() + 4, intro.end()), bass_drive, true);
  t += 8 * BAR;

  std::vector<Chord> verse = parse_chords(progressions[VERSE]);
  std::vector<Chord> chorus = parse_chords(progressions[CHORUS]);
  std::vector<Chord> bridge = parse_chords(progressions[BRIDGE]);
  for (int r = 0; r < 4; r++) {
    const Round &R = rounds[r];
    set_voices(b, t, R.lead, R.bass_sound, R.arp_sound);
    // verse
    const char *verse_order[4] = {verse_1, verse_2, r % 2 ? verse_2 : verse_1, verse_3};
    for (int p = 0; p < 4; p++)
      play_melody(b, t, t + p * 4 * BAR, verse_order[p], R.transpose, p == 0 ? 0 : R.ornament, r * 10 + p,
                  verse);
    play_bass(b, t, verse, R.verse_bass, true);
    play_drums(b, t, 16, grooves[R.groove], grooves[FILL_SHORT]);
    t += 16 * BAR;
    // chorus
    play_melody(b, t, t, chorus_1, R.transpose, R.ornament, r * 10 + 5, chorus);
    play_melody(b, t, t + 8 * BAR, chorus_2, R.transpose, R.ornament, r * 10 + 6, chorus);
    play_bass(b, t, chorus, R.chorus_bass, true);
    if (R.chorus_arp) play_arp(b, t, chorus);
    play_drums(b, t, 16, grooves[R.groove], grooves[FILL_SHORT]);
    t += 16 * BAR;
    // bridge: half time, the melody an octave lower the second time
    play_melody(b, t, t, bridge_1, R.transpose, R.ornament * 0.5, r * 10 + 7, bridge);
    play_melody(b, t, t + 8 * BAR, bridge_2, R.transpose - (R.transpose == 0 ? 12 : 0),
                R.ornament * 0.5, r * 10 + 8, bridge);
    play_bass(b, t, bridge, bass_half, false);
    if (R.bridge_arp) play_arp(b, t, bridge);
    play_drums(b, t, 16, grooves[HALF], grooves[FILL_SHORT]);
    t += 16 * BAR;
    // break: riff bass and drums, sometimes with a call on the lead
    if (R.break_call) {
      play_melody(b, t, t, break_call, R.transpose + 12, 0, r * 10 + 9, intro);
      play_melody(b, t, t + 4 * BAR, break_call, R.transpose + 12, 0, r * 10 + 9, intro);
    }
    play_bass(b, t, intro, bass_riff, false);
    play_drums(b, t, 8, grooves[BREAK], grooves[FILL_LONG]);
    t += 8 * BAR;
  }
  length = t;
  return {conductor, b.melody, b.bass, b.arp, b.drums};
}
