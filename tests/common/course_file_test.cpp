// course_file_test.cpp -- placeholder until the format tests land
#include <gtest/gtest.h>
#include "course_file.h"
TEST(CourseFile, DefaultSize) {
  static Map m;
  course_default(m);
  EXPECT_EQ(course_file_size(m), 631);
}
