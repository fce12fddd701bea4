// race.cpp -- the race's start, random numbers and controls
#include "race.h"

#include <chrono>

#include "game.h"
#include "share.h"

Replay race_recording;

static unsigned long long random_state;

// What is under way: a live race being recorded, or a film being played.
static bool recording;
static int recorded;      // steps in race_recording
static const Replay *film;
static size_t film_run;   // the run being played
static int film_left;     // its steps still to come
static bool film_done;
// The options a film replaced, given back by race_end.
static int saved_players;
static bool saved_usa;

// race_srand, race_rand
// A 64-bit linear congruential generator (Knuth's constants); its top 31
// bits are the number.
void race_srand(unsigned seed) {
  random_state = seed * 0x9E3779B97F4A7C15ull + 1;
}

int race_rand() {
  random_state = random_state * 6364136223846793005ull + 1442695040888963407ull;
  return (int)(random_state >> 33);
}

// race_clock_seed
// The clock in microseconds, folded into 32 bits.
unsigned race_clock_seed() {
  unsigned long long us = std::chrono::duration_cast<std::chrono::microseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
  return (unsigned)(us ^ (us >> 32));
}

// Every record as new (a character takes over whatever heading its record
// had), step 0, no applause, the random numbers from seed.
static void clean_start(unsigned seed) {
  for (int i = 0; i < MAX_CHARACS; i++) C[i] = Charac();
  n_characs = 0;
  t2 = 0;
  clap_t = 0;
  race_srand(seed);
}

// race_begin
void race_begin(int course, unsigned seed) {
  race_end();
  clean_start(seed);
  race_recording = Replay();
  race_recording.course = course;
  race_recording.check = course_check(map, tile_attr);
  race_recording.players = n_players;
  race_recording.usa = USA;
  race_recording.seed = seed;
  recorded = 0;
  recording = true;
}

// race_begin_film
// The same start as the live race had: clean records, the seed, the cast,
// the extras.
bool race_begin_film(const Replay &r) {
  race_end();
  saved_players = n_players;
  saved_usa = USA;
  n_players = r.players;
  USA = r.usa;
  film = &r;
  film_run = 0;
  film_left = r.runs.empty() ? 0 : r.runs[0].steps;
  film_done = r.runs.empty();
  clean_start(r.seed);
  if (!produce_cast(0)) return false;
  scatter_extras();
  return true;
}

bool race_film_over() { return !film || film_done; }

// race_end
void race_end() {
  recording = false;
  if (film) {
    n_players = saved_players;
    USA = saved_usa;
  }
  film = nullptr;
}

// The next recorded word of the film; 0 (no keys) once it is over.
static int film_word() {
  while (!film_done && film_left == 0) {
    if (++film_run >= film->runs.size())
      film_done = true;
    else
      film_left = film->runs[film_run].steps;
  }
  if (film_done) return 0;
  int word = film->runs[film_run].word;
  if (--film_left == 0 && film_run + 1 >= film->runs.size()) film_done = true;
  return word;
}

// race_controls
int race_controls() {
  if (film) return film_word();
  int word = get_input();
  if (recording && recorded < MAX_REPLAY_STEPS) {
    race_recording.add(word);
    recorded++;
  }
  return word;
}

// race_keep_replay
bool race_keep_replay(int finish) {
  if (!recording) return false;
  if (finish < 0 || finish + 1 > recorded) {
    if (fr) fprintf(fr, "No replay kept: the run is longer than a replay can be\n");
    return false;
  }
  Replay r = race_recording;
  r.cut(finish + 1);
  r.finish = finish;
  return replay_save(r);
}
