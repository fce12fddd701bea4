// bm.cpp -- the virtual machine of sideview: 256 KB of memory behind a bus,
// a 320x240 display generated scan line by scan line from two 4-bit planes,
// 32 palette registers, 12 keyboard ports (which a pad can press too), a
// clock with line and frame callbacks held to 50 frames per second, and a
// four-voice square-wave and noise generator mixed into an Allegro audio
// stream.
//
// Machine time is counted in cycles: every bus access costs one. Crossing a
// scan-line boundary generates that line, runs the line callback and lets
// the sound generator catch up; the last line of a frame shows the frame and
// waits for the 50 Hz tick. Lines are always generated at 320x240; showing
// the frame enlarges it by a whole factor when the screen is larger.
#include "bm.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bmp.h"  // fr, the program's log
#include "quiet_sound.h"
#include "desktop.h"
#include "display_options.h"
#include "quiet_wait.h"
#include "tick_wait.h"

unsigned char MapTableHigh[65536];
unsigned char MapTableLow[65536];
BITMAP *back;

enum {
  SCREEN_WIDTH = 320,
  SCREEN_HEIGHT = 240,
  LINE_BYTES = 160,          // bytes of a memory row shown on one line
  PLANE1_TABLE = 480,        // line table of plane 1, after plane 0's
  TICK_TIME = 23863,         // 50 Hz in ticks of Allegro's 1,193,181 Hz clock
};

// Sound generator constants.
enum {
  SQUEUE_SIZE = 2048,              // power of two: indices wrap with a mask
  SAMPLE_UNITS = 11591,            // one sample in 1/256 machine cycles
  SND_CLOCK_WRAP = 511180800,      // one second of machine cycles x 256
  STREAM_SAMPLES = 1024,
  SAMPLE_RATE = 44100,
  TICK_WAIT_MS = 20,               // the longest a silent frame's wait sleeps
};

// Machine memory and display state.
static unsigned char *__bmTrueMem;     // the block from the allocator
static unsigned char *__bmMem;         // its first 256-byte boundary
static unsigned char __bmVidMode = 0xFF;
static int __bmPage0, __bmPage1;
static unsigned char __bmPalette[32];
static PALETTE __bmAllegroPalette;

// Clock.
static int __bmCounter;                // cycles since the start of the frame
static int __bmLineCounter;            // next scan line to generate, 0..311
static std::atomic<int> __bmTimeVar;   // 50 Hz ticks not yet consumed
static void (*__bmCallBackTable[2])(int);

// Frames are shown by the desktop, on the screen or, headless, on a memory
// bitmap; only the real one waits for the tick at each frame end.
static bool __bmPaced;

// Sound queue and voices.
struct SoundEvent {
  int voice;
  int reg;
  unsigned char value;
  int stamp;                           // __bmCounter x 256 at the write
};
static AUDIOSTREAM *outwave;
static SoundEvent SQueue[SQUEUE_SIZE];
static int SQueueWPtr, SQueueRPtr;
static int __Freqs[4];
static unsigned char __Volumes[4];
static unsigned char __Type[4];
static signed char __Value[4];
static int __DownCounters[4];
static unsigned char __RandBuf[256];
static int RandPtr;
static int __bmSndCounter;

// Keys of each keyboard port, from bit 0x80 down to bit 0x01; 0 = no key.
static const unsigned char __bmKeyMatrix[12][8] = {
    {KEY_6, KEY_5, KEY_4, KEY_3, KEY_2, KEY_1, KEY_ESC, 0},
    {KEY_7, KEY_8, KEY_9, KEY_0, KEY_MINUS, KEY_EQUALS, KEY_BACKSPACE, 0},
    {KEY_Y, KEY_T, KEY_R, KEY_E, KEY_W, KEY_Q, KEY_TAB, 0},
    {KEY_U, KEY_I, KEY_O, KEY_P, KEY_OPENBRACE, KEY_CLOSEBRACE, KEY_ENTER, 0},
    {KEY_H, KEY_G, KEY_F, KEY_D, KEY_S, KEY_A, KEY_CAPSLOCK, 0},
    {KEY_J, KEY_K, KEY_L, KEY_COLON, KEY_QUOTE, KEY_TILDE, 0, 0},
    {KEY_B, KEY_V, KEY_C, KEY_X, KEY_Z, KEY_BACKSLASH, KEY_LSHIFT, 0},
    {KEY_N, KEY_M, KEY_COMMA, KEY_STOP, KEY_SLASH, KEY_RSHIFT, 0, 0},
    {KEY_SPACE, KEY_ALT, KEY_LCONTROL, 0, 0, 0, 0, 0},
    {KEY_ALTGR, KEY_RCONTROL, 0, 0, 0, 0, 0, 0},
    {KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_LEFT, KEY_F1, KEY_F2, KEY_F3, KEY_F4},
    {KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11, KEY_F12},
};

