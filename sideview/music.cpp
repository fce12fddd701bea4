// music.cpp -- the game's MIDI player. The first track of a Standard MIDI
// File is read into memory; the line callback calls music_update after every
// scan line, so musical time is counted in scan lines (15,600 a second).
// Notes go to the first free of sound voices 0..2 as square-wave tones: a
// note costs three sound-register writes on the machine's bus.
//
// The player never reads outside the track's bytes: running out of them ends
// the track as an end-of-track event does.
#include "music.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bm.h"
#include "log.h"  // fr, the program's log

unsigned short note_freq[128];

static unsigned char *data;            // the track's event data; null if none
static int len;                        // its length in bytes
static const unsigned char *pos;       // next byte to interpret
static short divisions;                // ticks per quarter note, > 0 once loaded
static int tempo = MUSIC_DEFAULT_TEMPO;  // scan lines per quarter note
static int timer;                      // scan lines until the next event
static unsigned char running_status;   // last channel status byte seen
static unsigned char playing;
static music_voice voice[MUSIC_VOICES];

enum {
  PERIOD_TOO_LOW = 0x8000,   // the period of every note below 23
  TONE = 0x40,               // control register: tone mode, volume in bits 0-5
  TIMER_LIMIT = INT_MAX / 2, // a delta never pushes the timer past this
};

// ---------------------------------------------------------------------------
// Reading the track

// __musicLeft
// Bytes of the track not yet interpreted.
static int __musicLeft(void) { return data ? (int)(data + len - pos) : 0; }

// __musicPeek
// The byte k places ahead, or 0 past the end of the track.
static int __musicPeek(int k) { return k < __musicLeft() ? pos[k] : 0; }

// __musicSkip
// Moves n bytes on. An event whose bytes run past the end of the track is
// not performed: the track ends there. False when it ended.
static bool __musicSkip(unsigned n) {
  if (n > (unsigned)__musicLeft()) {
    pos = data + len;
    playing = 0;
    return false;
  }
  pos += n;
  return true;
}

// __musicLogEvent
// The log line of an event the player skips.
static void __musicLogEvent(int status, int d1, int d2) {
  if (fr) fprintf(fr, "Event %x, %x %x\n", status, d1, d2);
}

// parse_var_len
// Seven bits per byte, most significant first; bit 7 is set on every byte
// but the last. At most four bytes (28 bits) make one number. Running out of
// track in the middle of a number ends the track.
unsigned int parse_var_len(void) {
  unsigned int v = 0;
  for (int i = 0; i < 4; i++) {
    if (__musicLeft() <= 0) {
      playing = 0;
      return v;
    }
    unsigned char b = *pos++;
    v = (v << 7) | (b & 0x7F);
    if (!(b & 0x80)) break;
  }
  return v;
}

// when_is_next
// The next delta time, converted to scan lines at the current tempo
// (truncated) and added to the timer.
void when_is_next(void) {
  unsigned int d = parse_var_len();
  if (!playing) return;
  int64_t lines = (int64_t)d * tempo / divisions;
  int64_t t = (int64_t)timer + lines;
  timer = t > TIMER_LIMIT ? TIMER_LIMIT : (int)t;
}

// __musicMeta
// A meta event: end of track stops the music, set tempo turns microseconds
// per quarter note into scan lines per quarter note (15,600 lines a second);
// the others are skipped by their length. False when the track ended.
static bool __musicMeta(int type) {
  if (!__musicSkip(1)) return false;
  unsigned int n = parse_var_len();
  if (!playing) return false;
  if (type == 0x2F) {
    playing = 0;
    return false;
  }
  if (type == 0x51 && n >= 3 && __musicLeft() >= 3) {
    int64_t us = pos[0] << 16 | pos[1] << 8 | pos[2];
    tempo = (int)(us * 156 / 10000);
  }
  return __musicSkip(n);
}

// process_event
// The status byte, or the running status when the event has none; then the
// event by the status's high nibble. Notes play, controller and program
// changes pass silently, other channel messages and system-exclusive data
// pass with a log line. The delta time of the next event follows.
void process_event(void) {
  if (__musicLeft() <= 0) {
    playing = 0;
    return;
  }
  int status = running_status;
  if (*pos & 0x80) status = *pos++;
  int d1 = __musicPeek(0), d2 = __musicPeek(1);
  if (status < 0xF0) running_status = (unsigned char)status;
  int channel = status & 0x0F;
  bool going = true;
  switch (status >> 4) {
    case 0x8:
      if ((going = __musicSkip(2))) note_off(channel, d1);
      break;
    case 0x9:
      if ((going = __musicSkip(2))) note_on(channel, d1, d2);
      break;
    case 0xB:
      going = __musicSkip(2);
      break;
    case 0xC:
      going = __musicSkip(1);
      break;
    case 0xA:
    case 0xE:
      __musicLogEvent(status, d1, d2);
      going = __musicSkip(2);
      break;
    case 0xD:
      __musicLogEvent(status, d1, d2);
      going = __musicSkip(1);
      break;
    case 0xF:
      if (status == 0xFF) {
        going = __musicMeta(d1);
      } else if (status == 0xF0 || status == 0xF7) {
        __musicLogEvent(status, d1, d2);
        unsigned int n = parse_var_len();
        going = playing && __musicSkip(n);
      } else {
        __musicLogEvent(status, d1, d2);
      }
      break;
    default:  // a data byte with no running status yet
      __musicLogEvent(status, d1, d2);
      break;
  }
  if (going) when_is_next();
}

