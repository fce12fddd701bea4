// times_test.cpp -- best times: records kept per course and number of
// players in "times.txt", and what a damaged file means
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "game_helpers.h"
#include "scratch.h"
#include "times.h"

namespace {

std::string file_text() {
  std::vector<unsigned char> v = slurp(TIMES_FILE);
  return std::string(v.begin(), v.end());
}

void write_text(const std::string &s) {
  spit(TIMES_FILE, std::vector<unsigned char>(s.begin(), s.end()));
}

class BestTimes : public ::testing::Test {
 protected:
  Scratch scratch{true};  // "times.txt" lives in the working folder
  void SetUp() override { times_load(); }
};

TEST_F(BestTimes, FirstSlowerAndFasterFinishes) {
  EXPECT_EQ(best_time(3, 1), 0);
  EXPECT_EQ(best_time_label(3, 1), "");
  EXPECT_TRUE(record_time(3, 1, 2117));  // the first finish is the record
  EXPECT_EQ(best_time_label(3, 1), "best 0:42.3");
  EXPECT_FALSE(record_time(3, 1, 2500));  // slower: the record stays
  EXPECT_FALSE(record_time(3, 1, 2117));  // equal does not beat it
  EXPECT_EQ(best_time(3, 1), 2117);
  EXPECT_EQ(best_time(3, 2), 0);  // two players keep their own
  EXPECT_TRUE(record_time(3, 2, 4000));
  EXPECT_TRUE(record_time(3, 1, 1999));  // faster: the new record
  EXPECT_EQ(best_time(3, 1), 1999);
  EXPECT_FALSE(record_time(0, 1, 10));
  EXPECT_FALSE(record_time(3, 3, 10));

  // Written at once, readable, and read back by the next start.
  std::string text = file_text();
  EXPECT_NE(text.find("3 1 1999 0:39.9\n"), std::string::npos) << text;
  EXPECT_NE(text.find("3 2 4000 1:20.0\n"), std::string::npos) << text;
  EXPECT_NE(access("times.txt.tmp", F_OK), 0);
  record_time(3, 1, 1);  // in memory only, as if another run
  times_load();
  EXPECT_EQ(best_time(3, 1), 1);
  EXPECT_EQ(best_time(3, 2), 4000);
  EXPECT_EQ(format_time(50 * 65 + 4), "1:05.0");
}

TEST_F(BestTimes, DamagedFileMeansNoBestTimes) {
  const std::string damaged[] = {
      "1 1\n",                 // cut short
      "1 1 2000 0:40.0\n1 x 5\n",
      "1 3 2000\n",            // no such number of players
      "100 1 2000\n",          // no such course
      "1 1 -5\n",
      "1 1 99999999999999\n",  // does not fit
      "1 1 2000abc\n",
      std::string("1 1 2000\n\0\0\0", 12),  // zero bytes after a good line
  };
  for (const std::string &text : damaged) {
    write_text(text);
    times_load();
    EXPECT_EQ(best_time(1, 1), 0) << text;
  }
  write_text(std::string(100000, '7'));  // far too long for a times file
  times_load();
  EXPECT_EQ(best_time(1, 1), 0);
  std::vector<unsigned char> noise(3000);
  for (size_t i = 0; i < noise.size(); i++) noise[i] = (unsigned char)(i * 37 + 11);
  spit(TIMES_FILE, noise);
  times_load();
  EXPECT_EQ(best_time(1, 1), 0);
  // The next record writes a good file again.
  EXPECT_TRUE(record_time(1, 1, 3000));
  times_load();
  EXPECT_EQ(best_time(1, 1), 3000);

  write_text("# comment\r\n\n2 2 700 0:14.0\r\n2 2 650\n");
  times_load();
  EXPECT_EQ(best_time(2, 2), 650);
}

TEST_F(BestTimes, PlayersFinishingAreNotedOnce) {
  fresh_game();
  n_players = 2;
  spawn(100, 100, KIND_WALKER);
  spawn(200, 100, KIND_WALKER);
  C[1].finished = true;
  C[1].finish_time = 3000;
  note_finishes(4);
  EXPECT_EQ(best_time(4, 2), 3000);
  EXPECT_EQ(best_time(4, 1), 0);
  C[0].finished = true;  // player 1 finishes later, faster than the record
  C[0].finish_time = 2000;
  note_finishes(4);
  EXPECT_EQ(best_time(4, 2), 2000);
  C[0].finish_time = 1000;  // already noted: not again
  note_finishes(4);
  EXPECT_EQ(best_time(4, 2), 2000);
}

}  // namespace
