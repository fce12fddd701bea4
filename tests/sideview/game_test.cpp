// Game flow: the music-file rule, the credits' palette animation, the
// level chain over "hops.txt", playing a level until Esc, and the line
// callback that puts the status bar at the bottom of the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "keys.h"
#include "scratch.h"
#include "world.h"

namespace {

TEST(MusicFile, TheLastArgumentEndingInMidWins) {
  char a0[] = "sideview", a1[] = "song.MID", a2[] = "level.txt", a3[] = "other.mid",
       a4[] = "mid", a5[] = ".Mid";
  char *argv[] = {a0, a1, a2, a3, a4};
  EXPECT_STREQ(music_file(5, argv), "other.mid");
  EXPECT_STREQ(music_file(3, argv), "song.MID");
  EXPECT_STREQ(music_file(1, argv), "tr1.mid");
  char *only[] = {a0, a2, a4};
  EXPECT_STREQ(music_file(3, only), "tr1.mid");
  char *dot[] = {a0, a5};
  EXPECT_STREQ(music_file(2, dot), ".Mid");
}

TEST(Credits, EachPictureFadesInHoldsAndFadesOutInTurn) {
  // Entry 1 shows picture 0 (one brighter), 2 picture 1, 4 picture 2,
  // 8 picture 3; entries with two bits add up.
  struct Case {
    int t, j, code;
  } cases[] = {
      {0, 0, 0},      {0, 1, 16},    {0, 8, 0},      {30, 1, 8 * 16},  {60, 1, 15 * 16},
      {60, 2, 0},     {150, 1, 128}, {150, 2, 112},  {150, 3, 240},    {450, 8, 224},
      {450, 1, 16},   {600, 8, 224}, {600, 1, 16},   {700, 1, 240},    {700, 8, 0},
      {718, 1, 240},  {718, 8, 0},   {719, 1, 240},  {270, 4, 112},    {270, 2, 112},
  };
  for (auto &c : cases) EXPECT_EQ(credits_code(c.t, c.j), c.code) << "t=" << c.t << " j=" << c.j;
}

// A 16-colour 320 x 240 BMP whose pixel (x, y) is f(x, y).
void write_four(int (*f)(int, int)) {
  std::vector<unsigned char> b(118 + 160 * 240, 0);
  auto put32 = [&](int at, int v) {
    for (int k = 0; k < 4; k++) b[at + k] = (unsigned char)((unsigned)v >> (8 * k));
  };
  b[0] = 'B', b[1] = 'M';
  put32(2, (int)b.size());
  put32(10, 118);
  put32(14, 40);
  put32(18, 320);
  put32(22, 240);
  b[26] = 1, b[28] = 4;
  for (int y = 0; y < 240; y++)
    for (int x = 0; x < 320; x += 2)
      b[118 + (239 - y) * 160 + x / 2] = (unsigned char)(f(x, y) << 4 | f(x + 1, y));
  ASSERT_TRUE(spit("four.bmp", b));
}

int frames_seen;
int stop_at;
void count_and_stop(int arg) {
  on_vsync(arg);
  if (++frames_seen == stop_at) key[KEY_SPACE] = 1;
}

class CreditsScreen : public World {
 protected:
  Scratch scratch{true};
};

TEST_F(CreditsScreen, ShowsThePictureUntilSpace) {
  write_four([](int x, int y) { return (x / 8 + y) & 15; });
  frames_seen = 0;
  stop_at = 150;
  bmSetCallBack(0, count_and_stop);
  credits();
  EXPECT_EQ(status_bar, 0);
  // The picture is in the background plane, the overlay plane is clear.
  const unsigned char *m = bmMemory();
  EXPECT_EQ(m[0x10000 + 7 * 256 + 20], (((40 / 8 + 7) & 15) << 4) | ((41 / 8 + 7) & 15));
  EXPECT_EQ(m[0x20000 + 7 * 256 + 20], 0);
  // The palette stopped where the animation was when Space came.
  for (int j = 0; j < 16; j++) EXPECT_EQ(bmGet8(BM_PALETTE + j), credits_code(stop_at - 1, j)) << j;
  // What the screen shows: entry 1's grey where the picture holds 1.
  BITMAP *shown = bmDisplay();
  PALETTE pal;
  bmGetPalette(pal);
  int x = 8 * ((1 - 30) & 15), y = 30;  // a pixel of value 1, above the keys page's text
  int slot = getpixel(shown, x, y);
  EXPECT_EQ(slot, credits_code(stop_at - 1, 1));
}

TEST_F(CreditsScreen, SpaceHeldAtTheStartEndsThemBeforeAnyPaletteChange) {
  write_four([](int, int) { return 1; });
  bmPut8(BM_PALETTE + 1, 77);
  key[KEY_SPACE] = 1;
  credits();
  EXPECT_EQ(bmGet8(BM_PALETTE + 1), 77);
}

// A stand-in for play_map: records the levels played and answers from a
// script of results.
std::vector<std::pair<int, int>> played;
std::vector<int> answers;
int fake_play(int level, int entry) {
  played.push_back({level, entry});
  int r = answers.empty() ? -1 : answers.front();
  if (!answers.empty()) answers.erase(answers.begin());
  return r;
}

TEST(LevelChain, FollowsTheLinksUntilOneIsMissingOrALevelEnds) {
  Scratch s(true);
  fr = nullptr;
  spit("hops.txt", {'0', ' ', '1', '1', '\n', '1', '5', ' ', '2', '2', '\n', '2', '9', ' ', '0'});
  played.clear();
  answers = {5, 9};
  EXPECT_EQ(level_chain(fake_play), 9);
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0], std::make_pair(1, 1));
  EXPECT_EQ(played[1], std::make_pair(2, 2));
  EXPECT_EQ(game_fault, "hops.txt has no link for 29 (level 2, exit 9)");
  played.clear();
  answers = {5, -5};
  EXPECT_EQ(level_chain(fake_play), -5);
  EXPECT_EQ(played.size(), 2u);
  EXPECT_EQ(game_fault, "");
  played.clear();
  answers = {-2};
  EXPECT_EQ(level_chain(fake_play), -2);
  EXPECT_EQ(played.size(), 1u);
  EXPECT_EQ(game_fault, "");  // the player's death is no fault of the data
  // A link to a level whose number leaves no room for an exit's code: the
  // chain ends there instead of going on at a code that wrapped round.
  std::string links = "0 2147483647\n-2147483648 11\n";
  spit("hops.txt", std::vector<unsigned char>(links.begin(), links.end()));
  played.clear();
  answers = {8, 1};
  EXPECT_EQ(level_chain(fake_play), 8);
  ASSERT_EQ(played.size(), 1u);
  EXPECT_EQ(played[0], std::make_pair(214748364, 7));
  EXPECT_EQ(game_fault, "hops.txt leads to level 214748364, too large to have links of its own");
}

