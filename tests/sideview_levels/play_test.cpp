// The shipped levels can be played through: every level from each of its
// entry points by its route (data/sideview/levels/trNN.route), and the
// whole game from the credits through the chain of "hops.txt" to the
// winning sequence, on the headless machine with the game's own loop and
// the real data of the run folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bm.h"
#include "game.h"
#include "music.h"
#include "object.h"
#include "route.h"
#include "tile.h"
#include "video.h"

namespace {

const std::string RUN = RUN_DIR "/sideview";
const std::string LEVELS = SOURCE_DIR "/data/sideview/levels";

// What a frame callback does besides the game's own work: steer by the
// route, press Space in the credits, Esc after a while in the winning
// sequence.
enum Phase { CREDITS, LEVELS_PHASE, WINNING };
Phase phase;
int phase_frames;

// Frames whose work ran past their end ("Too slow!" in the log), counted
// from the tenth frame of a level on: the first frames draw the whole
// screen and are allowed to.
const int EXCUSED_FRAMES = 10;
long log_mark;

void driven_vsync(int arg) {
  on_vsync(arg);
  phase_frames++;
  if (phase == CREDITS) key[KEY_SPACE] = phase_frames > 5;
  if (phase == LEVELS_PHASE) {
    route_frame();
    if (phase_frames == EXCUSED_FRAMES) {
      fflush(fr);
      log_mark = ftell(fr);
    }
  }
  if (phase == WINNING) key[KEY_ESC] = phase_frames > 100;
}

// Plays a level by a route; its result, and in slow the frames that were
// too slow.
int play_level(int level, int entry, const Route *route, int &slow) {
  route_start(route);
  fflush(fr);
  log_mark = ftell(fr);
  phase_frames = 0;
  int result = play_map(level, entry);
  key[KEY_ESC] = 0;
  fflush(fr);
  long end = ftell(fr);
  std::string text(end > log_mark ? end - log_mark : 0, '\0');
  fseek(fr, log_mark, SEEK_SET);
  text.resize(fread(&text[0], 1, text.size(), fr));
  fseek(fr, 0, SEEK_END);
  slow = 0;
  for (size_t at = text.find("Too slow!"); at != std::string::npos; at = text.find("Too slow!", at + 1)) slow++;
  return result;
}

// The numbers of the shipped level sources, trNN.txt; ROUTE_LEVEL=N
// keeps only level N (to work on one level's routes).
std::vector<int> shipped_levels() {
  std::vector<int> v;
  const char *only = getenv("ROUTE_LEVEL");
  for (int n = 1; n <= 99; n++) {
    if (only && atoi(only) != n) continue;
    char name[16];
    snprintf(name, sizeof name, "/tr%02d.txt", n);
    if (access((LEVELS + name).c_str(), R_OK) == 0) v.push_back(n);
  }
  return v;
}

Routes routes_of(int level) {
  char name[16];
  snprintf(name, sizeof name, "/tr%02d.route", level);
  Routes r;
  std::string error;
  EXPECT_TRUE(read_routes(LEVELS + name, r, error)) << error;
  return r;
}

// The game headless in the run folder (read only: nothing is saved).
class Game : public ::testing::Test {
 protected:
  std::string old_dir;
  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    old_dir = cwd;
    ASSERT_EQ(chdir(RUN.c_str()), 0) << RUN;
    fr = tmpfile();
    ASSERT_NE(fr, nullptr);
    ASSERT_EQ(bmSetupHeadless(), 0);
    memset((void *)key, 0, KEY_MAX);
    // ROUTE_SEED=N starts the mums elsewhere in their rounds, to try that
    // the routes don't depend on where they happen to be.
    const char *seed = getenv("ROUTE_SEED");
    srand(seed ? (unsigned)atoi(seed) : 7);
    music_init();
    tiles_init();
    sprites_init();
    bmSetCallBack(0, driven_vsync);
    bmSetCallBack(1, on_hsync);
    bar_init();
    load_music("tr1.mid");
    play_music();
    phase = LEVELS_PHASE;
    phase_frames = 0;
  }
  void TearDown() override {
    route_start(nullptr);
    memset((void *)key, 0, KEY_MAX);
    bmSetdown();
    fclose(fr);
    fr = nullptr;
    ASSERT_EQ(chdir(old_dir.c_str()), 0);
  }
};

TEST_F(Game, EveryLevelIsFinishedFromEachOfItsEntryPoints) {
  std::vector<int> levels = shipped_levels();
  if (!getenv("ROUTE_LEVEL")) {
    ASSERT_GE(levels.size(), 8u);
  }
  for (int level : levels) {
    Routes routes = routes_of(level);
    EXPECT_FALSE(routes.empty()) << "level " << level << " has no route";
    for (auto &[entry, visits] : routes)
      for (const Route &route : visits) {
        bar_reset();
        set_bar_h(route.hp);
        set_bar_a(route.ammo);
        for (int k : route.items) set_bar_t(k);
        int slow;
        int result = play_level(level, entry, &route, slow);
        EXPECT_EQ(route_driver.failure, "") << "level " << level << " from entry " << entry;
        EXPECT_EQ(slow, 0) << "frames too slow in level " << level << " from entry " << entry;
        EXPECT_EQ(result, route.expect) << "level " << level << " from entry " << entry;
      }
  }
}

TEST(Routes, EveryEntryThatALinkLeadsToHasARoute) {
  std::ifstream hops(RUN + "/hops.txt");
  ASSERT_TRUE(hops) << RUN << "/hops.txt";
  std::map<int, Routes> routes;
  int from, to;
  while (hops >> from >> to) {
    if (to == 0) continue;
    int level = to / 10, entry = to % 10;
    if (!routes.count(level)) routes[level] = routes_of(level);
    EXPECT_FALSE(routes[level][entry].empty())
        << "no route from entry " << entry << " of level " << level << " (link " << from << " " << to << ")";
  }
}

// The routes of the game as it is won, and how often each level was
// entered at each entry point: the n-th visit takes the n-th route.
std::map<int, Routes> all_routes;
std::map<int, std::map<int, size_t>> visits;

int play_routed(int level, int entry) {
  std::vector<Route> &routes = all_routes[level][entry];
  size_t n = visits[level][entry]++;
  if (n >= routes.size()) {
    ADD_FAILURE() << "no route for visit " << n + 1 << " of level " << level << " from entry " << entry;
    return -1;
  }
  int slow;
  int result = play_level(level, entry, &routes[n], slow);
  EXPECT_EQ(slow, 0) << "frames too slow in level " << level << " from entry " << entry;
  EXPECT_EQ(route_driver.failure, "") << "level " << level << " from entry " << entry;
  EXPECT_EQ(result, routes[n].expect) << "level " << level << " from entry " << entry;
  return result;
}

TEST_F(Game, CanBeWonFromTheCredits) {
  for (int level : shipped_levels()) all_routes[level] = routes_of(level);
  phase = CREDITS;
  credits();
  key[KEY_SPACE] = 0;
  bar_reset();
  phase = LEVELS_PHASE;
  int result = level_chain(play_routed);
  EXPECT_EQ(result, -5);
  for (int k = 0; k < 4; k++) EXPECT_TRUE(bar.treasure[k]) << "item " << k;
  status_bar = 0;
  phase = WINNING;
  phase_frames = 0;
  win();
  EXPECT_GT(phase_frames, 100);
}

}  // namespace