// What presses each bit of each port: keys, and an input of the pad.
struct Wire {
  int n;
  int keys[BM_WIRE_KEYS];
  int pad;
};
static Wire __bmWires[12][8];
static bool __bmPad;                   // a joystick was installed

static void __bmUpdateSound(void);
static void __bmAddSoundEvent(int voice, int reg, unsigned char value);


// ---------------------------------------------------------------------------
// Palette and colour tables

// bmCodeColour
// The colour of a colour code: the high nibble is luma, bits 3-2 and 1-0
// the two chroma parts, turned into RGB with the BT.601 studio-range
// coefficients. Luma is kept fractional so that a grey's level is exactly
// (high nibble) / 16 before the scaling to Allegro's 0..63.
RGB bmCodeColour(int i) {
  float Y = (float)((i & 0xF0) * 219) / 256.0f;
  float Cb = (float)((((i & 0x0C) * 16) - 128) * 224 / 256);
  float Cr = (float)((((i & 0x03) * 64) - 128) * 224 / 256);
  float c[3];
  c[0] = Y * 0.00456621f + Cr * 0.00625893f;
  c[1] = Y * 0.00456621f - Cb * 0.00153632f - Cr * 0.00318811f;
  c[2] = Y * 0.00456621f + Cb * 0.00791071f;
  unsigned char v[3];
  for (int k = 0; k < 3; k++) {
    float x = c[k] < 0.0f ? 0.0f : c[k] > 1.0f ? 1.0f : c[k];
    v[k] = (unsigned char)(x * 63.0f);
  }
  RGB rgb = {v[0], v[1], v[2], 0};
  return rgb;
}

// __bmSetPalette
// Builds the fixed Allegro palette: slot s shows colour code (s + 10) mod
// 256, so codes with a low nibble of 0 come out as neutral greys.
static void __bmSetPalette(void) {
  for (int s = 0; s < 256; s++) __bmAllegroPalette[s] = bmCodeColour((s + 10) & 0xFF);
}

// __bmBuildPaletteTables
// Full rebuild of the mode-0 tables: plane 1 is an overlay of entries
// 16..31 whose nibble 0 is transparent, plane 0 the background, 0..15.
static void __bmBuildPaletteTables(void) {
  for (int b1 = 0; b1 < 256; b1++) {
    int h1 = b1 >> 4, l1 = b1 & 0x0F;
    unsigned char *hi = MapTableHigh + b1 * 256;
    unsigned char *lo = MapTableLow + b1 * 256;
    for (int b0 = 0; b0 < 256; b0++) {
      hi[b0] = h1 ? __bmPalette[16 + h1] : __bmPalette[b0 >> 4];
      lo[b0] = l1 ? __bmPalette[16 + l1] : __bmPalette[b0 & 0x0F];
    }
  }
}

// __bmSetVidMode
// Switches between palette mode (0) and direct colour (1), rebuilding both
// colour tables; writing the current mode does nothing.
static void __bmSetVidMode(unsigned char m) {
  if (m == __bmVidMode) return;
  __bmVidMode = m;
  if (m != 1) {
    __bmBuildPaletteTables();
    return;
  }
  // Direct colour: plane 1 gives a pixel's high nibble, plane 0 its low one.
  for (int b1 = 0; b1 < 256; b1++)
    for (int b0 = 0; b0 < 256; b0++) {
      MapTableHigh[b1 * 256 + b0] = (b1 & 0xF0) | (b0 >> 4);
      MapTableLow[b1 * 256 + b0] = ((b1 & 0x0F) << 4) | (b0 & 0x0F);
    }
}

