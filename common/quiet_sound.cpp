// quiet_sound.cpp -- installing Allegro's sound drivers without their noise
#include "quiet_sound.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdio>

#include "log.h"

// What the drivers wrote on standard error, held until report_sound.
static std::string said;

// More than this is not kept: drivers never say as much.
static const size_t MAX_SAID = 64 * 1024;

// install_sound_quietly
// Standard error (descriptor 2, which the drivers' libraries write to) goes
// into a temporary file for the call. If no temporary file can be made,
// the drivers speak as they always did.
int install_sound_quietly(int digi, int midi) {
  fflush(stderr);
  FILE *caught = tmpfile();
  int saved = caught ? dup(2) : -1;
  if (saved < 0 || dup2(fileno(caught), 2) < 0) {
    if (saved >= 0) close(saved);
    if (caught) fclose(caught);
    return install_sound(digi, midi, NULL);
  }
  int result = install_sound(digi, midi, NULL);
  fflush(stderr);
  dup2(saved, 2);
  close(saved);
  rewind(caught);
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, caught)) > 0 && said.size() < MAX_SAID)
    said.append(chunk, n);
  fclose(caught);
  return result;
}

bool sound_device() { return digi_driver && digi_driver->id != DIGI_NONE; }

// report_sound
void report_sound() {
  if (!sound_device()) {
    if (fr) fprintf(fr, "no sound device: playing without sound\n");
  } else if (!said.empty()) {
    fwrite(said.data(), 1, said.size(), stderr);
  }
  said.clear();
}
