// replay_test.cpp -- the replay file: what is written reads back the same,
// anything else is damaged, and a replay tells whether it belongs to the
// course as it is now.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

#include "game_helpers.h"
#include "log_capture.h"
#include "replay.h"
#include "scratch.h"

namespace {

Replay sample() {
  Replay r;
  r.course = 7;
  r.check = 0xdeadbeef;
  r.players = 2;
  r.usa = true;
  r.seed = 0xFFFFFFFFu;
  int words[] = {0x0404, 0x0404, 0x3f3f, 0, 0x0405, 0x0405, 0x0405};
  for (int w : words) r.add(w);
  r.finish = r.steps() - 1;
  return r;
}

bool same(const Replay &a, const Replay &b) {
  if (a.course != b.course || a.check != b.check || a.players != b.players ||
      a.usa != b.usa || a.seed != b.seed || a.finish != b.finish ||
      a.runs.size() != b.runs.size())
    return false;
  for (size_t i = 0; i < a.runs.size(); i++)
    if (a.runs[i].steps != b.runs[i].steps || a.runs[i].word != b.runs[i].word) return false;
  return true;
}

// The sample's text with one line replaced (or, with an empty new line,
// dropped).
std::string with_line(const std::string &old_line, const std::string &new_line) {
  std::string t = replay_text(sample());
  size_t at = t.find(old_line + "\n");
  EXPECT_NE(at, std::string::npos) << old_line;
  return t.replace(at, old_line.size() + 1, new_line.empty() ? "" : new_line + "\n");
}

TEST(ReplayFormat, RoundTripWithRunsOfEqualControls) {
  Replay r = sample();
  ASSERT_EQ(r.runs.size(), 4u);
  EXPECT_EQ(r.runs[0].steps, 2);
  EXPECT_EQ(r.runs[3].steps, 3);
  std::string text = replay_text(r);
  EXPECT_EQ(text.find("replay 1\n"), text.find('\n') + 1);  // the version first
  EXPECT_NE(text.find("check deadbeef\n"), std::string::npos);
  EXPECT_NE(text.find("\n3 405\n"), std::string::npos);
  Replay back;
  ASSERT_TRUE(replay_parse(text, back));
  EXPECT_TRUE(same(r, back));

  // Windows line ends, comments and blank lines anywhere are fine.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n\n# note\n") : std::string(1, c);
  ASSERT_TRUE(replay_parse(crlf, back));
  EXPECT_TRUE(same(r, back));

  Replay cut = r;
  cut.cut(3);
  EXPECT_EQ(cut.steps(), 3);
  ASSERT_EQ(cut.runs.size(), 2u);
  EXPECT_EQ(cut.runs[1].steps, 1);
}

TEST(ReplayFormat, AnythingElseIsDamaged) {
  Replay r;
  const std::string bad[] = {
      "",
      std::string("replay 1\0", 9),
      with_line("replay 1", "replay 2"),
      with_line("replay 1", ""),
      with_line("course 7", "course 0"),
      with_line("course 7", "course 100"),
      with_line("course 7", "course -7"),
      with_line("course 7", "course 7 8"),
      with_line("check deadbeef", "check xyz"),
      with_line("check deadbeef", "check 1deadbeef"),
      with_line("players 2", "players 3"),
      with_line("country 1", "country 2"),
      with_line("seed 4294967295", "seed 4294967296"),
      with_line("seed 4294967295", "seed 0x10"),
      with_line("finish 6", "finish 5"),   // steps must be finish + 1
      with_line("steps 7", "steps 8"),     // the runs cover 7
      with_line("2 404", "0 404"),          // an empty run
      with_line("2 404", "2 10000"),        // a word past 16 bits
      with_line("2 404", "2"),
      with_line("3 405", "4 405"),          // runs past the steps
      with_line("end", ""),
      with_line("end", "end\n1 4"),
      with_line("country 1", "seed 4294967295\ncountry 1"),  // out of order
      with_line("finish 6", "finish 180000"),                  // over an hour
  };
  for (const std::string &t : bad) EXPECT_FALSE(replay_parse(t, r)) << t;
  EXPECT_TRUE(replay_parse(with_line("end", "end\n\n# the end\n"), r));
}

class ReplayFiles : public ::testing::Test {
 protected:
  Scratch dir{true};
  LogCapture logged;
  void SetUp() override { fresh_game(); }
  std::string log() { return logged.text(); }
};

TEST_F(ReplayFiles, SavedInTheirFolderAndLoadedByCourseAndPlayers) {
  Replay r = sample(), back;
  EXPECT_EQ(replay_file_name(7, 2), "replays/m07-2p.replay");
  EXPECT_EQ(replay_load(7, 2, r.check, back, true), REPLAY_NONE);
  ASSERT_TRUE(replay_save(r));
  EXPECT_TRUE(slurp("replays/m07-2p.replay.tmp").empty());
  EXPECT_EQ(replay_load(7, 2, r.check, back, true), REPLAY_USABLE);
  EXPECT_TRUE(same(r, back));
  EXPECT_EQ(replay_load(7, 1, r.check, back, true), REPLAY_NONE);
  r.finish = r.steps();  // a new record replaces the file
  r.add(0);
  ASSERT_TRUE(replay_save(r));
  EXPECT_EQ(replay_load(7, 2, r.check, back, true), REPLAY_USABLE);
  EXPECT_EQ(back.finish, r.finish);
  EXPECT_EQ(log(), "");
}

TEST_F(ReplayFiles, ChangedCourseDamagedAndForeignFilesAreNotUsed) {
  Replay r = sample(), back;
  ASSERT_TRUE(replay_save(r));
  EXPECT_EQ(replay_load(7, 2, r.check + 1, back, false), REPLAY_CHANGED);
  EXPECT_EQ(log(), "");
  EXPECT_EQ(replay_load(7, 2, r.check + 1, back, true), REPLAY_CHANGED);
  EXPECT_NE(log().find("m07-2p.replay\" was run on another version of the course"),
            std::string::npos);

  std::string text = replay_text(r);
  const std::string foreign[] = {
      text.substr(0, text.size() / 2),                // cut short
      "# Best times of topdown\n1 1 2115 0:42.3\n",   // another of our files
      std::string(300000, 'x'),                       // no text of ours at all
  };
  for (const std::string &t : foreign) {
    ASSERT_TRUE(spit("replays/m07-2p.replay", std::vector<unsigned char>(t.begin(), t.end())));
    EXPECT_EQ(replay_load(7, 2, r.check, back, true), REPLAY_DAMAGED);
  }
  // A good replay of another course or number of players, under this name.
  Replay other = r;
  other.course = 3;
  ASSERT_TRUE(replay_save(other));
  ASSERT_EQ(rename("replays/m03-2p.replay", "replays/m07-2p.replay"), 0);
  EXPECT_EQ(replay_load(7, 2, r.check, back, true), REPLAY_DAMAGED);
  EXPECT_NE(log().find("Replay \"replays/m07-2p.replay\" is damaged: not used\n"),
            std::string::npos);
  // A file larger than any replay is not read to its end.
  std::string huge = text + std::string(4 << 20, '#');
  ASSERT_TRUE(spit("big.replay", std::vector<unsigned char>(huge.begin(), huge.end())));
  EXPECT_FALSE(replay_read("big.replay", back));
  // A folder where the file should be.
  remove("replays/m07-2p.replay");
  ASSERT_EQ(mkdir("replays/m07-2p.replay", 0777), 0);
  EXPECT_EQ(replay_load(7, 2, r.check, back, false), REPLAY_DAMAGED);
}

TEST_F(ReplayFiles, AFailedSaveIsLoggedAndKeepsNothingHalfWritten) {
  ASSERT_TRUE(spit("replays", {'x'}));  // a file where the folder should be
  EXPECT_FALSE(replay_save(sample()));
  EXPECT_EQ(log(), "Couldn't write file \"replays/m07-2p.replay\"\n");
}

// The check covers the course as its file holds it and the tile
// attributes, nothing else.
TEST(CourseCheck, FollowsTheCourseFileAndTheAttributes) {
  fresh_game(10, 8);
  map.ins[0] = Insertion{40, 50, 11};
  map.n = 1;
  unsigned base = course_check(map, tile_attr);
  EXPECT_EQ(course_check(map, tile_attr), base);
  map.t[20][20] = 99;  // outside the course: not in the file
  map.ins[1] = Insertion{1, 2, 3};
  EXPECT_EQ(course_check(map, tile_attr), base);
  map.t[3][4] = T_ICE;
  EXPECT_NE(course_check(map, tile_attr), base);
  map.t[3][4] = T_GRASS;
  map.ins[0].x++;
  EXPECT_NE(course_check(map, tile_attr), base);
  map.ins[0].x--;
  map.h = 9;
  EXPECT_NE(course_check(map, tile_attr), base);
  map.h = 8;
  tile_attr[T_GRASS] |= Slow;
  EXPECT_NE(course_check(map, tile_attr), base);
  tile_attr[T_GRASS] &= ~Slow;
  EXPECT_EQ(course_check(map, tile_attr), base);
}

}  // namespace