// __bmSetPaletteEntry
// Stores a palette register; in palette mode rewrites only the table
// entries that show it, which always equals a full rebuild.
static void __bmSetPaletteEntry(int n, unsigned char code) {
  __bmPalette[n] = code;
  if (__bmVidMode != 0) return;
  if (n < 16) {
    // Background: pixels whose overlay nibble is 0 and background nibble n.
    for (int a = 0; a < 16; a++)
      for (int b = 0; b < 16; b++) {
        MapTableHigh[a * 256 + (n << 4 | b)] = code;         // b1 = 0a
        MapTableLow[(a << 4) * 256 + (b << 4 | n)] = code;   // b1 = a0
      }
    return;
  }
  int k = n - 16;
  if (k == 0) return;  // overlay nibble 0 is transparent: entry 16 never shows
  for (int a = 0; a < 16; a++) {
    memset(MapTableHigh + (k << 4 | a) * 256, code, 256);    // b1 = ka
    memset(MapTableLow + (a << 4 | k) * 256, code, 256);     // b1 = ak
  }
}

// ---------------------------------------------------------------------------
// Display and clock

// __bmTimeFunc
// The 50 Hz tick, on Allegro's timer thread; it wakes the frame's wait.
static void __bmTimeFunc(void) {
  __bmTimeVar.fetch_add(1);
  tick_post();
}

// __bmWaitTick
// Holds frames to 50 per second: sleeps until a tick has arrived, then
// consumes every tick that did, so a late frame is not made up for. While
// a sound driver plays the stream it wakes every millisecond to offer to
// refill it: looking only once a frame can miss the moment a stream half
// frees up, and a device that takes sound faster than it plays (a file)
// would hear the old half again. Without sound it just sleeps to the tick,
// with Allegro's input thread asleep too (quiet_wait.h).
static void __bmWaitTick(void) {
  if (!__bmPaced) return;
  bool sound = outwave && digi_driver && digi_driver->id != DIGI_NONE;
  while (__bmTimeVar.load() == 0) {
    __bmUpdateSound();
    if (sound)
      tick_wait(1);
    else
      quiet_tick_wait(TICK_WAIT_MS);
  }
  __bmTimeVar.exchange(0);
}

// bmSetScale
// Anything but 1..DISPLAY_MAX_SCALE leaves the choice to the desktop.
void bmSetScale(int k) { display_options.scale = k >= 1 && k <= DISPLAY_MAX_SCALE ? k : 0; }

int bmScale(void) { return desktop_scale(); }

// __bmShowFrame
// Hands the finished back buffer to the desktop, which enlarges and sends
// only the rows that changed, then carries out a switch between window and
// full screen asked for since the last frame.
static void __bmShowFrame(void) {
  desktop_present(back);
  desktop_poll();
}

// bmShowStill
// The frame goes through the usual way to the screen (enlarged rows that
// changed), so the copy of what is shown stays true and the next real
// frame redraws the rows draw changed.
void bmShowStill(void (*draw)(BITMAP *frame)) {
  if (!back || !desktop_target()) return;
  BITMAP *still = create_bitmap_ex(8, back->w, back->h);
  if (!still) return;
  blit(back, still, 0, 0, 0, 0, back->w, back->h);
  draw(still);
  BITMAP *frame = back;
  back = still;
  __bmShowFrame();
  back = frame;
  destroy_bitmap(still);
}

int bmSlotOfCode(int c) { return (c - 10) & 0xFF; }

// __bmDrawLine
// Generates scan line __bmLineCounter, runs the line callback and, after
// the last line, shows the frame, runs the frame callback and waits.
static void __bmDrawLine(void) {
  int L = __bmLineCounter;
  if (L < BM_VISIBLE_LINES) {
    const unsigned char *m = __bmMem;
    int off0 = m[2 * L] | m[2 * L + 1] << 8;
    int off1 = m[PLANE1_TABLE + 2 * L] | m[PLANE1_TABLE + 2 * L + 1] << 8;
    // Each plane steps through one 256-byte row, wrapping at its end.
    const unsigned char *row0 = m + (__bmPage0 << 16) + (off0 & 0xFF00);
    const unsigned char *row1 = m + (__bmPage1 << 16) + (off1 & 0xFF00);
    unsigned char x0 = off0 & 0xFF, x1 = off1 & 0xFF;
    unsigned char *out = (unsigned char *)bmp_write_line(back, L);
    for (int i = 0; i < LINE_BYTES; i++, x0++, x1++) {
      int idx = row1[x1] << 8 | row0[x0];
      out[2 * i] = MapTableHigh[idx];
      out[2 * i + 1] = MapTableLow[idx];
    }
    bmp_unwrite_line(back);
  }
  if (__bmCallBackTable[1]) __bmCallBackTable[1](1);
  if (++__bmLineCounter < BM_LINES) return;
  __bmLineCounter = 0;
  __bmCounter -= BM_FRAME_CYCLES;
  __bmShowFrame();
  if (__bmPad) poll_joystick();
  if (__bmCallBackTable[0]) __bmCallBackTable[0](0);
  __bmWaitTick();
}

