// times.h -- the best finishing time of each course for one and for two
// players, kept in "times.txt" in the working folder
//
// The file is plain text, one line per record: the course number, the
// number of players, the time in logic steps (50 a second) and, for the
// reader, the time as the game shows it:
//   1 1 2115 0:42.3
// '#' starts a comment line. A file that is missing or damaged in any way
// means no best times; the program goes on without them.
#ifndef TIMES_H
#define TIMES_H

#include <string>

extern const char *const TIMES_FILE;  // "times.txt"

enum { TIMES_COURSES = 99 };

// Reads TIMES_FILE, replacing the times in memory.
void times_load();

// Reads the records in text into the times in memory. Returns false, and
// leaves no times at all, if any line is not a record.
bool times_parse(const std::string &text);

// Every record as the file holds it.
std::string times_text();

// The best time of course for players (1 or 2), in logic steps; 0 if none.
int best_time(int course, int players);

// Notes a finish after steps logic steps. If it beats the record (or there
// is none), it becomes the record, the file is rewritten (through a
// temporary file) and the result is true.
bool record_time(int course, int players, int steps);

// A time as the game shows it: minutes, seconds and tenths, "0:42.3".
std::string format_time(int steps);

// What the main menu shows beside the course number: "best 0:42.3", or ""
// when there is no record.
std::string best_time_label(int course, int players);

#endif
