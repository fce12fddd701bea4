// game_bench.cpp -- the cost of one logic step with a full table of
// characters on the largest course, of one frame of a one-player view, of
// the same frame with a ghost in it, and of running a whole recorded race.
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "game.h"
#include "ghost.h"
#include "race.h"
#include "replay.h"
#include "share.h"

// Allegro without a display, a 640 x 480 buf, and the real datafile when the
// build has made it (else plain squares for every picture).
static void setup() {
  static bool done = false;
  if (done) return;
  done = true;
  install_allegro(SYSTEM_NONE, &errno, atexit);
  set_color_depth(16);
  make_colours();
  buf = create_bitmap(640, 480);
  D = load_datafile(RUN_DIR "/topdown/data.dat");
  if (!D) {
    static DATAFILE fake[N_OBJECTS + 1];
    for (int i = 0; i < N_OBJECTS; i++) {
      BITMAP *b = create_bitmap(i >= OBJ_TILE0 ? 32 : 16, i >= OBJ_TILE0 ? 32 : 16);
      clear_to_color(b, makecol(i * 40 & 255, i * 90 & 255, i * 50 & 255));
      fake[i].dat = b;
      fake[i].type = DAT_BITMAP;
    }
    fake[OBJ_FONT].dat = font;
    fake[OBJ_FONT].type = DAT_FONT;
    fake[N_OBJECTS].type = DAT_END;
    D = fake;
  }
  if (attr_read(RUN_DIR "/topdown/tileattr.wz", tile_attr) != 256) {
    memset(tile_attr, Dry, sizeof tile_attr);
    tile_attr[1] = NoWalk | Dry;
    tile_attr[9] = NoWalk;
  }
}

// A 256 x 256 course: grass with walls every 16 tiles and ponds between.
static void big_course() {
  map.w = map.h = 256;
  map.n = 0;
  for (int x = 0; x < 256; x++)
    for (int y = 0; y < 256; y++) {
      int t = 2;
      if (x % 16 == 0 && y % 4 != 0) t = 1;
      if (x % 16 > 5 && x % 16 < 9 && y % 16 > 5 && y % 16 < 9) t = 9;
      if (y % 32 == 20) t = 8;
      map.t[x][y] = (unsigned char)t;
    }
}

// one_player_at
// The big course for one player, a walker at (x, y) as character 0, the
// random numbers from seed.
static void one_player_at(int x, int y, unsigned seed) {
  setup();
  big_course();
  srand(seed);
  n_players = 1;
  n_characs = 0;
  add_charac(x, y, KIND_WALKER);
}

static void BM_LogicStepFullTable(benchmark::State &state) {
  one_player_at(100, 100, 1);
  static const int kinds[] = {KIND_ITEM, KIND_WHIRL, KIND_CAR, KIND_BIKE,
                              KIND_BOAT, KIND_WALKER, KIND_ITEM};
  for (int i = 1; i < MAX_CHARACS; i++) {
    add_charac(20 + rand() % 8150, 20 + rand() % 8150, kinds[i % 7]);
    if (i % 3 == 0) C[i].sub = RANDOM_DRIVER;
    if (C[i].kind == KIND_ITEM && i % 3) C[i].sub = 1 + i % 4;
  }
  t2 = 0;
  for (auto _ : state) logic_step();
  state.counters["characters"] = n_characs;
}
BENCHMARK(BM_LogicStepFullTable)->Unit(benchmark::kMillisecond);

static void BM_FrameOnePlayer300InView(benchmark::State &state) {
  one_player_at(4000, 4000, 2);
  static const int kinds[] = {KIND_ITEM, KIND_WHIRL, KIND_CAR, KIND_BIKE,
                              KIND_BOAT, KIND_WALKER, KIND_SHOT};
  for (int i = 1; i < 300; i++) {
    add_charac(4000 - 320 + rand() % 640, 4000 - 240 + rand() % 480, kinds[i % 7]);
    C[i].angle = rand() % 256;
    C[i].sub = C[i].kind == KIND_ITEM ? 1 + i % 4 : 0;
  }
  make_game_bitmaps();
  BITMAP *dest = create_bitmap(640, 480);
  for (auto _ : state) draw_frame(dest);
  free_game_bitmaps();
  destroy_bitmap(dest);
}
BENCHMARK(BM_FrameOnePlayer300InView)->Unit(benchmark::kMillisecond);