// __bmRunFor
// Lets c cycles pass. Each line boundary reached takes a whole line's 128
// cycles from c onto the counter before the line is generated, so its
// callbacks see the counter a line on (127 + 1 cycle: 255); what is left
// of c, negative after a part line, then brings the counter to where the
// cycles say. Accesses made inside a callback only count their cycles
// (InUpdate); a boundary they cross is owed, and the next call generates
// it first.
static void __bmRunFor(int c) {
  static int InUpdate = 0;
  if (InUpdate) {
    __bmCounter += c;
    return;
  }
  InUpdate = 1;
  // The counter never falls behind the line counter, so n also counts the
  // lines still owed from callbacks of earlier calls.
  int n = (__bmCounter + c) / BM_LINE_CYCLES - __bmLineCounter;
  while (n-- > 0) {
    c -= BM_LINE_CYCLES;
    __bmCounter += BM_LINE_CYCLES;
    __bmDrawLine();
    __bmUpdateSound();
  }
  InUpdate = 0;
  __bmCounter += c;
}

// bmWait
// 0: lets the rest of the frame pass, 1: the rest of the scan line; at an
// exact boundary a whole frame or line passes.
void bmWait(int what) {
  if (!__bmMem) return;
  if (what == 0)
    __bmRunFor(BM_FRAME_CYCLES - __bmCounter % BM_FRAME_CYCLES);
  else if (what == 1)
    __bmRunFor(BM_LINE_CYCLES - __bmCounter % BM_LINE_CYCLES);
}

// bmSetCallBack
// 0 sets the frame callback, 1 the line callback.
void bmSetCallBack(int which, void (*fn)(int)) {
  if (which == 0 || which == 1) __bmCallBackTable[which] = fn;
}

// ---------------------------------------------------------------------------
// Bus

// __bmWireMatrix
// Every port bit wired to its key of the typewriter matrix alone.
static void __bmWireMatrix(void) {
  for (int port = 0; port < 12; port++)
    for (int bit = 0; bit < 8; bit++) {
      Wire &w = __bmWires[port][bit];
      int k = __bmKeyMatrix[port][bit];
      w.n = k ? 1 : 0;
      w.keys[0] = k;
      w.pad = BM_PAD_NONE;
    }
}

// bmWire
void bmWire(int address, int mask, const int *keys, int n, int pad) {
  int port = address - BM_KEYS, bit = 0;
  while (bit < 8 && (0x80 >> bit) != mask) bit++;
  if (port < 0 || port >= 12 || bit == 8) return;
  Wire &w = __bmWires[port][bit];
  w.n = 0;
  for (int i = 0; i < n && i < BM_WIRE_KEYS; i++)
    if (keys[i] > 0 && keys[i] < KEY_MAX) w.keys[w.n++] = keys[i];
  w.pad = pad;
}

// __bmPadHeld
// An input of the first joystick, as Allegro last polled it (all zero
// when there is none).
static bool __bmPadHeld(int pad) {
  const JOYSTICK_INFO &j = joy[0];
  switch (pad) {
    case BM_PAD_LEFT: return j.stick[0].axis[0].d1;
    case BM_PAD_RIGHT: return j.stick[0].axis[0].d2;
    case BM_PAD_UP: return j.stick[0].axis[1].d1;
    case BM_PAD_DOWN: return j.stick[0].axis[1].d2;
  }
  int b = pad - BM_PAD_BUTTON0;
  return b >= 0 && b < MAX_JOYSTICK_BUTTONS && j.button[b].b;
}

