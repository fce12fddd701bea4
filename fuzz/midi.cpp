// midi.cpp -- sideview's MIDI player on any bytes: load_music, then the
// whole track played through music_update, scan line by scan line, with
// its notes written to the machine's sound registers and mixed. Long waits
// between events are cut short (the events are what is tested, not the
// count down), so that every event of the track is reached quickly, and
// the track must end.
#include <cstring>

#include "bm.h"
#include "fuzz.h"
#include "music.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  if (bmSetupHeadless() != 0) abort();
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_write("tune.mid", data, size);
  music_init();
  if (!load_music("tune.mid")) return 0;
  play_music();
  // Every event takes at least one byte of the track, so it ends after at
  // most as many events as it has bytes (and 64 lines of waiting each).
  long events = 0;
  while (music_playing()) {
    if (music_timer() > 64) {
      process_event();
    } else {
      music_update();
    }
    FUZZ_CHECK(++events <= 64 * (long)size + 64);
    if (events % 16 == 0) {
      unsigned char out[64];
      bmMixSamples(out, sizeof out);
    }
  }
  return 0;
}
