// bm.h -- the virtual machine of sideview: memory and bus, the scan-line
// display with its palette, the keyboard ports, the clock with its line and
// frame callbacks, and the four-voice sound generator.
#ifndef BM_H
#define BM_H

#include <allegro.h>

// Address map of the bus.
enum {
  BM_MEM_SIZE = 0x40000,   // 0x00000-0x3FFFF: four 64 KB banks of memory
  BM_VIDMODE = 0x40000,    // video mode: 0 palette, 1 direct colour
  BM_PAGE0 = 0x40001,      // bank of plane 0
  BM_PAGE1 = 0x40002,      // bank of plane 1
  BM_PALETTE = 0x40003,    // 32 palette registers (colour codes)
  BM_KEYS = 0x40023,       // 12 keyboard ports, read only
  BM_SOUND = 0x4002F,      // 4 voices x 3 sound registers, write only
  BM_BUS_END = 0x4003B,
};

// Timing.
enum {
  BM_LINE_CYCLES = 128,
  BM_LINES = 312,           // scan lines per frame, 0..239 visible
  BM_VISIBLE_LINES = 240,
  BM_FRAME_CYCLES = 39936,  // 128 x 312; 50 frames per second
};

// Colour of the left / right pixel for every (plane-1 byte x 256 + plane-0 byte).
extern unsigned char MapTableHigh[65536];
extern unsigned char MapTableLow[65536];
// The 320x240 8-bit back buffer the scan lines are generated into.
extern BITMAP *back;

// Brings the machine up on the real display, timer, keyboard, the first
// joystick when there is one, and sound. The window is titled "sideview"
// and shows the picture enlarged by the factor of bmSetScale, in a window
// or over the whole screen as the program's options say; Alt+Enter and F11
// switch between the two. Returns 0, or 1 when machine memory cannot be
// allocated.
int bmSetup(void);
// Releases what bmSetup (or bmSetupHeadless) created; safe to call twice.
void bmSetdown(void);

void bmPut8(int address, unsigned char value);
unsigned char bmGet8(int address);
void bmPut16(int address, unsigned short value);
unsigned short bmGet16(int address);
void bmPut32(int address, unsigned int value);
unsigned int bmGet32(int address);
// 0: let the rest of the frame pass; 1: the rest of the scan line.
void bmWait(int what);
// 0: frame callback, 1: line callback; a null fn removes it.
void bmSetCallBack(int which, void (*fn)(int));

// --- Keyboard wiring --------------------------------------------------------

// A keyboard port bit is pressed by the keys wired to it: at set-up each
// bit has the one key of the typewriter matrix. A bit may instead be wired
// to up to BM_WIRE_KEYS keys and to one input of the first joystick (the
// pad): it then reads as pressed while any of them is held.
enum {
  BM_WIRE_KEYS = 8,
  BM_PAD_NONE = 0,
  BM_PAD_LEFT,            // stick 0 pushed left, right, up, down
  BM_PAD_RIGHT,
  BM_PAD_UP,
  BM_PAD_DOWN,
  BM_PAD_BUTTON0 = 16,    // button n is BM_PAD_BUTTON0 + n
};
// Wires bit mask (one of 0x80 .. 0x01) of port address (BM_KEYS ..) to the
// first n of keys (at most BM_WIRE_KEYS; KEY_ codes) and to the pad input.
// Other ports and masks are ignored.
void bmWire(int address, int mask, const int *keys, int n, int pad);

// --- A held program (paused, or showing its keys) --------------------------

// Shows the last frame generated with what draw adds to a copy of it (an
// 8-bit 320x240 bitmap of palette slots), without running the machine. The
// next frame is shown whole again.
void bmShowStill(void (*draw)(BITMAP *frame));
// The palette slot that shows colour code c (slot s shows code s + 10).
int bmSlotOfCode(int c);
// 1 stops the sound output where it is (the generator keeps its state and
// nothing is mixed), 0 lets it go on; nothing without a sound device.
void bmPauseSound(int paused);

// --- Whole-number enlargement of the picture -------------------------------

// The factor for the next set-up: 1..DISPLAY_MAX_SCALE (8), or 0 (the
// default) to take the largest the desktop has room for. The desktop
// (common/desktop.h) chooses, sets the screen and shows the frames.
void bmSetScale(int k);
// The factor the picture is shown at: each machine pixel a k x k block.
int bmScale(void);

// --- Headless use and inspection (tests, benchmarks, tools) ---------------

// Brings the machine up without a display, timer, keyboard or audio stream:
// Allegro on SYSTEM_NONE, a memory bitmap stands in for the screen (as
// large as bmSetScale asks, 320x240 when it asks for the desktop's) and
// the frame wait returns at once. Memory is zeroed so that runs repeat exactly.
// Returns 0, or 1 when memory cannot be allocated.
int bmSetupHeadless(void);
// The bitmap each finished frame is shown on (the screen, or its stand-in).
BITMAP *bmDisplay(void);
// Machine memory (BM_MEM_SIZE bytes), for fast set-up and inspection.
unsigned char *bmMemory(void);
// Cycles since the start of the frame; the scan line to be generated next.
int bmCycles(void);
int bmLine(void);
// The 256-entry palette handed to Allegro.
void bmGetPalette(PALETTE pal);
// The colour of colour code i, from the YCbCr formula (Allegro's 0..63).
RGB bmCodeColour(int i);
// Mixes n samples of the sound generator into out, applying due events.
void bmMixSamples(unsigned char *out, int n);
// A sound-register write waiting for the mixer: voice 0..3, register 0..2,
// the value written and its time stamp (cycle counter x 256).
struct bmSoundWrite {
  int voice, reg, value, stamp;
};
// Copies up to max of the queued writes the mixer has not applied yet,
// oldest first, into out (which may be null when max is 0); returns how
// many are queued.
int bmSoundQueue(bmSoundWrite *out, int max);

#endif
