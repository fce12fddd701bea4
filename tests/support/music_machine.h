// music_machine.h -- sideview's music player on the headless machine, driven
// scan line by scan line as the game drives it: for the player's own tests
// and for the tests of the files the tune writer makes for it.
#ifndef MUSIC_MACHINE_H
#define MUSIC_MACHINE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bm.h"
#include "music.h"
#include "scratch.h"

// Line callbacks since the machine was set up (line 1 is the first line
// after the music started); what a test adds after each line's music and
// after each frame's mixing.
inline long lines;
inline void (*after_line)(long line);
inline void (*after_frame)();

// The game's line callback, as far as the music goes.
inline void music_line(int) {
  lines++;
  music_update();
  if (after_line) after_line(lines);
}

// One frame of samples (44,100 / 50) keeps the sound queue from filling up.
inline void music_frame(int) {
  unsigned char s[882];
  bmMixSamples(s, 882);
  if (after_frame) after_frame();
}

class MusicMachine : public ::testing::Test {
 protected:
  Scratch scratch;
  void SetUp() override {
    ASSERT_EQ(bmSetupHeadless(), 0);
    music_init();
    lines = 0;
    bmSetCallBack(0, music_frame);
    bmSetCallBack(1, music_line);
  }
  void TearDown() override { bmSetdown(); }
  // Writes bytes to a file of the scratch folder; its path.
  std::string file(const std::string &name, const std::vector<unsigned char> &b) {
    std::string p = scratch.path(name);
    EXPECT_TRUE(spit(p, b));
    return p;
  }
  // Loads a tune from bytes and starts it.
  void start(const std::vector<unsigned char> &b) {
    ASSERT_EQ(load_music(file("m.mid", b).c_str()), 1);
    play_music();
  }
  // Lets the machine run until `target` lines have passed since the start.
  void run_to(long target) {
    while (lines < target) bmWait(target - lines >= BM_LINES ? 0 : 1);
  }
};

#endif
