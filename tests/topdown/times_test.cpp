// times_test.cpp -- best times: records kept per course and number of
// players in "times.txt", and what is kept of a damaged file
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

TEST_F(BestTimes, BadLinesAreSkippedAndGoodRecordsKept) {
  // Each text holds the good record 1 1 2000 and one bad line.
  const std::string damaged[] = {
      "1 1\n1 1 2000\n",             // cut short
      "1 1 2000 0:40.0\n1 x 5\n",
      "1 3 2000\n1 1 2000\n",        // no such number of players
      "100 1 2000\n1 1 2000\n",      // no such course
      "1 1 -5\n1 1 2000\n",
      "1 1 99999999999999\n1 1 2000\n",  // does not fit
      "1 1 2000abc\n1 1 2000\n",
      std::string("1 1 2000\n\0\0\0", 12),  // zero bytes after a good line
      std::string("1 1 2000\n1 1 5\0 junk\n", 21),  // a zero byte inside a line
  };
  for (const std::string &text : damaged) {
    write_text(text);
    times_load();
    EXPECT_EQ(best_time(1, 1), 2000) << text;
    EXPECT_EQ(times_parse(text).size(), 1u) << text;
  }
  EXPECT_EQ(times_parse("# c\n\n1 1 2000\nbad\n\n2 1 5 x\nworse\n"),
            (std::vector<int>{4, 7}));

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

TEST_F(BestTimes, AFileTooLongKeepsTheRecordsOfItsFirstPart) {
  // Records, then junk past the limit; the line cut at the limit is not
  // taken for a shorter record.
  std::string text = "2 1 4000\n";
  while (text.size() < 64 * 1024 - 7) text += "# padding\n";
  text.resize(64 * 1024 - 7);
  text += "\n3 1 2500 0:50.0\n" + std::string(5000, 'x') + "\n";
  write_text(text);
  times_load();
  EXPECT_EQ(best_time(2, 1), 4000);
  EXPECT_EQ(best_time(3, 1), 0);
  EXPECT_TRUE(record_time(4, 1, 100));
  EXPECT_EQ(slurp(TIMES_BAD_FILE).size(), text.size());  // kept whole
}

TEST_F(BestTimes, ADamagedFileIsKeptBesideTheFirstRewrite) {
  const std::string old = "1 1 2000 0:40.0\n3 1 garbage\n2 1 3000 1:00.0\n";
  write_text(old);
  fr = fopen("report.txt", "w");
  times_load();
  EXPECT_EQ(best_time(1, 1), 2000);
  EXPECT_EQ(best_time(2, 1), 3000);
  EXPECT_NE(access(TIMES_BAD_FILE, F_OK), 0);  // loading alone changes nothing
  EXPECT_EQ(file_text(), old);

  EXPECT_TRUE(record_time(3, 1, 2500));
  std::string text = file_text();
  EXPECT_NE(text.find("1 1 2000 0:40.0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("2 1 3000 1:00.0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("3 1 2500 0:50.0\n"), std::string::npos) << text;
  std::vector<unsigned char> kept = slurp(TIMES_BAD_FILE);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), old);
  EXPECT_NE(access("times.txt.bad.tmp", F_OK), 0);

  // The file is whole again: the next rewrite leaves the kept one alone.
  EXPECT_TRUE(record_time(3, 1, 2400));
  kept = slurp(TIMES_BAD_FILE);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), old);

  fclose(fr);
  fr = nullptr;
  std::vector<unsigned char> log = slurp("report.txt");
  std::string s(log.begin(), log.end());
  EXPECT_NE(s.find("\"times.txt\" line 2 is not a record"), std::string::npos) << s;
}

TEST_F(BestTimes, AFinishNeverRemovesAnotherRecord) {
  write_text("1 1 2000\n");
  times_load();
  // Another run writes records of its own meanwhile, one faster than ours.
  write_text("1 1 1500\n5 2 900\n");
  EXPECT_TRUE(record_time(2, 1, 3000));
  times_load();
  EXPECT_EQ(best_time(1, 1), 1500);
  EXPECT_EQ(best_time(5, 2), 900);
  EXPECT_EQ(best_time(2, 1), 3000);
  // The file gone since the start: the records in memory are written.
  remove(TIMES_FILE);
  EXPECT_TRUE(record_time(2, 1, 2900));
  times_load();
  EXPECT_EQ(best_time(1, 1), 1500);
  EXPECT_EQ(best_time(2, 1), 2900);
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
