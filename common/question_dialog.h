// question_dialog.h -- an editor's question (question.h) as an Allegro
// dialog over the screen
#ifndef QUESTION_DIALOG_H
#define QUESTION_DIALOG_H

#include "question.h"

// Shows the question centred on the screen and waits for its answer: a
// click on a button, or a key as question_key_answer tells (Enter and
// Space the default, Esc the cancel answer, a button's letter). No other
// key answers, and no button takes the keyboard's focus, so the pointer
// resting on a button never turns Enter into that button. The default
// button has a second frame. Clicks in the dialog are its own: the click
// latch forgets them, and the pointer is shown on the screen again.
// Returns the answer (a button's index).
int ask_question(const Question &q);

#endif
