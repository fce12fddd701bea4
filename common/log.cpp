// log.cpp -- the program's log and the way out on failures
#include "log.h"

#include <cstdarg>
#include <cstdlib>

FILE *fr;

void fail(const char *fmt, ...) {
  char msg[1024];
  va_list ap;
  va_start(ap, fmt);
  vsnprintf(msg, sizeof msg, fmt, ap);
  va_end(ap);
  if (fr) fprintf(fr, "%s\n", msg);
  fprintf(stderr, "%s\n", msg);
  exit(1);
}

void log_open_failure(const char *name) {
  if (fr) fprintf(fr, "Couldn't open file \"%s\"", name);
  fprintf(stderr, "Couldn't open file \"%s\"\n", name);
}

void fail_open(const char *name) {
  log_open_failure(name);
  exit(1);
}