TEST(LevelChain, AMissingOrDamagedTableIsTheReason) {
  Scratch s(true);
  fr = nullptr;
  played.clear();
  answers = {5};
  EXPECT_EQ(level_chain(fake_play), 0);
  EXPECT_TRUE(played.empty());
  EXPECT_EQ(game_fault, "Couldn't open file \"hops.txt\"");
  const char *damaged[] = {"0 11\n15 x\n", "0 11\n15", "0 11\n+"};
  for (const char *text : damaged) {
    spit("hops.txt", std::vector<unsigned char>(text, text + strlen(text)));
    played.clear();
    answers = {5};
    level_chain(fake_play);
    EXPECT_EQ(played.size(), 1u);
    EXPECT_EQ(game_fault,
              "hops.txt has no link for 15 (level 1, exit 5): it holds something other than "
              "pairs of numbers") << text;
  }
  spit("hops.txt", {'1', ' ', '2', '\n'});
  level_chain(fake_play);
  EXPECT_EQ(game_fault, "hops.txt has no link for 0 (the start)");
}

class Levels : public World {
 protected:
  Scratch scratch{true};
  std::string log() {
    fclose(fr);
    fr = nullptr;
    std::vector<unsigned char> v = slurp("report.txt");
    return std::string(v.begin(), v.end());
  }
  void SetUp() override {
    World::SetUp();
    make_level({"#####", "#   #", "#   #", "#####"});
    add_insertion(40, 32, 11);
    ASSERT_TRUE(save_map("tr01.map"));
    fr = fopen("report.txt", "w");
  }
  void TearDown() override {
    if (fr) fclose(fr);
    fr = nullptr;
    World::TearDown();
  }
};

