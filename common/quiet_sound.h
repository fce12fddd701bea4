// quiet_sound.h -- installing Allegro's sound drivers without their noise
//
// With no sound card, Allegro's ALSA drivers print a dozen error lines on
// standard error while they look for one, and the program then plays
// silent on null drivers. Here that becomes one line in the log. With a
// sound device, everything is as install_sound has it.
#ifndef QUIET_SOUND_H
#define QUIET_SOUND_H

#include <string>

// install_sound(digi, midi, NULL) with standard error caught meanwhile;
// what the drivers wrote there is kept for report_sound.
int install_sound_quietly(int digi, int midi);

// True when a real digital sound driver is installed (not Allegro's null
// one).
bool sound_device();

// After the program's install_sound_quietly calls: with no sound device,
// the log line "no sound device: playing without sound", and what the
// drivers wrote is dropped; with one, it goes to standard error as it
// always did. The caught text is forgotten.
void report_sound();

#endif
