// A file name chosen in an editor's selector never overruns the editor's
// 80-byte name: a long path is kept relative to the working folder
// when that fits, and refused otherwise with the old name kept.
#include <gtest/gtest.h>

#include <string>

#include "file_name.h"
#include "scratch.h"

namespace {

TEST(FileName, ChosenNamesNeverOverrunTheBuffer) {
  Scratch scratch(true);
  char name[80] = "old.map";
  std::string deep = scratch.dir + "/" + std::string(90, 'x') + ".map";
  EXPECT_FALSE(store_file_name(deep.c_str(), name, sizeof name));
  EXPECT_STREQ(name, "old.map");
  std::string inside = scratch.dir + "/" + std::string(70, 'y') + ".map";
  EXPECT_TRUE(store_file_name(inside.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), std::string(70, 'y') + ".map");
  std::string exact(79, 'z');
  EXPECT_TRUE(store_file_name(exact.c_str(), name, sizeof name));
  EXPECT_FALSE(store_file_name((exact + "z").c_str(), name, sizeof name));
  std::string outside = "/elsewhere/" + std::string(80, 'w');
  EXPECT_FALSE(store_file_name(outside.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), exact);
  EXPECT_EQ(working_folder(), scratch.dir);
}

}  // namespace
