// status_note_test.cpp -- a note shows for two seconds, and a new one
// starts its time afresh
#include <gtest/gtest.h>

#include "status_note.h"

namespace {

long long now_ms;
long long fake_clock() { return now_ms; }

TEST(StatusNote, ShownForTwoSeconds) {
  long long (*real)() = note_clock_ms;
  note_clock_ms = fake_clock;
  now_ms = 1000;
  EXPECT_EQ(note_text(), "");
  note_show("Saved m07.map");
  now_ms += NOTE_MILLISECONDS - 1;
  EXPECT_EQ(note_text(), "Saved m07.map");
  now_ms += 1;
  EXPECT_EQ(note_text(), "");
  note_show("Saved a.map");
  now_ms += 1500;
  note_show("Saved b.map");
  now_ms += 1500;
  EXPECT_EQ(note_text(), "Saved b.map");
  note_clear();
  EXPECT_EQ(note_text(), "");
  note_clock_ms = real;
  EXPECT_GE(NOTE_MILLISECONDS, 1500);
  EXPECT_LE(NOTE_MILLISECONDS, 3000);
}

}  // namespace
