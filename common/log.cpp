// log.cpp -- the program's log and the way out on failures
#include "log.h"

#include <cstdarg>
#include <cstdlib>
#include <string>

FILE *fr;

// The message is formatted at its full length: it may name a file whose
// path is long.
void fail(const char *fmt, ...) {
  va_list ap, again;
  va_start(ap, fmt);
  va_copy(again, ap);
  int len = vsnprintf(nullptr, 0, fmt, ap);
  va_end(ap);
  std::string msg(len > 0 ? len + 1 : 1, '\0');
  vsnprintf(&msg[0], msg.size(), fmt, again);
  va_end(again);
  if (fr) fprintf(fr, "%s\n", msg.c_str());
  fprintf(stderr, "%s\n", msg.c_str());
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
