// replay_shipped_test.cpp -- a recorded run of every shipped course, played
// back, must finish on the very step it finished on when it was recorded:
// a change to the logic that moves a finish by a single step fails here
// with the course named. The replays (tests/topdown/replays) are made by
// record_replays with the autopilot; after a deliberate change to the
// logic or to a course, make them again with it.
#include <gtest/gtest.h>

#include "autopilot.h"
#include "scratch.h"

using namespace autopilot;

namespace {

std::string stored_replay(int n) {
  return SOURCE_DIR "/tests/topdown/" + replay_file_name(n, 1);
}

class ShippedReplay : public ::testing::TestWithParam<int> {};

TEST_P(ShippedReplay, FinishesOnTheRecordedStep) {
  int n = GetParam();
  std::string name = course_name(n), error;
  ASSERT_TRUE(load_course(n, error)) << error;
  Replay r;
  ASSERT_TRUE(replay_read(stored_replay(n).c_str(), r)) << name << ": no replay";
  ASSERT_EQ(r.course, n);
  ASSERT_EQ(r.check, course_check(map, tile_attr))
      << name << " (or tileattr.wz) has changed since its replay was recorded: "
      << "make the replays again with record_replays";
  ASSERT_TRUE(race_begin_film(r)) << name;
  int finished_on = -1;
  for (int k = 0; k < r.steps() && finished_on < 0; k++) {
    logic_step();
    if (C[0].finished) finished_on = C[0].finish_time;
  }
  race_end();
  EXPECT_EQ(finished_on, r.finish) << name << ": the recorded run finished on step " << r.finish
                                   << ", played back now it finishes on step " << finished_on
                                   << " (-1: not at all)";
}

// The stored files are what the tool makes: the autopilot, recorded as a
// game records, gives the same replay byte for byte.
TEST_P(ShippedReplay, IsWhatTheAutopilotRecords) {
  int n = GetParam();
  std::string error;
  std::vector<Waypoint> route;
  ASSERT_TRUE(load_course(n, error)) << error;
  ASSERT_TRUE(course_route(n, route, error)) << error;
  Replay made;
  ASSERT_TRUE(record_run(n, replay_seed(n), route, made).finished);
  std::vector<unsigned char> stored = slurp(stored_replay(n));
  std::string text = replay_text(made);
  EXPECT_EQ(std::string(stored.begin(), stored.end()), text)
      << course_name(n) << ": make the replays again with record_replays";
}

INSTANTIATE_TEST_SUITE_P(Courses, ShippedReplay, ::testing::Range(1, SHIPPED_COURSES + 1),
                         [](const ::testing::TestParamInfo<int> &i) {
                           return course_name(i.param);
                         });

}  // namespace
