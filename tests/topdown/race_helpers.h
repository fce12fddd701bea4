// race_helpers.h -- what the race, replay and ghost tests share: the whole
// state of a race in one number, made-up players' controls, and races run
// step by step from the keys or from a replay.
#ifndef RACE_HELPERS_H
#define RACE_HELPERS_H

#include <random>
#include <vector>

#include "autopilot.h"
#include "race.h"
#include "replay.h"

// Everything a race's future depends on: every character's record (its
// vehicle or driver by index), their count, the step and the applause.
inline unsigned race_state() {
  unsigned long long h = 14695981039346656037ull;
  auto mix = [&h](unsigned long long v) { h = (h ^ v) * 1099511628211ull; };
  // Fields packed as unsigned bits: a negative value shifted stays defined.
  auto u = [](long long v) { return (unsigned long long)v; };
  mix(u(n_characs));
  mix(u(t2));
  mix(u(clap_t));
  for (int i = 0; i < n_characs; i++) {
    const Charac &c = C[i];
    mix(u(c.kind) | u(c.ctrl) << 8 | u(c.sub) << 16 | u(c.ammo) << 24 | u(c.access) << 56 |
        u(c.finished) << 57);
    mix(u(c.eject_timer) | u(c.reload_timer) << 32);
    mix(u(c.finish_time) | u(c.link ? c.link - C : -1) << 32);
    mix(u(c.angle.v) | u(c.boost.v) << 32);
    mix(u(c.x.v) | u(c.y.v) << 32);
    mix(u(c.rx.v) | u(c.ry.v) << 32);
    mix(u(c.vx.v) | u(c.vy.v) << 32);
  }
  return (unsigned)(h ^ h >> 32);
}

// A made-up run of steps control words for players: runs of random length
// (1 to 60 steps) of words that mostly press on, turn now and then, fire
// and get in and out, from a generator seeded with `seed`.
inline Replay made_up_controls(int players, int steps, unsigned seed) {
  std::mt19937 g(seed);
  Replay r;
  r.players = players;
  int done = 0;
  while (done < steps) {
    int n = 1 + (int)(g() % 60);
    if (n > steps - done) n = steps - done;
    int word = 0;
    for (int p = 0; p < players; p++) {
      int w = (g() % 4 ? CTRL_UP : 0) | (int)(g() % 3);  // never both turns
      if (g() % 8 == 0) w |= CTRL_FIRE;
      if (g() % 6 == 0) w |= CTRL_ACTION;
      word |= w << (8 * p);
    }
    for (int i = 0; i < n; i++) r.add(word);
    done += n;
  }
  r.finish = steps - 1;
  return r;
}

// Holds the keys that make up a control word: one player's on the arrows,
// Ctrl and Shift; with two, player 1's on W A S D, B, V and player 2's on
// the arrows.
inline void press_word(int word, int players) {
  if (players == 1) {
    autopilot::press_keys(word & 0xff);
    return;
  }
  static const autopilot::KeySet wasd = {KEY_A, KEY_D, KEY_W, KEY_S, KEY_B, KEY_V};
  autopilot::press_keys(word >> 8);
  autopilot::press_set(wasd, word & 0xff);
}

// The control word of step k of r.
inline int word_at(const Replay &r, int k) {
  for (const ControlRun &run : r.runs) {
    if (k < run.steps) return run.word;
    k -= run.steps;
  }
  return 0;
}

// Runs r as a film on the course in memory and returns the state after
// each step. With disturb, a frame is drawn between the steps and the game
// clock jumps about: neither may change the race.
inline std::vector<unsigned> film_states(const Replay &r, bool disturb = false) {
  std::vector<unsigned> states;
  if (!race_begin_film(r)) return states;
  BITMAP *shown = disturb ? create_bitmap(640, 480) : nullptr;
  if (disturb) make_game_bitmaps();
  for (int k = 0; k < r.steps(); k++) {
    if (disturb) {
      t1 = (int)(k * 7919u % 1000);
      fts = k % 3;
      if (k % 10 == 0) draw_frame(shown);
    }
    logic_step();
    states.push_back(race_state());
  }
  if (disturb) {
    free_game_bitmaps();
    destroy_bitmap(shown);
  }
  race_end();
  return states;
}

// Runs a live race of course with seed for r's players and country, the
// keys pressed as r's controls say, and returns the state after each step;
// the race's recording is left in race_recording.
inline std::vector<unsigned> live_states(int course, unsigned seed, const Replay &r) {
  std::vector<unsigned> states;
  n_players = r.players;
  USA = r.usa;
  race_begin(course, seed);
  if (!produce_cast(0)) return states;
  scatter_extras();
  for (int k = 0; k < r.steps(); k++) {
    press_word(word_at(r, k), r.players);
    logic_step();
    states.push_back(race_state());
  }
  press_word(0, 2);
  race_end();
  return states;
}

// The first step whose states differ, or -1 when a and b are the same.
inline int first_difference(const std::vector<unsigned> &a, const std::vector<unsigned> &b) {
  for (size_t i = 0; i < a.size() || i < b.size(); i++)
    if (i >= a.size() || i >= b.size() || a[i] != b[i]) return (int)i;
  return -1;
}

#endif
