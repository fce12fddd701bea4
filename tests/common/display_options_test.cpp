// display_options_test.cpp -- the shared command line of the display and the
// choice of the enlargement: the factor a desktop has room for, the options
// and the variable that choose it, a factor too large lowered with a note,
// help, unknown options and bad values as the player sees them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "display_options.h"

namespace {

TEST(ScaleFor, LargestWholeFactorTheDesktopHasRoomFor) {
  // sideview's 320x240: a window keeps a tenth of the height free.
  struct Case {
    int w, h, full, window;
  } small[] = {
      {320, 240, 1, 1},    {640, 480, 2, 1},    {1920, 1080, 4, 4},  {3840, 2160, 8, 8},
      {1280, 960, 4, 3},   {1279, 960, 3, 3},   {1366, 768, 3, 2},   {2560, 1440, 6, 5},
      {7680, 4320, 8, 8},  {200, 100, 1, 1},    {0, 0, 1, 1},        {640, 534, 2, 2},
  };
  for (auto &c : small) {
    EXPECT_EQ(display_scale_for(320, 240, c.w, c.h, false), c.full) << c.w << "x" << c.h;
    EXPECT_EQ(display_scale_for(320, 240, c.w, c.h, true), c.window) << c.w << "x" << c.h;
  }
  // topdown's 640x480: twice on a 1920x1080 desktop, whose window must be
  // no taller than 972; the editor's 320x200: four times there (800 rows),
  // five times when the whole screen is its (1600 x 1000).
  EXPECT_EQ(display_scale_for(640, 480, 1920, 1080, true), 2);
  EXPECT_EQ(display_scale_for(640, 480, 1920, 1080, false), 2);
  EXPECT_EQ(display_scale_for(640, 480, 1920, 1200, false), 2);
  EXPECT_EQ(display_scale_for(640, 480, 2560, 1440, false), 3);
  EXPECT_EQ(display_scale_for(320, 200, 1920, 1080, true), 4);
  EXPECT_EQ(display_scale_for(320, 200, 1920, 1080, false), 5);
  EXPECT_EQ(display_scale_for(640, 480, 640, 480, true), 1);
  EXPECT_EQ(display_scale_for(0, 480, 1920, 1080, true), 1);
}

TEST(FitScale, AFactorTooLargeIsLoweredWithOneLine) {
  struct Case {
    int asked, w, h, desk_w, desk_h;
    bool window;
    const char *program;
    int scale;
    bool noted;
  } cases[] = {
      {0, 640, 480, 1920, 1080, true, "topdown", 2, false},
      {1, 640, 480, 1920, 1080, true, "topdown", 1, false},
      {2, 640, 480, 1920, 1080, true, "topdown", 2, false},
      {5, 640, 480, 1920, 1080, true, "topdown", 2, true},
      // The full screen has the whole height: 5 fits 320x200 there.
      {5, 320, 200, 1920, 1080, false, "sideview_edit", 5, false},
      {8, 320, 240, 1920, 1080, false, "sideview", 4, true},
      // A desktop of unknown size takes what is asked, or 1.
      {3, 640, 480, 0, 0, true, "topdown", 3, false},
      {0, 640, 480, 0, 0, true, "topdown", 1, false},
  };
  // One note for all: each call clears what the one before left in it.
  std::string note;
  for (const Case &c : cases) {
    EXPECT_EQ(display_fit_scale(c.asked, c.w, c.h, c.desk_w, c.desk_h, c.window, c.program, note),
              c.scale)
        << c.program << " --scale=" << c.asked;
    EXPECT_EQ(!note.empty(), c.noted) << c.program << " --scale=" << c.asked << ": " << note;
  }
  // The note names the program, what was asked, the desktop and what it got.
  display_fit_scale(5, 640, 480, 1920, 1080, true, "topdown", note);
  for (const char *part : {"topdown", "--scale=5", "1920x1080", "--scale=2"})
    EXPECT_NE(note.find(part), std::string::npos) << note;
  EXPECT_EQ(note.find('\n'), std::string::npos) << note;
}

// read_display_options over an argument list (the program's name first).
DisplayOptions read(std::initializer_list<const char *> args, const char *env = nullptr) {
  std::vector<std::string> text{"sideview"};
  for (const char *a : args) text.push_back(a);
  std::vector<char *> argv;
  for (auto &t : text) argv.push_back(&t[0]);
  return read_display_options((int)argv.size(), argv.data(), "sideview", "SIDEVIEW_SCALE", env);
}

TEST(ReadOptions, WindowFullScreenAndHelp) {
  DisplayOptions o = read({});
  EXPECT_FALSE(o.fullscreen);
  EXPECT_FALSE(o.help);
  EXPECT_EQ(o.scale, 0);
  EXPECT_TRUE(o.unknown.empty());
  EXPECT_TRUE(read({"--fullscreen"}).fullscreen);
  EXPECT_FALSE(read({"--fullscreen", "--window"}).fullscreen);
  EXPECT_TRUE(read({"--window", "song.mid", "--fullscreen"}).fullscreen);
  EXPECT_TRUE(read({"x", "--help"}).help);
  EXPECT_FALSE(read({"-help", "help", "--window"}).help);
}

TEST(ReadOptions, TheOptionWinsOverTheVariableAndNeitherLeavesItToTheDesktop) {
  EXPECT_EQ(read({}, nullptr).scale, 0);
  EXPECT_EQ(read({}, "").scale, 0);
  EXPECT_EQ(read({"song.mid"}, "3").scale, 3);
  EXPECT_EQ(read({"--scale=2"}, nullptr).scale, 2);
  EXPECT_EQ(read({"--scale=2"}, "5").scale, 2);
  EXPECT_EQ(read({"--scale=1"}, "junk").scale, 1);
  EXPECT_TRUE(read({"--scale=1"}, "junk").error.empty());
  EXPECT_EQ(read({"--scale=8", "x.mid", "--scale=05"}, nullptr).scale, 5);
  DisplayOptions o = read({"--scaled=2", "scale=3", "-scale=4"}, "6");
  EXPECT_EQ(o.scale, 6);
  EXPECT_EQ(o.unknown, std::vector<std::string>{"--scaled=2"});
}

TEST(ReadOptions, BadScalesAreRefusedWithAMessage) {
  for (const char *bad : {"--scale=0", "--scale=9", "--scale=", "--scale", "--scale=abc",
                          "--scale=2x", "--scale=-1", "--scale= 2", "--scale=+2",
                          "--scale=4294967298", "--scale=2.mid"}) {
    DisplayOptions o = read({bad}, "2");
    EXPECT_NE(o.error.find(std::string("\"") + bad + "\""), std::string::npos) << o.error;
    EXPECT_NE(o.error.find("1 to 8"), std::string::npos) << o.error;
  }
  // A bad option is not hidden by a good one after it, and the first is named.
  DisplayOptions o = read({"--scale=9", "--scale=2", "--scale=0"});
  EXPECT_NE(o.error.find("--scale=9"), std::string::npos) << o.error;
  for (const char *bad : {"0", "9", "two", "3 ", "10"}) {
    DisplayOptions e = read({"song.mid"}, bad);
    EXPECT_NE(e.error.find("SIDEVIEW_SCALE"), std::string::npos) << e.error;
    EXPECT_EQ(e.scale, 0);
  }
}

// take_display_options with its output caught in two scratch streams.
struct Taken {
  int status;
  std::string out, err;
};
Taken take(std::initializer_list<const char *> args) {
  std::vector<std::string> text{"topdown"};
  for (const char *a : args) text.push_back(a);
  std::vector<char *> argv;
  for (auto &t : text) argv.push_back(&t[0]);
  FILE *out = tmpfile(), *err = tmpfile();
  Taken t;
  t.status = take_display_options((int)argv.size(), argv.data(), "topdown", "Usage: topdown\n",
                                  out, err);
  auto text_of = [](FILE *f) {
    std::string s(4096, '\0');
    rewind(f);
    s.resize(fread(&s[0], 1, s.size(), f));
    fclose(f);
    return s;
  };
  t.out = text_of(out);
  t.err = text_of(err);
  return t;
}

TEST(TakeOptions, HelpListsTheOptionsAndEnds) {
  Taken t = take({"--scael=2", "--help"});
  EXPECT_EQ(t.status, 0);
  EXPECT_EQ(t.out.rfind("Usage: topdown\n", 0), 0u) << t.out;
  for (const char *o : {"--window", "--fullscreen", "--scale=N", "--help", "Alt+Enter"})
    EXPECT_NE(t.out.find(o), std::string::npos) << o;
  EXPECT_EQ(t.err, "");
}

TEST(TakeOptions, UnknownOptionsAreNamedOneLineEachAndTheProgramGoesOn) {
  display_options = DisplayOptions();
  Taken t = take({"--scael=2", "m01.map", "--fullscreen", "--Window"});
  EXPECT_EQ(t.status, -1);
  EXPECT_EQ(t.out, "");
  EXPECT_EQ(t.err,
            "topdown: unknown option \"--scael=2\" (topdown --help lists the options)\n"
            "topdown: unknown option \"--Window\" (topdown --help lists the options)\n");
  EXPECT_TRUE(display_options.fullscreen);
  display_options = DisplayOptions();
}

TEST(TakeOptions, ABadScaleEndsWithStatus1) {
  Taken t = take({"--scale=12"});
  EXPECT_EQ(t.status, 1);
  EXPECT_NE(t.err.find("--scale=12"), std::string::npos) << t.err;
  EXPECT_EQ(t.out, "");
}

}  // namespace
