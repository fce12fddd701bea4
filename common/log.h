// log.h -- the program's log and the way out on failures it can't go on from
#ifndef LOG_H
#define LOG_H

#include <cstdio>

// The log, "report.txt", opened by each program at start-up.
extern FILE *fr;

// Writes the message as a line to the log (when open) and to standard
// error, then ends the program with status 1.
[[noreturn]] void fail(const char *fmt, ...);

// Writes "Couldn't open file \"NAME\"" to the log (without a line end, as
// the log has always had it) and, with one, to standard error.
void log_open_failure(const char *name);

// log_open_failure, then ends the program with status 1.
[[noreturn]] void fail_open(const char *name);

#endif