// ---------------------------------------------------------------------------
// Voices

// note_on
// Takes the first free voice: its period from note_freq, then tone at
// volume velocity / 2. Velocity 0 is a note-off; channel 10 is never
// played. Note 0 is ignored, as it could not be told from a free voice.
void note_on(int channel, int note, int velocity) {
  if (channel == MUSIC_DRUM_CHANNEL) return;
  note &= 0x7F;
  velocity &= 0x7F;
  if (velocity == 0) {
    note_off(channel, note);
    return;
  }
  if (note == 0) return;
  for (int v = 0; v < MUSIC_VOICES; v++) {
    if (voice[v].note) continue;
    voice[v].channel = (unsigned char)channel;
    voice[v].note = (unsigned char)note;
    bmPut16(BM_SOUND + 3 * v, note_freq[note]);
    bmPut8(BM_SOUND + 3 * v + 2, (unsigned char)(velocity / 2 + TONE));
    return;
  }
}

// note_off
// Frees the first voice holding this channel and note and silences it; a
// note that found no voice finds nothing here either.
void note_off(int channel, int note) {
  if (channel == MUSIC_DRUM_CHANNEL) return;
  note &= 0x7F;
  if (note == 0) return;
  for (int v = 0; v < MUSIC_VOICES; v++) {
    if (voice[v].note != note || voice[v].channel != channel) continue;
    voice[v].note = 0;
    bmPut8(BM_SOUND + 3 * v + 2, 0);
    return;
  }
}

// ---------------------------------------------------------------------------
// Set-up and playing

// music_init
// Period of note n: 1,000,000 / f - 1 for its equal-tempered frequency f
// (A = note 69 = 440 Hz); the generator then sounds at about 998,365 / period
// Hz. Periods beyond a signed 16-bit number become 0x8000.
void music_init(void) {
  for (int n = 0; n < 128; n++) {
    float f = (float)(440.0 * pow(2.0, (n - 69) / 12.0));
    float p = 1000000.0f / f - 1.0f;
    note_freq[n] = p > 32767.0f ? (unsigned short)PERIOD_TOO_LOW : (unsigned short)p;
  }
  playing = 0;
  tempo = MUSIC_DEFAULT_TEMPO;
  memset(voice, 0, sizeof voice);
}

// __musicBigEndian
// A big-endian number of n bytes.
static uint32_t __musicBigEndian(const unsigned char *b, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; i++) v = v << 8 | b[i];
  return v;
}

// __musicRefuse
// Logs why a music file won't play; the game goes on without music.
static int __musicRefuse(FILE *f, const char *name, const char *why) {
  fclose(f);
  if (fr) fprintf(fr, "Couldn't play music file \"%s\": %s\n", name, why);
  return 0;
}

// load_music
// The header chunk gives the ticks per quarter note (the chunk is skipped
// by its own length); chunks other than "MTrk" are skipped by theirs, and
// the first "MTrk" chunk is read. A track longer than the file keeps what
// the file holds.
int load_music(const char *name) {
  FILE *f = fopen(name, "rb");
  if (!f) fail_open(name);
  playing = 0;
  free(data);
  data = NULL;
  pos = NULL;
  len = 0;

  fseek(f, 0, SEEK_END);
  long size = ftell(f);
  rewind(f);
  unsigned char head[14];
  if (size < 14 || fread(head, 1, 14, f) != 14)
    return __musicRefuse(f, name, "no header");
  uint32_t head_len = __musicBigEndian(head + 4, 4);
  if (head_len < 6) return __musicRefuse(f, name, "header too short");
  divisions = (short)__musicBigEndian(head + 12, 2);
  if (divisions <= 0) return __musicRefuse(f, name, "no ticks per quarter note");

  long at = 8 + (long)head_len;
  for (;;) {
    unsigned char chunk[8];
    if (at > size - 8 || fseek(f, at, SEEK_SET) != 0 || fread(chunk, 1, 8, f) != 8)
      return __musicRefuse(f, name, "no track");
    long chunk_len = (long)__musicBigEndian(chunk + 4, 4);
    at += 8;
    if (memcmp(chunk, "MTrk", 4) != 0) {
      at += chunk_len;
      continue;
    }
    long n = chunk_len < size - at ? chunk_len : size - at;
    if (n > INT_MAX) n = INT_MAX;
    data = (unsigned char *)malloc(n ? (size_t)n : 1);
    if (!data) return __musicRefuse(f, name, "out of memory");
    len = (int)fread(data, 1, (size_t)n, f);
    pos = data;
    fclose(f);
    return 1;
  }
}

// play_music
// From the top of the track: no running status, the first delta time read;
// nothing happens while the track plays or when there is none.
void play_music(void) {
  if (playing || !data) return;
  running_status = 0;
  pos = data;
  timer = 1;
  playing = 1;
  when_is_next();
}

// music_update
// Called after every scan line. Events with delta 0 are all handled in the
// same line.
void music_update(void) {
  if (!playing || --timer >= 1) return;
  while (timer < 1 && playing) process_event();
}

// ---------------------------------------------------------------------------
// Inspection

const music_voice *music_voices(void) { return voice; }
int music_tempo(void) { return tempo; }
int music_timer(void) { return timer; }
int music_playing(void) { return playing; }
