// A program started from another folder runs in its own when that holds
// its files, and says where it looked when neither does.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data_folder.h"
#include "file_name.h"
#include "log.h"
#include "scratch.h"

namespace {

void touch(const std::string &path) { spit(path, {'x'}); }

std::string text_of(const std::string &path) {
  std::vector<unsigned char> v = slurp(path);
  return std::string(v.begin(), v.end());
}

TEST(DataFolder, HereFirstThenTheProgramsFolderAndEveryFileCounts) {
  Scratch here, own;
  std::vector<std::string> needed = {"data.dat", "tileattr.wz"};
  EXPECT_EQ(choose_data_folder(needed, here.dir, own.dir, file_readable), DATA_NONE);
  touch(own.path("data.dat"));
  EXPECT_EQ(choose_data_folder(needed, here.dir, own.dir, file_readable), DATA_NONE);
  touch(own.path("tileattr.wz"));
  EXPECT_EQ(choose_data_folder(needed, here.dir, own.dir, file_readable), DATA_PROGRAM);
  touch(here.path("data.dat"));  // half the files here: still the program's
  EXPECT_EQ(choose_data_folder(needed, here.dir, own.dir, file_readable), DATA_PROGRAM);
  touch(here.path("tileattr.wz"));
  EXPECT_EQ(choose_data_folder(needed, here.dir, own.dir, file_readable), DATA_HERE);
  // An unknown folder (the link could not be read) is never chosen.
  EXPECT_EQ(choose_data_folder(needed, "", "", file_readable), DATA_NONE);
  // A folder of the name is not the file.
  Scratch other;
  EXPECT_EQ(mkdir(other.path("data.dat").c_str(), 0700), 0);
  touch(other.path("tileattr.wz"));
  EXPECT_EQ(choose_data_folder(needed, other.dir, "", file_readable), DATA_NONE);
}

TEST(DataFolder, FolderOfAPath) {
  EXPECT_EQ(folder_of("/a/b/c"), "/a/b");
  EXPECT_EQ(folder_of("/c"), "/");
  EXPECT_EQ(folder_of("c"), ".");
  // No fixed buffer anywhere: a path of thousands of characters.
  std::string deep = "/" + std::string(3000, 'd') + "/x";
  EXPECT_EQ(folder_of(deep), "/" + std::string(3000, 'd'));
}

TEST(DataFolder, ProgramFolderHoldsThisTest) {
  std::string own = program_folder();
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(own[0], '/');
  std::vector<char> exe(4096);
  ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
  ASSERT_GT(n, 0);
  std::string path(exe.data(), (size_t)n);
  EXPECT_EQ(own + path.substr(path.rfind('/')), path);
}

TEST(DataFolder, NamesGivenOnTheCommandLineStayTheFilesMeant) {
  Scratch start;
  touch(start.path("tune.mid"));
  start_folder = start.dir;
  EXPECT_EQ(name_from_start("tune.mid"), start.path("tune.mid"));
  EXPECT_EQ(name_from_start("other.mid"), "other.mid");  // not there: as given
  EXPECT_EQ(name_from_start("/abs/tune.mid"), "/abs/tune.mid");
  start_folder.clear();
  EXPECT_EQ(name_from_start("tune.mid"), "tune.mid");
}

// The test program's own name, a file its folder surely holds.
std::string own_name() {
  std::vector<char> exe(4096);
  ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
  std::string path(exe.data(), n > 0 ? (size_t)n : 0);
  return path.substr(path.rfind('/') + 1);
}

TEST(DataFolderDeathTest, StartsInTheProgramsFolderAndLogsIt) {
  Scratch elsewhere(true);
  std::string own = program_folder();
  std::string report = own + "/report.txt";
  std::vector<unsigned char> before = slurp(report);
  EXPECT_EXIT(
      {
        start_in_data_folder("test", {own_name()});
        fclose(fr);
        exit(working_folder() == own ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
  std::string log = text_of(report);
  EXPECT_NE(log.find("the program's own folder"), std::string::npos) << log;
  EXPECT_NE(log.find(elsewhere.dir), std::string::npos) << log;
  EXPECT_FALSE(file_readable(elsewhere.path("report.txt")));
  if (before.empty())
    unlink(report.c_str());
  else
    spit(report, before);
}

TEST(DataFolderDeathTest, StaysWhereTheFilesAreWithoutALogLine) {
  Scratch here(true);
  touch(here.path("needed.dat"));
  EXPECT_EXIT(
      {
        start_in_data_folder("test", {"needed.dat"});
        fclose(fr);
        exit(working_folder() == here.dir ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(text_of(here.path("report.txt")), "");
}

TEST(DataFolderDeathTest, NeitherFolderNamesBothAndFails) {
  Scratch here(true);
  std::string own = program_folder();
  EXPECT_EXIT(start_in_data_folder("test", {"no-such-file.dat"}), ::testing::ExitedWithCode(1),
              "no-such-file");
  // The same message in the log, which is written where the program was
  // started, names both folders.
  std::string log = text_of(here.path("report.txt"));
  EXPECT_NE(log.find("\"no-such-file.dat\""), std::string::npos) << log;
  EXPECT_NE(log.find("\"" + here.dir + "\""), std::string::npos) << log;
  EXPECT_NE(log.find("\"" + own + "\""), std::string::npos) << log;
}

}  // namespace
