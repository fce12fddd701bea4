// question.h -- the editors' questions: their words, their buttons and the
// answer each key gives; the question asked before unsaved work would be
// lost, and the one asked before a save replaces another file
//
// Only the words and the decisions live here, free of Allegro; the dialog
// that shows a question is question_dialog.h.
#ifndef QUESTION_H
#define QUESTION_H

#include <string>

enum { QUESTION_MAX_BUTTONS = 3 };

// A question of one or two lines with up to three answers, each a button.
// An answer is the index of its button.
struct Question {
  std::string line1, line2;
  std::string buttons[QUESTION_MAX_BUTTONS];  // '&' before the button's key
  int count;           // buttons used
  int default_answer;  // what Enter and Space give
  int cancel_answer;   // what Esc gives
};

// The key letter of a button: the one after '&', in lower case; 0 if none.
char question_button_key(const std::string &label);

// The answer a key gives, from the character readkey() gave with it:
// Enter and Space the default, Esc the cancel answer, a button's letter
// (either case) that button; -1 for any other key.
int question_key_answer(const Question &q, int ch);

// The unsaved-work question and its answers.
enum UnsavedAnswer { UNSAVED_SAVE, UNSAVED_DISCARD, UNSAVED_CANCEL };

// "Save the changes to m07.map?" with Save, Discard and Cancel. name is the
// editor's file name (its folder is not shown), empty when there is none
// yet; what is "course" or "level". Enter and Space give Save when there is
// a name and Cancel when there is none; Esc gives Cancel. Discard has only
// its own key and its button.
Question unsaved_question(const char *name, const char *what);

// Whether the editor may go on to leave or to replace its course: at once
// when nothing is unsaved, else as ask answers the unsaved question. Save
// is done by save, and allows it only if that saved everything.
bool unsaved_may_go(bool unsaved, const char *name, const char *what,
                    int (*ask)(const Question &q), bool (*save)());

// The question before a save replaces another course or level than the
// one being edited: Yes or No, No for Enter, Space and Esc.
enum ReplaceAnswer { REPLACE_YES, REPLACE_NO };
Question replace_question(const char *name, const char *what);

#endif
