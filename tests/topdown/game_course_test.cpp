// Every shipped course can be finished: the autopilot (autopilot.h) drives
// player 1 from its start to the finish with the real logic step and the
// random extras of a real game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "autopilot.h"
#include "race.h"

using namespace autopilot;

class CourseRun : public ::testing::TestWithParam<int> {};

TEST_P(CourseRun, AutopilotReachesTheFinish) {
  int n = GetParam();
  std::string error;
  ASSERT_TRUE(load_course(n, error)) << error;
  std::vector<Waypoint> route;
  ASSERT_TRUE(course_route(n, route, error)) << error;
  // As in a game, with the random extras scattered; a few fixed seeds, so
  // the scattering and the random drivers come out alike on every run.
  for (int seed = 0; seed < 8; seed++) {
    Replay replay;
    Outcome o = record_run(n, 1234 + n + seed * 77, route, replay);
    EXPECT_TRUE(o.finished) << "seed " << seed << ", " << o.where;
  }
}

INSTANTIATE_TEST_SUITE_P(Courses, CourseRun, ::testing::Range(1, SHIPPED_COURSES + 1),
                         [](const ::testing::TestParamInfo<int> &i) {
                           return course_name(i.param);
                         });

// Each course keeps what makes it a course: both starts, an access pass, a
// random driver, cars, bikes and boats, ice, slow and restricted ground.
TEST(Courses, EachHoldsEveryIngredient) {
  int largest = 0;
  for (int n = 1; n <= SHIPPED_COURSES; n++) {
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
