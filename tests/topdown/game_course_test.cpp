// Every shipped course can be finished: an autopilot drives player 1 from its
// start to the finish through the waypoints kept beside the course source
// (data/topdown/courses/mNN.route), with the real logic step and the random
// extras of a real game.
//
// Route files: one command a line, '#' starts a comment. Coordinates are in
// tiles, fractions allowed (10.5 is the middle of tile 10).
//   walk X Y    walk to the point (holding action, so nothing is boarded)
//   board X Y   walk into the vehicle standing there and get in
//   drive X Y   drive the vehicle one sits in to the point
//   leave       stop the vehicle and get out
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game_helpers.h"
#include "script_file.h"

namespace {

struct Waypoint {
  std::string op;
  double x, y;  // course pixels
  int line;
};

bool read_route(const std::string &path, std::vector<Waypoint> &route,
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
int steer_to(Charac &c, double tx, double ty) {
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
bool touches_other_vehicle(Charac &w, double x, double y) {
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

// True if c touches a whirl.
bool in_whirl(const Charac &c) {
  for (int i = 0; i < n_characs; i++)
    if (C[i].kind == KIND_WHIRL &&
        std::fabs(dbl(C[i].x - c.x)) < dbl(C[i].rx + c.rx) &&
        std::fabs(dbl(C[i].y - c.y)) < dbl(C[i].ry + c.ry))
      return true;
  return false;
}

// Holds down the one-player keys that make up the control word.
void press_keys(int ctrl) {
  key[KEY_LEFT] = (ctrl & CTRL_LEFT) != 0;
  key[KEY_RIGHT] = (ctrl & CTRL_RIGHT) != 0;
  key[KEY_UP] = (ctrl & CTRL_UP) != 0;
  key[KEY_DOWN] = (ctrl & CTRL_DOWN) != 0;
  key[KEY_LCONTROL] = (ctrl & CTRL_FIRE) != 0;
  key[KEY_LSHIFT] = (ctrl & CTRL_ACTION) != 0;
}

struct Outcome {
  bool finished = false;
  int steps = 0;
  std::string where;
};

// Drives player 1 along the route with the real logic step until it has
// finished (or max_steps have passed).
Outcome drive_course(const std::vector<Waypoint> &route, int max_steps) {
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
        ctrl = steer_to(p, w.x, w.y);
        if (touches_other_vehicle(p, w.x, w.y)) ctrl |= CTRL_ACTION;
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
std::string course_name(int n) {
  char s[16];
  snprintf(s, sizeof s, "m%02d", n);
  return s;
}

// Loads course n from the run folder with the shipped tile attributes.
bool load_course(int n, std::string &error) {
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

}  // namespace

class CourseRun : public ::testing::TestWithParam<int> {};

TEST_P(CourseRun, AutopilotReachesTheFinish) {
  int n = GetParam();
  std::string error;
  ASSERT_TRUE(load_course(n, error)) << error;
  std::string route_name =
      SOURCE_DIR "/data/topdown/courses/" + course_name(n) + ".route";
  std::vector<Waypoint> route;
  ASSERT_TRUE(read_route(route_name, route, error)) << error;
  // As in a game, with the random extras scattered; a few fixed seeds, so
  // the scattering and the random drivers come out alike on every run.
  for (int seed = 0; seed < 8; seed++) {
    ASSERT_TRUE(produce_cast(0));
    srand(1234 + n + seed * 77);
    scatter_extras();
    t2 = 0;
    Outcome o = drive_course(route, 40000);
    EXPECT_TRUE(o.finished) << "seed " << seed << ", " << o.where;
  }
}

INSTANTIATE_TEST_SUITE_P(Courses, CourseRun, ::testing::Range(1, 7),
                         [](const ::testing::TestParamInfo<int> &i) {
                           return course_name(i.param);
                         });

// Each course keeps what makes it a course: both starts, an access pass, a
// random driver, cars, bikes and boats, ice, slow and restricted ground.
TEST(Courses, EachHoldsEveryIngredient) {
  int largest = 0;
  for (int n = 1; n <= 6; n++) {
    std::string error;
    ASSERT_TRUE(load_course(n, error)) << error;
    int codes[100] = {0}, tens[10] = {0}, attrs = 0;
    for (int i = 0; i < map.n; i++)
      if (map.ins[i].code >= 0 && map.ins[i].code < 100)
        codes[map.ins[i].code]++, tens[map.ins[i].code / 10]++;
    for (int x = 0; x < map.w; x++)
      for (int y = 0; y < map.h; y++) attrs |= tile_attr[map.t[x][y]];
    SCOPED_TRACE("course " + std::to_string(n));
    EXPECT_EQ(codes[11] * codes[12], 1);
    EXPECT_GT(codes[53], 0);
    EXPECT_GT(codes[25] + codes[35] + codes[45], 0);
    EXPECT_GT(tens[2] * tens[3] * tens[4], 0);
    EXPECT_EQ(attrs & (Ice | Slow | Restricted), Ice | Slow | Restricted);
    largest = std::max(largest, std::min(map.w, map.h));
  }
  EXPECT_GE(largest, 100);
}
