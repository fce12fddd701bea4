// Host time of the music player, run headless: a scan line with no event
// due (the common case, 15,600 times a second), and one second of the
// game's tune with every event it brings.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bm.h"
#include "log.h"
#include "music.h"

// load_tune
// The game's own tune from the run folder; false if it isn't built.
static bool load_tune(benchmark::State &state) {
  FILE *f = fopen(RUN_DIR "/sideview/tr1.mid", "rb");
  if (!f) {
    state.SkipWithError("tr1.mid is not built");
    return false;
  }
  fclose(f);
  return load_music(RUN_DIR "/sideview/tr1.mid") == 1;
}

// start_tune
// The music player from the start with the game's tune playing; false (and
// the benchmark skipped) if the tune isn't built.
static bool start_tune(benchmark::State &state) {
  music_init();
  if (!load_tune(state)) return false;
  play_music();
  return true;
}

// One call of music_update between two events.
static void BM_MusicIdleLine(benchmark::State &state) {
  bmSetupHeadless();
  if (!start_tune(state)) return;
  for (auto _ : state) {
    if (music_timer() < 2) {  // keep clear of events: start again
      state.PauseTiming();
      start_tune(state);
      for (int i = 0; i < 3; i++) music_update();
      state.ResumeTiming();
    }
    music_update();
  }
  bmSetdown();
}
BENCHMARK(BM_MusicIdleLine);

// 15,600 scan lines of the tune (about 40 notes), its register writes
// included; it starts again when it ends.
static void BM_MusicSecond(benchmark::State &state) {
  bmSetupHeadless();
  if (!start_tune(state)) return;
  for (auto _ : state) {
    for (int i = 0; i < 15600; i++) music_update();
    if (!music_playing()) play_music();
  }
  bmSetdown();
}
BENCHMARK(BM_MusicSecond)->Unit(benchmark::kMicrosecond);
