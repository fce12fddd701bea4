// edit_history.h -- undo and redo for the editors, and the mark of changes
// not yet saved
//
// Both work over what an editor's Save writes: the shared course record
// (Map) and a table of 256 attribute bytes. The editor changes both in place
// as it always has, and calls history_commit after each action: the bytes
// that differ from the last commit become one step (an action that changed
// nothing makes none). A painting stroke is committed once, when the button
// goes up, so the whole stroke is one step. Steps are kept as the bytes that
// changed, so a painted tile costs a few bytes and a reshaped course a
// little more; at least HISTORY_MIN_STEPS are always kept.
//
// One history at a time (an editor has one course open); plain globals.
#ifndef EDIT_HISTORY_H
#define EDIT_HISTORY_H

#include "course_file.h"

enum {
  HISTORY_MIN_STEPS = 100,   // never fewer kept, however large
  HISTORY_MAX_STEPS = 1000,  // never more kept
};

// Starts afresh on the course and attributes as they are now (when the
// editor opens): no steps, and nothing unsaved.
void history_reset(const Map &m, const unsigned char attr[256]);

// Starts afresh after a load: no steps, and the course as it is now counts
// as saved. A load reads no attributes, so what counts as their saved
// state stays as it was: attribute changes not yet saved still count.
void history_reset_course(const Map &m, const unsigned char attr[256]);

// Records what changed since the last commit as one step and forgets the
// steps that were undone. Returns false (and records nothing) if nothing
// changed.
bool history_commit(const Map &m, const unsigned char attr[256]);

// Undoes the last step (committing anything not yet committed first, so an
// unfinished stroke is undone whole). Returns false if there was none.
bool history_undo(Map &m, unsigned char attr[256]);

// Does the last undone step again. Returns false if there is none, or if
// changes were made since the undo (they are committed, and end the redo).
bool history_redo(Map &m, unsigned char attr[256]);

// Steps that can be undone and redone.
int history_undo_steps();
int history_redo_steps();

// Notes the course and attributes as saved: what a file now holds.
void history_mark_saved(const Map &m, const unsigned char attr[256]);

// Notes only the course as saved (a save that wrote the course but not the
// attribute file).
void history_mark_course_saved(const Map &m);

// Notes only the attribute table as saved.
void history_mark_attributes_saved(const unsigned char attr[256]);

// Notes what the attribute file attr_name holds as the table's saved
// state, if it holds 256 bytes (else it stays as it was). For an editor
// opened again in a program that kept the table in memory, with changes
// given up when it was last left.
void history_mark_attributes_from_file(const char *attr_name);

// True if Save would now write something other than what was last saved or
// loaded (undoing back to that state makes it false again).
bool history_unsaved(const Map &m, const unsigned char attr[256]);

// The same for the course alone: what a load would replace.
bool history_course_unsaved(const Map &m);

#endif
