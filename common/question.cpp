// question.cpp -- the editors' questions and the answers their keys give
#include "question.h"

#include <cctype>

#include "file_name.h"

enum { CH_ENTER = 13, CH_LINE_FEED = 10, CH_ESC = 27, CH_SPACE = 32 };

char question_button_key(const std::string &label) {
  size_t amp = label.find('&');
  if (amp == std::string::npos || amp + 1 >= label.size()) return 0;
  return (char)tolower((unsigned char)label[amp + 1]);
}

// question_key_answer
// Enter and Space never pick a button by where the pointer happens to be:
// they give the question's default, which is always a safe answer.
int question_key_answer(const Question &q, int ch) {
  if (ch == CH_ENTER || ch == CH_LINE_FEED || ch == CH_SPACE) return q.default_answer;
  if (ch == CH_ESC) return q.cancel_answer;
  if (ch <= 0 || ch > 255 || !isalpha(ch)) return -1;
  for (int i = 0; i < q.count && i < QUESTION_MAX_BUTTONS; i++)
    if (question_button_key(q.buttons[i]) == tolower(ch)) return i;
  return -1;
}

Question unsaved_question(const char *name, const char *what) {
  Question q;
  bool named = name && *name;
  if (named) {
    q.line1 = "Save the changes to " + file_base_name(name) + "?";
  } else {
    q.line1 = std::string("Save the changes to the new ") + what + "?";
    q.line2 = "It has no file name yet.";
  }
  q.buttons[UNSAVED_SAVE] = "&Save";
  q.buttons[UNSAVED_DISCARD] = "&Discard";
  q.buttons[UNSAVED_CANCEL] = "&Cancel";
  q.count = 3;
  q.default_answer = named ? UNSAVED_SAVE : UNSAVED_CANCEL;
  q.cancel_answer = UNSAVED_CANCEL;
  return q;
}

bool unsaved_may_go(bool unsaved, const char *name, const char *what,
                    int (*ask)(const Question &q), bool (*save)()) {
  if (!unsaved) return true;
  switch (ask(unsaved_question(name, what))) {
    case UNSAVED_DISCARD: return true;
    case UNSAVED_SAVE: return save();
    default: return false;
  }
}

Question replace_question(const char *name, const char *what) {
  Question q;
  q.line1 = file_base_name(name) + " is another " + what + ".";
  q.line2 = "Replace it with this one?";
  q.buttons[REPLACE_YES] = "&Yes";
  q.buttons[REPLACE_NO] = "&No";
  q.count = 2;
  q.default_answer = REPLACE_NO;
  q.cancel_answer = REPLACE_NO;
  return q;
}