// __bmReadPort
// A keyboard port: a 0 bit for each bit whose key (or pad input) is
// held, 1 everywhere else. Once the window's close button is pressed, Esc
// reads as held for good: the credits, a level and the winning sequence all
// end on Esc, and so the game ends through its own way out.
static unsigned char __bmReadPort(int port) {
  unsigned char v = 0xFF;
  if (port == 0 && desktop_close_requested()) v &= ~0x02;
  for (int bit = 0; bit < 8; bit++) {
    const Wire &w = __bmWires[port][bit];
    bool down = w.pad != BM_PAD_NONE && __bmPadHeld(w.pad);
    for (int i = 0; i < w.n && !down; i++) down = key[w.keys[i]];
    if (down) v &= ~(0x80 >> bit);
  }
  return v;
}

// bmPut8
// One bus write, after one cycle has passed. Unmapped addresses, negative
// ones included, are ignored.
void bmPut8(int address, unsigned char value) {
  if (!__bmMem) return;
  __bmRunFor(1);
  unsigned a = (unsigned)address;
  if (a < BM_MEM_SIZE)
    __bmMem[a] = value;
  else if (a == BM_VIDMODE)
    __bmSetVidMode(value & 1);
  else if (a == BM_PAGE0)
    __bmPage0 = value & 3;
  else if (a == BM_PAGE1)
    __bmPage1 = value & 3;
  else if (a >= BM_PALETTE && a < BM_KEYS)
    __bmSetPaletteEntry(a - BM_PALETTE, value);
  else if (a >= BM_SOUND && a < BM_BUS_END)
    __bmAddSoundEvent((a - BM_SOUND) / 3, (a - BM_SOUND) % 3, value);
}

// bmGet8
// One bus read, after one cycle has passed: memory, a palette register or
// a keyboard port; 0 anywhere else.
unsigned char bmGet8(int address) {
  if (!__bmMem) return 0;
  __bmRunFor(1);
  unsigned a = (unsigned)address;
  if (a < BM_MEM_SIZE) return __bmMem[a];
  if (a >= BM_PALETTE && a < BM_KEYS) return __bmPalette[a - BM_PALETTE];
  if (a >= BM_KEYS && a < BM_SOUND) return __bmReadPort(a - BM_KEYS);
  return 0;
}

// Address k bytes after a, wrapping instead of overflowing.
static int __bmAfter(int a, unsigned k) { return (int)((unsigned)a + k); }

// bmPut16
// Low byte first: two bus writes.
void bmPut16(int address, unsigned short value) {
  bmPut8(address, value & 0xFF);
  bmPut8(__bmAfter(address, 1), value >> 8);
}

// bmGet16
unsigned short bmGet16(int address) {
  unsigned lo = bmGet8(address);
  unsigned hi = bmGet8(__bmAfter(address, 1));
  return (unsigned short)(lo | hi << 8);
}

// bmPut32
// Least significant byte first: four bus writes.
void bmPut32(int address, unsigned int value) {
  for (unsigned k = 0; k < 4; k++) bmPut8(__bmAfter(address, k), (value >> (8 * k)) & 0xFF);
}

// bmGet32
unsigned int bmGet32(int address) {
  unsigned v = 0;
  for (unsigned k = 0; k < 4; k++) v |= (unsigned)bmGet8(__bmAfter(address, k)) << (8 * k);
  return v;
}

// ---------------------------------------------------------------------------
// Sound generator

// __bmResetSound
// Silences all voices, empties the queue and fills the noise table.
static void __bmResetSound(void) {
  memset(__Value, 0, sizeof __Value);
  memset(__DownCounters, 0, sizeof __DownCounters);
  memset(__Freqs, 0, sizeof __Freqs);
  memset(__Volumes, 0, sizeof __Volumes);
  memset(__Type, 0, sizeof __Type);
  for (int i = 255; i >= 0; i--) __RandBuf[i] = rand() & 0x80;
  RandPtr = 0;
  SQueueWPtr = SQueueRPtr = 0;
  __bmSndCounter = 0;
}

