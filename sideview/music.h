// music.h -- the game's MIDI player: the first track of a Standard MIDI
// File, read into memory and interpreted event by event once per scan line,
// its notes played as square-wave tones on sound voices 0..2 of the machine.
#ifndef MUSIC_H
#define MUSIC_H

enum {
  MUSIC_VOICES = 3,          // sound voices 0..2 play notes; voice 3 is unused
  MUSIC_DRUM_CHANNEL = 10,   // notes on this channel (counted from 0) never sound
  MUSIC_DEFAULT_TEMPO = 7000,  // scan lines per quarter note until the track sets one
};

// The note a sound voice plays; note 0 means the voice is free.
struct music_voice {
  unsigned char channel;
  unsigned char note;
};

// Sound period of each MIDI note number for the machine's sound registers;
// notes too low for 16 bits (0..22) all hold 0x8000.
extern unsigned short note_freq[128];

// Fills note_freq, stops the music, sets the default tempo, frees the voices.
void music_init(void);
// Reads the first track of a Standard MIDI File. A file that can't be opened
// ends the program; one without a usable header or track is logged and left
// silent. Returns 1 when there is a track to play, else 0.
int load_music(const char *name);
// Starts the track from its beginning unless it is playing already.
void play_music(void);
// One scan line of music: counts down to the next event and interprets
// every event that is due.
void music_update(void);

// The steps of the player, on the track being played.
// Reads a variable-length number (at most four bytes) and moves past it.
unsigned int parse_var_len(void);
// Reads the next delta time and adds it, in scan lines, to the timer.
void when_is_next(void);
// Interprets one event and reads the delta time that follows it.
void process_event(void);
// A note starts on the first free voice, or is dropped when none is free.
void note_on(int channel, int note, int velocity);
// The first voice playing this note on this channel falls silent.
void note_off(int channel, int note);

// --- Inspection (tests, benchmarks, tools) --------------------------------
// Voices 0..2 (MUSIC_VOICES records), read only.
const music_voice *music_voices(void);
// Scan lines per quarter note; scan lines until the next event; 1 while the
// track plays.
int music_tempo(void);
int music_timer(void);
int music_playing(void);

#endif
