// ghost_test.cpp -- the ghost follows the recorded run exactly (walker,
// vehicle, shots), is drawn see-through, never changes the live race, and
// is only there when it should be; its setting survives damage.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "ghost.h"
#include "log_capture.h"
#include "race_helpers.h"
#include "scratch.h"

using namespace autopilot;

namespace {

enum { T_FINISH = 240 };

class Ghost : public ::testing::Test {
 protected:
  Scratch dir{true};
  LogCapture logged;
  Replay kept;

  void SetUp() override {
    ghost_on = true;
    ghost_drop();
  }
  void TearDown() override { ghost_drop(); }
  std::string log() { return logged.text(); }

  // Course 1: two rows of grass with the finish at their east end; the
  // walker starts in the west, ammunition and a car on the way. The seed
  // scatters no extras on it.
  static void course() {
    fresh_game(20, 2);
    paint(15, 0, 16, 1, T_FINISH);
    map.ins[0] = Insertion{40, 16, 11};
    map.ins[1] = Insertion{100, 16, 54};
    map.ins[2] = Insertion{280, 16, 20};
    map.n = 3;
  }

  // Runs course 1 on the keys: on east, firing once past the ammunition
  // (turned a little, so as to miss the car), into the car and on to the
  // finish; keeps it as the game keeps a record.
  void record() {
    course();
    race_begin(1, 5);
    ASSERT_TRUE(produce_cast(0));
    scatter_extras();
    ASSERT_EQ(n_characs, 3);
    for (int k = 0; k < 2000 && !C[0].finished; k++) {
      int turn = k >= 90 && k < 100 ? CTRL_LEFT : k > 100 && k <= 110 ? CTRL_RIGHT : 0;
      press_keys(CTRL_UP | turn | (k == 100 ? CTRL_FIRE : 0));
      logic_step();
    }
    press_keys(0);
    ASSERT_TRUE(C[0].finished);
    ASSERT_TRUE(race_keep_replay(C[0].finish_time));
    race_end();
    ASSERT_TRUE(replay_read("replays/m01-1p.replay", kept));
    n_characs = 0;
  }
};

TEST_F(Ghost, FollowsTheRecordedRunWithItsVehicleAndShots) {
  record();
  ghost_prepare(1);
  ASSERT_EQ(ghost_steps(), kept.steps());
  EXPECT_EQ(n_characs, 0);  // the live race sets up its own cast
  EXPECT_EQ(log(), "");

  ASSERT_TRUE(race_begin_film(kept));
  bool rode = false, shot = false;
  for (int k = 0; k <= kept.steps(); k++) {
    if (k > 0) logic_step();
    int count;
    const GhostSprite *s = ghost_sprites(k, count);
    ASSERT_GE(count, 1);
    const GhostSprite &walker = s[count - 1];  // on top
    ASSERT_EQ(walker.x.v, C[0].x.v) << "step " << k;
    ASSERT_EQ(walker.y.v, C[0].y.v) << "step " << k;
    ASSERT_EQ(walker.angle.v, C[0].angle.v) << "step " << k;
    if (C[0].link) {
      EXPECT_EQ(walker.obj, OBJ_WALKER_RIDING);
    }
    int shots = 0;
    for (int i = 0; i < n_characs; i++) shots += C[i].kind == KIND_SHOT;
    if (C[0].link) {
      rode = true;
      ASSERT_GE(count, 2);
      EXPECT_EQ(s[count - 2].obj, OBJ_CAR);
      EXPECT_EQ(s[count - 2].pose, MIRRORED);
      EXPECT_EQ(s[count - 2].x.v, C[0].link->x.v);
    }
    int ghost_shots = 0;
    for (int i = 0; i < count; i++) ghost_shots += s[i].obj == OBJ_SHOT_AU;
    EXPECT_EQ(ghost_shots, shots) << "step " << k;
    shot = shot || shots > 0;
  }
  race_end();
  EXPECT_TRUE(rode);
  EXPECT_TRUE(shot);
  // After its finish the ghost waits where it ended.
  int a, b;
  const GhostSprite *end = ghost_sprites(kept.steps(), a);
  const GhostSprite *later = ghost_sprites(kept.steps() + 500, b);
  EXPECT_EQ(end, later);
  EXPECT_EQ(a, b);
}

TEST_F(Ghost, NeverChangesTheLiveRace) {
  record();
  Replay live = made_up_controls(1, 400, 9);
  live.seed = 8;
  course();
  std::vector<unsigned> alone = film_states(live, true);
  ghost_prepare(1);
  ASSERT_GT(ghost_steps(), 0);
  course();
  std::vector<unsigned> with_ghost = film_states(live, true);  // frames draw the ghost
  EXPECT_EQ(first_difference(alone, with_ghost), -1);
}

TEST_F(Ghost, DrawnSeeThroughAtTheRacesStep) {
  record();
  ghost_prepare(1);
  course();
  n_characs = 0;  // no live characters: what is drawn is ground and ghost
  make_game_bitmaps();
  BITMAP *shown = create_bitmap(640, 480);
  t2 = 60;
  int count;
  const GhostSprite *s = ghost_sprites(t2, count);
  ASSERT_EQ(count, 1);
  draw_frame(shown);
  int x = (int)s[0].x - OX, y = (int)s[0].y - OY;
  int ground = object_colour(OBJ_TILE0 + T_GRASS), walker = object_colour(s[0].obj);
  int c = getpixel(shown, x, y);
  // The stand-ins differ in red alone: the ghost's pixel lies between them.
  ASSERT_NE(getr(ground), getr(walker));
  EXPECT_GT(getr(c), std::min(getr(ground), getr(walker)) + 16) << getr(c);
  EXPECT_LT(getr(c), std::max(getr(ground), getr(walker)) - 16) << getr(c);
  EXPECT_EQ(getpixel(shown, x + 20, y), ground);
  // Another step, another place.
  t2 = 90;
  draw_frame(shown);
  EXPECT_EQ(getpixel(shown, x, y), ground);
  free_game_bitmaps();
  destroy_bitmap(shown);
}

TEST_F(Ghost, OnlyWhenOnForOnePlayerWithAUsableReplay) {
  record();
  ghost_on = false;
  ghost_prepare(1);
  EXPECT_EQ(ghost_steps(), 0);
  ghost_on = true;
  n_players = 2;
  ghost_prepare(1);
  EXPECT_EQ(ghost_steps(), 0);
  n_players = 1;
  ghost_prepare(2);  // no replay of course 2
  EXPECT_EQ(ghost_steps(), 0);
  EXPECT_EQ(log(), "");

  map.ins[1].x += 4;  // the course changed since
  ghost_prepare(1);
  EXPECT_EQ(ghost_steps(), 0);
  EXPECT_NE(log().find("was run on another version of the course"), std::string::npos);
  map.ins[1].x -= 4;

  Replay early = kept;  // a run that does not end as it says
  early.finish--;
  early.cut(early.finish + 1);
  ASSERT_TRUE(replay_save(early));
  ghost_prepare(1);
  EXPECT_EQ(ghost_steps(), 0);
  EXPECT_NE(log().find("no longer finishes as it did"), std::string::npos);

  ASSERT_TRUE(spit("replays/m01-1p.replay", {'r', 'e', 'p'}));
  ghost_prepare(1);
  EXPECT_EQ(ghost_steps(), 0);
  EXPECT_NE(log().find("is damaged: not used"), std::string::npos);
}

TEST_F(Ghost, SettingKeptInItsFileAndOnWhenDamaged) {
  ghost_setting_load();  // no file
  EXPECT_TRUE(ghost_on);
  ghost_on = false;
  ASSERT_TRUE(ghost_setting_save());
  EXPECT_EQ(slurp(GHOST_FILE), std::vector<unsigned char>({'g', 'h', 'o', 's', 't', ' ', 'o',
                                                           'f', 'f', '\n'}));
  ghost_on = true;
  ghost_setting_load();
  EXPECT_FALSE(ghost_on);
  ASSERT_TRUE(spit(GHOST_FILE, {'g', 'h', 'o', 's', 't', ' ', 'o', 'f', 'f', '\r', '\n'}));
  ghost_setting_load();
  EXPECT_FALSE(ghost_on);
  EXPECT_EQ(log(), "");
  for (std::string bad : {std::string(), std::string("ghost"), std::string("ghost offf\n"),
                          std::string(100, 'g')}) {
    ASSERT_TRUE(spit(GHOST_FILE, std::vector<unsigned char>(bad.begin(), bad.end())));
    ghost_on = false;
    ghost_setting_load();
    EXPECT_TRUE(ghost_on) << bad;
  }
  EXPECT_NE(log().find("\"ghost.txt\" is damaged: the ghost is on\n"), std::string::npos);
  ASSERT_EQ(mkdir("ghost.txt.tmp", 0777), 0);  // the way to write it is blocked
  EXPECT_FALSE(ghost_setting_save());
  EXPECT_NE(log().find("Couldn't write file \"ghost.txt\"\n"), std::string::npos);
  EXPECT_EQ(slurp(GHOST_FILE).size(), 100u);  // the old file stays
}

}  // namespace
