// edit_history_test.cpp -- undo, redo and the unsaved mark over a course and
// its attribute bytes
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "course_file.h"
#include "edit_history.h"
#include "scratch.h"

namespace {

class History : public ::testing::Test {
 protected:
  static Map m, start;
  static unsigned char attr[256], start_attr[256];
  void SetUp() override {
    memset(&m, 0, sizeof m);
    course_default(m);
    for (int i = 0; i < 256; i++) attr[i] = (unsigned char)(i * 7);
    m.t[30][30] = 99;  // a cell outside the course
    start = m;
    memcpy(start_attr, attr, 256);
    history_reset(m, attr);
  }
  static bool same_as_start() {
    return memcmp(&m, &start, sizeof m) == 0 && memcmp(attr, start_attr, 256) == 0;
  }
};
Map History::m, History::start;
unsigned char History::attr[256], History::start_attr[256];

TEST_F(History, EveryKindOfChangeUndoesAndRedoesExactly) {
  EXPECT_FALSE(history_commit(m, attr));  // nothing changed: no step
  m.t[3][4] = 9;                          // a painted tile
  EXPECT_TRUE(history_commit(m, attr));
  course_insert_column(m, 2);
  history_commit(m, attr);
  course_delete_row(m, 0);
  history_commit(m, attr);
  m.ins[m.n++] = {-40, -7, 11};  // an insertion added, then retyped and moved
  history_commit(m, attr);
  m.ins[0].code = 12;
  m.ins[0].x -= 4;
  history_commit(m, attr);
  attr[9] ^= 0x04;  // an attribute toggle
  history_commit(m, attr);
  m.n--;  // and the insertion deleted
  history_commit(m, attr);
  ASSERT_EQ(history_undo_steps(), 7);
  Map end = m;

  for (int i = 0; i < 7; i++) ASSERT_TRUE(history_undo(m, attr));
  EXPECT_FALSE(history_undo(m, attr));
  EXPECT_TRUE(same_as_start());  // stale cells and records included
  EXPECT_EQ(history_redo_steps(), 7);
  for (int i = 0; i < 7; i++) ASSERT_TRUE(history_redo(m, attr));
  EXPECT_FALSE(history_redo(m, attr));
  EXPECT_EQ(memcmp(&m, &end, sizeof m), 0);
  EXPECT_EQ(attr[9], start_attr[9] ^ 0x04);

  // Undo twice, then a new change: the undone steps can't come back.
  history_undo(m, attr);
  history_undo(m, attr);
  EXPECT_EQ(m.n, 1);
  EXPECT_EQ(attr[9], start_attr[9]);
  m.t[0][0] = 200;
  EXPECT_FALSE(history_redo(m, attr));  // the change is committed instead
  EXPECT_EQ(history_redo_steps(), 0);
  EXPECT_EQ(m.t[0][0], 200);
  EXPECT_TRUE(history_undo(m, attr));
  EXPECT_EQ(m.t[0][0], start.t[0][0]);
}

TEST_F(History, UnfinishedStrokeIsUndoneWhole) {
  for (int x = 1; x < 20; x++) m.t[x][5] = 50;  // painted, not yet committed
  ASSERT_TRUE(history_undo(m, attr));
  EXPECT_TRUE(same_as_start());
  EXPECT_EQ(history_undo_steps(), 0);
  ASSERT_TRUE(history_redo(m, attr));
  for (int x = 1; x < 20; x++) EXPECT_EQ(m.t[x][5], 50);
}

TEST_F(History, KeepsAtLeastAHundredStepsOfAnySize) {
  for (int i = 1; i <= 150; i++) {
    m.t[i % 25][i / 25] = (unsigned char)i;
    history_commit(m, attr);
  }
  EXPECT_GE(history_undo_steps(), HISTORY_MIN_STEPS);
  // Steps that change the whole grid (a paste over a 256 x 256 course).
  m.w = m.h = 256;
  history_commit(m, attr);
  for (int i = 0; i < 300; i++) {
    memset(m.t, i & 255, sizeof m.t);
    ASSERT_TRUE(history_commit(m, attr));
  }
  int kept = history_undo_steps();
  EXPECT_GE(kept, HISTORY_MIN_STEPS);
  EXPECT_LE(kept, HISTORY_MAX_STEPS);
  for (int i = 0; i < HISTORY_MIN_STEPS; i++) ASSERT_TRUE(history_undo(m, attr));
  EXPECT_EQ(m.t[100][100], (300 - 1 - HISTORY_MIN_STEPS) & 255);
}

TEST_F(History, KeepsExactlyTheStepLimitOfSmallSteps) {
  // One tile a step, each its own cell: the oldest five go, the limit stays.
  auto cell = [](int i) -> unsigned char & { return m.t[i % 250][i / 250]; };
  for (int i = 1; i <= HISTORY_MAX_STEPS + 5; i++) {
    cell(i) ^= 0xFF;
    ASSERT_TRUE(history_commit(m, attr));
  }
  EXPECT_EQ(history_undo_steps(), HISTORY_MAX_STEPS);
  while (history_undo(m, attr)) {
  }
  for (int i = 1; i <= 5; i++) EXPECT_EQ(cell(i), start.t[i % 250][i / 250] ^ 0xFF) << i;
  EXPECT_EQ(cell(6), start.t[6][0]);
}

TEST_F(History, UnsavedMeansSaveWouldWriteSomethingElse) {
  EXPECT_FALSE(history_unsaved(m, attr));
  m.t[40][40] = 1;  // outside the course: not written
  m.ins[200].code = 5;
  EXPECT_FALSE(history_unsaved(m, attr));
  m.t[24][24] = 7;  // the last cell of the course
  EXPECT_TRUE(history_unsaved(m, attr));
  history_undo(m, attr);
  EXPECT_FALSE(history_unsaved(m, attr));
  attr[255] ^= 0x80;
  EXPECT_TRUE(history_unsaved(m, attr));
  history_mark_saved(m, attr);
  EXPECT_FALSE(history_unsaved(m, attr));
  m.w = 24;  // a size change
  EXPECT_TRUE(history_unsaved(m, attr));
  m.w = 25;
  m.n = 1;  // an insertion
  EXPECT_TRUE(history_unsaved(m, attr));
  m.n = 0;
  EXPECT_FALSE(history_unsaved(m, attr));
  // A fresh start (a load) takes what is there as saved, with no steps.
  m.t[1][1] = 3;
  history_commit(m, attr);
  history_reset(m, attr);
  EXPECT_FALSE(history_unsaved(m, attr));
  EXPECT_FALSE(history_undo(m, attr));
}

// A load replaces the course but not the attributes: after it, changes to
// the table still count until a save.
TEST_F(History, AttributeChangesOutliveALoad) {
  attr[3] ^= 0x04;
  m.t[2][2] = 50;
  history_commit(m, attr);
  m.t[2][2] = 2;  // another course loaded
  history_reset_course(m, attr);
  EXPECT_FALSE(history_course_unsaved(m));
  EXPECT_TRUE(history_unsaved(m, attr));
  EXPECT_FALSE(history_undo(m, attr));  // a new history all the same
  attr[3] ^= 0x04;  // changed back by hand: as saved
  EXPECT_FALSE(history_unsaved(m, attr));
  attr[9] = 1;
  history_mark_attributes_saved(attr);
  history_reset_course(m, attr);
  EXPECT_FALSE(history_unsaved(m, attr));

  // A save that wrote the course but not the table.
  m.t[2][2] = 51;
  attr[9] = 2;
  EXPECT_TRUE(history_course_unsaved(m));
  history_mark_course_saved(m);
  EXPECT_FALSE(history_course_unsaved(m));
  EXPECT_TRUE(history_unsaved(m, attr));
}

// An editor opened again: the table in memory is compared with its file,
// if that is whole.
TEST_F(History, AttributesComparedWithAWholeFile) {
  Scratch here(true);
  std::vector<unsigned char> disk(attr, attr + 256);
  attr[3] ^= 0x04;  // a change given up when the editor was last left
  history_reset(m, attr);
  history_mark_attributes_from_file("none.wz");  // no file: as in memory
  EXPECT_FALSE(history_unsaved(m, attr));
  spit("short.wz", std::vector<unsigned char>(disk.begin(), disk.end() - 1));
  history_mark_attributes_from_file("short.wz");
  EXPECT_FALSE(history_unsaved(m, attr));
  spit("attr.wz", disk);
  history_mark_attributes_from_file("attr.wz");
  EXPECT_TRUE(history_unsaved(m, attr));
  EXPECT_FALSE(history_course_unsaved(m));
}

}  // namespace