// __bmSetupSound
// Installs the digital sound driver and opens the 8-bit mono stream. With
// no driver the machine runs silent: the queue just wraps.
static void __bmSetupSound(void) {
  reserve_voices(1, 0);
  set_volume_per_voice(0);
  if (install_sound_quietly(DIGI_AUTODETECT, MIDI_NONE) == 0) {
    set_volume(255, 0);
    outwave = play_audio_stream(STREAM_SAMPLES, 8, FALSE, SAMPLE_RATE, 255, 128);
  }
  report_sound();
  __bmResetSound();
}

// __bmSetdownSound
static void __bmSetdownSound(void) {
  if (outwave) stop_audio_stream(outwave);
  outwave = NULL;
}

// bmPauseSound
// The stream's voice stands still: no buffer of it frees up, so nothing is
// mixed, and the last one is not played over and over.
void bmPauseSound(int paused) {
  if (!outwave) return;
  if (paused)
    voice_stop(outwave->voice);
  else
    voice_start(outwave->voice);
}

// __bmAddSoundEvent
// Queues a register write stamped with the machine time; the mixer applies
// it when its sample clock gets there. The queue is not checked for room: a
// writer that laps the mixer makes it look empty, losing what was pending.
static void __bmAddSoundEvent(int voice, int reg, unsigned char value) {
  SoundEvent &e = SQueue[SQueueWPtr];
  e.voice = voice;
  e.reg = reg;
  e.value = value;
  e.stamp = __bmCounter * 256;
  SQueueWPtr = (SQueueWPtr + 1) & (SQUEUE_SIZE - 1);
}

// __bmApplySoundEvent
// Register 0 and 1: middle and high byte of the period. Register 2:
// volume in bits 0-5; bits 7-6 00 silent, 01 and 11 tone, 10 noise.
static void __bmApplySoundEvent(const SoundEvent &e) {
  int v = e.voice;
  if (e.reg == 0) {
    __Freqs[v] = (__Freqs[v] & ~0xFF00) | e.value << 8;
  } else if (e.reg == 1) {
    __Freqs[v] = (__Freqs[v] & ~0xFF0000) | e.value << 16;
  } else {
    int vol = (e.value & 0xC0) ? (e.value & 0x3F) : 0;
    __Volumes[v] = vol;
    __Type[v] = (e.value & 0x40) ? 0 : (e.value & 0x80);
    __Value[v] = __Value[v] < 0 ? -(vol / 2) : vol / 2;
  }
}

// bmMixSamples
// The mixer's per-sample work: output the voices' levels, let each voice's
// counter run down by one sample (a tone flips at every expiry, a noise
// voice only when its random entry is 0), then apply the due events.
void bmMixSamples(unsigned char *out, int n) {
  for (int s = 0; s < n; s++) {
    out[s] = (unsigned char)(128 + __Value[0] + __Value[1] + __Value[2] + __Value[3]);
    for (int q = 3; q >= 0; q--) {
      if (!__Volumes[q]) continue;
      int d = __DownCounters[q] - SAMPLE_UNITS;
      if (d < 0) {
        d += __Freqs[q];
        if (d < 0) d = 0;  // a period shorter than a sample: flip every sample
        if (!(__Type[q] & __RandBuf[RandPtr])) __Value[q] = -__Value[q];
        RandPtr = (RandPtr + 1) & 0xFF;
      }
      __DownCounters[q] = d;
    }
    while (SQueueRPtr != SQueueWPtr &&
           SQueue[SQueueRPtr].stamp - __bmSndCounter <= SAMPLE_UNITS - 1) {
      __bmApplySoundEvent(SQueue[SQueueRPtr]);
      SQueueRPtr = (SQueueRPtr + 1) & (SQUEUE_SIZE - 1);
    }
    __bmSndCounter += SAMPLE_UNITS;
    if (__bmSndCounter > SND_CLOCK_WRAP) __bmSndCounter -= SND_CLOCK_WRAP;
  }
}

// __bmUpdateSound
// Refills the audio stream when it has a buffer free; called after every
// generated scan line.
static void __bmUpdateSound(void) {
  if (!outwave) return;
  unsigned char *buf = (unsigned char *)get_audio_stream_buffer(outwave);
  if (!buf) return;
  bmMixSamples(buf, STREAM_SAMPLES);
  free_audio_stream_buffer(outwave);
}

// ---------------------------------------------------------------------------
// Set-up and shut-down

