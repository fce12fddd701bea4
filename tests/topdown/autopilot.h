// autopilot.h -- drives player 1 over a shipped course from its start to the
// finish through the waypoints kept beside the course source
// (data/topdown/courses/mNN.route), with the real logic step: the control
// words go in through the keys, as a player's would. The course tests, the
// replay tests and the tool that records the shipped replays use it.
//
// Route files: one command a line, '#' starts a comment. Coordinates are in
// tiles, fractions allowed (10.5 is the middle of tile 10).
//   walk X Y    walk to the point (holding action, so nothing is boarded)
//   board X Y   walk into the vehicle standing there and get in
//   drive X Y   drive the vehicle one sits in to the point
//   leave       stop the vehicle and get out
#ifndef AUTOPILOT_H
#define AUTOPILOT_H

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game_helpers.h"
#include "race.h"
#include "replay.h"
#include "script_file.h"

namespace autopilot {

// The courses the program ships, m01 ... m08.
enum { SHIPPED_COURSES = 8 };

struct Waypoint {
  std::string op;
  double x, y;  // course pixels
  int line;
};

inline bool read_route(const std::string &path, std::vector<Waypoint> &route,
                std::string &error) {
  return read_script(path, error, [&](std::istringstream &words, const std::string &where,
                                      int line) {
    Waypoint w{"", 0, 0, line};
    words >> w.op;
    if (w.op == "walk" || w.op == "board" || w.op == "drive") {
      double tx, ty;
      if (!(words >> tx >> ty)) return error = where + "expected X Y", false;
      w.x = tx * 32;
      w.y = ty * 32;
    } else if (w.op != "leave") {
      return error = where + "unknown " + w.op, false;
    }
    route.push_back(w);
    return true;
  });
}

// The control word that turns c toward (tx, ty) and thrusts when it faces
// roughly that way, no faster than lets it stop there with the grip of the
// ground under it.
inline int steer_to(Charac &c, double tx, double ty) {
  double dx = tx - dbl(c.x), dy = ty - dbl(c.y);
  double dist = std::hypot(dx, dy);
  double want = std::atan2(-dy, dx) * 128 / M_PI;
  double err = std::fmod(want - dbl(c.angle), 256.0);
  if (err >= 128) err -= 256;
  if (err < -128) err += 256;
  double rate = 2 - 0.15 * c.ammo;
  int ctrl = 0;
  if (err > rate / 2) ctrl |= rate > 0 ? CTRL_LEFT : CTRL_RIGHT;
  if (err < -rate / 2) ctrl |= rate > 0 ? CTRL_RIGHT : CTRL_LEFT;
  double grip = cell_attr(c.x / 32, c.y / 32) & Ice ? 0.01 : 0.2;
  double speed = dbl(c.speed());
  double allowed = std::sqrt(2 * grip * std::max(dist - 4, 0.0)) + 0.2;
  if (std::fabs(err) < 20 && speed < allowed) ctrl |= CTRL_UP;
  return ctrl;
}

// True if walker w touches a vehicle other than the one standing near
// (x, y): holding action then keeps it from boarding the wrong one.
inline bool touches_other_vehicle(Charac &w, double x, double y) {
  for (int i = 0; i < n_characs; i++) {
    Charac &v = C[i];
    if (v.kind < KIND_BIKE || v.kind > KIND_BOAT) continue;
    double vx = dbl(v.x), vy = dbl(v.y), r = dbl(v.rx) + 7 + 2;
    if (std::fabs(vx - dbl(w.x)) < r && std::fabs(vy - dbl(w.y)) < r &&
        std::hypot(vx - x, vy - y) > 24)
      return true;
  }
  return false;
}

// Where the free vehicle parked nearest to (x, y) stands now, if one is
// within three tiles: a whirl or a bump may have moved it from where the
// route left it.
inline void parked_vehicle(double x, double y, double &vx, double &vy) {
  double best = 96;
  for (int i = 0; i < n_characs; i++) {
    Charac &v = C[i];
    if (v.kind < KIND_BIKE || v.kind > KIND_BOAT || v.link || v.sub) continue;
    double d = std::hypot(dbl(v.x) - x, dbl(v.y) - y);
    if (d < best) {
      best = d;
      vx = dbl(v.x);
      vy = dbl(v.y);
    }
  }
}

// True if c touches a whirl.
inline bool in_whirl(const Charac &c) {
  for (int i = 0; i < n_characs; i++)
    if (C[i].kind == KIND_WHIRL &&
        std::fabs(dbl(C[i].x - c.x)) < dbl(C[i].rx + c.rx) &&
        std::fabs(dbl(C[i].y - c.y)) < dbl(C[i].ry + c.ry))
      return true;
  return false;
}

// The keys of a set, in the order left, right, up, down, fire, action.
typedef int KeySet[6];

// Holds down the keys of a set that make up the control word, and lets go
// of the others.
inline void press_set(const KeySet &keys, int ctrl) {
  static const int bits[6] = {CTRL_LEFT, CTRL_RIGHT, CTRL_UP, CTRL_DOWN, CTRL_FIRE, CTRL_ACTION};
  for (int i = 0; i < 6; i++) key[keys[i]] = (ctrl & bits[i]) != 0;
}

// Holds down the one-player keys (player 2's of two) that make up the
// control word.
inline void press_keys(int ctrl) {
  static const KeySet arrows = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_LCONTROL, KEY_LSHIFT};
  press_set(arrows, ctrl);
}

