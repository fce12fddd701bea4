// hops.cpp -- sideview's level links on any "hops.txt": HoPs must answer
// every code without reading past the table, the first pair with the code
// wins, and the chain of levels it describes is followed as the game
// follows it, each level left by its first exits in turn.
#include "fuzz.h"
#include "game.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzz_enter_scratch();
  fuzz_quiet_log();
  return 0;
}

// A stand-in for play_map: levels are left through exits 1, 2, 3 ... in
// turn, and the game ends after 40 levels (links may go round in a ring).
static int levels_played;
static int play(int level, int entry) {
  (void)level;
  (void)entry;
  return ++levels_played > 40 ? -1 : levels_played % 9 + 1;
}

// A number of one to six digits, with or without a minus, at text[k];
// moves k past it. False if there is none.
static bool small_number(const uint8_t *text, size_t size, size_t &k, int &v) {
  bool minus = k < size && text[k] == '-';
  size_t start = k + minus, end = start;
  v = 0;
  while (end < size && end - start < 7 && text[end] >= '0' && text[end] <= '9')
    v = v * 10 + (text[end++] - '0');
  if (end == start || end - start > 6) return false;
  if (minus) v = -v;
  k = end;
  return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz_write("hops.txt", data, size);
  // A first line of two plain numbers is the first link: HoPs gives its
  // to-code for its from-code.
  size_t k = 0;
  int from, to;
  if (small_number(data, size, k, from) && k < size && data[k++] == ' ' &&
      small_number(data, size, k, to) && k < size && data[k] == '\n')
    FUZZ_CHECK(HoPs(from) == to);
  for (int code : {0, 11, 15, 29, -1, 2147483647}) HoPs(code);
  levels_played = 0;
  level_chain(play);
  return 0;
}
