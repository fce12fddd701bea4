// question_test.cpp -- the editors' questions: which key gives which
// answer, and when the unsaved-work question lets an editor go on
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "question.h"

namespace {

enum { ENTER = 13, SPACE = 32, ESC = 27 };

TEST(Question, EnterSpaceAndEscNeverDiscard) {
  Question named = unsaved_question("/some/folder/m07.map", "course");
  EXPECT_EQ(named.line1, "Save the changes to m07.map?");
  EXPECT_EQ(question_key_answer(named, ENTER), UNSAVED_SAVE);
  EXPECT_EQ(question_key_answer(named, '\n'), UNSAVED_SAVE);
  EXPECT_EQ(question_key_answer(named, SPACE), UNSAVED_SAVE);
  EXPECT_EQ(question_key_answer(named, ESC), UNSAVED_CANCEL);
  EXPECT_EQ(question_key_answer(named, 'd'), UNSAVED_DISCARD);
  EXPECT_EQ(question_key_answer(named, 'D'), UNSAVED_DISCARD);
  EXPECT_EQ(question_key_answer(named, 's'), UNSAVED_SAVE);
  EXPECT_EQ(question_key_answer(named, 'c'), UNSAVED_CANCEL);
  for (int ch : {0, int('y'), int('n'), int('x'), int('1'), 8, 9, 26, 300})
    EXPECT_EQ(question_key_answer(named, ch), -1) << ch;

  // With no name yet, Save would first ask for one: Enter and Space cancel.
  Question unnamed = unsaved_question("", "level");
  EXPECT_EQ(unnamed.line1, "Save the changes to the new level?");
  EXPECT_EQ(question_key_answer(unnamed, ENTER), UNSAVED_CANCEL);
  EXPECT_EQ(question_key_answer(unnamed, SPACE), UNSAVED_CANCEL);
  EXPECT_EQ(question_key_answer(unnamed, ESC), UNSAVED_CANCEL);
  EXPECT_EQ(question_key_answer(unnamed, 's'), UNSAVED_SAVE);
  EXPECT_EQ(question_key_answer(unnamed, 'd'), UNSAVED_DISCARD);

  Question replace = replace_question("m03.map", "course");
  EXPECT_EQ(replace.line1, "m03.map is another course.");
  for (int ch : {int(ENTER), int(SPACE), int(ESC), int('n')})
    EXPECT_EQ(question_key_answer(replace, ch), REPLACE_NO);
  EXPECT_EQ(question_key_answer(replace, 'Y'), REPLACE_YES);
  EXPECT_EQ(question_key_answer(replace, 'd'), -1);
}

// The stand-ins: the question asked is kept, and answered as the key.
std::vector<Question> asked;
int key_typed;
int saves;
bool save_works;
int ask_by_key(const Question &q) {
  asked.push_back(q);
  return question_key_answer(q, key_typed);
}
bool save() {
  saves++;
  return save_works;
}

TEST(Question, UnsavedWorkGoesOnlyWhenSavedOrDiscarded) {
  asked.clear();
  saves = 0;
  EXPECT_TRUE(unsaved_may_go(false, "m01.map", "course", ask_by_key, save));
  EXPECT_TRUE(asked.empty());  // nothing unsaved: no question

  struct Case {
    int key;
    bool save_works, goes;
    int saves;
  } cases[] = {
      {ESC, true, false, 0},  {'c', true, false, 0},   {'d', false, true, 0},
      {ENTER, true, true, 1}, {SPACE, false, false, 1}, {'s', true, true, 1},
  };
  for (const Case &c : cases) {
    asked.clear();
    saves = 0;
    key_typed = c.key;
    save_works = c.save_works;
    EXPECT_EQ(unsaved_may_go(true, "m01.map", "course", ask_by_key, save), c.goes) << c.key;
    EXPECT_EQ(saves, c.saves) << c.key;
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].count, 3);
    EXPECT_EQ(asked[0].buttons[UNSAVED_DISCARD], "&Discard");
  }
  key_typed = ENTER;  // no name: Enter cancels and saves nothing
  EXPECT_FALSE(unsaved_may_go(true, "", "level", ask_by_key, save));
  EXPECT_EQ(saves, 1);
}

}  // namespace
