// times.h -- the best finishing time of each course for one and for two
// players, kept in "times.txt" in the working folder
//
// The file is plain text, one line per record: the course number, the
// number of players, the time in logic steps (50 a second) and, for the
// reader, the time as the game shows it:
//   1 1 2115 0:42.3
// '#' starts a comment line. A line that is not a record is skipped (and
// named in the log); every good record is kept. Before the program first
// rewrites a file that has such lines, the old file is kept beside it as
// "times.txt.bad".
#ifndef TIMES_H
#define TIMES_H

#include <string>
#include <vector>

extern const char *const TIMES_FILE;      // "times.txt"
extern const char *const TIMES_BAD_FILE;  // "times.txt.bad"

enum { TIMES_COURSES = 99 };

// Reads TIMES_FILE, replacing the times in memory; bad lines are logged.
void times_load();

// Reads the records in text into the times in memory, skipping every line
// that is not a record. Returns the numbers (from 1) of the lines skipped.
std::vector<int> times_parse(const std::string &text);

// Every record as the file holds it.
std::string times_text();

// The best time of course for players (1 or 2), in logic steps; 0 if none.
int best_time(int course, int players);

// Notes a finish after steps logic steps. If it beats the record (or there
// is none), it becomes the record and the result is true; the file is then
// read again, so that records another run has written since are kept, and
// rewritten (through a temporary file) with the best of both.
bool record_time(int course, int players, int steps);

// A time as the game shows it: minutes, seconds and tenths, "0:42.3".
std::string format_time(int steps);

// What the main menu shows beside the course number: "best 0:42.3", or ""
// when there is no record.
std::string best_time_label(int course, int players);

#endif
