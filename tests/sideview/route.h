// route.h -- a player steered by a route: held keys until conditions hold,
// as a person would play, driven from the machine's frame callback so that
// the game's own play loop runs unchanged.
//
// Route files: one command a line, '#' starts a comment. Positions are in
// tiles, fractions allowed: x is the player's centre (10.5 is the middle of
// tile 10), feet its bottom edge in whole pixels (12 = standing on a floor
// in row 12).
//   from E                       a route of a level entered at entry E;
//                                a second "from E" is the route taken on
//                                the second visit, and so on
//   hp N, ammo N, items K...     what the player holds when the route is
//                                tried on its own (4, 2 and none if not
//                                given); a whole game carries its own
//   hold KEYS until COND...      hold the keys until every condition holds
//   tap KEYS                     hold the keys one frame, release one
//   wait N                       N frames without keys
//   expect R                     hold Up (at a door) until the level ends;
//                                it must end with result R
// KEYS: left right up down jump fire, joined by '+', or '-' for none.
// COND: x>=T x<=T feet>=T feet<=T (tiles), ground, ladder, frames=N,
// near=D (a live mum within D tiles across, and within 3 tiles up or
// down), clear=D (no such mum), and "within N" (frames allowed, 600 if
// not given). Waiting for "clear" and then "near" while standing still
// catches a mum walking towards the player.
#ifndef ROUTE_H
#define ROUTE_H

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game.h"
#include "object.h"
#include "script_file.h"

struct RouteCond {
  std::string what;  // x>= x<= feet>= feet<= ground ladder frames= near= clear=
  double value;
};

struct RouteStep {
  std::string op;  // hold tap wait expect
  std::vector<int> keys;
  std::vector<RouteCond> conds;
  int within;
  int line;
};

struct Route {
  int entry = 0;
  int expect = 0;
  int hp = 4, ammo = 2;
  std::vector<int> items;
  std::vector<RouteStep> steps;
};

// Routes by entry point, in the order of the visits they are for.
typedef std::map<int, std::vector<Route>> Routes;

// Reads every route of a file; false with a message if the file is
// missing or malformed.
inline bool read_routes(const std::string &path, Routes &routes, std::string &error) {
  static const std::map<std::string, int> names = {
      {"left", KEY_LEFT}, {"right", KEY_RIGHT}, {"up", KEY_UP},
      {"down", KEY_DOWN}, {"jump", KEY_RCONTROL}, {"fire", KEY_ALTGR}};
  Route *r = nullptr;
  return read_script(path, error, [&](std::istringstream &words, const std::string &where,
                                      int line) {
    std::string op;
    words >> op;
    if (op == "from") {
      int e;
      if (!(words >> e)) return error = where + "expected: from E", false;
      routes[e].push_back(Route{});
      r = &routes[e].back();
      r->entry = e;
      return true;
    }
    if (!r) return error = where + "a route starts with: from E", false;
    if (op == "hp" || op == "ammo") {
      if (!(words >> (op == "hp" ? r->hp : r->ammo))) return error = where + "expected: " + op + " N", false;
      return true;
    }
    if (op == "items") {
      int k;
      while (words >> k) r->items.push_back(k);
      return true;
    }
    RouteStep s{op, {}, {}, 600, line};
    if (op == "hold" || op == "tap") {
      std::string keys;
      if (!(words >> keys)) return error = where + "expected keys", false;
      std::istringstream parts(keys);
      std::string k;
      while (std::getline(parts, k, '+')) {
        if (k == "-") continue;
        auto it = names.find(k);
        if (it == names.end()) return error = where + "unknown key " + k, false;
        s.keys.push_back(it->second);
      }
      if (op == "hold") {
        std::string word;
        if (!(words >> word) || word != "until") return error = where + "expected: until", false;
        while (words >> word) {
          if (word == "within") {
            if (!(words >> s.within)) return error = where + "expected: within N", false;
            continue;
          }
          RouteCond c{word, 0};
          for (const char *p : {"x>=", "x<=", "feet>=", "feet<=", "frames=", "near=", "clear="}) {
            std::string pre = p;
            if (word.compare(0, pre.size(), pre) == 0) {
              c.what = pre;
              c.value = atof(word.c_str() + pre.size());
            }
          }
          if (c.what != "ground" && c.what != "ladder" && c.what == word)
            return error = where + "unknown condition " + word, false;
          s.conds.push_back(c);
        }
        if (s.conds.empty()) return error = where + "expected a condition", false;
      }
    } else if (op == "wait") {
      int n;
      if (!(words >> n)) return error = where + "expected: wait N", false;
      s.conds.push_back(RouteCond{"frames=", (double)n});
    } else if (op == "expect") {
      if (!(words >> r->expect)) return error = where + "expected: expect R", false;
      s.keys.push_back(KEY_UP);
      s.within = 200;
    } else {
      return error = where + "unknown command " + op, false;
    }
    r->steps.push_back(s);
    return true;
  });
}

