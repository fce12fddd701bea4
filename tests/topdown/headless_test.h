// headless_test.h -- the fixture of topdown's tests of code that draws and
// logs, on the headless set-up of headless.h.
#ifndef HEADLESS_TEST_H
#define HEADLESS_TEST_H

#include <gtest/gtest.h>

#include <cstdio>

#include "headless.h"
#include "log.h"
#include "scratch.h"

// A test of code that draws and logs: in a scratch folder with the log
// "report.txt" open, Allegro headless with the stand-in datafile, a
// 640 x 480 buf and the view at (0, 0); all closed and freed afterwards.
class HeadlessTest : public ::testing::Test {
 protected:
  Scratch scratch{true};
  void SetUp() override {
    fr = fopen("report.txt", "w");
    D = headless_datafile();
    buf = create_bitmap(640, 480);
    OX = OY = 0;
  }
  void TearDown() override {
    fclose(fr);
    fr = nullptr;
    destroy_bitmap(buf);
    buf = nullptr;
  }
};

#endif
