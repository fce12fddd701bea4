// times.cpp -- topdown's best times on any "times.txt": every line that is
// a record is taken, the others are skipped; what was taken is written back
// as a file that reads as the same records, and the menu can show each.
#include "fuzz.h"
#include "times.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_write(TIMES_FILE, data, size);
  times_load();
  int best[TIMES_COURSES + 1][3] = {};
  for (int c = 1; c <= TIMES_COURSES; c++)
    for (int p = 1; p <= 2; p++) {
      best[c][p] = best_time(c, p);
      FUZZ_CHECK(best[c][p] >= 0);
      best_time_label(c, p);
    }
  FUZZ_CHECK(best_time(0, 1) == 0 && best_time(1, 3) == 0 && best_time(100, 1) == 0);
  // What a new record would write, read back.
  FUZZ_CHECK(times_parse(times_text()).empty());
  for (int c = 1; c <= TIMES_COURSES; c++)
    for (int p = 1; p <= 2; p++) FUZZ_CHECK(best_time(c, p) == best[c][p]);
  return 0;
}
