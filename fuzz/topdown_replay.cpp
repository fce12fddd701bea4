// topdown_replay.cpp -- topdown's replay reader on any bytes (the target
// "replay"): a file is a whole replay or damaged, never anything between;
// a replay taken is written back as text that reads as the same replay;
// and any replay taken, however odd its seed and controls, plays as a film
// and makes a ghost on a small course without harm.
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "fuzz.h"
#include "game.h"
#include "ghost.h"
#include "headless.h"
#include "race.h"
#include "replay.h"
#include "share.h"

// Runs longer than this are not played: they would take the fuzzer's time
// for nothing new.
enum { PLAYED_STEPS = 1500 };

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  D = headless_datafile();
  FUZZ_CHECK(mkdir("replays", 0777) == 0);
  return 0;
}

// A small course with both starts, a car, an item and a finish.
static void small_course() {
  memset(&map, 0, sizeof map);
  map.w = 12;
  map.h = 8;
  memset(map.t, 2, sizeof map.t);
  map.t[10][4] = FINISH_TILE;
  map.ins[0] = Insertion{48, 48, 11};
  map.ins[1] = Insertion{48, 112, 12};
  map.ins[2] = Insertion{160, 80, 25};
  map.ins[3] = Insertion{96, 96, 54};
  map.n = 4;
  memset(tile_attr, 2, 256);
}

// The properties of a replay the reader took.
static void check_taken(const Replay &r) {
  FUZZ_CHECK(r.course >= 1 && r.course <= 99 && r.players >= 1 && r.players <= 2);
  FUZZ_CHECK(r.steps() == r.finish + 1 && r.steps() <= MAX_REPLAY_STEPS);
  for (const ControlRun &run : r.runs) FUZZ_CHECK(run.steps >= 1 && run.word >= 0 && run.word <= 0xFFFF);
  std::string text = replay_text(r);
  Replay back;
  FUZZ_CHECK(replay_parse(text, back));
  FUZZ_CHECK(replay_text(back) == text);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text((const char *)data, size);
  Replay r;
  if (replay_parse(text, r)) {
    check_taken(r);
    if (r.steps() <= PLAYED_STEPS) {
      small_course();
      n_players = 1;
      if (race_begin_film(r)) {
        for (int k = 0; k < r.steps(); k++) logic_step();
        FUZZ_CHECK(race_film_over());
      }
      race_end();
      FUZZ_CHECK(n_players == 1);
      if (r.players == 1) {
        ghost_make(r);
        FUZZ_CHECK(ghost_steps() == 0 || ghost_steps() == r.steps());
        ghost_drop();
      }
    }
  }
  // The same bytes as a course's replay file: never "none", and usable only
  // when the reader took it as course 1 for one player.
  fuzz_write("replays/m01-1p.replay", data, size);
  small_course();
  Replay loaded;
  ReplayStatus s = replay_load(1, 1, course_check(map, tile_attr), loaded, true);
  FUZZ_CHECK(s != REPLAY_NONE);
  if (s != REPLAY_DAMAGED) {
    check_taken(loaded);
    FUZZ_CHECK(loaded.course == 1 && loaded.players == 1);
  }
  return 0;
}
