// The route driver that the level tests play with: on a small level, a
// route walks, jumps, climbs and leaves through a door inside the game's
// own play_map; a route that can't be followed fails with its line.
#include <gtest/gtest.h>

#include "route.h"
#include "scratch.h"
#include "world.h"

namespace {

void route_vsync(int arg) {
  on_vsync(arg);
  route_frame();
}

// A world in a scratch folder whose level the game's play_map loads as
// "tr01.map", with the route driver on the frame callback.
class RouteWorld : public World {
 protected:
  Scratch scratch{true};
  void start_level() {
    ASSERT_TRUE(save_map("tr01.map"));
    bmSetCallBack(0, route_vsync);
    bar_reset();
  }
  void TearDown() override {
    route_start(nullptr);
    World::TearDown();
  }
};

class RoutePlay : public RouteWorld {
 protected:
  void SetUp() override {
    World::SetUp();
    make_level({
        "##############################",
        "#                            #",
        "#                            #",
        "#               H       D    #",
        "#            ===H============#",
        "#               H            #",
        "#       =====   H            #",
        "#               H            #",
        "##############################",
    });
    add_insertion(40, 112, 11);
    add_insertion(24 * 16 + 8, 48, 13);
    start_level();
  }
  ::Routes routes(const std::string &text) {
    spit("tr01.route", std::vector<unsigned char>(text.begin(), text.end()));
    ::Routes r;
    std::string error;
    EXPECT_TRUE(read_routes("tr01.route", r, error)) << error;
    return r;
  }
};

// From the start onto the platform, along it and off its end to the floor,
// then up the ladder onto the upper floor beside it.
const std::string UP_TO_THE_UPPER_FLOOR =
    "hold right until x>=3.7\n"
    "hold right+jump until feet<=6 ground within 80  # onto the platform\n"
    "hold right until x>=16.4\n"
    "hold - until ground\n"
    "hold up until feet<=4 ladder\n"
    "hold up+right until ground x>=17\n";

TEST_F(RoutePlay, ARouteIsPlayedInsideTheGame) {
  auto r = routes("from 1\n" + UP_TO_THE_UPPER_FLOOR +
                  "tap fire\n"
                  "hold right until x>=24.2\n"
                  "expect 3\n");
  route_start(&r[1][0]);
  EXPECT_EQ(play_map(1, 1), 3);
  EXPECT_EQ(route_driver.failure, "");
  EXPECT_EQ(C[0].ammo, 1);
}

TEST_F(RoutePlay, ARouteThatCanNotBeFollowedFailsAtItsLine) {
  auto r = routes("from 1\nhold left until x>=20 within 30\nexpect 3\nfrom 1\nhp 2\nitems 0 3\nexpect 4\n");
  ASSERT_EQ(r[1].size(), 2u);
  EXPECT_EQ(r[1][1].hp, 2);
  EXPECT_EQ(r[1][1].items, std::vector<int>({0, 3}));
  EXPECT_EQ(r[1][1].expect, 4);
  route_start(&r[1][0]);
  EXPECT_EQ(play_map(1, 1), -1);
  EXPECT_NE(route_driver.failure.find("line 2:"), std::string::npos) << route_driver.failure;
  key[KEY_ESC] = 0;
}

TEST_F(RoutePlay, JumpIsLetGoBetweenStepsThatHoldIt) {
  // The second jump needs the key let go after the first: the driver does
  // that for a step that holds jump again as the last one ends.
  auto r = routes(
      "from 1\n"
      "hold jump until feet<=7\n"
      "hold jump until ground\n"
      "hold jump until feet<=7 within 40\n"
      "hold - until ground\n" +
      UP_TO_THE_UPPER_FLOOR +
      "hold right until x>=24.2\n"
      "expect 3\n");
  route_start(&r[1][0]);
  EXPECT_EQ(play_map(1, 1), 3);
  EXPECT_EQ(route_driver.failure, "");
}

// A player at a door, a mum shut in above it, another walking the floor.
class RouteMums : public RouteWorld {
 protected:
  void SetUp() override {
    World::SetUp();
    make_level({
        "##############################",
        "#    #                       #",
        "#    #                       #",
        "######                       #",
        "#                            #",
        "#                            #",
        "# D                          #",
        "##############################",
    });
    add_insertion(40, 96, 13);
    add_insertion(40, 32, 30);
    add_insertion(200, 96, 30);
    start_level();
  }
};

TEST_F(RouteMums, NearAndClearSeeOnlyMumsLevelWithThePlayer) {
  // The mum above stands right over the player: were it counted, "clear"
  // would never hold. The one on the floor walks into reach in the end.
  const char text[] = "from 3\nhold - until clear=6\nhold - until near=3 within 900\nexpect 3\n";
  spit("tr01.route", std::vector<unsigned char>(text, text + strlen(text)));
  ::Routes r;
  std::string error;
  ASSERT_TRUE(read_routes("tr01.route", r, error)) << error;
  route_start(&r[3][0]);
  EXPECT_EQ(play_map(1, 3), 3);
  EXPECT_EQ(route_driver.failure, "");
}

TEST(RouteFiles, MistakesAreReportedWithTheirLine) {
  Scratch s(true);
  ::Routes r;
  std::string error;
  for (const char *bad : {"hold right until x>=3\n", "from 1\nhold sideways until ground\n",
                          "from 1\nhold right until somewhere\n", "from 1\nhold right\n",
                          "from 1\nleap\n"}) {
    spit("bad.route", std::vector<unsigned char>(bad, bad + strlen(bad)));
    error.clear();
    EXPECT_FALSE(read_routes("bad.route", r, error)) << bad;
    EXPECT_NE(error.find("bad.route:"), std::string::npos) << error;
  }
}

}  // namespace