// The shipped replay of m06, the largest course, on its course; false (and
// the benchmark skipped) when the build has not made the course.
static bool m06_replay(Replay &r, benchmark::State &state) {
  setup();
  if (!try_load_map(RUN_DIR "/topdown/m06.map") ||
      !replay_read(SOURCE_DIR "/tests/topdown/replays/m06-1p.replay", r)) {
    state.SkipWithError("needs m06.map in the run folder and its replay");
    return false;
  }
  return true;
}

// halfway_through_m06
// m06's recorded race run to its middle step for one player, with the ghost
// of the same run (where the player is, so in view) or without, and the
// game's bitmaps made; false (and the benchmark skipped) when it can't be.
static bool halfway_through_m06(benchmark::State &state, bool with_ghost) {
  Replay r;
  if (!m06_replay(r, state)) return false;
  ghost_drop();
  if (with_ghost && !ghost_make(r)) {
    state.SkipWithError("the replay no longer finishes as recorded");
    return false;
  }
  race_begin_film(r);
  for (int k = 0; k < r.steps() / 2; k++) logic_step();
  race_end();
  n_players = 1;
  make_game_bitmaps();
  return true;
}

// A frame halfway through m06's recorded race, with its ghost or without:
// the difference is what a ghost costs a frame.
static void frame_in_recorded_race(benchmark::State &state, bool with_ghost) {
  if (!halfway_through_m06(state, with_ghost)) return;
  BITMAP *dest = create_bitmap(640, 480);
  for (auto _ : state) draw_frame(dest);
  int pictures = 0;
  if (with_ghost) ghost_sprites(t2, pictures);
  state.counters["ghost_pictures"] = pictures;
  free_game_bitmaps();
  destroy_bitmap(dest);
  ghost_drop();
}

static void BM_FrameRecordedRaceWithoutGhost(benchmark::State &state) {
  frame_in_recorded_race(state, false);
}
BENCHMARK(BM_FrameRecordedRaceWithoutGhost)->Unit(benchmark::kMicrosecond);

static void BM_FrameRecordedRaceWithGhost(benchmark::State &state) {
  frame_in_recorded_race(state, true);
}
BENCHMARK(BM_FrameRecordedRaceWithGhost)->Unit(benchmark::kMicrosecond);

// What the ghost adds to a frame, alone: its pictures turned, paled and
// blended into the view (the same step and view as above).
static void BM_GhostDrawAlone(benchmark::State &state) {
  if (!halfway_through_m06(state, true)) return;
  BITMAP *dest = create_bitmap(640, 480);
  draw_frame(dest);  // places the view on the player
  for (auto _ : state) ghost_draw();
  free_game_bitmaps();
  destroy_bitmap(dest);
  ghost_drop();
}
BENCHMARK(BM_GhostDrawAlone)->Unit(benchmark::kMicrosecond);

// The whole of m06's recorded race, logic only, as a film is run: the
// counter x_real_time tells how many times faster than the game's 50
// steps a second it goes.
static void BM_ReplayWholeRace(benchmark::State &state) {
  Replay r;
  if (!m06_replay(r, state)) return;
  long steps = 0;
  for (auto _ : state) {
    race_begin_film(r);
    for (int k = 0; k < r.steps(); k++) logic_step();
    race_end();
    steps += r.steps();
  }
  state.counters["steps"] = r.steps();
  state.counters["x_real_time"] =
      benchmark::Counter(steps / (double)STEPS_PER_SECOND, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReplayWholeRace)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