// __bmStart
// What both set-ups share: the back buffer, zeroed machine memory, the
// direct-colour tables, the clock and no callbacks.
static int __bmStart(void) {
  if (!back) back = create_bitmap_ex(8, SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!back) return 1;
  clear_to_color(back, 0);
  __bmTrueMem = (unsigned char *)calloc(BM_MEM_SIZE + 255, 1);
  if (!__bmTrueMem) return 1;
  // Rows must be 256-aligned: a line steps through its row by the low byte.
  __bmMem = (unsigned char *)(((uintptr_t)__bmTrueMem + 255) & ~(uintptr_t)255);
  memset(__bmPalette, 0, sizeof __bmPalette);
  __bmVidMode = 0xFF;
  __bmSetVidMode(1);
  __bmCounter = __bmLineCounter = 0;
  __bmPage0 = __bmPage1 = 0;
  __bmWireMatrix();
  __bmCallBackTable[0] = __bmCallBackTable[1] = NULL;
  __bmTimeVar.store(0);
  return 0;
}

// bmSetup
// Brings the machine up on the real screen (320x240 at 8 bits, enlarged
// by a whole factor in a window or over the whole screen), keyboard, pad,
// 50 Hz timer and audio stream.
int bmSetup(void) {
  if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0)
    fail("Couldn't start Allegro (is there a display?) %s", allegro_error);
  install_timer();
  install_keyboard();
  // A pad is welcome but not needed: without one its inputs read as zero.
  __bmPad = install_joystick(JOY_TYPE_AUTODETECT) == 0;
  desktop_setup("sideview", true);
  if (!desktop_open(SCREEN_WIDTH, SCREEN_HEIGHT, 8))
    fail("Couldn't set the %dx%d 8-bit screen mode: %s", SCREEN_WIDTH, SCREEN_HEIGHT,
         allegro_error);
  __bmSetPalette();
  desktop_set_palette(__bmAllegroPalette);
  if (__bmStart()) return 1;
  __bmPaced = true;
  install_int_ex(__bmTimeFunc, TICK_TIME);
  __bmSetupSound();
  atexit(bmSetdown);
  return 0;
}

// bmSetupHeadless
// The same machine with no display, timer, keyboard driver or stream: key[]
// is a plain array the caller may set, frames go to a memory bitmap (as
// large as bmSetScale asks) and follow each other without waiting, and the
// mixer is driven by hand.
int bmSetupHeadless(void) {
  bmSetdown();
  if (!system_driver && install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
    fail("Couldn't start Allegro: %s", allegro_error);
  int k = display_options.scale ? display_options.scale : 1;
  if (!desktop_open_headless(SCREEN_WIDTH, SCREEN_HEIGHT, 8, k)) return 1;
  __bmSetPalette();
  if (__bmStart()) return 1;
  __bmPaced = false;
  __bmResetSound();
  return 0;
}

// bmSetdown
// Releases memory, the back buffer, the stream and the tick; each only if
// present, so a second call does nothing.
void bmSetdown(void) {
  if (__bmPaced) remove_int(__bmTimeFunc);
  if (__bmPad) remove_joystick();
  __bmPad = false;
  __bmPaced = false;
  __bmSetdownSound();
  free(__bmTrueMem);
  __bmTrueMem = __bmMem = NULL;
  if (back) destroy_bitmap(back);
  back = NULL;
  desktop_shut();
}

// ---------------------------------------------------------------------------
// Inspection

BITMAP *bmDisplay(void) { return desktop_target(); }
unsigned char *bmMemory(void) { return __bmMem; }
int bmCycles(void) { return __bmCounter; }
int bmLine(void) { return __bmLineCounter; }
void bmGetPalette(PALETTE pal) { memcpy(pal, __bmAllegroPalette, sizeof(PALETTE)); }

int bmSoundQueue(bmSoundWrite *out, int max) {
  int n = (SQueueWPtr - SQueueRPtr) & (SQUEUE_SIZE - 1);
  for (int i = 0; i < n && i < max; i++) {
    const SoundEvent &e = SQueue[(SQueueRPtr + i) & (SQUEUE_SIZE - 1)];
    out[i] = bmSoundWrite{e.voice, e.reg, e.value, e.stamp};
  }
  return n;
}