TEST_F(Levels, EscEndsTheLevelAndTheGame) {
  bar_reset();
  key[KEY_ESC] = 1;
  EXPECT_EQ(play_map(1, 1), -1);
  EXPECT_EQ(C[0].hp, 4);  // the player took the status bar's values
  EXPECT_EQ(C[0].ammo, 2);
  EXPECT_EQ(status_bar, 1);
  EXPECT_EQ(log(), "Esc");
}

TEST_F(Levels, AMissingEntryPointEndsTheLevel) {
  EXPECT_EQ(play_map(1, 4), -1);
  EXPECT_EQ(game_fault, "tr01.map has no entry point 4 (one insertion of code 14)");
  EXPECT_EQ(log(), "No entry code 4 found\nProduce cast failed\n");
}

TEST_F(Levels, ALevelCutShortIsTheReason) {
  std::vector<unsigned char> v = slurp("tr01.map");
  v.resize(v.size() - 5);  // inside the entry point's insertion
  spit("tr01.map", v);
  EXPECT_EQ(play_map(1, 1), -1);
  EXPECT_EQ(game_fault, "tr01.map is cut short");
}

TEST_F(Levels, ADoorWithoutAnExitPointIsTheReason) {
  make_level({"##########", "#        #", "#       D#", "##########"});
  add_insertion(40, 32, 11);
  ASSERT_TRUE(save_map("tr01.map"));
  bar_reset();
  key[KEY_RIGHT] = key[KEY_UP] = 1;
  int result = play_map(1, 1);
  key[KEY_RIGHT] = key[KEY_UP] = 0;
  EXPECT_EQ(result, -1);
  EXPECT_EQ(game_fault, "tr01.map has a door without an exit point");
  game_fault.clear();
  key[KEY_ESC] = 1;
  EXPECT_EQ(play_map(1, 1), -1);
  key[KEY_ESC] = 0;
  EXPECT_EQ(game_fault, "");  // Esc is the player's choice
}

TEST_F(Levels, TheStatusBarShowsOnlyWhileALevelIsPlayed) {
  // Line tables all point at row 0x10; bank 0 and banks 1, 2 hold
  // different colours, so each screen line tells which banks it came from.
  unsigned char *m = bmMemory();
  memset(m + 960, 0x11, 0x10000 - 960);
  memset(m + 0x10000, 0x22, 0x20000);
  for (int y = 0; y < 240; y++) m[2 * y] = m[480 + 2 * y] = 0, m[2 * y + 1] = m[481 + 2 * y] = 0x10;
  status_bar = 1;
  bmWait(0);
  bmWait(0);
  EXPECT_EQ(back->line[219][10], 0x22);
  EXPECT_EQ(back->line[220][10], 0x11);
  EXPECT_EQ(back->line[239][10], 0x11);
  status_bar = 0;
  bmWait(0);
  EXPECT_EQ(back->line[239][10], 0x22);
}

TEST(Keys, TheListFitsThePicture) {
  std::vector<KeyHelp> lines = sideview_keys();
  EXPECT_EQ(key_screen_layout((int)lines.size(), 240).columns, 1);
  // 320 pixels: the frame, the padding and the gap leave 37 characters.
  size_t keys = 0, action = 0;
  for (const KeyHelp &l : lines) {
    if (l.keys.empty()) continue;
    keys = std::max(keys, l.keys.size());
    action = std::max(action, l.action.size());
  }
  EXPECT_LE(keys + action, 37u);
}

}  // namespace
