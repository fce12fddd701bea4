// status_note.h -- a short line an editor shows in its status band for a
// moment, such as "Saved m07.map"
#ifndef STATUS_NOTE_H
#define STATUS_NOTE_H

#include <string>

enum { NOTE_MILLISECONDS = 2000 };  // how long a note is shown

// Shows text from now on for NOTE_MILLISECONDS (replacing any note before).
void note_show(const std::string &text);

// The note to show now; empty when there is none or its time is over.
std::string note_text();

// Forgets the note at once.
void note_clear();

// The clock the notes are timed by, in milliseconds (a steady clock);
// replaceable by tests.
extern long long (*note_clock_ms)();

#endif