struct Outcome {
  bool finished = false;
  int steps = 0;
  std::string where;
};

// Drives player 1 along the route with the real logic step until it has
// finished (or max_steps have passed).
inline Outcome drive_course(const std::vector<Waypoint> &route, int max_steps) {
  Outcome out;
  size_t k = 0;
  int since = 0;  // steps spent on the current waypoint
  Charac &p = C[0];
  for (out.steps = 0; out.steps < max_steps && !p.finished; out.steps++) {
    int ctrl = 0;
    Charac &body = p.link ? *p.link : p;
    if (k < route.size()) {
      const Waypoint &w = route[k];
      double d = std::hypot(w.x - dbl(body.x), w.y - dbl(body.y));
      bool done = false;
      if (w.op == "walk") {
        ctrl = steer_to(p, w.x, w.y) | CTRL_ACTION;
        done = !p.link && d < 12;
      } else if (w.op == "board") {
        double vx = w.x, vy = w.y;
        parked_vehicle(w.x, w.y, vx, vy);
        ctrl = steer_to(p, vx, vy);
        if (touches_other_vehicle(p, vx, vy)) ctrl |= CTRL_ACTION;
        done = p.link != nullptr;
      } else if (w.op == "drive") {
        ctrl = p.link ? steer_to(*p.link, w.x, w.y) : 0;
        done = p.link && d < 24;
      } else {  // leave: stop, then get out
        ctrl = p.link && dbl(p.link->speed()) > 0.3 ? 0 : CTRL_ACTION;
        done = !p.link;
      }
      since++;
      if (done) {
        k++;
        since = 0;
      } else if (since > 6000) {
        break;  // stuck on this waypoint
      }
    } else {
      ctrl = CTRL_ACTION;
    }
    // Caught by a whirl, the heading spins faster than it can be steered:
    // go on regardless, as a person would, and steer again outside.
    if (in_whirl(body)) ctrl |= CTRL_UP;
    // The real step; player 1's word comes in through the keys.
    press_keys(ctrl);
    logic_step();
  }
  press_keys(0);
  out.finished = p.finished;
  char where[200];
  snprintf(where, sizeof where,
           "after %d steps at waypoint %zu of %zu (route line %d), player at "
           "tile (%.1f, %.1f), in a vehicle of kind %d",
           out.steps, k, route.size(), k < route.size() ? route[k].line : 0,
           dbl(p.x) / 32, dbl(p.y) / 32, p.link ? p.link->kind : 0);
  out.where = where;
  return out;
}

// "m01" for course 1: the name of its files without the extension.
inline std::string course_name(int n) {
  char s[16];
  snprintf(s, sizeof s, "m%02d", n);
  return s;
}

// Loads course n from the run folder with the shipped tile attributes.
inline bool load_course(int n, std::string &error) {
  fresh_game();
  std::string name = RUN_DIR "/topdown/" + course_name(n) + ".map";
  if (!try_load_map(name.c_str())) {
    error = "can't load " + name;
    return false;
  }
  if (attr_read(RUN_DIR "/topdown/tileattr.wz", tile_attr) != 256) {
    error = "can't read tileattr.wz";
    return false;
  }
  return true;
}

// The route of course n, from the course sources.
inline bool course_route(int n, std::vector<Waypoint> &route, std::string &error) {
  return read_route(SOURCE_DIR "/data/topdown/courses/" + course_name(n) + ".route", route,
                    error);
}

// The seed of the shipped replay of course n.
inline unsigned replay_seed(int n) { return 1000 + n; }

// Runs course n (loaded) as a live one-player race in Australia with seed,
// the autopilot at the keys, recorded as a game records it. On a finish,
// replay gets what the game would keep as the run's replay.
inline Outcome record_run(int n, unsigned seed, const std::vector<Waypoint> &route,
                          Replay &replay) {
  n_players = 1;
  USA = false;
  race_begin(n, seed);
  Outcome o;
  if (!produce_cast(0)) return o;
  scatter_extras();
  o = drive_course(route, 40000);
  replay = race_recording;
  replay.cut(C[0].finish_time + 1);
  replay.finish = C[0].finish_time;
  race_end();
  return o;
}

}  // namespace autopilot

#endif