// The driver: one route at a time, advanced once a frame.
struct RouteDriver {
  const Route *route = nullptr;
  size_t step = 0;
  int frames = 0;      // frames spent on this step
  std::string failure; // why the route failed, empty while it goes well
  float last_y = 0;
};

inline RouteDriver route_driver;

// Lets go of every key a route may hold.
inline void route_release() {
  for (int k : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_RCONTROL, KEY_ALTGR}) key[k] = 0;
}

// Starts a route for the level about to be played (null: none).
inline void route_start(const Route *r) {
  route_release();
  route_driver = RouteDriver{};
  route_driver.route = r;
}

// The horizontal distance in tiles from the player to the nearest live
// mum within 3 tiles up or down (a large number if there is none).
inline double route_mum_distance() {
  double best = 1e9;
  for (int i = 1; i < n_characs; i++) {
    const charac &m = C[i];
    if (m.kind != K_MUM || (m.state & ST_DEAD) || std::fabs(m.y - C[0].y) >= 48) continue;
    best = std::min(best, std::fabs(m.x - C[0].x) / 16.0);
  }
  return best;
}

inline bool route_cond(const RouteCond &c, int frames) {
  const charac &p = C[0];
  // feet: the bottom edge as the game's tile tests take it, truncated
  double x = p.x / 16.0, feet = (int)(p.y + p.ry) / 16.0;
  if (c.what == "x>=") return x >= c.value;
  if (c.what == "x<=") return x <= c.value;
  if (c.what == "feet>=") return feet >= c.value;
  if (c.what == "feet<=") return feet <= c.value;
  if (c.what == "frames=") return frames >= c.value;
  if (c.what == "near=") return route_mum_distance() < c.value;
  if (c.what == "clear=") return route_mum_distance() >= c.value;
  if (c.what == "ladder") return (p.state & ST_GROUND) == ST_LADDER;
  // ground: resting on a floor, not climbing, not moving up or down
  return p.vy == 0 && (p.state & ST_GROUND) != ST_LADDER && p.y == route_driver.last_y &&
         std::fmod(p.y + p.ry, 16.0f) < 1;
}

// Sets the keys for this frame from the route. Call once a frame, after
// the frame's work (the frame callback does).
inline void route_frame() {
  RouteDriver &d = route_driver;
  if (!d.route || !d.failure.empty()) return;
  if (n_characs == 0 || C[0].kind != K_PLAYER) return;  // the level is ending
  // Jump and fire act when newly pressed: a step that ends holding one
  // lets go of it, and a step starting in the same frame that holds it
  // again waits a frame, so that the game sees it let go.
  std::vector<int> let_go;
  while (d.step < d.route->steps.size()) {
    const RouteStep &s = d.route->steps[d.step];
    bool done = s.op == "tap" ? d.frames >= 2 : s.op == "expect" ? false : !s.conds.empty();
    for (const RouteCond &c : s.conds) done = done && route_cond(c, d.frames);
    if (!done) break;
    for (int k : s.keys) {
      key[k] = 0;
      if (k == KEY_RCONTROL || k == KEY_ALTGR) let_go.push_back(k);
    }
    d.step++;
    d.frames = 0;
  }
  d.last_y = C[0].y;
  if (d.step >= d.route->steps.size()) return;
  const RouteStep &s = d.route->steps[d.step];
  if (d.frames > s.within) {
    char where[160];
    snprintf(where, sizeof where, "line %d: not done in %d frames (player at x %.2f, feet %.2f)",
             s.line, s.within, C[0].x / 16.0, (C[0].y + C[0].ry) / 16.0);
    d.failure = where;
    route_release();
    key[KEY_ESC] = 1;  // ends the level
    return;
  }
  if (getenv("ROUTE_TRACE"))  // ROUTE_TRACE=1 shows every frame of a route
    fprintf(stderr, "line %d frame %d: x %.2f feet %.2f vx %.2f vy %.2f state %x hp %d ammo %d\n", s.line,
            d.frames, C[0].x / 16, (C[0].y + C[0].ry) / 16, C[0].vx, C[0].vy, C[0].state, C[0].hp, C[0].ammo);
  bool down = s.op != "tap" || d.frames == 0;
  bool wait = false;
  for (int k : s.keys) wait = wait || std::find(let_go.begin(), let_go.end(), k) != let_go.end();
  for (int k : s.keys) key[k] = down && !(wait && (k == KEY_RCONTROL || k == KEY_ALTGR));
  if (!wait) d.frames++;
}

#endif
