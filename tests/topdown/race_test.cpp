// race_test.cpp -- a race is given by its course, players, country, seed and
// controls: the same ones give the same state at every step, whatever ran
// before, however often frames are drawn, and whether the controls come from
// the keys or from the recording of them.
#include <gtest/gtest.h>

#include "race_helpers.h"
#include "scratch.h"

using namespace autopilot;

namespace {

struct Case {
  int course, players;
};

void PrintTo(const Case &c, std::ostream *os) {
  *os << "course " << c.course << ", " << c.players << " player(s)";
}

class Determinism : public ::testing::TestWithParam<Case> {};

TEST_P(Determinism, SameSeedAndControlsGiveTheSameStateAtEveryStep) {
  Case c = GetParam();
  std::string error;
  ASSERT_TRUE(load_course(c.course, error)) << error;
  Replay r = made_up_controls(c.players, 3000, 77 + c.course);
  r.course = c.course;
  r.seed = 4242 + c.course;
  r.usa = c.course % 2 == 0;
  std::vector<unsigned> first = film_states(r);
  ASSERT_EQ((int)first.size(), r.steps());

  // Another race in between leaves headings, shots and applause behind.
  ASSERT_TRUE(load_course(c.course == 1 ? 2 : 1, error)) << error;
  Replay other = made_up_controls(2, 500, 5);
  other.seed = 99;
  film_states(other);
  ASSERT_TRUE(load_course(c.course, error)) << error;
  std::vector<unsigned> again = film_states(r, true);
  EXPECT_EQ(first_difference(first, again), -1);

  // Played on the keys and recorded, the race is the same, and so is the
  // recording played back.
  std::vector<unsigned> live = live_states(c.course, r.seed, r);
  EXPECT_EQ(first_difference(first, live), -1);
  Replay recorded = race_recording;
  EXPECT_EQ(recorded.seed, r.seed);
  EXPECT_EQ(recorded.players, c.players);
  EXPECT_EQ(recorded.usa, r.usa);
  EXPECT_EQ(recorded.check, course_check(map, tile_attr));
  ASSERT_EQ(recorded.runs.size(), r.runs.size());
  for (size_t i = 0; i < r.runs.size(); i++) {
    EXPECT_EQ(recorded.runs[i].steps, r.runs[i].steps) << i;
    EXPECT_EQ(recorded.runs[i].word, r.runs[i].word) << i;
  }
  EXPECT_EQ(first_difference(first, film_states(recorded)), -1);

  // Another seed is another race: the extras and the random drivers differ.
  Replay reseeded = r;
  reseeded.seed++;
  EXPECT_NE(first_difference(first, film_states(reseeded)), -1);
}

INSTANTIATE_TEST_SUITE_P(Courses, Determinism,
                         ::testing::Values(Case{1, 1}, Case{1, 2}, Case{4, 1}, Case{4, 2},
                                           Case{6, 1}, Case{6, 2}),
                         [](const ::testing::TestParamInfo<Case> &i) {
                           return course_name(i.param.course) + "_" +
                                  std::to_string(i.param.players) + "p";
                         });

// The race's numbers come from its seed alone: the runtime's generator,
// which the music's start still uses, draws from another.
TEST(RaceRandom, SameSeedSameNumbersWhateverElseDraws) {
  race_srand(12345);
  std::vector<int> a;
  for (int i = 0; i < 1000; i++) a.push_back(race_rand());
  race_srand(12345);
  for (int i = 0; i < 1000; i++) {
    rand();
    ASSERT_EQ(race_rand(), a[i]) << i;
    ASSERT_GE(a[i], 0);
  }
  race_srand(12346);
  EXPECT_NE(race_rand(), a[0]);
}

// A race starts from a clean table: a walker's heading does not come from
// whatever last used its record.
TEST(RaceBegin, EveryRecordStartsAfresh) {
  fresh_game();
  C[0].angle = 77;
  C[0].finish_time = 500;
  C[5].ammo = 3;
  clap_t = 40;
  t2 = 900;
  add_charac(100, 100, KIND_WALKER);
  map.ins[0] = Insertion{100, 100, 11};
  map.n = 1;
  race_begin(1, 7);
  race_end();
  EXPECT_EQ(n_characs, 0);
  EXPECT_EQ(t2, 0);
  EXPECT_EQ(clap_t, 0);
  ASSERT_TRUE(produce_cast(0));
  EXPECT_EQ(C[0].angle.v, 0);
  EXPECT_EQ(C[0].finish_time, 0);
  EXPECT_EQ(C[5].ammo, 0);
}

// Recording: one entry a step, equal words joined; a film gives back its
// words and then no keys; a new best time keeps the steps up to its finish.
TEST(RaceRecording, KeepsEveryStepAndTheRunUpToTheFinish) {
  Scratch dir(true);
  fresh_game();
  map.ins[0] = Insertion{100, 100, 11};
  map.n = 1;
  race_begin(3, 11);
  ASSERT_TRUE(produce_cast(0));
  int words[] = {CTRL_UP, CTRL_UP, CTRL_UP | CTRL_LEFT, 0, 0, CTRL_FIRE};
  for (int w : words) {
    press_keys(w);
    logic_step();
  }
  press_keys(0);
  ASSERT_EQ(race_recording.runs.size(), 4u);
  EXPECT_EQ(race_recording.steps(), 6);
  EXPECT_EQ(race_recording.runs[0].steps, 2);
  EXPECT_EQ(race_recording.runs[2].word, 0);
  EXPECT_TRUE(race_keep_replay(3));
  race_end();
  EXPECT_FALSE(race_keep_replay(3));  // no race under way
  Replay kept;
  ASSERT_TRUE(replay_read("replays/m03-1p.replay", kept));
  EXPECT_EQ(kept.finish, 3);
  EXPECT_EQ(kept.steps(), 4);
  EXPECT_EQ(kept.seed, 11u);
  EXPECT_EQ(kept.course, 3);

  ASSERT_TRUE(race_begin_film(kept));
  int got[6];
  for (int &g : got) g = race_controls();
  EXPECT_TRUE(race_film_over());
  race_end();
  EXPECT_EQ(got[0], CTRL_UP);
  EXPECT_EQ(got[2], CTRL_UP | CTRL_LEFT);
  EXPECT_EQ(got[3], 0);
  EXPECT_EQ(got[5], 0);
  // Out of the film the keys count again, and are not recorded.
  press_keys(CTRL_RIGHT);
  EXPECT_EQ(race_controls(), CTRL_RIGHT);
  press_keys(0);
  EXPECT_EQ(race_recording.steps(), 6);
}

// A film takes its players and country from the replay and gives the
// menu's back at its end.
TEST(RaceFilm, UsesTheRecordedOptionsAndRestoresTheChosenOnes) {
  fresh_game();
  map.ins[0] = Insertion{100, 100, 11};
  map.ins[1] = Insertion{200, 100, 12};
  map.n = 2;
  n_players = 1;
  USA = false;
  Replay r = made_up_controls(2, 10, 3);
  r.usa = true;
  ASSERT_TRUE(race_begin_film(r));
  EXPECT_EQ(n_players, 2);
  EXPECT_TRUE(USA);
  race_end();
  EXPECT_EQ(n_players, 1);
  EXPECT_FALSE(USA);
  map.n = 0;  // no start: no film
  EXPECT_FALSE(race_begin_film(r));
  race_end();
  EXPECT_EQ(n_players, 1);
}

}  // namespace
